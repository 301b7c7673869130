#include "vexo/engine/timing.h"

#include "shared/core/timing.h"

#include <algorithm>
#include <cmath>

namespace vexo {

namespace {

constexpr double kDay = 86400.0;

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Exactly two digits at s[i], as a number.
std::optional<int> twoDigitsAt(QStringView s, qsizetype i)
{
    if (i + 2 > s.size() || !isDigit(s[i]) || !isDigit(s[i + 1]))
        return std::nullopt;
    return (s[i].unicode() - u'0') * 10 + (s[i + 1].unicode() - u'0');
}

bool isColon(QChar c) { return c == u':' || c == u'\uFF1A'; }

} // namespace

QString modeCaption(int mode)
{
    static const char *const kCaption[kModeCount] = {"秒表", "定时", "倒计时"};
    return mode >= 0 && mode < kModeCount ? QString::fromUtf8(kCaption[mode]) : QString();
}

double timeOfDaySeconds(double clockSeconds) { return clockSeconds - std::floor(clockSeconds / kDay) * kDay; }

QString alarmDefault(double clockSeconds)
{
    const int s = int(std::floor(timeOfDaySeconds(clockSeconds))) % 86400;
    const int hour = (s / 3600 + 1) % 24;
    return QStringLiteral("%1:%2:%3")
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

std::optional<int> parseTimeOfDay(QStringView answer)
{
    const QStringView s = answer.trimmed();
    qsizetype i = 0;
    int hour = 0;
    while (i < s.size() && i < 2 && isDigit(s[i]))
        hour = hour * 10 + (s[i++].unicode() - u'0');
    if (i == 0 || i >= s.size() || !isColon(s[i]))
        return std::nullopt;
    const auto minute = twoDigitsAt(s, i + 1);
    if (!minute)
        return std::nullopt;
    i += 3;
    int second = 0;
    if (i < s.size()) {
        if (!isColon(s[i]))
            return std::nullopt;
        const auto sec = twoDigitsAt(s, i + 1);
        if (!sec || i + 3 != s.size())
            return std::nullopt;
        second = *sec;
    }
    if (hour > 23 || *minute > 59 || second > 59)
        return std::nullopt;
    return hour * 3600 + *minute * 60 + second;
}

double nextOccurrence(int timeOfDay, double after)
{
    double t = std::floor(after / kDay) * kDay + timeOfDay;
    if (t < after)
        t += kDay;
    return t;
}

QString Timing::label2Text() const { return chosen_ ? modeCaption(mode_) : kLabel2Design; }

void Timing::setMode(int index)
{
    mode_ = index;
    chosen_ = true;
}

void Timing::chooseMode(int index, Asker &asker)
{
    if (index < 0 || index >= kModeCount)
        return;
    if (index == kModeAlarm && alarmTime_.isEmpty()) {
        const auto answer = asker.ask({kAlarmPrompt, kAlarmTitle, alarmDefault(asker.now())});
        const QString typed = answer ? answer->trimmed() : QString();
        // An empty answer is a Cancel; anything else must be a time of day, or the
        // alarm would silently never go off.
        if (!typed.isEmpty()) {
            if (const auto seconds = parseTimeOfDay(typed)) {
                alarmTime_ = typed;
                alarmSeconds_ = *seconds;
                answeredAt_ = asker.now();
            } else {
                asker.warn(kAlarmFormatWarning, kAlarmTitle);
            }
        }
    }
    if (index == kModeCountdown && countdownSeconds_ == 0) {
        const tavrik::core::CountdownAnswer answer = tavrik::core::countdownAnswer(
            asker.ask({tavrik::core::kCountdownPrompt, tavrik::core::kCountdownTitle, tavrik::core::kCountdownDefault}));
        if (!answer.warning.isEmpty())
            asker.warn(answer.warning, tavrik::core::kCountdownTitle);
        countdownSeconds_ = answer.seconds;
    }
    setMode(index);
    if (countdownSeconds_ == 0 && mode_ == kModeCountdown)
        setMode(kModeStopwatch);
    if (alarmTime_.isEmpty() && mode_ == kModeAlarm)
        setMode(kModeStopwatch);
}

void Timing::Label2_Click(Asker &asker) { chooseMode((mode_ + 1) % kModeCount, asker); }

void Timing::mClear()
{
    countdownSeconds_ = 0;
    alarmTime_.clear();
}

QString Timing::statusText() const { return tavrik::core::timingStatusText(countdownSeconds_, alarmTime_); }

bool Timing::alarmReached(double now, double lastStart) const
{
    if (alarmTime_.isEmpty())
        return false;
    return now >= nextOccurrence(alarmSeconds_, std::max(lastStart, answeredAt_));
}

} // namespace vexo
