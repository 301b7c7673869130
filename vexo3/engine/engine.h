#pragma once

#include "shared/core/clock.h"

#include <QList>
#include <QString>
#include <Qt>
#include <array>

// The stopwatch as plain code: clock arithmetic, the two readings, the button sets,
// the precision and keyboard tables. The main window supplies the clock, the timer
// and the widgets.
namespace vexo3 {

using tavrik::core::Now;

constexpr int kButtonCount = 8;

// Index lists in the order the program passes them.
inline const QList<int> kIdleSet{0, 3, 5, 7};
inline const QList<int> kRunningSet{1, 6, 4, 7};
inline const QList<int> kPausedSet{2, 3, 6, 7};
inline const QList<int> kStoppedSet{0, 3, 6, 7};
inline const QList<int> kAllButtons{0, 1, 4, 2, 6, 5, 7, 3};

enum class Action { None, Start, Pause, Continue, Reset, Stop, About, Record, Exit };

// The action of button i (the row of the button table).
Action buttonAction(int index);
// The button that guards an action; -1 for None.
int guardButton(Action action);

// What the displays show after a reset.
inline const QString kResetText = QStringLiteral("----000----");

struct ClockValues {
    qint32 StartDate = 0;
    float StartTime = 0.0f;
    qint32 PauseDate = 0;
    float PauseTime = 0.0f;
};

struct Readings {
    QString TimerString;
    QString TimeString;
};

// Elapsed time from the start instant to now, as whole days and seconds.
struct Elapsed {
    qint64 days = 0;
    double sec = 0.0;
};
Elapsed elapsedSince(qint32 startDate, float startTime, Now now);

// The two readings of an elapsed time. msStyle 0: decimal fraction; any other value:
// sixtieths. msCount is clamped to 1..3 (sixtieths use two digits unless it is 1).
Readings formatReadings(const Elapsed &e, int msStyle, int msCount);

// Moves to the running / paused / ... values of the clock. Whatever the values, the
// arithmetic never loops or overflows.
void startClock(ClockValues &v, Now now);
void pauseClock(ClockValues &v, Now now); // also used by stop
void continueClock(ClockValues &v, Now now);

// What the main display shows on a tick: 0 TimerString, 1 TimeString, other: nothing.
const QString *tickMainText(int segMode1, const Readings &r);
// What a redraw or the big display shows: 0 TimerString, anything else TimeString.
const QString &readingFor(int segMode, const Readings &r);

// The eight buttons as the actions set them: which ones show and which take clicks.
// The window shows them as they are here.
class ButtonFlags {
public:
    bool visible(int index) const { return visible_[size_t(index)]; }
    bool enabled(int index) const { return enabled_[size_t(index)]; }
    // Exactly the buttons of the list show, or take clicks (historically SetV, SetE).
    void show(const QList<int> &list);
    void enable(const QList<int> &list);
    void set(int index, bool visible, bool enabled);

private:
    std::array<bool, kButtonCount> visible_{true, true, true, true, true, true, true, true};
    std::array<bool, kButtonCount> enabled_{true, true, true, true, true, true, true, true};
};

// The action a key chooses, from the visible buttons; None for every other key.
Action keyAction(int key, Qt::KeyboardModifiers modifiers, const ButtonFlags &buttons);

// The program-wide stopwatch values and the five actions on them. Each action first
// checks its guard button (enabled and visible) and reports whether it acted.
class Stopwatch {
public:
    bool guard(Action a) const;

    bool ActStart(Now now);
    bool ActPause(Now now);
    bool ActContinue(Now now);
    bool ActStop(Now now);
    bool ActReset();

    // The tick: measures and builds both readings.
    void tick(Now now);

    ClockValues clock;
    QString TimerString;
    QString TimeString;
    short SegMode1 = 0;
    short SegMode2 = 0;
    short msStyle = 0;
    short msCount = 3;
    bool running = false;
    ButtonFlags buttons;
};

} // namespace vexo3
