#include "vexo_fixture.h"
#include "tests/support/testmain.h"

#include "shared/gui/placement.h"

#include <QMenuBar>
#include <QScreen>

using namespace vexo;

namespace {

// Clicks the button showing this caption, as a person would.
void clickCaption(VexoFixture &f, const QString &caption)
{
    for (xpcmdbutton *b : f.parts().cmd)
        if (b->isVisible() && b->Caption() == caption) {
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no button shows ") + caption));
}

// Clicks the buttons of a comma-separated list of captions, one second apart.
void clickAll(VexoFixture &f, const QString &captions)
{
    for (const QString &c : captions.split(u',', Qt::SkipEmptyParts)) {
        f.tickAfter(1);
        clickCaption(f, c);
    }
}

QColor pixel(QWidget *w, QPoint at) { return w->grab().toImage().pixelColor(at); }

} // namespace

class TestVexoFrmSec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }

    void layout_data();
    void layout();
    void whatAPersonSees();
    void startUp();
    void slotsFromEveryState_data();
    void slotsFromEveryState();
    void keysInEveryState_data();
    void keysInEveryState();
    void keysReachTheWindowThroughItsButtons();
    void heldKeyActsOnce();
    void readoutsBothFractions_data();
    void readoutsBothFractions();
    void pauseTenSecondsAndContinue();
    void stopThenStartFromZero();
    void runAcrossMidnight();
    void pauseAcrossMidnight();
    void menuRefreshFollowsTheButtons_data();
    void menuRefreshFollowsTheButtons();
    void sisterItemsActLikeTheirButtons();
    void menuItemsOfHiddenButtonsDoNothing();

private:
    VexoFixture f;
};

void TestVexoFrmSec::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    // Twips of the design, 15 to a pixel.
    QTest::newRow("Label4") << "Label4" << QRect(0, 0, 97, 17);
    QTest::newRow("Label1") << "Label1" << QRect(8, 32, 32, 16);
    QTest::newRow("lblTime") << "lblTime" << QRect(48, 32, 244, 31);
    QTest::newRow("Label2") << "Label2" << QRect(8, 72, 32, 16);
    QTest::newRow("lblTimer") << "lblTimer" << QRect(48, 64, 244, 31);
    QTest::newRow("Line1") << "Line1" << QRect(8, 104, 288, 1);
    QTest::newRow("slot 1") << "cmdStart" << QRect(8, 112, 65, 25);
    QTest::newRow("slot 1, behind") << "cmdCoun" << QRect(8, 112, 65, 25);
    QTest::newRow("slot 2") << "cmdReset" << QRect(80, 112, 65, 25);
    QTest::newRow("slot 2, behind") << "cmdStop" << QRect(80, 112, 65, 25);
    QTest::newRow("slot 3") << "cmdAbout" << QRect(152, 112, 65, 25);
    QTest::newRow("slot 3, behind") << "cmdLog" << QRect(152, 112, 65, 25);
    QTest::newRow("slot 4") << "cmdClose" << QRect(224, 112, 65, 25);
}

void TestVexoFrmSec::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    FrmSec &w = f.load();
    QCOMPARE(partOf<QWidget>(w, name)->geometry(), pixels);
    // 4560 twips wide; 3000 twips high with its frame (where the platform draws none,
    // the designed 2565 twips of client area).
    QCOMPARE(w.width(), 304);
    QCOMPARE(w.outerHeightTwips(), 3000);
    const int frame = w.frameGeometry().height() - w.height();
    // The status line at the bottom shows whole: the client area grows to hold it.
    const QRect status = partOf<QLabel>(w, QStringLiteral("Label6"))->geometry();
    QCOMPARE(status.topLeft(), QPoint(8, 160));
    QCOMPARE(status.width(), 209);
    QVERIFY(status.height() >= 17);
    QCOMPARE(w.height(), std::max(frame > 0 ? 200 - frame : 171, status.bottom() + 1));
    QCOMPARE(partOf<QLabel>(w, QStringLiteral("lblDate"))->pos(), QPoint(16, 144));
}

