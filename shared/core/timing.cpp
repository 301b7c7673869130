#include "shared/core/timing.h"

#include "shared/core/numtext.h"

#include <cmath>

namespace tavrik::core {

CountdownAnswer countdownAnswer(const std::optional<QString> &answer)
{
    CountdownAnswer r;
    const double seconds = answer ? leadingNumber(*answer) : 0.0;
    // Shown with one decimal: 99999999.96 would show as 100000000.0, a cell too wide.
    if (!std::isfinite(seconds) || seconds < 0 || seconds >= kMaxCountdownSeconds ||
        formatFixed(seconds, 1).size() > 10)
        r.warning = QStringLiteral("倒计时的秒数须大于0且小于100000000。");
    else
        r.seconds = seconds;
    return r;
}

QString timingStatusText(double countdownSeconds, const QString &alarmTime)
{
    const QString first = countdownSeconds != 0
                              ? QStringLiteral("倒计时设置为") + shortestText(countdownSeconds) + QStringLiteral("秒")
                              : QStringLiteral("倒计时未启用");
    const QString second = !alarmTime.isEmpty() ? QStringLiteral("定时设置在") + alarmTime : QStringLiteral("定时未启用");
    return first + QStringLiteral("\r\n") + second;
}

QString dateLine(const QDate &date, const QTime &time, const QLocale &locale)
{
    return date.toString(QStringLiteral("yyyy年MM月dd日 ")) + time.toString(QStringLiteral(" hh:mm:ss")) + u' ' +
           locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
}

} // namespace tavrik::core
