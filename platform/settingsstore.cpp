#include "platform/settingsstore.h"

#include "platform/services.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

namespace {

// The stored spelling of a name that matches without regard to case, or the name
// itself when nothing matches.
QString storedSpelling(const QStringList &names, const QString &name)
{
    if (names.contains(name))
        return name;
    for (const QString &n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return name;
}

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

QSettings &IniSettingsStore::settings(const QString &app)
{
    auto it = files_.find(app.toLower());
    if (it == files_.end()) {
        QDir().mkpath(folder_);
        auto s = std::make_unique<QSettings>(filePath(app), QSettings::IniFormat);
        it = files_.emplace(app.toLower(), std::move(s)).first;
    }
    return *it->second;
}

QString IniSettingsStore::read(const QString &app, const QString &section, const QString &key,
                               const QString &defaultValue)
{
    QSettings &s = settings(app);
    const QString group = storedSpelling(s.childGroups(), section);
    s.beginGroup(group);
    const QString k = storedSpelling(s.childKeys(), key);
    const QVariant v = s.value(k);
    s.endGroup();
    if (!v.isValid())
        return defaultValue;
    return v.toString();
}

bool IniSettingsStore::save(const QString &app, const QString &section, const QString &key,
                            const QString &value)
{
    return saveAll(app, section, {{key, value}});
}

bool IniSettingsStore::saveAll(const QString &app, const QString &section, const KeyValues &values)
{
    QSettings &s = settings(app);
    // Pick up what the other program wrote since, so that stored spellings are current.
    s.sync();
    s.beginGroup(storedSpelling(s.childGroups(), section));
    const QStringList keys = s.childKeys();
    for (const auto &kv : values)
        s.setValue(storedSpelling(keys, kv.first), kv.second);
    s.endGroup();
    // One sync writes the whole batch: QSettings merges under a lock file and replaces
    // the file atomically.
    s.sync();
    return s.status() == QSettings::NoError;
}

QString readSetting(const QString &section, const QString &key, const QString &defaultValue)
{
    return services().store->read(kSettingsApp, section, key, defaultValue);
}

bool saveSetting(const QString &section, const QString &key, const QString &value)
{
    return services().store->save(kSettingsApp, section, key, value);
}

} // namespace platform
