#include "shared/core/settingsstore.h"

#include "shared/core/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tavrik::core {

namespace inistore {

namespace {

bool isHex(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

uint hexValue(char c)
{
    return c <= '9' ? uint(c - '0') : uint((c | 0x20) - 'a' + 10);
}

QByteArray hex(uint v, int width)
{
    return QByteArray::number(v, 16).toUpper().rightJustified(width, '0');
}

} // namespace

QByteArray escapedName(const QString &name)
{
    QByteArray out;
    for (QChar qc : name) {
        const char16_t c = qc.unicode();
        if (c == u'/') {
            out += '\\'; // QSettings' group separator
        } else if (c > 0x20 && c < 0x7F && !std::strchr("%=;\"\\[],#", char(c))) {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%' + hex(c, 2);
        } else {
            out += "%U" + hex(c, 4);
        }
    }
    return out;
}

QString unescapedName(const QByteArray &raw)
{
    const QString s = QString::fromUtf8(raw);
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s[i];
        if (c == u'\\') {
            out += u'/';
            ++i;
            continue;
        }
        if (c == u'%' && i + 1 < s.size()) {
            const bool wide = s[i + 1] == u'U';
            const qsizetype first = i + (wide ? 2 : 1);
            const int digits = wide ? 4 : 2;
            bool ok = first + digits <= s.size();
            for (qsizetype j = first; ok && j < first + digits; ++j)
                ok = isHex(s[j].unicode());
            if (ok) {
                out += QChar(s.mid(first, digits).toUShort(nullptr, 16));
                i = first + digits;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

QByteArray escapedValue(const QString &value)
{
    // A leading '@' marks a typed value for QSettings; a text one doubles it.
    const QString s = value.startsWith(u'@') ? u'@' + value : value;
    QByteArray out;
    QString plain; // characters written as UTF-8, collected so that pairs stay whole
    auto flush = [&] {
        out += plain.toUtf8();
        plain.clear();
    };
    bool needsQuotes = false;
    bool escapeNextIfHex = false;
    for (QChar qc : s) {
        const char16_t c = qc.unicode();
        if (c == u';' || c == u',' || c == u'=')
            needsQuotes = true;
        // After a numeric escape a hex digit would be read as part of it.
        if (escapeNextIfHex && isHex(c)) {
            flush();
            out += "\\x" + QByteArray::number(uint(c), 16);
            continue;
        }
        escapeNextIfHex = false;
        const char *named = nullptr;
        switch (c) {
        case u'\a': named = "\\a"; break;
        case u'\b': named = "\\b"; break;
        case u'\f': named = "\\f"; break;
        case u'\n': named = "\\n"; break;
        case u'\r': named = "\\r"; break;
        case u'\t': named = "\\t"; break;
        case u'\v': named = "\\v"; break;
        case u'"': named = "\\\""; break;
        case u'\\': named = "\\\\"; break;
        default: break;
        }
        if (named) {
            flush();
            out += named;
        } else if (c <= 0x1F) {
            flush();
            out += "\\x" + QByteArray::number(uint(c), 16);
            escapeNextIfHex = true;
        } else {
            plain += qc;
        }
    }
    flush();
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

QString unescapedValue(const QByteArray &raw)
{
    QString out;
    QByteArray bytes;  // plain bytes not yet decoded
    QByteArray blanks; // unquoted blanks, kept only when something follows
    auto flush = [&] {
        out += QString::fromUtf8(bytes);
        bytes.clear();
    };
    auto takeBlanks = [&] {
        bytes += blanks;
        blanks.clear();
    };
    auto appendChar = [&](char16_t c) {
        takeBlanks();
        flush();
        out += QChar(c);
    };

    bool quoted = false;
    qsizetype i = 0;
    while (i < raw.size() && inifile::isBlank(raw[i]))
        ++i;
    while (i < raw.size()) {
        const char c = raw[i++];
        if (c == '"') {
            takeBlanks();
            quoted = !quoted;
        } else if (c == ';' && !quoted) {
            break; // the rest of the line is a comment
        } else if (!quoted && inifile::isBlank(c)) {
            blanks += c;
        } else if (c != '\\') {
            takeBlanks();
            bytes += c;
        } else if (i < raw.size()) {
            const char e = raw[i++];
            switch (e) {
            case 'a': appendChar(u'\a'); break;
            case 'b': appendChar(u'\b'); break;
            case 'f': appendChar(u'\f'); break;
            case 'n': appendChar(u'\n'); break;
            case 'r': appendChar(u'\r'); break;
            case 't': appendChar(u'\t'); break;
            case 'v': appendChar(u'\v'); break;
            case 'x': {
                uint v = 0;
                while (i < raw.size() && isHex(uchar(raw[i])))
                    v = (v * 16 + hexValue(raw[i++])) & 0xFFFF;
                appendChar(char16_t(v));
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    uint v = uint(e - '0');
                    while (i < raw.size() && raw[i] >= '0' && raw[i] <= '7')
                        v = (v * 8 + uint(raw[i++] - '0')) & 0xFFFF;
                    appendChar(char16_t(v));
                } else {
                    takeBlanks();
                    bytes += e; // \" \\ \' \? and anything else: the character itself
                }
            }
        }
    }
    flush();

    if (out.startsWith(QLatin1String("@@")))
        out.remove(0, 1);
    else if (out.endsWith(u')')) {
        for (QLatin1String typed : {QLatin1String("@String("), QLatin1String("@ByteArray(")})
            if (out.startsWith(typed))
                return out.mid(typed.size(), out.size() - typed.size() - 1);
    }
    return out;
}

} // namespace inistore

namespace {

using inifile::Document;

// QSettings keeps the keys outside any section under [General], and a section really
// called "General" as [%General].
QString sectionName(const QByteArray &raw)
{
    if (raw.compare("general", Qt::CaseInsensitive) == 0)
        return QString();
    if (raw.compare("%general", Qt::CaseInsensitive) == 0)
        return QStringLiteral("General");
    return inistore::unescapedName(raw);
}

QByteArray sectionText(const QString &section)
{
    if (section.isEmpty())
        return QByteArrayLiteral("General");
    if (section.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0)
        return QByteArrayLiteral("%General");
    return inistore::escapedName(section);
}

Document::NameMatch sectionMatch(const QString &section)
{
    return [section](const QByteArray &raw) {
        return sectionName(raw).compare(section, Qt::CaseInsensitive) == 0;
    };
}

Document::NameMatch keyMatch(const QString &key)
{
    return [key](const QByteArray &raw) {
        return inistore::unescapedName(raw).compare(key, Qt::CaseInsensitive) == 0;
    };
}

// An exclusive flock on a lock file that stays in place. The kernel drops the lock
// with the last descriptor, so a process that dies holding it leaves nothing stale.
class FileLock {
public:
    FileLock(const QString &path, int timeoutMs)
    {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0)
            return;
        int r;
        do
            r = ::flock(fd_, LOCK_EX | LOCK_NB);
        while (r != 0 && errno == EINTR);
        if (r == 0) {
            locked_ = true;
            return;
        }
        if (errno != EWOULDBLOCK)
            return;
        locked_ = waitInThread(timeoutMs);
    }
    ~FileLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;
    bool locked() const { return locked_; }

private:
    // A blocking flock queues behind the holder, where polling would rarely catch the
    // moment between two saves of a busy writer. It cannot time out, so it runs in a
    // thread; when we stop waiting, the thread takes the descriptor and closes it as
    // soon as the lock comes, which gives the lock straight back.
    bool waitInThread(int timeoutMs)
    {
        struct Wait {
            std::mutex m;
            std::condition_variable cv;
            int fd = -1;
            bool done = false;
            bool ok = false;
            bool abandoned = false;
        };
        auto w = std::make_shared<Wait>();
        w->fd = fd_;
        try {
            std::thread([w] {
                int r;
                do
                    r = ::flock(w->fd, LOCK_EX);
                while (r != 0 && errno == EINTR);
                std::lock_guard<std::mutex> g(w->m);
                w->done = true;
                w->ok = r == 0;
                if (w->abandoned)
                    ::close(w->fd);
                w->cv.notify_all();
            }).detach();
        } catch (const std::system_error &) {
            return false;
        }
        std::unique_lock<std::mutex> lk(w->m);
        if (w->cv.wait_for(lk, std::chrono::milliseconds(timeoutMs), [&] { return w->done; }))
            return w->ok;
        w->abandoned = true;
        fd_ = -1; // the thread closes it
        return false;
    }

    int fd_ = -1;
    bool locked_ = false;
};

} // namespace

IniSettingsStore::IniSettingsStore(QString folder) : folder_(std::move(folder))
{
    if (folder_.isEmpty())
        folder_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::filePath(const QString &app) const
{
    return QDir(folder_).filePath(app + QStringLiteral(".ini"));
}

QString IniSettingsStore::lockPath(const QString &app) const
{
    return filePath(app) + QStringLiteral(".lck");
}

QString IniSettingsStore::read(const QString &app, const QString &section, const QString &key,
                               const QString &defaultValue)
{
    // Saves replace the file by rename, so an unlocked read sees one whole version.
    QFile f(filePath(app));
    if (!f.open(QIODevice::ReadOnly))
        return defaultValue;
    const Document doc = Document::fromBytes(f.readAll());
    const qsizetype i = doc.findKey(sectionMatch(section), keyMatch(key));
    if (i < 0)
        return defaultValue;
    const QByteArray &text = doc.lines[i].text;
    return inistore::unescapedValue(text.mid(inifile::classify(text, i == 0).valueStart));
}

bool IniSettingsStore::save(const QString &app, const QString &section, const QString &key,
                            const QString &value)
{
    return saveAll(app, section, {{key, value}});
}

bool IniSettingsStore::saveAll(const QString &app, const QString &section, const KeyValues &values)
{
    if (values.isEmpty())
        return true;
    if (!QDir().mkpath(folder_))
        return false;
    FileLock lock(lockPath(app), lockTimeoutMs_);
    if (!lock.locked())
        return false;

    // Read afresh under the lock: whatever another process saved is kept.
    const QString path = filePath(app);
    const bool exists = QFileInfo::exists(path);
    QByteArray old;
    if (exists) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return false; // never replace what could not be read
        old = f.readAll();
        if (f.error() != QFileDevice::NoError)
            return false;
    }

    Document doc = Document::fromBytes(old);
    const QByteArray header = sectionText(section);
    for (const auto &kv : values)
        doc.setValue(sectionMatch(section), keyMatch(kv.first), header,
                     inistore::escapedName(kv.first), inistore::escapedValue(kv.second));
    const QByteArray data = doc.toBytes();
    if (exists && data == old)
        return true;
    return inifile::writeAtomically(path, data);
}

} // namespace tavrik::core
