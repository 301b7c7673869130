#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

class QWidget;

namespace tavrik::gui {

// A frame of the screen `widget` is on, in seconds; 1/60 where the screen does not
// tell its rate.
double frameSeconds(const QWidget *widget);

// Shows a stream of changes no faster than a person can see them: the first change
// after a quiet interval is shown at once; those that follow within it are shown once,
// at its end, with what is current then. The tick behind the changes keeps its own
// precision (its readings, alarm and countdown checks); only the showing is gated, so
// a 1 ms tick costs one paint a frame instead of a thousand a second. Frames are
// counted in real time: the wall clock may jump.
class FrameGate final : public QObject {
public:
    // intervalMs 0: one frame of the screen `widget` is on.
    FrameGate(QWidget *widget, std::function<void()> show, int intervalMs = 0);

    // There is a change to show.
    void request();
    // The change was shown some other way (a state change shown at once): nothing is
    // pending, and the interval starts again.
    void shown();
    bool pending() const { return timer_.isActive(); }

private:
    void fire();
    double seconds() const;
    // A frame (of the screen the widget is on now) begins at `at`.
    void startFrame(double at);

    QWidget *widget_;
    std::function<void()> show_;
    int intervalMs_;
    QElapsedTimer clock_;
    // When the next change may be shown, in seconds of clock_; the first at once.
    double nextFrame_ = -1;
    QTimer timer_{this};
};

} // namespace tavrik::gui
