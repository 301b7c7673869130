#pragma once

#include "tools/images/xp.h"

// The programs' icons, one picture per size: icons/<program>/<size>.png.
namespace icons {

// The sizes every icon is drawn at (the usual hicolor sizes).
inline constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

QList<xp::NamedImage> pictures();

} // namespace icons
