#include "tools/images/xp.h"

#include <QColor>
#include <QHash>
#include <QPainter>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <utility>
#include <vector>

namespace xp {

namespace {

using Stops = std::vector<std::pair<int, quint32>>; // (row or column, 0xRRGGBB)

QRgb rgb(quint32 v) { return 0xFF000000u | v; }

// The colour at position i on a piecewise linear run through the stops.
QRgb along(const Stops &stops, int i)
{
    if (i <= stops.front().first)
        return rgb(stops.front().second);
    for (size_t k = 1; k < stops.size(); ++k) {
        const auto &[i1, c1] = stops[k];
        if (i > i1)
            continue;
        const auto &[i0, c0] = stops[k - 1];
        const double f = double(i - i0) / double(i1 - i0);
        auto channel = [&](int shift) {
            const int a = int((c0 >> shift) & 0xFF), b = int((c1 >> shift) & 0xFF);
            return int(a + (b - a) * f + 0.5);
        };
        return qRgb(channel(16), channel(8), channel(0));
    }
    return rgb(stops.back().second);
}

// 8 bits per pixel with a palette of exactly the colours used.
QImage indexed(const QImage &src)
{
    const QImage s = src.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> table;
    QHash<QRgb, int> index;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            const QRgb c = s.pixel(x, y);
            if (!index.contains(c)) {
                index.insert(c, int(table.size()));
                table.append(c);
            }
        }
    if (table.size() > 256) {
        std::fprintf(stderr, "more than 256 colours in a palette picture\n");
        std::exit(1);
    }
    QImage out(s.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            out.setPixel(x, y, uint(index.value(s.pixel(x, y))));
    return out;
}

// ---- The button's five looks, 18 x 21 each ----

constexpr int kCellW = 18;
constexpr int kCellH = 21;

struct Ring {
    quint32 top1, top2, side, bottom1, bottom2;
};

struct Look {
    quint32 border;
    std::array<quint32, 3> corner; // outermost pixel, then the next ones along each edge
    bool roundedOnce;              // only the outermost pixel differs from the border
    Stops face;                    // by row, 1 .. 19
    const Ring *ring;
};

void drawLook(QImage &img, int x0, const Look &l)
{
    auto set = [&](int x, int y, quint32 c) { img.setPixel(x0 + x, y, rgb(c)); };
    for (int y = 1; y < kCellH - 1; ++y)
        for (int x = 1; x < kCellW - 1; ++x)
            img.setPixel(x0 + x, y, along(l.face, y));
    if (l.ring) {
        const Ring &r = *l.ring;
        for (int x = 1; x < kCellW - 1; ++x) {
            set(x, 2, r.top2);
            set(x, kCellH - 3, r.bottom1);
        }
        for (int x = 2; x < kCellW - 2; ++x) {
            set(x, 1, r.top1);
            set(x, kCellH - 2, r.bottom2);
        }
        for (int y = 3; y < kCellH - 3; ++y)
            for (int x : {1, 2, kCellW - 3, kCellW - 2})
                set(x, y, r.side);
    }
    for (int x = 0; x < kCellW; ++x) {
        set(x, 0, l.border);
        set(x, kCellH - 1, l.border);
    }
    for (int y = 0; y < kCellH; ++y) {
        set(0, y, l.border);
        set(kCellW - 1, y, l.border);
    }
    // Rounded corners: (cx, cy) is the outermost pixel, (dx, dy) points inwards.
    const int corners[4][4] = {{0, 0, 1, 1}, {kCellW - 1, 0, -1, 1}, {kCellW - 1, kCellH - 1, -1, -1},
                               {0, kCellH - 1, 1, -1}};
    for (const auto &c : corners) {
        const int cx = c[0], cy = c[1], dx = c[2], dy = c[3];
        set(cx, cy, l.corner[0]);
        set(cx + dx, cy + dy, l.border);
        if (l.roundedOnce)
            continue;
        for (int k = 1; k <= 2; ++k) {
            set(cx + k * dx, cy, l.corner[size_t(k)]);
            set(cx, cy + k * dy, l.corner[size_t(k)]);
        }
    }
}

QImage buttonLooks()
{
    QImage img(5 * kCellW, kCellH, QImage::Format_RGB32);
    const Stops normalFace = {{1, 0xFFFFFF}, {10, 0xF3F3EF}, {19, 0xD6D0C5}};
    const Stops pressedFace = {{1, 0xD1CCC1}, {10, 0xE2E1DA}, {19, 0xF2F1EE}};
    const Stops disabledFace = {{1, 0xF5F4EA}};
    static const Ring hot{0xFFF0CF, 0xFDD889, 0xFCCA69, 0xF8B330, 0xE59700};
    static const Ring highlighted{0xCEE7FF, 0xBCD4F6, 0xA0BEEC, 0x89ADE4, 0x6982EE};
    const std::array<quint32, 3> blueCorner{0xDDD7C5, 0x65869F, 0x225583};
    drawLook(img, 0 * kCellW, {0x003C74, blueCorner, false, normalFace, nullptr});
    drawLook(img, 1 * kCellW, {0x003C74, blueCorner, false, pressedFace, nullptr});
    drawLook(img, 2 * kCellW, {0xC9C7BA, {0xFFFFFF, 0, 0}, true, disabledFace, nullptr});
    drawLook(img, 3 * kCellW, {0x003C74, blueCorner, false, normalFace, &hot});
    drawLook(img, 4 * kCellW, {0x003C74, blueCorner, false, normalFace, &highlighted});
    return img;
}

// ---- The window frame's skins ----

constexpr quint32 kKey = 0xFF00FF;
// Key-coloured pixels at the start of the title's top rows (a rounded corner).
constexpr int kRounding[] = {4, 2, 1, 1};

QImage title(const Stops &rows, bool rounded)
{
    QImage img(66, 29, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        const QRgb c = along(rows, y);
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, c);
    }
    if (rounded) {
        for (int y = 0; y < int(std::size(kRounding)); ++y)
            for (int k = 0; k < kRounding[y]; ++k) {
                img.setPixel(k, y, rgb(kKey));
                img.setPixel(img.width() - 1 - k, y, rgb(kKey));
            }
    }
    return img;
}

// A side border: colours change across the width (column 0 to 4), not along it.
QImage side(quint32 from, quint32 to)
{
    QImage img(5, 31, QImage::Format_RGB32);
    const Stops cols = {{0, from}, {4, to}};
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, along(cols, x));
    return img;
}

