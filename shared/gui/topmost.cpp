#include "shared/gui/topmost.h"

#include <QWidget>
#include <QWindow>

namespace tavrik::gui {

void setTopmost(QWidget *window, bool on)
{
    const Qt::WindowFlags flags = on ? window->windowFlags() | Qt::WindowStaysOnTopHint
                                     : window->windowFlags() & ~Qt::WindowStaysOnTopHint;
    if (flags == window->windowFlags())
        return;
    // setWindowFlags would hide and re-create the window; tell the window system
    // directly so the window stays where it is, as it is.
    window->overrideWindowFlags(flags);
    if (QWindow *handle = window->windowHandle())
        handle->setFlags(flags);
}

bool isTopmost(const QWidget *window) { return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

} // namespace tavrik::gui
