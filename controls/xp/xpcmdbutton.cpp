#include "controls/xp/xpcmdbutton.h"

#include "shared/core/numtext.h"
#include "controls/accessible.h"
#include "controls/mousecodes.h"
#include "controls/xp/keyevents.h"
#include "controls/picture/nineslice.h"
#include "controls/pointerwatch.h"

#include <QApplication>
#include <QAccessible>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

#include <cmath>

namespace vexo {

using tavrik::controls::buttonCode;
using tavrik::controls::shiftCode;

namespace {

constexpr int kPollMs = 10;
const QColor kEnabledCaption(0, 0, 0);
const QColor kDisabledCaption(161, 161, 146);
constexpr int kTextFlags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::TextDontClip;

} // namespace

// The caption: sized to its text, no background of its own, so the face shows through.
// An "&" marks the access key, drawn underlined.
class XpCaption : public QWidget {
public:
    explicit XpCaption(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("lbl"));
        setMouseTracking(true);
    }
    QString text;
    QColor colour;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(colour);
        p.drawText(rect(), kTextFlags, text);
    }
};

xpcmdbutton::xpcmdbutton(QWidget *parent, const QString &name) : QWidget(parent), lbl(new XpCaption(this))
{
    tavrik::controls::installAccessibility();
    setObjectName(name);
    setMouseTracking(true);
    // Keys go on to the host after the button has raised them.
    setFocusPolicy(Qt::StrongFocus);

    pc.setPicture(QImage(QStringLiteral(":/tavrik/xp/looks.png")));
    for (int i = 0; i < int(looks_.size()); ++i)
        looks_[size_t(i)] = QPixmap::fromImage(pc.cell(i));

    lbl->colour = palette().color(QPalette::WindowText);
    lbl->installEventFilter(this);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(kPollMs);
    connect(&Timer1, &QTimer::timeout, this, &xpcmdbutton::Timer1_Timer);
    setCaption(instanceName());
}

xpcmdbutton::~xpcmdbutton() = default;

QSize xpcmdbutton::sizeHint() const { return QSize(65, 25); }

QString xpcmdbutton::instanceName() const
{
    return objectName().isEmpty() ? QStringLiteral("xpcmdbutton") : objectName();
}

QFont xpcmdbutton::hostFont() const { return parentWidget() ? parentWidget()->font() : QApplication::font(); }

QString xpcmdbutton::Caption() const { return lbl->text; }

void xpcmdbutton::setCaption(const QString &caption)
{
    lbl->text = caption;
    lbl->update();
    grabAccessKey();
    layout();
    // Assistive tools read the caption as the button's name.
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
}

void xpcmdbutton::setState(int state)
{
    state_ = state;
    RefreshLook();
}

QColor xpcmdbutton::captionColor() const { return lbl->colour; }

QRect xpcmdbutton::captionGeometry() const { return lbl->geometry(); }

void xpcmdbutton::readProperties(const tavrik::controls::PropertyBag &bag)
{
    setState(tavrik::core::parseInt32(bag.read(QStringLiteral("State"), QStringLiteral("0"))).value_or(0));
    setEnabled(tavrik::core::parseBool(bag.read(QStringLiteral("Enabled"), QStringLiteral("True"))).value_or(true));
    setCaption(bag.read(QStringLiteral("Caption"), instanceName()));
    QFont stored;
    // No stored font, or one that does not read: the host's font, followed as it changes.
    if (bag.contains(QStringLiteral("Font")) && stored.fromString(bag.read(QStringLiteral("Font"), QString())))
        setFont(stored);
    else
        setFont(QFont());
}

void xpcmdbutton::writeProperties(tavrik::controls::PropertyBag &bag) const
{
    bag.write(QStringLiteral("State"), QString::number(state_), QStringLiteral("0"));
    bag.write(QStringLiteral("Enabled"), isEnabled() ? QStringLiteral("True") : QStringLiteral("False"),
              QStringLiteral("True"));
    bag.write(QStringLiteral("Caption"), Caption(), instanceName());
    bag.write(QStringLiteral("Font"), font().toString(), hostFont().toString());
}

void xpcmdbutton::DrawLook(int look)
{
    // The pointer polling asks for the same look every 10 ms while over the button.
    if (look == look_)
        return;
    look_ = look;
    update();
}

void xpcmdbutton::RefreshLook()
{
    if (state_ == 1)
        idleLook_ = LookHighlighted;
    else if (state_ == 0)
        idleLook_ = LookNormal;
    DrawLook(isEnabled() ? idleLook_ : LookDisabled);
}

void xpcmdbutton::layout()
{
    RefreshLook();
    const QSize text = QFontMetrics(font()).size(kTextFlags, lbl->text);
    // Whole pixels: a half pixel left over goes to the right and the bottom.
    lbl->setGeometry(int(std::floor((width() - text.width()) / 2.0)), int(std::floor((height() - text.height()) / 2.0)),
                     text.width(), text.height());
}

