#include "vexo3/seg/pictureclip.h"

#include <algorithm>

PictureClip::PictureClip(int rows, int cols) : rows_(std::max(rows, 1)), cols_(std::max(cols, 1)) {}

void PictureClip::setPicture(const QImage &picture) { picture_ = picture; }

QRect PictureClip::cellRect(int i) const
{
    if (i < 0 || i >= rows_ * cols_)
        return {};
    const int w = cellWidth();
    const int h = cellHeight();
    return QRect((i % cols_) * w, (i / cols_) * h, w, h);
}

QImage PictureClip::cell(int i) const
{
    const QRect r = cellRect(i);
    if (r.isEmpty())
        return {};
    return picture_.copy(r);
}
