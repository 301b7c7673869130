// Commands from the command line, carried out by the main window as its keys are.
#include "tests/vexo3/main/window_fixture.h"
#include "tests/support/testmain.h"
#include "vexo3/engine/commandline.h"
#include "vexo3/engine/persistence.h"

#include <QListWidget>

using namespace vexo3;

class TestRemote : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }
    void startPauseActsAsEnter_data();
    void startPauseActsAsEnter();
    void lapRecordsLikeSpace();
    void refusedWhereTheKeyDoesNothing_data();
    void refusedWhereTheKeyDoesNothing();
    void lockedRefusesEveryAction();
    void statusReportsTheReadingNow();
    void showBringsBackAMinimizedWindow();
    void nothingOnceEnding();
    void savedStatusWithoutAWindow();
    void failedSaveBoxComesAfterTheAnswer();
    void savedAfterTheAnswer();

private:
    QStringList laps() const { return f.w->recordList() ? f.w->recordList()->entries() : QStringList(); }
    MainFixture f;
};

void TestRemote::startPauseActsAsEnter_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("command") << false;
    QTest::newRow("Enter") << true;
}

void TestRemote::startPauseActsAsEnter()
{
    // The same three steps by the key and by the command end in the same states.
    QFETCH(bool, byKey);
    FrmSec &w = f.load();
    const QList<QList<int>> expected{kRunningSet, kPausedSet, kRunningSet};
    for (const QList<int> &set : expected) {
        if (byKey) {
            QTest::keyClick(&w, Qt::Key_Return);
        } else {
            const tavrik::core::InstanceReply r = w.carryOut({kCmdStartPause});
            QCOMPARE(r.exitCode, kExitOk);
            QVERIFY(r.err.isEmpty());
        }
        QCOMPARE(sorted(f.visibleButtons()), sorted(set));
        f.tickAfter(1.0);
    }
    QVERIFY(ui(w).tmrGo->isActive());
    // Each step saved, as a key's does (a command's once it has been answered).
    QTRY_COMPARE(f.stored(kStateSection, QStringLiteral("TimerEnabled")), QStringLiteral("True"));
}

void TestRemote::lapRecordsLikeSpace()
{
    FrmSec &w = f.load();
    QCOMPARE(w.carryOut({kCmdStartPause}).exitCode, kExitOk);
    f.tickAfter(2.5);
    QCOMPARE(w.carryOut({kCmdLap}).exitCode, kExitOk);
    f.tickAfter(1.0);
    QTest::keyClick(&w, Qt::Key_Space);
    QCOMPARE(laps(), QStringList({QStringLiteral("2.500S [0:00:02.500]"), QStringLiteral("3.500S [0:00:03.500]")}));
    // Several commands at once, in their order.
    f.tickAfter(1.0);
    const tavrik::core::InstanceReply r = w.carryOut({kCmdLap, kCmdStartPause, kCmdStatus});
    QCOMPARE(r.exitCode, kExitOk);
    QCOMPARE(laps().size(), 3);
    QVERIFY2(r.out.contains(QStringLiteral("状态：已暂停\n")) && r.out.contains(QStringLiteral("记录：3 条\n")),
             qPrintable(r.out));
}

void TestRemote::refusedWhereTheKeyDoesNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("why");
    QTest::newRow("lap while idle") << kCmdLap << false << QStringLiteral("还没有开始计时");
    QTest::newRow("reset while running") << kCmdReset << true << QStringLiteral("正在计时，不能复位");
}

void TestRemote::refusedWhereTheKeyDoesNothing()
{
    QFETCH(QString, command);
    QFETCH(bool, running);
    QFETCH(QString, why);
    FrmSec &w = f.load();
    if (running)
        QTest::keyClick(&w, Qt::Key_Return);
    const QList<int> before = f.visibleButtons();
    const tavrik::core::InstanceReply r = w.carryOut({command});
    QCOMPARE(r.exitCode, kExitRefused);
    QVERIFY2(r.err.contains(why), qPrintable(r.err));
    QCOMPARE(f.visibleButtons(), before);
    QVERIFY(laps().isEmpty());
}

