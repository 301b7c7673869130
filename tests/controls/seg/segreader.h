#pragma once

#include "controls/twips.h"
#include "controls/picture/pictureclip.h"
#include "controls/seg/seg.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QtTest>
#include <QList>
#include <algorithm>
#include <QString>
#include <cmath>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#ifdef TAVRIK_RESOURCES_DIR
// The shipped files, as the source tree holds them.
inline const QString kResources = QStringLiteral(TAVRIK_RESOURCES_DIR);
#endif

// Reads a digit display back from its pixels, as a person would: each painted cell is
// compared with every glyph of a digit picture stretched to the cell, and the closest
// glyph wins. '?' marks a cell that looks like none of them. Also follows the paints
// a display receives.
namespace segtest {

// Every paint the display receives, with what it was asked to repaint and when.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget *w)
    {
        w->installEventFilter(this);
        clock.start();
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            regions.append(static_cast<QPaintEvent *>(e)->region());
            times.append(clock.nsecsElapsed());
        }
        return false;
    }
    // Everything asked to be repainted since the log began.
    QRegion painted() const
    {
        QRegion all;
        for (const QRegion &r : regions)
            all += r;
        return all;
    }
    QList<QRegion> regions;
    QList<qint64> times;
    QElapsedTimer clock;
};

// The display's frame limiter, by the name it carries.
inline QTimer *repaintTimer(vexo3::Seg &s) { return s.findChild<QTimer *>(QStringLiteral("repaintTimer"), Qt::FindDirectChildrenOnly); }

// Waits until nothing is left to paint: no frame is held back, and a one-pixel marker
// repaint has come through (any repaint still pending would come with it).
inline void settle(vexo3::Seg &s)
{
    QTRY_VERIFY(!repaintTimer(s)->isActive());
    PaintLog marker(&s);
    s.update(QRect(0, 0, 1, 1));
    QTRY_VERIFY(!marker.regions.isEmpty());
}

inline const QString kGlyphChars = QStringLiteral("0123456789. -AbcdEFGHL: ");

// A cell's rectangle in the device pixels of a ratio.
inline QRect deviceCell(const vexo3::Seg &s, int position, qreal ratio)
{
    const QRectF t = s.cellRectTwips(position);
    auto d = [&](double twips) { return int(std::lround(twips / 15.0 * ratio)); };
    return QRect(QPoint(d(t.left()), d(t.top())), QPoint(d(t.right()) - 1, d(t.bottom()) - 1));
}

// A digit picture file in a clip, as a display loads it; the test ends when it
// cannot be loaded.
inline tavrik::picture::PictureClip clipOf(const QString &file)
{
    tavrik::picture::PictureClip clip(vexo3::seg::kPictureRows, vexo3::seg::kPictureCols);
    QString error;
    if (!tavrik::picture::loadClip(file, &clip, &error))
        qFatal("%s", qPrintable(error));
    return clip;
}

// A shown cell's rectangle in logical pixels.
inline QRect paintedCell(const vexo3::Seg &s, int position) { return deviceCell(s, position, 1.0); }

// Every pixel of `cell` in the shot equals the glyph image, but for the last `skip`
// columns (covered by the next cell).
inline bool sameCell(const QImage &shot, const QRect &cell, const QImage &glyph, int skip = 0)
{
    const QImage painted = shot.copy(cell).convertToFormat(QImage::Format_RGB32);
    const QImage expected = glyph.convertToFormat(QImage::Format_RGB32);
    if (painted.size() != expected.size()) {
        qWarning() << "cell" << painted.size() << "glyph" << expected.size();
        return false;
    }
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width() - skip; ++x)
            if (painted.pixel(x, y) != expected.pixel(x, y)) {
                qWarning() << "first difference at" << x << y << Qt::hex << painted.pixel(x, y) << expected.pixel(x, y);
                return false;
            }
    return true;
}

// A clip's cells made at the sizes asked for, each size made once.
class Glyphs {
public:
    explicit Glyphs(const tavrik::picture::PictureClip &clip) : clip_(clip) {}
    const QImage &at(const QSize &size, int glyph)
    {
        auto it = made_.find({size.width(), size.height()});
        if (it == made_.end())
            it = made_.insert({{size.width(), size.height()}, clip_.cellsAt(size, Qt::black)}).first;
        return it->second.at(size_t(glyph));
    }

private:
    tavrik::picture::PictureClip clip_;
    std::map<std::pair<int, int>, std::vector<QImage>> made_;
};

// Every shown cell of the display, as painted in `img`, is its glyph made at the
// cell's size in device pixels.
inline bool cellsMatch(const QImage &img, const vexo3::Seg &s, qreal ratio, Glyphs &glyphs)
{
    const int n = s.visibleCells();
    for (int p = 0; p < n; ++p) {
        const QRect cell = deviceCell(s, p, ratio);
        // The next cell covers this one's last column(s).
        const int covered = p + 1 < n ? cell.right() + 1 - deviceCell(s, p + 1, ratio).left() : 0;
        if (!sameCell(img, cell, glyphs.at(cell.size(), s.cellGlyph(p)), covered)) {
            qWarning("cell %d differs", p);
            return false;
        }
    }
    return true;
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
