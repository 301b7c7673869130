#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace tavrik::picture {

// One picture cut into an equal grid of cells, numbered row by row from the top left.
// Pixels left over at the right and bottom (size not a multiple of the grid) belong
// to no cell.
class PictureClip {
public:
    PictureClip(int rows, int cols);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return picture_; }

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int cellWidth() const { return picture_.width() / cols_; }
    int cellHeight() const { return picture_.height() / rows_; }

    // The rectangle of cell i in the picture; empty for an index outside the grid.
    QRect cellRect(int i) const;
    // A copy of cell i; a null image for an index outside the grid.
    QImage cell(int i) const;

private:
    int rows_;
    int cols_;
    QImage picture_;
};

// Reads a picture for a clip of rows x cols cells. False when there is none to use,
// with what the user is to be told in *error: "未找到图片文件:" and the path when there
// is no such file, the reader's reason for a file that is no readable picture, or
// "图片太小…" and the path for one too small for the grid.
bool loadClipPicture(const QString &file, int rows, int cols, QImage *picture, QString *error = nullptr);

} // namespace tavrik::picture
