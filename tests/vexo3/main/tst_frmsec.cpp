#include "tests/vexo3/main/window_fixture.h"
#include "tests/support/testmain.h"

#include <QAction>

using namespace vexo3;

class TestFrmSec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }
    void layoutAndCaptions();
    void enterStartsPausesContinues();
    void keysReachActionsFromAnyWidget();
    void f3ResetsOnlyWhenResetShows();
    void spaceDoesNothingWhileIdle();
    void setsAndMirroredMenus_data();
    void setsAndMirroredMenus();
    void buttonsAndMenusReachTheSameActions_data();
    void buttonsAndMenusReachTheSameActions();
    void noKeyClicksAButton();
    void stopThenStartRestartsFromZero();
    void tickWritesTheChosenForm_data();
    void tickWritesTheChosenForm();
    void tickFeedsTheBigWindow();
    void resetShowsDashes();
    void precisionChoice_data();
    void precisionChoice();
    void everyActionSaves();

private:
    MainFixture f;
};

void TestFrmSec::layoutAndCaptions()
{
    FrmSec &w = f.load();
    const char *captions[] = {"开始", "暂停", "继续", "复位", "停止", "关于", "记录", "关闭"};
    const char *hints[] = {"启动秒表", "暂停秒表", "秒表继续", "秒表计时恢复到0", "停止秒表", "关于\"Tavrik\"", "记录当前的计时", "退出\"Tavrik\""};
    const int lefts[] = {8, 8, 8, 80, 80, 152, 152, 224};
    for (int i = 0; i < kButtonCount; ++i) {
        QCOMPARE(ui(w).CMD[i]->Caption(), QString::fromUtf8(captions[i]));
        QCOMPARE(ui(w).CMD[i]->toolTip(), QString::fromUtf8(hints[i]));
        QCOMPARE(ui(w).CMD[i]->geometry(), QRect(lefts[i], 88, 65, 33));
    }
    QCOMPARE(ui(w).SegBox1->geometry(), QRect(8, 16, 292, 41));
    QCOMPARE(w.centralWidget()->width(), 304);
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrik") + titleVersion());
    // Nothing is cut off at the bottom: the date line fits the client area.
    QVERIFY(ui(w).lblDate->geometry().bottom() < w.centralWidget()->height());
}

void TestFrmSec::enterStartsPausesContinues()
{
    FrmSec &w = f.load();
    QTest::keyClick(&w, Qt::Key_Return);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kRunningSet));
    QVERIFY(ui(w).tmrGo->isActive());
    f.tickAfter(1.5);
    QCOMPARE(f.shown(), QStringLiteral("1.500"));
    QTest::keyClick(&w, Qt::Key_Enter);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kPausedSet));
    QVERIFY(!ui(w).tmrGo->isActive());
    f.env.clock.advance(100);
    QTest::keyClick(&w, Qt::Key_F1);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kRunningSet));
    f.tickAfter(0.25);
    QCOMPARE(f.shown(), QStringLiteral("1.750"));
}

void TestFrmSec::keysReachActionsFromAnyWidget()
{
    FrmSec &w = f.load();
    QTest::keyClick(ui(w).SegBox1, Qt::Key_Return);
    QVERIFY(ui(w).tmrGo->isActive());
    QTest::keyClick(ui(w).lblDate, Qt::Key_Return);
    QVERIFY(!ui(w).tmrGo->isActive());
    // A key held down does not toggle on its repeats.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&w, &repeat);
    QVERIFY(!ui(w).tmrGo->isActive());
}

void TestFrmSec::f3ResetsOnlyWhenResetShows()
{
    FrmSec &w = f.load();
    QTest::keyClick(&w, Qt::Key_Return);
    f.tickAfter(2);
    QTest::keyClick(&w, Qt::Key_F3); // running: no reset button
    QVERIFY(ui(w).tmrGo->isActive());
    QCOMPARE(f.shown(), QStringLiteral("2.000"));
    QTest::keyClick(&w, Qt::Key_Return); // pause
    QTest::keyClick(&w, Qt::Key_F3);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kIdleSet));
    QCOMPARE(f.shown(), kResetText);
    QTest::keyClick(&w, Qt::Key_Return);
    QTest::keyClick(&w, Qt::Key_Return);
    QTest::keyClick(&w, Qt::Key_Pause, Qt::ControlModifier);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kIdleSet));
    // Ctrl+Break as X11 delivers it: no Qt key, only the Break keysym.
    QTest::keyClick(&w, Qt::Key_Return);
    QTest::keyClick(&w, Qt::Key_Return);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kPausedSet));
    QKeyEvent brk(QEvent::KeyPress, 0, Qt::ControlModifier, 110, 0xff6b, 0x4, QString());
    QApplication::sendEvent(ui(w).SegBox1, &brk);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kIdleSet));
}

