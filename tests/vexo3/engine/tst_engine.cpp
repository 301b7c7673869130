#include "vexo3/engine/engine.h"
#include "tests/support/testmain.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace vexo3;
using tavrik::core::Now;

namespace {

// The buttons shown, in index order.
QList<int> shown(const ButtonFlags &b)
{
    QList<int> out;
    for (int i = 0; i < kButtonCount; ++i)
        if (b.visible(i))
            out.append(i);
    return out;
}

// Shows and enables exactly the buttons of a set.
void set(ButtonFlags &b, const QList<int> &list)
{
    b.show(list);
    b.enable(list);
}

// Both flags of every button, for comparing before and after.
QList<bool> flags(const ButtonFlags &b)
{
    QList<bool> out;
    for (int i = 0; i < kButtonCount; ++i)
        out << b.visible(i) << b.enabled(i);
    return out;
}

QList<int> sorted(QList<int> l)
{
    std::sort(l.begin(), l.end());
    return l;
}

Now at(qint32 day, int h, int m, double s) { return Now{day, float(h * 3600 + m * 60 + s)}; }

const qint32 D = 45000;

} // namespace

class TestEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readings_data();
    void readings();
    void sixtiethsTenths();
    void decimalFractionMatchesTimerString_data();
    void decimalFractionMatchesTimerString();
    void wholeSecondsAgreeWithFraction_data();
    void wholeSecondsAgreeWithFraction();
    void runPastMidnightWithoutJump();
    void pauseBeforeMidnightContinueAfter();
    void continueNextEveningNormalises();
    void pauseResumesWithinResolution();
    void nightlyPausesKeepMillisecondReadings();
    void stopThenStartRestartsFromZero();
    void actions_data();
    void actions();
    void keys_data();
    void keys();
    void displayChoice();
};

void TestEngine::readings_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<double>("sec");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("timer");
    QTest::addColumn<QString>("time");

    const double s = float(83.4567);
    QTest::newRow("ms 3") << 0 << s << 0 << 3 << "83.457" << "0:01:23.457";
    QTest::newRow("ms 2") << 0 << s << 0 << 2 << "83.46" << "0:01:23.46";
    QTest::newRow("ms 1") << 0 << s << 0 << 1 << "83.5" << "0:01:23.5";
    QTest::newRow("60ths 2") << 0 << s << 1 << 2 << "83.28" << "0:01:23.28";
    QTest::newRow("60ths 1") << 0 << s << 1 << 1 << "83.3" << "0:01:23.3";
    QTest::newRow("60ths 3 uses two digits") << 0 << s << 1 << 3 << "83.28" << "0:01:23.28";
    QTest::newRow("across a day") << 1 << 3600.5 << 0 << 3 << "90000.500" << "25:00:00.500";
    QTest::newRow("0.6 s") << 0 << double(0.6f) << 0 << 3 << "0.600" << "0:00:00.600";
    QTest::newRow("zero") << 0 << 0.0 << 0 << 3 << "0.000" << "0:00:00.000";
    QTest::newRow("60ths 0.50") << 0 << 0.5 << 1 << 2 << "0.30" << "0:00:00.30";
    QTest::newRow("60ths 0.99") << 0 << double(0.99f) << 1 << 2 << "0.59" << "0:00:00.59";
    QTest::newRow("hours count on") << 0 << 90061.25 << 0 << 2 << "90061.25" << "25:01:01.25";
    QTest::newRow("ms fraction carries") << 0 << 83.9996 << 0 << 3 << "84.000" << "0:01:24.000";
    // The sixtieths fraction rounds to 00 here; the seconds must carry with it.
    QTest::newRow("60ths fraction carries") << 0 << 83.996 << 1 << 2 << "84.00" << "0:01:24.00";
    QTest::newRow("60ths tenth carries") << 0 << 59.97 << 1 << 1 << "60.0" << "0:01:00.0";
    QTest::newRow("ms 3 rounds half up") << 0 << 0.0625 << 0 << 3 << "0.063" << "0:00:00.063";
    QTest::newRow("clock set back") << 0 << -5.25 << 0 << 2 << "-5.25" << "-0:00:05.25";
    QTest::newRow("count 0 clamps to 1") << 0 << 1.26 << 0 << 0 << "1.3" << "0:00:01.3";
    QTest::newRow("count 7 clamps to 3") << 0 << 1.2346 << 0 << 7 << "1.235" << "0:00:01.235";
}

