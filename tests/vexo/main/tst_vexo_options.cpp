#include "vexo_fixture.h"
#include "tests/support/testmain.h"

#include "shared/core/about.h"
#include "shared/gui/placement.h"

#include <QFile>

using namespace vexo;

namespace {

using Stored = QList<QPair<QString, QString>>;

// What start-up made of the stored settings, as one line a person could check.
QString seenAtStartUp(VexoFixture &f)
{
    const VexoUi u = f.parts();
    QStringList out;
    out << QStringLiteral("A60=%1").arg(u.mA60->isChecked()) << QStringLiteral("B60=%1").arg(u.mB60->isChecked());
    for (QLabel *l : {u.lblTime, u.lblTimer, u.lblDate, u.Label1, u.Label2})
        out << QStringLiteral("%1=%2").arg(l->objectName()).arg(l->frameShape() == QFrame::Box ? 1 : 0);
    int speed = -1;
    for (int i = 0; i < 6; ++i)
        if (u.msp[size_t(i)]->isChecked())
            speed = speed == -1 ? i : -2;
    out << QStringLiteral("Speed=%1/%2ms").arg(speed).arg(u.Timer1->precision());
    out << QStringLiteral("OnTop=%1/%2").arg(u.montop->isChecked()).arg(tavrik::gui::isTopmost(f.w.get()));
    return out.join(u' ');
}

} // namespace

class TestVexoOptions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }

    void storedSettings_data();
    void storedSettings();
    void togglesAreStoredAndComeBack();
    void precisionItems_data();
    void precisionItems();
    void labelClicksToggleBorders();
    void lockStopsKeysAndButtons();
    void lockedCaptionOnlyWhileNotRunning_data();
    void lockedCaptionOnlyWhileNotRunning();
    void lockedWhileRunning();
    void miniWindow();
    void menuOpensOnlyInTheMiniWindowAndAtLabel4_data();
    void menuOpensOnlyInTheMiniWindowAndAtLabel4();
    void startFailuresAreSaid_data();
    void startFailuresAreSaid();
    void hoverFrame();

private:
    VexoFixture f;
};

void TestVexoOptions::storedSettings_data()
{
    QTest::addColumn<Stored>("stored");
    QTest::addColumn<QString>("seen");
    QTest::addColumn<QString>("speedWritten");
    const QString defaults =
        "A60=0 B60=0 lblTime=1 lblTimer=1 lblDate=0 Label1=0 Label2=0 Speed=2/20ms OnTop=1/1";
    QTest::newRow("nothing stored") << Stored{} << defaults << "2";
    QTest::newRow("all set") << Stored{{"mA60", "1"},
                                       {"mB60", "-1"},
                                       {"TimeBorderStyle", "0"},
                                       {"TimerBorderStyle", "0"},
                                       {"lblDateBorderStyle", "1"},
                                       {"Label1BorderStyle", "1"},
                                       {"label2BorderStyle", "1"},
                                       {"Speed", "0"},
                                       {"OnTop", "0"}}
                             << "A60=1 B60=1 lblTime=0 lblTimer=0 lblDate=1 Label1=1 Label2=1 Speed=0/1ms OnTop=0/0"
                             << "0";
    QTest::newRow("names in any case") << Stored{{"MA60", "1"}, {"timeborderstyle", "0"}, {"SPEED", "5"}, {"ontop", "255"}}
                                       << "A60=1 B60=0 lblTime=0 lblTimer=1 lblDate=0 Label1=0 Label2=0 Speed=5/200ms OnTop=1/1"
                                       << "5";
    QTest::newRow("Vexo3's precision") << Stored{{"Speed", "3"}} << QString(defaults).replace("2/20ms", "3/50ms")
                                       << "3";
    // Values the program never writes read as the key's default.
    QTest::newRow("out of range") << Stored{{"Speed", "6"}, {"TimeBorderStyle", "2"}, {"Label1BorderStyle", "-1"}}
                                  << defaults << "2";
    QTest::newRow("not numbers") << Stored{{"Speed", "fast"}, {"mA60", "yes"}, {"OnTop", ""}, {"TimerBorderStyle", "x"}}
                                 << defaults << "2";
    QTest::newRow("negative speed") << Stored{{"Speed", "-1"}} << defaults << "2";
}