void TestFrmSec::spaceDoesNothingWhileIdle()
{
    FrmSec &w = f.load();
    QTest::keyClick(&w, Qt::Key_Space);
    QVERIFY(w.recordList() == nullptr);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kIdleSet));
    QTest::keyClick(&w, Qt::Key_Return);
    QTest::keyClick(&w, Qt::Key_Space);
    QVERIFY(w.recordList() != nullptr);
}

void TestFrmSec::setsAndMirroredMenus_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QList<int>>("set");
    QTest::addColumn<QString>("menusOn");
    QTest::newRow("idle") << QStringList{} << kIdleSet << "start reset unload";
    QTest::newRow("running") << QStringList{"start"} << kRunningSet << "pause stop unload";
    QTest::newRow("paused") << QStringList{"start", "pause"} << kPausedSet << "continue reset unload";
    QTest::newRow("stopped") << QStringList{"start", "stop"} << kStoppedSet << "start reset unload";
    QTest::newRow("reset from paused") << QStringList{"start", "pause", "reset"} << kIdleSet << "start reset unload";
    QTest::newRow("continued") << QStringList{"start", "pause", "continue"} << kRunningSet << "pause stop unload";
    QTest::newRow("restarted") << QStringList{"start", "stop", "start"} << kRunningSet << "pause stop unload";
}

void TestFrmSec::setsAndMirroredMenus()
{
    QFETCH(QStringList, keys);
    QFETCH(QList<int>, set);
    QFETCH(QString, menusOn);
    FrmSec &w = f.load();
    for (const QString &k : keys) {
        f.env.clock.advance(1);
        if (k == "start") ui(w).mstart->trigger();
        if (k == "pause") ui(w).mPause->trigger();
        if (k == "continue") ui(w).mCoun->trigger();
        if (k == "stop") ui(w).mStop->trigger();
        if (k == "reset") ui(w).mReset->trigger();
    }
    QCOMPARE(sorted(f.visibleButtons()), sorted(set));
    QCOMPARE(sorted(f.enabledButtons()), sorted(set));
    const QStringList on = menusOn.split(u' ');
    const std::pair<const char *, QAction *> menus[] = {{"start", ui(w).mstart}, {"pause", ui(w).mPause}, {"continue", ui(w).mCoun},
                                                       {"reset", ui(w).mReset}, {"stop", ui(w).mStop},   {"unload", ui(w).mUnload}};
    for (const auto &m : menus)
        QVERIFY2(m.second->isEnabled() == on.contains(QLatin1String(m.first)), m.first);
    QVERIFY(ui(w).mrec->isEnabled());
}

void TestFrmSec::buttonsAndMenusReachTheSameActions_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("buttons") << false;
    QTest::newRow("menu items") << true;
}

void TestFrmSec::buttonsAndMenusReachTheSameActions()
{
    QFETCH(bool, byMenu);
    FrmSec &w = f.load();
    auto act = [&](int button, QAction *item) {
        if (byMenu)
            item->trigger();
        else
            QTest::mouseClick(ui(w).CMD[button], Qt::LeftButton);
    };
    act(0, ui(w).mstart);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kRunningSet));
    f.tickAfter(3);
    act(1, ui(w).mPause);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kPausedSet));
    act(2, ui(w).mCoun);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kRunningSet));
    act(6, ui(w).mrec);
    QCOMPARE(w.recordList()->entries(), QStringList{QStringLiteral("3.000S [0:00:03.000]")});
    act(4, ui(w).mStop);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kStoppedSet));
    act(3, ui(w).mReset);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kIdleSet));
    // A menu item whose button is hidden does nothing.
    ui(w).mPause->setEnabled(true);
    ui(w).mPause->trigger();
    QCOMPARE(sorted(f.visibleButtons()), sorted(kIdleSet));
}

void TestFrmSec::noKeyClicksAButton()
{
    FrmSec &w = f.load();
    QTest::mouseClick(ui(w).CMD[0], Qt::LeftButton);
    QVERIFY(ui(w).tmrGo->isActive());
    for (cmdBox *b : ui(w).CMD)
        QVERIFY(!b->hasFocus());
    // Space records rather than pressing the button under the pointer, and Enter
    // pauses exactly once.
    QTest::keyClick(&w, Qt::Key_Space);
    QVERIFY(ui(w).tmrGo->isActive());
    QCOMPARE(w.recordList()->entries().size(), 1);
    QTest::keyClick(&w, Qt::Key_Return);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kPausedSet));
}