void TestEngine::readings()
{
    QFETCH(int, days);
    QFETCH(double, sec);
    QFETCH(int, style);
    QFETCH(int, count);
    QFETCH(QString, timer);
    QFETCH(QString, time);
    const Readings r = formatReadings(Elapsed{days, sec}, style, count);
    QCOMPARE(r.TimerString, timer);
    QCOMPARE(r.TimeString, time);
}

void TestEngine::sixtiethsTenths()
{
    const QString expected = QStringLiteral("0112234455");
    for (int d = 0; d <= 9; ++d) {
        const Readings r = formatReadings(Elapsed{0, 7.0 + d / 10.0 + 0.01}, 1, 1);
        QCOMPARE(r.TimerString, QStringLiteral("7.") + expected[d]);
        QCOMPARE(r.TimeString, QStringLiteral("0:00:07.") + expected[d]);
    }
}

void TestEngine::decimalFractionMatchesTimerString_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("1") << 1;
    QTest::newRow("2") << 2;
    QTest::newRow("3") << 3;
}

void TestEngine::decimalFractionMatchesTimerString()
{
    QFETCH(int, count);
    QRandomGenerator rng(1234 + count);
    for (int i = 0; i < 20000; ++i) {
        const int days = int(rng.bounded(4));
        const float sec = float(rng.generateDouble() * 86400.0);
        const Readings r = formatReadings(Elapsed{days, sec}, 0, count);
        const QString decimals = r.TimerString.mid(r.TimerString.indexOf(u'.') + 1);
        QCOMPARE(decimals.size(), count);
        QVERIFY2(r.TimeString.endsWith(u'.' + decimals), qPrintable(r.TimerString + u' ' + r.TimeString));
    }
}

void TestEngine::wholeSecondsAgreeWithFraction_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("count");
    QTest::newRow("ms 1") << 0 << 1;
    QTest::newRow("ms 3") << 0 << 3;
    QTest::newRow("60ths 1") << 1 << 1;
    QTest::newRow("60ths 2") << 1 << 2;
}

// Both readings name the same whole seconds, and that is within one rounding step
// of the elapsed time.
void TestEngine::wholeSecondsAgreeWithFraction()
{
    QFETCH(int, style);
    QFETCH(int, count);
    QRandomGenerator rng(99 + style * 10 + count);
    for (int i = 0; i < 20000; ++i) {
        const int days = int(rng.bounded(3));
        const float sec = float(rng.generateDouble() * 86400.0);
        const Readings r = formatReadings(Elapsed{days, sec}, style, count);
        const qint64 fromTimer = r.TimerString.left(r.TimerString.indexOf(u'.')).toLongLong();
        const QStringList hms = r.TimeString.left(r.TimeString.indexOf(u'.')).split(u':');
        QCOMPARE(hms.size(), 3);
        const qint64 fromTime = hms[0].toLongLong() * 3600 + hms[1].toLongLong() * 60 + hms[2].toLongLong();
        QCOMPARE(fromTimer, fromTime);
        const double elapsed = days * 86400.0 + sec;
        QVERIFY2(fromTimer <= elapsed + 0.05 && fromTimer > elapsed - 1.0,
                 qPrintable(QString::number(elapsed, 'f', 4) + u' ' + r.TimerString));
    }
}

void TestEngine::runPastMidnightWithoutJump()
{
    Stopwatch sw;
    set(sw.buttons, kIdleSet);
    QVERIFY(sw.ActStart(at(D, 23, 59, 59)));
    double last = -1;
    // 23:59:59 on day D to 00:00:05 on day D+1, every 125 ms.
    for (int step = 0; step <= 48; ++step) {
        double t = 86399.0 + step * 0.125;
        Now now = t >= 86400.0 ? Now{D + 1, float(t - 86400.0)} : Now{D, float(t)};
        sw.tick(now);
        const double reading = sw.TimerString.toDouble();
        QCOMPARE(reading, step * 0.125);
        QVERIFY(reading > last);
        last = reading;
    }
    QCOMPARE(sw.TimeString, QStringLiteral("0:00:06.000"));
}

