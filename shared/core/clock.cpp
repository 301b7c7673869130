#include "shared/core/clock.h"

#include <QDateTime>
#include <algorithm>
#include <limits>
#include <cmath>

namespace tavrik::core {

namespace {
const QDate kEpoch(1899, 12, 30);
// 1970-01-01, the Unix epoch, as a day number.
constexpr qint64 kUnixEpochDay = 25569;
constexpr qint64 kDayMs = 86400000;
} // namespace

namespace {

// Local days since the epoch of day numbers, and milliseconds into the day.
struct LocalMs {
    qint64 day;
    qint64 ms;
};

LocalMs localMs(qint64 utcMsecs)
{
    // The zone's offset, looked up once a second: a zone changes its offset only on
    // a whole second, and each lookup reads the zone file's status, which a 1 ms tick
    // would do a thousand times a second.
    thread_local qint64 second = std::numeric_limits<qint64>::min();
    thread_local qint64 offsetMs = 0;
    const qint64 s = utcMsecs >= 0 ? utcMsecs / 1000 : -((-utcMsecs + 999) / 1000);
    if (s != second) {
        second = s;
        offsetMs = qint64(QDateTime::fromSecsSinceEpoch(s).offsetFromUtc()) * 1000;
    }
    const qint64 local = utcMsecs + offsetMs;
    const qint64 days = local >= 0 ? local / kDayMs : -((-local + kDayMs - 1) / kDayMs);
    return {days + kUnixEpochDay, local - days * kDayMs};
}

} // namespace

Now localAt(qint64 utcMsecs)
{
    const LocalMs l = localMs(utcMsecs);
    Now n;
    n.day = qint32(l.day);
    n.seconds = float(double(l.ms) / 1000.0);
    return n;
}

double absoluteSecondsAt(qint64 utcMsecs)
{
    const LocalMs l = localMs(utcMsecs);
    return double(l.day) * 86400.0 + double(l.ms) / 1000.0;
}

qint32 dayNumber(const QDate &date) { return qint32(kEpoch.daysTo(date)); }

QDate dateFromDayNumber(qint32 day) { return kEpoch.addDays(day); }

double absoluteSeconds(const QDateTime &local)
{
    return double(dayNumber(local.date())) * 86400.0 + double(local.time().msecsSinceStartOfDay()) / 1000.0;
}

QDateTime dateTimeAt(double absoluteSeconds)
{
    const double day = std::floor(absoluteSeconds / 86400.0);
    const double ms = std::floor((absoluteSeconds - day * 86400.0) * 1000.0);
    return QDateTime(dateFromDayNumber(qint32(day)), QTime::fromMSecsSinceStartOfDay(int(std::min(ms, 86399999.0))));
}

QTime timeOfDay(float seconds)
{
    if (!std::isfinite(seconds))
        return QTime(0, 0);
    double ms = std::floor(double(seconds) * 1000.0);
    ms = std::fmod(ms, 86400000.0);
    if (ms < 0)
        ms += 86400000.0;
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

Now SystemClock::now() const { return localAt(QDateTime::currentMSecsSinceEpoch()); }

double SystemClock::absoluteSeconds() const { return absoluteSecondsAt(QDateTime::currentMSecsSinceEpoch()); }

} // namespace tavrik::core
