#include "shared/core/profile.h"

#include "shared/core/failure.h"
#include "shared/core/filebytes.h"
#include "shared/core/inifile.h"

namespace tavrik::core {

namespace {

using inifile::Document;

// The programs read a value into a 256-byte buffer: at most 255 bytes of it count.
constexpr qsizetype kMaxValueBytes = 255;

// Names compare as UTF-8 text without regard to case.
QString matched(const QByteArray &raw) { return inifile::utf8Text(raw).toCaseFolded(); }
constexpr inifile::Names kProfileNames{matched, matched};

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

QString profileValue(const QByteArray &data, const QString &section, const QString &key,
                     const QString &defaultValue)
{
    const Document doc = Document::fromBytes(data);
    const qsizetype i =
        inifile::Index(doc, kProfileNames).find(section.trimmed().toCaseFolded(), key.trimmed().toCaseFolded());
    if (i < 0)
        return defaultValue;
    const inifile::Line &line = doc.lines[i];
    const qsizetype start = inifile::classify(line.text, i == 0).valueStart;
    return inifile::utf8Text(cutValue(line.text.mid(start)));
}

bool setProfileValue(QByteArray *data, const QString &section, const QString &key, const QString &value,
                     QString *error)
{
    const QString sec = section.trimmed();
    const QString k = key.trimmed();
    if (QString problem = nameProblem(sec, k); !problem.isEmpty())
        return fail(error, problem);
    // A line break in the value would start lines of its own.
    if (value.contains(u'\n') || value.contains(u'\r'))
        return fail(error, QStringLiteral("值含有换行符"));
    Document doc = Document::fromBytes(*data);
    doc.setValues(kProfileNames, sec.toCaseFolded(), sec.toUtf8(), {{k.toCaseFolded(), k.toUtf8(), value.toUtf8()}});
    *data = doc.toBytes();
    return true;
}

QString ReadIni(const QString &section, const QString &key, const QString &defaultValue,
                const QString &file)
{
    QByteArray data;
    switch (readRegularFile(file, &data)) {
    case ReadStatus::Missing: return defaultValue;
    case ReadStatus::Failed: return QString();
    case ReadStatus::Ok: break;
    }
    return profileValue(data, section, key, defaultValue);
}

bool WriteIni(const QString &section, const QString &key, const QString &value, const QString &file,
              QString *error)
{
    QByteArray old;
    const ReadStatus status = readRegularFile(file, &old, error);
    if (status == ReadStatus::Failed)
        return false; // never replace what could not be read
    QByteArray data = old;
    if (!setProfileValue(&data, section, key, value, error))
        return false;
    if (status == ReadStatus::Ok && data == old)
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
