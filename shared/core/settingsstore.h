#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
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
    // Saves one key; it is on disk when the call returns. False when it could not be.
    virtual bool save(const QString &app, const QString &section, const QString &key,
                      const QString &value) = 0;
    // Saves several keys of one section as one change: a crash leaves either all of
    // them or none.
    virtual bool saveAll(const QString &app, const QString &section, const KeyValues &values) = 0;
};

// One INI file per application in a folder (the user's config folder by default), in
// the INI dialect QSettings reads: "[Section]", "Key=Value" with its escapes. Sections
// and keys are found by their stored spelling, without regard to case.
//
// Every save holds an exclusive lock (flock on "<app>.ini.lck", dropped by the kernel
// when a process dies, so a killed process never leaves a lock behind), reads the file
// afresh, changes only the lines of its keys, and replaces the file atomically after
// flushing it and its folder to disk. Two processes therefore never lose each other's
// keys, and a crash leaves the old file or the new one. Nothing is cached between
// calls: a read always sees what the other program saved last.
class IniSettingsStore final : public SettingsStore {
public:
    // An empty folder means the user's config folder ($XDG_CONFIG_HOME, else ~/.config).
    explicit IniSettingsStore(QString folder = QString());
    ~IniSettingsStore() override;

    QString read(const QString &app, const QString &section, const QString &key,
                 const QString &defaultValue) override;
    bool save(const QString &app, const QString &section, const QString &key,
              const QString &value) override;
    bool saveAll(const QString &app, const QString &section, const KeyValues &values) override;

    QString filePath(const QString &app) const;
    QString lockPath(const QString &app) const;

    // How long a save waits for another process's lock before it gives up.
    void setLockTimeout(int ms) { lockTimeoutMs_ = ms; }

private:
    QString folder_;
    int lockTimeoutMs_ = 3000;
};

// The file forms of names and values, as QSettings writes and reads them.
namespace inistore {
QByteArray escapedName(const QString &name);
QString unescapedName(const QByteArray &raw);
QByteArray escapedValue(const QString &value);
// Unquoted commas are kept as text rather than splitting a list.
QString unescapedValue(const QByteArray &raw);
} // namespace inistore

} // namespace tavrik::core
