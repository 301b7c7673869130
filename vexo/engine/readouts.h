#pragma once

#include "shared/core/version.h"

#include <QString>

// The old program's read-outs, captions and version, as plain text functions.
namespace vexo {

// The read-outs at launch and after Reset.
inline const QString kTimeZero = QStringLiteral("0000:00:00.000");
inline const QString kTimerZero = QStringLiteral("0000000000.000");

// lblTime for `elapsed` seconds: hhhh:mm:ss.fff, or hhhh:mm:ss.ff in sixtieths of a
// second (mA60). The fraction is rounded first and carries into the seconds.
QString timeReadout(double elapsed, bool sixtieths);
// lblTimer for `elapsed` seconds: 0000000000.000, or 0000000000.ff in sixtieths (mB60).
QString timerReadout(double elapsed, bool sixtieths);
// lblTimer in countdown mode: the seconds left with one decimal, "-" once past zero.
QString countdownReadout(double remaining);

// Sixtieths of a second from hundredths (0..99) or thousandths (0..999): times 0.6
// or 0.06, nearest whole number with halves to even, never above 59.
int sixtiethsOfHundredths(int hundredths);
int sixtiethsOfThousandths(int thousandths);

inline const QString kCaption = QStringLiteral("Tavrik");

// "2.1.0053", from the build's version.
QString versionText();
// The caption at start-up and after the mini window: "Tavrik2.1.0053".
QString versionCaption();
// The caption while the controls are locked.
QString lockedCaption();
// The about box text.
QString aboutText();

// What the display tick writes into the caption and Label5. A window whose outer
// height is below 1000 twips (the mini window) shows the read-outs there.
struct TickCaption {
    QString caption;
    QString Label5;
};
TickCaption tickCaption(int outerHeightTwips, const QString &lblTime, const QString &lblTimer);

// One record of the record list: "0000000012.345S [0000:00:12.345]".
QString recordLine(const QString &lblTimer, const QString &lblTime);

} // namespace vexo
