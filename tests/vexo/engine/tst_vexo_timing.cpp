#include "fakeasker.h"
#include "tests/support/testmain.h"
#include "vexo/engine/timing.h"

#include <QtTest>

using namespace vexo;
using testing::at;
using testing::D;
using testing::FakeAsker;

class TestVexoTiming : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parseTimeOfDay_data();
    void parseTimeOfDay();
    void alarmDefault_data();
    void alarmDefault();
    void nextOccurrence_data();
    void nextOccurrence();
    void alarmPrompt();
    void badAlarmAnswers_data();
    void badAlarmAnswers();
    void countdownAnswers_data();
    void countdownAnswers();
    void cancelOnCountdownLeavesStopwatch();
    void modeItemsAskOnlyOnce();
    void clearThenCountdownAsksAgain();
    void threeClickCycle();
    void cycleWithCancelsAsksAgain();
    void outOfRangeModeIgnored();
    void status_data();
    void status();
    void alarmReached_data();
    void alarmReached();
};

void TestVexoTiming::parseTimeOfDay_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("seconds"); // -1: not a time of day
    QTest::newRow("h:mm") << "9:05" << 9 * 3600 + 5 * 60;
    QTest::newRow("hh:mm") << "09:05" << 9 * 3600 + 5 * 60;
    QTest::newRow("hh:mm:ss") << "14:23:45" << 14 * 3600 + 23 * 60 + 45;
    QTest::newRow("h:mm:ss") << "7:00:01" << 7 * 3600 + 1;
    QTest::newRow("midnight") << "0:00" << 0;
    QTest::newRow("last second") << "23:59:59" << 86399;
    QTest::newRow("blanks around") << "  12:30 " << 12 * 3600 + 30 * 60;
    QTest::newRow("full-width colons") << "12：30：15" << 12 * 3600 + 30 * 60 + 15;
    QTest::newRow("hour 24") << "24:00:00" << -1;
    QTest::newRow("minute 60") << "12:60" << -1;
    QTest::newRow("second 60") << "12:00:60" << -1;
    QTest::newRow("one minute digit") << "1:5" << -1;
    QTest::newRow("three hour digits") << "123:00" << -1;
    QTest::newRow("trailing colon") << "12:00:" << -1;
    QTest::newRow("four parts") << "12:00:00:00" << -1;
    QTest::newRow("dash") << "12-00" << -1;
    QTest::newRow("sign") << "-1:00" << -1;
    QTest::newRow("letters") << "12:3a" << -1;
    QTest::newRow("words") << "abc" << -1;
    QTest::newRow("number alone") << "1200" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("the old read-out") << "0000:01:00.000" << -1;
    QTest::newRow("full-width digits") << "１２:00" << -1;
    QTest::newRow("blank inside") << "12: 30" << -1;
}

void TestVexoTiming::parseTimeOfDay()
{
    QFETCH(QString, answer);
    QFETCH(int, seconds);
    const auto parsed = vexo::parseTimeOfDay(answer);
    QCOMPARE(parsed.value_or(-1), seconds);
}

void TestVexoTiming::alarmDefault_data()
{
    QTest::addColumn<double>("now");
    QTest::addColumn<QString>("offered");
    QTest::newRow("afternoon") << at(D, 14, 23, 45) << "15:23:45";
    QTest::newRow("fraction dropped") << at(D, 9, 5, 7.999) << "10:05:07";
    QTest::newRow("midnight") << at(D, 0, 0, 0) << "01:00:00";
    QTest::newRow("22:59:59") << at(D, 22, 59, 59) << "23:59:59";
    QTest::newRow("23:00 gives 00:00") << at(D, 23, 0, 0) << "00:00:00";
    QTest::newRow("23:10 gives 00:10, not 24:10") << at(D, 23, 10, 0) << "00:10:00";
    QTest::newRow("last moment of the day") << at(D, 23, 59, 59.9999) << "00:59:59";
}

void TestVexoTiming::alarmDefault()
{
    QFETCH(double, now);
    QFETCH(QString, offered);
    QCOMPARE(vexo::alarmDefault(now), offered);
    QVERIFY(vexo::parseTimeOfDay(offered)); // the offer is always a valid answer
}

