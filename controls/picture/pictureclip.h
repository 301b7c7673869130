#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

class QSvgRenderer;

namespace tavrik::picture {

// One picture cut into an equal grid of cells, numbered row by row from the top left.
// Pixels left over at the right and bottom (size not a multiple of the grid) belong
// to no cell.
//
// The picture is a bitmap or a vector drawing (SVG). A vector picture is also held
// drawn at its own size, so picture(), cell() and the cell sizes serve every owner
// alike; cellsAt() draws its cells afresh at any size, sharp at every scale.
class PictureClip {
public:
    PictureClip(int rows, int cols);

    // A bitmap; it replaces a vector picture as well.
    void setPicture(const QImage &picture);
    const QImage &picture() const { return picture_; }

    // An SVG document as the picture. False when it is none or holds no drawing, with
    // the reason in *error; the clip keeps its picture then.
    bool setVectorPicture(const QByteArray &svg, QString *error = nullptr);
    bool isVector() const { return vector_ != nullptr; }

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int cellWidth() const { return picture_.width() / cols_; }
    int cellHeight() const { return picture_.height() / rows_; }

    // The rectangle of cell i in the picture; empty for an index outside the grid.
    QRect cellRect(int i) const;
    // A copy of cell i; a null image for an index outside the grid.
    QImage cell(int i) const;

    // Every cell, in order, made at `size` pixels over `background`: a vector picture
    // is drawn at that size, a bitmap's cells are scaled smoothly. Empty for an empty
    // size.
    std::vector<QImage> cellsAt(const QSize &size, const QColor &background = Qt::transparent) const;

private:
    int rows_;
    int cols_;
    QImage picture_;
    // Shared by copies of the clip; rendering leaves it as it was.
    std::shared_ptr<QSvgRenderer> vector_;
};

// Reads a picture for a clip of rows x cols cells. False when there is none to use,
// with what the user is to be told in *error: "未找到图片文件:" and the path when there
// is no such file, the reader's reason for a file that is no readable picture, or
// "图片太小…" and the path for one too small for the grid. An SVG file gives its
// drawing at its own size.
bool loadClipPicture(const QString &file, int rows, int cols, QImage *picture, QString *error = nullptr);

// Reads a picture file into a clip, keeping an SVG file as a vector picture and
// reading any other as a bitmap. Fails as loadClipPicture does, and for an SVG file
// that holds no usable drawing; the clip is unchanged then.
bool loadClip(const QString &file, PictureClip *clip, QString *error = nullptr);

// Whether a file is taken as an SVG document: by its name (.svg, .svgz).
bool isVectorFile(const QString &file);

} // namespace tavrik::picture
