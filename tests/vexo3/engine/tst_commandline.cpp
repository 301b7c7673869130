// Vexo3's options, and the status text they print.
#include "vexo3/engine/commandline.h"
#include "tests/support/testmain.h"
#include "vexo3/engine/status.h"

#include <QtTest>

using namespace vexo3;

using Outcome = CommandLine::Outcome;
Q_DECLARE_METATYPE(CommandLine::Outcome)

class TestCommandLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parses_data();
    void parses();
    void helpListsEveryOption();
    void runStateFromButtons_data();
    void runStateFromButtons();
    void readingsFollowTheState();
    void statusLines();
};

void TestCommandLine::parses_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("message"); // part of the error text

    const QStringList none;
    QTest::newRow("nothing") << QStringList{} << Outcome::Run << none << QString();
    QTest::newRow("help") << QStringList{"--help"} << Outcome::Help << none << QString();
    QTest::newRow("-h") << QStringList{"-h"} << Outcome::Help << none << QString();
    QTest::newRow("version") << QStringList{"--version"} << Outcome::Version << none << QString();
    QTest::newRow("-v") << QStringList{"-v"} << Outcome::Version << none << QString();
    QTest::newRow("help wins over commands") << QStringList{"--lap", "--help"} << Outcome::Help << QStringList{"lap"} << QString();
    QTest::newRow("each command") << QStringList{"--start-pause", "--lap", "--reset", "--show", "--status"} << Outcome::Run
                                  << QStringList{"start-pause", "lap", "reset", "show", "status"} << QString();
    QTest::newRow("order and repeats kept") << QStringList{"--status", "--lap", "--lap", "--status"} << Outcome::Run
                                            << QStringList{"status", "lap", "lap", "status"} << QString();
    QTest::newRow("one dash") << QStringList{"-lap", "-status"} << Outcome::Run << QStringList{"lap", "status"} << QString();
    QTest::newRow("Qt's own options pass") << QStringList{"-platform", "offscreen", "--lap", "-session", "abc"} << Outcome::Run
                                           << QStringList{"lap"} << QString();
    QTest::newRow("unknown long") << QStringList{"--bogus"} << Outcome::Error << none << QStringLiteral("没有“--bogus”这个选项");
    QTest::newRow("unknown short") << QStringList{"-x"} << Outcome::Error << none << QStringLiteral("没有“-x”这个选项");
    QTest::newRow("unknown after known") << QStringList{"--lap", "--lapp"} << Outcome::Error << none << QStringLiteral("--lapp");
    QTest::newRow("argument") << QStringList{"file.txt"} << Outcome::Error << none << QStringLiteral("不接受参数“file.txt”");
    QTest::newRow("value to a flag") << QStringList{"--lap=3"} << Outcome::Error << none << QStringLiteral("选项不带值");
    QTest::newRow("after --") << QStringList{"--", "--lap"} << Outcome::Error << none << QStringLiteral("不接受参数");
}

void TestCommandLine::parses()
{
    QFETCH(QStringList, args);
    QFETCH(Outcome, outcome);
    QFETCH(QStringList, commands);
    QFETCH(QString, message);
    const CommandLine cl = parseCommandLine(QStringList{QStringLiteral("/usr/bin/vexo3")} + args);
    QCOMPARE(cl.outcome, outcome);
    if (outcome == Outcome::Error) {
        QVERIFY2(cl.message.contains(message), qPrintable(cl.message));
        QVERIFY(cl.message.contains(QStringLiteral("--help")));
        QVERIFY(cl.message.endsWith(u'\n'));
    } else {
        QCOMPARE(cl.commands, commands);
    }
}

void TestCommandLine::helpListsEveryOption()
{
    const QString help = helpText(QStringLiteral("vexo3"));
    QVERIFY(help.startsWith(QStringLiteral("用法：vexo3 [选项]")));
    for (const QString &command : knownCommands())
        QVERIFY2(help.contains(QStringLiteral("\n  --") + command + u' '), qPrintable(command));
    QVERIFY(help.contains(QStringLiteral("-h, --help")));
    QVERIFY(help.contains(QStringLiteral("-v, --version")));
    // Qt's own options stay out of it.
    QVERIFY(!help.contains(QStringLiteral("platform")));
}

void TestCommandLine::runStateFromButtons_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<QList<int>>("set");
    QTest::addColumn<int>("state");
    QTest::newRow("idle") << false << kIdleSet << int(RunState::Idle);
    QTest::newRow("running") << true << kRunningSet << int(RunState::Running);
    QTest::newRow("paused") << false << kPausedSet << int(RunState::Paused);
    QTest::newRow("stopped") << false << kStoppedSet << int(RunState::Stopped);
}

void TestCommandLine::runStateFromButtons()
{
    QFETCH(bool, running);
    QFETCH(QList<int>, set);
    QFETCH(int, state);
    std::array<bool, kButtonCount> visible{};
    for (int i : set)
        visible[size_t(i)] = true;
    QCOMPARE(int(runState(running, visible)), state);
}

void TestCommandLine::readingsFollowTheState()
{
    ClockValues clock;
    clock.StartDate = 40000;
    clock.StartTime = 100.0f;
    const Now now{40000, 183.457f};
    const Readings shown{QStringLiteral("5.000"), QStringLiteral("0:00:05.000")};
    QCOMPARE(statusReadings(RunState::Running, clock, now, 0, 3, shown).TimerString, QStringLiteral("83.457"));
    QCOMPARE(statusReadings(RunState::Running, clock, now, 0, 3, shown).TimeString, QStringLiteral("0:01:23.457"));
    QCOMPARE(statusReadings(RunState::Paused, clock, now, 0, 3, shown).TimerString, shown.TimerString);
    QCOMPARE(statusReadings(RunState::Stopped, clock, now, 0, 3, shown).TimeString, shown.TimeString);
    QCOMPARE(statusReadings(RunState::Idle, clock, now, 0, 3, shown).TimerString, QStringLiteral("0.000"));
    QCOMPARE(statusReadings(RunState::Idle, clock, now, 0, 1, shown).TimeString, QStringLiteral("0:00:00.0"));
}

void TestCommandLine::statusLines()
{
    StatusFacts f;
    f.state = RunState::Paused;
    f.readings = {QStringLiteral("83.457"), QStringLiteral("0:01:23.457")};
    f.laps = 2;
    QCOMPARE(statusText(f), QStringLiteral("读数：83.457（0:01:23.457）\n状态：已暂停\n记录：2 条\n"));
    f.locked = true;
    f.state = RunState::Running;
    QCOMPARE(statusText(f), QStringLiteral("读数：83.457（0:01:23.457）\n状态：正在计时\n控制：已经锁定\n记录：2 条\n"));
    StatusFacts saved;
    saved.readings = {QStringLiteral("0.000"), QStringLiteral("0:00:00.000")};
    QCOMPARE(statusText(saved),
             QStringLiteral("读数：0.000（0:00:00.000）\n状态：未计时\n（Vexo3 没有运行，这是保存的状态。）\n"));
}

TAVRIK_TEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