void TestVexoFrmSec::whatAPersonSees()
{
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    const QImage shot = w.grab().toImage();
    // The window's grey, between the read-outs and the buttons.
    QCOMPARE(shot.pixelColor(150, 95), QColor(224, 224, 224));
    // The read-outs: magenta digits in a single-line border.
    QCOMPARE(u.lblTime->frameShape(), QFrame::Box);
    QCOMPARE(pixel(u.lblTime, QPoint(0, 15)), QColor(0, 0, 0));
    bool magenta = false;
    const QImage digits = u.lblTimer->grab().toImage();
    for (int x = 0; x < digits.width() && !magenta; ++x)
        for (int y = 0; y < digits.height() && !magenta; ++y)
            magenta = digits.pixelColor(x, y) == QColor(255, 0, 255);
    QVERIFY(magenta);
    QCOMPARE(u.Label1->frameShape(), QFrame::NoFrame);
    QCOMPARE(u.lblTime->font().pointSizeF(), 21.75);
    QCOMPARE(u.Label1->font().pointSizeF(), 12.0);
    QCOMPARE(u.Label6->font().pointSizeF(), 14.25);
    QCOMPARE(textColour(u.Label6), QColor(255, 0, 0));
    QCOMPARE(w.font().pointSizeF(), 9.75);
    QCOMPARE(w.font().families().value(0), QStringLiteral("SimSun"));
    QVERIFY(u.lblTime->alignment() & Qt::AlignRight);
    // The hover frame waits for the pointer; the menu button shows its caption.
    QVERIFY(!u.Shape1->isVisible());
    QCOMPARE(u.Label4->Caption(), QStringLiteral("Tavrik菜单"));
    QCOMPARE(u.Label2->text(), QStringLiteral("记时"));
}

void TestVexoFrmSec::startUp()
{
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrik2.1.0053"));
    QVERIFY(w.findChildren<QMenuBar *>().isEmpty());
    QCOMPARE(u.lblTime->text(), QStringLiteral("0000:00:00.000"));
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000000000.000"));
    QCOMPARE(f.seen(), (QStringList{"开始", "复位", "关于", "关闭"}));
    QVERIFY(!u.Timer1->isActive());
    QCOMPARE(u.Timer1->interval(), 20);
    QVERIFY(u.Timer2->isActive());
    QCOMPARE(u.Timer2->interval(), 1000);
    // Nothing stored: the design-time check marks give way to the defaults.
    QVERIFY(!u.mA60->isChecked());
    QVERIFY(!u.mB60->isChecked());
    QVERIFY(u.msp[2]->isChecked());
    QVERIFY(u.montop->isChecked());
    QVERIFY(tavrik::gui::isTopmost(&w));
    QCOMPARE(f.stored(QStringLiteral("Speed")), QStringLiteral("2"));
    QCOMPARE(f.env.store.keys(QStringLiteral("Tavrik")), QStringList{"Speed"});
    // Centred on the screen.
    QCOMPARE(w.frameGeometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    QVERIFY(w.isVisible());
}

void TestVexoFrmSec::slotsFromEveryState_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<bool>("ticking");
    const QStringList idle{"开始", "复位", "关于", "关闭"};
    const QStringList running{"暂停", "停止", "记录", "关闭"};
    const QStringList paused{"继续", "复位", "记录", "关闭"};
    const QStringList stopped{"开始", "复位", "记录", "关闭"};
    QTest::newRow("launch") << "" << idle << false;
    QTest::newRow("idle, reset") << "复位" << idle << false;
    QTest::newRow("idle, start") << "开始" << running << true;
    QTest::newRow("running, pause") << "开始,暂停" << paused << false;
    QTest::newRow("running, stop") << "开始,停止" << stopped << false;
    QTest::newRow("paused, continue") << "开始,暂停,继续" << running << true;
    QTest::newRow("paused, reset") << "开始,暂停,复位" << idle << false;
    QTest::newRow("stopped, start") << "开始,停止,开始" << running << true;
    QTest::newRow("stopped, reset") << "开始,停止,复位" << idle << false;
    QTest::newRow("paused twice") << "开始,暂停,继续,暂停" << paused << false;
    QTest::newRow("reset from paused, start") << "开始,暂停,复位,开始" << running << true;
}

