#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>
#include <optional>

// The timing pieces both programs share: the countdown prompt and its check, the
// status box text and the date line.
namespace tavrik::core {

inline const QString kCountdownPrompt = QStringLiteral("请输入倒计时的秒数:");
inline const QString kCountdownTitle = QStringLiteral("倒计时");
inline const QString kCountdownDefault = QStringLiteral("3600");

// The longest countdown a ten-digit read-out can show with its decimal.
constexpr double kMaxCountdownSeconds = 1e8;

// What a countdown answer sets. Its leading number counts (none, or Cancel, gives 0);
// a negative, infinite or too long one (kMaxCountdownSeconds or more once shown with
// one decimal) is refused: 0, and `warning` says why.
struct CountdownAnswer {
    double seconds = 0;
    QString warning; // empty unless refused
};
CountdownAnswer countdownAnswer(const std::optional<QString> &answer);

// The status box (titled kStatusTitle): the countdown line and the alarm line, joined
// by CR LF.
inline const QString kStatusTitle = QStringLiteral("状态");
QString timingStatusText(double countdownSeconds, const QString &alarmTime);

// "2009年05月12日  14:30:05 星期二": date, two blanks, time of day, the weekday's long
// name in the given language.
QString dateLine(const QDate &date, const QTime &time, const QLocale &locale);

} // namespace tavrik::core