void TestVexoOptions::storedSettings()
{
    QFETCH(Stored, stored);
    QFETCH(QString, seen);
    QFETCH(QString, speedWritten);
    for (const auto &kv : stored)
        f.store(kv.first, kv.second);
    f.load();
    QCOMPARE(seenAtStartUp(f), seen);
    // Start-up applies the precision as a menu choice would, and so writes it back.
    QCOMPARE(f.stored(QStringLiteral("Speed")), speedWritten);
    // A whole window, whatever was stored.
    QCOMPARE(f.seen(), (QStringList{"开始", "复位", "关于", "关闭"}));
    f.key(Qt::Key_Space);
    f.tickAfter(1.5);
    QVERIFY(f.parts().lblTimer->text().endsWith(seen.contains("B60=1") ? QStringLiteral("1.30") : QStringLiteral("1.500")));
}

void TestVexoOptions::togglesAreStoredAndComeBack()
{
    f.load();
    VexoUi u = f.parts();
    u.mA60->trigger();
    QCOMPARE(f.stored(QStringLiteral("mA60")), QStringLiteral("1"));
    u.montop->trigger();
    QCOMPARE(f.stored(QStringLiteral("OnTop")), QStringLiteral("0"));
    QVERIFY(!tavrik::gui::isTopmost(f.w.get()));
    f.restart();
    u = f.parts();
    QVERIFY(u.mA60->isChecked());
    QVERIFY(!u.montop->isChecked());
    u.mA60->trigger();
    u.montop->trigger();
    QCOMPARE(f.stored(QStringLiteral("mA60")), QStringLiteral("0"));
    QCOMPARE(f.stored(QStringLiteral("OnTop")), QStringLiteral("255"));
    QVERIFY(tavrik::gui::isTopmost(f.w.get()));
    f.restart();
    QVERIFY(!f.parts().mA60->isChecked());
    QVERIFY(f.parts().montop->isChecked());
}

void TestVexoOptions::precisionItems_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("interval");
    // Below a frame (60 Hz here) the tick comes once a frame, a millisecond over.
    QTest::addColumn<int>("ticksAt");
    QTest::newRow("最高(毫秒)") << 0 << 1 << 18;
    QTest::newRow("高") << 1 << 10 << 18;
    QTest::newRow("普通(默认)") << 2 << 20 << 20;
    QTest::newRow("低") << 3 << 50 << 50;
    QTest::newRow("较低") << 4 << 100 << 100;
    QTest::newRow("最低(秒)") << 5 << 200 << 200;
}

void TestVexoOptions::precisionItems()
{
    QFETCH(int, item);
    QFETCH(int, interval);
    QFETCH(int, ticksAt);
    f.load();
    const VexoUi u = f.parts();
    f.key(Qt::Key_Space);
    u.msp[size_t(item)]->trigger();
    QCOMPARE(u.Timer1->precision(), interval);
    QCOMPARE(u.Timer1->interval(), ticksAt);
    QVERIFY(u.Timer1->isActive());
    QCOMPARE(f.stored(QStringLiteral("Speed")), QString::number(item));
    for (int i = 0; i < 6; ++i)
        QCOMPARE(u.msp[size_t(i)]->isChecked(), i == item);
    // Choosing the checked item again keeps it checked.
    u.msp[size_t(item)]->trigger();
    QVERIFY(u.msp[size_t(item)]->isChecked());
}

