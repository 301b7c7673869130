#include "vexo/main/readout.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace vexo {

void BorderedLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    QPainter p(this);
    drawBorder(p);
}

void BorderedLabel::drawBorder(QPainter &p)
{
    if (frameShape() == QFrame::Box) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

namespace {

bool isDigit(QChar ch) { return ch >= u'0' && ch <= u'9'; }

// What a cell can hold: one character of the basic plane, drawn on its own, left to right.
bool drawnAlone(QChar ch)
{
    if (ch.unicode() < 0x20 || ch.isSurrogate() || ch.isMark() || ch == u'&')
        return false;
    const QChar::Direction d = ch.direction();
    return d != QChar::DirR && d != QChar::DirAL;
}

// `ch` drawn with its pen `x` into a strip `width` wide, `paper` all around.
QImage strip(const QFont &font, QChar ch, qreal x, QSize size, Qt::Alignment vertical, const QColor &ink,
             const QColor &paper, qreal dpr)
{
    QImage img(size * dpr, QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(paper);
    QPainter p(&img);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(QRectF(x, 0, size.width(), size.height()), int(vertical) | Qt::AlignLeft, QString(ch));
    return img;
}

// The first and last columns (device pixels) holding anything but `paper`; {0, -1} for none.
std::pair<int, int> inkColumns(const QImage &img, const QColor &paper)
{
    const QRgb blank = paper.rgb();
    int first = img.width(), last = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (row[x] != blank) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    }
    return last < 0 ? std::pair(0, -1) : std::pair(first, last);
}

// How many pixels wide the ink of `ch` is (measured: the font's boxes are rounded outwards).
int inkWidth(const QFont &font, QChar ch)
{
    const int pad = int(std::ceil(QFontMetricsF(font).height()));
    const auto [first, last] =
        inkColumns(strip(font, ch, pad, QSize(3 * pad, pad), Qt::AlignVCenter, Qt::black, Qt::white, 1), Qt::white);
    return last - first + 1;
}

// A cell the character's advance wide, the fraction dropped so that a line is no wider
// than the face would set it, or as wide as its ink where that is wider.
int ownWidth(const QFont &font, QChar ch)
{
    return std::max(int(QFontMetricsF(font).horizontalAdvance(ch)), inkWidth(font, ch));
}

// The digits' cell: as for the widest digit, or the widest ink.
int digitWidth(const QFont &font)
{
    const QFontMetricsF fm(font);
    qreal advance = 0;
    int ink = 0;
    for (char16_t d = u'0'; d <= u'9'; ++d) {
        advance = std::max(advance, fm.horizontalAdvance(QChar(d)));
        ink = std::max(ink, inkWidth(font, QChar(d)));
    }
    return std::max(int(advance), ink);
}

// A text whose characters differ from the cells' only in digits for digits: it stands
// in the same cells.
bool sameCellsAs(QStringView was, QStringView text)
{
    if (was.size() != text.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (was[i] != text[i] && !(isDigit(was[i]) && isDigit(text[i])))
            return false;
    return true;
}

} // namespace

Readout::Readout(const QString &text, QWidget *parent) : BorderedLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    // It paints all of itself: the window need not be painted under each change.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int Readout::Widths::of(const QFont &font, QChar ch)
{
    if (isDigit(ch))
        return digits ? digits : (digits = digitWidth(font));
    auto it = own.constFind(ch);
    if (it == own.constEnd())
        it = own.insert(ch, ownWidth(font, ch));
    return *it;
}

int Readout::lineWidth(const QFont &font, const QString &text)
{
    Widths widths;
    int total = 0;
    for (QChar ch : text) {
        if (!drawnAlone(ch))
            return -1;
        total += widths.of(font, ch);
    }
    return total;
}

// Where QLabel lays out its text: the contents less the margin, and less the indent
// it takes by itself inside a frame. Text in cells runs left to right, and QLabel
// aligns by the text's direction, not the window's.
QRect Readout::textRect() const
{
    QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    int m = indent();
    if (m < 0 && frameWidth())
        m = xWidth() / 2 - margin();
    if (m > 0) {
        const Qt::Alignment a = QStyle::visualAlignment(Qt::LeftToRight, alignment());
        if (a & Qt::AlignLeft)
            r.setLeft(r.left() + m);
        if (a & Qt::AlignRight)
            r.setRight(r.right() - m);
        if (a & Qt::AlignTop)
            r.setTop(r.top() + m);
        if (a & Qt::AlignBottom)
            r.setBottom(r.bottom() - m);
    }
    return r;
}

int Readout::xWidth() const
{
    if (xWidth_ < 0)
        xWidth_ = fontMetrics().horizontalAdvance(u'x');
    return xWidth_;
}

const std::vector<Readout::Cell> &Readout::shown() const
{
    // What the cells depend on besides the font (a change of which forgets them).
    const std::array<int, 8> key{contentsRect().x(), contentsRect().y(), contentsRect().width(), contentsRect().height(),
                                 int(alignment()), indent(), margin(), int(wordWrap())};
    const QString t = text();
    const qreal dpr = devicePixelRatioF();
    if (key != shownKey_ || t != shownText_ || dpr != shownRatio_) {
        if (key != shownKey_)
            hintShape_.clear();
        shown_ = cells(t, dpr);
        shownKey_ = key;
        shownText_ = t;
        shownRatio_ = dpr;
    }
    return shown_;
}

std::vector<Readout::Cell> Readout::cells(const QString &text, qreal dpr) const
{
    const QRect r = textRect();
    if (wordWrap() || dpr != std::floor(dpr) || r.height() <= 0)
        return {};
    std::vector<Cell> out;
    out.reserve(size_t(text.size()));
    int x = 0;
    for (QChar ch : text) {
        if (!drawnAlone(ch))
            return {};
        const int w = widths_.of(font(), ch);
        out.push_back({ch, QRect(x, r.top(), w, r.height())});
        x += w;
    }
    const Qt::Alignment a = QStyle::visualAlignment(Qt::LeftToRight, alignment());
    const int left = a & Qt::AlignRight ? r.right() + 1 - x : a & Qt::AlignHCenter ? r.left() + (r.width() - x) / 2 : r.left();
    for (Cell &c : out)
        c.rect.translate(left, 0);
    return out;
}

void Readout::setText(const QString &text)
{
    if (text == this->text())
        return;
    const std::vector<Cell> &before = shown();
    // Digits for digits stand in the same cells: not measured again.
    std::vector<Cell> after;
    if (sameCellsAs(shownText_, text)) {
        after = before;
        for (size_t i = 0; i < after.size(); ++i)
            after[i].ch = text[qsizetype(i)];
    } else {
        after = cells(text, shownRatio_);
    }
    if ((before.empty() && !this->text().isEmpty()) || (after.empty() && !text.isEmpty()) || !isVisible()) {
        QLabel::setText(text);
        return;
    }
    QRegion changed;
    for (size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
        const Cell *b = i < before.size() ? &before[i] : nullptr, *a = i < after.size() ? &after[i] : nullptr;
        if (b && a && *b == *a)
            continue;
        if (b)
            changed += b->rect;
        if (a)
            changed += a->rect;
    }
    // QLabel would repaint all of itself; updates held off while it takes the text,
    // only the cells that changed are repainted.
    const bool held = testAttribute(Qt::WA_UpdatesDisabled);
    setAttribute(Qt::WA_UpdatesDisabled, true);
    QLabel::setText(text);
    setAttribute(Qt::WA_UpdatesDisabled, held);
    // The paint to come draws these cells: not laid out again.
    shown_ = std::move(after);
    shownText_ = text;
    update(changed);
}

QSize Readout::sizeHint() const
{
    // Polished first: a style may change the font, and with it the cells.
    ensurePolished();
    const std::vector<Cell> &all = shown();
    if (all.empty())
        return QLabel::sizeHint();
    const int cellsWidth = all.back().rect.right() + 1 - all.front().rect.left();
    // QLabel lays the whole text out for its height: asked again only when more than
    // the digits changed, since a character from a fallback face may make the line taller.
    QString shape = text();
    for (QChar &ch : shape)
        if (isDigit(ch))
            ch = u'0';
    if (shape != hintShape_) {
        hintShape_ = shape;
        hintHeight_ = QLabel::sizeHint().height();
    }
    // As high as QLabel makes it; as wide as the cells, with the room QLabel keeps
    // around its text (margins, the indent it takes inside a frame, the frame).
    int extra = 2 * margin(), m = indent();
    if (m < 0 && frameWidth())
        m = xWidth() - 2 * margin();
    if (m > 0 && (alignment() & (Qt::AlignLeft | Qt::AlignRight)))
        extra += m;
    const QMargins cm = contentsMargins();
    return QSize(cellsWidth + extra + cm.left() + cm.right(), hintHeight_).expandedTo(minimumSize());
}

QSize Readout::minimumSizeHint() const { return sizeHint(); }

void Readout::paintEvent(QPaintEvent *event)
{
    const std::vector<Cell> &all = shown();
    QPainter p(this);
    // The scale the cells were just placed for.
    const qreal dpr = shownRatio_;
    // Opaque: the window is not painted under it first. The cells cover their band.
    const QRect band = all.empty() ? QRect() : all.front().rect.united(all.back().rect);
    if (!band.contains(event->rect()))
        p.fillRect(event->rect(), palette().brush(backgroundRole()));
    if (all.empty() && !text().isEmpty()) {
        p.end();
        BorderedLabel::paintEvent(event);
        return;
    }
    for (const Cell &c : all)
        if (event->rect().intersects(c.rect))
            p.drawImage(c.rect.topLeft(), tile(c.ch, c.rect, dpr));
    // The frame keeps outside the contents at a scale of one; above it, the border's
    // line reaches into the cells and is drawn again over them.
    if (dpr == 1 && contentsRect().contains(event->rect()))
        return;
    if (frameShape() == QFrame::Box)
        drawBorder(p);
    else
        drawFrame(&p);
}

const QImage &Readout::tile(QChar ch, const QRect &cell, qreal dpr)
{
    const QPalette::ColorGroup group = !isEnabled() ? QPalette::Disabled : isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    const QColor ink = palette().color(group, foregroundRole()), paper = palette().color(group, backgroundRole());
    const Qt::Alignment vertical = alignment() & Qt::AlignVertical_Mask;
    if (ink != tileInk_ || paper != tilePaper_ || vertical != tileAlignment_ || dpr != tileRatio_) {
        tiles_.clear();
        tileInk_ = ink;
        tilePaper_ = paper;
        tileAlignment_ = vertical;
        tileRatio_ = dpr;
    }
    auto it = tiles_.find(ch);
    if (it != tiles_.end() && it->deviceIndependentSize().toSize() == cell.size())
        return *it;
    // Drawn on the label's own paper, so the text is smoothed as it would be on the screen;
    // the advance in the cell's middle, as in a fixed-pitch face, moved by whole pixels
    // as little as keeps all the ink in the cell.
    const int w = cell.width(), pad = w;
    const QImage wide = strip(font(), ch, pad + (w - QFontMetricsF(font()).horizontalAdvance(ch)) / 2,
                              QSize(w + 2 * pad, cell.height()), vertical, ink, paper, dpr);
    const auto [first, last] = inkColumns(wide, paper);
    const int left = int(pad * dpr), right = int((pad + w) * dpr) - 1;
    int shift = 0;
    if (last >= first && last - first <= right - left) {
        if (first < left)
            shift = int(std::ceil((left - first) / dpr));
        else if (last > right)
            shift = -int(std::ceil((last - right) / dpr));
    }
    QImage img = wide.copy(QRect(QPoint(int((pad - shift) * dpr), 0), cell.size() * dpr));
    img.setDevicePixelRatio(dpr);
    return *tiles_.insert(ch, img);
}

void Readout::forget()
{
    tiles_.clear();
    widths_ = {};
    xWidth_ = -1;
    hintShape_.clear();
    shownText_.clear();
    shown_.clear();
}

void Readout::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange ||
        event->type() == QEvent::ContentsRectChange)
        forget();
    BorderedLabel::changeEvent(event);
}

} // namespace vexo
