#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QRectF>

class QEvent;

// Pictures are made at the size they take on the screen in device pixels, and painted
// there 1:1: a widget lays out in logical pixels, the screen may hold 1.25, 1.5 or 2
// device pixels to each of them.
namespace tavrik::picture {

// A rectangle in logical pixels (possibly fractional) in device pixels: every edge
// rounded to the nearest device pixel, so neighbours keep sharing their edges.
QRect toDevice(const QRectF &logical, qreal ratio);

// The smallest rectangle of whole logical pixels covering a device rectangle.
QRect coveringLogical(const QRect &device, qreal ratio);

// Where a device rectangle lies in logical coordinates.
QRectF toLogical(const QRect &device, qreal ratio);

// An image made at device pixels, as a pixmap that paints at its logical size.
QPixmap devicePixmap(const QImage &image, qreal ratio);

// True for the events after which a widget may paint at another ratio (its window
// moved to another screen, or the screen's ratio changed).
bool mayChangeRatio(const QEvent *event);

} // namespace tavrik::picture
