#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <utility>

namespace tavrik::core {

// The application both programs keep their settings under.
inline const QString kSettingsApp = QStringLiteral("BriselSoftware");

using KeyValues = QList<std::pair<QString, QString>>;

// Per-user key-value store addressed by application, section and key; values are text.
// Sections and keys match without regard to case.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString read(const QString &app, const QString &section, const QString &key,
                         const QString &defaultValue) = 0;
    // Saves one key. True when it is on disk as the call returns; false with the
    // reason in *error otherwise (it may still be saved later, see pending()).
    virtual bool save(const QString &app, const QString &section, const QString &key,
                      const QString &value, QString *error = nullptr) = 0;
    // Saves several keys of one section as one change: a crash leaves either all of
    // them or none.
    virtual bool saveAll(const QString &app, const QString &section, const KeyValues &values,
                         QString *error = nullptr) = 0;
    // Saves that wait to be written (another process holds the file) exist.
    virtual bool pending() { return false; }
    // Waits at most timeoutMs for the waiting saves; true when none is left.
    virtual bool flush(int timeoutMs)
    {
        Q_UNUSED(timeoutMs);
        return true;
    }
    // The program ends: waits at most timeoutMs for the waiting saves, then keeps what
    // still waits where the next start of either program finds it. What happened, in
    // words for standard error; empty when every save is on disk.
    virtual QString finish(int timeoutMs) { return flush(timeoutMs) ? QString() : QStringLiteral("设置没有全部保存。"); }
    // Why the application's file cannot be used as it is (not a regular file, too
    // large, unreadable), found by the last read; empty when it can.
    virtual QString problem(const QString &app)
    {
        Q_UNUSED(app);
        return QString();
    }
    // The file the application's settings live in; empty for a store without one.
    virtual QString filePath(const QString &app) const
    {
        Q_UNUSED(app);
        return QString();
    }
};

// One INI file per application in a folder (the user's config folder by default), in
// the INI dialect QSettings reads: "[Section]", "Key=Value" with its escapes. Sections
// and keys are found by their stored spelling, without regard to case.
//
// Every save holds an exclusive lock (flock on "<app>.ini.lck", dropped by the kernel
// when a process dies, so a killed process never leaves a lock behind), reads the file
// afresh, changes only the lines of its keys, and replaces the file atomically after
// flushing it and its folder to disk. Two processes therefore never lose each other's
// keys, and a crash leaves the old file or the new one.
//
// The calling thread never waits long for that lock: when another process holds it,
// the save is handed to a thread that waits for it and writes everything saved by
// then, and the call returns false after a short wait ("locked"). Until then reads in
// this process see the saved values.
//
// Reads parse the file once and keep it while it is the same file (device, inode,
// size, times): a save by another process replaces the file, so a read still sees
// what was saved last. Only a regular file up to kMaxSettingsFileBytes is read; any
// other reads as defaults and is never replaced (problem() says why).
//
// A program that ends while the lock is still held elsewhere (finish()) writes what
// waits into a file of its own beside the store, "<app>.ini.unsaved-<time>-<pid>",
// whole or not at all, without the lock. Every read sees those values over the
// store's, and the next save of any process, holding the lock, writes them into the
// store first and removes their files: nothing saved is lost to a lock, and no
// process waits on one at its end.
class IniSettingsStore final : public SettingsStore {
public:
    // An empty folder means the user's config folder ($XDG_CONFIG_HOME, else ~/.config).
    explicit IniSettingsStore(QString folder = QString());
    ~IniSettingsStore() override;
    IniSettingsStore(const IniSettingsStore &) = delete;
    IniSettingsStore &operator=(const IniSettingsStore &) = delete;

    QString read(const QString &app, const QString &section, const QString &key,
                 const QString &defaultValue) override;
    bool save(const QString &app, const QString &section, const QString &key,
              const QString &value, QString *error = nullptr) override;
    bool saveAll(const QString &app, const QString &section, const KeyValues &values,
                 QString *error = nullptr) override;
    bool pending() override;
    bool flush(int timeoutMs) override;
    QString finish(int timeoutMs) override;
    QString problem(const QString &app) override;

    QString filePath(const QString &app) const override;
    QString lockPath(const QString &app) const;

    // How long a save waits for another process's lock before it leaves the save to
    // the waiting thread and returns.
    void setLockWait(int ms) { lockWaitMs_ = ms; }

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
    int lockWaitMs_ = 100;
};

// What a store file holds, on its bytes; the store's own reading and writing, kept
// apart from the file for tests and fuzzing.
namespace storefile {
// The value of a key, or nothing.
std::optional<QString> value(const QByteArray &data, const QString &section, const QString &key);
// The bytes with the keys of one section set, every other line kept.
QByteArray withValues(const QByteArray &data, const QString &section, const KeyValues &values);
} // namespace storefile

} // namespace tavrik::core