void TestVexoTiming::nextOccurrence_data()
{
    QTest::addColumn<int>("timeOfDay");
    QTest::addColumn<double>("after");
    QTest::addColumn<double>("expected");
    QTest::newRow("later today") << 14 * 3600 << at(D, 13, 0, 0) << at(D, 14, 0, 0);
    QTest::newRow("exactly now") << 14 * 3600 << at(D, 14, 0, 0) << at(D, 14, 0, 0);
    QTest::newRow("just past: tomorrow") << 14 * 3600 << at(D, 14, 0, 0.001) << at(D + 1, 14, 0, 0);
    QTest::newRow("after midnight") << 3600 << at(D, 23, 0, 0) << at(D + 1, 1, 0, 0);
    QTest::newRow("midnight itself") << 0 << at(D, 23, 59, 59.5) << at(D + 1, 0, 0, 0);
}

void TestVexoTiming::nextOccurrence()
{
    QFETCH(int, timeOfDay);
    QFETCH(double, after);
    QFETCH(double, expected);
    QCOMPARE(vexo::nextOccurrence(timeOfDay, after), expected);
}

void TestVexoTiming::alarmPrompt()
{
    Timing timing;
    FakeAsker asker;
    asker.clock = at(D, 14, 23, 45);
    asker.answers << QStringLiteral(" 15:00 ");
    QCOMPARE(timing.label2Text(), QStringLiteral("记时"));
    timing.chooseMode(kModeAlarm, asker);
    QCOMPARE(asker.prompts.size(), 1);
    QCOMPARE(asker.prompts[0].prompt, QStringLiteral("请输入定时时间(请注意格式为hh:mm:ss):"));
    QCOMPARE(asker.prompts[0].title, QStringLiteral("定时"));
    QCOMPARE(asker.prompts[0].defaultText, QStringLiteral("15:23:45"));
    QVERIFY(asker.warnings.isEmpty());
    QCOMPARE(timing.Mode(), kModeAlarm);
    QCOMPARE(timing.AlarmTime(), QStringLiteral("15:00"));
    QCOMPARE(timing.label2Text(), QStringLiteral("定时"));
}

void TestVexoTiming::badAlarmAnswers_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<bool>("warned");
    QTest::newRow("cancel") << std::optional<QString>() << false;
    QTest::newRow("empty") << std::optional<QString>(QString()) << false;
    QTest::newRow("blanks") << std::optional<QString>(QStringLiteral("   ")) << false;
    QTest::newRow("hour 25") << std::optional<QString>(QStringLiteral("25:00")) << true;
    QTest::newRow("words") << std::optional<QString>(QStringLiteral("明天早上")) << true;
    QTest::newRow("one minute digit") << std::optional<QString>(QStringLiteral("12:3")) << true;
    QTest::newRow("old read-out form") << std::optional<QString>(QStringLiteral("0000:01:00")) << true;
}

void TestVexoTiming::badAlarmAnswers()
{
    QFETCH(std::optional<QString>, answer);
    QFETCH(bool, warned);
    Timing timing;
    FakeAsker asker;
    asker.answers << answer;
    timing.chooseMode(kModeAlarm, asker);
    QCOMPARE(timing.Mode(), kModeStopwatch);
    QCOMPARE(timing.label2Text(), QStringLiteral("秒表"));
    QVERIFY(timing.AlarmTime().isEmpty());
    QCOMPARE(asker.warnings.size(), warned ? 1 : 0);
    if (warned) {
        QCOMPARE(asker.warnings[0].second, QStringLiteral("定时"));
        QVERIFY(asker.warnings[0].first.contains(QStringLiteral("hh:mm:ss")));
    }
    // Nothing was kept: the next choice asks again.
    asker.answers << QStringLiteral("8:30");
    timing.chooseMode(kModeAlarm, asker);
    QCOMPARE(asker.prompts.size(), 2);
    QCOMPARE(timing.Mode(), kModeAlarm);
}

// The check of the answer itself is shared with Vexo3 and tested with it; here, what
// the mode makes of it.
void TestVexoTiming::countdownAnswers_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<bool>("warned");
    QTest::newRow("offered") << std::optional<QString>(QStringLiteral("3600")) << 3600.0 << false;
    QTest::newRow("leading number") << std::optional<QString>(QStringLiteral(" 12秒")) << 12.0 << false;
    QTest::newRow("no number") << std::optional<QString>(QStringLiteral("abc")) << 0.0 << false;
    QTest::newRow("cancel") << std::optional<QString>() << 0.0 << false;
    QTest::newRow("negative") << std::optional<QString>(QStringLiteral("-5")) << 0.0 << true;
    QTest::newRow("too long for the read-out") << std::optional<QString>(QStringLiteral("100000000")) << 0.0 << true;
}

