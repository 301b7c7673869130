#include "shared/core/clock.h"

#include <QDateTime>
#include <cmath>

namespace tavrik::core {

namespace {
const QDate kEpoch(1899, 12, 30);
}

qint32 dayNumber(const QDate &date) { return qint32(kEpoch.daysTo(date)); }

QDate dateFromDayNumber(qint32 day) { return kEpoch.addDays(day); }

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

} // namespace tavrik::core
