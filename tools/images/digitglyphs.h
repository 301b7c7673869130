#pragma once

// The seven-segment glyphs of the digit pictures, as shapes on a 15 x 27 design grid:
// drawn into bitmaps by main.cpp and written as vector drawings by svgsets.cpp.

#include <QColor>
#include <QPolygonF>

#include <vector>

namespace images {

struct DigitStyle {
    QColor on;
    QColor off;        // unlit segments; invalid = not drawn
    double slant = 0;  // shear, in cell widths per cell height
    bool colon = false;
};

// The design grid of one cell.
constexpr double kGridWidth = 15;
constexpr double kGridHeight = 27;

// The segments a..g (bits 0..6) a cell's character lights (see seg::kGlyphChars);
// none for the point, the blanks and the colon.
unsigned segmentsOf(char c);

struct GlyphShape {
    QPolygonF polygon; // on the design grid, already leaning by the style's slant
    bool lit;
};

// The shapes of digit-picture cell `index`, in painting order: digits, the minus and
// the letters light segments; the blank cell shows them all unlit (when the style
// draws unlit segments); the point and the colon draw their own marks only.
std::vector<GlyphShape> glyphShapes(int index, const DigitStyle &style);

} // namespace images
