#include "vexo_fixture.h"
#include "tests/support/testmain.h"

#include <QFile>

#include <cmath>

using namespace vexo;

// The alarm as a person meets it in the window: the countdown and the time of day
// firing on the display tick, the sound on every Timer2 tick until the next Start,
// and the status line at the bottom of the window. The sound seam counts what is
// played and beeped; the clock is the fake one.
class TestVexoAlarm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }

    void countdownCountsDownAndSoundsEverySecond();
    void betweenFrameTicks();
    void soundsUntilTheNextStart_data();
    void soundsUntilTheNextStart();
    void timer2SoundsAndDatesByItself();
    void clearDuringCountdownFiresAtNextTick();
    void alarmAtTimeOfDay_data();
    void alarmAtTimeOfDay();
    void statusLineShowsWhole_data();
    void statusLineShowsWhole();

private:
    // The fake clock at seconds from the fixture day's midnight (beyond 86400: later days).
    void setClock(double seconds)
    {
        const double day = std::floor(seconds / 86400.0);
        f.env.clock.set(VexoFixture::kDay + int(day), seconds - day * 86400.0);
    }
    void writeBeep()
    {
        QFile beep(f.env.appDir() + QStringLiteral("Beep.wav"));
        QVERIFY(beep.open(QIODevice::WriteOnly));
        beep.close();
    }
    // Countdown of `seconds` chosen from the menu, started with Space, fired one tick later.
    void fireCountdown(const QString &seconds, double after)
    {
        f.env.dialogs.answers = {seconds};
        f.parts().mMode2[2]->trigger();
        f.key(Qt::Key_Space);
        f.tickAfter(after);
        QVERIFY(f.w->stopwatch().AlarmFired());
    }

    VexoFixture f;
};

void TestVexoAlarm::countdownCountsDownAndSoundsEverySecond()
{
    writeBeep();
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    f.env.dialogs.answers = {QStringLiteral("5")};
    u.mMode2[2]->trigger();
    QCOMPARE(u.Label2->text(), QStringLiteral("倒计时"));
    f.key(Qt::Key_Space);
    f.tickAfter(0);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("5.0"));
    QStringList shown;
    int timer2 = 0;
    for (int k = 1; k <= 53; ++k) {
        f.tickAfter(0.1);
        shown << u.lblTimer->text();
        const bool past = k > 50;
        QCOMPARE(u.Label6->text(), past ? QStringLiteral("定时已到  ") : QString());
        // Timer2 once a second: silent until the read-out went below zero.
        if (k % 10 == 0 || k == 51) {
            w.Timer2_Timer();
            ++timer2;
            QCOMPARE(f.env.sound.beeps, past ? 1 : 0);
        }
    }
    QCOMPARE(shown.mid(0, 2), (QStringList{"4.9", "4.8"}));
    QCOMPARE(shown.mid(47, 6), (QStringList{"0.2", "0.1", "0.0", "-0.1", "-0.2", "-0.3"}));
    // Then once a second, the file and the beep each time.
    for (int s = 0; s < 3; ++s) {
        f.tickAfter(1);
        w.Timer2_Timer();
    }
    QCOMPARE(f.env.sound.beeps, 4);
    QCOMPARE(f.env.sound.played, QStringList(4, f.env.appDir() + QStringLiteral("Beep.wav")));
    QCOMPARE(u.lblTimer->text(), QStringLiteral("-3.3"));
}

// At 1 ms the tick comes once a frame: the bell and a pause between two such ticks
// still see the check and the reading of their moment.
void TestVexoAlarm::betweenFrameTicks()
{
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    u.msp[0]->trigger();
    f.env.dialogs.answers = {QStringLiteral("1")};
    u.mMode2[2]->trigger();
    f.key(Qt::Key_Space);
    f.tickAfter(0.5);
    f.env.clock.advance(0.7);
    w.Timer2_Timer();
    QCOMPARE(f.env.sound.beeps, 1);
    f.env.clock.advance(0.1);
    f.click(Button::cmdPause);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("-0.3"));
}

void TestVexoAlarm::soundsUntilTheNextStart_data()
{
    QTest::addColumn<bool>("wav");
    QTest::addColumn<QString>("after"); // buttons clicked once it fired
    for (const bool wav : {true, false}) {
        const char *file = wav ? "Beep.wav" : "no Beep.wav";
        QTest::addRow("%s, running on", file) << wav << "";
        QTest::addRow("%s, Stop", file) << wav << "停止";
        QTest::addRow("%s, Stop, Reset", file) << wav << "停止,复位";
        QTest::addRow("%s, Pause, Reset", file) << wav << "暂停,复位";
        QTest::addRow("%s, Pause, Continue", file) << wav << "暂停,继续";
    }
}

