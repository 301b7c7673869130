#include "shared/core/precision.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace tavrik::core;

class TestPrecision : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void table_data();
    void table();
    void outsideTheTable_data();
    void outsideTheTable();
};

void TestPrecision::table_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QString>("caption");
    QTest::newRow("0") << 0 << 1 << "最高(毫秒)";
    QTest::newRow("1") << 1 << 10 << "高";
    QTest::newRow("2 (default)") << 2 << 20 << "普通(默认)";
    QTest::newRow("3") << 3 << 50 << "低";
    QTest::newRow("4") << 4 << 100 << "较低";
    QTest::newRow("5") << 5 << 200 << "最低(秒)";
}

void TestPrecision::table()
{
    QFETCH(int, speed);
    QTEST(precisionInterval(speed), "interval");
    QTEST(precisionCaption(speed), "caption");
    QCOMPARE(kDefaultSpeed, 2);
    QCOMPARE(kPrecisionCount, 6);
}

void TestPrecision::outsideTheTable_data()
{
    QTest::addColumn<int>("speed");
    QTest::newRow("-1") << -1;
    QTest::newRow("6") << 6;
    QTest::newRow("huge") << 2147483647;
    QTest::newRow("most negative") << int(-2147483647 - 1);
}

void TestPrecision::outsideTheTable()
{
    QFETCH(int, speed);
    QCOMPARE(precisionInterval(speed), -1);
    QVERIFY(precisionCaption(speed).isEmpty());
}

TAVRIK_TEST_GUILESS_MAIN(TestPrecision)
#include "tst_precision.moc"
