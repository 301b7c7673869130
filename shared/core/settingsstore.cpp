#include "shared/core/settingsstore.h"

#include "shared/core/failure.h"
#include "shared/core/filebytes.h"
#include "shared/core/iniescape.h"
#include "shared/core/inifile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrik::core {

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

QString matchedSection(const QByteArray &raw) { return sectionName(raw).toCaseFolded(); }
QString matchedKey(const QByteArray &raw) { return inistore::unescapedName(raw).toCaseFolded(); }
constexpr inifile::Names kNames{matchedSection, matchedKey};

const QString kLockedText = QStringLiteral("设置文件正被另一个程序锁定，解除锁定后会自动保存。");

// A file parsed once, with its keys found on demand.
class Parsed {
public:
    explicit Parsed(const QByteArray &data) : doc_(Document::fromBytes(data)), index_(doc_, kNames) {}
    Parsed(const Parsed &) = delete;
    Parsed &operator=(const Parsed &) = delete;

    std::optional<QString> value(const QString &section, const QString &key) const
    {
        const qsizetype i = index_.find(section.toCaseFolded(), key.toCaseFolded());
        if (i < 0)
            return std::nullopt;
        const QByteArray &text = doc_.lines[i].text;
        return inistore::unescapedValue(text.mid(inifile::classify(text, i == 0).valueStart));
    }

private:
    Document doc_;
    inifile::Index index_;
};

// Tells whether the file at a path is still the one read before.
struct Identity {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = -1;
    qint64 mtime = 0;
    qint64 ctime = 0;
    bool operator==(const Identity &o) const
    {
        return dev == o.dev && ino == o.ino && size == o.size && mtime == o.mtime && ctime == o.ctime;
    }
};

std::optional<Identity> identityOf(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    auto ns = [](const timespec &t) { return qint64(t.tv_sec) * 1000000000LL + t.tv_nsec; };
    return Identity{st.st_dev, st.st_ino, st.st_size, ns(st.st_mtim), ns(st.st_ctim)};
}

struct Entry {
    QString section;
    QString key;
    QString value;
};

bool sameKey(const Entry &a, const Entry &b)
{
    return a.section.compare(b.section, Qt::CaseInsensitive) == 0 && a.key.compare(b.key, Qt::CaseInsensitive) == 0;
}

// The file's bytes with every entry set, section by section in their first order.
QByteArray applied(const QByteArray &data, const QList<Entry> &entries)
{
    Document doc = Document::fromBytes(data);
    QList<Entry> rest = entries;
    while (!rest.isEmpty()) {
        const QString section = rest.first().section;
        QList<Document::Change> changes;
        QList<Entry> others;
        for (const Entry &e : rest) {
            if (e.section.compare(section, Qt::CaseInsensitive) == 0)
                changes.append({e.key.toCaseFolded(), inistore::escapedName(e.key), inistore::escapedValue(e.value)});
            else
                others.append(e);
        }
        doc.setValues(kNames, section.toCaseFolded(), sectionText(section), changes);
        rest = others;
    }
    return doc.toBytes();
}

// Every key of a file, in its order.
QList<Entry> entriesOf(const QByteArray &data)
{
    QList<Entry> out;
    const Document doc = Document::fromBytes(data);
    QString section;
    for (qsizetype i = 0; i < doc.lines.size(); ++i) {
        const QByteArray &text = doc.lines[i].text;
        const inifile::LineInfo info = inifile::classify(text, i == 0);
        if (info.kind == inifile::LineKind::Section)
            section = sectionName(info.name);
        else if (info.kind == inifile::LineKind::Key)
            out.append({section, inistore::unescapedName(info.name),
                        inistore::unescapedValue(text.mid(info.valueStart))});
    }
    return out;
}

// The files of changes kept by programs that ended while the lock was held elsewhere,
// oldest first (their names begin with the time).
QStringList keptFiles(const QString &storePath)
{
    const QFileInfo store(storePath);
    const QRegularExpression name(QStringLiteral("^") + QRegularExpression::escape(store.fileName())
                                  + QStringLiteral("\\.unsaved-\\d{20}-\\d+$"));
    QStringList out;
    for (const QString &f : QDir(store.absolutePath()).entryList({store.fileName() + QStringLiteral(".unsaved-*")},
                                                                  QDir::Files | QDir::System, QDir::Name))
        if (name.match(f).hasMatch())
            out.append(store.absoluteDir().filePath(f));
    return out;
}

