#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QtGlobal>

namespace tavrik::core {

// "Now" as both programs see it: the local calendar day counted from 1899-12-30 and
// the seconds since local midnight in single precision (about 8 ms resolution late in
// the day, which is the resolution of every reading).
struct Now {
    qint32 day = 0;
    float seconds = 0.0f;

    // A clock that does not restart at midnight, for intervals that may span one.
    double absolute() const { return double(day) * 86400.0 + double(seconds); }
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual Now now() const = 0;
    // Seconds since 1899-12-30 local midnight in double precision: does not restart at
    // midnight and keeps the millisecond all day. By default it is now() widened, so a
    // clock that knows no better loses nothing of what it had.
    virtual double absoluteSeconds() const { return now().absolute(); }
};

// The local wall clock, millisecond resolution.
class SystemClock final : public Clock {
public:
    Now now() const override;
    double absoluteSeconds() const override;
};

// Now, and its absolute seconds, at an instant in milliseconds since 1970 UTC, in the
// local time zone.
Now localAt(qint64 utcMsecs);
double absoluteSecondsAt(qint64 utcMsecs);

qint32 dayNumber(const QDate &date);
// The absolute seconds of a local date and time, and back (to the millisecond, never
// rounded up into the next one).
double absoluteSeconds(const QDateTime &local);
QDateTime dateTimeAt(double absoluteSeconds);
QDate dateFromDayNumber(qint32 day);
// Time of day for seconds since midnight, truncated to the millisecond so that a
// reading never shows the next second early.
QTime timeOfDay(float seconds);

} // namespace tavrik::core
