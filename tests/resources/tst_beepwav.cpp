#include "tests/support/testmain.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>
#include <algorithm>
#include <cstdlib>

// The alarm sound as shipped: a short 16-bit PCM file that starts and ends on silence.
class TestBeepWav : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void format();
    void shippedNextToThePrograms();
};

namespace {

struct Wav {
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0;
    QByteArray data;
};

// Walks the RIFF chunks; an error text when the file is not what a player expects.
QString parse(const QByteArray &b, Wav &w)
{
    if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE")
        return QStringLiteral("not a RIFF WAVE file");
    if (qFromLittleEndian<quint32>(b.constData() + 4) != quint32(b.size() - 8))
        return QStringLiteral("RIFF size does not match the file");
    qsizetype at = 12;
    bool fmt = false;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(b.constData() + at + 4);
        if (at + 8 + qsizetype(size) > b.size())
            return QStringLiteral("chunk %1 runs past the end").arg(QString::fromLatin1(id));
        const char *p = b.constData() + at + 8;
        if (id == "fmt ") {
            if (size < 16)
                return QStringLiteral("short fmt chunk");
            w.format = qFromLittleEndian<quint16>(p);
            w.channels = qFromLittleEndian<quint16>(p + 2);
            w.rate = qFromLittleEndian<quint32>(p + 4);
            w.bits = qFromLittleEndian<quint16>(p + 14);
            const quint32 byteRate = qFromLittleEndian<quint32>(p + 8);
            const quint16 align = qFromLittleEndian<quint16>(p + 12);
            if (align != w.channels * w.bits / 8 || byteRate != w.rate * align)
                return QStringLiteral("inconsistent fmt chunk");
            fmt = true;
        } else if (id == "data") {
            if (!fmt)
                return QStringLiteral("data before fmt");
            w.data = b.mid(at + 8, size);
        }
        at += 8 + size + (size & 1);
    }
    return w.data.isEmpty() ? QStringLiteral("no data chunk") : QString();
}

} // namespace

void TestBeepWav::format()
{
    QFile f(QStringLiteral(BEEP_SOURCE));
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.size() < 100 * 1024);
    Wav w;
    const QString error = parse(bytes, w);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(w.format, quint16(1));
    QCOMPARE(w.bits, quint16(16));
    QVERIFY(w.channels == 1 || w.channels == 2);
    QVERIFY(w.rate >= 8000 && w.rate <= 48000);
    const qsizetype frames = w.data.size() / (2 * w.channels);
    QVERIFY2(frames < qsizetype(w.rate), "one second or longer");
    QVERIFY(frames > qsizetype(w.rate / 10));
    int peak = 0;
    for (qsizetype i = 0; i + 1 < w.data.size(); i += 2)
        peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(w.data.constData() + i))));
    QVERIFY2(peak < 32767, "clipped");
    QVERIFY2(peak > 8000, "too quiet to hear");
    // No click where it starts or stops.
    const auto sample = [&](qsizetype frame) {
        return std::abs(int(qFromLittleEndian<qint16>(w.data.constData() + frame * 2 * w.channels)));
    };
    QVERIFY(sample(0) < 200);
    QVERIFY(sample(frames - 1) < 200);
}

void TestBeepWav::shippedNextToThePrograms()
{
    QFile source(QStringLiteral(BEEP_SOURCE)), shipped(QStringLiteral(BEEP_SHIPPED));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QVERIFY2(shipped.open(QIODevice::ReadOnly), qPrintable(shipped.fileName()));
    QCOMPARE(shipped.readAll(), source.readAll());
}

TAVRIK_TEST_GUILESS_MAIN(TestBeepWav)
#include "tst_beepwav.moc"