void TestVexoAlarm::soundsUntilTheNextStart()
{
    QFETCH(bool, wav);
    QFETCH(QString, after);
    if (wav)
        writeBeep();
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    fireCountdown(QStringLiteral("1"), 1.2);
    for (const QString &caption : after.split(u',', Qt::SkipEmptyParts)) {
        const auto shown = std::find_if(u.cmd.begin(), u.cmd.end(), [&](xpcmdbutton *b) {
            return b->isVisible() && b->Caption() == caption;
        });
        QVERIFY2(shown != u.cmd.end(), qPrintable(caption));
        QTest::mouseClick(*shown, Qt::LeftButton);
        f.tickAfter(0.5);
    }
    QCOMPARE(u.Label6->text(), QStringLiteral("定时已到  "));
    for (int s = 0; s < 3; ++s)
        w.Timer2_Timer();
    QCOMPARE(f.env.sound.beeps, 3);
    QCOMPARE(f.env.sound.played.size(), wav ? 3 : 0);

    // Start (after stopping a running watch) silences it, and the countdown begins again.
    if (!u.button(Button::cmdStart)->isVisible())
        f.click(Button::cmdStop);
    f.click(Button::cmdStart);
    f.tickAfter(0.5);
    QCOMPARE(u.Label6->text(), QString());
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0.5"));
    w.Timer2_Timer();
    QCOMPARE(f.env.sound.beeps, 3);
    QCOMPARE(f.env.sound.played.size(), wav ? 3 : 0);
    f.tickAfter(0.7);
    w.Timer2_Timer();
    QCOMPARE(f.env.sound.beeps, 4);
}

// Nobody calls Timer2 here: the window's own one-second timer writes the date line and
// sounds the alarm.
void TestVexoAlarm::timer2SoundsAndDatesByItself()
{
    writeBeep();
    f.load();
    const VexoUi u = f.parts();
    fireCountdown(QStringLiteral("0.5"), 0.6);
    f.env.clock.set(QDate(2009, 5, 12), 14 * 3600 + 30 * 60 + 5);
    QTRY_VERIFY_WITH_TIMEOUT(f.env.sound.beeps >= 1, 5000);
    QCOMPARE(f.env.sound.played.size(), f.env.sound.beeps);
    QVERIFY(u.lblDate->text().startsWith(QStringLiteral("2009年05月12日  14:30:05 ")));
    f.env.clock.advance(1);
    QTRY_VERIFY_WITH_TIMEOUT(u.lblDate->text().startsWith(QStringLiteral("2009年05月12日  14:30:06 ")), 5000);
}

void TestVexoAlarm::clearDuringCountdownFiresAtNextTick()
{
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    f.env.dialogs.answers = {QStringLiteral("3600")};
    u.mMode2[2]->trigger();
    f.key(Qt::Key_Space);
    f.tickAfter(2);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("3598.0"));
    u.mClear->trigger();
    // The mode stays; the read-out turns negative at the next tick, which fires.
    QCOMPARE(u.Label2->text(), QStringLiteral("倒计时"));
    QVERIFY(u.mMode2[2]->isChecked());
    QCOMPARE(u.Label6->text(), QString());
    f.tickAfter(0.5);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("-2.5"));
    QCOMPARE(u.Label6->text(), QStringLiteral("定时已到  "));
    w.Timer2_Timer();
    QCOMPARE(f.env.sound.beeps, 1);
}