void TestVexoFrmSec::slotsFromEveryState()
{
    QFETCH(QString, clicks);
    QFETCH(QStringList, seen);
    QFETCH(bool, ticking);
    f.load();
    clickAll(f, clicks);
    QCOMPARE(f.seen(), seen);
    QCOMPARE(f.parts().Timer1->isActive(), ticking);
}

void TestVexoFrmSec::keysInEveryState_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QStringList>("seen");
    const QStringList idle{"开始", "复位", "关于", "关闭"};
    const QStringList running{"暂停", "停止", "记录", "关闭"};
    const QStringList paused{"继续", "复位", "记录", "关闭"};
    const QStringList stopped{"开始", "复位", "记录", "关闭"};
    const struct {
        const char *name;
        const char *clicks;
        QStringList seen;
        QStringList afterStart;
        QStringList afterReset;
    } states[] = {
        {"idle", "", idle, running, idle},
        {"running", "开始", running, paused, running},
        {"paused", "开始,暂停", paused, running, idle},
        {"stopped", "开始,停止", stopped, running, idle},
    };
    const int none = int(Qt::NoModifier), ctrl = int(Qt::ControlModifier);
    for (const auto &s : states) {
        const QByteArray p = QByteArray(s.name) + ", ";
        QTest::newRow(p + "Space") << s.clicks << int(Qt::Key_Space) << none << s.afterStart;
        QTest::newRow(p + "F1") << s.clicks << int(Qt::Key_F1) << none << s.afterStart;
        QTest::newRow(p + "F3") << s.clicks << int(Qt::Key_F3) << none << s.afterReset;
        QTest::newRow(p + "Ctrl+Break") << s.clicks << int(Qt::Key_Pause) << ctrl << s.afterReset;
        QTest::newRow(p + "Cancel") << s.clicks << int(Qt::Key_Cancel) << ctrl << s.afterReset;
        QTest::newRow(p + "Enter") << s.clicks << int(Qt::Key_Return) << none << s.seen;
        QTest::newRow(p + "F2") << s.clicks << int(Qt::Key_F2) << none << s.seen;
        QTest::newRow(p + "Pause alone") << s.clicks << int(Qt::Key_Pause) << none << s.seen;
    }
}

void TestVexoFrmSec::keysInEveryState()
{
    QFETCH(QString, clicks);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QStringList, seen);
    f.load();
    clickAll(f, clicks);
    f.tickAfter(1);
    f.key(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f.seen(), seen);

    // Locked, no key does anything.
    f.reset();
    f.load();
    clickAll(f, clicks);
    const QStringList before = f.seen();
    f.parts().mLock->trigger();
    f.key(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f.seen(), before);
}

void TestVexoFrmSec::keysReachTheWindowThroughItsButtons()
{
    f.load();
    const VexoUi u = f.parts();
    // The window sees the key first, whichever of its buttons has the focus; the
    // button itself never clicks on a key.
    QTest::keyClick(u.Label4, Qt::Key_Space);
    QCOMPARE(f.seen(), (QStringList{"暂停", "停止", "记录", "关闭"}));
    f.tickAfter(2);
    QTest::keyClick(u.button(Button::cmdStop), Qt::Key_F1);
    QCOMPARE(f.seen(), (QStringList{"继续", "复位", "记录", "关闭"}));
    // X11 sends Ctrl+Break as no Qt key, only as the Break keysym.
    QKeyEvent brk(QEvent::KeyPress, 0, Qt::ControlModifier, 110, 0xff6b, 0x4, QString());
    QApplication::sendEvent(f.w.get(), &brk);
    QCOMPARE(f.seen(), (QStringList{"开始", "复位", "关于", "关闭"}));
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000000000.000"));
}