QImage bottom(quint32 from, quint32 to)
{
    QImage img(49, 5, QImage::Format_RGB32);
    const Stops rows = {{0, from}, {4, to}};
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, along(rows, y));
    return img;
}

// The default icon: a small window with a blue title bar.
QImage icon()
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(QColor(rgb(0x003C74)));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(rgb(0x0054E3)));
    p.fillRect(3, 4, 6, 1, QColor(rgb(0x9CC1FF)));
    p.fillRect(11, 4, 2, 1, QColor(rgb(0xE4572B)));
    p.fillRect(3, 8, 10, 1, QColor(rgb(0xC9C7BA)));
    p.fillRect(3, 10, 7, 1, QColor(rgb(0xC9C7BA)));
    return img;
}

} // namespace

QList<NamedImage> pictures()
{
    const Stops active = {{0, 0x0058EE}, {2, 0x3F97FF}, {14, 0x0050E2}, {24, 0x026AFE}, {28, 0x0043CF}};
    const Stops inactive = {{0, 0x9DB9EB}, {2, 0x98B2E8}, {14, 0x7993DE}, {24, 0x82A9E9}, {28, 0x7A92DC}};
    return {
            {QStringLiteral("builtin/xp/looks.png"), indexed(buttonLooks())},
            {QStringLiteral("builtin/xp/top1.png"), indexed(title(active, true))},
            {QStringLiteral("builtin/xp/topmax1.png"), indexed(title(active, false))},
            {QStringLiteral("builtin/xp/left1.png"), indexed(side(0x0019CF, 0x0855DD))},
            {QStringLiteral("builtin/xp/right1.png"), indexed(side(0x0048F1, 0x00138C))},
            {QStringLiteral("builtin/xp/bottom1.png"), indexed(bottom(0x0048F1, 0x00138C))},
            {QStringLiteral("builtin/xp/top2.png"), indexed(title(inactive, true))},
            {QStringLiteral("builtin/xp/topmax2.png"), indexed(title(inactive, false))},
            {QStringLiteral("builtin/xp/left2.png"), indexed(side(0x5B68CD, 0x758CDC))},
            {QStringLiteral("builtin/xp/right2.png"), indexed(side(0x7586DC, 0x4F53BC))},
            {QStringLiteral("builtin/xp/bottom2.png"), indexed(bottom(0x7586DC, 0x4F53BC))},
            {QStringLiteral("builtin/xp/icon.png"), icon()},
    };
}

} // namespace xp
