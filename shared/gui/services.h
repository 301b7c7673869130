#pragma once

#include <QString>

namespace tavrik::core {
class Clock;
class SettingsStore;
} // namespace tavrik::core

namespace tavrik::gui {

class Dialogs;
class Launcher;

// Everything the windows take from outside. The programs use the real ones; tests put
// fakes in with ScopedServices.
struct Services {
    core::Clock *clock = nullptr;
    core::SettingsStore *store = nullptr;
    Dialogs *dialogs = nullptr;
    Launcher *launcher = nullptr;
    // The program folder with a trailing "/"; empty means the executable's folder.
    QString appDir;
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

// The current store, for the programs' own application.
QString readSetting(const QString &section, const QString &key, const QString &defaultValue);
bool saveSetting(const QString &section, const QString &key, const QString &value);

} // namespace tavrik::gui
