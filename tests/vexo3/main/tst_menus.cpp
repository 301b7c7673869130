#include "tests/vexo3/main/window_fixture.h"
#include "tests/support/testmain.h"

#include "shared/gui/placement.h"
#include "controls/twips.h"

#include <QFile>
#include <QMenuBar>

using namespace vexo3;

class TestMenus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }
    void menuBarInOrder();
    void mnemonicsWork();
    void lockBlocksEveryAction();
    void unlockRestoresTheState();
    void lowestPrecisionStepsAndIsStored();
    void onTopToggleIsStoredAndKeepsGeometry();
    void rightClickChecksTheShownForm_data();
    void rightClickChecksTheShownForm();
    void leftClickSwitchesFormOnNextTick();
    void displayWindows();
    void webPagesOpenThroughTheDesktop();
    void helpText_data();
    void helpText();
    void aboutBox();
    void olderProgram_data();
    void olderProgram();
    void windowBodyClickOnlyWhenLow();

private:
    static QStringList captions(const QMenu *m)
    {
        QStringList out;
        for (QAction *a : m->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
    void writeApp(const QString &name, const QByteArray &content)
    {
        QFile file(f.env.appDir() + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    MainFixture f;
};

void TestMenus::menuBarInOrder()
{
    FrmSec &w = f.load();
    QStringList top;
    for (QAction *a : w.menuBar()->actions())
        top << a->text();
    QCOMPARE(top, (QStringList{"秒表控制(&S)", "设置(&O)", "帮助(&H)"}));
    QCOMPARE(captions(ui(w).mSec), (QStringList{"开始    [Enter]", "暂停    [Enter]", "继续    [Enter]", "停止", "复位", "-",
                                            "记录    [Space]", "锁定控制(&L)", "-", "定时(测试版本功能)", "-", "使用旧版本", "-",
                                            "关闭(&C)"}));
    QCOMPARE(captions(ui(w).mOption), (QStringList{"显示窗口", "精度(&M)", "-", "窗口总在前面显示(&O)", "-", "选项(&)..."}));
    QCOMPARE(captions(ui(w).mShowWindows), (QStringList{"秒表显示", "日期", "时间", "微型"}));
    QVERIFY(!ui(w).mMiniForm->isEnabled());
    QCOMPARE(captions(ui(w).mFor), (QStringList{"最高(毫秒)", "高", "普通(默认)", "低", "较低", "最低(秒)"}));
    QCOMPARE(captions(ui(w).mHelp), (QStringList{"下载最新版本...", "作者主页", "-", "您对Tavrik的意见...", "-", "说明...", "-", "关于(&A)..."}));
    QCOMPARE(captions(ui(w).mSegPop), (QStringList{"显示为“时分秒”", "显示为“秒”", "-", "显示大窗口"}));
    QVERIFY(ui(w).mp1[0]->text().startsWith(QStringLiteral("https://")));
    QVERIFY(ui(w).mp1[1]->text().startsWith(QStringLiteral("https://")));
}

void TestMenus::mnemonicsWork()
{
    FrmSec &w = f.load();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    // Each menu opens by Alt and its letter; the captions read as before, "设置(O)".
    const QList<std::pair<Qt::Key, QMenu *>> menus{
        {Qt::Key_S, ui(w).mSec}, {Qt::Key_O, ui(w).mOption}, {Qt::Key_H, ui(w).mHelp}};
    for (const auto &[key, menu] : menus) {
        QTest::keyClick(&w, key, Qt::AltModifier);
        QTRY_VERIFY(menu->isVisible());
        menu->close();
        QTRY_VERIFY(!menu->isVisible());
    }
    QCOMPARE(ui(w).mOption->title().remove(u'&'), QStringLiteral("设置(O)"));
    // Alt+S, L locks, and the same keys unlock again, any number of times.
    for (bool locked : {true, false, true, false}) {
        QTest::keyClick(&w, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(ui(w).mSec->isVisible());
        QTest::keyClick(ui(w).mSec, Qt::Key_L);
        QTRY_COMPARE(w.windowTitle().endsWith(QStringLiteral("[控制已经锁定]")), locked);
        QVERIFY(!ui(w).mSec->isVisible());
    }
}

void TestMenus::lockBlocksEveryAction()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(1);
    ui(w).mPause->trigger();
    ui(w).mLock->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrik") + titleVersion(true) + QStringLiteral(" [控制已经锁定]"));
    QCOMPARE(ui(w).mLock->text(), QStringLiteral("解除锁定控制(&L)"));
    const auto saves = f.env.store.saveCalls;
    QTest::keyClick(&w, Qt::Key_Return);
    QTest::keyClick(&w, Qt::Key_Space);
    QTest::keyClick(&w, Qt::Key_F3);
    for (cmdBox *b : ui(w).CMD)
        QTest::mouseClick(b, Qt::LeftButton);
    for (QAction *a : {ui(w).mstart, ui(w).mPause, ui(w).mCoun, ui(w).mStop, ui(w).mReset, ui(w).mUnload})
        QVERIFY(!a->isEnabled());
    ui(w).mrec->trigger();
    // Nor would their own items and buttons act, were they on.
    for (QAction *a : {ui(w).mCoun, ui(w).mReset}) {
        a->setEnabled(true);
        a->trigger();
    }
    for (int aboutOrExit : {5, 7}) {
        ui(w).CMD[aboutOrExit]->setEnabled(true);
        QTest::mouseClick(ui(w).CMD[aboutOrExit], Qt::LeftButton);
    }
    QCOMPARE(sorted(f.visibleButtons()), sorted(kPausedSet));
    QVERIFY(!ui(w).tmrGo->isActive());
    QVERIFY(!w.recordList());
    QVERIFY(f.env.dialogs.boxes.isEmpty());
    QCOMPARE(f.env.store.saveCalls, saves);
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    // The other menus still work, the lock item among them.
    QVERIFY(ui(w).mLock->isEnabled());
    ui(w).msp[4]->trigger();
    QCOMPARE(ui(w).tmrGo->interval(), 100);
}

void TestMenus::unlockRestoresTheState()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    ui(w).mLock->trigger();
    ui(w).mLock->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrik"));
    QCOMPARE(ui(w).mLock->text(), QStringLiteral("锁定控制(&L)"));
    QCOMPARE(sorted(f.visibleButtons()), sorted(kRunningSet));
    QCOMPARE(sorted(f.enabledButtons()), sorted(kAllButtons));
    QVERIFY(ui(w).mPause->isEnabled() && ui(w).mCoun->isEnabled() && ui(w).mstart->isEnabled());
    // The hidden buttons, though enabled, stay inert: the start item does not start
    // again, and Enter (which reaches the window again) pauses, it does not start.
    f.tickAfter(2);
    ui(w).mstart->trigger();
    f.tickAfter(0);
    QTest::keyClick(&w, Qt::Key_Return);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kPausedSet));
    QCOMPARE(f.shown(), QStringLiteral("2.000"));
}

