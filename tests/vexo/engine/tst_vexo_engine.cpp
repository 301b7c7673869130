#include "fakeasker.h"
#include "tests/support/testmain.h"
#include "vexo/engine/engine.h"

#include <QtTest>

using namespace vexo;
using testing::at;
using testing::D;
using testing::FakeAsker;

Q_DECLARE_METATYPE(vexo::Operation)

namespace {

const double T0 = at(D, 10, 0, 0);

// The visible flags as eight characters in Button order (Start, Pause, Coun, Stop,
// Reset, Log, About, Close).
QString flagText(const Stopwatch &sw)
{
    QString s;
    for (int i = 0; i < kButtonCount; ++i)
        s += sw.visible(Button(i)) ? u'1' : u'0';
    return s;
}

// What the four slots show, by caption.
QStringList slotText(const Stopwatch &sw)
{
    QStringList out;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto b = sw.slotButton(slot);
        out << (b ? buttonCaption(*b) : QStringLiteral("-"));
    }
    return out;
}

Operation opNamed(const QString &name)
{
    static const QMap<QString, Operation> kOps{{"Start", Operation::Start},
                                               {"Pause", Operation::Pause},
                                               {"Continue", Operation::Continue},
                                               {"Stop", Operation::Stop},
                                               {"Reset", Operation::Reset}};
    return kOps.value(name, Operation::None);
}

// Runs a comma-separated list of operations, one second apart; each must act.
bool run(Stopwatch &sw, const QString &ops, double &t)
{
    for (const QString &name : ops.split(u',', Qt::SkipEmptyParts)) {
        t += 1;
        if (!sw.perform(opNamed(name), t))
            return false;
    }
    return true;
}

QString availableText(const Stopwatch &sw)
{
    QStringList out;
    for (const char *name : {"Start", "Pause", "Continue", "Stop", "Reset"})
        if (sw.available(opNamed(QString::fromLatin1(name))))
            out << QString::fromLatin1(name);
    return out.join(u',');
}

} // namespace

class TestVexoEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buttonTable();
    void states_data();
    void states();
    void refused_data();
    void refused();
    void keys_data();
    void keys();
    void keysDriveTheWatch();
    void pauseTenSecondsAndContinue();
    void stopThenStartFromZero();
    void runAcrossMidnight();
    void pauseAcrossMidnight();
    void millisecondsLateInTheDay();
    void tickOnlyWhileRunning();
    void resetWritesZeros();
    void fractionMarksShowAtNextTick();
    void countdownFiveSeconds();
    void countdownPausesWithTheWatch();
    void alarmSoundsUntilNextStart();
    void clearDuringCountdownFiresAtNextTick();
    void alarmTimeFiresAtFirstTickAfterMidnight();
    void bothMessagesTogether();
    void stopwatchModeNeverFires();
};

void TestVexoEngine::buttonTable()
{
    QCOMPARE(slotButtons(0), (QList<Button>{Button::cmdStart, Button::cmdPause, Button::cmdCoun}));
    QCOMPARE(slotButtons(1), (QList<Button>{Button::cmdReset, Button::cmdStop}));
    QCOMPARE(slotButtons(2), (QList<Button>{Button::cmdAbout, Button::cmdLog}));
    QCOMPARE(slotButtons(3), (QList<Button>{Button::cmdClose}));
    QVERIFY(slotButtons(4).isEmpty());
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (Button b : slotButtons(slot))
            QCOMPARE(buttonSlot(b), slot);
    QCOMPARE((QList<int>{slotLeft(0), slotLeft(1), slotLeft(2), slotLeft(3)}), (QList<int>{120, 1200, 2280, 3360}));
    QStringList captions;
    for (int i = 0; i < kButtonCount; ++i)
        captions << buttonCaption(Button(i));
    QCOMPARE(captions, (QStringList{"开始", "暂停", "继续", "停止", "复位", "记录", "关于", "关闭"}));
    // The lock disables these five and leaves Stop, Log and About usable.
    QStringList locked;
    for (int i = 0; i < kButtonCount; ++i)
        if (lockDisables(Button(i)))
            locked << buttonCaption(Button(i));
    QCOMPARE(locked, (QStringList{"开始", "暂停", "继续", "复位", "关闭"}));
}

