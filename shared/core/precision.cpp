#include "shared/core/precision.h"

namespace tavrik::core {

namespace {

struct Precision {
    int intervalMs;
    const char *caption;
};

constexpr Precision kPrecisions[kPrecisionCount] = {
    {1, "最高(毫秒)"}, {10, "高"}, {20, "普通(默认)"}, {50, "低"}, {100, "较低"}, {200, "最低(秒)"},
};

bool valid(int speed) { return speed >= 0 && speed < kPrecisionCount; }

} // namespace

int precisionInterval(int speed) { return valid(speed) ? kPrecisions[speed].intervalMs : -1; }

QString precisionCaption(int speed) { return valid(speed) ? QString::fromUtf8(kPrecisions[speed].caption) : QString(); }

} // namespace tavrik::core
