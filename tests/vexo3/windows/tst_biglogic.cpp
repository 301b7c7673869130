#include "vexo3/windows/biglogic.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace vexo3;

class TestBigLogic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout_data();
    void layout();
    void drag_data();
    void drag();
    void dragNeverNegative();
    void countdownFrames();
    void countdownOfText_data();
    void countdownOfText();
    void clockSetBackNeverLengthensTheCountdown();
    void countdownAcrossMidnight();
};

void TestBigLogic::layout_data()
{
    QTest::addColumn<double>("innerHeight");
    QTest::addColumn<double>("segHeightPx");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("lower");
    QTest::newRow("capped by the window") << 2000.0 << 250.0 << 2000.0 << 0.0 << -135.0 << 2200.0;
    QTest::newRow("centred") << 6000.0 << 250.0 << 3750.0 << 1125.0 << 990.0 << 5075.0;
    QTest::newRow("default 200") << 5580.0 << 200.0 << 3000.0 << 1290.0 << 1155.0 << 4490.0;
    QTest::newRow("window closed to nothing") << 0.0 << 200.0 << 0.0 << 0.0 << -135.0 << 200.0;
}

void TestBigLogic::layout()
{
    QFETCH(double, innerHeight);
    QFETCH(double, segHeightPx);
    const BigGeometry g = bigLayout(12285, 12165, innerHeight, segHeightPx);
    QCOMPARE(g.segLeft, 100.0);
    QCOMPARE(g.segWidth, 12285.0 - 300.0);
    QTEST(g.segHeight, "height");
    QTEST(g.segTop, "top");
    QTEST(g.handleTop[0], "upper");
    QTEST(g.handleTop[1], "lower");
    QCOMPARE(g.handleWidth, 12165.0);
}

void TestBigLogic::drag_data()
{
    QTest::addColumn<int>("handle");
    QTest::addColumn<double>("offset");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("lower");

    // Start: inner height 6000, SegHeight 250: handles at 990 and 5075.
    QTest::newRow("upper follows the pointer") << 0 << 60.0 << 160.0 << 1090.0 << 5075.0;
    QTest::newRow("upper stops at 120") << 0 << 60.0 << -2000.0 << 120.0 << 5075.0;
    QTest::newRow("upper pushed up by the lower") << 1 << 60.0 << -2500.0 << 2515.0 - 1800.0 << 2515.0;
    QTest::newRow("lower pushes the upper past 120") << 1 << 0.0 << -4500.0 << 575.0 - 1800.0 << 575.0;
    QTest::newRow("upper dragged down stays 1800 above") << 0 << 0.0 << 4000.0 << 5075.0 - 1800.0 << 5075.0;
    QTest::newRow("lower stops 600 above the bottom") << 1 << 0.0 << 2000.0 << 990.0 << 5400.0;
}

void TestBigLogic::drag()
{
    QFETCH(int, handle);
    QFETCH(double, offset);
    QFETCH(double, y);
    BigGeometry g = bigLayout(12285, 12165, 6000, 250);
    dragHandle(g, handle, offset, y, 6000);
    QTEST(g.handleTop[0], "upper");
    QTEST(g.handleTop[1], "lower");
    QCOMPARE(g.segTop, g.handleTop[0] + kHandleHeight);
    QCOMPARE(g.segHeight, std::max(0.0, g.handleTop[1] - g.handleTop[0] - kHandleHeight));
}

void TestBigLogic::dragNeverNegative()
{
    // In a very low window the bottom limit pulls the lower handle above the upper one.
    for (double inner : {0.0, 300.0, 800.0, 1500.0, 2500.0}) {
        for (double y : {-9000.0, -100.0, 0.0, 100.0, 9000.0}) {
            for (int handle : {0, 1}) {
                BigGeometry g = bigLayout(3000, 2880, inner, 350);
                dragHandle(g, handle, 10, y, inner);
                QVERIFY2(g.segHeight >= 0, qPrintable(QStringLiteral("%1 %2 %3").arg(inner).arg(y).arg(handle)));
            }
        }
    }
}

