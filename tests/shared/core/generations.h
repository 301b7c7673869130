#pragma once

#include "shared/core/numtext.h"
#include "shared/core/settingsstore.h"

// A state of many keys (shaped like a program's running state: times, dates, texts
// with commas, flags) that follows from one number, so that a state read back can be
// checked to be one whole generation: every key has to agree with the same number.
namespace testing {

inline const QString kGenerationSection = QStringLiteral("Setting");

inline tavrik::core::KeyValues generation(qint32 g)
{
    tavrik::core::KeyValues kv;
    kv.append({QStringLiteral("StartTime"), tavrik::core::shortestText(float(g % 100000) / 8.0f)});
    kv.append({QStringLiteral("StartDate"), QString::number(g)});
    kv.append({QStringLiteral("PauseTime"), tavrik::core::shortestText(float(g % 1000) * 0.1f)});
    kv.append({QStringLiteral("PauseDate"), QString::number(g + 1)});
    kv.append({QStringLiteral("TimerEnabled"), g % 2 == 1 ? QStringLiteral("True") : QStringLiteral("False")});
    kv.append({QStringLiteral("TimeString"), QStringLiteral("%1:%2:%3.457")
                                                 .arg(g / 3600)
                                                 .arg(g / 60 % 60, 2, 10, QLatin1Char('0'))
                                                 .arg(g % 60, 2, 10, QLatin1Char('0'))});
    kv.append({QStringLiteral("TimerString"), QString::number(g) + QStringLiteral(".5,x")});
    for (int i = 0; i < 8; ++i) {
        kv.append({QStringLiteral("CMD(%1).Enabled").arg(i), (g >> i) & 1 ? QStringLiteral("-1") : QStringLiteral("0")});
        kv.append({QStringLiteral("CMD(%1).Visible").arg(i), (g >> (i + 1)) & 1 ? QStringLiteral("-1") : QStringLiteral("0")});
    }
    return kv;
}

inline bool saveGeneration(tavrik::core::SettingsStore &store, qint32 g)
{
    return store.saveAll(tavrik::core::kSettingsApp, kGenerationSection, generation(g));
}

// The generation a stored StartDate names, or -1.
inline qint32 generationOf(const QString &startDate)
{
    return tavrik::core::parseInt32(startDate).value_or(-1);
}

} // namespace testing
