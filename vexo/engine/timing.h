#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The timing modes of the old program: stopwatch, timed alarm and countdown, the two
// prompts that set them up, and the two checks of the display tick.
//
// Instants are clock seconds: the local day number times 86400 plus the seconds since
// local midnight, in double precision (tavrik::core::Clock::absoluteSeconds).
namespace vexo {

constexpr int kModeStopwatch = 0;
constexpr int kModeAlarm = 1;
constexpr int kModeCountdown = 2;
constexpr int kModeCount = 3;

// Caption of the mMode2 item `mode` ("秒表", "定时", "倒计时"); empty when out of range.
QString modeCaption(int mode);
// Label2 before any mode was chosen.
inline const QString kLabel2Design = QStringLiteral("记时");

inline const QString kAlarmPrompt = QStringLiteral("请输入定时时间(请注意格式为hh:mm:ss):");
inline const QString kAlarmTitle = QStringLiteral("定时");
inline const QString kAlarmFormatWarning =
    QStringLiteral("定时时间的格式应为 hh:mm:ss 或 h:mm（小时 0-23，分和秒 00-59），例如 08:30:00。");

// Label6 when the countdown has run out, and what the alarm time appends.
inline const QString kCountdownDoneText = QStringLiteral("定时已到  ");
inline const QString kAlarmDoneText = QStringLiteral("倒计时完成");

// The time of day of an instant, in seconds since midnight.
double timeOfDaySeconds(double clockSeconds);
// The offered alarm time: the time of day one hour ahead, "hh:mm:ss"; from 23:00 on
// it is the early morning ("00:10:00"), never "24:10:00".
QString alarmDefault(double clockSeconds);
// An alarm answer as seconds since midnight: h:mm or h:mm:ss (one or two hour digits,
// two minute and second digits; ':' or '：'), hours 0-23, minutes and seconds 0-59,
// blanks around it allowed. Anything else gives nothing.
std::optional<int> parseTimeOfDay(QStringView answer);
// The first instant at or after `after` whose time of day is `timeOfDay`.
double nextOccurrence(int timeOfDay, double after);

// One modal prompt: prompt text, title, default answer.
struct Prompt {
    QString prompt;
    QString title;
    QString defaultText;
};

// What choosing a mode needs from the window: the two prompts, a warning box and the
// clock (read for the offered default and again when the answer is in).
class Asker {
public:
    virtual ~Asker() = default;
    // The answer; nothing on Cancel.
    virtual std::optional<QString> ask(const Prompt &prompt) = 0;
    virtual void warn(const QString &text, const QString &title) = 0;
    virtual double now() = 0;
};

// Mode, countdown length and alarm time of one run of the program; nothing is stored.
class Timing {
public:
    int Mode() const { return mode_; }
    double CountdownSeconds() const { return countdownSeconds_; }
    // The alarm answer as typed (blanks around it dropped); empty when not set.
    const QString &AlarmTime() const { return alarmTime_; }
    // Label2: the current mode's caption once a mode was chosen, "记时" before.
    QString label2Text() const;

    // mMode2 item `index`: asks for what the mode lacks, then checks the mode; a mode
    // without its value falls back to the stopwatch. Out-of-range indexes do nothing.
    void chooseMode(int index, Asker &asker);
    // A click on Label2: the next mode, 0 -> 1 -> 2 -> 0.
    void Label2_Click(Asker &asker);
    // mClear: forget the countdown length and the alarm time; the mode stays.
    void mClear();

    // The status box text (title "状态").
    QString statusText() const;

    // The alarm time is reached at the first check at or after its next occurrence
    // following the later of the last Start and the answer.
    bool alarmReached(double now, double lastStart) const;

private:
    void setMode(int index);

    int mode_ = kModeStopwatch;
    bool chosen_ = false;
    double countdownSeconds_ = 0;
    QString alarmTime_;
    int alarmSeconds_ = 0;     // alarmTime_ as seconds since midnight
    double answeredAt_ = 0;    // clock seconds when alarmTime_ was given
};

} // namespace vexo
