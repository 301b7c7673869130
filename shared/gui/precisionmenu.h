#pragma once

#include "shared/core/precision.h"

#include <QString>

#include <array>
#include <functional>

class QAction;
class QMenu;
class QObject;
class QTimer;

// The precision of the stopwatch's tick, alike in both programs: a menu of six
// checkable items "msp(0)" to "msp(5)", and the tick timer whose interval they set.
namespace tavrik::gui {

using PrecisionItems = std::array<QAction *, core::kPrecisionCount>;

// The stopwatch's tick timer: precise (a coarse timer drifts by up to 5 % of its
// interval), at the default precision.
QTimer *makeTickTimer(QObject *parent, const QString &name);

// Adds the six items to `menu`; each calls `chosen` with its index. The default one
// is checked.
PrecisionItems addPrecisionItems(QMenu *menu, const std::function<void(int)> &chosen);

// Applies a precision: one that is no index is the default. Its item alone is
// checked and the tick takes its interval. The index applied.
int applyPrecision(int speed, QTimer *tick, const PrecisionItems &items);

} // namespace tavrik::gui
