#pragma once

class QWidget;

// Where a window stands, alike in both programs.
namespace tavrik::gui {

// Keeps a window above all others, or lets it go, without moving or resizing it.
void setTopmost(QWidget *window, bool on);
bool isTopmost(const QWidget *window);

// Centres a window, frame included, on the available area of the primary screen.
void centreOnScreen(QWidget *window);

} // namespace tavrik::gui
