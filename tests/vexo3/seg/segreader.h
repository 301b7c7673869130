#pragma once

#include "vexo3/seg/pictureclip.h"
#include "vexo3/seg/seg.h"

#include <QImage>
#include <QString>
#include <cmath>
#include <cstdlib>

// Reads a digit display back from its pixels, as a person would: each painted cell is
// compared with every glyph of a digit picture stretched to the cell, and the closest
// glyph wins. '?' marks a cell that looks like none of them.
namespace segtest {

inline const QString kGlyphChars = QStringLiteral("0123456789. -AbcdEFGHL: ");

inline QRect paintedCell(const Seg &s, int position)
{
    const QRectF t = s.cellRectTwips(position);
    const int l = int(std::lround(t.left() / 15.0));
    const int r = int(std::lround((t.left() + t.width()) / 15.0));
    const int top = int(std::lround(t.top() / 15.0));
    const int b = int(std::lround((t.top() + t.height()) / 15.0));
    return QRect(l, top, r - l, b - top);
}

// Mean difference per channel, 0..255.
inline double difference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

inline QString readDisplay(const QImage &shot, const Seg &s, const QImage &digitPicture)
{
    PictureClip clip(2, 12);
    clip.setPicture(digitPicture);
    QString out;
    const int n = s.visibleCells();
    for (int i = 0; i < n; ++i) {
        const QRect cell = paintedCell(s, i);
        // The next cell covers the last column of this one.
        const QRect seen(0, 0, i + 1 < n ? cell.width() - 1 : cell.width(), std::min(cell.height(), shot.height() - cell.top()));
        const QImage painted = shot.copy(cell).copy(seen).convertToFormat(QImage::Format_RGB32);
        int best = -1;
        double bestDiff = 1e9;
        for (int g = 0; g < 24; ++g) {
            const QImage want = clip.cell(g)
                                        .scaled(cell.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                        .copy(seen)
                                        .convertToFormat(QImage::Format_RGB32);
            const double d = difference(painted, want);
            if (d < bestDiff) {
                bestDiff = d;
                best = g;
            }
        }
        out += bestDiff < 8.0 ? kGlyphChars.at(best < 23 ? best : 11) : QChar(u'?');
    }
    return out;
}

} // namespace segtest