QList<Entry> keptEntries(const QStringList &files)
{
    QList<Entry> out;
    for (const QString &f : files) {
        QByteArray data;
        if (readRegularFile(f, &data) == ReadStatus::Ok)
            out += entriesOf(data);
    }
    return out;
}

// Reads the file afresh and writes it with the entries set, after the changes kept by
// ended programs (older than anything this process still has to write), whose files
// then go. The caller holds the lock.
bool writeEntries(const QString &path, const QList<Entry> &entries, QString *error)
{
    QByteArray old;
    const ReadStatus status = readRegularFile(path, &old, error);
    if (status == ReadStatus::Failed)
        return false; // never replace what could not be read
    const QStringList kept = keptFiles(path);
    const QByteArray data = applied(old, keptEntries(kept) + entries);
    if (status != ReadStatus::Ok || data != old) {
        QString why;
        if (!inifile::writeAtomically(path, data, &why))
            return fail(error, QStringLiteral("无法写入设置文件“%1”：%2").arg(path, why));
    }
    for (const QString &f : kept)
        QFile::remove(f);
    return true;
}

QString lockErrorText(const QString &path, int err)
{
    return QStringLiteral("无法锁定设置文件（锁文件“%1”）：%2").arg(path, systemErrorText(err));
}

int openLock(const QString &path, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0)
        fail(error, lockErrorText(path, errno));
    return fd;
}

} // namespace

// What the store shares with the thread that waits for another process's lock. The
// thread keeps it alive; the store may be gone by the time the lock comes.
struct IniSettingsStore::Shared {
    struct App {
        QList<Entry> pending;  // saved, not yet written; one entry per key, in order
        QList<Entry> inflight; // being written now
        quint64 saved = 0;     // number of the last save
        quint64 written = 0;   // every save up to this number is on disk
        quint64 failed = 0;    // ... or failed, up to this one
        QString failure;       // why
        bool waiting = false;  // a thread waits for the lock
        std::optional<Identity> id;
        std::shared_ptr<const Parsed> parsed;
        QString problem;
        // The changes kept by ended programs, as the folder held them when last looked at.
        std::optional<Identity> folderId;
        QList<Entry> kept;
    };

    std::mutex m;
    std::condition_variable cv;
    QString folder;
    QHash<QString, App> apps;
    bool closing = false;

    QString filePath(const QString &app) const { return QDir(folder).filePath(app + QStringLiteral(".ini")); }
    // A new file for this process's kept changes; its name sorts by time.
    QString keptPath(const QString &app) const
    {
        timespec ts = {};
        ::clock_gettime(CLOCK_REALTIME, &ts);
        const qint64 ns = qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
        return filePath(app) + QStringLiteral(".unsaved-%1-%2").arg(ns, 20, 10, QChar(u'0')).arg(::getpid());
    }
    QString lockPath(const QString &app) const { return filePath(app) + QStringLiteral(".lck"); }
    // Nothing left to write and nothing being written; the caller holds m.
    bool idle() const
    {
        for (const App &a : apps)
            if (!a.pending.isEmpty() || !a.inflight.isEmpty())
                return false;
        return true;
    }

    // Writes everything pending for the app; the caller holds the file lock, not m.
    bool writePending(const QString &app, QString *error)
    {
        std::unique_lock<std::mutex> lk(m);
        App &a = apps[app];
        a.inflight = std::move(a.pending);
        a.pending.clear();
        const quint64 through = a.saved;
        const QList<Entry> entries = a.inflight;
        lk.unlock();
        QString why;
        const bool ok = writeEntries(filePath(app), entries, &why);
        lk.lock();
        a.inflight.clear();
        if (ok) {
            a.written = std::max(a.written, through);
        } else {
            a.failed = std::max(a.failed, through);
            a.failure = why;
            fail(error, why);
        }
        cv.notify_all();
        return ok;
    }

