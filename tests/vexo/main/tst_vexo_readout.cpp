// The read-outs: a new reading repaints only what changed, and the window then
// shows what a whole repaint would.

#include "tests/support/testmain.h"
#include "vexo/main/readout.h"

#include <QBackingStore>
#include <QtTest>

using vexo::Readout;

namespace {

// The face the read-outs fall back to here, whose digits are of several widths.
QFont readoutFont()
{
    QFont f(QStringLiteral("Noto Serif CJK SC"));
    f.setPointSizeF(21.75);
    return f;
}

// The paint events' regions a widget receives.
struct PaintLog : QObject {
    QRegion painted;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(e)->region();
        return false;
    }
};

} // namespace

class TestVexoReadout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newReadingRepaintsWhatChanged_data();
    void newReadingRepaintsWhatChanged();
    void digitsKeepTheirPlaces();
};

void TestVexoReadout::newReadingRepaintsWhatChanged_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("border");
    QTest::addColumn<int>("widest"); // the widest repaint, in cells of a digit's width
    QTest::newRow("a tick") << "0000:00:12.340" << "0000:00:12.360" << false << 2;
    QTest::newRow("a tick in a border") << "0000000012.999" << "0000000013.000" << true << 5;
    QTest::newRow("shorter, a sign") << "0000000012.340" << "-0.1" << false << 14;
    QTest::newRow("from nothing") << "" << "3598.0" << true << 6;
    QTest::newRow("to nothing") << "3598.0" << "" << false << 6;
    QTest::newRow("Chinese") << "时间[0000:00:01.000]" << "时间[0000:00:01.020]" << false << 2;
    // Outside the basic plane: drawn as QLabel draws, all of it.
    QTest::newRow("as QLabel") << "0000:00:01.000" << QString::fromUtf8("0000:00:01.000\xF0\x9F\x95\x90") << false << 99;
}

void TestVexoReadout::newReadingRepaintsWhatChanged()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, border);
    QFETCH(int, widest);
    QWidget window;
    window.resize(300, 60);
    auto make = [&](const QString &text, QWidget *parent) {
        auto *r = new Readout(text, parent);
        r->setGeometry(10, 10, 280, 31);
        r->setFont(readoutFont());
        r->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (border)
            r->setFrameShape(QFrame::Box);
        return r;
    };
    Readout *r = make(before, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(20);
    PaintLog log;
    r->installEventFilter(&log);
    r->setText(after);
    QCOMPARE(r->text(), after);
    // What the screen shows once the event loop has settled, against a read-out that
    // showed the new reading from the start.
    QTRY_VERIFY(!log.painted.isEmpty());
    QTest::qWait(20);
    r->removeEventFilter(&log);
    // The window's backing store: what was painted into it, and so sent to the screen.
    QPaintDevice *store = window.backingStore()->paintDevice();
    QVERIFY(store && store->devType() == QInternal::Image);
    const QImage shown = *static_cast<QImage *>(store);
    const QImage onScreen = shown.copy(r->geometry());
    QWidget other;
    const QImage fresh = make(after, &other)->grab().toImage();
    QCOMPARE(onScreen.convertToFormat(QImage::Format_RGB32), fresh.convertToFormat(QImage::Format_RGB32));
    const int digit = r->fontMetrics().horizontalAdvance(u'0');
    QVERIFY2(log.painted.boundingRect().width() <= (widest + 1) * digit,
             qPrintable(QStringLiteral("repainted %1 px").arg(log.painted.boundingRect().width())));
}

// A reading does not shift as digits of other widths come and go.
void TestVexoReadout::digitsKeepTheirPlaces()
{
    const QFont f = readoutFont();
    const QFontMetricsF fm(f);
    QVERIFY(fm.horizontalAdvance(u'1') != fm.horizontalAdvance(u'0'));
    const int w = Readout::lineWidth(f, QStringLiteral("0000:00:00.000"));
    QVERIFY(w > 0);
    for (const char *reading : {"1111:11:11.111", "4747:47:47.474", "9999:59:59.999", "1212:12:12.121"})
        QCOMPARE(Readout::lineWidth(f, QLatin1String(reading)), w);
}

TAVRIK_TEST_MAIN(TestVexoReadout)
#include "tst_vexo_readout.moc"
