#include "vexo/engine/engine.h"

#include "shared/core/keys.h"

namespace vexo {

namespace {

struct ButtonInfo {
    const char *caption;
    int slot;
};
const ButtonInfo kButtons[kButtonCount] = {
    {"开始", 0}, {"暂停", 0}, {"继续", 0}, {"停止", 1}, {"复位", 1}, {"记录", 2}, {"关于", 2}, {"关闭", 3},
};

using B = Button;

} // namespace

QString buttonCaption(Button b) { return QString::fromUtf8(kButtons[size_t(b)].caption); }

int buttonSlot(Button b) { return kButtons[size_t(b)].slot; }

int slotLeft(int slot)
{
    static const int kLeft[kSlotCount] = {120, 1200, 2280, 3360};
    return slot >= 0 && slot < kSlotCount ? kLeft[slot] : -1;
}

const QList<Button> &slotButtons(int slot)
{
    static const QList<Button> kSlots[kSlotCount] = {
        {B::cmdStart, B::cmdPause, B::cmdCoun},
        {B::cmdReset, B::cmdStop},
        {B::cmdAbout, B::cmdLog},
        {B::cmdClose},
    };
    static const QList<Button> kNone;
    return slot >= 0 && slot < kSlotCount ? kSlots[slot] : kNone;
}

bool lockDisables(Button b)
{
    return b == B::cmdStart || b == B::cmdReset || b == B::cmdPause || b == B::cmdCoun || b == B::cmdClose;
}

std::optional<Button> ButtonFlags::shown(int slot) const
{
    for (Button b : slotButtons(slot))
        if (visible(b))
            return b;
    return std::nullopt;
}

const std::array<FlagChange, kButtonCount> &flagChanges(Operation op)
{
    constexpr FlagChange K = FlagChange::Keep, T = FlagChange::Show, F = FlagChange::Hide;
    // Columns in Button order: cmdStart, cmdPause, cmdCoun, cmdStop, cmdReset, cmdLog,
    // cmdAbout, cmdClose.
    static const std::array<FlagChange, kButtonCount> kNone{K, K, K, K, K, K, K, K};
    static const std::array<FlagChange, kButtonCount> kStart{F, T, F, T, F, T, F, K};
    static const std::array<FlagChange, kButtonCount> kPause{F, F, T, T, T, T, K, K};
    static const std::array<FlagChange, kButtonCount> kContinue{F, T, F, K, F, T, K, K};
    static const std::array<FlagChange, kButtonCount> kStop{T, F, F, F, T, T, F, K};
    static const std::array<FlagChange, kButtonCount> kReset{T, F, F, K, T, F, T, K};
    switch (op) {
    case Operation::Start: return kStart;
    case Operation::Pause: return kPause;
    case Operation::Continue: return kContinue;
    case Operation::Stop: return kStop;
    case Operation::Reset: return kReset;
    case Operation::None: break;
    }
    return kNone;
}

void applyFlags(ButtonFlags &flags, Operation op)
{
    const auto &row = flagChanges(op);
    for (int i = 0; i < kButtonCount; ++i)
        if (row[size_t(i)] != FlagChange::Keep)
            flags.setVisible(Button(i), row[size_t(i)] == FlagChange::Show);
}

Button operationButton(Operation op)
{
    switch (op) {
    case Operation::Pause: return B::cmdPause;
    case Operation::Continue: return B::cmdCoun;
    case Operation::Stop: return B::cmdStop;
    case Operation::Reset: return B::cmdReset;
    case Operation::Start:
    case Operation::None: break;
    }
    return B::cmdStart;
}

bool isStartKey(int key) { return key == Qt::Key_Space || key == Qt::Key_F1; }

bool isResetKey(int key, Qt::KeyboardModifiers modifiers)
{
    return key == Qt::Key_F3 || tavrik::core::isCtrlBreak(key, modifiers);
}

bool Stopwatch::available(Operation op) const
{
    if (op == Operation::None || !visible(operationButton(op)))
        return false;
    // Every flag is set at launch; a Pause or Continue before any Start would measure
    // from the clock's zero.
    switch (op) {
    case Operation::Pause: return state_ == State::Running;
    case Operation::Continue: return state_ == State::Paused;
    case Operation::Stop: return state_ == State::Running || state_ == State::Paused;
    case Operation::Reset: return state_ != State::Running;
    case Operation::Start:
    case Operation::None: break;
    }
    return true;
}

bool Stopwatch::Start(double now)
{
    if (!available(Operation::Start))
        return false;
    applyFlags(flags_, Operation::Start);
    startMoment_ = now;
    lastStart_ = now;
    state_ = State::Running;
    alarmFired_ = false;
    started_ = true;
    return true;
}

bool Stopwatch::Pause(double now)
{
    if (!available(Operation::Pause))
        return false;
    pauseMoment_ = now;
    state_ = State::Paused;
    applyFlags(flags_, Operation::Pause);
    return true;
}

bool Stopwatch::Continue(double now)
{
    if (!available(Operation::Continue))
        return false;
    startMoment_ += now - pauseMoment_;
    state_ = State::Running;
    applyFlags(flags_, Operation::Continue);
    return true;
}

bool Stopwatch::Stop()
{
    if (!available(Operation::Stop))
        return false;
    applyFlags(flags_, Operation::Stop);
    state_ = State::Stopped;
    return true;
}

bool Stopwatch::Reset()
{
    if (!available(Operation::Reset))
        return false;
    applyFlags(flags_, Operation::Reset);
    lblTime_ = kTimeZero;
    lblTimer_ = kTimerZero;
    state_ = State::Idle;
    return true;
}

bool Stopwatch::perform(Operation op, double now)
{
    switch (op) {
    case Operation::Start: return Start(now);
    case Operation::Pause: return Pause(now);
    case Operation::Continue: return Continue(now);
    case Operation::Stop: return Stop();
    case Operation::Reset: return Reset();
    case Operation::None: break;
    }
    return false;
}

Operation Stopwatch::keyOperation(int key, Qt::KeyboardModifiers modifiers) const
{
    if (locked_)
        return Operation::None;
    if (isStartKey(key)) {
        if (visible(B::cmdStart))
            return Operation::Start;
        if (visible(B::cmdCoun))
            return Operation::Continue;
        if (visible(B::cmdPause))
            return Operation::Pause;
        return Operation::None;
    }
    if (isResetKey(key, modifiers))
        return visible(B::cmdReset) ? Operation::Reset : Operation::None;
    return Operation::None;
}

bool Stopwatch::keyDown(int key, Qt::KeyboardModifiers modifiers, double now)
{
    return perform(keyOperation(key, modifiers), now);
}

bool Stopwatch::tick(double now)
{
    if (state_ != State::Running)
        return false;
    label6_.clear();
    const double e = now - startMoment_;
    lblTimer_ = timing.Mode() == kModeCountdown ? countdownReadout(timing.CountdownSeconds() - e)
                                                : timerReadout(e, mB60);
    // Below zero once the countdown shows -0.1 (no read-out shows "-0.0").
    if (lblTimer_.startsWith(u'-')) {
        alarmFired_ = true;
        label6_ = kCountdownDoneText;
    }
    if (timing.alarmReached(now, lastStart_)) {
        alarmFired_ = true;
        label6_ += kAlarmDoneText;
    }
    lblTime_ = timeReadout(e, mA60);
    return true;
}

QString Stopwatch::recordLine() const { return vexo::recordLine(lblTimer_, lblTime_); }

} // namespace vexo
