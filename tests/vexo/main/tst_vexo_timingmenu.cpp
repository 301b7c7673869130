#include "vexo_fixture.h"
#include "tests/support/testmain.h"

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
    void label2CyclesTheModes();
    void label2ShowsTheWholeCaption();
    void clearAsksAgain();
    void statusBox_data();
    void statusBox();
    void promptAnswersRefused_data();
    void promptAnswersRefused();
    void offeredAlarmTime_data();
    void offeredAlarmTime();
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

// Every caption fits the label: "倒计时" in a smaller font, the others as designed.
void TestVexoTimingMenu::label2ShowsTheWholeCaption()
{
    f.load();
    const VexoUi u = f.parts();
    f.env.dialogs.answers = {QStringLiteral("08:30:00"), QStringLiteral("90")};
    for (const QString &caption : QStringList{"定时", "倒计时", "秒表"}) {
        QTest::mouseClick(u.Label2, Qt::LeftButton);
        QCOMPARE(u.Label2->text(), caption);
        QVERIFY(u.Label2->fontMetrics().horizontalAdvance(caption) <= u.Label2->contentsRect().width());
        QVERIFY(u.Label2->font().pointSizeF() >= 9);
        QVERIFY(u.Label2->geometry().right() < u.lblTimer->x());
        if (caption.size() == 2) {
            QCOMPARE(u.Label2->font().pointSizeF(), 12.0);
            QCOMPARE(u.Label2->geometry(), QRect(8, 72, 32, 16));
        }
    }
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

void TestVexoTimingMenu::statusBox_data()
{
    QTest::addColumn<QStringList>("answers"); // to 定时, then to 倒计时 ("-": not chosen)
    QTest::addColumn<bool>("clear");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing set") << QStringList{"-", "-"} << false << "倒计时未启用\r\n定时未启用";
    QTest::newRow("both cancelled") << QStringList{"", ""} << false << "倒计时未启用\r\n定时未启用";
    QTest::newRow("countdown") << QStringList{"-", "3600"} << false << "倒计时设置为3600秒\r\n定时未启用";
    QTest::newRow("alarm as typed") << QStringList{"8:30", "-"} << false << "倒计时未启用\r\n定时设置在8:30";
    QTest::newRow("both") << QStringList{"23:59:59", "90.5"} << false << "倒计时设置为90.5秒\r\n定时设置在23:59:59";
    QTest::newRow("both, then cleared") << QStringList{"7:00", "60"} << true << "倒计时未启用\r\n定时未启用";
}

// Ctrl+S reaches the item with the menu closed.
void TestVexoTimingMenu::statusBox()
{
    QFETCH(QStringList, answers);
    QFETCH(bool, clear);
    QFETCH(QString, text);
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    for (int i = 0; i < 2; ++i) {
        if (answers[i] == QStringLiteral("-"))
            continue;
        f.env.dialogs.answers = {answers[i]};
        u.mMode2[size_t(i + 1)]->trigger();
    }
    if (clear)
        u.mClear->trigger();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.env.dialogs.boxes.size(), 1);
    QCOMPARE(f.env.dialogs.boxes[0].title, QStringLiteral("状态"));
    QCOMPARE(f.env.dialogs.boxes[0].icon, tavrik::gui::MsgIcon::Information);
    QCOMPARE(f.env.dialogs.boxes[0].text, text);
}

void TestVexoTimingMenu::promptAnswersRefused_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QString>("warning"); // the box's title; empty: no box
    using A = std::optional<QString>;
    QTest::newRow("alarm: hour 25") << 1 << A(QStringLiteral("25:00")) << "定时";
    QTest::newRow("alarm: the old default past 23:00") << 1 << A(QStringLiteral("24:10:00")) << "定时";
    QTest::newRow("alarm: one minute digit") << 1 << A(QStringLiteral("12:3")) << "定时";
    QTest::newRow("alarm: words") << 1 << A(QStringLiteral("明天早上")) << "定时";
    QTest::newRow("alarm: Cancel") << 1 << A() << "";
    QTest::newRow("alarm: blanks") << 1 << A(QStringLiteral("  ")) << "";
    QTest::newRow("countdown: negative") << 2 << A(QStringLiteral("-5")) << "倒计时";
    QTest::newRow("countdown: too long to show") << 2 << A(QStringLiteral("1e9")) << "倒计时";
    QTest::newRow("countdown: no number") << 2 << A(QStringLiteral("abc")) << "";
    QTest::newRow("countdown: zero") << 2 << A(QStringLiteral("0")) << "";
    QTest::newRow("countdown: Cancel") << 2 << A() << "";
}

// A refused answer is said in a warning box and leaves the stopwatch mode, like Cancel.
void TestVexoTimingMenu::promptAnswersRefused()
{
    QFETCH(int, item);
    QFETCH(std::optional<QString>, answer);
    QFETCH(QString, warning);
    f.load();
    const VexoUi u = f.parts();
    f.env.dialogs.answers = {answer};
    u.mMode2[size_t(item)]->trigger();
    QCOMPARE(f.env.dialogs.prompts.size(), 1);
    QCOMPARE(checkedMode(u), QStringLiteral("秒表"));
    QCOMPARE(u.Label2->text(), QStringLiteral("秒表"));
    QCOMPARE(f.env.dialogs.boxes.size(), warning.isEmpty() ? 0 : 1);
    if (!warning.isEmpty()) {
        QCOMPARE(f.env.dialogs.boxes[0].title, warning);
        QCOMPARE(f.env.dialogs.boxes[0].icon, tavrik::gui::MsgIcon::Warning);
        if (item == 1)
            QVERIFY(f.env.dialogs.boxes[0].text.contains(QStringLiteral("hh:mm:ss")));
    }
    // Nothing was kept: choosing the mode again asks again.
    u.mMode2[size_t(item)]->trigger();
    QCOMPARE(f.env.dialogs.prompts.size(), 2);
}

void TestVexoTimingMenu::offeredAlarmTime_data()
{
    QTest::addColumn<double>("now"); // seconds since midnight
    QTest::addColumn<QString>("offered");
    QTest::newRow("14:23:45") << 14 * 3600 + 23 * 60 + 45.5 << "15:23:45";
    QTest::newRow("23:10") << 23 * 3600 + 10 * 60.0 << "00:10:00";
    QTest::newRow("23:59:59") << 86399.9 << "00:59:59";
}

// The time of day an hour ahead, from the window's clock; the offer itself is taken.
void TestVexoTimingMenu::offeredAlarmTime()
{
    QFETCH(double, now);
    QFETCH(QString, offered);
    f.load();
    const VexoUi u = f.parts();
    f.env.clock.set(VexoFixture::kDay, now);
    f.env.dialogs.answers = {offered};
    u.mMode2[1]->trigger();
    QCOMPARE(f.env.dialogs.prompts[0].text, QStringLiteral("请输入定时时间(请注意格式为hh:mm:ss):"));
    QCOMPARE(f.env.dialogs.prompts[0].title, QStringLiteral("定时"));
    QCOMPARE(f.env.dialogs.defaults, QStringList{offered});
    QVERIFY(f.env.dialogs.boxes.isEmpty());
    QCOMPARE(checkedMode(u), QStringLiteral("定时"));
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

TAVRIK_TEST_MAIN(TestVexoTimingMenu)
#include "tst_vexo_timingmenu.moc"
