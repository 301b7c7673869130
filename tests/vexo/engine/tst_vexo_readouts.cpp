#include "vexo/engine/readouts.h"
#include "tests/support/testmain.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>
#include <limits>

using namespace vexo;

class TestVexoReadouts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readouts_data();
    void readouts();
    void timeAndTimerAgree();
    void sixtiethsOfHundredths_data();
    void sixtiethsOfHundredths();
    void sixtiethsOfThousandths_data();
    void sixtiethsOfThousandths();
    void sixtiethsNeverFallBack();
    void countdown_data();
    void countdown();
    void version();
    void tickCaption_data();
    void tickCaption();
    void recordLine();
};

void TestVexoReadouts::readouts_data()
{
    QTest::addColumn<double>("elapsed");
    QTest::addColumn<QString>("time");      // lblTime, thousandths
    QTest::addColumn<QString>("time60");    // lblTime with mA60
    QTest::addColumn<QString>("timer");     // lblTimer, thousandths
    QTest::addColumn<QString>("timer60");   // lblTimer with mB60

    QTest::newRow("zero") << 0.0 << "0000:00:00.000" << "0000:00:00.00" << "0000000000.000" << "0000000000.00";
    QTest::newRow("3725.5 s") << 3725.5 << "0001:02:05.500" << "0001:02:05.30" << "0000003725.500" << "0000003725.30";
    QTest::newRow("12.34 s") << 12.34 << "0000:00:12.340" << "0000:00:12.20" << "0000000012.340" << "0000000012.20";
    QTest::newRow(".995 reads .59, never .60") << 0.995 << "0000:00:00.995" << "0000:00:00.59" << "0000000000.995"
                                               << "0000000000.59";
    QTest::newRow(".992 capped at 59") << 7.992 << "0000:00:07.992" << "0000:00:07.59" << "0000000007.992"
                                       << "0000000007.59";
    QTest::newRow("half a second is 30") << 0.5 << "0000:00:00.500" << "0000:00:00.30" << "0000000000.500"
                                         << "0000000000.30";
    QTest::newRow("tie 1.5 sixtieths to even") << 0.025 << "0000:00:00.025" << "0000:00:00.02" << "0000000000.025"
                                               << "0000000000.02";
    QTest::newRow("tie 4.5 sixtieths to even") << 0.075 << "0000:00:00.075" << "0000:00:00.04" << "0000000000.075"
                                               << "0000000000.04";
    QTest::newRow("tie 7.5 sixtieths to even") << 0.125 << "0000:00:00.125" << "0000:00:00.08" << "0000000000.125"
                                               << "0000000000.08";
    QTest::newRow("fraction carries into the second") << 0.9996 << "0000:00:01.000" << "0000:00:01.00"
                                                      << "0000000001.000" << "0000000001.00";
    QTest::newRow("carries into the minute") << 59.9996 << "0000:01:00.000" << "0000:01:00.00" << "0000000060.000"
                                             << "0000000060.00";
    QTest::newRow("carries into the hour") << 3599.9999 << "0001:00:00.000" << "0001:00:00.00" << "0000003600.000"
                                           << "0000003600.00";
    QTest::newRow("more than a day") << 90000.5 << "0025:00:00.500" << "0025:00:00.30" << "0000090000.500"
                                     << "0000090000.30";
    QTest::newRow("five-digit hours") << 36000000.25 << "10000:00:00.250" << "10000:00:00.15" << "0036000000.250"
                                      << "0036000000.15";
    QTest::newRow("clock set back reads zero") << -5.5 << "0000:00:00.000" << "0000:00:00.00" << "0000000000.000"
                                               << "0000000000.00";
    QTest::newRow("not a number reads zero") << std::numeric_limits<double>::quiet_NaN() << "0000:00:00.000"
                                             << "0000:00:00.00" << "0000000000.000" << "0000000000.00";
}

void TestVexoReadouts::readouts()
{
    QFETCH(double, elapsed);
    QFETCH(QString, time);
    QFETCH(QString, time60);
    QFETCH(QString, timer);
    QFETCH(QString, timer60);
    QCOMPARE(timeReadout(elapsed, false), time);
    QCOMPARE(timeReadout(elapsed, true), time60);
    QCOMPARE(timerReadout(elapsed, false), timer);
    QCOMPARE(timerReadout(elapsed, true), timer60);
}

// In thousandths both read-outs show one value: the same whole seconds, the same
// three decimals, whatever the elapsed time.
void TestVexoReadouts::timeAndTimerAgree()
{
    QRandomGenerator rng(20240517);
    for (int i = 0; i < 20000; ++i) {
        // Values near whole thousandths and seconds are where carries go wrong.
        const double e = i % 2 ? rng.bounded(400000.0) : std::round(rng.bounded(400000.0)) + 1 - 0.0004999 * (i % 3);
        const QString time = timeReadout(e, false);
        const QString timer = timerReadout(e, false);
        const QStringList hms = time.left(time.indexOf(u'.')).split(u':');
        QCOMPARE(hms.size(), 3);
        const qint64 seconds = hms[0].toLongLong() * 3600 + hms[1].toLongLong() * 60 + hms[2].toLongLong();
        QVERIFY2(hms[1].toInt() < 60 && hms[2].toInt() < 60, qPrintable(time));
        QCOMPARE(seconds, timer.left(10).toLongLong());
        QCOMPARE(time.right(3), timer.right(3));
        QVERIFY2(std::fabs(timer.toDouble() - e) <= 0.0005 + 1e-9, qPrintable(timer));
    }
}

