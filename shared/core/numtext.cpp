#include "shared/core/numtext.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale.h>
#include <stdlib.h>

namespace tavrik::core {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

QStringView trimmed(QStringView s)
{
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

// Scans a number at the start of s; returns its length (0 when there is none) and
// fills ascii with the characters strtod understands.
qsizetype scanNumber(QStringView s, std::string &ascii)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    ascii.clear();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ascii.push_back(char(s[i++].unicode()));
    qsizetype digits = 0;
    while (i < n && s[i] >= u'0' && s[i] <= u'9') {
        ascii.push_back(char(s[i++].unicode()));
        ++digits;
    }
    if (i < n && s[i] == u'.') {
        ascii.push_back('.');
        ++i;
        while (i < n && s[i] >= u'0' && s[i] <= u'9') {
            ascii.push_back(char(s[i++].unicode()));
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exp = "e";
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            exp.push_back(char(s[j++].unicode()));
        qsizetype expDigits = 0;
        while (j < n && s[j] >= u'0' && s[j] <= u'9') {
            exp.push_back(char(s[j++].unicode()));
            ++expDigits;
        }
        if (expDigits > 0) {
            ascii += exp;
            i = j;
        }
    }
    return i;
}

// The whole text, blanks around it aside, is one number: true with its characters in
// ascii.
bool scanWhole(QStringView text, std::string &ascii)
{
    const QStringView t = trimmed(text);
    const qsizetype len = scanNumber(t, ascii);
    return len != 0 && len == t.size();
}

// QCoreApplication sets the user's locale, where the decimal point may be a comma;
// stored numbers always use '.', so parse them in the C locale.
locale_t cLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

double toDouble(const std::string &ascii)
{
    // strtod saturates to +/-HUGE_VAL on overflow and to 0 on underflow.
    return strtod_l(ascii.c_str(), nullptr, cLocale());
}

} // namespace

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    std::string ascii;
    if (scanNumber(text.mid(i), ascii) == 0)
        return 0.0;
    return toDouble(ascii);
}

double roundHalfEven(double v)
{
    if (!std::isfinite(v))
        return v;
    const double f = std::floor(v);
    const double diff = v - f;
    if (diff < 0.5)
        return f;
    if (diff > 0.5)
        return f + 1.0;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

QString formatFixed(double v, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (!std::isfinite(v))
        return QString::number(v);
    static const long double kPow[] = {1.0L, 10.0L, 100.0L, 1000.0L, 10000.0L};
    // A double times 10^n (n <= 4) is exact in the 64-bit mantissa of long double, so
    // roundl sees the true tie and rounds it away from zero.
    if (decimals <= 4 && std::fabs(v) < 1e14) {
        const long double scaled = roundl((long double)v * kPow[decimals]);
        const bool negative = scaled < 0;
        unsigned long long mag = (unsigned long long)(negative ? -scaled : scaled);
        QString digits = QString::number(mag);
        if (decimals > 0) {
            if (digits.size() <= decimals)
                digits = QString(decimals + 1 - digits.size(), u'0') + digits;
            digits.insert(digits.size() - decimals, u'.');
        }
        return negative ? u'-' + digits : digits;
    }
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return QString::fromLatin1(buf);
}

QString shortestText(float v)
{
    // Plain digits, never an exponent: fixed notation with the fewest digits that
    // read back to the same value.
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

QString shortestText(double v)
{
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (res.ec != std::errc())
        return QString::number(v);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

std::optional<double> parseDouble(QStringView text)
{
    std::string ascii;
    if (!scanWhole(text, ascii))
        return std::nullopt;
    const double d = toDouble(ascii);
    if (!std::isfinite(d))
        return std::nullopt;
    return d;
}

std::optional<float> parseFloat(QStringView text)
{
    std::string ascii;
    if (!scanWhole(text, ascii))
        return std::nullopt;
    // Straight to single precision: by way of a double the value is rounded twice,
    // which misses the shortest text of some floats by one unit (7.038531e-26).
    const float f = strtof_l(ascii.c_str(), nullptr, cLocale());
    if (!std::isfinite(f))
        return std::nullopt;
    return f;
}

std::optional<qint32> parseInt32(QStringView text)
{
    const QStringView t = trimmed(text);
    if (t.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == u'+' || t[0] == u'-') {
        negative = t[0] == u'-';
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < u'0' || t[i] > u'9')
            return std::nullopt;
        v = v * 10 + (t[i].unicode() - u'0');
        if (v > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(v);
}

std::optional<int> parseRounded(QStringView text, int lo, int hi)
{
    const auto d = parseDouble(text);
    if (!d)
        return std::nullopt;
    const double r = roundHalfEven(*d);
    if (r < lo || r > hi)
        return std::nullopt;
    return int(r);
}

std::optional<bool> parseBool(QStringView text)
{
    const QStringView t = trimmed(text);
    if (t.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    const auto d = parseDouble(t);
    if (!d)
        return std::nullopt;
    return *d != 0.0;
}

} // namespace tavrik::core
