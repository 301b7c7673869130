#include "vexo/engine/settings.h"

#include "shared/core/numtext.h"

namespace vexo {

namespace {

QString read(tavrik::core::SettingsStore &store, const QString &key)
{
    return store.read(tavrik::core::kSettingsApp, kDisplaySection, key, QString());
}

bool save(tavrik::core::SettingsStore &store, const QString &key, const QString &value, QString *error)
{
    return store.save(tavrik::core::kSettingsApp, kDisplaySection, key, value, error);
}

bool readBool(tavrik::core::SettingsStore &store, const QString &key, bool def)
{
    return tavrik::core::parseBool(read(store, key)).value_or(def);
}

int readInt(tavrik::core::SettingsStore &store, const QString &key, int lo, int hi, int def)
{
    return tavrik::core::parseRounded(read(store, key), lo, hi).value_or(def);
}

} // namespace

QString borderStyleKey(Bordered label)
{
    static const char *const kKey[kBorderedCount] = {"TimeBorderStyle", "TimerBorderStyle", "lblDateBorderStyle",
                                                     "Label1BorderStyle", "label2BorderStyle"};
    return QString::fromLatin1(kKey[size_t(label)]);
}

Settings readSettings(tavrik::core::SettingsStore &store)
{
    Settings s;
    s.mA60 = readBool(store, QStringLiteral("mA60"), s.mA60);
    s.mB60 = readBool(store, QStringLiteral("mB60"), s.mB60);
    for (int i = 0; i < kBorderedCount; ++i)
        s.borderStyle[size_t(i)] = readInt(store, borderStyleKey(Bordered(i)), 0, 1, s.borderStyle[size_t(i)]);
    s.Speed = tavrik::core::readSpeed(store);
    s.OnTop = tavrik::core::readOnTop(store);
    return s;
}

bool saveBorderStyles(tavrik::core::SettingsStore &store, const Settings &settings, QString *error)
{
    tavrik::core::KeyValues values;
    for (int i = 0; i < kBorderedCount; ++i)
        values.append({borderStyleKey(Bordered(i)), QString::number(settings.borderStyle[size_t(i)])});
    return store.saveAll(tavrik::core::kSettingsApp, kDisplaySection, values, error);
}

bool saveA60(tavrik::core::SettingsStore &store, bool checked, QString *error)
{
    return save(store, QStringLiteral("mA60"), checked ? QStringLiteral("1") : QStringLiteral("0"), error);
}

bool saveB60(tavrik::core::SettingsStore &store, bool checked, QString *error)
{
    return save(store, QStringLiteral("mB60"), checked ? QStringLiteral("1") : QStringLiteral("0"), error);
}

} // namespace vexo
