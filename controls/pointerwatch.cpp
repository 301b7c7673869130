#include "controls/pointerwatch.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

namespace tavrik::controls {

PointerWatch lookAtPointer(const QWidget &button, bool toldLeft)
{
    const QPoint p = button.mapFromGlobal(QCursor::pos());
    if (!(p.x() >= 0 && p.y() >= 0 && p.x() <= button.width() && p.y() <= button.height()))
        return PointerWatch::Gone;
    // On an edge only the timer can tell.
    if (!button.rect().contains(p))
        return PointerWatch::Keep;
    // Within it the window system's word is taken: the pointer left, or the button was
    // hidden or a dialog came over it.
    if (toldLeft)
        return PointerWatch::Gone;
    return QGuiApplication::mouseButtons() == Qt::NoButton ? PointerWatch::Stop : PointerWatch::Keep;
}

} // namespace tavrik::controls