void TestMenus::lowestPrecisionStepsAndIsStored()
{
    FrmSec &w = f.load();
    ui(w).msp[5]->trigger();
    QCOMPARE(f.stored("Tavrik", "Speed"), QStringLiteral("5"));
    ui(w).mstart->trigger();
    // The real timer, with the clock moving 200 ms per tick: one reading per step.
    QList<double> readings;
    auto c = connect(ui(w).tmrGo, &QTimer::timeout, this, [&] {
        readings << f.shown().toDouble();
        f.env.clock.advance(0.2);
    });
    QTRY_VERIFY_WITH_TIMEOUT(readings.size() >= 4, 5000);
    disconnect(c);
    QCOMPARE(ui(w).tmrGo->interval(), 200);
    for (int i = 1; i < readings.size(); ++i)
        QVERIFY2(std::fabs(readings[i] - readings[i - 1] - 0.2) < 0.005, qPrintable(QString::number(readings[i])));
    FrmSec &w2 = f.restart();
    QCOMPARE(ui(w2).tmrGo->interval(), 200);
    QVERIFY(ui(w2).msp[5]->isChecked());
}

void TestMenus::onTopToggleIsStoredAndKeepsGeometry()
{
    FrmSec &w = f.load();
    QVERIFY(tavrik::gui::isTopmost(&w));
    const QRect before = w.geometry();
    ui(w).montop->trigger();
    QVERIFY(!ui(w).montop->isChecked());
    QVERIFY(!tavrik::gui::isTopmost(&w));
    QCOMPARE(w.geometry(), before);
    QVERIFY(w.isVisible());
    QCOMPARE(f.stored("Tavrik", "OnTop"), QStringLiteral("0"));
    FrmSec &w2 = f.restart();
    QVERIFY(!tavrik::gui::isTopmost(&w2));
    ui(w2).montop->trigger();
    QCOMPARE(f.stored("Tavrik", "OnTop"), QStringLiteral("255"));
    QVERIFY(tavrik::gui::isTopmost(&w2));
    FrmSec &w3 = f.restart();
    QVERIFY(tavrik::gui::isTopmost(&w3));
}

