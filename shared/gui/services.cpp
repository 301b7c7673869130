#include "shared/gui/services.h"

#include "shared/core/clock.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/launcher.h"
#include "shared/gui/sound.h"
#include "shared/core/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace tavrik::gui {

namespace {

Services makeReal()
{
    static core::SystemClock clock;
    static core::IniSettingsStore store;
    static QtDialogs dialogs;
    static DesktopLauncher launcher;
    static QtSound sound;
    Services s;
    s.clock = &clock;
    s.store = &store;
    s.dialogs = &dialogs;
    s.launcher = &launcher;
    s.sound = &sound;
    return s;
}

} // namespace

Services &services()
{
    static Services current = makeReal();
    return current;
}

ScopedServices::ScopedServices(const Services &s) : saved_(services())
{
    Services &cur = services();
    if (s.clock)
        cur.clock = s.clock;
    if (s.store)
        cur.store = s.store;
    if (s.dialogs)
        cur.dialogs = s.dialogs;
    if (s.launcher)
        cur.launcher = s.launcher;
    if (s.sound)
        cur.sound = s.sound;
    cur.appDir = s.appDir;
    cur.appDirAccess = s.appDirAccess;
    cur.userDir = s.userDir;
}

ScopedServices::~ScopedServices() { services() = saved_; }

QString AppDir()
{
    QString dir = services().appDir;
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

QString UserDir()
{
    if (!services().userDir.isEmpty())
        return services().userDir;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(core::kSettingsApp);
}

core::ProfileLocation profileFile(const QString &fileName)
{
    return core::ProfileLocation(AppDir(), UserDir(), fileName, services().appDirAccess);
}

QString readSetting(const QString &section, const QString &key, const QString &defaultValue)
{
    return services().store->read(core::kSettingsApp, section, key, defaultValue);
}

bool saveSetting(const QString &section, const QString &key, const QString &value, QString *error)
{
    return services().store->save(core::kSettingsApp, section, key, value, error);
}

} // namespace tavrik::gui
