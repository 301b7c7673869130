#pragma once

#include <QString>
#include <array>
#include <optional>

// The big display window's geometry and countdown as plain code, in twips.
namespace vexo3 {

constexpr double kHandleHeight = 135;   // the two drag handles
constexpr double kSegLeft = 100;
constexpr double kWidthMargin = 300;     // outer width minus display width
constexpr double kLowerHandleGap = 200;  // lower handle below the display
constexpr double kTopLimit = 120;        // upper handle never above this
constexpr double kMinHandleDistance = 1800;
constexpr double kMinHandleGap = 1200;
constexpr double kBottomMargin = 600;    // lower handle at least this above the bottom

struct BigGeometry {
    double segLeft = 0, segTop = 0, segWidth = 0, segHeight = 0;
    std::array<double, 2> handleTop{};
    double handleWidth = 0;
};

// The layout on resize: the display centred at SegHeight pixels (capped by the window),
// the handles just above and below it.
BigGeometry bigLayout(double outerWidth, double innerWidth, double innerHeight, double segHeightPx);

// One pointer move with the left button held on handle `index`: the handle follows
// the pointer (y and dragOffsetY relative to the handle), then the limits apply in
// order and the display fills the space between the handles, never negative.
void dragHandle(BigGeometry &g, int index, double dragOffsetY, double y, double innerHeight);

// The countdown of a "BackTimer" window: the seconds start at the first tick and are
// measured on a clock that does not restart at midnight.
class Countdown {
public:
    struct Tick {
        bool first = false;           // the window sets its digit count then
        std::optional<QString> text;  // nothing: leave the display as it is
    };
    Tick tick(const QString &secondsText, double nowAbsolute);

    double seconds() const { return seconds_; }

private:
    bool started_ = false;
    double seconds_ = 0;
    double start_ = 0;
    int dashStep_ = 0;
};

inline const QString kCountdownDone = QStringLiteral("--0--");

} // namespace vexo3