void TestVexoReadouts::sixtiethsOfHundredths_data()
{
    QTest::addColumn<int>("hundredths");
    QTest::addColumn<int>("sixtieths");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("1 -> 0.6") << 1 << 1;
    QTest::newRow("34 -> 20.4") << 34 << 20;
    QTest::newRow("50 -> 30") << 50 << 30;
    QTest::newRow("58 -> 34.8") << 58 << 35;
    QTest::newRow("99 -> 59.4") << 99 << 59;
}

void TestVexoReadouts::sixtiethsOfHundredths()
{
    QFETCH(int, hundredths);
    QFETCH(int, sixtieths);
    QCOMPARE(vexo::sixtiethsOfHundredths(hundredths), sixtieths);
}

void TestVexoReadouts::sixtiethsOfThousandths_data()
{
    QTest::addColumn<int>("thousandths");
    QTest::addColumn<int>("sixtieths");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("8 -> 0.48") << 8 << 0;
    QTest::newRow("9 -> 0.54") << 9 << 1;
    QTest::newRow("25 -> 1.5 even") << 25 << 2;
    QTest::newRow("75 -> 4.5 even") << 75 << 4;
    QTest::newRow("500 -> 30") << 500 << 30;
    QTest::newRow("991 -> 59.46") << 991 << 59;
    QTest::newRow("992 -> 59.52 capped") << 992 << 59;
    QTest::newRow("999 -> 59.94 capped") << 999 << 59;
}

void TestVexoReadouts::sixtiethsOfThousandths()
{
    QFETCH(int, thousandths);
    QFETCH(int, sixtieths);
    QCOMPARE(vexo::sixtiethsOfThousandths(thousandths), sixtieths);
}

// As the fraction grows the sixtieths never step back, and stay within 0..59.
void TestVexoReadouts::sixtiethsNeverFallBack()
{
    int last = 0;
    for (int ms = 0; ms < 1000; ++ms) {
        const int s = vexo::sixtiethsOfThousandths(ms);
        QVERIFY(s >= last && s <= 59);
        last = s;
    }
    QCOMPARE(last, 59);
    last = 0;
    for (int h = 0; h < 100; ++h) {
        const int s = vexo::sixtiethsOfHundredths(h);
        QVERIFY(s >= last && s <= 59);
        last = s;
    }
}

void TestVexoReadouts::countdown_data()
{
    QTest::addColumn<double>("remaining");
    QTest::addColumn<QString>("text");
    QTest::newRow("3600") << 3600.0 << "3600.0";
    QTest::newRow("5") << 5.0 << "5.0";
    QTest::newRow("4.96 rounds up") << 4.96 << "5.0";
    QTest::newRow("just above zero") << 0.04 << "0.0";
    QTest::newRow("zero") << 0.0 << "0.0";
    QTest::newRow("rounds to zero: no minus") << -0.04 << "0.0";
    QTest::newRow("past zero") << -0.06 << "-0.1";
    QTest::newRow("long past") << -12.34 << "-12.3";
    QTest::newRow("half a tenth rounds away from zero") << 90.25 << "90.3";
}

void TestVexoReadouts::countdown()
{
    QFETCH(double, remaining);
    QFETCH(QString, text);
    QCOMPARE(countdownReadout(remaining), text);
}

void TestVexoReadouts::version()
{
    QCOMPARE(versionText(), QStringLiteral("2.1.0053"));
    QCOMPARE(versionCaption(), QStringLiteral("Tavrik2.1.0053"));
    QCOMPARE(lockedCaption(), QStringLiteral("Tavrik2.1.0053 [控制已经锁定]"));
    const QStringList about = aboutText().split(QStringLiteral("\r\n"));
    QVERIFY(about.size() >= 3);
    QCOMPARE(about[0], QStringLiteral("   ====Tavrik===="));
    QCOMPARE(about[1], QStringLiteral("  版本：2.1.0053"));
}

void TestVexoReadouts::tickCaption_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label5");
    const QString mini = QStringLiteral("Tavrik2.1.0053  [0000:00:12.340]");
    const QString label5 = QStringLiteral("时间[0000:00:12.340] 计时[0000000012.340]");
    QTest::newRow("normal 3000") << 3000 << "Tavrik" << "";
    QTest::newRow("back from mini 3010") << 3010 << "Tavrik" << "";
    QTest::newRow("exactly 1000 is not mini") << 1000 << "Tavrik" << "";
    QTest::newRow("999 is mini") << 999 << mini << label5;
    QTest::newRow("mini 800") << 800 << mini << label5;
}

void TestVexoReadouts::tickCaption()
{
    QFETCH(int, height);
    QFETCH(QString, caption);
    QFETCH(QString, label5);
    const TickCaption c = vexo::tickCaption(height, QStringLiteral("0000:00:12.340"), QStringLiteral("0000000012.340"));
    QCOMPARE(c.caption, caption);
    QCOMPARE(c.Label5, label5);
}

void TestVexoReadouts::recordLine()
{
    QCOMPARE(vexo::recordLine(timerReadout(12.345, false), timeReadout(12.345, false)),
             QStringLiteral("0000000012.345S [0000:00:12.345]"));
    QCOMPARE(vexo::recordLine(countdownReadout(5), timeReadout(0, false)), QStringLiteral("5.0S [0000:00:00.000]"));
    QCOMPARE(vexo::recordLine(timerReadout(12.34, true), timeReadout(3725.5, true)),
             QStringLiteral("0000000012.20S [0001:02:05.30]"));
}

TAVRIK_TEST_GUILESS_MAIN(TestVexoReadouts)
#include "tst_vexo_readouts.moc"
