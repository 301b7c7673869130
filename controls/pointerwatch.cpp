#include "controls/pointerwatch.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

namespace tavrik::controls {

bool overButton(const QWidget &button, const QPointF &p)
{
    return p.x() >= 0 && p.y() >= 0 && p.x() <= button.width() && p.y() <= button.height();
}

bool pointerLeft(const QWidget &button, QTimer &timer, bool toldLeft)
{
    const QPoint p = button.mapFromGlobal(QCursor::pos());
    // Within it the window system's word is taken (the pointer left, or the button was
    // hidden or a dialog came over it); on an edge only the timer can tell.
    const bool gone = !overButton(button, p) || (toldLeft && button.rect().contains(p));
    const bool poll = !gone && (!button.rect().contains(p) || QGuiApplication::mouseButtons() != Qt::NoButton);
    if (!poll)
        timer.stop();
    else if (!timer.isActive())
        timer.start();
    return gone;
}

} // namespace tavrik::controls
