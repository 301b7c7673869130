#pragma once

#include "tools/images/xp.h"

// The programs' icons, one picture per size: icons/<program>/<size>.png, and the
// scalable one, icons/<program>/scalable.svg.
namespace icons {

// The sizes every icon is drawn at (the usual hicolor sizes).
inline constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

QList<xp::NamedImage> pictures();

// Writes the scalable icons under the resources folder `root`, and says so; false when
// one cannot be written.
bool saveScalable(const QString &root);

} // namespace icons
