#pragma once

#include "shared/core/precision.h"

#include <QString>
#include <QTimer>

#include <array>
#include <functional>

class QAction;
class QMenu;
class QWidget;

// The precision of the stopwatch's tick, alike in both programs: a menu of six
// checkable items "msp(0)" to "msp(5)", and the tick timer whose interval they set.
namespace tavrik::gui {

using PrecisionItems = std::array<QAction *, core::kPrecisionCount>;

// The stopwatch's tick timer: precise (a coarse timer drifts by up to 5 % of its
// interval), at the default precision. A precision finer than a frame of the screen
// the window is on ticks once a frame instead: nothing drawn between two frames is
// seen, and a thousand wake-ups a second cost more than all the painting. What reads the stopwatch between two such ticks (a
// pause, a record, the alarm's bell) ticks first by catchUp(), so it still gets the
// reading of its moment.
class TickTimer final : public QTimer {
public:
    TickTimer(QWidget *window, const QString &name, std::function<void()> tick);

    // The chosen interval in ms; the timer's own interval() is what it ticks at.
    int precision() const { return precision_; }
    void setPrecision(int ms);
    // Ticks once a frame rather than at its precision.
    bool framePaced() const { return interval() > precision_; }
    // While running paced by the frame: the tick now, as the precision would have had
    // it. Otherwise nothing: the last tick is as recent as the precision says.
    void catchUp();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The interval for the precision and the screen the window is on now.
    void pace();

    QWidget *window_;
    std::function<void()> tick_;
    int precision_ = 0;
};

// Adds the six items to `menu`; each calls `chosen` with its index. The default one
// is checked.
PrecisionItems addPrecisionItems(QMenu *menu, const std::function<void(int)> &chosen);

// Applies a precision: one that is no index is the default. Its item alone is
// checked and the tick takes its interval. The index applied.
int applyPrecision(int speed, TickTimer *tick, const PrecisionItems &items);

} // namespace tavrik::gui