void TestVexoEngine::states_data()
{
    QTest::addColumn<QString>("ops");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("available");
    const int Idle = int(State::Idle), Running = int(State::Running), Paused = int(State::Paused),
              Stopped = int(State::Stopped);
    const QStringList idle{"开始", "复位", "关于", "关闭"};
    const QStringList running{"暂停", "停止", "记录", "关闭"};
    const QStringList paused{"继续", "复位", "记录", "关闭"};
    const QStringList stopped{"开始", "复位", "记录", "关闭"};
    QTest::newRow("launch") << "" << Idle << "11111111" << idle << "Start,Reset";
    QTest::newRow("start") << "Start" << Running << "01010101" << running << "Pause,Stop";
    QTest::newRow("pause") << "Start,Pause" << Paused << "00111101" << paused << "Continue,Stop,Reset";
    QTest::newRow("continue") << "Start,Pause,Continue" << Running << "01010101" << running << "Pause,Stop";
    QTest::newRow("pause again") << "Start,Pause,Continue,Pause" << Paused << "00111101" << paused
                                 << "Continue,Stop,Reset";
    QTest::newRow("stop") << "Start,Stop" << Stopped << "10001101" << stopped << "Start,Reset";
    QTest::newRow("stop after continue") << "Start,Pause,Continue,Stop" << Stopped << "10001101" << stopped
                                         << "Start,Reset";
    QTest::newRow("stop from the menu while paused") << "Start,Pause,Stop" << Stopped << "10001101" << stopped
                                                     << "Start,Reset";
    // Reset keeps cmdStop's flag: after a pause it stays set behind cmdReset.
    QTest::newRow("reset after pause") << "Start,Pause,Reset" << Idle << "10011011" << idle << "Start,Reset";
    QTest::newRow("reset after stop") << "Start,Stop,Reset" << Idle << "10001011" << idle << "Start,Reset";
    QTest::newRow("start after stop") << "Start,Stop,Start" << Running << "01010101" << running << "Pause,Stop";
    QTest::newRow("start after reset") << "Start,Pause,Reset,Start" << Running << "01010101" << running
                                       << "Pause,Stop";
    QTest::newRow("reset twice") << "Reset,Reset" << Idle << "10011011" << idle << "Start,Reset";
}

void TestVexoEngine::states()
{
    QFETCH(QString, ops);
    QFETCH(int, state);
    QFETCH(QString, flags);
    QFETCH(QStringList, shown);
    QFETCH(QString, available);
    Stopwatch sw;
    double t = T0;
    QVERIFY(run(sw, ops, t));
    QCOMPARE(int(sw.state()), state);
    QCOMPARE(sw.Timer1On(), state == int(State::Running));
    QCOMPARE(flagText(sw), flags);
    QCOMPARE(slotText(sw), shown);
    QCOMPARE(availableText(sw), available);
    QCOMPARE(sw.Started(), ops.contains(QStringLiteral("Start")));
}

void TestVexoEngine::refused_data()
{
    QTest::addColumn<QString>("ops");
    QTest::addColumn<QString>("refused");
    // Every flag is set at launch; these would measure from the clock's zero.
    QTest::newRow("pause before any start") << "" << "Pause";
    QTest::newRow("continue before any start") << "" << "Continue";
    QTest::newRow("stop before any start") << "" << "Stop";
    QTest::newRow("start while running") << "Start" << "Start";
    QTest::newRow("reset while running") << "Start" << "Reset";
    QTest::newRow("continue while running") << "Start" << "Continue";
    QTest::newRow("pause while paused") << "Start,Pause" << "Pause";
    QTest::newRow("start while paused") << "Start,Pause" << "Start";
    QTest::newRow("stop while idle, flag left set by a pause") << "Start,Pause,Reset" << "Stop";
    QTest::newRow("pause when stopped") << "Start,Stop" << "Pause";
    QTest::newRow("continue when stopped") << "Start,Stop" << "Continue";
}

void TestVexoEngine::refused()
{
    QFETCH(QString, ops);
    QFETCH(QString, refused);
    Stopwatch sw;
    double t = T0;
    QVERIFY(run(sw, ops, t));
    sw.tick(t + 0.5);
    const QString flags = flagText(sw);
    const State state = sw.state();
    const QString time = sw.lblTime(), timer = sw.lblTimer();
    QVERIFY(!sw.available(opNamed(refused)));
    QVERIFY(!sw.perform(opNamed(refused), t + 1));
    QCOMPARE(flagText(sw), flags);
    QCOMPARE(sw.state(), state);
    QCOMPARE(sw.lblTime(), time);
    QCOMPARE(sw.lblTimer(), timer);
    // The measurement goes on as before: a refused Start or Continue moved nothing.
    if (state == State::Running) {
        QVERIFY(sw.tick(t + 2));
        QCOMPARE(sw.lblTimer(), timerReadout(t + 2 - (T0 + 1), false));
    }
}

