#include "controls/cmdbox/cmdbox.h"

#include "controls/accessible.h"
#include "controls/mousecodes.h"

#include "shared/core/numtext.h"
#include "controls/twips.h"
#include "controls/picture/nineslice.h"
#include "controls/pointerwatch.h"

#include <QAccessible>
#include <QEvent>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <limits>

namespace vexo3 {

namespace {

constexpr int kPollMs = 20;
constexpr double kMaxFontSize = 2048;

// SimSun where the machine has it, else a CJK face that draws the same captions.
QString captionFamily()
{
    const QStringList families = QFontDatabase::families();
    for (const QString &f : {QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC"),
                             QStringLiteral("WenQuanYi Micro Hei")})
        if (families.contains(f))
            return f;
    return QString();
}

quint32 colourFromText(const QString &text, quint32 fallback)
{
    const double v = tavrik::core::roundHalfEven(tavrik::core::leadingNumber(text));
    if (!std::isfinite(v) || v < double(std::numeric_limits<qint32>::min())
        || v > double(std::numeric_limits<quint32>::max()))
        return fallback;
    return quint32(qint64(v));
}

} // namespace

cmdBox::cmdBox(QWidget *parent) : QWidget(parent)
{
    tavrik::controls::installAccessibility();
    // Space and Enter belong to the window, never to a button.
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);

    const QString family = captionFamily();
    if (!family.isEmpty())
        font_.setFamily(family);
    font_.setBold(false);
    font_.setPointSizeF(10);

    PCL.setPicture(QImage(QStringLiteral(":/tavrik/buttonfaces.png")));

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(kPollMs);
    connect(&Timer1, &QTimer::timeout, this, &cmdBox::Timer1_Timer);
    layout();
}

QSize cmdBox::sizeHint() const { return QSize(72, 20); }

void cmdBox::setCaption(const QString &caption)
{
    caption_ = caption;
    layout();
    // Assistive tools read the caption as the button's name.
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
}

QString cmdBox::FontSize() const { return tavrik::core::shortestText(float(font_.pointSizeF())); }

void cmdBox::setFontSize(const QString &text)
{
    const double size = tavrik::core::leadingNumber(text);
    // A size no font can take leaves the caption as it is.
    if (!(size > 0) || size > kMaxFontSize)
        return;
    font_.setPointSizeF(size);
    layout();
}

void cmdBox::setFontColor(quint32 bgr)
{
    fontColor_ = bgr;
    setCaptionColor(bgr);
}

void cmdBox::setHitFontColor(quint32 bgr) { hitFontColor_ = bgr; }

void cmdBox::setFontBold(bool bold)
{
    font_.setBold(bold);
    update();
}

bool cmdBox::Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

void cmdBox::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    const bool enabled = isEnabled();
    if (!enabled) {
        // A disabled button follows the pointer no more; it must not look hot or normal.
        Timer1.stop();
        hovered_ = false;
        setCaptionColor(fontColor_);
    }
    DrawButton(enabled ? 0 : 3);
    Q_EMIT EnabledChanged(enabled);
}

bool cmdBox::LoadButtonImageFile(const QString &imageFile, QString *error)
{
    QImage picture;
    if (!tavrik::picture::loadClipPicture(imageFile, PCL.rows(), PCL.cols(), &picture, error))
        return false;
    PCL.setPicture(picture);
    ++pclGeneration_;
    return true;
}

QColor cmdBox::captionColor() const { return tavrik::controls::bgrColor(captionColor_); }

void cmdBox::readProperties(const tavrik::controls::PropertyBag &bag)
{
    setCaption(bag.read(QStringLiteral("Caption"), QStringLiteral("Command")));
    setFontSize(bag.read(QStringLiteral("FontSize"), QStringLiteral("10")));
    setFontBold(tavrik::core::parseBool(bag.read(QStringLiteral("FontBold"), QStringLiteral("False"))).value_or(false));
    fontColor_ = colourFromText(bag.read(QStringLiteral("FontColor"), QStringLiteral("16711680")), 0xFF0000);
    hitFontColor_ = colourFromText(bag.read(QStringLiteral("HitFontColor"), QStringLiteral("255")), 0x0000FF);
    setCaptionColor(fontColor_);
}

