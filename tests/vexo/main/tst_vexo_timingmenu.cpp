#include "vexo_fixture.h"

#include "shared/core/about.h"

#include <QDir>
#include <QFile>

using namespace vexo;

namespace {

QString checkedMode(const VexoUi &u)
{
    QStringList out;
    for (QAction *a : u.mMode2)
        if (a->isChecked())
            out << a->text();
    return out.join(u',');
}

} // namespace

class TestVexoTimingMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }

    void cancelledCountdownStaysStopwatch();
    void countdownRunsOutAndSounds();
    void alarmSoundsUntilTheNextStart();
    void label2CyclesTheModes();
    void clearAsksAgain();
    void statusBox();
    void dateLine();
    void aboutHelpAndWebPages();

private:
    VexoFixture f;
};

void TestVexoTimingMenu::cancelledCountdownStaysStopwatch()
{
    f.load();
    const VexoUi u = f.parts();
    u.mMode2[2]->trigger();
    QCOMPARE(f.env.dialogs.prompts.size(), 1);
    QCOMPARE(f.env.dialogs.prompts[0].text, QStringLiteral("请输入倒计时的秒数:"));
    QCOMPARE(f.env.dialogs.defaults[0], QStringLiteral("3600"));
    QCOMPARE(checkedMode(u), QStringLiteral("秒表"));
    QCOMPARE(u.Label2->text(), QStringLiteral("秒表"));
}

void TestVexoTimingMenu::countdownRunsOutAndSounds()
{
    QFile beep(f.env.appDir() + QStringLiteral("Beep.wav"));
    QVERIFY(beep.open(QIODevice::WriteOnly));
    beep.close();
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    f.env.dialogs.answers = {QStringLiteral("5")};
    u.mMode2[2]->trigger();
    QCOMPARE(checkedMode(u), QStringLiteral("倒计时"));
    QCOMPARE(u.Label2->text(), QStringLiteral("倒计时"));
    f.key(Qt::Key_Space);
    f.tickAfter(3);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("2.0"));
    QCOMPARE(u.Label6->text(), QString());
    w.Timer2_Timer();
    QCOMPARE(f.env.sound.beeps, 0);
    f.tickAfter(2.1);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("-0.1"));
    QCOMPARE(u.Label6->text(), QStringLiteral("定时已到  "));
    w.Timer2_Timer();
    QCOMPARE(f.env.sound.played, QStringList{f.env.appDir() + QStringLiteral("Beep.wav")});
    QCOMPARE(f.env.sound.beeps, 1);
}

void TestVexoTimingMenu::alarmSoundsUntilTheNextStart()
{
    FrmSec &w = f.load(); // no Beep.wav: only the desktop's beep
    const VexoUi u = f.parts();
    f.env.dialogs.answers = {QStringLiteral("1")};
    u.mMode2[2]->trigger();
    f.key(Qt::Key_Space);
    f.tickAfter(1.5);
    f.click(Button::cmdStop);
    f.click(Button::cmdReset);
    w.Timer2_Timer();
    w.Timer2_Timer();
    QCOMPARE(f.env.sound.beeps, 2);
    QVERIFY(f.env.sound.played.isEmpty());
    f.key(Qt::Key_Space);
    w.Timer2_Timer();
    QCOMPARE(f.env.sound.beeps, 2);
}

void TestVexoTimingMenu::label2CyclesTheModes()
{
    f.load();
    const VexoUi u = f.parts();
    f.env.dialogs.answers = {QStringLiteral("08:30:00"), QStringLiteral("90")};
    QTest::mouseClick(u.Label2, Qt::LeftButton);
    QCOMPARE(u.Label2->text(), QStringLiteral("定时"));
    QCOMPARE(f.env.dialogs.prompts.last().text, QStringLiteral("请输入定时时间(请注意格式为hh:mm:ss):"));
    QCOMPARE(f.env.dialogs.defaults.last(), QStringLiteral("11:00:00")); // an hour after 10:00
    QTest::mouseClick(u.Label2, Qt::LeftButton);
    QCOMPARE(u.Label2->text(), QStringLiteral("倒计时"));
    QTest::mouseClick(u.Label2, Qt::LeftButton);
    QCOMPARE(u.Label2->text(), QStringLiteral("秒表"));
    QCOMPARE(f.env.dialogs.prompts.size(), 2);
    // Both set: round again without a question.
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(u.Label2, Qt::LeftButton);
    QCOMPARE(f.env.dialogs.prompts.size(), 2);
    QCOMPARE(checkedMode(u), QStringLiteral("秒表"));
}

