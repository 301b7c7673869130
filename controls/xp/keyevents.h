#pragma once

#include "controls/mousecodes.h"

#include <QKeyEvent>

// Both XP controls raise their keys to the host the same way and then let each key go
// on to the host's own handling.
namespace vexo {

// KeyDown with the key and the shift state, then KeyPress with the character, if any.
template <typename Control>
void raiseKeyPress(Control *control, QKeyEvent *event)
{
    Q_EMIT control->KeyDown(event->key(), tavrik::controls::shiftCode(event->modifiers()));
    if (!event->text().isEmpty())
        Q_EMIT control->KeyPress(event->text().at(0).unicode());
    event->ignore();
}

// KeyUp, once per key: the releases of auto-repeat are not raised.
template <typename Control>
void raiseKeyRelease(Control *control, QKeyEvent *event)
{
    if (!event->isAutoRepeat())
        Q_EMIT control->KeyUp(event->key(), tavrik::controls::shiftCode(event->modifiers()));
    event->ignore();
}

} // namespace vexo
