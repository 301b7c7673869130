#pragma once

#include <QImage>
#include <QPixmap>
#include <QRectF>
#include <QSizeF>

#include <array>

// The nine pieces that stretch one button face over a button, keeping a 3-pixel frame
// sharp: corners copied 1:1, edges and centre stretched from the 12 x 15 strip that
// starts 3 pixels in from the face's top-left corner.
namespace tavrik::picture {

struct SlicePiece {
    QRectF target; // on the button, pixels
    QRectF source; // in the face, pixels
};

// In painting order: four corners, top, right, left and bottom edge, centre.
std::array<SlicePiece, 9> nineSlice(const QSizeF &button, const QSizeF &face);

// The face stretched nine-slice over a button of `button` logical pixels, made at
// device pixels (`ratio` to a logical pixel; each piece's edges on whole device
// pixels) and painting at the button's logical size. Pixels no piece covers stay
// transparent.
QPixmap nineSlicePixmap(const QImage &face, const QSize &button, qreal ratio);

} // namespace tavrik::picture
