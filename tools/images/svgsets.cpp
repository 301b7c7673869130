#include "tools/images/svgsets.h"

#include "controls/seg/seglayout.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cmath>
#include <cstdio>

namespace images {

namespace {

namespace seg = vexo3::seg;

// Three decimals at most, without trailing zeros: small files that diff well.
QByteArray num(double v)
{
    double r = std::round(v * 1000) / 1000;
    if (r == 0)
        r = 0; // no "-0"
    QByteArray s = QByteArray::number(r, 'f', 3);
    while (s.endsWith('0'))
        s.chop(1);
    if (s.endsWith('.'))
        s.chop(1);
    return s;
}

QByteArray colour(const QColor &c) { return c.name(QColor::HexRgb).toLatin1(); }

// One path of all the shapes of one kind, moved to the cell's place on the grid.
QByteArray path(const std::vector<GlyphShape> &shapes, bool lit, const QPointF &origin, const QColor &fill)
{
    QByteArray d;
    for (const GlyphShape &s : shapes) {
        if (s.lit != lit)
            continue;
        for (int i = 0; i < s.polygon.size(); ++i) {
            // A closed polygon repeats its first point; "Z" says the same.
            if (i > 0 && i == s.polygon.size() - 1 && s.polygon.last() == s.polygon.first())
                break;
            const QPointF p = s.polygon.at(i) + origin;
            d += (i == 0 ? "M" : "L") + num(p.x()) + ',' + num(p.y());
        }
        d += 'Z';
    }
    if (d.isEmpty())
        return {};
    return "<path fill=\"" + colour(fill) + "\" d=\"" + d + "\"/>\n";
}

} // namespace

QByteArray digitSetSvg(const QString &title, const DigitStyle &style, const QSize &cellSize)
{
    const double w = kGridWidth * seg::kPictureCols;
    const double h = kGridHeight * seg::kPictureRows;
    QByteArray out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<!-- Digit image set: 2 rows of 12 cells, in order 0-9, point, blank, minus,\n"
           "     A b c d E F G H L, colon, blank. Drawn by tools/images; do not edit. -->\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\"";
    out += " width=\"" + QByteArray::number(cellSize.width() * seg::kPictureCols) + "\"";
    out += " height=\"" + QByteArray::number(cellSize.height() * seg::kPictureRows) + "\"";
    out += " viewBox=\"0 0 " + num(w) + ' ' + num(h) + "\" preserveAspectRatio=\"none\">\n";
    out += "<title>" + title.toHtmlEscaped().toUtf8() + "</title>\n";
    out += "<rect width=\"" + num(w) + "\" height=\"" + num(h) + "\" fill=\"#000000\"/>\n";
    for (int i = 0; i < seg::kGlyphCount; ++i) {
        const QPointF origin((i % seg::kPictureCols) * kGridWidth, (i / seg::kPictureCols) * kGridHeight);
        const std::vector<GlyphShape> shapes = glyphShapes(i, style);
        if (style.off.isValid())
            out += path(shapes, false, origin, style.off);
        out += path(shapes, true, origin, style.on);
    }
    out += "</svg>\n";
    return out;
}

bool saveDigitSetSvg(const QString &path, const QString &title, const DigitStyle &style, const QSize &cellSize)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    const QByteArray svg = digitSetSvg(title, style, cellSize);
    if (!f.open(QIODevice::WriteOnly) || f.write(svg) != svg.size() || !f.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s  %d bytes\n", qPrintable(path), int(svg.size()));
    return true;
}

} // namespace images
