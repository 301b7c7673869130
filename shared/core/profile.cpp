#include "shared/core/profile.h"

#include "shared/core/failure.h"
#include "shared/core/inifile.h"

#include <QFile>
#include <QFileInfo>

namespace tavrik::core {

namespace {

using inifile::Document;

// The programs read a value into a 256-byte buffer: at most 255 bytes of it count.
constexpr qsizetype kMaxValueBytes = 255;

Document::NameMatch sameName(const QString &name)
{
    return [name](const QByteArray &raw) {
        return QString::fromUtf8(raw).compare(name, Qt::CaseInsensitive) == 0;
    };
}

// Cuts to at most kMaxValueBytes without splitting a UTF-8 sequence.
QByteArray cutValue(QByteArray bytes)
{
    if (bytes.size() <= kMaxValueBytes)
        return bytes;
    qsizetype n = kMaxValueBytes;
    // bytes[n] is the first byte dropped; while it continues a sequence, the sequence
    // started before n and goes too. A sequence is at most four bytes long.
    for (int back = 0; back < 3 && n > 0 && (uchar(bytes[n]) & 0xC0) == 0x80; ++back)
        --n;
    if ((uchar(bytes[n]) & 0xC0) == 0x80)
        n = kMaxValueBytes; // not UTF-8 here anyway
    bytes.truncate(n);
    return bytes;
}

QString nameProblem(const QString &section, const QString &key)
{
    if (section.isEmpty())
        return QStringLiteral("节名为空");
    if (key.isEmpty())
        return QStringLiteral("键名为空");
    // These would end the header early or make a line the reader sees differently.
    if (section.contains(u']') || section.contains(u'\n') || section.contains(u'\r'))
        return QStringLiteral("节名“%1”含有不能写入的字符").arg(section);
    if (key.contains(u'=') || key.contains(u'\n') || key.contains(u'\r') || key.startsWith(u';')
        || key.startsWith(u'['))
        return QStringLiteral("键名“%1”含有不能写入的字符").arg(key);
    return QString();
}

} // namespace

QString ReadIni(const QString &section, const QString &key, const QString &defaultValue,
                const QString &file)
{
    if (!QFileInfo::exists(file))
        return defaultValue;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return QString();

    const Document doc = Document::fromBytes(data);
    const qsizetype i = doc.findKey(sameName(section.trimmed()), sameName(key.trimmed()));
    if (i < 0)
        return defaultValue;
    const inifile::Line &line = doc.lines[i];
    const qsizetype start = inifile::classify(line.text, i == 0).valueStart;
    return QString::fromUtf8(cutValue(line.text.mid(start)));
}

bool WriteIni(const QString &section, const QString &key, const QString &value, const QString &file,
              QString *error)
{
    const QString sec = section.trimmed();
    const QString k = key.trimmed();
    if (QString problem = nameProblem(sec, k); !problem.isEmpty())
        return fail(error, problem);
    // A line break in the value would start lines of its own.
    if (value.contains(u'\n') || value.contains(u'\r'))
        return fail(error, QStringLiteral("值含有换行符"));

    QByteArray old;
    const bool exists = QFileInfo::exists(file);
    if (exists) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return fail(error, f.errorString());
        old = f.readAll();
        if (f.error() != QFileDevice::NoError)
            return fail(error, f.errorString());
    }

    Document doc = Document::fromBytes(old);
    doc.setValue(sameName(sec), sameName(k), sec.toUtf8(), k.toUtf8(), value.toUtf8());
    const QByteArray data = doc.toBytes();
    if (exists && data == old)
        return true;
    return inifile::writeAtomically(file, data, error);
}

QString GetField(const QString &text, int n, const QString &delimiter)
{
    if (text.isEmpty() || n < 1)
        return QString();
    if (delimiter.isEmpty())
        return n == 1 ? text : QString();
    const QStringList fields = text.split(delimiter, Qt::KeepEmptyParts);
    return n <= fields.size() ? fields[n - 1] : QString();
}

} // namespace tavrik::core
