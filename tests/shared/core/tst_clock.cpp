#include "shared/core/clock.h"
#include "tests/support/testmain.h"

#include <QDateTime>
#include <QtTest>
#include <cmath>
#include <ctime>

using namespace tavrik::core;

class TestClock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clockIsTheWallClock();
    void timeOfDayText_data();
    void timeOfDayText();
    void absoluteSecondsRoundTrip();
    void systemClockAbsoluteAgreesWithNow();
    void localTimeAcrossOffsetChanges();
};

void TestClock::clockIsTheWallClock()
{
    QCOMPARE(dayNumber(QDate(1899, 12, 30)), 0);
    QCOMPARE(dayNumber(QDate(2009, 5, 12)), 39945);
    QCOMPARE(dateFromDayNumber(39945), QDate(2009, 5, 12));
    const QDateTime before = QDateTime::currentDateTime();
    const Now n = SystemClock().now();
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY(n.day == dayNumber(before.date()) || n.day == dayNumber(after.date()));
    if (before.date() == after.date()) {
        QVERIFY(n.seconds >= before.time().msecsSinceStartOfDay() / 1000.0f - 0.01f);
        QVERIFY(n.seconds <= after.time().msecsSinceStartOfDay() / 1000.0f + 0.01f);
    }
    QCOMPARE(tavrik::core::timeOfDay(59.9999f).toString(u"hh:mm:ss"), QStringLiteral("00:00:59"));
}

void TestClock::timeOfDayText_data()
{
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("expected");
    QTest::newRow("midnight") << 0.0f << "00:00:00.000";
    QTest::newRow("never a second early") << 59.9999f << "00:00:59.999";
    QTest::newRow("late in the day") << 86399.5f << "23:59:59.500";
    QTest::newRow("a day on wraps") << 86400.0f << "00:00:00.000";
    QTest::newRow("before midnight wraps back") << -1.0f << "23:59:59.000";
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << "00:00:00.000";
}

void TestClock::timeOfDayText()
{
    QFETCH(float, seconds);
    QTEST(tavrik::core::timeOfDay(seconds).toString(u"hh:mm:ss.zzz"), "expected");
}

void TestClock::absoluteSecondsRoundTrip()
{
    const QDateTime local(QDate(2009, 5, 12), QTime(14, 30, 5, 750));
    const double s = absoluteSeconds(local);
    QCOMPARE(s, 39945 * 86400.0 + 52205.75);
    QCOMPARE(dateTimeAt(s), local);
    // Truncated, never into the next millisecond or the next day.
    QCOMPARE(dateTimeAt(39945 * 86400.0 + 86399.9996), QDateTime(QDate(2009, 5, 12), QTime(23, 59, 59, 999)));
    QCOMPARE(dateTimeAt(39946 * 86400.0), QDateTime(QDate(2009, 5, 13), QTime(0, 0)));
}

void TestClock::systemClockAbsoluteAgreesWithNow()
{
    const SystemClock clock;
    const double before = absoluteSeconds(QDateTime::currentDateTime());
    const double abs = clock.absoluteSeconds();
    const double after = absoluteSeconds(QDateTime::currentDateTime());
    QVERIFY(abs >= before && abs <= after);
    // Late in the day a single-precision reading resolves 1/128 s; this one keeps the
    // millisecond.
    QVERIFY(std::abs(abs * 1000.0 - std::round(abs * 1000.0)) < 0.01);
}

void TestClock::localTimeAcrossOffsetChanges()
{
    // Milliseconds in a row across both of a year's offset changes of a zone with
    // summer time, and a zone changed meanwhile: each agrees with Qt's local time.
    const QByteArray tz = qgetenv("TZ");
    for (const char *zone : {"Europe/Berlin", "America/New_York"}) {
        qputenv("TZ", zone);
        ::tzset();
        for (const QDateTime &change : {QDateTime(QDate(2026, 3, 29), QTime(1, 0), Qt::UTC),
                                        QDateTime(QDate(2026, 10, 25), QTime(1, 0), Qt::UTC),
                                        QDateTime(QDate(2026, 3, 8), QTime(7, 0), Qt::UTC)})
            for (qint64 ms = change.toMSecsSinceEpoch() - 1500; ms < change.toMSecsSinceEpoch() + 1500; ms += 250) {
                const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms);
                const Now n = localAt(ms);
                QCOMPARE(n.day, dayNumber(local.date()));
                QCOMPARE(n.seconds, float(local.time().msecsSinceStartOfDay() / 1000.0));
                QCOMPARE(absoluteSecondsAt(ms), absoluteSeconds(local));
            }
    }
    tz.isNull() ? qunsetenv("TZ") : qputenv("TZ", tz);
    ::tzset();
}

TAVRIK_TEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
