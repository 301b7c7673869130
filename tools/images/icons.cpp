// The two programs' icons. Both are stopwatches with a crown on top, told apart by
// their bodies: Vexo3 a dark case with a display of red seven-segment digits, Vexo
// the older round XP-blue case with a white dial and hands. Every edge is placed on
// whole pixels of the size drawn, so that the 16-pixel icons stay sharp. The scalable
// icon is the largest drawing, recorded as SVG.

#include "tools/images/icons.h"

#include "tools/images/digitglyphs.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace icons {

namespace {

// A length of `f` icon sizes, in whole pixels, at least `least`.
int px(int size, double f, int least = 0) { return std::max(least, int(std::lround(f * size))); }

// The crown and its stem, centred on top; returns the row where the case starts.
int drawCrown(QPainter &p, int s, const QColor &dark)
{
    int w = px(s, 0.30, 4);
    w += (s - w) % 2; // centred on whole pixels
    const int h = px(s, 0.10, 2);
    int stemW = std::max(2, w / 2);
    stemW += (s - stemW) % 2;
    const int stemH = px(s, 0.06, 1);
    const QRect crown((s - w) / 2, 0, w, h);
    const QRect stem((s - stemW) / 2, h, stemW, stemH);

    QLinearGradient metal(crown.topLeft(), crown.topRight());
    metal.setStops({{0, QColor(0x9A, 0xA3, 0xAD)}, {0.4, QColor(0xF2, 0xF4, 0xF6)}, {1, QColor(0x7C, 0x86, 0x91)}});
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawRect(stem);
    p.drawRoundedRect(crown, s / 48.0, s / 48.0);
    const int line = std::max(1, s / 32);
    p.setBrush(metal);
    p.drawRoundedRect(crown.adjusted(line, line, -line, -line), s / 64.0, s / 64.0);
    return h + stemH;
}

// One seven-segment digit in `cell`, strokes `t` pixels thick. Small sizes get plain
// bars that meet at the corners; from 48 pixels on the bars have pointed ends.
void drawDigit(QPainter &p, const QRect &cell, int t, int digit, const QColor &on, const QColor &off)
{
    const int x0 = cell.left(), y0 = cell.top(), w = cell.width(), h = cell.height();
    const int mid = y0 + (h - t) / 2;
    const bool pointed = t >= 3;
    const double g = pointed ? t / 4.0 : 0; // gap between bars
    auto bar = [&](double x, double y, double len, bool across) {
        QPainterPath path;
        if (!pointed) {
            path.addRect(across ? QRectF(x, y, len, t) : QRectF(x, y, t, len));
            return path;
        }
        const double hT = t / 2.0;
        QPolygonF poly;
        if (across)
            poly << QPointF(x + g, y + hT) << QPointF(x + g + hT, y) << QPointF(x + len - g - hT, y)
                 << QPointF(x + len - g, y + hT) << QPointF(x + len - g - hT, y + t) << QPointF(x + g + hT, y + t);
        else
            poly << QPointF(x + hT, y + g) << QPointF(x + t, y + g + hT) << QPointF(x + t, y + len - g - hT)
                 << QPointF(x + hT, y + len - g) << QPointF(x, y + len - g - hT) << QPointF(x, y + g + hT);
        path.addPolygon(poly);
        path.closeSubpath();
        return path;
    };
    // Bars a..g; plain bars share the corner pixels with the uprights.
    const double upper = mid + t - y0, lower = y0 + h - mid;
    const QPainterPath bars[7] = {
        bar(x0, y0, w, true),
        bar(x0 + w - t, y0, upper, false),
        bar(x0 + w - t, mid, lower, false),
        bar(x0, y0 + h - t, w, true),
        bar(x0, mid, lower, false),
        bar(x0, y0, upper, false),
        bar(x0, mid, w, true),
    };
    const unsigned lit = images::segmentsOf(char('0' + digit));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        const bool isOn = lit & (1u << i);
        if (!isOn && !off.isValid())
            continue;
        p.setBrush(isOn ? on : off);
        p.drawPath(bars[i]);
    }
}

