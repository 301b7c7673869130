#pragma once

#include "vexo3/engine/engine.h"

#include <array>

// What "--status" prints: the reading and the state of the stopwatch, from the
// running window or from the saved state.
namespace vexo3 {

enum class RunState { Idle, Running, Paused, Stopped };

// The state the visible buttons stand for (Continue shows only while paused; Start
// and Record together only after a stop).
RunState runState(bool running, const std::array<bool, kButtonCount> &visible);

// The reading to report: measured now while running, nought while idle (the display
// shows dashes or nought then), else the one on the display.
Readings statusReadings(RunState state, const ClockValues &clock, Now now, short msStyle, short msCount,
                        const Readings &shown);
// The same of a running window's stopwatch.
RunState runState(const Stopwatch &sw);
Readings statusReadings(const Stopwatch &sw, Now now);

struct StatusFacts {
    RunState state = RunState::Idle;
    Readings readings;
    bool locked = false;
    // Records in the list; below 0 when no window runs (read from the saved state).
    int laps = -1;
};

// Lines of "name：value", ending with a newline.
QString statusText(const StatusFacts &facts);

} // namespace vexo3
