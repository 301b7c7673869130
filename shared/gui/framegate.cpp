#include "shared/gui/framegate.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace tavrik::gui {

FrameGate::FrameGate(QWidget *widget, std::function<void()> show, int intervalMs)
    : QObject(widget), widget_(widget), show_(std::move(show)), intervalMs_(intervalMs)
{
    timer_.setObjectName(QStringLiteral("frameGate"));
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &FrameGate::fire);
}

void FrameGate::restart()
{
    last_.start();
    if (intervalMs_ > 0) {
        interval_ = intervalMs_ / 1000.0;
        return;
    }
    // A screen that does not know its rate (a virtual one says 0) counts as 60 Hz.
    const QScreen *screen = widget_->screen();
    qreal hz = screen ? screen->refreshRate() : 0;
    if (!(hz >= 24 && hz <= 480))
        hz = 60;
    interval_ = 1 / hz;
}

void FrameGate::request()
{
    const double wait = last_.isValid() ? interval_ - last_.nsecsElapsed() / 1e9 : 0;
    // Also at once when the frame's timer is late.
    if (wait <= 0) {
        timer_.stop();
        fire();
    } else if (!timer_.isActive()) {
        timer_.start(std::max(1, int(std::ceil(wait * 1000))));
    }
}

void FrameGate::shown()
{
    timer_.stop();
    restart();
}

void FrameGate::fire()
{
    restart();
    show_();
}

} // namespace tavrik::gui
