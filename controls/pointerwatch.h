#pragma once

class QWidget;

namespace tavrik::controls {

// The drawn buttons count their right and bottom edges as over them, which the window
// system does not: where it cannot tell of the pointer leaving (a mouse button held, the
// pointer on those edges) they poll the pointer. What to do at a look at it, or at the
// window system's word that the pointer left.
enum class PointerWatch {
    Keep, // poll on
    Stop, // within the button, no mouse button held: the window system will tell
    Gone, // the pointer has left the button
};
PointerWatch lookAtPointer(const QWidget &button, bool toldLeft);

} // namespace tavrik::controls
