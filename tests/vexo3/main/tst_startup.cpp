#include "tests/vexo3/main/window_fixture.h"
#include "tests/support/testmain.h"

#include "shared/gui/placement.h"
#include "controls/twips.h"

#include <QFile>
#include <QLabel>

using namespace vexo3;

// Start-up in its order, and shut-down.
class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }
    void firstRun();
    void storedSpeedIsAppliedAndWrittenBack();
    void storedSegMode1ShowsHoursForm();
    void fractionStyleFromTheProfile();
    void missingImageFileIsReportedOncePerDisplay();
    void windowsStyleImagePathLoads();
    void onTopOffIsRespected();
    void lockedCloseIsRefusedForTwoSeconds();
    void refusalJustBeforeMidnightLastsTwoSeconds();
    void unlockedCloseSavesStateAndModes();
    void exitButtonSavesAndCloses();
    void systemEndSavesEvenWhenLocked();
    void endRequestDuringStartUpKeepsTheState();
    void endingShowsNoBox();
    void unusableSettingsFileIsReportedOnce();
    void failedSaveIsReportedOnce();

private:
    void writeIni(const QByteArray &content)
    {
        QFile ini(f.env.appDir() + QStringLiteral("Vexo.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(content);
    }
    MainFixture f;
};

void TestStartup::firstRun()
{
    FrmSec &w = f.load();
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrik") + titleVersion());
    QCOMPARE(sorted(f.visibleButtons()), sorted(kIdleSet));
    QCOMPARE(ui(w).tmrGo->interval(), 20);
    QVERIFY(ui(w).msp[2]->isChecked());
    QVERIFY(ui(w).montop->isChecked());
    QVERIFY(tavrik::gui::isTopmost(&w));
    QCOMPARE(f.shown(), QString());
    QVERIFY(w.isVisible());
    // Captions as start-up assigns them.
    QCOMPARE(ui(w).CMD[0]->Caption(), QStringLiteral("开始"));
    QCOMPARE(ui(w).CMD[6]->Caption(), QStringLiteral("记录"));
    QVERIFY(f.env.dialogs.boxes.isEmpty());
    // The big window exists, hidden, with its own start-up done.
    QVERIFY(w.displays().bigWindow(false) && !w.displays().bigWindow(false)->isVisible());
    QCOMPARE(ui(*w.displays().bigWindow(false)).SegBox1->SegValue(), QStringLiteral("0.000"));
}

void TestStartup::storedSpeedIsAppliedAndWrittenBack()
{
    f.env.store.save(tavrik::core::kSettingsApp, QStringLiteral("tavrik"), QStringLiteral("speed"), QStringLiteral("5"));
    const int before = f.env.store.saveCalls;
    FrmSec &w = f.load();
    QCOMPARE(ui(w).tmrGo->interval(), 200);
    QVERIFY(ui(w).msp[5]->isChecked() && !ui(w).msp[2]->isChecked());
    QCOMPARE(f.stored("Tavrik", "Speed"), QStringLiteral("5"));
    QVERIFY(f.env.store.saveCalls > before);
}

void TestStartup::storedSegMode1ShowsHoursForm()
{
    f.env.store.save(tavrik::core::kSettingsApp, QStringLiteral("Tavrik"), QStringLiteral("SegMode1"), QStringLiteral("1"));
    f.env.store.save(tavrik::core::kSettingsApp, QStringLiteral("Setting"), QStringLiteral("TimeString"), QStringLiteral("0:01:23.457"));
    f.env.store.save(tavrik::core::kSettingsApp, QStringLiteral("Setting"), QStringLiteral("TimerString"), QStringLiteral("83.457"));
    f.load();
    QCOMPARE(f.shown(), QStringLiteral("0:01:23.457"));
}

void TestStartup::fractionStyleFromTheProfile()
{
    writeIni("[Setting]\r\nmSStyle=1\r\nmSCount=2\r\n");
    FrmSec &w = f.load();
    QCOMPARE(w.stopwatch().msStyle, short(1));
    QCOMPARE(w.stopwatch().msCount, short(2));
    ui(w).mstart->trigger();
    f.tickAfter(83.4567);
    QCOMPARE(f.shown(), QStringLiteral("83.28"));
}

void TestStartup::missingImageFileIsReportedOncePerDisplay()
{
    writeIni("[SegFont]\r\nCount=1\r\n1=gone,seg/gone.png\r\nSelected=1\r\n");
    FrmSec &w = f.load();
    const QString expected = QStringLiteral("未找到图片文件:") + f.env.appDir() + QStringLiteral("seg/gone.png");
    QCOMPARE(f.env.dialogs.boxes.size(), 2);
    for (const auto &box : f.env.dialogs.boxes) {
        QCOMPARE(box.text, expected);
        QCOMPARE(box.title, QStringLiteral("加载字码图片失败"));
    }
    // The built-in digits are still painted: compare with a display that never
    // tried to load anything.
    Seg fresh;
    fresh.resize(ui(w).SegBox1->size());
    fresh.setSegCount(ui(w).SegBox1->SegCount());
    ui(w).SegBox1->setSegValue(QStringLiteral("8"));
    fresh.setSegValue(QStringLiteral("8"));
    QCOMPARE(ui(w).SegBox1->grab().toImage(), fresh.grab().toImage());
}

void TestStartup::windowsStyleImagePathLoads()
{
    QDir(f.env.appDir()).mkpath(QStringLiteral("seg"));
    QImage green(180, 54, QImage::Format_RGB32);
    green.fill(QColor(0, 200, 0));
    QVERIFY(green.save(f.env.appDir() + QStringLiteral("seg/green.png")));
    writeIni("[SegFont]\r\nCount=1\r\n1=绿色,seg\\green.png\r\nSelected=1\r\n");
    FrmSec &w = f.load();
    QVERIFY(f.env.dialogs.boxes.isEmpty());
    ui(w).SegBox1->setSegValue(QStringLiteral("8"));
    const QImage shot = ui(w).SegBox1->grab().toImage();
    const QPointF last = ui(w).SegBox1->cellRectTwips(ui(w).SegBox1->visibleCells() - 1).center() / tavrik::controls::kTwipsPerPixel;
    QCOMPARE(QColor(shot.pixel(last.toPoint())), QColor(0, 200, 0));
    QCOMPARE(QColor(ui(*w.displays().bigWindow(false)).SegBox1->grab().toImage().pixel(5, 5)), QColor(0, 200, 0));
}

void TestStartup::onTopOffIsRespected()
{
    f.env.store.save(tavrik::core::kSettingsApp, QStringLiteral("Tavrik"), QStringLiteral("OnTop"), QStringLiteral("0"));
    FrmSec &w = f.load();
    QVERIFY(!ui(w).montop->isChecked());
    QVERIFY(!tavrik::gui::isTopmost(&w));
}

void TestStartup::lockedCloseIsRefusedForTwoSeconds()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    ui(w).mLock->trigger();
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    const QString refusal = QStringLiteral("控制已被锁定，不能关闭窗口。");
    QCOMPARE(ui(w).lblDate->text(), refusal);
    QCOMPARE(ui(w).lblDate->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    // Nothing is frozen: the stopwatch goes on ticking meanwhile.
    f.tickAfter(1);
    tick(ui(w).Timer2);
    QCOMPARE(ui(w).lblDate->text(), refusal);
    QCOMPARE(f.shown(), QStringLiteral("1.000"));
    // A second attempt shows it again for two seconds from then, without a second wait.
    QVERIFY(!w.close());
    f.env.clock.advance(1.5);
    tick(ui(w).Timer2);
    QCOMPARE(ui(w).lblDate->text(), refusal);
    f.env.clock.advance(0.6);
    tick(ui(w).Timer2);
    QVERIFY(ui(w).lblDate->text().startsWith(QStringLiteral("2009年05月12日 ")));
    QCOMPARE(ui(w).lblDate->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(w.isVisible());
}

void TestStartup::refusalJustBeforeMidnightLastsTwoSeconds()
{
    FrmSec &w = f.load();
    f.env.clock.set(QDate(2009, 5, 12), 86399.5f);
    ui(w).mLock->trigger();
    w.close();
    f.env.clock.advance(1.0);
    tick(ui(w).Timer2);
    QCOMPARE(ui(w).lblDate->text(), QStringLiteral("控制已被锁定，不能关闭窗口。"));
    f.env.clock.advance(1.1);
    tick(ui(w).Timer2);
    QVERIFY(ui(w).lblDate->text().startsWith(QStringLiteral("2009年05月13日 ")));
}

void TestStartup::unlockedCloseSavesStateAndModes()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(3);
    ui(w).mShowhms->trigger();
    w.displays().setSegMode2(1);
    ui(w).mLock->trigger();
    ui(w).mLock->trigger();
    QVERIFY(w.close());
    QCOMPARE(f.stored("Setting", "TimerEnabled"), QStringLiteral("True"));
    QCOMPARE(f.stored("Setting", "TimerString"), QStringLiteral("3.000"));
    QCOMPARE(f.stored("Tavrik", "SegMode1"), QStringLiteral("1"));
    QCOMPARE(f.stored("Tavrik", "SegMode2"), QStringLiteral("1"));
}

void TestStartup::exitButtonSavesAndCloses()
{
    FrmSec &w = f.load();
    QTest::mouseClick(ui(w).CMD[7], Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QCOMPARE(f.stored("Setting", "CMD(0).Visible"), QStringLiteral("-1"));
    QCOMPARE(f.stored("Tavrik", "SegMode1"), QStringLiteral("0"));
}

void TestStartup::systemEndSavesEvenWhenLocked()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(2);
    ui(w).mLock->trigger();
    w.endFromSystem();
    QCOMPARE(f.stored("Setting", "TimerEnabled"), QStringLiteral("True"));
    QCOMPARE(f.stored("Setting", "TimerString"), QStringLiteral("2.000"));
    // The next start is unlocked and its controls work.
    FrmSec &w2 = f.restart();
    QCOMPARE(sorted(f.enabledButtons()), sorted(kRunningSet));
    QCOMPARE(w2.windowTitle(), QStringLiteral("Tavrik") + titleVersion());
    QTest::keyClick(&w2, Qt::Key_Return);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kPausedSet));
}