void TestVexoTimingMenu::clearAsksAgain()
{
    f.load();
    const VexoUi u = f.parts();
    f.env.dialogs.answers = {QStringLiteral("60")};
    u.mMode2[2]->trigger();
    u.mMode2[2]->trigger();
    QCOMPARE(f.env.dialogs.prompts.size(), 1);
    u.mClear->trigger();
    QCOMPARE(checkedMode(u), QStringLiteral("倒计时"));
    u.mMode2[2]->trigger();
    QCOMPARE(f.env.dialogs.prompts.size(), 2);
    QCOMPARE(f.env.dialogs.defaults.last(), QStringLiteral("3600"));
}

void TestVexoTimingMenu::statusBox()
{
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    // Ctrl+S reaches the item with the menu closed.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.env.dialogs.boxes.size(), 1);
    QCOMPARE(f.env.dialogs.boxes[0].title, QStringLiteral("状态"));
    QCOMPARE(f.env.dialogs.boxes[0].text, QStringLiteral("倒计时未启用\r\n定时未启用"));
    f.env.dialogs.answers = {QStringLiteral("3600")};
    u.mMode2[2]->trigger();
    u.mSt->trigger();
    QCOMPARE(f.env.dialogs.boxes.last().text, QStringLiteral("倒计时设置为3600秒\r\n定时未启用"));
}

void TestVexoTimingMenu::dateLine()
{
    FrmSec &w = f.load();
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    f.env.clock.set(QDate(2009, 5, 12), 14 * 3600 + 30 * 60 + 5.75);
    w.Timer2_Timer();
    QLocale::setDefault(QLocale::c());
    QCOMPARE(f.parts().lblDate->text(), QStringLiteral("2009年05月12日  14:30:05 星期二"));
    QCOMPARE(f.parts().lblDate->width(), f.parts().lblDate->sizeHint().width());
}

void TestVexoTimingMenu::aboutHelpAndWebPages()
{
    f.load();
    const VexoUi u = f.parts();
    u.mAbout->trigger();
    f.click(Button::cmdAbout);
    QCOMPARE(f.env.dialogs.boxes.size(), 2);
    for (const auto &box : f.env.dialogs.boxes) {
        QCOMPARE(box.title, QStringLiteral("关于"));
        QVERIFY(box.text.startsWith(QStringLiteral("   ====Tavrik====\r\n  版本：2.1.0053\r\n")));
    }
    // No help file: nothing happens.
    u.mSH->trigger();
    QVERIFY(f.env.launcher.urls.isEmpty());
    QFile help(f.env.appDir() + QStringLiteral("说明.txt"));
    QVERIFY(help.open(QIODevice::WriteOnly));
    help.close();
    u.mSH->trigger();
    u.mnewp->trigger();
    u.mp1[0]->trigger();
    QCOMPARE(f.env.launcher.urls,
             (QList<QUrl>{QUrl::fromLocalFile(f.env.appDir() + QStringLiteral("说明.txt")),
                          QUrl(tavrik::core::kDownloadPage), QUrl(tavrik::core::kHomePage)}));
    QVERIFY(!u.mp1[1]->isEnabled());
    QVERIFY(!u.mp1[2]->isEnabled());
}

QTEST_MAIN(TestVexoTimingMenu)
#include "tst_vexo_timingmenu.moc"
