#include "vexo3/seg/pictureclip.h"

#include "shared/core/failure.h"

#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

namespace tavrik::picture {

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

bool loadClipPicture(const QString &file, int rows, int cols, QImage *picture, QString *error)
{
    if (!QFileInfo(file).isFile())
        return core::fail(error, QStringLiteral("未找到图片文件:") + file);
    QImageReader reader(file);
    const QImage read = reader.read();
    if (read.isNull())
        return core::fail(error, reader.errorString());
    if (read.width() < cols || read.height() < rows)
        return core::fail(error, QStringLiteral("图片太小，无法分成 %1 行 %2 列:").arg(rows).arg(cols) + file);
    *picture = read;
    return true;
}

} // namespace tavrik::picture
