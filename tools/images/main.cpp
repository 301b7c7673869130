// Draws the pictures the programs carry and ship: the built-in digit picture and
// button faces, the XP-style controls' pictures, the digit image sets next to the
// programs, and the programs' icons. Run by hand after a change here (target
// "images"); the PNGs it writes are committed.
//
//   tavrik_images <resources folder>

#include "tools/images/icons.h"
#include "tools/images/xp.h"
#include "vexo3/seg/seglayout.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <array>
#include <cstdio>

namespace {

namespace seg = vexo3::seg;

// Segments a..g as bits 0..6.
enum : unsigned { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64, ALL = 127 };

// The lit segments of a cell's character (see seg::kGlyphChars); none for the point,
// the blanks and the colon.
unsigned segmentsOf(char c)
{
    switch (c) {
    case '0': return A | B | C | D | E | F;
    case '1': return B | C;
    case '2': return A | B | G | E | D;
    case '3': return A | B | G | C | D;
    case '4': return F | G | B | C;
    case '5': return A | F | G | C | D;
    case '6': return A | F | G | E | D | C;
    case '7': return A | B | C;
    case '8': return ALL;
    case '9': return A | B | C | D | F | G;
    case '-': return G;
    case 'a': return A | B | C | E | F | G;
    case 'b': return C | D | E | F | G;
    case 'c': return D | E | G;
    case 'd': return B | C | D | E | G;
    case 'e': return A | D | E | F | G;
    case 'f': return A | E | F | G;
    case 'g': return A | C | D | E | F;
    case 'h': return B | C | E | F | G;
    case 'l': return D | E | F;
    default: return 0;
    }
}

struct DigitStyle {
    QColor on;
    QColor off;        // unlit segments; invalid = not drawn
    double slant = 0;  // shear, in cell widths per cell height
    bool colon = false;
};

// Geometry on a 15 x 27 design grid, scaled to the cell: segments 3 units thick with
// pointed ends, edges on whole units so that the 15 x 27 picture stays crisp.
constexpr double kX0 = 2, kX1 = 13, kY0 = 2, kY1 = 25, kT = 3, kGap = 0.5;

QPolygonF horizontal(double y, double xa, double xb)
{
    const double h = kT / 2;
    return QPolygonF({{xa, y}, {xa + h, y - h}, {xb - h, y - h}, {xb, y}, {xb - h, y + h}, {xa + h, y + h}});
}

QPolygonF vertical(double x, double ya, double yb)
{
    const double h = kT / 2;
    return QPolygonF({{x, ya}, {x + h, ya + h}, {x + h, yb - h}, {x, yb}, {x - h, yb - h}, {x - h, ya + h}});
}

QPolygonF segment(int bit)
{
    const double h = kT / 2;
    const double xl = kX0 + h, xr = kX1 - h, yt = kY0 + h, yb = kY1 - h, ym = (kY0 + kY1) / 2;
    switch (bit) {
    case 0: return horizontal(yt, xl + kGap, xr - kGap);
    case 1: return vertical(xr, yt + kGap, ym - kGap);
    case 2: return vertical(xr, ym + kGap, yb - kGap);
    case 3: return horizontal(yb, xl + kGap, xr - kGap);
    case 4: return vertical(xl, ym + kGap, yb - kGap);
    case 5: return vertical(xl, yt + kGap, ym - kGap);
    default: return horizontal(ym, xl + kGap, xr - kGap);
    }
}

void drawDigitCell(QPainter &p, const QRect &cell, int index, const DigitStyle &style)
{
    QTransform t;
    t.translate(cell.x(), cell.y());
    t.scale(cell.width() / 15.0, cell.height() / 27.0);
    // Lean to the right around the middle row.
    const double ym = (kY0 + kY1) / 2;
    t = QTransform(1, 0, -style.slant, 1, style.slant * ym, 0) * t;
    p.save();
    p.setTransform(t);
    p.setPen(Qt::NoPen);
    // Digits, the minus and the letters light segments; the blank cell shows them all
    // unlit, the other cells draw their own marks only.
    const unsigned lit = segmentsOf(seg::kGlyphChars[index]);
    if (lit != 0 || index == seg::kGlyphBlank) {
        for (int bit = 0; bit < 7; ++bit) {
            const bool on = lit & (1u << bit);
            if (!on && !style.off.isValid())
                continue;
            p.setBrush(on ? style.on : style.off);
            p.drawPolygon(segment(bit));
        }
    }
    p.setBrush(style.on);
    if (index == seg::kGlyphPoint)
        p.drawRect(QRectF(9, kY1 - kT, kT, kT));
    if (index == seg::kGlyphColon && style.colon) {
        p.drawRect(QRectF(6, 8, kT, kT));
        p.drawRect(QRectF(6, 16, kT, kT));
    }
    p.restore();
}

QImage digitPicture(int cellW, int cellH, const DigitStyle &style)
{
    QImage img(cellW * seg::kPictureCols, cellH * seg::kPictureRows, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < seg::kGlyphCount; ++i)
        drawDigitCell(p, QRect((i % seg::kPictureCols) * cellW, (i / seg::kPictureCols) * cellH, cellW, cellH), i, style);
    return img;
}

struct FaceStyle {
    QColor frame;
    QColor top;
    QColor bottom;
    QColor inner;  // invalid = no inner frame
};

// One 72 x 20 face: a vertical gradient inside a 1-pixel frame whose corners are cut
// by 2 pixels; the pixels outside the rounding are transparent.
void drawFace(QImage &img, int y0, const FaceStyle &s)
{
    const int w = img.width();
    const int h = 20;
    auto corner = [&](int x, int y, int dx, int dy) {
        // (x, y) is the outermost pixel of a corner; (dx, dy) points inwards.
        return std::array<QPoint, 2>{QPoint(x, y), QPoint(x + dx, y + dy)};
    };
    for (int y = 0; y < h; ++y) {
        const double f = (y - 1) / double(h - 3);
        const QColor c = QColor::fromRgbF(s.top.redF() + (s.bottom.redF() - s.top.redF()) * f,
                                          s.top.greenF() + (s.bottom.greenF() - s.top.greenF()) * f,
                                          s.top.blueF() + (s.bottom.blueF() - s.top.blueF()) * f);
        for (int x = 0; x < w; ++x) {
            QColor px = c;
            const bool outer = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            const bool inner = x == 1 || y == 1 || x == w - 2 || y == h - 2;
            if (outer)
                px = s.frame;
            else if (inner && s.inner.isValid())
                px = s.inner;
            img.setPixelColor(x, y0 + y, px);
        }
    }
    for (const auto &cr : {corner(0, 0, 1, 1), corner(w - 1, 0, -1, 1), corner(0, h - 1, 1, -1),
                           corner(w - 1, h - 1, -1, -1)}) {
        img.setPixelColor(cr[0].x(), y0 + cr[0].y(), Qt::transparent);
        img.setPixelColor(cr[1].x(), y0 + cr[1].y(), s.frame);
    }
}

QImage buttonFaces()
{
    QImage img(72, 80, QImage::Format_ARGB32);
    const QColor greyBlue(0x6F, 0x86, 0xA6);
    drawFace(img, 0, {greyBlue, QColor(0xFF, 0xFF, 0xFF), QColor(0xC4, 0xDA, 0xF4), QColor()});
    drawFace(img, 20, {greyBlue, QColor(0xFF, 0xFF, 0xFF), QColor(0xC4, 0xDA, 0xF4), QColor(0x2E, 0xB8, 0x3C)});
    drawFace(img, 40, {greyBlue, QColor(0xA4, 0xC2, 0xEA), QColor(0x5E, 0x8C, 0xCF), QColor()});
    drawFace(img, 60, {QColor(0xA0, 0xA0, 0xA0), QColor(0xF6, 0xF6, 0xF6), QColor(0xD2, 0xD2, 0xD2), QColor()});
    return img;
}

bool save(const QImage &img, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!img.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s  %dx%d\n", qPrintable(path), img.width(), img.height());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);

    const DigitStyle red{QColor(0xFF, 0x45, 0x00), QColor(), 0, false};
    const DigitStyle green{QColor(0x4C, 0xFF, 0x3A), QColor(0x0C, 0x2A, 0x0C), 0.06, false};
    const DigitStyle blue{QColor(0x38, 0xA8, 0xFF), QColor(), 0.06, false};
    const DigitStyle amber{QColor(0xFF, 0xB0, 0x00), QColor(), 0.06, true};

    const QImage builtIn = digitPicture(15, 27, red);
    bool ok = save(builtIn, root + "/builtin/digits.png");
    ok = save(buttonFaces(), root + "/builtin/buttonfaces.png") && ok;
    ok = save(builtIn, root + "/seg/red.png") && ok;
    ok = save(digitPicture(30, 54, green), root + "/seg/green.png") && ok;
    ok = save(digitPicture(30, 54, blue), root + "/seg/blue.png") && ok;
    ok = save(digitPicture(30, 54, amber), root + "/seg/amber.png") && ok;
    for (const xp::NamedImage &picture : xp::pictures() + icons::pictures())
        ok = save(picture.image, root + "/" + picture.path) && ok;
    return ok ? 0 : 1;
}
