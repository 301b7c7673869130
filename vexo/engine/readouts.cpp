#include "vexo/engine/readouts.h"

#include "shared/core/about.h"
#include "shared/core/numtext.h"
#include "vexo/version.h"

#include <cmath>

namespace vexo {

namespace {

// A stopwatch never shows less than nothing: a wall clock set back reads as zero.
double nonNegative(double e) { return e > 0 ? e : 0.0; }

// Zeros in front of the whole part, up to `digits` digits.
QString padWhole(QString fixed, int digits)
{
    qsizetype dot = fixed.indexOf(u'.');
    if (dot < 0)
        dot = fixed.size();
    if (dot < digits)
        fixed.prepend(QString(digits - dot, u'0'));
    return fixed;
}

// Written out by hand below 100: it is called several times a tick.
QString twoDigits(qint64 v)
{
    if (v >= 0 && v < 100) {
        const QChar d[2] = {QChar(char16_t(u'0' + v / 10)), QChar(char16_t(u'0' + v % 10))};
        return QString(d, 2);
    }
    return QString::number(v);
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

QString timeReadout(double elapsed, bool sixtieths)
{
    // Rounded to the thousandth first, so that .9996 s shows the next second and not
    // the same second with .000.
    const QString fixed = tavrik::core::formatFixed(nonNegative(elapsed), 3);
    const qsizetype dot = fixed.indexOf(u'.');
    const qint64 whole = fixed.left(dot).toLongLong();
    const QString thousandths = fixed.mid(dot + 1);
    const QString fraction = sixtieths ? twoDigits(sixtiethsOfThousandths(thousandths.toInt())) : thousandths;
    return QStringLiteral("%1").arg(whole / 3600, 4, 10, QLatin1Char('0')) + u':' + twoDigits(whole / 60 % 60) + u':' +
           twoDigits(whole % 60) + u'.' + fraction;
}

QString timerReadout(double elapsed, bool sixtieths)
{
    const double e = nonNegative(elapsed);
    if (!sixtieths)
        return padWhole(tavrik::core::formatFixed(e, 3), 10);
    const QString s = padWhole(tavrik::core::formatFixed(e, 2), 10);
    return s.chopped(2) + twoDigits(sixtiethsOfHundredths(s.right(2).toInt()));
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
