#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Conversions between numbers and the texts the programs show and store.
namespace tavrik::core {

// The leading number of a text: blanks skipped, optional sign, digits with an optional
// decimal point, optional exponent. No leading number gives 0. A number too large
// for a double gives +/-infinity; callers decide what they accept.
double leadingNumber(QStringView text);

// Nearest integer, ties to even (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double v);

// Nearest integer, ties to even, saturated into the range of T.
template <typename T>
T roundToIntegral(double v, T lo, T hi)
{
    if (!(v == v))
        return T(0);
    const double r = roundHalfEven(v);
    if (r <= double(lo))
        return lo;
    if (r >= double(hi))
        return hi;
    return T(r);
}

// v written with exactly `decimals` decimals, rounded half away from zero on the exact
// binary value ("0.000" style).
QString formatFixed(double v, int decimals);

// The shortest plain (no exponent) text that reads back to the same single-precision
// value (45296.13).
QString shortestText(float v);
// The shortest plain text that reads back to the same double (3600, 90.5).
QString shortestText(double v);

// Whole-text parsers for stored values: surrounding blanks allowed, nothing else;
// the result must be finite and representable, otherwise nothing.
std::optional<float> parseFloat(QStringView text);
std::optional<double> parseDouble(QStringView text);
std::optional<qint32> parseInt32(QStringView text);
// A stored whole number: the whole text a number, rounded ties to even, within lo..hi.
std::optional<int> parseRounded(QStringView text, int lo, int hi);
// "-1", "0", any number (non-zero is true), "True"/"False" in any case.
std::optional<bool> parseBool(QStringView text);

} // namespace tavrik::core