void TestEngine::pauseBeforeMidnightContinueAfter()
{
    Stopwatch sw;
    set(sw.buttons, kIdleSet);
    sw.ActStart(at(D, 10, 0, 0));
    sw.tick(at(D, 23, 0, 0));
    QCOMPARE(sw.TimeString, QStringLiteral("13:00:00.000"));
    QVERIFY(sw.ActPause(at(D, 23, 0, 0)));
    QVERIFY(sw.ActContinue(at(D + 1, 1, 0, 0)));
    // The start instant is now 12:00 on day D (kept within its day).
    QCOMPARE(sw.clock.StartTime, 43200.0f);
    QCOMPARE(sw.clock.StartDate, D);
    sw.tick(at(D + 1, 1, 0, 0));
    QCOMPARE(sw.TimeString, QStringLiteral("13:00:00.000"));
    QCOMPARE(sw.TimerString, QStringLiteral("46800.000"));
    sw.tick(at(D + 1, 2, 0, 0.25));
    QCOMPARE(sw.TimeString, QStringLiteral("14:00:00.250"));
}

void TestEngine::continueNextEveningNormalises()
{
    Stopwatch sw;
    set(sw.buttons, kIdleSet);
    sw.ActStart(at(D, 23, 0, 0));
    sw.ActPause(at(D + 1, 0, 30, 0.5));
    sw.tick(at(D + 1, 0, 30, 0.5));
    const QString paused = sw.TimeString;
    QCOMPARE(paused, QStringLiteral("1:30:00.500"));
    sw.ActContinue(at(D + 1, 23, 30, 0));
    QVERIFY(sw.clock.StartTime <= 86400.0f);
    QCOMPARE(sw.clock.StartDate, D + 1);
    QCOMPARE(sw.clock.StartTime, 84600.0f - 5400.5f);
    sw.tick(at(D + 1, 23, 30, 0));
    QCOMPARE(sw.TimeString, paused);
    sw.tick(at(D + 2, 0, 10, 0));
    QCOMPARE(sw.TimeString, QStringLiteral("2:10:00.500"));
}

// With arbitrary instants the single-precision clock values keep the paused reading
// to within a few of their 8 ms steps.
void TestEngine::pauseResumesWithinResolution()
{
    QRandomGenerator rng(7);
    for (int i = 0; i < 2000; ++i) {
        Stopwatch sw;
        set(sw.buttons, kIdleSet);
        const double start = rng.generateDouble() * 86400.0;
        const double pauseAt = start + rng.generateDouble() * 86400.0;
        const double continueAt = pauseAt + rng.generateDouble() * 86400.0;
        auto now = [](double t) { return Now{D + qint32(t / 86400.0), float(std::fmod(t, 86400.0))}; };
        sw.ActStart(now(start));
        sw.ActPause(now(pauseAt));
        sw.tick(now(pauseAt));
        const double before = sw.TimerString.toDouble();
        sw.ActContinue(now(continueAt));
        sw.tick(now(continueAt));
        QVERIFY2(std::fabs(sw.TimerString.toDouble() - before) < 0.025,
                 qPrintable(sw.TimerString + u' ' + QString::number(before)));
    }
}

// A stopwatch paused every night for two months still reads to the millisecond.
void TestEngine::nightlyPausesKeepMillisecondReadings()
{
    Stopwatch sw;
    set(sw.buttons, kIdleSet);
    sw.ActStart(at(D, 10, 0, 0));
    for (int night = 0; night < 60; ++night) {
        sw.ActPause(at(D + night, 23, 0, 0));
        sw.ActContinue(at(D + night + 1, 1, 0, 0));
        QVERIFY(sw.clock.StartTime >= 0.0f && sw.clock.StartTime <= 86400.0f);
    }
    const QStringList expected{"4719600.000", "4719600.008", "4719600.102"};
    QStringList shown;
    for (double dt : {0.0, 0.0078125, 0.1015625}) {
        sw.tick(Now{D + 60, float(3600.0 + dt)});
        shown << sw.TimerString;
    }
    QCOMPARE(shown, expected);
}

