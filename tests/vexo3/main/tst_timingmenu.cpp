#include "tests/vexo3/main/window_fixture.h"
#include "tests/support/testmain.h"

#include "shared/core/numtext.h"

#include <QLabel>
#include <QLocale>

using namespace vexo3;

class TestTimingMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }
    void menuItems();
    void defaultAnswerOpensCountdown();
    void nothingOpens_data();
    void nothingOpens();
    void twiceGivesTwoWindows();
    void answers_data();
    void answers();
    void statusBox();
    void dateLine();
    void dateLineBorderToggles();
    void modeIsShown();

private:
    MainFixture f;
};

void TestTimingMenu::menuItems()
{
    FrmSec &w = f.load();
    QStringList captions;
    for (QAction *a : ui(w).mTimer->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(captions, (QStringList{"清零", "状态...", "-", "秒表", "定时", "倒计时"}));
    QVERIFY(!ui(w).mClear->isEnabled());
    QVERIFY(!ui(w).mMode2[0]->isEnabled() && !ui(w).mMode2[1]->isEnabled() && ui(w).mMode2[2]->isEnabled());
    QCOMPARE(ui(w).mSt->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QVERIFY(!ui(w).mMode2[0]->isChecked() && !ui(w).mMode2[2]->isChecked());
}

void TestTimingMenu::defaultAnswerOpensCountdown()
{
    FrmSec &w = f.load();
    f.env.dialogs.answers.append(QStringLiteral("3600"));
    ui(w).mMode2[2]->trigger();
    QCOMPARE(f.env.dialogs.prompts.size(), 1);
    QCOMPARE(f.env.dialogs.prompts[0].text, QStringLiteral("请输入倒计时的秒数:"));
    QCOMPARE(f.env.dialogs.prompts[0].title, QStringLiteral("倒计时"));
    QCOMPARE(f.env.dialogs.defaults[0], QStringLiteral("3600"));
    const auto windows = f.bigWindows(QStringLiteral("BackTimer"));
    QCOMPARE(windows.size(), 1);
    fBig *c = windows[0];
    QVERIFY(c->isVisible());
    QVERIFY(!c->isModal());
    QCOMPARE(c->windowTitle(), QStringLiteral("倒计时"));
    QCOMPARE(c->countdownText(), QStringLiteral("3600"));
    QVERIFY(ui(w).mMode2[2]->isChecked());
    QCOMPARE(w.countdownMode(), 2);
    tick(ui(*c).Timer1);
    QCOMPARE(ui(*c).SegBox1->SegValue(), QStringLiteral("-   3600.0"));
    ui(w).mSt->trigger();
    QCOMPARE(f.env.dialogs.boxes.last().text, QStringLiteral("倒计时设置为3600秒\r\n定时未启用"));
    QCOMPARE(f.env.dialogs.boxes.last().title, QStringLiteral("状态"));
}

void TestTimingMenu::nothingOpens_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("answer");
    QTest::newRow("0") << false << "0";
    QTest::newRow("empty") << false << "";
    QTest::newRow("cancel") << true << "";
    QTest::newRow("text") << false << "abc";
    QTest::newRow("inf") << false << "inf";
    QTest::newRow("nan") << false << "nan";
}

void TestTimingMenu::nothingOpens()
{
    QFETCH(bool, cancel);
    QFETCH(QString, answer);
    FrmSec &w = f.load();
    f.env.dialogs.answers.append(cancel ? std::optional<QString>() : std::optional<QString>(answer));
    ui(w).mMode2[2]->trigger();
    QVERIFY(f.bigWindows(QStringLiteral("BackTimer")).isEmpty());
    QVERIFY(ui(w).mMode2[0]->isChecked());
    QVERIFY(!ui(w).mMode2[2]->isChecked());
    QCOMPARE(w.countdownMode(), 0);
    ui(w).mSt->trigger();
    QCOMPARE(f.env.dialogs.boxes.last().text, QStringLiteral("倒计时未启用\r\n定时未启用"));
}

void TestTimingMenu::twiceGivesTwoWindows()
{
    FrmSec &w = f.load();
    f.env.dialogs.answers = {QStringLiteral("60"), QStringLiteral("90.5")};
    ui(w).mMode2[2]->trigger();
    ui(w).mMode2[2]->trigger();
    auto windows = f.bigWindows(QStringLiteral("BackTimer"));
    QCOMPARE(windows.size(), 2);
    QStringList values{windows[0]->countdownText(), windows[1]->countdownText()};
    values.sort();
    QCOMPARE(values, (QStringList{"60", "90.5"}));
    windows[0]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(f.bigWindows(QStringLiteral("BackTimer")).size(), 1);
    QVERIFY(f.bigWindows(QStringLiteral("BackTimer"))[0]->isVisible());
}

void TestTimingMenu::answers_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("value"); // empty: nothing opens
    QTest::addColumn<QString>("firstFrame");
    QTest::addColumn<bool>("warned");
    QTest::newRow("trailing text") << "90abc" << "90" << "-   90.0" << false;
    QTest::newRow("blanks") << "  45  " << "45" << "-   45.0" << false;
    QTest::newRow("fraction") << "0.5" << "0.5" << "-   0.5" << false;
    QTest::newRow("negative") << "-5" << "" << "" << true;
    QTest::newRow("1e9") << "1e9" << "" << "" << true;
    QTest::newRow("largest shown") << "99999999" << "99999999" << "-   99999999.0" << false;
    QTest::newRow("tenths of a long one") << "9999999.9" << "9999999.9" << "-   9999999.9" << false;
    QTest::newRow("too long for the display") << "100000000" << "" << "" << true;
    QTest::newRow("thousands of digits") << QString(5000, u'7') << "" << "" << true;
    QTest::newRow("overflow exponent") << "1e999" << "" << "" << true;
}

