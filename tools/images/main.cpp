// Draws the pictures the programs carry and ship: the built-in digit picture and
// button faces, and the digit image sets next to the programs. Run by hand after a
// change here (target "images"); the PNGs it writes are committed.
//
//   tavrik_images <resources folder>

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

// Segments a..g as bits 0..6.
enum : unsigned { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64, ALL = 127 };

// Cells of a digit picture, row by row: 0-9, point, blank, minus, A b c d E F G H L,
// colon, blank.
constexpr int kCells = 24;
constexpr int kPoint = 10;
constexpr int kBlank = 11;
constexpr int kMinus = 12;
constexpr int kColon = 22;

constexpr std::array<unsigned, 22> kSegments = {
    A | B | C | D | E | F,     // 0
    B | C,                     // 1
    A | B | G | E | D,         // 2
    A | B | G | C | D,         // 3
    F | G | B | C,             // 4
    A | F | G | C | D,         // 5
    A | F | G | E | D | C,     // 6
    A | B | C,                 // 7
    ALL,                       // 8
    A | B | C | D | F | G,     // 9
    0,                         // point
    0,                         // blank
    G,                         // minus
    A | B | C | E | F | G,     // A
    C | D | E | F | G,         // b
    D | E | G,                 // c
    B | C | D | E | G,         // d
    A | D | E | F | G,         // E
    A | E | F | G,             // F
    A | C | D | E | F,         // G
    B | C | E | F | G,         // H
    D | E | F,                 // L
};

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
    const bool segmented = index < int(kSegments.size()) && index != kPoint;
    const unsigned lit = segmented ? kSegments[size_t(index)] : 0;
    if (segmented || index == kBlank) {
        for (int bit = 0; bit < 7; ++bit) {
            const bool on = lit & (1u << bit);
            if (!on && !style.off.isValid())
                continue;
            p.setBrush(on ? style.on : style.off);
            p.drawPolygon(segment(bit));
        }
    }
    p.setBrush(style.on);
    if (index == kPoint)
        p.drawRect(QRectF(9, kY1 - kT, kT, kT));
    if (index == kColon && style.colon) {
        p.drawRect(QRectF(6, 8, kT, kT));
        p.drawRect(QRectF(6, 16, kT, kT));
    }
    p.restore();
}

QImage digitPicture(int cellW, int cellH, const DigitStyle &style)
{
    QImage img(cellW * 12, cellH * 2, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < kCells; ++i)
        drawDigitCell(p, QRect((i % 12) * cellW, (i / 12) * cellH, cellW, cellH), i, style);
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
    return ok ? 0 : 1;
}