void TestEngine::stopThenStartRestartsFromZero()
{
    Stopwatch sw;
    set(sw.buttons, kIdleSet);
    sw.ActStart(at(D, 8, 0, 0));
    sw.tick(at(D, 8, 1, 0));
    QVERIFY(sw.ActStop(at(D, 8, 1, 0)));
    QCOMPARE(sw.TimerString, QStringLiteral("60.000"));
    QVERIFY(sw.ActStart(at(D, 9, 0, 0)));
    sw.tick(at(D, 9, 0, 1.5));
    QCOMPARE(sw.TimerString, QStringLiteral("1.500"));
}

void TestEngine::actions_data()
{
    QTest::addColumn<QList<int>>("initial");
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("acts");
    QTest::addColumn<QList<int>>("afterSet"); // the buttons shown after it acted
    QTest::addColumn<bool>("afterRunning");

    const struct {
        const char *name;
        QList<int> set;
        bool running;
    } states[] = {{"idle", kIdleSet, false},
                  {"running", kRunningSet, true},
                  {"paused", kPausedSet, false},
                  {"stopped", kStoppedSet, false}};
    const struct {
        const char *name;
        Action action;
    } actions[] = {{"start", Action::Start},
                   {"pause", Action::Pause},
                   {"continue", Action::Continue},
                   {"stop", Action::Stop},
                   {"reset", Action::Reset}};
    // The transitions of the state table; everything else does nothing.
    auto next = [&](const char *state, Action a) -> const char * {
        const QByteArray st(state);
        if (st == "idle" && a == Action::Start) return "running";
        if (st == "idle" && a == Action::Reset) return "idle";
        if (st == "running" && a == Action::Pause) return "paused";
        if (st == "running" && a == Action::Stop) return "stopped";
        if (st == "paused" && a == Action::Continue) return "running";
        if (st == "paused" && a == Action::Reset) return "idle";
        if (st == "stopped" && a == Action::Start) return "running";
        if (st == "stopped" && a == Action::Reset) return "idle";
        return nullptr;
    };
    for (const auto &st : states)
        for (const auto &ac : actions)
            for (bool locked : {false, true}) {
                const char *to = next(st.name, ac.action);
                const bool acts = to && !locked;
                QList<int> toSet;
                bool toRunning = false;
                for (const auto &target : states)
                    if (acts && QByteArray(target.name) == to) {
                        toSet = target.set;
                        toRunning = target.running;
                    }
                QTest::addRow("%s %s%s", st.name, ac.name, locked ? " locked" : "")
                    << st.set << st.running << locked << int(ac.action) << acts << toSet << toRunning;
            }
}

