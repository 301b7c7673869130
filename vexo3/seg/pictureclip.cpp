#include "vexo3/seg/pictureclip.h"

#include "platform/dialogs.h"
#include "platform/services.h"

#include <QFileInfo>
#include <QImageReader>

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

std::optional<QImage> loadClipPicture(QWidget *parent, const QString &file, int rows, int cols,
                                      const QString &missingTitle, const QString &tooSmallText)
{
    platform::Dialogs &dialogs = *platform::services().dialogs;
    if (!QFileInfo(file).isFile()) {
        dialogs.message(parent, QStringLiteral("未找到图片文件:") + file, missingTitle, platform::MsgIcon::Critical);
        return std::nullopt;
    }
    QImageReader reader(file);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        dialogs.message(parent, reader.errorString(), QString(), platform::MsgIcon::Critical);
        return std::nullopt;
    }
    if (picture.width() < cols || picture.height() < rows) {
        dialogs.message(parent, tooSmallText + file, missingTitle, platform::MsgIcon::Critical);
        return std::nullopt;
    }
    return picture;
}
