#include "vexo3/windows/biglogic.h"

#include "shared/core/numtext.h"
#include "controls/twips.h"

#include <algorithm>
#include <cmath>

namespace vexo3 {

BigGeometry bigLayout(double outerWidth, double innerWidth, double innerHeight, double segHeightPx)
{
    BigGeometry g;
    g.segLeft = kSegLeft;
    g.segWidth = std::max(0.0, outerWidth - kWidthMargin);
    const double h = segHeightPx * tavrik::controls::kTwipsPerPixel;
    g.segHeight = std::max(0.0, h > innerHeight ? innerHeight : h);
    g.segTop = innerHeight / 2 - g.segHeight / 2;
    g.handleTop[0] = g.segTop - kHandleHeight;
    g.handleTop[1] = g.segTop + g.segHeight + kLowerHandleGap;
    g.handleWidth = std::max(0.0, innerWidth);
    return g;
}

void dragHandle(BigGeometry &g, int index, double dragOffsetY, double y, double innerHeight)
{
    auto &top = g.handleTop;
    top[index] += y - dragOffsetY;
    if (top[0] <= kTopLimit)
        top[0] = kTopLimit;
    if (top[1] - kMinHandleDistance < top[0])
        top[0] = top[1] - kMinHandleDistance;
    if (top[0] + kMinHandleGap > top[1])
        top[1] = top[0] + kMinHandleGap;
    if (innerHeight - kBottomMargin < top[1])
        top[1] = innerHeight - kBottomMargin;
    g.segTop = top[0] + kHandleHeight;
    g.segHeight = std::max(0.0, top[1] - top[0] - kHandleHeight);
}

Countdown::Tick Countdown::tick(const QString &secondsText, double nowAbsolute)
{
    Tick t;
    if (!started_) {
        const double v = tavrik::core::leadingNumber(secondsText);
        seconds_ = std::isfinite(v) ? v : 0.0;
        start_ = nowAbsolute;
        started_ = true;
        t.first = true;
    }
    // A clock set back never makes the countdown longer than it was set.
    const double remaining = std::min(seconds_, seconds_ - (nowAbsolute - start_));
    if (!(remaining > 0)) {
        t.text = kCountdownDone;
        return t;
    }
    if (dashStep_ >= 20) {
        dashStep_ = 0;
    } else {
        const char *prefix = dashStep_ < 5 ? "-   " : (dashStep_ < 10 ? " -  " : "  - ");
        // In double: a long countdown must show every one of its digits right.
        t.text = QLatin1String(prefix) + tavrik::core::formatFixed(remaining, 1);
    }
    ++dashStep_;
    return t;
}

} // namespace vexo3