void TestStartup::endRequestDuringStartUpKeepsTheState()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(30);
    f.closeAll(); // a crash: the running state is in the store
    f.w = std::make_unique<FrmSec>();
    f.w->endFromSystem(); // the signal arrives before start-up has run
    f.w->saveForSessionEnd();
    QCOMPARE(f.stored("Setting", "TimerEnabled"), QStringLiteral("True"));
    f.w->Form_Load();
    QVERIFY(ui(*f.w).tmrGo->isActive());
    QTRY_VERIFY(!f.w->isVisible()); // then it ends, from the event loop
    QCOMPARE(f.stored("Setting", "TimerEnabled"), QStringLiteral("True"));
    QCOMPARE(f.stored("Setting", "StartTime"), QStringLiteral("36000"));
}

void TestStartup::endingShowsNoBox()
{
    // Nothing may hold the end up waiting for a click, a failed save included.
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.env.store.failSaves = true;
    QVERIFY(w.close());
    QVERIFY(w.isEnding());
    QVERIFY(f.env.dialogs.boxes.isEmpty());
    w.endFromSystem(); // a signal while ending
    QVERIFY(f.env.dialogs.boxes.isEmpty());
}

void TestStartup::unusableSettingsFileIsReportedOnce()
{
    f.env.store.problemText = QStringLiteral("“/home/u/.config/BriselSoftware.ini”不是普通文件。");
    f.env.store.failSaves = true;
    FrmSec &w = f.load();
    QTRY_COMPARE(f.env.dialogs.boxes.size(), 1);
    QCOMPARE(f.env.dialogs.boxes[0].title, QStringLiteral("错误"));
    QVERIFY(f.env.dialogs.boxes[0].text.contains(f.env.store.problemText));
    ui(w).mstart->trigger();
    ui(w).mPause->trigger();
    QCOMPARE(f.env.dialogs.boxes.size(), 1);
}

void TestStartup::failedSaveIsReportedOnce()
{
    FrmSec &w = f.load();
    f.env.store.failSaves = true;
    ui(w).mstart->trigger();
    // The action is done before the box is said: nothing waits for it.
    QCOMPARE(f.env.dialogs.boxes.size(), 0);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kRunningSet));
    ui(w).mPause->trigger();
    QTRY_COMPARE(f.env.dialogs.boxes.size(), 1);
    QCOMPARE(f.env.dialogs.boxes[0].title, QStringLiteral("错误"));
    QVERIFY(f.env.dialogs.boxes[0].text.startsWith(QStringLiteral("无法保存秒表的状态：磁盘已满")));
    QTest::qWait(20);
    QCOMPARE(f.env.dialogs.boxes.size(), 1);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kPausedSet));
}

TAVRIK_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
