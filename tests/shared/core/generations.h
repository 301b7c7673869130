#pragma once

#include "shared/core/numtext.h"
#include "vexo3/main/persistence.h"


// A running state that follows from one number, so that a state read back can be
// checked to be one whole generation: every key has to agree with the same number.
namespace testing {

inline vexo3::SavedState generationState(qint32 g)
{
    vexo3::SavedState s;
    s.clock.StartDate = g;
    s.clock.StartTime = float(g % 100000) / 8.0f;
    s.clock.PauseDate = g + 1;
    s.clock.PauseTime = float(g % 1000) * 0.1f;
    s.timerEnabled = g % 2 == 1;
    s.bigVisible = g % 3 == 0;
    s.TimeString = QStringLiteral("%1:%2:%3.457")
                       .arg(g / 3600)
                       .arg(g / 60 % 60, 2, 10, QLatin1Char('0'))
                       .arg(g % 60, 2, 10, QLatin1Char('0'));
    s.TimerString = QString::number(g) + QStringLiteral(".5,x");
    s.SegCounts1 = short(8 + g % 13);
    s.SegCounts2 = short(20 - g % 13);
    for (int i = 0; i < vexo3::kButtonCount; ++i) {
        s.enabled[i] = (g >> i) & 1;
        s.visible[i] = (g >> (i + 1)) & 1;
    }
    return s;
}

// The generation a stored StartDate names, or -1.
inline qint32 generationOf(const QString &startDate)
{
    return tavrik::core::parseInt32(startDate).value_or(-1);
}

} // namespace testing