    // The thread that waits for another process's lock, then writes what is pending;
    // again while more comes in.
    static void waitAndWrite(std::shared_ptr<Shared> self, QString app)
    {
        for (;;) {
            QString why;
            const int fd = openLock(self->lockPath(app), &why);
            const int err = fd < 0 ? -1 : flockRetrying(fd, LOCK_EX);
            if (err > 0)
                why = lockErrorText(self->lockPath(app), err);
            std::unique_lock<std::mutex> lk(self->m);
            App &a = self->apps[app];
            if (err != 0 || self->closing || a.pending.isEmpty()) {
                if (err != 0 && !a.pending.isEmpty()) {
                    a.failed = a.saved;
                    a.failure = why;
                    a.pending.clear();
                }
                a.waiting = false;
                self->cv.notify_all();
                lk.unlock();
                if (fd >= 0)
                    ::close(fd);
                return;
            }
            lk.unlock();
            self->writePending(app, nullptr);
            ::close(fd);
        }
    }
};

IniSettingsStore::IniSettingsStore(QString folder) : shared_(std::make_shared<Shared>())
{
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    shared_->folder = folder;
}

IniSettingsStore::~IniSettingsStore()
{
    // A waiting thread that gets the lock from now on writes nothing; one that is
    // writing finishes first.
    std::unique_lock<std::mutex> lk(shared_->m);
    shared_->closing = true;
    shared_->cv.wait(lk, [this] {
        for (const Shared::App &a : std::as_const(shared_->apps))
            if (!a.inflight.isEmpty())
                return false;
        return true;
    });
}

QString IniSettingsStore::filePath(const QString &app) const { return shared_->filePath(app); }

QString IniSettingsStore::lockPath(const QString &app) const { return shared_->lockPath(app); }

QString IniSettingsStore::read(const QString &app, const QString &section, const QString &key,
                               const QString &defaultValue)
{
    std::lock_guard<std::mutex> g(shared_->m);
    Shared::App &a = shared_->apps[app];
    const Entry wanted{section, key, QString()};
    for (const QList<Entry> *list : {&a.pending, &a.inflight})
        for (const Entry &e : *list)
            if (sameKey(e, wanted))
                return e.value;

    // Kept changes are newer than the file; a folder that has not changed holds the same.
    const QString path = shared_->filePath(app);
    const std::optional<Identity> folderId = identityOf(shared_->folder);
    if (!folderId || !a.folderId || !(*folderId == *a.folderId)) {
        a.folderId = folderId;
        a.kept = keptEntries(keptFiles(path));
    }
    for (auto e = a.kept.crbegin(); e != a.kept.crend(); ++e)
        if (sameKey(*e, wanted))
            return e->value;

    // Saves replace the file by rename, so an unlocked read sees one whole version.
    const std::optional<Identity> id = identityOf(path);
    if (!id || !a.id || !(*id == *a.id)) {
        a.parsed.reset();
        a.problem.clear();
        a.id.reset();
        QByteArray data;
        QString why;
        const ReadStatus status = readRegularFile(path, &data, &why);
        if (status == ReadStatus::Failed)
            a.problem = why;
        if (status != ReadStatus::Ok)
            return defaultValue;
        // Read what was stat'ed, or a newer file: the next read checks again.
        a.id = id;
        a.parsed = std::make_shared<const Parsed>(data);
    }
    return a.parsed->value(section, key).value_or(defaultValue);
}

bool IniSettingsStore::save(const QString &app, const QString &section, const QString &key,
                            const QString &value, QString *error)
{
    return saveAll(app, section, {{key, value}}, error);
}

