#include "shared/core/displaysettings.h"

#include "shared/core/numtext.h"
#include "shared/core/precision.h"
#include "shared/core/settingsstore.h"

namespace tavrik::core {

namespace {

QString read(SettingsStore &store, const QString &key)
{
    return store.read(kSettingsApp, kDisplaySection, key, QString());
}

} // namespace

int checkedSpeed(int speed) { return precisionInterval(speed) < 0 ? kDefaultSpeed : speed; }

int readSpeed(SettingsStore &store)
{
    return parseRounded(read(store, QStringLiteral("Speed")), 0, kPrecisionCount - 1).value_or(kDefaultSpeed);
}

bool saveSpeed(SettingsStore &store, int speed, QString *error)
{
    return store.save(kSettingsApp, kDisplaySection, QStringLiteral("Speed"), QString::number(speed), error);
}

bool readOnTop(SettingsStore &store) { return parseBool(read(store, QStringLiteral("OnTop"))).value_or(true); }

bool saveOnTop(SettingsStore &store, bool on, QString *error)
{
    return store.save(kSettingsApp, kDisplaySection, QStringLiteral("OnTop"), on ? QStringLiteral("255") : QStringLiteral("0"),
                      error);
}

} // namespace tavrik::core
