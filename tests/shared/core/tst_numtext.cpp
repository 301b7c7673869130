#include "shared/core/numtext.h"
#include "tests/support/testmain.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

using namespace tavrik::core;

namespace {

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// An optional result as text: "none" when there is none.
template <typename T>
QString shown(const std::optional<T> &v)
{
    if (!v)
        return QStringLiteral("none");
    if constexpr (std::is_same_v<T, bool>)
        return *v ? QStringLiteral("true") : QStringLiteral("false");
    else
        return QString::number(*v, 'g', 17);
}

} // namespace

// The number texts both programs show and store.
class TestNumText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void leadingNumber_data();
    void leadingNumber();
    void formatFixed_data();
    void formatFixed();
    void shortestDouble_data();
    void shortestDouble();
    void floatTextRoundTrips();
    void parsers_data();
    void parsers();
};

void TestNumText::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("combo item") << "14(推荐)" << 14.0;
    QTest::newRow("menu caption") << "250 p(典型)" << 250.0;
    QTest::newRow("blanks, sign, exponent, rest") << " \t-2.5e1x" << -25.0;
    QTest::newRow("plus") << "+7" << 7.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("decimal comma is not a point") << "1,5" << 1.0;
}

void TestNumText::leadingNumber()
{
    QFETCH(QString, text);
    QTEST(tavrik::core::leadingNumber(text), "expected");
    QVERIFY(std::isinf(tavrik::core::leadingNumber(u"1e999")));
}

void TestNumText::formatFixed_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::newRow("reading") << 83.4567 << 3 << "83.457";
    QTest::newRow("tie away from zero") << 2.5 << 0 << "3";
    QTest::newRow("negative tie") << -2.5 << 0 << "-3";
    QTest::newRow("exact binary tie") << 0.125 << 2 << "0.13";
    QTest::newRow("just below a tie") << 1.005 << 2 << "1.00";
    QTest::newRow("leading zeros") << 0.0004 << 3 << "0.000";
    QTest::newRow("rounds to minus zero") << -0.0004 << 3 << "0.000";
    QTest::newRow("whole") << 7.0 << 0 << "7";
    QTest::newRow("countdown, binary value below the tie") << 3599.95 << 1 << "3599.9";
    QTest::newRow("countdown, exact tie") << 3599.25 << 1 << "3599.3";
    QTest::newRow("large") << 1e15 << 1 << "1000000000000000.0";
}

void TestNumText::formatFixed()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QTEST(tavrik::core::formatFixed(value, decimals), "expected");
}

void TestNumText::shortestDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 3600.0 << "3600";
    QTest::newRow("half") << 90.5 << "90.5";
    QTest::newRow("tenth") << 0.1 << "0.1";
    QTest::newRow("no exponent") << 1e20 << "100000000000000000000";
}

void TestNumText::shortestDouble()
{
    QFETCH(double, value);
    QTEST(shortestText(value), "expected");
    QCOMPARE(shortestText(45296.13f), QStringLiteral("45296.13"));
}

void TestNumText::floatTextRoundTrips()
{
    QList<float> values{45296.13f, 86399.999f, 0.0f, -0.0f, 1e-3f,
                        std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(),
                        std::numeric_limits<float>::min(), std::numeric_limits<float>::denorm_min(),
                        // Read by way of a double, this one came back one unit off.
                        7.038531e-26f, -7.038531e-26f};
    auto *rng = QRandomGenerator::global();
    while (values.size() < 200000) {
        const quint32 bits = rng->generate();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        if (std::isfinite(f))
            values.append(f);
    }
    for (float f : values) {
        const QString text = shortestText(f);
        const auto back = parseFloat(text);
        QVERIFY2(back && sameBits(*back, f), qPrintable(QStringLiteral("%1 (%2)").arg(text).arg(double(f), 0, 'a')));
    }
}

void TestNumText::parsers_data()
{
    QTest::addColumn<QString>("parser"); // float, double, int32, rounded 8..20, bool
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("float with blanks") << "float" << " 1.5 " << "1.5";
    QTest::newRow("float with rest") << "float" << "1.5x" << "none";
    QTest::newRow("float empty") << "float" << "" << "none";
    QTest::newRow("float too large") << "float" << "1e39" << "none";
    QTest::newRow("float nan") << "float" << "nan" << "none";
    QTest::newRow("double large") << "double" << "1e308" << "1e+308";
    QTest::newRow("double too large") << "double" << "1e309" << "none";
    QTest::newRow("int32 largest") << "int32" << "2147483647" << "2147483647";
    QTest::newRow("int32 smallest") << "int32" << "-2147483648" << "-2147483648";
    QTest::newRow("int32 too large") << "int32" << "2147483648" << "none";
    QTest::newRow("int32 plus and blanks") << "int32" << " +5 " << "5";
    QTest::newRow("int32 fraction") << "int32" << "1.0" << "none";
    QTest::newRow("int32 sign only") << "int32" << "-" << "none";
    QTest::newRow("rounded tie to even down") << "rounded" << "10.5" << "10";
    QTest::newRow("rounded tie to even up") << "rounded" << "11.5" << "12";
    QTest::newRow("rounded into the range") << "rounded" << "7.5" << "8";
    QTest::newRow("rounded top") << "rounded" << "20.4" << "20";
    QTest::newRow("rounded above") << "rounded" << "20.6" << "none";
    QTest::newRow("rounded no number") << "rounded" << "x" << "none";
    QTest::newRow("bool True") << "bool" << "True" << "true";
    QTest::newRow("bool blanks and case") << "bool" << " FALSE " << "false";
    QTest::newRow("bool -1") << "bool" << "-1" << "true";
    QTest::newRow("bool 255") << "bool" << "255" << "true";
    QTest::newRow("bool 0.0") << "bool" << "0.0" << "false";
    QTest::newRow("bool yes") << "bool" << "yes" << "none";
}

void TestNumText::parsers()
{
    QFETCH(QString, parser);
    QFETCH(QString, text);
    QString result;
    if (parser == QLatin1String("float"))
        result = shown(parseFloat(text));
    else if (parser == QLatin1String("double"))
        result = shown(parseDouble(text));
    else if (parser == QLatin1String("int32"))
        result = shown(parseInt32(text));
    else if (parser == QLatin1String("rounded"))
        result = shown(parseRounded(text, 8, 20));
    else
        result = shown(parseBool(text));
    QTEST(result, "expected");
}

TAVRIK_TEST_GUILESS_MAIN(TestNumText)
#include "tst_numtext.moc"
