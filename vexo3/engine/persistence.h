#pragma once

#include "shared/core/displaysettings.h"
#include "shared/core/settingsstore.h"
#include "vexo3/engine/engine.h"

#include <array>

// The running state as it is kept in the settings store (section "Setting"), so that
// a stopwatch survives an exit, a crash or a reboot.
namespace vexo3 {

inline const QString kStateSection = QStringLiteral("Setting");
using tavrik::core::kDisplaySection;

// Digit counts of the two displays as the program keeps and offers them (the big
// window's menu lists them all); a stored count outside becomes the default.
constexpr short kMinSegCount = 8;
constexpr short kMaxSegCount = 20;
constexpr short kDefaultSegCount = 14;

struct SavedState {
    ClockValues clock;
    bool timerEnabled = false;
    bool bigVisible = false;
    QString TimeString;
    QString TimerString;
    short SegCounts1 = kDefaultSegCount;
    short SegCounts2 = kDefaultSegCount;
    std::array<bool, kButtonCount> enabled{};
    std::array<bool, kButtonCount> visible{};
};

// Every key in its order and text form.
tavrik::core::KeyValues stateKeyValues(const SavedState &s);

// Writes the whole state as one change; false with the reason in *error.
bool saveState(tavrik::core::SettingsStore &store, const SavedState &s, QString *error = nullptr);

// Clock values the program itself writes: seconds since midnight, and days that lie
// within this many days (100 years) of today.
constexpr float kSecondsPerDay = 86400.0f;
constexpr qint32 kMaxDayDistance = 36525;

// Reads the state back. Missing keys and values that are not what the key holds give
// the defaults, and so do clock values the program cannot have written (seconds
// outside 0..86400, days far from `today`); the button keys default to the flags in
// `current`.
SavedState readState(tavrik::core::SettingsStore &store, const SavedState &current, qint32 today);

// A stored digit count: rounded, then 8..20, else 14.
short segCountFromText(const QString &text);

} // namespace vexo3