// Vexo3: a dark case whose display reads "03" in red digits.
void paintVexo3(QPainter &p, int s)
{
    p.setRenderHint(QPainter::Antialiasing, s >= 32);

    const QColor dark(0x1E, 0x22, 0x28);
    const int top = drawCrown(p, s, dark);
    const int m = s / 32;
    const QRect body(m, top, s - 2 * m, s - top - m);
    const double radius = s / 7.0;
    QLinearGradient caseGrad(body.topLeft(), body.bottomLeft());
    caseGrad.setColorAt(0, QColor(0x6A, 0x74, 0x80));
    caseGrad.setColorAt(1, QColor(0x2E, 0x34, 0x3C));
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawRoundedRect(body, radius, radius);
    const int line = std::max(1, s / 32);
    p.setBrush(caseGrad);
    p.drawRoundedRect(body.adjusted(line, line, -line, -line), radius - line, radius - line);

    // The display, inset by the case's rim.
    const int rim = px(s, 0.09, 2);
    const QRect screen = body.adjusted(rim, rim + s / 32, -rim, -rim);
    p.setBrush(QColor(0x08, 0x08, 0x0A));
    p.drawRoundedRect(screen, s / 40.0, s / 40.0);

    // Two digits filling the display's height, with a margin of their own.
    const int pad = px(s, 0.06, 1);
    const int dh = screen.height() - 2 * pad;
    const int t = std::max(1, int(std::lround(dh / 6.5)));
    const int gap = std::max(2, t + px(s, 0.03));
    const int dw = std::min((screen.width() - 2 * pad - gap) / 2, int(std::lround(dh * 0.6)));
    const int x0 = screen.left() + (screen.width() - (2 * dw + gap)) / 2;
    const QColor on(0xFF, 0x45, 0x1E);
    const QColor off = s >= 32 ? QColor(0x2A, 0x0B, 0x07) : QColor();
    drawDigit(p, QRect(x0, screen.top() + pad, dw, dh), t, 0, on, off);
    drawDigit(p, QRect(x0 + dw + gap, screen.top() + pad, dw, dh), t, 3, on, off);

    // A soft gloss over the upper half of the display on the larger sizes.
    if (s >= 48) {
        QLinearGradient gloss(screen.topLeft(), QPoint(screen.left(), screen.center().y()));
        gloss.setColorAt(0, QColor(255, 255, 255, 46));
        gloss.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(gloss);
        p.drawRoundedRect(QRect(screen.topLeft(), QSize(screen.width(), screen.height() / 2)), s / 40.0, s / 40.0);
    }
}

