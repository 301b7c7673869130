#include "controls/xp/framegeometry.h"

#include "controls/twips.h"

#include <algorithm>

namespace vexo::frame {

Layout layout(const QSize &control, const Images &images)
{
    const int W = control.width();
    const int H = control.height();
    const int sideHeight = std::max(H - kTitleHeight - kBorder, 0);
    Layout l;
    l.top = QRect(0, 0, W, kTitleHeight);
    l.bottom = QRect(0, H - kBorder, W, kBorder);
    l.left = QRect(0, kTitleHeight, kBorder, sideHeight);
    l.right = QRect(W - kBorder, kTitleHeight, kBorder, sideHeight);

    const int w = images.title.width();
    const int h = images.title.height();
    l.title = {{
            {QRect(0, 0, kCap, kTitleHeight), QRect(0, 0, kCap, h)},
            {QRect(kCap, 0, W - 2 * kCap, kTitleHeight), QRect(kCap, 0, w - 2 * kCap, h)},
            {QRect(W - kCap, 0, kCap, kTitleHeight), QRect(w - kCap, 0, kCap, h)},
    }};
    l.leftBorder = {QRect(QPoint(0, 0), l.left.size()), QRect(QPoint(0, 0), images.left)};
    l.rightBorder = {QRect(QPoint(0, 0), l.right.size()), QRect(QPoint(0, 0), images.right)};
    l.bottomBorder = {QRect(QPoint(0, 0), l.bottom.size()), QRect(QPoint(0, 0), images.bottom)};

    l.edges[Left] = QRect(QPoint(0, 0), l.left.size());
    l.edges[Right] = QRect(QPoint(0, 0), l.right.size());
    l.edges[Top] = QRect(kHandle, 0, W - 2 * kHandle, kHandle);
    l.edges[Bottom] = QRect(QPoint(0, 0), l.bottom.size());
    l.edges[BottomRight] = QRect(W - kHandle, kBorder - kHandle, kHandle, kHandle);
    l.edges[BottomLeft] = QRect(0, 0, kHandle, kHandle);
    l.edges[TopRight] = QRect(W - kHandle, 0, kHandle, kHandle);
    l.edges[TopLeft] = QRect(0, 0, kHandle, kHandle);
    return l;
}

Qt::CursorShape edgeCursor(int code)
{
    switch (code) {
    case Left:
    case Right: return Qt::SizeHorCursor;
    case Top:
    case Bottom: return Qt::SizeVerCursor;
    case BottomRight:
    case TopLeft: return Qt::SizeFDiagCursor;
    case BottomLeft:
    case TopRight: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
    }
}

std::optional<TwipsRect> resizeTwips(const TwipsRect &host, double dx, double dy, int code)
{
    const double L = host.left, T = host.top, Wd = host.width, Hg = host.height;
    TwipsRect r;
    switch (code) {
    case Left: r = {L + dx, T, Wd - dx, Hg}; break;
    case Right: r = {L, T, Wd + dx, Hg}; break;
    case Top: r = {L, T + dy, Wd, Hg - dy}; break;
    case Bottom: r = {L, T, Wd, Hg + dy}; break;
    case BottomRight: r = {L, T, Wd + dx, Hg + dy}; break;
    case BottomLeft: r = {L + dx, T, Wd - dx, Hg + dy}; break;
    case TopRight: r = {L, T + dy, Wd + dx, Hg - dy}; break;
    case TopLeft: r = {L + dx, T + dy, Wd - dx, Hg - dy}; break;
    default: return std::nullopt;
    }
    // The new left travels as single precision.
    r.left = double(float(r.left));
    return r;
}

std::optional<QRect> resizeParent(const QRect &host, const QPoint &dragStart, const QPoint &dragEnd, int code)
{
    const double dx = (dragEnd.x() - dragStart.x()) * tavrik::controls::kTwipsPerPixel;
    const double dy = (dragEnd.y() - dragStart.y()) * tavrik::controls::kTwipsPerPixel;
    const TwipsRect before{tavrik::controls::twips(host.x()), tavrik::controls::twips(host.y()), tavrik::controls::twips(host.width()),
                           tavrik::controls::twips(host.height())};
    const auto after = resizeTwips(before, dx, dy, code);
    if (!after)
        return std::nullopt;
    const QRect r(tavrik::controls::px(after->left), tavrik::controls::px(after->top), tavrik::controls::px(after->width),
                  tavrik::controls::px(after->height));
    if (r.width() <= 0 || r.height() <= 0)
        return std::nullopt;
    return r;
}

} // namespace vexo::frame
