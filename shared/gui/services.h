#pragma once

#include "shared/core/profilelocation.h"

#include <QString>

namespace tavrik::core {
class Clock;
class SettingsStore;
} // namespace tavrik::core

namespace tavrik::gui {

class Dialogs;
class Launcher;
class Sound;

// Everything the windows take from outside. The programs use the real ones; tests put
// fakes in with ScopedServices.
struct Services {
    core::Clock *clock = nullptr;
    core::SettingsStore *store = nullptr;
    Dialogs *dialogs = nullptr;
    Launcher *launcher = nullptr;
    Sound *sound = nullptr;
    // The program folder with a trailing "/"; empty means the executable's folder.
    QString appDir;
    // Whether the program folder takes the profile file's writes; Probe asks the file
    // system.
    core::ProfileLocation::FolderAccess appDirAccess = core::ProfileLocation::FolderAccess::Probe;
    // The user's own folder for what the program folder cannot take; empty means
    // "BriselSoftware" in the user's config folder.
    QString userDir;
};

// The current services; the real implementations are made on first use.
Services &services();

class ScopedServices {
public:
    explicit ScopedServices(const Services &s);
    ~ScopedServices();
    ScopedServices(const ScopedServices &) = delete;
    ScopedServices &operator=(const ScopedServices &) = delete;

private:
    Services saved_;
};

// The program's folder, ending with "/".
QString AppDir();

// The user's own folder (see Services::userDir).
QString UserDir();

// A profile file of the program folder, or the user's copy of it.
core::ProfileLocation profileFile(const QString &fileName);

// The current store, for the programs' own application.
QString readSetting(const QString &section, const QString &key, const QString &defaultValue);
bool saveSetting(const QString &section, const QString &key, const QString &value, QString *error = nullptr);

} // namespace tavrik::gui
