#include "shared/gui/framegate.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace tavrik::gui {

double frameSeconds(const QWidget *widget)
{
    // A virtual screen says 0.
    const QScreen *screen = widget ? widget->screen() : nullptr;
    qreal hz = screen ? screen->refreshRate() : 0;
    if (!(hz >= 24 && hz <= 480))
        hz = 60;
    return 1 / hz;
}

FrameGate::FrameGate(QWidget *widget, std::function<void()> show, int intervalMs)
    : QObject(widget), widget_(widget), show_(std::move(show)), intervalMs_(intervalMs)
{
    timer_.setObjectName(QStringLiteral("frameGate"));
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &FrameGate::fire);
    clock_.start();
}

double FrameGate::seconds() const { return clock_.nsecsElapsed() / 1e9; }

void FrameGate::startFrame(double at)
{
    const double interval = intervalMs_ > 0 ? intervalMs_ / 1000.0 : frameSeconds(widget_);
    nextFrame_ = at + interval;
}

void FrameGate::request()
{
    const double now = seconds();
    // Also at once when the frame's timer is late.
    if (now >= nextFrame_) {
        timer_.stop();
        startFrame(now);
        show_();
    } else if (!timer_.isActive()) {
        timer_.start(std::max(1, int(std::ceil((nextFrame_ - now) * 1000))));
    }
}

void FrameGate::shown()
{
    timer_.stop();
    startFrame(seconds());
}

void FrameGate::fire()
{
    // The frame shown began when it was due, not when the timer came round to it: a
    // tick as steady as the frames would otherwise fall behind them, wait for each,
    // and wake the program twice a tick. Only a timer a whole frame late starts anew.
    const double now = seconds();
    const double due = nextFrame_;
    startFrame(due);
    if (nextFrame_ <= now)
        startFrame(now);
    show_();
}

} // namespace tavrik::gui
