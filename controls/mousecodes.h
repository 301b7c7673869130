#pragma once

#include <Qt>

// Mouse buttons and modifier keys as the controls' events report them.
namespace tavrik::controls {

// 1 left, 2 right, 4 middle.
inline int buttonCode(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

// 1 Shift, 2 Ctrl, 4 Alt.
inline int shiftCode(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

} // namespace tavrik::controls
