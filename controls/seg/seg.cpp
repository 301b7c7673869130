#include "controls/seg/seg.h"

#include "controls/accessible.h"
#include "controls/mousecodes.h"

#include "shared/core/numtext.h"
#include "controls/twips.h"
#include "controls/picture/devicepixels.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vexo3 {

namespace {

// No more than one repaint per refresh of a 60 Hz display.
constexpr int kFrameMs = 16;
// A running reading is told to assistive tools no more often than this.
constexpr qint64 kAnnounceMs = 1000;

// Modifier keys as the events report them: 1 Shift, 2 Ctrl, 4 Alt.
// Cells are painted opaque on the black background, whatever the file held.
QImage opaque(const QImage &picture)
{
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_RGB32);
    QImage out(picture.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    p.drawImage(0, 0, picture);
    return out;
}

QImage builtInDigits()
{
    return QImage(QStringLiteral(":/tavrik/digits.png"));
}

// A cell's rectangle from twips in device pixels, every edge rounded on its own so
// that neighbouring cells keep their overlap.
QRect deviceRect(const QRectF &twips, qreal ratio)
{
    if (twips.isEmpty())
        return {};
    auto d = [ratio](double t) { return int(std::lround(t / tavrik::controls::kTwipsPerPixel * ratio)); };
    const int l = d(twips.left());
    const int t = d(twips.top());
    const int r = d(twips.left() + twips.width());
    const int b = d(twips.top() + twips.height());
    return QRect(l, t, r - l, b - t);
}

} // namespace

Seg::Seg(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    clip_.setPicture(opaque(builtInDigits()));
    shown_ = clip_;
    glyphs_.fill(seg::kGlyphEight);

    repaintTimer_.setObjectName(QStringLiteral("repaintTimer"));
    repaintTimer_.setSingleShot(true);
    repaintTimer_.setTimerType(Qt::PreciseTimer);
    connect(&repaintTimer_, &QTimer::timeout, this, &Seg::flushRepaint);
    announceTimer_.setObjectName(QStringLiteral("announceTimer"));
    announceTimer_.setSingleShot(true);
    connect(&announceTimer_, &QTimer::timeout, this, [this] {
        if (shownText() != announced_)
            announceNow();
    });
    tavrik::controls::installAccessibility();

    Refresh();
}

QSize Seg::sizeHint() const { return QSize(15 * count_ + 2, 27); }

void Seg::setSegValue(const QString &value)
{
    value_ = value;
    RefreshValue();
    announceChange();
}

QString Seg::shownText() const { return value_.right(count_).trimmed(); }

void Seg::announceChange()
{
    if (!tavrik::controls::announcing() || shownText() == announced_)
        return;
    // Told at once when a second has passed; else the last reading by the timer.
    const qint64 since = tavrik::controls::announcementTime() - announcedAt_;
    if (!everAnnounced_ || since >= kAnnounceMs)
        announceNow();
    else if (!announceTimer_.isActive())
        announceTimer_.start(int(kAnnounceMs - since));
}

void Seg::announceNow()
{
    announceTimer_.stop();
    if (!tavrik::controls::announcing())
        return;
    const QString shown = shownText();
    QAccessibleTextUpdateEvent event(this, 0, announced_, shown);
    tavrik::controls::announce(&event);
    announced_ = shown;
    announcedAt_ = tavrik::controls::announcementTime();
    everAnnounced_ = true;
}

void Seg::setSegCount(const QString &text)
{
    count_ = tavrik::core::roundToIntegral<qint16>(tavrik::core::leadingNumber(text),
                                               std::numeric_limits<qint16>::min(),
                                               std::numeric_limits<qint16>::max());
    Refresh();
}

void Seg::Refresh()
{
    RefreshOutline();
    RefreshValue();
}

void Seg::RefreshOutline()
{
    count_ = qint16(seg::clampCount(count_));
    twips_ = seg::cellRects(float(tavrik::controls::twips(width())), float(tavrik::controls::twips(height())), count_);
    placeCells(devicePixelRatioF());
    pruneScaled(false);
    pendingRepaint_ = QRegion();
    repaintTimer_.stop();
    update();
}

void Seg::RefreshValue()
{
    QRegion dirty;
    const bool pictureChanged = shownGeneration_ != clipGeneration_;
    if (pictureChanged) {
        shown_ = clip_;
        shownGeneration_ = clipGeneration_;
        pruneScaled(true);
    }
    const auto glyphs = seg::glyphsFor(value_, count_);
    for (int p = 0; p < count_; ++p) {
        const size_t i = size_t(p);
        if (glyphs[i] != glyphs_[i] || pictureChanged) {
            glyphs_[i] = glyphs[i];
            dirty += pixels_[i];
        }
    }
    if (!dirty.isEmpty())
        scheduleRepaint(dirty);
}

bool Seg::LoadSegImageFile(const QString &imageFile, QString *error)
{
    tavrik::picture::PictureClip loaded(seg::kPictureRows, seg::kPictureCols);
    if (!tavrik::picture::loadClip(imageFile, &loaded, error))
        return false;
    if (!loaded.isVector())
        loaded.setPicture(opaque(loaded.picture()));
    clip_ = loaded;
    ++clipGeneration_;
    return true;
}

void Seg::readProperties(const tavrik::controls::PropertyBag &bag)
{
    value_ = bag.read(QStringLiteral("SegValue"), QStringLiteral("0"));
    setSegCount(bag.read(QStringLiteral("SegCount"), QStringLiteral("8")));
}

void Seg::writeProperties(tavrik::controls::PropertyBag &bag) const
{
    bag.write(QStringLiteral("SegValue"), value_, QStringLiteral("0"));
    bag.write(QStringLiteral("SegCount"), SegCount(), QStringLiteral("8"));
}

