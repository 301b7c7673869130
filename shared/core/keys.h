#pragma once

#include <Qt>
#include <QtGlobal>

// Keys as both programs' windows see them.
namespace tavrik::core {

// Ctrl+Break: Qt reports it as Cancel, or as Pause with Ctrl held.
inline bool isCtrlBreak(int key, Qt::KeyboardModifiers modifiers)
{
    return key == Qt::Key_Cancel || (key == Qt::Key_Pause && (modifiers & Qt::ControlModifier));
}

// X11 reports Ctrl+Break as no Qt key at all, only as the Break keysym: the key a
// window should act on, from the event's key and native virtual key.
inline int effectiveKey(int key, quint32 nativeVirtualKey)
{
    constexpr quint32 kXkBreak = 0xff6b;
    return key == 0 && nativeVirtualKey == kXkBreak ? int(Qt::Key_Cancel) : key;
}

} // namespace tavrik::core