void TestVexoEngine::keys_data()
{
    QTest::addColumn<QString>("ops");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<Operation>("expected");
    const int none = Qt::NoModifier, ctrl = Qt::ControlModifier;
    struct StateRow {
        const char *name;
        const char *ops;
        Operation start; // Space and F1
        Operation reset; // F3 and Ctrl+Break
    };
    const StateRow states[] = {
        {"idle", "", Operation::Start, Operation::Reset},
        {"running", "Start", Operation::Pause, Operation::None},
        {"paused", "Start,Pause", Operation::Continue, Operation::Reset},
        {"stopped", "Start,Stop", Operation::Start, Operation::Reset},
        {"idle after reset", "Start,Stop,Reset", Operation::Start, Operation::Reset},
    };
    for (const StateRow &s : states) {
        for (bool locked : {false, true}) {
            const QByteArray prefix = QByteArray(s.name) + (locked ? " locked " : " ");
            const Operation start = locked ? Operation::None : s.start;
            const Operation reset = locked ? Operation::None : s.reset;
            QTest::newRow(prefix + "Space") << s.ops << locked << int(Qt::Key_Space) << none << start;
            QTest::newRow(prefix + "F1") << s.ops << locked << int(Qt::Key_F1) << none << start;
            QTest::newRow(prefix + "F3") << s.ops << locked << int(Qt::Key_F3) << none << reset;
            QTest::newRow(prefix + "Cancel") << s.ops << locked << int(Qt::Key_Cancel) << ctrl << reset;
            QTest::newRow(prefix + "Ctrl+Pause") << s.ops << locked << int(Qt::Key_Pause) << ctrl << reset;
            QTest::newRow(prefix + "Pause alone") << s.ops << locked << int(Qt::Key_Pause) << none
                                                  << Operation::None;
            QTest::newRow(prefix + "Enter") << s.ops << locked << int(Qt::Key_Return) << none << Operation::None;
            QTest::newRow(prefix + "F2") << s.ops << locked << int(Qt::Key_F2) << none << Operation::None;
        }
    }
}

void TestVexoEngine::keys()
{
    QFETCH(QString, ops);
    QFETCH(bool, locked);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(Operation, expected);
    Stopwatch sw;
    double t = T0;
    QVERIFY(run(sw, ops, t));
    sw.setLocked(locked);
    QCOMPARE(sw.keyOperation(key, Qt::KeyboardModifiers(modifiers)), expected);
    QCOMPARE(sw.keyDown(key, Qt::KeyboardModifiers(modifiers), t + 1), expected != Operation::None);
}

// Space starts an idle watch, pauses a running one and continues a paused one; F3
// resets only while 复位 shows.
void TestVexoEngine::keysDriveTheWatch()
{
    Stopwatch sw;
    QVERIFY(sw.keyDown(Qt::Key_Space, Qt::NoModifier, T0));
    QCOMPARE(sw.state(), State::Running);
    QVERIFY(!sw.keyDown(Qt::Key_F3, Qt::NoModifier, T0 + 1));
    QVERIFY(sw.keyDown(Qt::Key_Space, Qt::NoModifier, T0 + 2));
    QCOMPARE(sw.state(), State::Paused);
    QVERIFY(sw.keyDown(Qt::Key_F1, Qt::NoModifier, T0 + 3));
    QCOMPARE(sw.state(), State::Running);
    QVERIFY(sw.keyDown(Qt::Key_Space, Qt::NoModifier, T0 + 4));
    QVERIFY(sw.keyDown(Qt::Key_F3, Qt::NoModifier, T0 + 5));
    QCOMPARE(sw.state(), State::Idle);
    QCOMPARE(slotText(sw), (QStringList{"开始", "复位", "关于", "关闭"}));
}

