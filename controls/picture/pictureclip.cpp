#include "controls/picture/pictureclip.h"

#include "shared/core/failure.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>

namespace tavrik::picture {

namespace {

// A digit set or a button picture is a few kilobytes; anything near this is no picture.
constexpr qint64 kMaxVectorFileBytes = 16 * 1024 * 1024;
// The vector picture drawn at its own size stays within this on each side.
constexpr int kMaxOwnSide = 4096;

QImage blankImage(const QSize &size, const QColor &background)
{
    QImage img(size, background.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    img.fill(background);
    return img;
}

} // namespace

PictureClip::PictureClip(int rows, int cols) : rows_(std::max(rows, 1)), cols_(std::max(cols, 1)) {}

void PictureClip::setPicture(const QImage &picture)
{
    picture_ = picture;
    vector_.reset();
}

bool PictureClip::setVectorPicture(const QByteArray &svg, QString *error)
{
    auto renderer = std::make_shared<QSvgRenderer>();
    if (!renderer->load(svg) || !renderer->isValid())
        return core::fail(error, QStringLiteral("不是有效的 SVG 图片"));
    const QRectF box = renderer->viewBoxF();
    if (!(box.width() > 0) || !(box.height() > 0))
        return core::fail(error, QStringLiteral("SVG 图片没有可画的范围"));
    QSize own = renderer->defaultSize();
    if (own.isEmpty())
        own = box.size().toSize();
    own = own.boundedTo(QSize(kMaxOwnSide, kMaxOwnSide)).expandedTo(QSize(cols_, rows_));
    QImage drawn = blankImage(own, Qt::transparent);
    {
        QPainter p(&drawn);
        p.setRenderHint(QPainter::Antialiasing);
        renderer->render(&p, QRectF(QPointF(0, 0), own));
    }
    picture_ = drawn;
    vector_ = std::move(renderer);
    return true;
}

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

std::vector<QImage> PictureClip::cellsAt(const QSize &size, const QColor &background) const
{
    std::vector<QImage> out;
    if (size.isEmpty())
        return out;
    const int n = rows_ * cols_;
    out.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        if (vector_) {
            // The whole drawing placed so that cell i covers the image exactly.
            QImage img = blankImage(size, background);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            vector_->render(&p, QRectF(-(i % cols_) * size.width(), -(i / cols_) * size.height(),
                                       cols_ * size.width(), rows_ * size.height()));
            p.end();
            out.push_back(std::move(img));
            continue;
        }
        const QImage scaled = cell(i).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (!scaled.hasAlphaChannel() || background.alpha() == 0) {
            out.push_back(scaled);
            continue;
        }
        QImage img = blankImage(size, background);
        QPainter p(&img);
        p.drawImage(0, 0, scaled);
        p.end();
        out.push_back(std::move(img));
    }
    return out;
}

bool isVectorFile(const QString &file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == QLatin1String("svg") || suffix == QLatin1String("svgz");
}

// A vector picture file into the clip; the file is known to be there.
static bool readVectorFile(const QString &file, PictureClip *clip, QString *error)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return core::fail(error, f.errorString() + QStringLiteral(":") + file);
    if (f.size() > kMaxVectorFileBytes)
        return core::fail(error, QStringLiteral("图片文件太大:") + file);
    QString why;
    if (!clip->setVectorPicture(f.readAll(), &why))
        return core::fail(error, why + QStringLiteral(":") + file);
    return true;
}

bool loadClip(const QString &file, PictureClip *clip, QString *error)
{
    if (!isVectorFile(file)) {
        QImage picture;
        if (!loadClipPicture(file, clip->rows(), clip->cols(), &picture, error))
            return false;
        clip->setPicture(picture);
        return true;
    }
    if (!QFileInfo(file).isFile())
        return core::fail(error, QStringLiteral("未找到图片文件:") + file);
    return readVectorFile(file, clip, error);
}

bool loadClipPicture(const QString &file, int rows, int cols, QImage *picture, QString *error)
{
    if (!QFileInfo(file).isFile())
        return core::fail(error, QStringLiteral("未找到图片文件:") + file);
    if (isVectorFile(file)) {
        PictureClip clip(rows, cols);
        if (!readVectorFile(file, &clip, error))
            return false;
        *picture = clip.picture();
        return true;
    }
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
