#pragma once

class QPointF;
class QTimer;
class QWidget;

namespace tavrik::controls {

// Whether `p` (the button's coordinates) is over the button: the drawn buttons count
// their right and bottom edges as over them.
bool overButton(const QWidget &button, const QPointF &p);

// The window system does not count those edges, and cannot tell of the pointer leaving
// while a mouse button is held: there the buttons poll the pointer on `timer`. A look at
// the pointer, at the poll or at the window system's word that it left (`toldLeft`):
// polls on where only the timer can tell, stops where the window system will tell; true
// once the pointer has left the button (the timer stopped).
bool pointerLeft(const QWidget &button, QTimer &timer, bool toldLeft);

} // namespace tavrik::controls
