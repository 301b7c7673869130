#pragma once

#include "vexo/engine/readouts.h"
#include "vexo/engine/timing.h"

#include <QList>
#include <QString>
#include <Qt>
#include <array>
#include <optional>

// The old program's stopwatch as plain code: the eight buttons in four slots, the
// five operations with their button flags, the keys, and the display tick with its
// read-outs and alarm checks. The window supplies the clock, the timers and the
// widgets.
namespace vexo {

enum class Button { cmdStart, cmdPause, cmdCoun, cmdStop, cmdReset, cmdLog, cmdAbout, cmdClose };
constexpr int kButtonCount = 8;
constexpr int kSlotCount = 4;

// Geometry of the button row after start-up (twips).
constexpr int kButtonTop = 1680;
constexpr int kButtonWidth = 975;
constexpr int kButtonHeight = 375;

QString buttonCaption(Button b);
// The slot (0..3) a button sits in, and a slot's left edge in twips.
int buttonSlot(Button b);
int slotLeft(int slot);
// The buttons of a slot, front to back.
const QList<Button> &slotButtons(int slot);
// Buttons the lock disables (and enables again when unlocked).
bool lockDisables(Button b);

// One visible flag per button; all set at launch.
class ButtonFlags {
public:
    bool visible(Button b) const { return v_[size_t(b)]; }
    void setVisible(Button b, bool on) { v_[size_t(b)] = on; }
    // The button seen and clicked in a slot: the front-most visible one.
    std::optional<Button> shown(int slot) const;

private:
    std::array<bool, kButtonCount> v_{true, true, true, true, true, true, true, true};
};

enum class Operation { None, Start, Pause, Continue, Stop, Reset };

// What an operation does to one flag.
enum class FlagChange { Keep, Show, Hide };
// The operation's row of the flag table, indexed by Button (cmdClose is never changed).
const std::array<FlagChange, kButtonCount> &flagChanges(Operation op);
void applyFlags(ButtonFlags &flags, Operation op);
// The button whose visible flag lets an operation act.
Button operationButton(Operation op);

// Space or F1, and F3 or Ctrl+Break (Qt reports it as Cancel, or as Pause with Ctrl).
bool isStartKey(int key);
bool isResetKey(int key, Qt::KeyboardModifiers modifiers);

enum class State { Idle, Running, Paused, Stopped };

class Stopwatch {
public:
    // Whether an operation would act now: its button's visible flag is set and the
    // state allows it (Pause only while running, Continue only while paused, Stop
    // while running or paused, Reset while not running). The menu refresh enables
    // mstart, mPause, mCoun, mStop and mReset by this. It differs from the visible
    // flags alone only before the first Start, when every flag is set, and for Stop
    // after a Reset from the paused state.
    bool available(Operation op) const;

    // The five operations: each acts only when available, and says whether it acted.
    // After Start the window restarts Timer1 so its period begins now; after Continue
    // it starts it; after Pause and Stop it stops it (see Timer1On).
    bool Start(double now);
    bool Pause(double now);
    bool Continue(double now);
    bool Stop();
    bool Reset();
    bool perform(Operation op, double now);

    // The operation a key asks for in the current state; None while locked and for
    // every other key.
    Operation keyOperation(int key, Qt::KeyboardModifiers modifiers) const;
    bool keyDown(int key, Qt::KeyboardModifiers modifiers, double now);

    // The display tick (Timer1): empties Label6, writes lblTimer, runs the countdown
    // and alarm checks, writes lblTime. Does nothing and returns false unless running.
    bool tick(double now);

    State state() const { return state_; }
    bool Timer1On() const { return state_ == State::Running; }
    // Set by the first Start; a close before it needs no question.
    bool Started() const { return started_; }
    // The alarm sounds on every Timer2 tick while this holds: from the check that
    // fired it until the next Start, also after Stop and Reset.
    bool AlarmFired() const { return alarmFired_; }
    bool visible(Button b) const { return flags_.visible(b); }
    bool enabled(Button b) const { return !(locked_ && lockDisables(b)); }
    // The button seen in a slot, or nothing when the slot is empty.
    std::optional<Button> slotButton(int slot) const { return flags_.shown(slot); }

    bool Locked() const { return locked_; }
    void setLocked(bool locked) { locked_ = locked; }

    // The 60-based fraction marks; the next tick shows a change.
    bool mA60 = false;
    bool mB60 = false;

    const QString &lblTime() const { return lblTime_; }
    const QString &lblTimer() const { return lblTimer_; }
    const QString &Label6() const { return label6_; }
    // What cmdLog adds to the record list now.
    QString recordLine() const;

    Timing timing;

private:
    ButtonFlags flags_;
    State state_ = State::Idle;
    bool started_ = false;
    bool alarmFired_ = false;
    bool locked_ = false;
    double startMoment_ = 0; // moved forward by every pause
    double pauseMoment_ = 0;
    double lastStart_ = 0;   // the instant of the last Start, for the alarm time
    QString lblTime_ = kTimeZero;
    QString lblTimer_ = kTimerZero;
    QString label6_;
};

} // namespace vexo