void TestBigLogic::countdownFrames()
{
    Countdown c;
    const double start = 45000.0 * 86400 + 3600;
    QStringList shown;
    double t = start;
    Countdown::Tick first = c.tick(QStringLiteral("5"), t);
    QVERIFY(first.first);
    QCOMPARE(*first.text, QStringLiteral("-   5.0"));
    shown << *first.text;
    // 50 ms ticks: the dash stays 5 ticks in the first place, then 5, then 10, then a
    // tick without a write.
    for (int i = 1; i <= 21; ++i) {
        t = start + i * 0.05 + 0.002;
        const Countdown::Tick k = c.tick(QStringLiteral("5"), t);
        QVERIFY(!k.first);
        shown << (k.text ? *k.text : QStringLiteral("(none)"));
    }
    QCOMPARE(shown[4], QStringLiteral("-   4.8"));
    QCOMPARE(shown[5], QStringLiteral(" -  4.7"));
    QCOMPARE(shown[9], QStringLiteral(" -  4.5"));
    QCOMPARE(shown[10], QStringLiteral("  - 4.5"));
    QCOMPARE(shown[19], QStringLiteral("  - 4.0"));
    QCOMPARE(shown[20], QStringLiteral("(none)"));
    QCOMPARE(shown[21], QStringLiteral("-   3.9"));
    // Four ticks in the first place from the second cycle on.
    QStringList second;
    for (int i = 0; i < 4; ++i) {
        t += 0.05;
        second << *c.tick(QStringLiteral("5"), t).text;
    }
    QVERIFY(second[2].startsWith(QStringLiteral("-   ")));
    t += 0.05;
    QVERIFY(c.tick(QStringLiteral("5"), t).text->startsWith(QStringLiteral(" -  ")));
    // Done: "--0--" on every tick from then on.
    t = start + 5.0;
    QCOMPARE(*c.tick(QStringLiteral("5"), t).text, kCountdownDone);
    t += 100;
    QCOMPARE(*c.tick(QStringLiteral("5"), t).text, kCountdownDone);
}

void TestBigLogic::countdownOfText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("firstText");
    QTest::newRow("not a number") << "abc" << "--0--";
    QTest::newRow("empty") << "" << "--0--";
    QTest::newRow("negative") << "-5" << "--0--";
    QTest::newRow("fraction") << "90.5" << "-   90.5";
    QTest::newRow("trailing text") << "90abc" << "-   90.0";
    QTest::newRow("hour") << "3600" << "-   3600.0";
}

void TestBigLogic::countdownOfText()
{
    QFETCH(QString, text);
    Countdown c;
    const Countdown::Tick first = c.tick(text, 1000.0);
    QVERIFY(first.first);
    QTEST(*first.text, "firstText");
    // Started once, whatever the text: later ticks do not start it again.
    QVERIFY(!c.tick(text, 1000.05).first);
}

void TestBigLogic::clockSetBackNeverLengthensTheCountdown()
{
    // Found by fuzzing: the longest countdown grew a cell wider when the clock went back.
    Countdown c;
    const QString seconds = QStringLiteral("99999999.9");
    QCOMPARE(*c.tick(seconds, 1000.0).text, QStringLiteral("-   99999999.9"));
    for (int i = 1; i < 5; ++i)
        QCOMPARE(*c.tick(seconds, 1000.0 - 60.0 * i).text, QStringLiteral("-   99999999.9"));
}

void TestBigLogic::countdownAcrossMidnight()
{
    Countdown c;
    const double beforeMidnight = 45000.0 * 86400 + 86399.0;
    QCOMPARE(*c.tick(QStringLiteral("10"), beforeMidnight).text, QStringLiteral("-   10.0"));
    const Countdown::Tick k = c.tick(QStringLiteral("10"), beforeMidnight + 3.0);
    QCOMPARE(k.text->mid(4), QStringLiteral("7.0"));
    QCOMPARE(*c.tick(QStringLiteral("10"), beforeMidnight + 10.0).text, kCountdownDone);
}

TAVRIK_TEST_GUILESS_MAIN(TestBigLogic)
#include "tst_biglogic.moc"
