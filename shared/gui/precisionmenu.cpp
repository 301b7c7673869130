#include "shared/gui/precisionmenu.h"

#include "shared/core/displaysettings.h"
#include "shared/gui/framegate.h"
#include "shared/gui/names.h"
#include "controls/picture/devicepixels.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace tavrik::gui {

TickTimer::TickTimer(QWidget *window, const QString &name, std::function<void()> tick)
    : QTimer(window), window_(window), tick_(std::move(tick))
{
    setObjectName(name);
    connect(this, &QTimer::timeout, this, [this] { tick_(); });
    setTimerType(Qt::PreciseTimer);
    setPrecision(core::precisionInterval(core::kDefaultSpeed));
    // The frame is the screen's the window is on: it may move to one of another rate.
    window_->installEventFilter(this);
}

void TickTimer::setPrecision(int ms)
{
    precision_ = ms;
    pace();
}

void TickTimer::pace()
{
    const double frameMs = frameSeconds(window_) * 1000;
    // A millisecond over the frame: a tick that came early by the timers' jitter would
    // land in the frame the last one was shown in and wait for its end, a second
    // wake-up. A precision that close to the frame, or coarser, ticks as chosen.
    const int ms = precision_ + 1 >= frameMs ? precision_ : int(std::ceil(frameMs)) + 1;
    if (ms != interval())
        setInterval(ms);
}

bool TickTimer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window_ && tavrik::picture::mayChangeRatio(event))
        pace();
    return QTimer::eventFilter(watched, event);
}

void TickTimer::catchUp()
{
    if (isActive() && framePaced())
        tick_();
}

PrecisionItems addPrecisionItems(QMenu *menu, const std::function<void(int)> &chosen)
{
    PrecisionItems items{};
    for (int i = 0; i < core::kPrecisionCount; ++i) {
        QAction *a = named(menu->addAction(core::precisionCaption(i)), indexed("msp", i));
        a->setCheckable(true);
        QObject::connect(a, &QAction::triggered, menu, [chosen, i] { chosen(i); });
        items[size_t(i)] = a;
    }
    items[core::kDefaultSpeed]->setChecked(true);
    return items;
}

int applyPrecision(int speed, TickTimer *tick, const PrecisionItems &items)
{
    speed = core::checkedSpeed(speed);
    for (int i = 0; i < core::kPrecisionCount; ++i)
        items[size_t(i)]->setChecked(i == speed);
    tick->setPrecision(core::precisionInterval(speed));
    return speed;
}

} // namespace tavrik::gui