// Vexo: the round case in XP blue with a white dial, ticks and two hands.
void paintVexo(QPainter &p, int s)
{
    p.setRenderHint(QPainter::Antialiasing);

    const QColor navy(0x0A, 0x24, 0x6A);
    // The round case covers the lowest row of the crown's stem.
    const int top = drawCrown(p, s, navy) - 1;
    // Even with the size, so that the centre falls on a pixel corner.
    const int d = s - top - (s - top) % 2;
    const QRectF ring((s - d) / 2.0, top, d, d);
    const QPointF c = ring.center();

    // The side buttons of a stopwatch, at ten and two o'clock, on the larger sizes.
    if (s >= 32) {
        p.setPen(Qt::NoPen);
        p.setBrush(navy);
        const double bw = s * 0.11, bh = s * 0.08;
        for (double angle : {-45.0, 45.0}) {
            p.save();
            p.translate(c);
            p.rotate(angle);
            p.drawRoundedRect(QRectF(-bw / 2, -d / 2.0 - bh * 0.6, bw, bh), bh / 4, bh / 4);
            p.restore();
        }
    }

    QRadialGradient blue(c - QPointF(d * 0.15, d * 0.2), d * 0.7);
    blue.setStops({{0, QColor(0x8D, 0xB6, 0xF2)}, {0.55, QColor(0x2F, 0x6F, 0xD6)}, {1, QColor(0x0B, 0x3F, 0xA0)}});
    p.setPen(Qt::NoPen);
    p.setBrush(navy);
    p.drawEllipse(ring);
    const double line = std::max(1, s / 32);
    p.setBrush(blue);
    p.drawEllipse(ring.adjusted(line, line, -line, -line));

    const double band = std::max(2.0, std::round(s * 0.11));
    const QRectF dial = ring.adjusted(band, band, -band, -band);
    QLinearGradient white(dial.topLeft(), dial.bottomLeft());
    white.setColorAt(0, Qt::white);
    white.setColorAt(1, QColor(0xD6, 0xE2, 0xF2));
    p.setBrush(white);
    p.drawEllipse(dial);

    // Ticks: the four quarters from 24 pixels on, all twelve from 48.
    const double r = dial.width() / 2;
    if (s >= 24) {
        const int ticks = s >= 48 ? 12 : 4;
        for (int i = 0; i < ticks; ++i) {
            const bool quarter = i % (ticks / 4) == 0;
            const double len = r * (quarter ? 0.22 : 0.12);
            const double w = std::max(1.0, s / (quarter ? 40.0 : 64.0));
            p.save();
            p.translate(c);
            p.rotate(360.0 * i / ticks);
            p.setBrush(QColor(0x33, 0x3D, 0x4C));
            p.drawRect(QRectF(-w / 2, -r + r * 0.06, w, len));
            p.restore();
        }
    }

    // The hands: a dark one at twelve and the red seconds hand at half past one.
    // Small sizes draw them on whole pixels, without smoothing.
    if (s < 32) {
        p.setRenderHint(QPainter::Antialiasing, false);
        const int k = s / 16;
        const QPoint hubAt(int(c.x()) - k, int(c.y()) - k);
        const int reach = int(r * 0.75);
        p.setPen(Qt::NoPen);
        p.setBrush(navy);
        p.drawRect(QRect(hubAt.x(), hubAt.y() - reach + k, k, reach));
        p.setBrush(QColor(0xE0, 0x1B, 0x1B));
        for (int i = 1; i <= reach - k; i += k)
            p.drawRect(QRect(hubAt.x() + k + i - 1, hubAt.y() - i, k, k));
        p.setBrush(navy);
        p.drawRect(QRect(hubAt, QSize(2 * k, 2 * k)));
    } else {
        const double a = qDegreesToRadians(60.0);
        const QPointF dir(std::cos(a), -std::sin(a));
        p.setPen(QPen(navy, s / 20.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c - QPointF(0, r * 0.62));
        p.setPen(QPen(QColor(0xE0, 0x1B, 0x1B), s / 24.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c - dir * r * 0.18, c + dir * r * 0.8);
        p.setPen(Qt::NoPen);
        p.setBrush(navy);
        p.drawEllipse(c, s / 14.0, s / 14.0);
    }
}

using Painter = void (*)(QPainter &, int);

struct Icon {
    const char *program;
    Painter paint;
};
const Icon kIcons[] = {{"Vexo3", paintVexo3}, {"Vexo", paintVexo}};

QImage image(Painter paint, int s)
{
    QImage img(s, s, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    paint(p, s);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

// The drawing of the largest size, as vectors: the same look at any size.
QByteArray svg(Painter paint, const QString &title)
{
    const int s = kSizes[std::size(kSizes) - 1];
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(s, s));
    generator.setResolution(96); // a CSS pixel: the size it declares is s pixels
    generator.setViewBox(QRect(0, 0, s, s));
    generator.setTitle(title);
    generator.setDescription(QStringLiteral("Drawn by tools/images; do not edit."));
    QPainter p(&generator);
    paint(p, s);
    p.end();
    // Every group carries the painter's font, which draws nothing here and has no
    // size ("-1"): left out.
    return QString::fromUtf8(buffer.data()).remove(QRegularExpression(QStringLiteral("\nfont-family=[^\n]*"))).toUtf8();
}

} // namespace

QList<xp::NamedImage> pictures()
{
    QList<xp::NamedImage> out;
    for (int s : kSizes)
        for (const Icon &icon : kIcons)
            out.append({QStringLiteral("icons/%1/%2.png").arg(QLatin1String(icon.program)).arg(s), image(icon.paint, s)});
    return out;
}

bool saveScalable(const QString &root)
{
    bool ok = true;
    for (const Icon &icon : kIcons) {
        const QString path = root + QStringLiteral("/icons/%1/scalable.svg").arg(QLatin1String(icon.program));
        const QByteArray data = svg(icon.paint, QString::fromLatin1(icon.program));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile f(path);
        if (f.open(QIODevice::WriteOnly) && f.write(data) == data.size() && f.commit()) {
            std::printf("%s  %d bytes\n", qPrintable(path), int(data.size()));
        } else {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok;
}

} // namespace icons