void TestVexoEngine::pauseTenSecondsAndContinue()
{
    Stopwatch sw;
    QVERIFY(sw.Start(T0));
    QVERIFY(sw.tick(T0 + 5));
    QVERIFY(sw.Pause(T0 + 5.25));
    QCOMPARE(sw.lblTimer(), QStringLiteral("0000000005.000")); // the last tick's reading stays
    QVERIFY(!sw.tick(T0 + 10));
    QVERIFY(sw.Continue(T0 + 15.25));
    QVERIFY(sw.tick(T0 + 15.25));
    QCOMPARE(sw.lblTimer(), QStringLiteral("0000000005.250"));
    QVERIFY(sw.tick(T0 + 17.5));
    QCOMPARE(sw.lblTimer(), QStringLiteral("0000000007.500"));
    QCOMPARE(sw.lblTime(), QStringLiteral("0000:00:07.500"));
}

void TestVexoEngine::stopThenStartFromZero()
{
    Stopwatch sw;
    QVERIFY(sw.Start(T0));
    QVERIFY(sw.tick(T0 + 3));
    QVERIFY(sw.Stop());
    QVERIFY(!sw.tick(T0 + 50));
    QCOMPARE(sw.lblTimer(), QStringLiteral("0000000003.000"));
    QVERIFY(sw.Start(T0 + 100));
    QVERIFY(sw.tick(T0 + 100.5));
    QCOMPARE(sw.lblTimer(), QStringLiteral("0000000000.500"));
    QCOMPARE(sw.lblTime(), QStringLiteral("0000:00:00.500"));
}

void TestVexoEngine::runAcrossMidnight()
{
    Stopwatch sw;
    QVERIFY(sw.Start(at(D, 23, 59, 59.5)));
    QVERIFY(sw.tick(at(D + 1, 0, 0, 0.25)));
    QCOMPARE(sw.lblTimer(), QStringLiteral("0000000000.750"));
    QVERIFY(sw.tick(at(D + 1, 1, 0, 0)));
    QCOMPARE(sw.lblTime(), QStringLiteral("0001:00:00.500"));
    QVERIFY(sw.tick(at(D + 2, 0, 0, 0)));
    QCOMPARE(sw.lblTime(), QStringLiteral("0024:00:00.500"));
}

void TestVexoEngine::pauseAcrossMidnight()
{
    Stopwatch sw;
    QVERIFY(sw.Start(at(D, 23, 0, 0)));
    QVERIFY(sw.Pause(at(D, 23, 30, 0)));
    QVERIFY(sw.Continue(at(D + 1, 0, 30, 0)));
    QVERIFY(sw.tick(at(D + 1, 0, 45, 0.125)));
    QCOMPARE(sw.lblTime(), QStringLiteral("0000:45:00.125"));
    // Paused late at night, continued the next evening.
    QVERIFY(sw.Pause(at(D + 1, 0, 50, 0)));
    QVERIFY(sw.Continue(at(D + 1, 22, 0, 0)));
    QVERIFY(sw.tick(at(D + 1, 22, 10, 0)));
    QCOMPARE(sw.lblTime(), QStringLiteral("0001:00:00.000"));
}

// Single-precision seconds since midnight only resolve 1/128 s late in the day.
void TestVexoEngine::millisecondsLateInTheDay()
{
    Stopwatch sw;
    QVERIFY(sw.Start(at(D, 23, 59, 0.001)));
    QVERIFY(sw.tick(at(D, 23, 59, 0.002)));
    QCOMPARE(sw.lblTimer(), QStringLiteral("0000000000.001"));
    QVERIFY(sw.tick(at(D, 23, 59, 0.0141)));
    QCOMPARE(sw.lblTimer(), QStringLiteral("0000000000.013"));
}

void TestVexoEngine::tickOnlyWhileRunning()
{
    Stopwatch sw;
    QVERIFY(!sw.tick(T0));
    QCOMPARE(sw.lblTime(), QStringLiteral("0000:00:00.000"));
    QCOMPARE(sw.lblTimer(), QStringLiteral("0000000000.000"));
    QVERIFY(sw.Start(T0));
    QVERIFY(sw.tick(T0 + 1));
    QVERIFY(sw.Pause(T0 + 1.5));
    QVERIFY(!sw.tick(T0 + 9)); // a tick queued before the timer stopped changes nothing
    QCOMPARE(sw.lblTimer(), QStringLiteral("0000000001.000"));
}