void TestEngine::actions()
{
    QFETCH(QList<int>, initial);
    QFETCH(bool, running);
    QFETCH(bool, locked);
    QFETCH(int, action);
    QFETCH(bool, acts);
    QFETCH(QList<int>, afterSet);
    QFETCH(bool, afterRunning);

    Stopwatch sw;
    set(sw.buttons, initial);
    if (locked)
        sw.buttons.enable({});
    sw.running = running;
    sw.clock = ClockValues{D - 1, 100.0f, D - 1, 200.0f};
    const ClockValues before = sw.clock;
    const QList<bool> flagsBefore = flags(sw.buttons);
    const Now now = at(D, 12, 0, 0);

    bool acted = false;
    switch (Action(action)) {
    case Action::Start: acted = sw.ActStart(now); break;
    case Action::Pause: acted = sw.ActPause(now); break;
    case Action::Continue: acted = sw.ActContinue(now); break;
    case Action::Stop: acted = sw.ActStop(now); break;
    case Action::Reset: acted = sw.ActReset(); break;
    default: QFAIL("no such action");
    }
    QCOMPARE(acted, acts);
    if (!acts) {
        QCOMPARE(flags(sw.buttons), flagsBefore);
        QCOMPARE(sw.running, running);
        QCOMPARE(sw.clock.StartTime, before.StartTime);
        QCOMPARE(sw.clock.PauseTime, before.PauseTime);
        return;
    }
    QCOMPARE(shown(sw.buttons), sorted(afterSet));
    QCOMPARE(sw.running, afterRunning);
    // Every state shows and enables the same four buttons.
    for (int i = 0; i < kButtonCount; ++i)
        QCOMPARE(sw.buttons.visible(i), sw.buttons.enabled(i));
    const Action a = Action(action);
    if (a == Action::Start) {
        QCOMPARE(sw.clock.StartDate, D);
        QCOMPARE(sw.clock.StartTime, now.seconds);
    }
    if (a == Action::Pause || a == Action::Stop) {
        QCOMPARE(sw.clock.PauseDate, D);
        QCOMPARE(sw.clock.PauseTime, now.seconds);
        QCOMPARE(sw.clock.StartTime, before.StartTime);
    }
    if (a == Action::Reset) {
        QCOMPARE(sw.clock.StartTime, before.StartTime);
        QCOMPARE(sw.clock.PauseTime, before.PauseTime);
    }
}

void TestEngine::keys_data()
{
    QTest::addColumn<QList<int>>("set");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("action");

    const int none = int(Qt::NoModifier);
    QTest::newRow("enter idle") << kIdleSet << int(Qt::Key_Return) << none << int(Action::Start);
    QTest::newRow("keypad enter idle") << kIdleSet << int(Qt::Key_Enter) << none << int(Action::Start);
    QTest::newRow("F1 idle") << kIdleSet << int(Qt::Key_F1) << none << int(Action::Start);
    QTest::newRow("enter running") << kRunningSet << int(Qt::Key_Return) << none << int(Action::Pause);
    QTest::newRow("enter paused") << kPausedSet << int(Qt::Key_Return) << none << int(Action::Continue);
    QTest::newRow("enter stopped") << kStoppedSet << int(Qt::Key_Return) << none << int(Action::Start);
    QTest::newRow("enter nothing shown") << QList<int>{} << int(Qt::Key_Return) << none << int(Action::None);
    QTest::newRow("space") << kRunningSet << int(Qt::Key_Space) << none << int(Action::Record);
    QTest::newRow("F3") << kPausedSet << int(Qt::Key_F3) << none << int(Action::Reset);
    QTest::newRow("ctrl+break") << kPausedSet << int(Qt::Key_Pause) << int(Qt::ControlModifier) << int(Action::Reset);
    QTest::newRow("cancel") << kPausedSet << int(Qt::Key_Cancel) << none << int(Action::Reset);
    QTest::newRow("plain pause key") << kPausedSet << int(Qt::Key_Pause) << none << int(Action::None);
    QTest::newRow("F2") << kIdleSet << int(Qt::Key_F2) << none << int(Action::None);
    QTest::newRow("letter") << kIdleSet << int(Qt::Key_A) << none << int(Action::None);
}

void TestEngine::keys()
{
    QFETCH(QList<int>, set);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, action);
    ButtonFlags buttons;
    ::set(buttons, set);
    QCOMPARE(int(keyAction(key, Qt::KeyboardModifiers(modifiers), buttons)), action);
}

void TestEngine::displayChoice()
{
    const Readings r{QStringLiteral("83.457"), QStringLiteral("0:01:23.457")};
    QCOMPARE(*tickMainText(0, r), r.TimerString);
    QCOMPARE(*tickMainText(1, r), r.TimeString);
    QVERIFY(tickMainText(2, r) == nullptr);
    QVERIFY(tickMainText(-1, r) == nullptr);
    QCOMPARE(readingFor(0, r), r.TimerString);
    QCOMPARE(readingFor(2, r), r.TimeString);
    QCOMPARE(readingFor(0, r), r.TimerString);
    QCOMPARE(readingFor(5, r), r.TimeString);
}

TAVRIK_TEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