int Seg::cellGlyph(int position) const
{
    if (position < 0 || position >= seg::kCellSlots)
        return -1;
    return glyphs_[size_t(position)];
}

QRectF Seg::cellRectTwips(int position) const
{
    if (position < 0 || position >= count_)
        return {};
    return twips_[size_t(position)];
}

void Seg::placeCells(qreal ratio)
{
    ratio_ = ratio;
    for (size_t i = 0; i < device_.size(); ++i) {
        device_[i] = deviceRect(twips_[i], ratio);
        pixels_[i] = tavrik::picture::coveringLogical(device_[i], ratio);
    }
}

const QPixmap *Seg::scaledGlyph(int glyph, const QSize &size, qreal ratio)
{
    if (glyph < 0 || glyph >= seg::kGlyphCount || size.isEmpty())
        return nullptr;
    for (const ScaledSet &set : scaled_)
        if (set.size == size && set.ratio == ratio)
            return &set.glyphs[size_t(glyph)];
    // First paint at this size since the layout, the ratio or the picture changed.
    ScaledSet set;
    set.size = size;
    set.ratio = ratio;
    const std::vector<QImage> cells = shown_.cellsAt(size, Qt::black);
    for (int g = 0; g < seg::kGlyphCount; ++g)
        set.glyphs[size_t(g)] = tavrik::picture::devicePixmap(cells[size_t(g)], ratio);
    scaled_.push_back(std::move(set));
    ++scaledBuilds_;
    return &scaled_.back().glyphs[size_t(glyph)];
}

void Seg::pruneScaled(bool pictureChanged)
{
    if (pictureChanged) {
        scaled_.clear();
        return;
    }
    auto used = [this](const ScaledSet &set) {
        if (set.ratio != ratio_)
            return false;
        for (int i = 0; i < count_; ++i)
            if (device_[size_t(i)].size() == set.size)
                return true;
        return false;
    };
    scaled_.erase(std::remove_if(scaled_.begin(), scaled_.end(), [&](const ScaledSet &set) { return !used(set); }),
                  scaled_.end());
}

void Seg::scheduleRepaint(const QRegion &region)
{
    pendingRepaint_ += region;
    if (repaintTimer_.isActive())
        return;
    const qint64 since = lastPaint_.isValid() ? lastPaint_.elapsed() : kFrameMs;
    if (since >= kFrameMs)
        flushRepaint();
    else
        repaintTimer_.start(int(kFrameMs - since));
}

void Seg::flushRepaint()
{
    if (!pendingRepaint_.isEmpty())
        update(pendingRepaint_);
    pendingRepaint_ = QRegion();
}

bool Seg::event(QEvent *event)
{
    if (tavrik::picture::mayChangeRatio(event) && devicePixelRatioF() != ratio_) {
        placeCells(devicePixelRatioF());
        pruneScaled(false);
        update();
    }
    return QWidget::event(event);
}

void Seg::paintEvent(QPaintEvent *event)
{
    lastPaint_.start();
    QPainter p(this);
    // The ratio of the screen the window is on now, should its change not have been
    // told yet: the cells are placed for it here. A hidden display (rendered into an
    // image) follows no screen: it keeps the ratio of its last layout.
    if (isVisible() && devicePixelRatioF() != ratio_) {
        placeCells(devicePixelRatioF());
        pruneScaled(false);
    }
    const qreal ratio = ratio_;
    const QRegion &region = event->region();
    // Through a clip of several rectangles Qt draws a tall cell line by line on its
    // thread pool, two threads woken for a copy: clipped to one rectangle at a time,
    // it is copied here at once.
    const bool pieces = region.rectCount() > 1;
    int coveredRight = 0;
    for (int i = 0; i < count_; ++i) {
        const QRect &r = device_[size_t(i)];
        coveredRight = std::max(coveredRight, r.isEmpty() ? 0 : r.right() + 1);
        if (!region.intersects(pixels_[size_t(i)]))
            continue;
        const QRectF at = tavrik::picture::toLogical(r, ratio);
        const QPixmap *pm = scaledGlyph(glyphs_[size_t(i)], r.size(), ratio);
        const auto draw = [&] {
            if (pm)
                p.drawPixmap(at.topLeft(), *pm);
            else
                p.fillRect(at, Qt::black);
        };
        if (!pieces) {
            draw();
            continue;
        }
        for (const QRect &part : region) {
            if (const QRect piece = part & pixels_[size_t(i)]; !piece.isEmpty()) {
                p.setClipRect(piece);
                draw();
            }
        }
        p.setClipping(false);
    }
    const qreal right = coveredRight / ratio;
    if (right < width())
        p.fillRect(QRectF(right, 0, width() - right, height()), Qt::black);
}

void Seg::resizeEvent(QResizeEvent *) { RefreshOutline(); }

void Seg::mousePressEvent(QMouseEvent *event) { event->accept(); }

void Seg::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const QPointF at(tavrik::controls::twips(event->position().x()), tavrik::controls::twips(event->position().y()));
    QPointF origin(0, 0);
    // The cell under the pointer; where two overlap, the one painted last.
    for (int i = count_ - 1; i >= 0; --i) {
        const QRectF &r = twips_[size_t(i)];
        if (at.x() >= r.left() && at.x() < r.right() && at.y() >= r.top() && at.y() < r.bottom()) {
            origin = r.topLeft();
            break;
        }
    }
    const int shift = tavrik::controls::shiftCode(event->modifiers());
    const float x = float(at.x() - origin.x());
    const float y = float(at.y() - origin.y());
    if (event->button() == Qt::LeftButton)
        Q_EMIT LeftClick(shift, x, y);
    else
        Q_EMIT RightClick(shift, x, y);
}

} // namespace vexo3
