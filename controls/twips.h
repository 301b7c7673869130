#pragma once

#include <QColor>
#include <QRect>
#include <QtGlobal>
#include <cmath>

// Geometry constants stay in twips as the windows were designed; widgets take pixels.
namespace tavrik::controls {

constexpr double kTwipsPerPixel = 15.0;

inline int px(double twips) { return int(std::lround(twips / kTwipsPerPixel)); }
inline double twips(double pixels) { return pixels * kTwipsPerPixel; }
// A rectangle designed in twips, in pixels.
inline QRect pxRect(int left, int top, int width, int height) { return QRect(px(left), px(top), px(width), px(height)); }

// Colours are stored as 0x00BBGGRR.
inline QColor bgrColor(quint32 c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

} // namespace tavrik::controls
