// Draws the pictures the programs carry and ship: the built-in digit picture and
// button faces, the XP-style controls' pictures, the digit image sets next to the
// programs, and the programs' icons. Run by hand after a change here (target
// "images"); the PNGs and SVGs it writes are committed.
//
//   tavrik_images <resources folder>

#include "tools/images/digitglyphs.h"
#include "tools/images/icons.h"
#include "tools/images/svgsets.h"
#include "tools/images/xp.h"
#include "controls/seg/seglayout.h"

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
using images::DigitStyle;

void drawDigitCell(QPainter &p, const QRect &cell, int index, const DigitStyle &style)
{
    p.save();
    p.translate(cell.x(), cell.y());
    p.scale(cell.width() / images::kGridWidth, cell.height() / images::kGridHeight);
    p.setPen(Qt::NoPen);
    for (const images::GlyphShape &shape : images::glyphShapes(index, style)) {
        p.setBrush(shape.lit ? style.on : style.off);
        p.drawPolygon(shape.polygon);
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
    // The sets Vexo.ini lists: vector drawings, sharp at any size. The PNGs above stay
    // for lists written before.
    ok = images::saveDigitSetSvg(root + "/seg/red.svg", "Red seven-segment digits", red, {15, 27}) && ok;
    ok = images::saveDigitSetSvg(root + "/seg/green.svg", "Green LCD digits", green, {30, 54}) && ok;
    ok = images::saveDigitSetSvg(root + "/seg/blue.svg", "Blue seven-segment digits", blue, {30, 54}) && ok;
    ok = images::saveDigitSetSvg(root + "/seg/amber.svg", "Amber digits with a colon", amber, {30, 54}) && ok;
    for (const xp::NamedImage &picture : xp::pictures() + icons::pictures())
        ok = save(picture.image, root + "/" + picture.path) && ok;
    ok = icons::saveScalable(root) && ok;
    return ok ? 0 : 1;
}