void TestVexoTiming::countdownAnswers()
{
    QFETCH(std::optional<QString>, answer);
    QFETCH(double, seconds);
    QFETCH(bool, warned);
    Timing timing;
    FakeAsker asker;
    asker.answers << answer;
    timing.chooseMode(kModeCountdown, asker);
    QCOMPARE(asker.prompts.size(), 1);
    QCOMPARE(asker.prompts[0].prompt, QStringLiteral("请输入倒计时的秒数:"));
    QCOMPARE(asker.prompts[0].title, QStringLiteral("倒计时"));
    QCOMPARE(asker.prompts[0].defaultText, QStringLiteral("3600"));
    QCOMPARE(timing.CountdownSeconds(), seconds);
    QCOMPARE(timing.Mode(), seconds != 0 ? kModeCountdown : kModeStopwatch);
    QCOMPARE(asker.warnings.size(), warned ? 1 : 0);
    if (warned)
        QCOMPARE(asker.warnings[0].second, QStringLiteral("倒计时"));
}

void TestVexoTiming::cancelOnCountdownLeavesStopwatch()
{
    Timing timing;
    FakeAsker asker;
    timing.chooseMode(kModeCountdown, asker);
    QCOMPARE(timing.Mode(), kModeStopwatch);
    QCOMPARE(timing.label2Text(), QStringLiteral("秒表"));
}

void TestVexoTiming::modeItemsAskOnlyOnce()
{
    Timing timing;
    FakeAsker asker;
    asker.answers << QStringLiteral("60") << QStringLiteral("8:00");
    timing.chooseMode(kModeCountdown, asker);
    timing.chooseMode(kModeStopwatch, asker);
    timing.chooseMode(kModeCountdown, asker);
    QCOMPARE(asker.prompts.size(), 1);
    QCOMPARE(timing.Mode(), kModeCountdown);
    timing.chooseMode(kModeAlarm, asker);
    timing.chooseMode(kModeAlarm, asker);
    QCOMPARE(asker.prompts.size(), 2);
    QCOMPARE(timing.Mode(), kModeAlarm);
}

void TestVexoTiming::clearThenCountdownAsksAgain()
{
    Timing timing;
    FakeAsker asker;
    asker.answers << QStringLiteral("120") << QStringLiteral("9:00");
    timing.chooseMode(kModeCountdown, asker);
    timing.chooseMode(kModeAlarm, asker);
    timing.mClear();
    QCOMPARE(timing.Mode(), kModeAlarm); // the mode stays
    QCOMPARE(timing.CountdownSeconds(), 0.0);
    QVERIFY(timing.AlarmTime().isEmpty());
    QCOMPARE(timing.statusText(), QStringLiteral("倒计时未启用\r\n定时未启用"));
    asker.answers << QStringLiteral("30");
    timing.chooseMode(kModeCountdown, asker);
    QCOMPARE(asker.prompts.size(), 3);
    QCOMPARE(asker.prompts[2].defaultText, QStringLiteral("3600"));
    QCOMPARE(timing.CountdownSeconds(), 30.0);
}

void TestVexoTiming::threeClickCycle()
{
    Timing timing;
    FakeAsker asker;
    asker.answers << QStringLiteral("08:30:00") << QStringLiteral("600");
    QStringList labels;
    for (int i = 0; i < 3; ++i) {
        timing.Label2_Click(asker);
        labels << timing.label2Text();
    }
    QCOMPARE(labels, (QStringList{"定时", "倒计时", "秒表"}));
    QCOMPARE(asker.prompts.size(), 2);
    QCOMPARE(asker.prompts[0].title, QStringLiteral("定时"));
    QCOMPARE(asker.prompts[1].title, QStringLiteral("倒计时"));
    // Both set: the cycle goes round without asking.
    labels.clear();
    for (int i = 0; i < 3; ++i) {
        timing.Label2_Click(asker);
        labels << timing.label2Text();
    }
    QCOMPARE(labels, (QStringList{"定时", "倒计时", "秒表"}));
    QCOMPARE(asker.prompts.size(), 2);
}

void TestVexoTiming::cycleWithCancelsAsksAgain()
{
    Timing timing;
    FakeAsker asker;
    timing.Label2_Click(asker); // Cancel: back to the stopwatch
    QCOMPARE(timing.Mode(), kModeStopwatch);
    timing.Label2_Click(asker); // the alarm again, not the countdown
    QCOMPARE(asker.prompts.size(), 2);
    QCOMPARE(asker.prompts[1].title, QStringLiteral("定时"));
}

