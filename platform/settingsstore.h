#pragma once

#include <QList>
#include <QString>
#include <map>
#include <memory>
#include <utility>

class QSettings;

namespace platform {

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

// One INI file per application in a folder (the user's config folder by default),
// through QSettings, which locks the file while it merges and replaces it atomically.
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

private:
    QSettings &settings(const QString &app);
    QString folder_;
    std::map<QString, std::unique_ptr<QSettings>> files_;
};

// Shortcuts for the programs' own application.
QString readSetting(const QString &section, const QString &key, const QString &defaultValue);
bool saveSetting(const QString &section, const QString &key, const QString &value);

} // namespace platform
