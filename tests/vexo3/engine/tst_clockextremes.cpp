// Clock values far outside what a clock gives (a settings file edited by hand, or
// written by something else): every action and tick ends, and nothing overflows.
#include "vexo3/engine/engine.h"
#include "tests/support/testmain.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace vexo3;
using tavrik::core::Now;

namespace {

constexpr qint32 kMin = std::numeric_limits<qint32>::min();
constexpr qint32 kMax = std::numeric_limits<qint32>::max();
constexpr float kHuge = std::numeric_limits<float>::max();

} // namespace

Q_DECLARE_METATYPE(vexo3::ClockValues)

class TestClockExtremes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void continueEnds_data();
    void continueEnds();
    void tickBuildsReadings_data() { continueEnds_data(); }
    void tickBuildsReadings();
    void ordinaryPauseAcrossMidnight();
};

void TestClockExtremes::continueEnds_data()
{
    QTest::addColumn<ClockValues>("clock");
    QTest::newRow("start time far below zero") << ClockValues{45000, -3e12f, 45000, 100.0f};
    QTest::newRow("pause time far above a day") << ClockValues{45000, 100.0f, 45000, 3e12f};
    QTest::newRow("smallest float start") << ClockValues{45000, -kHuge, 45000, 0.0f};
    QTest::newRow("largest float pause") << ClockValues{45000, 0.0f, 45000, kHuge};
    QTest::newRow("largest float start") << ClockValues{45000, kHuge, 45000, 0.0f};
    QTest::newRow("smallest start date") << ClockValues{kMin, 0.0f, 45000, 50000.0f};
    QTest::newRow("smallest pause date") << ClockValues{45000, 0.0f, kMin, 0.0f};
    QTest::newRow("largest dates") << ClockValues{kMax, 86400.0f, kMin, 0.0f};
    QTest::newRow("smallest dates") << ClockValues{kMin, 0.0f, kMax, 86399.0f};
}

void TestClockExtremes::continueEnds()
{
    QFETCH(ClockValues, clock);
    for (const Now now : {Now{45001, 10.0f}, Now{kMax, 86399.99f}, Now{kMin, 0.0f}}) {
        ClockValues v = clock;
        continueClock(v, now);
        // Finite times that needed whole days added land within a day.
        if (std::isfinite(v.StartTime) && std::fabs(clock.StartTime) < 1e13f && std::fabs(clock.PauseTime) < 1e13f)
            QVERIFY2(v.StartTime >= 0.0f && v.StartTime <= 86400.0f, qPrintable(QString::number(v.StartTime)));
    }
}

void TestClockExtremes::tickBuildsReadings()
{
    QFETCH(ClockValues, clock);
    for (const Now now : {Now{45001, 10.0f}, Now{kMax, 86399.99f}, Now{kMin, 0.0f}}) {
        const Readings r = formatReadings(elapsedSince(clock.StartDate, clock.StartTime, now), 0, 3);
        QVERIFY(!r.TimerString.isEmpty());
        QVERIFY(!r.TimeString.isEmpty());
        // A negative reading keeps its sign.
        const Elapsed e = elapsedSince(clock.StartDate, clock.StartTime, now);
        if (double(e.days) * 86400.0 + e.sec < 0)
            QVERIFY(r.TimerString.startsWith(u'-'));
    }
}

void TestClockExtremes::ordinaryPauseAcrossMidnight()
{
    // What a real pause across midnight gives: one day back, exact single precision.
    ClockValues v{45000, 80000.5f, 45000, 86000.25f};
    continueClock(v, Now{45001, 100.125f});
    QCOMPARE(v.StartDate, 44999 + 1);
    QCOMPARE(v.StartTime, 80000.5f + (100.125f - 86000.25f) + 86400.0f);
}

TAVRIK_TEST_GUILESS_MAIN(TestClockExtremes)
#include "tst_clockextremes.moc"
