#include "tools/images/digitglyphs.h"

#include "controls/seg/seglayout.h"

#include <QRectF>
#include <QTransform>

namespace images {

namespace {

namespace seg = vexo3::seg;

// Segments a..g as bits 0..6.
enum : unsigned { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64, ALL = 127 };

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

} // namespace

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

std::vector<GlyphShape> glyphShapes(int index, const DigitStyle &style)
{
    // Lean to the right around the middle row.
    const double ym = (kY0 + kY1) / 2;
    const QTransform lean(1, 0, -style.slant, 1, style.slant * ym, 0);
    std::vector<GlyphShape> shapes;
    const unsigned lit = segmentsOf(seg::kGlyphChars[index]);
    if (lit != 0 || index == seg::kGlyphBlank) {
        for (int bit = 0; bit < 7; ++bit) {
            const bool on = lit & (1u << bit);
            if (!on && !style.off.isValid())
                continue;
            shapes.push_back({lean.map(segment(bit)), on});
        }
    }
    auto mark = [&](const QRectF &r) { shapes.push_back({lean.map(QPolygonF(r)), true}); };
    if (index == seg::kGlyphPoint)
        mark(QRectF(9, kY1 - kT, kT, kT));
    if (index == seg::kGlyphColon && style.colon) {
        mark(QRectF(6, 8, kT, kT));
        mark(QRectF(6, 16, kT, kT));
    }
    return shapes;
}

} // namespace images