void TestVexoAlarm::alarmAtTimeOfDay_data()
{
    // Seconds from the first day's midnight.
    const auto at = [](int day, int h, int m, double s) { return day * 86400.0 + h * 3600 + m * 60 + s; };
    QTest::addColumn<double>("answered");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("before"); // the last tick that does not fire
    QTest::addColumn<double>("fires");  // the next tick, which does
    QTest::newRow("before, then at") << at(0, 13, 0, 0) << "14:00" << at(0, 13, 30, 0) << at(0, 13, 59, 59.98)
                                     << at(0, 14, 0, 0);
    QTest::newRow("after: the first tick past it") << at(0, 13, 0, 0) << "14:00:00" << at(0, 13, 30, 0)
                                                   << at(0, 13, 59, 59.9) << at(0, 14, 0, 7);
    QTest::newRow("seconds count") << at(0, 13, 0, 0) << "14:00:30" << at(0, 13, 30, 0) << at(0, 14, 0, 29.99)
                                   << at(0, 14, 0, 30);
    QTest::newRow("across midnight: started 23:00 for 01:00") << at(0, 22, 0, 0) << "1:00" << at(0, 23, 0, 0)
                                                               << at(1, 0, 59, 59.98) << at(1, 1, 0, 0);
    QTest::newRow("midnight itself") << at(0, 20, 0, 0) << "0:00:00" << at(0, 21, 0, 0) << at(0, 23, 59, 59.98)
                                     << at(1, 0, 0, 0);
    QTest::newRow("past today when answered: tomorrow") << at(0, 15, 0, 0) << "14:00" << at(0, 15, 10, 0)
                                                        << at(1, 13, 59, 59.9) << at(1, 14, 0, 0);
    QTest::newRow("started after the time: tomorrow") << at(0, 9, 0, 0) << "10:00" << at(0, 11, 0, 0)
                                                      << at(1, 9, 59, 59.9) << at(1, 10, 0, 0.02);
}

void TestVexoAlarm::alarmAtTimeOfDay()
{
    QFETCH(double, answered);
    QFETCH(QString, answer);
    QFETCH(double, start);
    QFETCH(double, before);
    QFETCH(double, fires);
    writeBeep();
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    setClock(answered);
    f.env.dialogs.answers = {answer};
    QTest::mouseClick(u.Label2, Qt::LeftButton);
    QCOMPARE(u.Label2->text(), QStringLiteral("定时"));
    setClock(start);
    f.key(Qt::Key_Space);
    f.tickAfter(before - start);
    QCOMPARE(u.Label6->text(), QString());
    w.Timer2_Timer();
    QCOMPARE(f.env.sound.beeps, 0);
    f.tickAfter(fires - before);
    QCOMPARE(u.Label6->text(), QStringLiteral("倒计时完成"));
    w.Timer2_Timer();
    QCOMPARE(f.env.sound.beeps, 1);
    QCOMPARE(f.env.sound.played.size(), 1);
    // It stays while the watch runs on.
    f.tickAfter(30);
    QCOMPARE(u.Label6->text(), QStringLiteral("倒计时完成"));
}

void TestVexoAlarm::statusLineShowsWhole_data()
{
    QTest::addColumn<bool>("frame");
    QTest::newRow("with the platform's frame") << true;
    // As on an X server without a window manager: the designed client area, 2565 twips.
    QTest::newRow("without a frame") << false;
}

// Both messages at once, in the window: every red pixel of the line is on the screen.
void TestVexoAlarm::statusLineShowsWhole()
{
    QFETCH(bool, frame);
    f.w = std::make_unique<FrmSec>();
    f.w->setWindowFlag(Qt::FramelessWindowHint, !frame);
    FrmSec &w = *f.w;
    w.Form_Load();
    const VexoUi u = f.parts();
    setClock(9 * 3600);
    f.env.dialogs.answers = {QStringLiteral("10:00:00"), QStringLiteral("5")};
    QTest::mouseClick(u.Label2, Qt::LeftButton);
    QTest::mouseClick(u.Label2, Qt::LeftButton);
    QCOMPARE(u.Label2->text(), QStringLiteral("倒计时"));
    setClock(10 * 3600 - 1);
    f.key(Qt::Key_Space);
    f.tickAfter(11);
    QCOMPARE(u.Label6->text(), QStringLiteral("定时已到  倒计时完成"));
    QVERIFY(u.Label6->fontMetrics().horizontalAdvance(u.Label6->text()) <= u.Label6->contentsRect().width());
    QVERIFY(w.rect().contains(u.Label6->geometry()));
    QCOMPARE(w.outerHeightTwips(), 3000);

    const auto redPixels = [](const QImage &image, const QRect &area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.red() > 160 && c.green() < 90 && c.blue() < 90;
            }
        return n;
    };
    const QImage alone = u.Label6->grab().toImage();
    const int whole = redPixels(alone, alone.rect());
    QVERIFY(whole > 100);
    QCOMPARE(redPixels(w.grab().toImage(), u.Label6->geometry()), whole);
}

TAVRIK_TEST_MAIN(TestVexoAlarm)
#include "tst_vexo_alarm.moc"
