#pragma once

#include "controls/propertybag.h"
#include "controls/picture/pictureclip.h"
#include "controls/seg/seglayout.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <array>
#include <vector>

namespace vexo3 {

// A row of seven-segment digit cells cut from one digit picture, showing a text
// right-aligned. The cells are painted here, each from a picture kept at its cell
// size in device pixels (drawn afresh from a vector picture, scaled from a bitmap),
// so a new value costs only the repaint of the cells that changed.
class Seg : public QWidget {
    Q_OBJECT
    // For designers and .ui files; both take text, as the stored properties do.
    Q_PROPERTY(QString SegValue READ SegValue WRITE setSegValue)
    Q_PROPERTY(QString SegCount READ SegCount WRITE setSegCount)
public:
    explicit Seg(QWidget *parent = nullptr);

    QString SegValue() const { return value_; }
    void setSegValue(const QString &value);
    QString SegCount() const { return QString::number(count_); }
    void setSegCount(const QString &text);

    void RefreshOutline();
    void RefreshValue();
    void Refresh();

    // Takes the digit picture from an image file (SVG, or any bitmap format the
    // reader knows); it shows from the next RefreshValue.
    // False when the file gives none, with the words for the user in *error (shown
    // by the window under kLoadFailedTitle); the display keeps its picture.
    bool LoadSegImageFile(const QString &imageFile, QString *error = nullptr);
    static inline const QString kLoadFailedTitle = QStringLiteral("加载字码图片失败");

    void readProperties(const tavrik::controls::PropertyBag &bag);
    void writeProperties(tavrik::controls::PropertyBag &bag) const;

    // The digit-picture cell shown at a position (0 = leftmost), -1 outside 0..20.
    int cellGlyph(int position) const;
    // The rectangle of a shown cell in twips; empty for a hidden one.
    QRectF cellRectTwips(int position) const;
    int visibleCells() const { return count_; }
    // The reading as the cells show it: the value's last characters, blanks trimmed.
    QString shownText() const;

    // Tells assistive tools the reading at once; the host calls it on every change of
    // state (start, pause, reset, a record, a mode). A running reading is told at most
    // once a second, the last one within a second.
    void announceNow();

    // For tests and benchmarks: how many times a set of scaled cell pictures was made.
    int scaledPictureBuilds() const { return scaledBuilds_; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void LeftClick(int Shift, float X, float Y);
    void RightClick(int Shift, float X, float Y);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct ScaledSet {
        QSize size; // device pixels
        qreal ratio;
        std::array<QPixmap, seg::kGlyphCount> glyphs;
    };

    // The cell picture at a size in device pixels, made with the other glyphs of that
    // size when first painted after a change of layout, ratio or picture; never
    // because of a value.
    const QPixmap *scaledGlyph(int glyph, const QSize &size, qreal ratio);
    void pruneScaled(bool pictureChanged);
    // Cells in device pixels at a ratio, and the logical pixels each one touches.
    void placeCells(qreal ratio);
    void scheduleRepaint(const QRegion &region);
    void flushRepaint();
    void announceChange();

    QString value_ = QStringLiteral("0");
    qint16 count_ = 8;
    std::array<int, seg::kCellSlots> glyphs_;
    std::array<QRectF, seg::kCellSlots> twips_{};
    qreal ratio_ = 1;
    std::array<QRect, seg::kCellSlots> device_{};
    std::array<QRect, seg::kCellSlots> pixels_{};

    // The picture loaded last, and the one the cells show (taken at RefreshValue).
    tavrik::picture::PictureClip clip_{seg::kPictureRows, seg::kPictureCols};
    quint64 clipGeneration_ = 0;
    tavrik::picture::PictureClip shown_{seg::kPictureRows, seg::kPictureCols};
    quint64 shownGeneration_ = 0;
    std::vector<ScaledSet> scaled_;
    int scaledBuilds_ = 0;

    // At most one repaint per display refresh.
    QTimer repaintTimer_{this};
    QRegion pendingRepaint_;
    QElapsedTimer lastPaint_;

    // The reading assistive tools heard last, and when (announcementTime).
    QString announced_;
    qint64 announcedAt_ = 0;
    bool everAnnounced_ = false;
    QTimer announceTimer_{this};
};

} // namespace vexo3
