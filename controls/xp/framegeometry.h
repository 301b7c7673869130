#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

#include <array>
#include <optional>

// Where the XP window frame puts its strips, its painted pieces and its resize handles,
// and how a drag on an edge moves and sizes the host. Pixels unless named twips.
namespace vexo::frame {

constexpr int kTitleHeight = 29;
constexpr int kBorder = 5;
constexpr int kHandle = 9;
constexpr int kCap = 5; // the title image's end pieces, never stretched

// Edge codes of the borders and handles.
enum Edge { Left = 0, Right = 1, Top = 2, Bottom = 3, BottomRight = 4, BottomLeft = 5, TopRight = 6, TopLeft = 7 };
constexpr int kEdges = 8;

struct Piece {
    QRect target; // in its strip
    QRect source; // in its image
    bool operator==(const Piece &o) const { return target == o.target && source == o.source; }
};

struct Images {
    QSize title;  // the working title image (normal or maximised)
    QSize left;
    QSize right;
    QSize bottom;
};

struct Layout {
    QRect top, bottom, left, right; // the strips, in the control
    std::array<Piece, 3> title;     // left cap, middle, right cap, in the title strip
    Piece leftBorder, rightBorder, bottomBorder;
    // By edge code: the area that resizes, in the coordinates of the strip that holds it
    // (the title strip for 2, 6, 7; the bottom strip for 3, 4, 5; the side strips for 0, 1).
    std::array<QRect, kEdges> edges;
};

// The strips dock to the top and bottom across the whole width; the side strips fill
// the height between them.
Layout layout(const QSize &control, const Images &images);

// The cursor an edge shows while the host can be resized.
Qt::CursorShape edgeCursor(int code);

// The host rectangle in twips after a drag of (dx, dy) twips on an edge; nothing for an
// unknown code.
struct TwipsRect {
    double left, top, width, height;
    bool operator==(const TwipsRect &o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};
std::optional<TwipsRect> resizeTwips(const TwipsRect &host, double dx, double dy, int code);

// The host's new geometry in pixels after a drag from dragStart to dragEnd (screen
// pixels) on an edge; nothing when the code is unknown or the window system would
// refuse the result (no width or no height left).
std::optional<QRect> resizeParent(const QRect &host, const QPoint &dragStart, const QPoint &dragEnd, int code);

} // namespace vexo::frame
