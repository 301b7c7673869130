#include "tests/vexo3/main/window_fixture.h"
#include "tests/support/testmain.h"

#include "vexo3/engine/persistence.h"

using namespace vexo3;

// The stopwatch across exits, crashes and restarts, through the real window.
class TestRestart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }
    void runningKeepsRunning();
    void crashKeepsTheLastAction();
    void pausedResumesExactlyNextDay();
    void afterResetTheLastReadingShows();
    void firstRunIsIdle();
    void bigWindowOpenAtExitOpensAgain();
    void badStoredValues_data();
    void badStoredValues();
    void farClockValuesThenContinue_data();
    void farClockValuesThenContinue();
    void buttonSetWithoutResetOrStopFallsBackToIdle();
    void segCountsRestore_data();
    void segCountsRestore();

private:
    MainFixture f;
};

void TestRestart::runningKeepsRunning()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(10);
    f.env.clock.advance(2 * 3600);
    FrmSec &w2 = f.restart();
    QVERIFY(ui(w2).tmrGo->isActive());
    QCOMPARE(sorted(f.visibleButtons()), sorted(kRunningSet));
    f.tickAfter(0.5);
    QCOMPARE(f.shown(), QStringLiteral("7210.500"));
}

void TestRestart::crashKeepsTheLastAction()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(42);
    ui(w).mPause->trigger();
    // No close: the window simply vanishes, as in a crash.
    f.closeAll();
    f.env.clock.advance(600);
    FrmSec &w2 = f.load();
    QVERIFY(!ui(w2).tmrGo->isActive());
    QCOMPARE(sorted(f.visibleButtons()), sorted(kPausedSet));
    QCOMPARE(f.shown(), QStringLiteral("42.000"));
}

void TestRestart::pausedResumesExactlyNextDay()
{
    FrmSec &w = f.load();
    f.env.clock.set(QDate(2009, 5, 12), 79200.0f); // 22:00
    ui(w).mstart->trigger();
    f.tickAfter(3723.25);
    ui(w).mPause->trigger();
    const QString paused = f.shown();
    QCOMPARE(paused, QStringLiteral("3723.250"));
    f.env.clock.set(QDate(2009, 5, 13), 82800.0f); // 23:00 the next day
    FrmSec &w2 = f.restart();
    QCOMPARE(f.shown(), paused);
    ui(w2).mCoun->trigger();
    f.tickAfter(0);
    QCOMPARE(f.shown(), paused);
    f.tickAfter(1.5);
    QCOMPARE(f.shown(), QStringLiteral("3724.750"));
}

void TestRestart::afterResetTheLastReadingShows()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(12.5);
    ui(w).mStop->trigger();
    ui(w).mReset->trigger();
    QCOMPARE(f.shown(), kResetText);
    f.restart();
    QCOMPARE(sorted(f.visibleButtons()), sorted(kIdleSet));
    QCOMPARE(f.shown(), QStringLiteral("12.500"));
}

void TestRestart::firstRunIsIdle()
{
    FrmSec &w = f.load();
    QCOMPARE(sorted(f.visibleButtons()), sorted(kIdleSet));
    QVERIFY(!ui(w).tmrGo->isActive());
    QCOMPARE(f.shown(), QString());
    QCOMPARE(ui(w).SegBox1->SegCount(), QStringLiteral("14"));
    QVERIFY(!w.displays().bigWindow(false)->isVisible());
}

void TestRestart::bigWindowOpenAtExitOpensAgain()
{
    FrmSec &w = f.load();
    ui(w).mshowSec->trigger();
    ui(w).mstart->trigger();
    f.restart();
    fBig *big = f.w->displays().bigWindow(false);
    QVERIFY(big && big->isVisible());
    f.tickAfter(1);
    QCOMPARE(ui(*big).SegBox1->SegValue(), QStringLiteral("1.000"));
}

void TestRestart::badStoredValues_data()
{
    QTest::addColumn<QString>("value");
    for (const char *v : {"abc", "", "nan", "inf", "-inf", "1e40", "-5e38", "0x10", "12abc"})
        QTest::newRow(v) << QString::fromLatin1(v);
    QTest::newRow("300 digits") << QString(300, u'9');
}

