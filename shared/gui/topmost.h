#pragma once

class QWidget;

namespace tavrik::gui {

// Keeps a window above all others, or lets it go, without moving or resizing it.
void setTopmost(QWidget *window, bool on);
bool isTopmost(const QWidget *window);

} // namespace tavrik::gui