bool IniSettingsStore::saveAll(const QString &app, const QString &section, const KeyValues &values,
                               QString *error)
{
    if (values.isEmpty())
        return true;
    Shared &sh = *shared_;
    if (!QDir().mkpath(sh.folder))
        return fail(error, QStringLiteral("无法创建文件夹“%1”。").arg(sh.folder));

    std::unique_lock<std::mutex> lk(sh.m);
    Shared::App &a = sh.apps[app];
    const quint64 mine = ++a.saved;
    for (const auto &kv : values) {
        const Entry e{section, kv.first, kv.second};
        a.pending.removeIf([&](const Entry &p) { return sameKey(p, e); });
        a.pending.append(e);
    }
    auto done = [&] { return a.written >= mine || a.failed >= mine; };
    auto result = [&] {
        if (a.written >= mine)
            return true;
        return fail(error, a.failed >= mine ? a.failure : kLockedText);
    };

    if (!a.waiting) {
        lk.unlock();
        QString why;
        const int fd = openLock(sh.lockPath(app), &why);
        const int err = fd < 0 ? -1 : flockRetrying(fd, LOCK_EX | LOCK_NB);
        if (err > 0 && err != EWOULDBLOCK)
            why = lockErrorText(sh.lockPath(app), err);
        if (err == 0) {
            sh.writePending(app, nullptr);
            ::close(fd);
            lk.lock();
            return result();
        }
        const bool busy = fd >= 0 && err == EWOULDBLOCK;
        if (fd >= 0)
            ::close(fd);
        lk.lock();
        if (!busy) {
            // Not a lock held elsewhere: nothing to wait for, so nothing is kept.
            a.pending.clear();
            a.failed = a.saved;
            a.failure = why;
            return fail(error, why);
        }
        if (!a.waiting) {
            try {
                std::thread(&Shared::waitAndWrite, shared_, app).detach();
                a.waiting = true;
            } catch (const std::system_error &e) {
                a.pending.clear();
                a.failed = a.saved;
                a.failure = QString::fromLocal8Bit(e.what());
                return fail(error, a.failure);
            }
        }
    }
    sh.cv.wait_for(lk, std::chrono::milliseconds(lockWaitMs_), done);
    return result();
}

bool IniSettingsStore::pending()
{
    std::lock_guard<std::mutex> g(shared_->m);
    return !shared_->idle();
}

bool IniSettingsStore::flush(int timeoutMs)
{
    std::unique_lock<std::mutex> lk(shared_->m);
    return shared_->cv.wait_for(lk, std::chrono::milliseconds(timeoutMs), [this] { return shared_->idle(); });
}

QString IniSettingsStore::finish(int timeoutMs)
{
    flush(timeoutMs);
    QStringList report;
    std::lock_guard<std::mutex> g(shared_->m);
    for (auto it = shared_->apps.begin(); it != shared_->apps.end(); ++it) {
        Shared::App &a = it.value();
        if (a.pending.isEmpty()) {
            // The last save failed for good (an unusable file): the program said so in
            // a box, which an ending by a signal may never have shown.
            if (a.failed > a.written)
                report << QStringLiteral("最后的设置没有保存：%1").arg(a.failure);
            continue;
        }
        // Taken from the waiting thread under the mutex: it finds nothing left to write.
        const QString store = shared_->filePath(it.key());
        const QString kept = shared_->keptPath(it.key());
        QString why;
        if (inifile::writeAtomically(kept, applied(QByteArray(), a.pending), &why)) {
            a.written = a.saved;
            report << QStringLiteral("设置文件“%1”被另一个程序锁定，还没有保存的 %2 项设置已存入“%3”，"
                                     "以后任何一次保存设置时会写入设置文件。")
                          .arg(store)
                          .arg(a.pending.size())
                          .arg(kept);
        } else {
            a.failed = a.saved;
            a.failure = why;
            report << QStringLiteral("设置文件“%1”被另一个程序锁定，还没有保存的 %2 项设置也无法另存（%3），已经丢失。")
                          .arg(store)
                          .arg(a.pending.size())
                          .arg(why);
        }
        a.pending.clear();
    }
    shared_->cv.notify_all();
    return report.join(u'\n');
}

QString IniSettingsStore::problem(const QString &app)
{
    std::lock_guard<std::mutex> g(shared_->m);
    const auto it = shared_->apps.constFind(app);
    return it == shared_->apps.constEnd() ? QString() : it->problem;
}

namespace storefile {

std::optional<QString> value(const QByteArray &data, const QString &section, const QString &key)
{
    return Parsed(data).value(section, key);
}

QByteArray withValues(const QByteArray &data, const QString &section, const KeyValues &values)
{
    QList<Entry> entries;
    for (const auto &kv : values)
        entries.append({section, kv.first, kv.second});
    return applied(data, entries);
}

} // namespace storefile

} // namespace tavrik::core
