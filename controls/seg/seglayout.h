#pragma once

#include <QRectF>
#include <QString>

#include <array>

// What a digit display shows and where, without any widget: the character-to-cell map
// of a digit picture and the layout of the digit cells in twips.
namespace vexo3::seg {

// Rows and columns of every digit picture.
constexpr int kPictureRows = 2;
constexpr int kPictureCols = 12;
constexpr int kGlyphCount = kPictureRows * kPictureCols;

// What each cell of a digit picture shows, by index (letters in lower case; both
// blanks are blank cells).
inline constexpr char kGlyphChars[kGlyphCount + 1] = "0123456789. -abcdefghl: ";

// Cells of the digit picture with a meaning of their own.
constexpr int kGlyphEight = 8;
constexpr int kGlyphPoint = 10;
constexpr int kGlyphBlank = 11;
constexpr int kGlyphMinus = 12;
constexpr int kGlyphColon = 22;

// Digit cells a display owns; at most kMaxCells of them are used.
constexpr int kCellSlots = 21;
constexpr int kMinCells = 1;
constexpr int kMaxCells = kCellSlots - 1;

// Layout constants in twips.
constexpr float kCellTop = 1.0f;
constexpr float kFirstCellExtra = 30.0f;
constexpr float kCellOverlap = 15.0f;

// The digit-picture cell for one character (case does not matter).
int glyphForChar(QChar c);

// The cells for `value` right-aligned in `count` cells: blanks in front of a short
// value, only the last `count` characters of a long one. Index 0 is the leftmost cell.
std::array<int, kCellSlots> glyphsFor(const QString &value, int count);

// `count` kept within kMinCells..kMaxCells.
int clampCount(int count);

// The rectangles of the first `count` cells (already clamped) of a display of the
// given size, in twips; the other slots are left empty.
std::array<QRectF, kCellSlots> cellRects(float widthTwips, float heightTwips, int count);

} // namespace vexo3::seg
