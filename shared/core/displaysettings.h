#pragma once

#include <QString>

// The settings both programs keep in one section of the settings store and read and
// write alike: the precision ("Speed") and always-on-top ("OnTop"). Vexo3 keeps its
// display modes and heights in the same section.
namespace tavrik::core {

class SettingsStore;

inline const QString kDisplaySection = QStringLiteral("Tavrik");

// A precision index as chosen: one that is no index is the default.
int checkedSpeed(int speed);

// "Speed": a number, rounded ("2.6" is 3); anything that is no precision index, or no
// number at all, is the default.
int readSpeed(SettingsStore &store);
bool saveSpeed(SettingsStore &store, int speed, QString *error = nullptr);

// "OnTop": on unless stored off; written "255" for on and "0" for off.
bool readOnTop(SettingsStore &store);
bool saveOnTop(SettingsStore &store, bool on, QString *error = nullptr);

} // namespace tavrik::core