void TestTimingMenu::answers()
{
    QFETCH(QString, answer);
    QFETCH(QString, value);
    QFETCH(QString, firstFrame);
    QFETCH(bool, warned);
    FrmSec &w = f.load();
    f.env.dialogs.answers.append(answer);
    ui(w).mMode2[2]->trigger();
    const auto windows = f.bigWindows(QStringLiteral("BackTimer"));
    QCOMPARE(windows.size(), value.isEmpty() ? 0 : 1);
    if (!value.isEmpty()) {
        QCOMPARE(windows[0]->countdownText(), value);
        ui(*windows[0]).Timer1->stop();
        tick(ui(*windows[0]).Timer1);
        QCOMPARE(ui(*windows[0]).SegBox1->SegValue(), firstFrame);
        f.env.clock.advance(1.0);
        tick(ui(*windows[0]).Timer1);
        const double left = value.toDouble() - 1.0;
        QCOMPARE(ui(*windows[0]).SegBox1->SegValue(),
                 left > 0 ? QStringLiteral("-   ") + tavrik::core::formatFixed(left, 1) : QStringLiteral("--0--"));
    }
    QCOMPARE(f.env.dialogs.boxes.size(), warned ? 1 : 0);
    if (warned)
        QCOMPARE(f.env.dialogs.boxes[0].icon, tavrik::gui::MsgIcon::Warning);
    QCOMPARE(w.countdownMode(), value.isEmpty() ? 0 : 2);
}

void TestTimingMenu::statusBox()
{
    FrmSec &w = f.load();
    f.env.dialogs.answers.append(QStringLiteral("90.5"));
    ui(w).mMode2[2]->trigger();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.env.dialogs.boxes.size(), 1);
    QCOMPARE(f.env.dialogs.boxes[0].text, QStringLiteral("倒计时设置为90.5秒\r\n定时未启用"));
    QCOMPARE(f.env.dialogs.boxes[0].icon, tavrik::gui::MsgIcon::Information);
}

void TestTimingMenu::dateLine()
{
    f.env.clock.set(QDate(2009, 5, 12), 14 * 3600 + 30 * 60 + 5.75f);
    FrmSec &w = f.load();
    QCOMPARE(ui(w).lblDate->text(), QStringLiteral("2009年05月12日  14:30:05 星期二"));
    QCOMPARE(ui(w).Timer2->interval(), 1000);
    QVERIFY(ui(w).Timer2->isActive());
    f.env.clock.advance(1);
    tick(ui(w).Timer2);
    QCOMPARE(ui(w).lblDate->text(), QStringLiteral("2009年05月12日  14:30:06 星期二"));
    // The label grows with its text: nothing is cut off.
    QVERIFY(ui(w).lblDate->width() >= ui(w).lblDate->sizeHint().width());
    // And the real timer refreshes it.
    f.env.clock.advance(1);
    QTRY_COMPARE_WITH_TIMEOUT(ui(w).lblDate->text(), QStringLiteral("2009年05月12日  14:30:07 星期二"), 3000);
}

void TestTimingMenu::dateLineBorderToggles()
{
    FrmSec &w = f.load();
    QCOMPARE(ui(w).lblDate->frameShape(), QFrame::NoFrame);
    QTest::mouseClick(ui(w).lblDate, Qt::LeftButton);
    QCOMPARE(ui(w).lblDate->frameShape(), QFrame::Box);
    QTest::mouseClick(ui(w).lblDate, Qt::LeftButton);
    QCOMPARE(ui(w).lblDate->frameShape(), QFrame::NoFrame);
}

void TestTimingMenu::modeIsShown()
{
    FrmSec &w = f.load();
    QCOMPARE(ui(w).lblMode->text(), QStringLiteral("秒表"));
    f.env.dialogs.answers.append(QStringLiteral("10"));
    ui(w).mMode2[2]->trigger();
    QCOMPARE(ui(w).lblMode->text(), QStringLiteral("倒计时"));
    f.env.dialogs.answers.append(QStringLiteral("0"));
    ui(w).mMode2[2]->trigger();
    QCOMPARE(ui(w).lblMode->text(), QStringLiteral("秒表"));
}

TAVRIK_TEST_MAIN(TestTimingMenu)
#include "tst_timingmenu.moc"