void cmdBox::writeProperties(tavrik::controls::PropertyBag &bag) const
{
    bag.write(QStringLiteral("Caption"), caption_, QStringLiteral("Command"));
    bag.write(QStringLiteral("FontSize"), FontSize(), QStringLiteral("10"));
    bag.write(QStringLiteral("FontBold"), FontBold() ? QStringLiteral("True") : QStringLiteral("False"),
              QStringLiteral("False"));
    bag.write(QStringLiteral("FontColor"), QString::number(fontColor_), QStringLiteral("16711680"));
    bag.write(QStringLiteral("HitFontColor"), QString::number(hitFontColor_), QStringLiteral("255"));
}

void cmdBox::DrawButton(int face)
{
    if (shownGeneration_ != pclGeneration_ || faces_[0].isNull()) {
        shownGeneration_ = pclGeneration_;
        for (int i = 0; i < 4; ++i)
            faces_[size_t(i)] = PCL.cell(i);
        painted_ = {};
        update();
    }
    if (face != face_) {
        face_ = face;
        update();
    }
}

void cmdBox::layout()
{
    // A disabled button keeps its disabled face through any relayout.
    DrawButton(isEnabled() ? 0 : 3);
    update();
}

void cmdBox::setCaptionColor(quint32 bgr)
{
    if (captionColor_ == bgr)
        return;
    captionColor_ = bgr;
    update();
}

void cmdBox::Timer1_Timer() { watchPointer(false); }

void cmdBox::watchPointer(bool toldLeft)
{
    if (!tavrik::controls::pointerLeft(*this, Timer1, toldLeft))
        return;
    hovered_ = false;
    Q_EMIT MouseOut();
    setCaptionColor(fontColor_);
    DrawButton(0);
}

void cmdBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // Made again after a resize, and when the window has moved to a screen of another
    // ratio.
    const qreal ratio = devicePixelRatioF();
    if (paintedSize_ != size() || paintedRatio_ != ratio) {
        painted_ = {};
        paintedSize_ = size();
        paintedRatio_ = ratio;
    }
    QPixmap &face = painted_[size_t(face_)];
    if (face.isNull() && !faces_[size_t(face_)].isNull())
        face = tavrik::picture::nineSlicePixmap(faces_[size_t(face_)], size(), ratio);
    if (!face.isNull())
        p.drawPixmap(0, 0, face);
    // The caption is sized to its text and centred; a long one overhangs both sides.
    const QFontMetricsF fm(font_);
    const double w = fm.horizontalAdvance(caption_);
    const double h = fm.height();
    const QRectF label(std::floor((width() - w) / 2), std::floor((height() - h) / 2), w, h);
    p.setFont(font_);
    p.setPen(captionColor());
    p.drawText(label, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, caption_);
}

void cmdBox::resizeEvent(QResizeEvent *) { layout(); }

void cmdBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = event->position();
    // Outside only while a mouse button holds the pointer here; the timer sees it leave.
    if (!tavrik::controls::overButton(*this, p))
        return;
    hovered_ = true;
    if (event->buttons() != Qt::NoButton)
        Timer1.start();
    setCaptionColor(hitFontColor_);
    Q_EMIT MouseMove(tavrik::controls::buttonCode(event->buttons()), tavrik::controls::shiftCode(event->modifiers()), float(p.x()), float(p.y()));
    DrawButton(event->buttons() == Qt::LeftButton ? 2 : 1);
}

void cmdBox::mousePressEvent(QMouseEvent *event)
{
    const QPointF p = event->position();
    DrawButton(2);
    Timer1.start();
    Q_EMIT MouseDown(tavrik::controls::buttonCode(event->button()), tavrik::controls::shiftCode(event->modifiers()), float(p.x()), float(p.y()));
}

void cmdBox::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF p = event->position();
    DrawButton(1);
    // Released elsewhere: the timer puts the normal face back.
    Timer1.start();
    Q_EMIT MouseUp(tavrik::controls::buttonCode(event->button()), tavrik::controls::shiftCode(event->modifiers()), float(p.x()), float(p.y()));
    if (event->button() == Qt::LeftButton && rect().contains(p.toPoint()))
        Q_EMIT Click();
}

void cmdBox::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (!isEnabled() || (!hovered_ && !Timer1.isActive()))
        return;
    watchPointer(true);
}

} // namespace vexo3