void TestFrmSec::stopThenStartRestartsFromZero()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(65.25);
    ui(w).mStop->trigger();
    QCOMPARE(f.shown(), QStringLiteral("65.250"));
    f.env.clock.advance(10);
    ui(w).mstart->trigger();
    f.tickAfter(0.5);
    QCOMPARE(f.shown(), QStringLiteral("0.500"));
}

void TestFrmSec::tickWritesTheChosenForm_data()
{
    QTest::addColumn<int>("segMode1");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("seconds") << 0 << 0 << 3 << "83.457";
    QTest::newRow("hours") << 1 << 0 << 3 << "0:01:23.457";
    QTest::newRow("hours 60ths") << 1 << 1 << 2 << "0:01:23.28";
    QTest::newRow("untouched") << 2 << 0 << 3 << "0123";
}

void TestFrmSec::tickWritesTheChosenForm()
{
    QFETCH(int, segMode1);
    QFETCH(int, style);
    QFETCH(int, count);
    // The display form as a previous run left it.
    f.env.store.save(tavrik::core::kSettingsApp, QStringLiteral("Tavrik"), QStringLiteral("SegMode1"), QString::number(segMode1));
    FrmSec &w = f.load();
    QCOMPARE(w.stopwatch().SegMode1, short(segMode1));
    w.displays().setFractionStyle(short(style), short(count));
    ui(w).mstart->trigger();
    ui(w).SegBox1->setSegValue(QStringLiteral("0123"));
    f.tickAfter(83.4567);
    QTEST(f.shown(), "expected");
    // What is painted follows the value: the last cell holds the last character.
    const QString v = f.shown();
    const int n = ui(w).SegBox1->SegCount().toInt();
    QCOMPARE(ui(w).SegBox1->cellGlyph(n - 1), v.back().digitValue());
}

void TestFrmSec::tickFeedsTheBigWindow()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(5);
    fBig *big = w.displays().bigWindow(false);
    QVERIFY(big);
    QCOMPARE(ui(*big).SegBox1->SegValue(), QStringLiteral("0.000")); // hidden: not written
    ui(w).mshowSec->trigger();
    QVERIFY(big->isVisible());
    f.tickAfter(1);
    QCOMPARE(ui(*big).SegBox1->SegValue(), QStringLiteral("6.000"));
    w.displays().setSegMode2(1);
    f.tickAfter(1);
    QCOMPARE(ui(*big).SegBox1->SegValue(), QStringLiteral("0:00:07.000"));
    ui(*big).mdate->trigger();
    ui(*big).SegBox1->setSegValue(QStringLiteral("x"));
    f.tickAfter(1);
    QCOMPARE(ui(*big).SegBox1->SegValue(), QStringLiteral("x"));
}

void TestFrmSec::resetShowsDashes()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(4);
    ui(w).mStop->trigger();
    ui(w).mReset->trigger();
    QCOMPARE(f.shown(), kResetText);
    QCOMPARE(ui(*w.displays().bigWindow(false)).SegBox1->SegValue(), kResetText);
    // The readings themselves are kept.
    QCOMPARE(w.stopwatch().TimerString, QStringLiteral("4.000"));
}

void TestFrmSec::precisionChoice_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("interval");
    const int intervals[] = {1, 10, 20, 50, 100, 200};
    for (int i = 0; i < 6; ++i)
        QTest::addRow("%d", i) << i << intervals[i];
    // (The timer's own interval below a frame: the Vexo options test.)
}

void TestFrmSec::precisionChoice()
{
    QFETCH(int, index);
    QFETCH(int, interval);
    FrmSec &w = f.load();
    QVERIFY(ui(w).msp[2]->isChecked());
    QCOMPARE(ui(w).tmrGo->precision(), 20);
    ui(w).msp[index]->trigger();
    QCOMPARE(ui(w).tmrGo->precision(), interval);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(ui(w).msp[i]->isChecked(), i == index);
    QCOMPARE(f.stored("Tavrik", "Speed"), QString::number(index));
}

void TestFrmSec::everyActionSaves()
{
    FrmSec &w = f.load();
    int saves = f.env.store.saveCalls;
    for (QAction *item : {ui(w).mstart, ui(w).mPause, ui(w).mCoun, ui(w).mStop, ui(w).mReset}) {
        item->trigger();
        QVERIFY(f.env.store.saveCalls > saves);
        saves = f.env.store.saveCalls;
    }
    // A guarded action does not save, even were its item on.
    ui(w).mPause->setEnabled(true);
    ui(w).mPause->trigger();
    QCOMPARE(f.env.store.saveCalls, saves);
}

TAVRIK_TEST_MAIN(TestFrmSec)
#include "tst_frmsec.moc"
