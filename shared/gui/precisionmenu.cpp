#include "shared/gui/precisionmenu.h"

#include "shared/core/displaysettings.h"
#include "shared/gui/framegate.h"
#include "shared/gui/names.h"

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
}

void TickTimer::setPrecision(int ms)
{
    precision_ = ms;
    // A millisecond over the frame: a tick that came early by the timers' jitter would
    // land in the frame the last one was shown in and wait for its end, a second
    // wake-up.
    const double frameMs = frameSeconds(window_) * 1000 + 1;
    setInterval(ms * std::max(1, int(std::ceil(frameMs / ms))));
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
