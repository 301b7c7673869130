#include "shared/core/clock.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

namespace tavrik::core {

namespace {
const QDate kEpoch(1899, 12, 30);
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

Now SystemClock::now() const
{
    const QDateTime dt = QDateTime::currentDateTime();
    Now n;
    n.day = dayNumber(dt.date());
    n.seconds = float(double(dt.time().msecsSinceStartOfDay()) / 1000.0);
    return n;
}

double SystemClock::absoluteSeconds() const { return tavrik::core::absoluteSeconds(QDateTime::currentDateTime()); }

} // namespace tavrik::core