void TestVexoEngine::resetWritesZeros()
{
    Stopwatch sw;
    QVERIFY(sw.Start(T0));
    QVERIFY(sw.tick(T0 + 61.5));
    QVERIFY(sw.Stop());
    QVERIFY(sw.Reset());
    QCOMPARE(sw.lblTime(), QStringLiteral("0000:00:00.000"));
    QCOMPARE(sw.lblTimer(), QStringLiteral("0000000000.000"));
    QCOMPARE(sw.state(), State::Idle);
}

void TestVexoEngine::fractionMarksShowAtNextTick()
{
    Stopwatch sw;
    QVERIFY(sw.Start(T0));
    QVERIFY(sw.tick(T0 + 3725.5));
    QCOMPARE(sw.lblTime(), QStringLiteral("0001:02:05.500"));
    sw.mA60 = true;
    QCOMPARE(sw.lblTime(), QStringLiteral("0001:02:05.500"));
    QVERIFY(sw.tick(T0 + 3725.5));
    QCOMPARE(sw.lblTime(), QStringLiteral("0001:02:05.30"));
    QCOMPARE(sw.lblTimer(), QStringLiteral("0000003725.500"));
    sw.mB60 = true;
    QVERIFY(sw.tick(T0 + 12.34));
    QCOMPARE(sw.lblTimer(), QStringLiteral("0000000012.20"));
    QCOMPARE(sw.recordLine(), QStringLiteral("0000000012.20S [0000:00:12.20]"));
}

void TestVexoEngine::countdownFiveSeconds()
{
    Stopwatch sw;
    FakeAsker asker;
    asker.answers << QStringLiteral("5");
    sw.timing.chooseMode(kModeCountdown, asker);
    QCOMPARE(sw.timing.Mode(), kModeCountdown);
    QVERIFY(sw.Start(T0));
    QStringList shown;
    for (int k = 1; k <= 52; ++k) {
        QVERIFY(sw.tick(T0 + k * 0.1));
        shown << sw.lblTimer();
        const bool past = k > 50;
        QCOMPARE(sw.AlarmFired(), past);
        QCOMPARE(sw.Label6(), past ? QStringLiteral("定时已到  ") : QString());
    }
    QCOMPARE(shown.first(), QStringLiteral("4.9"));
    QCOMPARE(shown.mid(45, 7), (QStringList{"0.4", "0.3", "0.2", "0.1", "0.0", "-0.1", "-0.2"}));
    // Just past zero the read-out still shows 0.0 and nothing fires.
    Stopwatch edge;
    edge.timing = sw.timing;
    QVERIFY(edge.Start(T0));
    QVERIFY(edge.tick(T0 + 5.04));
    QCOMPARE(edge.lblTimer(), QStringLiteral("0.0"));
    QVERIFY(!edge.AlarmFired());
    QVERIFY(edge.tick(T0 + 5.06));
    QCOMPARE(edge.lblTimer(), QStringLiteral("-0.1"));
    QVERIFY(edge.AlarmFired());
}

void TestVexoEngine::countdownPausesWithTheWatch()
{
    Stopwatch sw;
    FakeAsker asker;
    asker.answers << QStringLiteral("60");
    sw.timing.chooseMode(kModeCountdown, asker);
    QVERIFY(sw.Start(T0));
    QVERIFY(sw.tick(T0 + 10));
    QCOMPARE(sw.lblTimer(), QStringLiteral("50.0"));
    QVERIFY(sw.Pause(T0 + 10));
    QVERIFY(sw.Continue(T0 + 1000));
    QVERIFY(sw.tick(T0 + 1005));
    QCOMPARE(sw.lblTimer(), QStringLiteral("45.0"));
    QVERIFY(!sw.AlarmFired());
}

// Once fired, the alarm keeps sounding through Stop and Reset; only Start ends it.
void TestVexoEngine::alarmSoundsUntilNextStart()
{
    Stopwatch sw;
    FakeAsker asker;
    asker.answers << QStringLiteral("1");
    sw.timing.chooseMode(kModeCountdown, asker);
    QVERIFY(sw.Start(T0));
    QVERIFY(sw.tick(T0 + 0.5));
    QVERIFY(!sw.AlarmFired());
    QVERIFY(sw.tick(T0 + 1.2));
    QVERIFY(sw.AlarmFired());
    QVERIFY(sw.Stop());
    QVERIFY(sw.AlarmFired());
    QCOMPARE(sw.Label6(), QStringLiteral("定时已到  ")); // the last text remains
    QVERIFY(sw.Reset());
    QVERIFY(sw.AlarmFired());
    QVERIFY(sw.Start(T0 + 10));
    QVERIFY(!sw.AlarmFired());
    QVERIFY(sw.tick(T0 + 10.5));
    QVERIFY(!sw.AlarmFired());
    QCOMPARE(sw.Label6(), QString());
    // Paused after firing: still sounding.
    QVERIFY(sw.tick(T0 + 11.5));
    QVERIFY(sw.Pause(T0 + 11.5));
    QVERIFY(sw.AlarmFired());
}

