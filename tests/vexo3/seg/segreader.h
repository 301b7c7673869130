#pragma once

#include "shared/gui/twips.h"
#include "vexo3/seg/pictureclip.h"
#include "vexo3/seg/seg.h"

#include <QImage>
#include <QList>
#include <algorithm>
#include <QString>
#include <cmath>
#include <cstdlib>

// Reads a digit display back from its pixels, as a person would: each painted cell is
// compared with every glyph of a digit picture stretched to the cell, and the closest
// glyph wins. '?' marks a cell that looks like none of them.
namespace segtest {

inline const QString kGlyphChars = QStringLiteral("0123456789. -AbcdEFGHL: ");

inline QRect paintedCell(const vexo3::Seg &s, int position)
{
    const QRectF t = s.cellRectTwips(position);
    const int l = tavrik::gui::px(t.left());
    const int r = tavrik::gui::px(t.left() + t.width());
    const int top = tavrik::gui::px(t.top());
    const int b = tavrik::gui::px(t.top() + t.height());
    return QRect(l, top, r - l, b - top);
}

// Mean difference per channel, 0..255, of two RGB32 images of one size.
inline double difference(const QImage &a, const QImage &b)
{
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb *p = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const QRgb *q = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qRed(p[x]) - qRed(q[x])) + std::abs(qGreen(p[x]) - qGreen(q[x]))
                   + std::abs(qBlue(p[x]) - qBlue(q[x]));
    }
    return double(sum) / (3.0 * a.width() * a.height());
}

inline QString readDisplay(const QImage &shot, const vexo3::Seg &s, const QImage &digitPicture)
{
    tavrik::picture::PictureClip clip(2, 12);
    clip.setPicture(digitPicture);
    QString out;
    const int n = s.visibleCells();
    QList<std::pair<QRect, QList<QImage>>> glyphsBySize; // stretched and cut as seen
    for (int i = 0; i < n; ++i) {
        const QRect cell = paintedCell(s, i);
        // The next cell covers the last column of this one.
        const QRect seen(0, 0, i + 1 < n ? cell.width() - 1 : cell.width(),
                         std::min(cell.height(), shot.height() - cell.top()));
        const QImage painted = shot.copy(cell).copy(seen).convertToFormat(QImage::Format_RGB32);
        const QRect key(QPoint(seen.width(), seen.height()), cell.size());
        auto it = std::find_if(glyphsBySize.begin(), glyphsBySize.end(), [&](const auto &e) { return e.first == key; });
        if (it == glyphsBySize.end()) {
            QList<QImage> glyphs;
            for (int g = 0; g < 24; ++g)
                glyphs.append(clip.cell(g)
                                      .scaled(cell.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                      .copy(seen)
                                      .convertToFormat(QImage::Format_RGB32));
            glyphsBySize.append({key, glyphs});
            it = glyphsBySize.end() - 1;
        }
        int best = -1;
        double bestDiff = 1e9;
        for (int g = 0; g < 24; ++g) {
            const double d = difference(painted, it->second.at(g));
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