void xpcmdbutton::grabAccessKey()
{
    if (accessKey_ != 0)
        releaseShortcut(accessKey_);
    accessKey_ = 0;
    const QKeySequence key = QKeySequence::mnemonic(lbl->text);
    if (!key.isEmpty())
        accessKey_ = grabShortcut(key);
}

bool xpcmdbutton::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent *>(event)->shortcutId() == accessKey_) {
        if (isEnabled())
            Q_EMIT Click();
        return true;
    }
    if (event->type() == QEvent::Leave && (hovered_ || Timer1.isActive()))
        watchPointer(true);
    return QWidget::event(event);
}

void xpcmdbutton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        RefreshLook();
        lbl->colour = isEnabled() ? kEnabledCaption : kDisabledCaption;
        lbl->update();
    } else if (event->type() == QEvent::FontChange) {
        layout();
    }
    QWidget::changeEvent(event);
}

void xpcmdbutton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPixmap &cell = looks_[size_t(look_)];
    for (const tavrik::picture::SlicePiece &piece : tavrik::picture::nineSlice(size(), QSizeF(pc.cellWidth(), pc.cellHeight()))) {
        // Too small a button has no room for the middle pieces.
        if (piece.target.width() > 0 && piece.target.height() > 0)
            p.drawPixmap(piece.target, cell, piece.source);
    }
}

void xpcmdbutton::resizeEvent(QResizeEvent *) { layout(); }

void xpcmdbutton::showEvent(QShowEvent *) { RefreshLook(); }

void xpcmdbutton::Timer1_Timer() { watchPointer(false); }

void xpcmdbutton::watchPointer(bool toldLeft)
{
    if (!tavrik::controls::pointerLeft(*this, Timer1, toldLeft))
        return;
    hovered_ = false;
    Q_EMIT MouseOut();
    RefreshLook();
}

void xpcmdbutton::pointerMoved(int button, int shift, float x, float y)
{
    hovered_ = true;
    if (button != 0 && !Timer1.isActive())
        Timer1.start();
    // Outside only while a mouse button holds the pointer here: nothing to raise.
    if (!tavrik::controls::overButton(*this, QPointF(x, y)))
        return;
    Q_EMIT MouseMove(button, shift, x, y);
    DrawLook(button == 1 ? LookPressed : LookHot);
}

void xpcmdbutton::pointerPressed(int button, int shift, float x, float y)
{
    Q_EMIT MouseDown(button, shift, x, y);
    DrawLook(LookPressed);
}

void xpcmdbutton::pointerReleased(int button, int shift, float x, float y)
{
    Q_EMIT MouseUp(button, shift, x, y);
    RefreshLook();
}

void xpcmdbutton::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = event->position();
    pointerMoved(buttonCode(event->buttons()), shiftCode(event->modifiers()), float(p.x()),
                 float(p.y()));
}

void xpcmdbutton::mousePressEvent(QMouseEvent *event)
{
    const QPointF p = event->position();
    pointerPressed(buttonCode(event->button()), shiftCode(event->modifiers()), float(p.x()),
                   float(p.y()));
}

void xpcmdbutton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF p = event->position();
    pointerReleased(buttonCode(event->button()), shiftCode(event->modifiers()), float(p.x()),
                    float(p.y()));
    if (event->button() == Qt::LeftButton && rect().contains(p.toPoint()))
        Q_EMIT Click();
}

bool xpcmdbutton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != lbl)
        return QWidget::eventFilter(watched, event);
    // Filters see the caption's events before Qt drops them for a disabled widget: a
    // disabled button must neither act nor light up through its caption.
    if (!isEnabled()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
            return true;
        default:
            return QWidget::eventFilter(watched, event);
        }
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *e = static_cast<QMouseEvent *>(event);
        pointerPressed(buttonCode(e->button()), shiftCode(e->modifiers()), float(e->position().x()),
                       float(e->position().y()));
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto *e = static_cast<QMouseEvent *>(event);
        pointerReleased(buttonCode(e->button()), shiftCode(e->modifiers()),
                        float(e->position().x()), float(e->position().y()));
        if (e->button() == Qt::LeftButton && lbl->rect().contains(e->position().toPoint()))
            Q_EMIT Click();
        return true;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        const QPointF onButton = lbl->mapToParent(e->position());
        // Over the caption counts as at the caption's corner (as seen in the button);
        // a caption holding the mouse while the pointer is elsewhere reports where it is.
        QPointF at = onButton;
        if (rect().contains(onButton.toPoint()))
            at = QPointF(qMax(lbl->x(), 0), qMax(lbl->y(), 0));
        pointerMoved(buttonCode(e->buttons()), shiftCode(e->modifiers()), float(at.x()),
                     float(at.y()));
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void xpcmdbutton::keyPressEvent(QKeyEvent *event) { raiseKeyPress(this, event); }

void xpcmdbutton::keyReleaseEvent(QKeyEvent *event) { raiseKeyRelease(this, event); }

} // namespace vexo
