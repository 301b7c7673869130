#include "vexo3/engine/engine.h"

#include "shared/core/keys.h"
#include "shared/core/numtext.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vexo3 {

using tavrik::core::formatFixed;
using tavrik::core::roundHalfEven;

Action buttonAction(int index)
{
    static const Action kByButton[kButtonCount] = {Action::Start, Action::Pause, Action::Continue,
                                                   Action::Reset, Action::Stop,  Action::About,
                                                   Action::Record, Action::Exit};
    return index >= 0 && index < kButtonCount ? kByButton[index] : Action::None;
}

int guardButton(Action action)
{
    for (int i = 0; i < kButtonCount; ++i)
        if (buttonAction(i) == action)
            return i;
    return -1;
}

Elapsed elapsedSince(qint32 startDate, float startTime, Now now)
{
    Elapsed e;
    if (now.seconds >= startTime) {
        e.days = qint64(now.day) - startDate;
        const float sec = now.seconds - startTime; // single precision, as the clock values
        e.sec = sec;
    } else {
        // Borrow a day: the start lies later in its day than now lies in today.
        e.days = qint64(now.day) - startDate - 1;
        e.sec = double(now.seconds) - double(startTime) + 86400.0;
    }
    return e;
}

namespace {

QString twoDigits(qint64 v) { return v < 10 ? QStringLiteral("0") + QString::number(v) : QString::number(v); }

// Whole seconds of a text written with decimals ("83.46" -> 83, "-2.50" -> -2).
qint64 wholePart(const QString &fixed)
{
    const qsizetype dot = fixed.indexOf(u'.');
    return (dot < 0 ? fixed : fixed.left(dot)).toLongLong();
}

} // namespace

Readings formatReadings(const Elapsed &e, int msStyle, int msCount)
{
    const double total = double(e.days) * 86400.0 + e.sec;
    if (total < 0) {
        // Only a wall clock set back gives this; show the time before the start.
        Readings r = formatReadings(Elapsed{0, -total}, msStyle, msCount);
        r.TimerString.prepend(u'-');
        r.TimeString.prepend(u'-');
        return r;
    }
    const int n = msCount < 1 ? 1 : (msCount > 3 ? 3 : msCount);
    // The fraction comes from sec rounded to the shown decimals; the whole seconds are
    // those of the same rounded value, so a fraction that rounds up to the next second
    // carries into the seconds.
    const int decimals = msStyle == 0 ? n : (n == 1 ? 1 : 2);
    const QString secText = formatFixed(e.sec, decimals);
    const qint64 wholeSec = qint64(e.days) * 86400 + wholePart(secText);
    QString fraction;
    Readings r;
    if (msStyle == 0) {
        fraction = secText.right(n);
        r.TimerString = formatFixed(total, n);
    } else {
        const int sixtieths = int(roundHalfEven(secText.right(decimals).toInt() * 0.6));
        fraction = decimals == 1 ? QString::number(sixtieths) : twoDigits(sixtieths);
        r.TimerString = QString::number(wholeSec) + u'.' + fraction;
    }
    r.TimeString = QString::number(wholeSec / 3600) + u':' + twoDigits((wholeSec % 3600) / 60) +
                   u':' + twoDigits(wholeSec % 60) + u'.' + fraction;
    return r;
}

void startClock(ClockValues &v, Now now)
{
    v.StartDate = now.day;
    v.StartTime = now.seconds;
}

void pauseClock(ClockValues &v, Now now)
{
    v.PauseTime = now.seconds;
    v.PauseDate = now.day;
}

void continueClock(ClockValues &v, Now now)
{
    // Shift the start instant by the length of the pause, time and date apart.
    const float pauseLength = now.seconds - v.PauseTime;
    v.StartTime = v.StartTime + pauseLength;
    qint64 date = qint64(v.StartDate) + (qint64(now.day) - v.PauseDate);
    if (v.StartTime > 86400.0f) {
        v.StartTime -= 86400.0f;
        date += 1;
    }
    // A pause across midnight leaves StartTime negative. The same instant a day earlier
    // keeps it within one day, where single precision still has its 8 ms steps; left
    // negative it would grow with every such night and the readings coarsen. Values
    // the program writes need one day; others get their days counted, not looped.
    if (v.StartTime < 0.0f) {
        const double days = std::min(std::ceil(-double(v.StartTime) / 86400.0), 1e10);
        if (days == 1.0)
            v.StartTime += 86400.0f;
        else
            v.StartTime = float(double(v.StartTime) + days * 86400.0);
        date -= qint64(days);
    }
    v.StartDate = qint32(std::clamp<qint64>(date, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

const QString *tickMainText(int segMode1, const Readings &r)
{
    if (segMode1 == 0)
        return &r.TimerString;
    if (segMode1 == 1)
        return &r.TimeString;
    return nullptr;
}

const QString &readingFor(int segMode, const Readings &r) { return segMode != 0 ? r.TimeString : r.TimerString; }

void ButtonFlags::show(const QList<int> &list)
{
    visible_.fill(false);
    for (int i : list)
        visible_[size_t(i)] = true;
}

void ButtonFlags::enable(const QList<int> &list)
{
    enabled_.fill(false);
    for (int i : list)
        enabled_[size_t(i)] = true;
}

void ButtonFlags::set(int index, bool visible, bool enabled)
{
    visible_[size_t(index)] = visible;
    enabled_[size_t(index)] = enabled;
}

Action keyAction(int key, Qt::KeyboardModifiers modifiers, const ButtonFlags &buttons)
{
    if (tavrik::core::isCtrlBreak(key, modifiers))
        return Action::Reset;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F1:
        if (buttons.visible(0))
            return Action::Start;
        if (buttons.visible(2))
            return Action::Continue;
        if (buttons.visible(1))
            return Action::Pause;
        return Action::None;
    case Qt::Key_Space:
        return Action::Record;
    case Qt::Key_F3:
        return Action::Reset;
    default:
        return Action::None;
    }
}

bool Stopwatch::guard(Action a) const
{
    const int i = guardButton(a);
    return i >= 0 && buttons.enabled(i) && buttons.visible(i);
}

bool Stopwatch::ActStart(Now now)
{
    if (!guard(Action::Start))
        return false;
    buttons.show(kRunningSet);
    buttons.enable(kRunningSet);
    startClock(clock, now);
    running = true;
    return true;
}

bool Stopwatch::ActPause(Now now)
{
    if (!guard(Action::Pause))
        return false;
    pauseClock(clock, now);
    running = false;
    buttons.show(kPausedSet);
    buttons.enable(kPausedSet);
    return true;
}

bool Stopwatch::ActContinue(Now now)
{
    if (!guard(Action::Continue))
        return false;
    running = true;
    continueClock(clock, now);
    buttons.show(kRunningSet);
    buttons.enable(kRunningSet);
    return true;
}

bool Stopwatch::ActStop(Now now)
{
    if (!guard(Action::Stop))
        return false;
    buttons.show(kStoppedSet);
    buttons.enable(kStoppedSet);
    running = false;
    pauseClock(clock, now);
    return true;
}

bool Stopwatch::ActReset()
{
    if (!guard(Action::Reset))
        return false;
    buttons.show(kIdleSet);
    buttons.enable(kIdleSet);
    return true;
}

void Stopwatch::tick(Now now)
{
    const Readings r = formatReadings(elapsedSince(clock.StartDate, clock.StartTime, now), msStyle, msCount);
    TimerString = r.TimerString;
    TimeString = r.TimeString;
}

} // namespace vexo3