void TestVexoTiming::outOfRangeModeIgnored()
{
    Timing timing;
    FakeAsker asker;
    timing.chooseMode(3, asker);
    timing.chooseMode(-1, asker);
    QVERIFY(asker.prompts.isEmpty());
    QCOMPARE(timing.label2Text(), QStringLiteral("记时"));
}

void TestVexoTiming::status_data()
{
    QTest::addColumn<QStringList>("answers"); // countdown, then alarm ("" = none)
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing set") << QStringList{"", ""} << "倒计时未启用\r\n定时未启用";
    QTest::newRow("countdown") << QStringList{"3600", ""} << "倒计时设置为3600秒\r\n定时未启用";
    QTest::newRow("both") << QStringList{"90.5", "8:30"} << "倒计时设置为90.5秒\r\n定时设置在8:30";
    QTest::newRow("alarm only") << QStringList{"", "23:59:59"} << "倒计时未启用\r\n定时设置在23:59:59";
}

void TestVexoTiming::status()
{
    QFETCH(QStringList, answers);
    QFETCH(QString, text);
    Timing timing;
    FakeAsker asker;
    asker.answers << answers[0] << answers[1];
    timing.chooseMode(kModeCountdown, asker);
    timing.chooseMode(kModeAlarm, asker);
    QCOMPARE(timing.statusText(), text);
}

void TestVexoTiming::alarmReached_data()
{
    QTest::addColumn<double>("answeredAt");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("now");
    QTest::addColumn<bool>("reached");
    const double a13 = at(D, 13, 0, 0);
    QTest::newRow("before") << a13 << "14:00" << at(D, 13, 30, 0) << at(D, 13, 59, 59.99) << false;
    QTest::newRow("at") << a13 << "14:00" << at(D, 13, 30, 0) << at(D, 14, 0, 0) << true;
    QTest::newRow("after") << a13 << "14:00:00" << at(D, 13, 30, 0) << at(D, 16, 0, 0) << true;
    QTest::newRow("seconds count") << a13 << "14:00:30" << at(D, 13, 30, 0) << at(D, 14, 0, 29.9) << false;
    QTest::newRow("started at 23:00 for 01:00: not at once") << at(D, 22, 0, 0) << "1:00" << at(D, 23, 0, 0)
                                                            << at(D, 23, 0, 0.02) << false;
    QTest::newRow("started at 23:00 for 01:00: next morning") << at(D, 22, 0, 0) << "1:00" << at(D, 23, 0, 0)
                                                              << at(D + 1, 1, 0, 0) << true;
    QTest::newRow("past today when answered: not at once") << at(D, 15, 0, 0) << "14:00" << at(D, 13, 0, 0)
                                                           << at(D, 15, 0, 1) << false;
    QTest::newRow("past today when answered: tomorrow") << at(D, 15, 0, 0) << "14:00" << at(D, 13, 0, 0)
                                                        << at(D + 1, 14, 0, 0) << true;
    QTest::newRow("started after the time: not at once") << at(D, 9, 0, 0) << "10:00" << at(D, 11, 0, 0)
                                                         << at(D, 11, 0, 1) << false;
    QTest::newRow("started after the time: tomorrow") << at(D, 9, 0, 0) << "10:00" << at(D, 11, 0, 0)
                                                      << at(D + 1, 10, 0, 0) << true;
    QTest::newRow("answered while running, already past") << at(D, 13, 30, 0) << "13:15" << at(D, 13, 0, 0)
                                                          << at(D, 13, 31, 0) << false;
    QTest::newRow("midnight alarm") << at(D, 20, 0, 0) << "0:00" << at(D, 21, 0, 0) << at(D + 1, 0, 0, 0) << true;
}

void TestVexoTiming::alarmReached()
{
    QFETCH(double, answeredAt);
    QFETCH(QString, answer);
    QFETCH(double, start);
    QFETCH(double, now);
    QFETCH(bool, reached);
    Timing timing;
    FakeAsker asker;
    asker.clock = answeredAt;
    asker.answers << answer;
    timing.chooseMode(kModeAlarm, asker);
    QCOMPARE(timing.AlarmTime(), answer);
    QCOMPARE(timing.alarmReached(now, start), reached);
    timing.mClear();
    QVERIFY(!timing.alarmReached(now, start));
}

TAVRIK_TEST_GUILESS_MAIN(TestVexoTiming)
#include "tst_vexo_timing.moc"