void TestMenus::rightClickChecksTheShownForm_data()
{
    QTest::addColumn<int>("segMode1");
    QTest::addColumn<bool>("hms");
    QTest::newRow("seconds") << 0 << false;
    QTest::newRow("hours") << 1 << true;
}

void TestMenus::rightClickChecksTheShownForm()
{
    QFETCH(int, segMode1);
    QFETCH(bool, hms);
    FrmSec &w = f.load();
    if (segMode1 == 1)
        ui(w).mShowhms->trigger();
    QTest::mouseClick(ui(w).SegBox1, Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
    QVERIFY(ui(w).mSegPop->isVisible());
    QCOMPARE(ui(w).mShowhms->isChecked(), hms);
    QCOMPARE(ui(w).mShowS->isChecked(), !hms);
    ui(w).mSegPop->hide();
    ui(w).mShowhms->trigger();
    QCOMPARE(w.stopwatch().SegMode1, short(1));
    ui(w).mShowS->trigger();
    QCOMPARE(w.stopwatch().SegMode1, short(0));
}

void TestMenus::leftClickSwitchesFormOnNextTick()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(61);
    ui(w).mStop->trigger();
    QCOMPARE(f.shown(), QStringLiteral("61.000"));
    QTest::mouseClick(ui(w).SegBox1, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QCOMPARE(f.shown(), QStringLiteral("61.000")); // nothing visible until it runs again
    ui(w).mstart->trigger();
    f.tickAfter(1);
    QCOMPARE(f.shown(), QStringLiteral("0:00:01.000"));
    QTest::mouseClick(ui(w).SegBox1, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    f.tickAfter(1);
    QCOMPARE(f.shown(), QStringLiteral("2.000"));
}

void TestMenus::displayWindows()
{
    FrmSec &w = f.load();
    ui(w).mshowDate->trigger();
    ui(w).mshowDate->trigger();
    ui(w).mshowTime->trigger();
    const auto dates = f.bigWindows(QStringLiteral("Date"));
    QCOMPARE(dates.size(), 2);
    for (fBig *d : dates) {
        QVERIFY(d->isVisible());
        QCOMPARE(d->windowTitle(), QStringLiteral("日期"));
        QCOMPARE(ui(*d).SegBox1->SegCount(), QStringLiteral("10"));
        QVERIFY(!ui(*d).mSec->isEnabled());
    }
    QCOMPARE(f.bigWindows(QStringLiteral("Time")).size(), 1);
    QCOMPARE(f.bigWindows(QStringLiteral("Time"))[0]->windowTitle(), QStringLiteral("时间"));
    // The stopwatch window shows with the big display's digit count.
    w.displays().setSegCounts(12, 17);
    ui(w).mShowbigForm->trigger();
    QVERIFY(w.displays().bigWindow(false)->isVisible());
    QCOMPARE(ui(*w.displays().bigWindow(false)).SegBox1->SegCount(), QStringLiteral("17"));
}

void TestMenus::webPagesOpenThroughTheDesktop()
{
    FrmSec &w = f.load();
    ui(w).mnewp->trigger();
    ui(w).mp1[0]->trigger();
    ui(w).mp1[1]->trigger();
    ui(w).myj->trigger();
    QCOMPARE(f.env.launcher.urls.size(), 4);
    QCOMPARE(f.env.launcher.urls[1], QUrl(ui(w).mp1[0]->text()));
    QCOMPARE(f.env.launcher.urls[2], QUrl(ui(w).mp1[1]->text()));
    for (const QUrl &u : f.env.launcher.urls) {
        QVERIFY(u.isValid());
        QVERIFY(u.host().endsWith(QStringLiteral("example.org")));
    }
    QCOMPARE(f.env.dialogs.boxes.size(), 1);
    QCOMPARE(f.env.dialogs.boxes[0].title, QStringLiteral("您的意见"));
    QCOMPARE(f.env.dialogs.boxes[0].text,
             QStringLiteral("《Tavrik》力求按照用户的要求来不断改进、完善自己，非常感谢用户朋友提供的意见！\r\n\r\n"
                            "您可以在bbs中留下意见，或者直接发送e-mail。"));
}

void TestMenus::helpText_data()
{
    QTest::addColumn<int>("kind"); // 0 present, 1 missing, 2 unreadable (a folder)
    QTest::newRow("present") << 0;
    QTest::newRow("missing") << 1;
    QTest::newRow("a folder") << 2;
}

void TestMenus::helpText()
{
    QFETCH(int, kind);
    FrmSec &w = f.load();
    const QString path = f.env.appDir() + QStringLiteral("说明.txt");
    if (kind == 0)
        writeApp(QStringLiteral("说明.txt"), "按 Enter 开始计时。\r\n");
    if (kind == 2)
        QDir().mkpath(path);
    ui(w).mSh->trigger();
    QCOMPARE(f.env.dialogs.boxes.size(), 1);
    const auto &box = f.env.dialogs.boxes[0];
    if (kind == 0) {
        QCOMPARE(box.title, QStringLiteral("说明"));
        QCOMPARE(box.text, QStringLiteral("按 Enter 开始计时。\r\n"));
        QCOMPARE(box.icon, tavrik::gui::MsgIcon::Information);
    } else {
        QCOMPARE(box.title, QStringLiteral("错误"));
        QCOMPARE(box.icon, tavrik::gui::MsgIcon::Critical);
        if (kind == 1)
            QCOMPARE(box.text, QStringLiteral("未找到说明文件:") + path);
        else
            QVERIFY2(!box.text.isEmpty() && !box.text.startsWith(QStringLiteral("未找到")), qPrintable(box.text));
    }
}

void TestMenus::aboutBox()
{
    FrmSec &w = f.load();
    const int saves = f.env.store.saveCalls;
    ui(w).mAbout->trigger();
    QCOMPARE(f.env.store.saveCalls, saves);
    QTest::mouseClick(ui(w).CMD[5], Qt::LeftButton);
    QCOMPARE(f.env.dialogs.boxes.size(), 2);
    for (const auto &box : f.env.dialogs.boxes) {
        QCOMPARE(box.title, QStringLiteral("关于"));
        QVERIFY(box.text.startsWith(QStringLiteral("   ====Tavrik====\r\n  版本：") + titleVersion() + QStringLiteral("\r\n")));
    }
    QVERIFY(f.env.store.saveCalls > saves);
}

void TestMenus::olderProgram_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("starts");
    QTest::newRow("missing") << false << true;
    QTest::newRow("starts") << true << true;
    QTest::newRow("fails") << true << false;
}

void TestMenus::olderProgram()
{
    QFETCH(bool, present);
    QFETCH(bool, starts);
    FrmSec &w = f.load();
    if (present)
        writeApp(QStringLiteral("Vexo"), "#!/bin/sh\n");
    f.env.launcher.startResult = starts;
    ui(w).mOldVexo->trigger();
    QCOMPARE(f.env.launcher.started, present ? QStringList{f.env.appDir() + QStringLiteral("Vexo")} : QStringList{});
    QCOMPARE(f.env.dialogs.boxes.size(), present && !starts ? 1 : 0);
    if (!f.env.dialogs.boxes.isEmpty()) {
        QCOMPARE(f.env.dialogs.boxes[0].text, QStringLiteral("未找到旧版本! "));
        QCOMPARE(f.env.dialogs.boxes[0].title, w.windowTitle());
        QCOMPARE(f.env.dialogs.boxes[0].icon, tavrik::gui::MsgIcon::Critical);
    }
}

void TestMenus::windowBodyClickOnlyWhenLow()
{
    FrmSec &w = f.load();
    QTest::mouseClick(ui(w).Label5, Qt::LeftButton);
    QVERIFY(!ui(w).mSec->isVisible());
    w.setMinimumSize(0, 0);
    w.centralWidget()->setMinimumSize(0, 0);
    w.centralWidget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w.resize(w.width(), 40);
    QVERIFY(tavrik::controls::twips(w.frameGeometry().height()) < 1000);
    QTest::mouseClick(ui(w).Label5, Qt::LeftButton);
    QVERIFY(ui(w).mSec->isVisible());
    ui(w).mSec->hide();
}

TAVRIK_TEST_MAIN(TestMenus)
#include "tst_menus.moc"