void TestVexoOptions::labelClicksToggleBorders()
{
    f.load();
    const VexoUi u = f.parts();
    for (QLabel *l : {u.lblTime, u.lblTimer, u.lblDate, u.Label1}) {
        const QFrame::Shape before = l->frameShape();
        QTest::mouseClick(l, Qt::LeftButton);
        QVERIFY(l->frameShape() != before);
        QTest::mouseClick(l, Qt::LeftButton);
        QCOMPARE(l->frameShape(), before);
    }
    // Label2's click is the timing mode's, not a border's.
    QTest::mouseClick(u.Label2, Qt::LeftButton);
    QCOMPARE(u.Label2->frameShape(), QFrame::NoFrame);
    QCOMPARE(f.env.dialogs.prompts.size(), 1);
}

void TestVexoOptions::lockStopsKeysAndButtons()
{
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    f.key(Qt::Key_Space);
    u.mLock->trigger();
    QCOMPARE(u.mLock->text(), QStringLiteral("解除锁定控制(&L)"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrik2.1.0053 [控制已经锁定]"));
    QVERIFY(!w.keyPreview());
    QStringList enabled;
    for (xpcmdbutton *b : u.cmd)
        if (b->isEnabled())
            enabled << b->objectName();
    QCOMPARE(enabled, (QStringList{"cmdStop", "cmdLog", "cmdAbout"}));
    QVERIFY(u.Label4->isEnabled());
    // The menu still reaches Pause, and the buttons that stay usable work.
    f.tickAfter(2);
    u.mPause->trigger();
    QCOMPARE(f.seen(), (QStringList{"继续", "复位", "记录", "关闭"}));
    f.key(Qt::Key_Space);
    QCOMPARE(f.seen(), (QStringList{"继续", "复位", "记录", "关闭"}));
    u.mLock->trigger();
    QCOMPARE(u.mLock->text(), QStringLiteral("锁定控制(&L)"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrik"));
    QVERIFY(u.mUnload->isEnabled());
    f.key(Qt::Key_Space);
    QCOMPARE(f.seen(), (QStringList{"暂停", "停止", "记录", "关闭"}));
}

void TestVexoOptions::lockedCaptionOnlyWhileNotRunning_data()
{
    QTest::addColumn<QString>("before"); // menu items chosen before the lock
    QTest::addColumn<QString>("after");  // and after it
    QTest::addColumn<QString>("caption");
    const QString locked = QStringLiteral("Tavrik2.1.0053 [控制已经锁定]");
    QTest::newRow("idle") << "" << "" << locked;
    QTest::newRow("paused") << "mstart,mPause" << "" << locked;
    QTest::newRow("stopped") << "mstart,mStop" << "" << locked;
    // The next tick writes the caption of a window of normal height.
    QTest::newRow("running") << "mstart" << "" << "Tavrik";
    QTest::newRow("idle, then started from the menu") << "" << "mstart" << "Tavrik";
    QTest::newRow("running, then paused from the menu") << "mstart" << "mPause" << "Tavrik";
}

void TestVexoOptions::lockedCaptionOnlyWhileNotRunning()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    FrmSec &w = f.load();
    auto choose = [&](const QString &items) {
        for (const QString &name : items.split(u',', Qt::SkipEmptyParts)) {
            f.tickAfter(1);
            partOf<QAction>(w, name)->trigger();
        }
    };
    choose(before);
    f.parts().mLock->trigger();
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrik2.1.0053 [控制已经锁定]"));
    choose(after);
    f.tickAfter(1);
    QTEST(w.windowTitle(), "caption");
}

void TestVexoOptions::lockedWhileRunning()
{
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    f.click(Button::cmdStart);
    u.mLock->trigger();
    // 记录 and 停止 still work by mouse.
    f.tickAfter(2);
    f.click(Button::cmdLog);
    QVERIFY(f.recordList());
    QCOMPARE(f.recordList()->entries(), QStringList{"0000000002.000S [0000:00:02.000]"});
    // Pause is reached through the menu, refreshed as ever.
    QTest::mouseClick(u.Label4, Qt::LeftButton);
    QVERIFY(u.mSec->isVisible());
    QVERIFY(u.mPause->isEnabled());
    QVERIFY(!u.mUnload->isEnabled());
    u.mSec->hide();
    u.mPause->trigger();
    QCOMPARE(f.seen(), (QStringList{"继续", "复位", "记录", "关闭"}));
    QTest::mouseClick(u.Label4, Qt::LeftButton);
    QVERIFY(u.mCoun->isEnabled());
    u.mSec->hide();
    u.mCoun->trigger();
    f.tickAfter(1);
    f.click(Button::cmdStop);
    QCOMPARE(f.seen(), (QStringList{"开始", "复位", "记录", "关闭"}));
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000000003.000"));
    // The buttons the lock holds do nothing, whatever is clicked.
    f.click(Button::cmdStart);
    f.click(Button::cmdReset);
    QCOMPARE(f.seen(), (QStringList{"开始", "复位", "记录", "关闭"}));
    f.click(Button::cmdClose);
    QVERIFY(w.isVisible());
    QVERIFY(f.env.dialogs.questions.isEmpty());
}

void TestVexoOptions::miniWindow()
{
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    QTest::mouseMove(u.Label4, QPoint(30, 5));
    QTRY_VERIFY(u.Shape1->isVisible());

    u.mMiniForm->trigger();
    QCOMPARE(w.outerHeightTwips(), 795); // 800 twips, to the whole pixel
    QCOMPARE(w.windowTitle(), QString());
    QVERIFY(!u.Label4->isVisible());
    QVERIFY(!u.Shape1->isVisible());
    f.key(Qt::Key_Space);
    f.tickAfter(83.457);
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrik2.1.0053  [0000:01:23.457]"));
    QCOMPARE(u.Label5->text(), QStringLiteral("时间[0000:01:23.457] 计时[0000000083.457]"));
    QVERIFY(u.Label5->isVisible());
    // The whole read-out line lies inside the mini window, never cut off, in 12 pt
    // unless the font is too wide for that.
    QVERIFY(w.rect().contains(u.Label5->geometry()));
    QCOMPARE(u.Label5->width(), u.Label5->sizeHint().width());
    QVERIFY(u.Label5->font().pointSizeF() <= 12);

    // Paused, the caption keeps the last tick's reading.
    f.key(Qt::Key_Space);
    f.tickAfter(5);
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrik2.1.0053  [0000:01:23.457]"));

    u.mMiniForm->trigger();
    QCOMPARE(w.outerHeightTwips(), 3015); // 3010 twips, to the whole pixel
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrik2.1.0053"));
    QVERIFY(u.Label4->isVisible());
    // No tick comes while paused: the mini read-out line does not linger beside Label4.
    QCOMPARE(u.Label5->text(), QString());
    f.key(Qt::Key_Space);
    f.tickAfter(1);
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrik"));
    QCOMPARE(u.Label5->text(), QString());
    // 3010 is above 1000: the item works again.
    u.mMiniForm->trigger();
    QVERIFY(w.outerHeightTwips() < 1000);
    f.tickAfter(1);
    QCOMPARE(u.Label5->text(), QStringLiteral("时间[0000:01:25.457] 计时[0000000085.457]"));
}

void TestVexoOptions::menuOpensOnlyInTheMiniWindowAndAtLabel4_data()
{
    QTest::addColumn<bool>("mini");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("opens");
    QTest::newRow("normal, Label4") << false << "Label4" << true;
    QTest::newRow("normal, the bare window") << false << "window" << false;
    QTest::newRow("normal, a read-out") << false << "lblTimer" << false;
    QTest::newRow("normal, the line") << false << "Line1" << false;
    QTest::newRow("mini, the bare window") << true << "window" << true;
    QTest::newRow("mini, Label5") << true << "Label5" << true;
}

void TestVexoOptions::menuOpensOnlyInTheMiniWindowAndAtLabel4()
{
    QFETCH(bool, mini);
    QFETCH(QString, target);
    QFETCH(bool, opens);
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    f.key(Qt::Key_Space);
    if (mini)
        u.mMiniForm->trigger();
    f.tickAfter(1);
    if (target == QStringLiteral("window"))
        QTest::mouseClick(&w, Qt::LeftButton, Qt::NoModifier, mini ? QPoint(3, 3) : QPoint(150, 95));
    else if (target == QStringLiteral("Line1"))
        QTest::mouseClick(&w, Qt::LeftButton, Qt::NoModifier, u.Line1->geometry().center());
    else
        QTest::mouseClick(partOf<QWidget>(w, target), Qt::LeftButton);
    QCOMPARE(u.mSec->isVisible(), opens);
    // Always where Label4 opens it: 1 and 300 twips into the client area.
    if (opens)
        QCOMPARE(u.mSec->pos(), w.mapToGlobal(QPoint(0, 20)));
    u.mSec->hide();
    // A right button never opens it.
    if (mini) {
        QTest::mouseClick(&w, Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
        QVERIFY(!u.mSec->isVisible());
    }
}

void TestVexoOptions::startFailuresAreSaid_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("helpFile");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QString>("box"); // %1: the help file's path
    QTest::newRow("help, no editor") << "mSH" << true << false << "无法启动文本编辑器打开文件：\n%1";
    QTest::newRow("help, editor starts") << "mSH" << true << true << "";
    QTest::newRow("help file missing: nothing, not even a box") << "mSH" << false << false << "";
    QTest::newRow("download page, no browser") << "mnewp" << false << false
                                               << "无法启动网页浏览器打开网址：\n" + tavrik::core::kDownloadPage;
    QTest::newRow("home page, no browser") << "mp1(0)" << false << false
                                           << "无法启动网页浏览器打开网址：\n" + tavrik::core::kHomePage;
    QTest::newRow("home page, browser starts") << "mp1(0)" << false << true << "";
}

void TestVexoOptions::startFailuresAreSaid()
{
    QFETCH(QString, item);
    QFETCH(bool, helpFile);
    QFETCH(bool, starts);
    QFETCH(QString, box);
    const QString help = f.env.appDir() + QStringLiteral("说明.txt");
    if (helpFile) {
        QFile file(help);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    f.env.launcher.openResult = starts;
    FrmSec &w = f.load();
    partOf<QAction>(w, item)->trigger();
    // Asked of the launcher (never of a shell) whenever there is something to open.
    QCOMPARE(f.env.launcher.urls.size(), item == QStringLiteral("mSH") && !helpFile ? 0 : 1);
    QVERIFY(f.env.launcher.started.isEmpty());
    if (box.isEmpty()) {
        QVERIFY(f.env.dialogs.boxes.isEmpty());
        return;
    }
    QCOMPARE(f.env.dialogs.boxes.size(), 1);
    QCOMPARE(f.env.dialogs.boxes[0].text, box.contains(u'%') ? box.arg(help) : box);
    QCOMPARE(f.env.dialogs.boxes[0].title, QStringLiteral("错误"));
    QCOMPARE(f.env.dialogs.boxes[0].icon, tavrik::gui::MsgIcon::Critical);
    QVERIFY(w.isVisible());
}

void TestVexoOptions::hoverFrame()
{
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    QTest::mouseMove(u.Label4, QPoint(10, 8));
    QTRY_VERIFY(u.Shape1->isVisible());
    // Around the control: 5 twips left, 10 above, 10 wider, 20 higher.
    QCOMPARE(u.Shape1->geometry(), QRect(0, -1, 98, 18));
    QTest::mouseMove(u.Label2, QPoint(5, 5));
    QTRY_COMPARE(u.Shape1->geometry(), QRect(8, 71, 33, 17));
    QTest::mouseMove(&w, QPoint(150, 95));
    QTRY_VERIFY(!u.Shape1->isVisible());
}

TAVRIK_TEST_MAIN(TestVexoOptions)
#include "tst_vexo_options.moc"