void TestRestart::badStoredValues()
{
    QFETCH(QString, value);
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(5);
    f.closeAll();
    for (const char *key : {"StartTime", "StartDate", "PauseTime", "PauseDate", "SegCounts1", "SegCounts2"})
        f.env.store.save(tavrik::core::kSettingsApp, QStringLiteral("Setting"), QLatin1String(key), value);
    f.env.store.save(tavrik::core::kSettingsApp, QStringLiteral("Tavrik"), QStringLiteral("SegHeight"), value);
    f.env.store.save(tavrik::core::kSettingsApp, QStringLiteral("Tavrik"), QStringLiteral("Speed"), value);
    f.env.store.save(tavrik::core::kSettingsApp, QStringLiteral("Tavrik"), QStringLiteral("SegMode1"), value);
    FrmSec &w2 = f.load();
    QCOMPARE(w2.stopwatch().clock.StartTime, 0.0f);
    QCOMPARE(w2.stopwatch().clock.StartDate, 0);
    QCOMPARE(ui(w2).tmrGo->interval(), 20);
    QCOMPARE(ui(w2).SegBox1->SegCount(), QStringLiteral("14"));
    QCOMPARE(w2.displays().SegHeight(), 200.0f);
    f.tickAfter(0.02);
    QVERIFY(!f.shown().contains(QStringLiteral("nan"), Qt::CaseInsensitive));
    QVERIFY(!f.shown().contains(QStringLiteral("inf"), Qt::CaseInsensitive));
    bool ok = false;
    f.shown().toDouble(&ok);
    QVERIFY(ok);
}

void TestRestart::farClockValuesThenContinue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("start time far below zero") << "StartTime" << "-3000000000000";
    QTest::newRow("pause time far above a day") << "PauseTime" << "3e12";
    QTest::newRow("largest float") << "StartTime" << "3.4e38";
    QTest::newRow("smallest float") << "PauseTime" << "-3.4e38";
    QTest::newRow("smallest start date") << "StartDate" << "-2147483648";
    QTest::newRow("smallest pause date") << "PauseDate" << "-2147483648";
    QTest::newRow("largest pause date") << "PauseDate" << "2147483647";
}

void TestRestart::farClockValuesThenContinue()
{
    // A paused state with one clock value no clock gives: Continue must work, once
    // and at every later start.
    QFETCH(QString, key);
    QFETCH(QString, value);
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(5);
    ui(w).mPause->trigger();
    f.closeAll();
    f.env.store.save(tavrik::core::kSettingsApp, QStringLiteral("Setting"), key, value);
    for (int start = 0; start < 2; ++start) {
        FrmSec &w2 = f.load();
        QCOMPARE(sorted(f.visibleButtons()), sorted(kPausedSet));
        QTest::keyClick(&w2, Qt::Key_Return);
        QCOMPARE(sorted(f.visibleButtons()), sorted(kRunningSet));
        f.tickAfter(1);
        bool ok = false;
        f.shown().toDouble(&ok);
        QVERIFY2(ok, qPrintable(f.shown()));
        const float t = w2.stopwatch().clock.StartTime;
        QVERIFY2(t >= 0.0f && t <= 86400.0f, qPrintable(QString::number(t)));
        QTest::keyClick(&w2, Qt::Key_Return); // pause again for the next start
        f.closeAll();
    }
}

void TestRestart::buttonSetWithoutResetOrStopFallsBackToIdle()
{
    f.load();
    f.closeAll();
    for (int i = 0; i < kButtonCount; ++i)
        f.env.store.save(tavrik::core::kSettingsApp, QStringLiteral("Setting"), QStringLiteral("CMD(%1).Visible").arg(i),
                         i == 1 || i == 6 ? QStringLiteral("-1") : QStringLiteral("0"));
    f.load();
    QCOMPARE(sorted(f.visibleButtons()), sorted(kIdleSet));
    QCOMPARE(sorted(f.enabledButtons()), sorted(kIdleSet));
}

void TestRestart::segCountsRestore_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("cells");
    QTest::newRow("8") << "8" << "8";
    QTest::newRow("20") << "20" << "20";
    QTest::newRow("19.6") << "19.6" << "20";
    QTest::newRow("7") << "7" << "14";
    QTest::newRow("21") << "21" << "14";
    QTest::newRow("0") << "0" << "14";
    QTest::newRow("-3") << "-3" << "14";
}

void TestRestart::segCountsRestore()
{
    QFETCH(QString, stored);
    f.env.store.save(tavrik::core::kSettingsApp, QStringLiteral("Setting"), QStringLiteral("SegCounts1"), stored);
    FrmSec &w = f.load();
    QTEST(ui(w).SegBox1->SegCount(), "cells");
}

TAVRIK_TEST_MAIN(TestRestart)
#include "tst_restart.moc"