void TestVexoFrmSec::heldKeyActsOnce()
{
    f.load();
    f.key(Qt::Key_Space);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(f.w.get(), &repeat);
    QCOMPARE(f.seen(), (QStringList{"暂停", "停止", "记录", "关闭"}));
}

void TestVexoFrmSec::readoutsBothFractions_data()
{
    QTest::addColumn<double>("elapsed");
    QTest::addColumn<bool>("a60");
    QTest::addColumn<bool>("b60");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("timer");
    QTest::newRow("thousandths") << 3725.5 << false << false << "0001:02:05.500" << "0000003725.500";
    QTest::newRow("mA60") << 3725.5 << true << false << "0001:02:05.30" << "0000003725.500";
    QTest::newRow("mA60, .995 never .60") << 0.995 << true << false << "0000:00:00.59" << "0000000000.995";
    QTest::newRow("mB60") << 12.34 << false << true << "0000:00:12.340" << "0000000012.20";
    QTest::newRow("both") << 3725.5 << true << true << "0001:02:05.30" << "0000003725.30";
}

void TestVexoFrmSec::readoutsBothFractions()
{
    QFETCH(double, elapsed);
    QFETCH(bool, a60);
    QFETCH(bool, b60);
    f.load();
    const VexoUi u = f.parts();
    f.key(Qt::Key_Space);
    f.tickAfter(elapsed);
    // The marks count from the very next tick.
    if (a60)
        u.mA60->trigger();
    if (b60)
        u.mB60->trigger();
    f.tickAfter(0);
    QTEST(u.lblTime->text(), "time");
    QTEST(u.lblTimer->text(), "timer");
    QCOMPARE(f.w->windowTitle(), QStringLiteral("Tavrik"));
    QCOMPARE(u.Label5->text(), QString());
}

void TestVexoFrmSec::pauseTenSecondsAndContinue()
{
    f.load();
    const VexoUi u = f.parts();
    f.key(Qt::Key_Space);
    f.tickAfter(4.25);
    f.key(Qt::Key_Space);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000000004.250"));
    f.tickAfter(10);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000000004.250"));
    f.key(Qt::Key_Space);
    f.tickAfter(0.5);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000000004.750"));
    QCOMPARE(u.lblTime->text(), QStringLiteral("0000:00:04.750"));
}

void TestVexoFrmSec::stopThenStartFromZero()
{
    f.load();
    const VexoUi u = f.parts();
    f.click(Button::cmdStart);
    f.tickAfter(7);
    f.click(Button::cmdStop);
    f.tickAfter(30);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000000007.000"));
    f.click(Button::cmdStart);
    f.tickAfter(0.125);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000000000.125"));
    QCOMPARE(u.lblTime->text(), QStringLiteral("0000:00:00.125"));
    f.click(Button::cmdStop);
    f.click(Button::cmdReset);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000000000.000"));
    QCOMPARE(u.lblTime->text(), QStringLiteral("0000:00:00.000"));
}

void TestVexoFrmSec::runAcrossMidnight()
{
    f.env.clock.set(VexoFixture::kDay, 86399.5); // 23:59:59.5
    f.load();
    const VexoUi u = f.parts();
    f.key(Qt::Key_Space);
    f.tickAfter(0.75);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000000000.750"));
    f.tickAfter(3600);
    QCOMPARE(u.lblTime->text(), QStringLiteral("0001:00:00.750"));
    // Late in the day the clock still resolves the millisecond.
    f.env.clock.set(VexoFixture::kDay + 1, 86340.001);
    f.click(Button::cmdStop);
    f.click(Button::cmdStart);
    f.tickAfter(0.012);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000000000.012"));
}

