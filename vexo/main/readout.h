#pragma once

// The window's labels: a border in the window-text colour, and the read-outs that
// change at every tick.

#include <QHash>
#include <QImage>
#include <QLabel>

#include <array>
#include <vector>

class QPainter;

namespace vexo {

// A label whose single-line border keeps the window-text colour (QFrame would draw
// it in the text's colour).
class BorderedLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
    void drawBorder(QPainter &p);
};

// A one-line label rewritten many times a second. Its digits stand in cells of one
// width, as in a fixed-pitch face, so a new reading moves nothing but what changed:
// the reading does not jitter as digits of other widths come and go, and only the
// changed cells are repainted and sent to the screen. Each character is drawn once
// and then copied. Other text (several lines, characters outside the basic plane)
// is drawn as by QLabel.
class Readout : public BorderedLabel {
public:
    Readout(const QString &text, QWidget *parent);

    // Hides QLabel::setText, which repaints the whole label.
    void setText(const QString &text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The width `text` takes in a read-out in `font`, or -1 if it is drawn as by QLabel.
    static int lineWidth(const QFont &font, const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Cell {
        QChar ch;
        QRect rect;
        bool operator==(const Cell &o) const { return ch == o.ch && rect == o.rect; }
    };
    // Where each character of `text` stands; empty if the text is drawn as by QLabel.
    std::vector<Cell> cells(const QString &text, qreal dpr) const;
    // The cells of the text shown, kept while nothing they depend on changes.
    const std::vector<Cell> &shown() const;
    int xWidth() const;
    QRect textRect() const;
    const QImage &tile(QChar ch, const QRect &cell, qreal dpr);
    void forget();

    // The cells' widths in one font, measured when first asked for.
    struct Widths {
        int of(const QFont &font, QChar ch);
        QHash<QChar, int> own;
        int digits = 0;
    };
    mutable Widths widths_;
    mutable int xWidth_ = -1;
    mutable std::vector<Cell> shown_;
    mutable QString shownText_;
    mutable std::array<int, 8> shownKey_{};
    mutable qreal shownRatio_ = 0;
    mutable QString hintShape_;
    mutable int hintHeight_ = 0;
    // Each character drawn in its cell, in these colours, alignment and scale.
    QHash<QChar, QImage> tiles_;
    QColor tileInk_, tilePaper_;
    Qt::Alignment tileAlignment_;
    qreal tileRatio_ = 0;
};

} // namespace vexo
