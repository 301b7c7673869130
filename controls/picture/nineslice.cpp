#include "controls/picture/nineslice.h"

#include "shared/core/numtext.h"
#include "controls/picture/devicepixels.h"

#include <QPainter>

namespace tavrik::picture {

std::array<SlicePiece, 9> nineSlice(const QSizeF &button, const QSizeF &face)
{
    constexpr double f = 3;   // frame
    constexpr double sw = 12; // source strip width
    constexpr double sh = 15; // source strip height
    const double W = button.width();
    const double H = button.height();
    const double CW = face.width();
    const double CH = face.height();
    const double midH = core::roundHalfEven(H - 6);
    return {{
            {{0, 0, f, f}, {0, 0, f, f}},
            {{W - f, 0, f, f}, {CW - f, 0, f, f}},
            {{W - f, H - f, f, f}, {CW - f, CH - f, f, f}},
            {{0, H - f, f, f}, {0, CH - f, f, f}},
            {{f, 0, W - 6, f}, {f, 0, sw, f}},
            {{W - f, f, f, midH}, {CW - f, f, f, sh}},
            {{0, f, f, midH}, {0, f, f, sh}},
            {{f, H - f, W - 6, f}, {f, CH - f, sw, f}},
            {{f, f, W - 6, midH}, {f, f, sw, sh}},
    }};
}

QPixmap nineSlicePixmap(const QImage &face, const QSize &button, qreal ratio)
{
    const QRect device = toDevice(QRectF(QPointF(0, 0), QSizeF(button)), ratio);
    if (device.isEmpty())
        return {};
    QImage img(device.size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    if (!face.isNull()) {
        QPainter p(&img);
        for (const SlicePiece &piece : nineSlice(QSizeF(button), QSizeF(face.size())))
            p.drawImage(QRectF(toDevice(piece.target, ratio)), face, piece.source);
    }
    return devicePixmap(img, ratio);
}

} // namespace tavrik::picture
