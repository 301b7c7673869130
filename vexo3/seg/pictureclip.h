#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

class QWidget;

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

// Reads a picture for a clip of rows x cols cells. What goes wrong is told to the user
// in an error box: no such file ("未找到图片文件:" and the path, titled missingTitle),
// a file that is no readable picture (the reader's reason), or one too small for the
// grid (tooSmallText and the path). Nothing on failure.
std::optional<QImage> loadClipPicture(QWidget *parent, const QString &file, int rows, int cols,
                                      const QString &missingTitle, const QString &tooSmallText);