void TestRemote::lockedRefusesEveryAction()
{
    FrmSec &w = f.load();
    QTest::keyClick(&w, Qt::Key_Return);
    f.tickAfter(1.0);
    ui(w).mLock->trigger();
    for (const QString &command : {kCmdLap, kCmdStartPause, kCmdReset}) {
        const tavrik::core::InstanceReply r = w.carryOut({command});
        QCOMPARE(r.exitCode, kExitRefused);
        QVERIFY2(r.err.contains(QStringLiteral("控制已经锁定")), qPrintable(r.err));
    }
    QVERIFY(laps().isEmpty());
    QCOMPARE(sorted(f.visibleButtons()), sorted(kRunningSet));
    // Reading the status is no action: it still answers, and says so.
    const tavrik::core::InstanceReply status = w.carryOut({kCmdStatus});
    QCOMPARE(status.exitCode, kExitOk);
    QVERIFY(status.out.contains(QStringLiteral("控制：已经锁定\n")));
    ui(w).mLock->trigger();
    QCOMPARE(w.carryOut({kCmdLap}).exitCode, kExitOk);
    QCOMPARE(laps().size(), 1);
}

void TestRemote::statusReportsTheReadingNow()
{
    FrmSec &w = f.load();
    QCOMPARE(w.carryOut({kCmdStatus}).out, QStringLiteral("读数：0.000（0:00:00.000）\n状态：未计时\n记录：0 条\n"));
    QTest::keyClick(&w, Qt::Key_Return);
    f.tickAfter(10.0);
    // Between two ticks the clock has moved on: the status measures, it does not
    // repeat the last tick.
    f.env.clock.advance(73.457);
    QCOMPARE(w.carryOut({kCmdStatus}).out, QStringLiteral("读数：83.457（0:01:23.457）\n状态：正在计时\n记录：0 条\n"));
    QTest::keyClick(&w, Qt::Key_Return); // pause
    f.env.clock.advance(5.0);
    QVERIFY(w.carryOut({kCmdStatus}).out.startsWith(QStringLiteral("读数：10.000（0:00:10.000）\n状态：已暂停\n")));
}

void TestRemote::showBringsBackAMinimizedWindow()
{
    FrmSec &w = f.load();
    w.showMinimized();
    QTRY_VERIFY(w.isMinimized());
    QCOMPARE(w.carryOut({kCmdShow}).exitCode, kExitOk);
    QTRY_VERIFY(!w.isMinimized());
    QVERIFY(w.isVisible());
}

void TestRemote::nothingOnceEnding()
{
    FrmSec &w = f.load();
    QTest::keyClick(&w, Qt::Key_Return);
    w.endFromSystem();
    QVERIFY(w.isEnding());
    const tavrik::core::InstanceReply r = w.carryOut({kCmdStartPause, kCmdStatus});
    QCOMPARE(r.exitCode, kExitRefused);
    QVERIFY(r.out.isEmpty());
    QVERIFY(r.err.contains(QStringLiteral("正在退出")));
    QCOMPARE(sorted(f.visibleButtons()), sorted(kRunningSet));
}

void TestRemote::savedStatusWithoutAWindow()
{
    // A first run: nothing saved.
    QCOMPARE(storedStatusText(), QStringLiteral("读数：0.000（0:00:00.000）\n状态：未计时\n（Vexo3 没有运行，这是保存的状态。）\n"));
    // Running when it was saved: the reading goes on without the window.
    FrmSec &w = f.load();
    QTest::keyClick(&w, Qt::Key_Return);
    f.closeAll();
    f.env.clock.advance(61.5);
    QCOMPARE(storedStatusText(),
             QStringLiteral("读数：61.500（0:01:01.500）\n状态：正在计时\n（Vexo3 没有运行，这是保存的状态。）\n"));
}

void TestRemote::failedSaveBoxComesAfterTheAnswer()
{
    // A box opened inside the command would hold its answer past the caller's wait.
    FrmSec &w = f.load();
    f.env.store.failSaves = true;
    const tavrik::core::InstanceReply r = w.carryOut({kCmdStartPause});
    QCOMPARE(r.exitCode, kExitOk);
    QCOMPARE(f.env.dialogs.boxes.size(), 0);
    QTRY_COMPARE(f.env.dialogs.boxes.size(), 1);
    QVERIFY(f.env.dialogs.boxes[0].text.startsWith(QStringLiteral("无法保存秒表的状态")));
}

void TestRemote::savedAfterTheAnswer()
{
    // Saving a large settings file would hold the answer past the caller's wait.
    FrmSec &w = f.load();
    const int saves = f.env.store.saveCalls;
    QCOMPARE(w.carryOut({kCmdStartPause, kCmdLap}).exitCode, kExitOk);
    QCOMPARE(f.env.store.saveCalls, saves);
    QTRY_COMPARE(f.stored(kStateSection, QStringLiteral("TimerEnabled")), QStringLiteral("True"));
}

TAVRIK_TEST_MAIN(TestRemote)
#include "tst_remote.moc"
