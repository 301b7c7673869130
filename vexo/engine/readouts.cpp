#include "vexo/engine/readouts.h"

#include "shared/core/about.h"
#include "shared/core/numtext.h"
#include "vexo/version.h"

#include <cmath>

namespace vexo {

namespace {

// A stopwatch never shows less than nothing: a wall clock set back reads as zero.
double nonNegative(double e) { return e > 0 ? e : 0.0; }

// `v` in decimal at `out`, zeros in front up to `width` digits; past its end.
char16_t *putNumber(char16_t *out, quint64 v, int width)
{
    char16_t reversed[20];
    int n = 0;
    do {
        reversed[n++] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v);
    for (int i = n; i < width; ++i)
        *out++ = u'0';
    while (n)
        *out++ = reversed[--n];
    return out;
}

// `e` (not negative) in hundredths or thousandths, rounded as formatFixed rounds it:
// counted directly where formatFixed counts exactly, else read back from its text.
quint64 units(double e, int decimals)
{
    const quint64 scale = decimals == 2 ? 100 : 1000;
    if (e < 1e14)
        return quint64(roundl((long double)e * scale));
    const QString fixed = tavrik::core::formatFixed(e, decimals);
    const qsizetype dot = fixed.indexOf(u'.');
    return dot < 0 ? 0 : fixed.left(dot).toULongLong() * scale + fixed.mid(dot + 1).toULongLong();
}

QString text(const char16_t *begin, const char16_t *end)
{
    return QString(reinterpret_cast<const QChar *>(begin), end - begin);
}

// n / d rounded to the nearest whole number, halves to even (n, d > 0).
int divideHalfEven(int n, int d)
{
    int q = n / d;
    const int r2 = 2 * (n % d);
    if (r2 > d || (r2 == d && q % 2 != 0))
        ++q;
    return q;
}

} // namespace

int sixtiethsOfHundredths(int hundredths)
{
    const int s = divideHalfEven(hundredths * 6, 10);
    return s > 59 ? 59 : s;
}

int sixtiethsOfThousandths(int thousandths)
{
    const int s = divideHalfEven(thousandths * 6, 100);
    return s > 59 ? 59 : s;
}

// Written into one buffer: the read-outs are made on every tick.
QString timeReadout(double elapsed, bool sixtieths)
{
    // Rounded to the thousandth first, so that .9996 s shows the next second and not
    // the same second with .000.
    const quint64 t = units(nonNegative(elapsed), 3), whole = t / 1000;
    char16_t buf[48];
    char16_t *p = putNumber(buf, whole / 3600, 4);
    *p++ = u':';
    p = putNumber(p, whole / 60 % 60, 2);
    *p++ = u':';
    p = putNumber(p, whole % 60, 2);
    *p++ = u'.';
    p = sixtieths ? putNumber(p, quint64(sixtiethsOfThousandths(int(t % 1000))), 2) : putNumber(p, t % 1000, 3);
    return text(buf, p);
}

QString timerReadout(double elapsed, bool sixtieths)
{
    const int decimals = sixtieths ? 2 : 3;
    const quint64 scale = sixtieths ? 100 : 1000, u = units(nonNegative(elapsed), decimals);
    char16_t buf[48];
    char16_t *p = putNumber(buf, u / scale, 10);
    *p++ = u'.';
    p = sixtieths ? putNumber(p, quint64(sixtiethsOfHundredths(int(u % 100))), 2) : putNumber(p, u % 1000, 3);
    return text(buf, p);
}

QString countdownReadout(double remaining)
{
    // A value that rounds to zero shows "0.0", never "-0.0".
    return tavrik::core::formatFixed(remaining, 1);
}

QString versionText() { return tavrik::core::versionText(kVersion, tavrik::core::Revision::FourDigits); }

QString versionCaption() { return kCaption + versionText(); }

QString lockedCaption() { return tavrik::core::lockedTitle(kVersion); }

QString aboutText() { return tavrik::core::aboutText(versionText()); }

TickCaption tickCaption(int outerHeightTwips, const QString &lblTime, const QString &lblTimer)
{
    if (outerHeightTwips >= 1000)
        return {kCaption, QString()};
    static const QString caption = versionCaption();
    return {caption + QStringLiteral("  [") + lblTime + u']',
            QStringLiteral("时间[") + lblTime + QStringLiteral("] 计时[") + lblTimer + u']'};
}

QString recordLine(const QString &lblTimer, const QString &lblTime)
{
    return lblTimer + QStringLiteral("S [") + lblTime + u']';
}

} // namespace vexo