void TestVexoFrmSec::pauseAcrossMidnight()
{
    f.env.clock.set(VexoFixture::kDay, 23 * 3600.0);
    f.load();
    const VexoUi u = f.parts();
    f.key(Qt::Key_Space);
    f.tickAfter(1800);
    f.key(Qt::Key_Space); // paused at 23:30
    f.tickAfter(3600);    // continued at 00:30
    f.key(Qt::Key_Space);
    f.tickAfter(900.125);
    QCOMPARE(u.lblTime->text(), QStringLiteral("0000:45:00.125"));
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000002700.125"));
}

void TestVexoFrmSec::menuRefreshFollowsTheButtons_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("enabled");
    QTest::newRow("idle") << "" << "mstart,mReset,mrec";
    QTest::newRow("running") << "开始" << "mPause,mStop,mrec";
    QTest::newRow("paused") << "开始,暂停" << "mCoun,mStop,mReset,mrec";
    QTest::newRow("stopped") << "开始,停止" << "mstart,mReset,mrec";
    QTest::newRow("reset") << "开始,停止,复位" << "mstart,mReset";
}

void TestVexoFrmSec::menuRefreshFollowsTheButtons()
{
    QFETCH(QString, clicks);
    QFETCH(QString, enabled);
    FrmSec &w = f.load();
    clickAll(f, clicks);
    const VexoUi u = f.parts();
    QTest::mouseClick(u.Label4, Qt::LeftButton);
    QVERIFY(u.mSec->isVisible());
    QCOMPARE(u.mSec->pos(), w.mapToGlobal(QPoint(0, 20)));
    QStringList on;
    for (QAction *a : {u.mstart, u.mPause, u.mCoun, u.mStop, u.mReset, u.mrec})
        if (a->isEnabled())
            on << a->objectName();
    QCOMPARE(on.join(u','), enabled);
    u.mSec->hide();
}

void TestVexoFrmSec::sisterItemsActLikeTheirButtons()
{
    f.load();
    const VexoUi u = f.parts();
    u.mstart->trigger();
    QCOMPARE(f.seen(), (QStringList{"暂停", "停止", "记录", "关闭"}));
    f.tickAfter(2.5);
    u.mrec->trigger();
    QVERIFY(f.recordList());
    QCOMPARE(f.recordList()->entries(), QStringList{"0000000002.500S [0000:00:02.500]"});
    u.mPause->trigger();
    QCOMPARE(f.seen(), (QStringList{"继续", "复位", "记录", "关闭"}));
    u.mCoun->trigger();
    QVERIFY(u.Timer1->isActive());
    u.mStop->trigger();
    QCOMPARE(f.seen(), (QStringList{"开始", "复位", "记录", "关闭"}));
    u.mReset->trigger();
    QCOMPARE(f.seen(), (QStringList{"开始", "复位", "关于", "关闭"}));
}

void TestVexoFrmSec::menuItemsOfHiddenButtonsDoNothing()
{
    f.load();
    const VexoUi u = f.parts();
    // Before any Start every flag is set, but there is nothing to pause or stop.
    for (QAction *a : {u.mPause, u.mCoun, u.mStop}) {
        a->trigger();
        QCOMPARE(f.seen(), (QStringList{"开始", "复位", "关于", "关闭"}));
        QVERIFY(!u.Timer1->isActive());
    }
    f.click(Button::cmdStart);
    u.mstart->trigger(); // 开始 is hidden while running
    f.tickAfter(3);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000000003.000"));
    f.click(Button::cmdStop);
    f.click(Button::cmdReset);
    u.mrec->trigger(); // 记录 is hidden after a reset
    QVERIFY(!f.recordList());
}

TAVRIK_TEST_MAIN(TestVexoFrmSec)
#include "tst_vexo_frmsec.moc"