void TestVexoEngine::clearDuringCountdownFiresAtNextTick()
{
    Stopwatch sw;
    FakeAsker asker;
    asker.answers << QStringLiteral("3600");
    sw.timing.chooseMode(kModeCountdown, asker);
    QVERIFY(sw.Start(T0));
    QVERIFY(sw.tick(T0 + 2));
    QCOMPARE(sw.lblTimer(), QStringLiteral("3598.0"));
    sw.timing.mClear();
    QCOMPARE(sw.timing.Mode(), kModeCountdown);
    QCOMPARE(sw.timing.CountdownSeconds(), 0.0);
    QVERIFY(sw.tick(T0 + 2.5));
    QCOMPARE(sw.lblTimer(), QStringLiteral("-2.5"));
    QVERIFY(sw.AlarmFired());
    QCOMPARE(sw.Label6(), QStringLiteral("定时已到  "));
}

void TestVexoEngine::alarmTimeFiresAtFirstTickAfterMidnight()
{
    Stopwatch sw;
    FakeAsker asker;
    asker.clock = at(D, 22, 0, 0);
    asker.answers << QStringLiteral("01:00");
    sw.timing.chooseMode(kModeAlarm, asker);
    QCOMPARE(sw.timing.AlarmTime(), QStringLiteral("01:00"));
    QVERIFY(sw.Start(at(D, 23, 0, 0)));
    for (double t : {at(D, 23, 0, 1), at(D, 23, 59, 59.99), at(D + 1, 0, 0, 0), at(D + 1, 0, 59, 59.99)}) {
        QVERIFY(sw.tick(t));
        QVERIFY(!sw.AlarmFired());
        QCOMPARE(sw.Label6(), QString());
    }
    QVERIFY(sw.tick(at(D + 1, 1, 0, 0.015)));
    QVERIFY(sw.AlarmFired());
    QCOMPARE(sw.Label6(), QStringLiteral("倒计时完成"));
    QVERIFY(sw.tick(at(D + 1, 1, 30, 0)));
    QCOMPARE(sw.Label6(), QStringLiteral("倒计时完成")); // stays while it holds
    // A new Start waits for the next 01:00.
    QVERIFY(sw.Stop());
    QVERIFY(sw.Start(at(D + 1, 2, 0, 0)));
    QVERIFY(sw.tick(at(D + 1, 2, 0, 1)));
    QVERIFY(!sw.AlarmFired());
    QCOMPARE(sw.Label6(), QString());
    QVERIFY(sw.tick(at(D + 2, 1, 0, 0)));
    QVERIFY(sw.AlarmFired());
}

void TestVexoEngine::bothMessagesTogether()
{
    Stopwatch sw;
    FakeAsker asker;
    asker.clock = at(D, 9, 0, 0);
    asker.answers << QStringLiteral("10:00:00") << QStringLiteral("5");
    sw.timing.chooseMode(kModeAlarm, asker);
    sw.timing.chooseMode(kModeCountdown, asker);
    QVERIFY(sw.Start(at(D, 9, 59, 59)));
    QVERIFY(sw.tick(at(D, 10, 0, 10)));
    QCOMPARE(sw.Label6(), QStringLiteral("定时已到  倒计时完成"));
}

void TestVexoEngine::stopwatchModeNeverFires()
{
    Stopwatch sw;
    sw.mB60 = true;
    QVERIFY(sw.Start(T0));
    for (double dt : {0.0, 0.004, 1.0, 86400.0 * 3, -30.0}) { // the last: a clock set back
        QVERIFY(sw.tick(T0 + dt));
        QVERIFY(!sw.AlarmFired());
        QCOMPARE(sw.Label6(), QString());
    }
}

TAVRIK_TEST_GUILESS_MAIN(TestVexoEngine)
#include "tst_vexo_engine.moc"
