#include "controls/xp/xp_canvas.h"

#include "shared/core/numtext.h"
#include "controls/accessible.h"
#include "controls/mousecodes.h"
#include "controls/xp/keyevents.h"

#include <QBuffer>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <vector>

namespace vexo {

using namespace frame;

namespace {

const QColor kSurface(236, 233, 216);
const QColor kKey(255, 0, 255);
enum Pix { PixTop, PixTopMax, PixLeft, PixRight, PixBottom };

QImage skinImage(const char *name, int set)
{
    return QImage(QStringLiteral(":/tavrik/xp/%1%2.png").arg(QLatin1String(name)).arg(set));
}

QString imageText(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return QString(); // no picture: nothing to keep
    return QString::fromLatin1(bytes.toBase64());
}

QImage imageFromText(const QString &text)
{
    QImage image;
    image.loadFromData(QByteArray::fromBase64(text.toLatin1()), "PNG");
    return image;
}

QFont captionFont()
{
    QFont f;
    // Trebuchet MS where the machine has it; the others draw Latin and Chinese captions.
    f.setFamilies({QStringLiteral("Trebuchet MS"), QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")});
    f.setBold(true);
    f.setPointSizeF(9.75);
    return f;
}

} // namespace

// A strip of the frame or an invisible resize handle: paints its pieces of one skin
// picture and hands the pointer to the frame.
class FramePart : public QWidget {
public:
    FramePart(xp_canvas *owner, QWidget *parent, int code, const QString &name)
        : QWidget(parent), code(code), owner_(owner)
    {
        setObjectName(name);
    }
    const int code; // edge code; -1 for the title strip
    QPixmap pixmap;
    std::vector<Piece> pieces;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (pixmap.isNull())
            return;
        QPainter p(this);
        for (const Piece &piece : pieces)
            if (piece.target.width() > 0 && piece.target.height() > 0)
                p.drawPixmap(piece.target, pixmap, piece.source);
    }
    void mousePressEvent(QMouseEvent *e) override { owner_->partPressed(this, e); }
    void mouseMoveEvent(QMouseEvent *e) override { owner_->partMoved(this, e); }
    void mouseReleaseEvent(QMouseEvent *e) override { owner_->partReleased(this, e); }
    void mouseDoubleClickEvent(QMouseEvent *e) override { owner_->partDoubleClicked(this, e); }

private:
    xp_canvas *owner_;
};

xp_canvas::xp_canvas(QWidget *parent, const QString &name) : QWidget(parent)
{
    setObjectName(name);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    for (int set : {1, 2}) {
        Skin &s = set == 1 ? active_ : inactive_;
        s = {skinImage("top", set), skinImage("topmax", set), skinImage("left", set), skinImage("right", set),
             skinImage("bottom", set)};
    }

    pictop = new FramePart(this, this, -1, QStringLiteral("pictop"));
    picbottom = new FramePart(this, this, Bottom, QStringLiteral("picbottom"));
    picleft = new FramePart(this, this, Left, QStringLiteral("picleft"));
    picright = new FramePart(this, this, Right, QStringLiteral("picright"));

    // The title's icon and texts let the pointer through to the title strip.
    imgicon = new QLabel(pictop);
    imgicon->setObjectName(QStringLiteral("imgicon"));
    imgicon->setGeometry(6, 8, 16, 16);
    imgicon->setScaledContents(true);
    lblshadow = new QLabel(pictop);
    lblshadow->setObjectName(QStringLiteral("lblshadow"));
    lblcaption = new QLabel(pictop);
    lblcaption->setObjectName(QStringLiteral("lblcaption"));
    for (QLabel *l : {imgicon, lblshadow, lblcaption}) {
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        l->setTextFormat(Qt::PlainText);
        l->setFont(captionFont());
    }
    QPalette pal = lblcaption->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    lblcaption->setPalette(pal);

    edges_[Left] = picleft;
    edges_[Right] = picright;
    edges_[Bottom] = picbottom;
    for (int code : {TopLeft, Top, TopRight})
        edges_[size_t(code)] = new FramePart(this, pictop, code, QStringLiteral("imgresize%1").arg(code));
    for (int code : {BottomLeft, BottomRight})
        edges_[size_t(code)] = new FramePart(this, picbottom, code, QStringLiteral("imgresize%1").arg(code));

    // For assistive tools: the title strip by the caption, with the double-click's
    // action; the borders and corners by where they are.
    tavrik::controls::setAccessibleAction(pictop, QAccessible::TitleBar, QStringLiteral("最大化或还原"),
                                          [this] { maximiseOrRestore(); });
    const char *const edgeNames[kEdges] = {"左边框", "右边框", "上边框", "下边框", "右下角", "左下角", "右上角", "左上角"};
    for (int code = 0; code < kEdges; ++code) {
        tavrik::controls::setAccessibleAction(edges_[size_t(code)], QAccessible::Grip, QString(), {});
        edges_[size_t(code)]->setAccessibleName(QString::fromUtf8(edgeNames[code]));
    }

    setIcon(defaultIcon());
    ShowActiveSkin();
    setCaption(instanceName());
    followHost();
}

xp_canvas::~xp_canvas() = default;

QImage xp_canvas::defaultIcon() { return QImage(QStringLiteral(":/tavrik/xp/icon.png")); }

QString xp_canvas::instanceName() const
{
    return objectName().isEmpty() ? QStringLiteral("xp_canvas") : objectName();
}

QString xp_canvas::Caption() const { return lblcaption->text(); }

void xp_canvas::setCaption(const QString &caption)
{
    for (QLabel *l : {lblcaption, lblshadow}) {
        l->setText(caption);
        l->adjustSize();
    }
    pictop->setAccessibleName(caption);
    if (retitlesHost_)
        host()->setWindowTitle(caption);
    layout();
}

void xp_canvas::setIcon(const QImage &icon)
{
    icon_ = icon;
    imgicon->setPixmap(QPixmap::fromImage(icon));
}

void xp_canvas::setFixed_Single(bool fixed)
{
    fixedSingle_ = fixed;
    layout();
}

QRect xp_canvas::clientRect() const
{
    return QRect(kBorder, kTitleHeight, qMax(width() - 2 * kBorder, 0), qMax(height() - kTitleHeight - kBorder, 0));
}

xp_canvas::HostState xp_canvas::hostState() const
{
    const Qt::WindowStates s = host()->windowState();
    if (s & Qt::WindowMinimized)
        return HostState::Minimized;
    if (s & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return HostState::Maximized;
    return HostState::Normal;
}

void xp_canvas::ShowActiveSkin() { useSkin(active_, true); }

void xp_canvas::ShowInactiveSkin() { useSkin(inactive_, false); }

void xp_canvas::useSkin(const Skin &skin, bool active)
{
    imgs_ = skin;
    activeSkin_ = active;
    const std::array<const QImage *, 5> images = {&imgs_.top, &imgs_.topmax, &imgs_.left, &imgs_.right, &imgs_.bottom};
    for (size_t i = 0; i < images.size(); ++i) {
        QPixmap p = QPixmap::fromImage(*images[i]);
        // The key colour outside the rounded corners is no part of the frame.
        if (i == PixTop || i == PixTopMax)
            p.setMask(p.createMaskFromColor(kKey, Qt::MaskInColor));
        pixmaps_[i] = p;
    }
}

void xp_canvas::layout()
{
    update();
    const HostState state = hostState();
    const QImage &title = state == HostState::Maximized ? imgs_.topmax : imgs_.top;
    const Layout l = frame::layout(size(), {title.size(), imgs_.left.size(), imgs_.right.size(), imgs_.bottom.size()});

    pictop->setGeometry(l.top);
    picbottom->setGeometry(l.bottom);
    picleft->setGeometry(l.left);
    picright->setGeometry(l.right);

    auto paint = [](FramePart *part, const QPixmap &pixmap, std::vector<Piece> pieces) {
        part->pixmap = pixmap;
        part->pieces = std::move(pieces);
        part->update();
    };
    paint(picleft, pixmaps_[PixLeft], {l.leftBorder});
    paint(picright, pixmaps_[PixRight], {l.rightBorder});
    // A minimised host keeps the title it had.
    if (state != HostState::Minimized)
        paint(pictop, pixmaps_[state == HostState::Maximized ? PixTopMax : PixTop], {l.title.begin(), l.title.end()});
    paint(picbottom, pixmaps_[PixBottom], {l.bottomBorder});

    lblcaption->move(26, 6);
    lblshadow->move(28, 8);
    for (int code : {Top, BottomRight, BottomLeft, TopRight, TopLeft})
        edges_[size_t(code)]->setGeometry(l.edges[size_t(code)]);

    for (int code = 0; code < kEdges; ++code) {
        FramePart *edge = edges_[size_t(code)];
        if (fixedSingle_ || state == HostState::Maximized)
            edge->unsetCursor();
        else if (state == HostState::Normal)
            edge->setCursor(edgeCursor(code));
    }
    Q_EMIT Resize();
}

void xp_canvas::followHost()
{
    QWidget *parent = parentWidget();
    if (parent == watchedParent_)
        return;
    if (watchedParent_)
        watchedParent_->removeEventFilter(this);
    watchedParent_ = parent;
    if (!parent)
        return;
    parent->installEventFilter(this);
    setGeometry(parent->rect());
}

bool xp_canvas::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == watchedParent_ && event->type() == QEvent::Resize)
        setGeometry(watchedParent_->rect());
    if (watched == watchedParent_ && event->type() == QEvent::WindowStateChange)
        layout();
    return QWidget::eventFilter(watched, event);
}

bool xp_canvas::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (event->type() == QEvent::WindowActivate)
            ShowActiveSkin();
        else
            ShowInactiveSkin();
        // A hidden frame is laid out when it shows again.
        if (isVisible())
            layout();
        break;
    case QEvent::ParentChange:
        followHost();
        break;
    case QEvent::WindowStateChange:
        layout();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void xp_canvas::showEvent(QShowEvent *)
{
    // The look follows whether the host is the active window.
    if (activeSkin_ != isActiveWindow()) {
        if (isActiveWindow())
            ShowActiveSkin();
        else
            ShowInactiveSkin();
    }
    layout();
}

void xp_canvas::SetFocus()
{
    setFocus();
    ShowActiveSkin();
    layout();
}

void xp_canvas::make_trans(QWidget *host)
{
    if (!host)
        return;
    if (host->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
        host->clearMask();
        return;
    }
    QRegion shape(host->rect());
    const QImage &title = imgs_.top;
    const QPoint origin = pictop->mapTo(host, QPoint(0, 0));
    const int W = pictop->width();
    const QRgb key = kKey.rgb();
    for (int y = 0; y < qMin(title.height(), kTitleHeight); ++y)
        for (int x = 0; x < kCap; ++x) {
            if (title.pixel(x, y) == key)
                shape -= QRect(origin + QPoint(x, y), QSize(1, 1));
            if (title.pixel(title.width() - kCap + x, y) == key)
                shape -= QRect(origin + QPoint(W - kCap + x, y), QSize(1, 1));
        }
    host->setMask(shape);
}

void xp_canvas::ResizeParent(QWidget *host, const QPoint &dragStart, const QPoint &dragEnd, int code)
{
    // The window system moves no maximised or minimised window.
    if (!host || (host->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    if (const auto r = resizeParent(host->geometry(), dragStart, dragEnd, code))
        host->setGeometry(*r);
}

void xp_canvas::partPressed(FramePart *part, QMouseEvent *event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (part->code < 0) {
        if (hostState() != HostState::Normal)
            return;
        titleMove_ = TitleMove::Armed;
        movePressGlobal_ = global;
        moveHostStart_ = host()->pos();
        return;
    }
    if (fixedSingle_)
        return;
    dragStart_ = global;
    pressedEdge_ = part->code;
}

void xp_canvas::partMoved(FramePart *, QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton)
        return;
    moveLastGlobal_ = event->globalPosition().toPoint();
    if (titleMove_ == TitleMove::ByHand)
        host()->move(moveHostStart_ + moveLastGlobal_ - movePressGlobal_);
    // Started at the first drag rather than at the press, so that a double-click still
    // reaches the title; handed over once the events already waiting are through, so
    // that a quick drag whose release is among them ends here.
    if (titleMove_ == TitleMove::Armed) {
        titleMove_ = TitleMove::HandingOver;
        QMetaObject::invokeMethod(this, [this] { handOverMove(); }, Qt::QueuedConnection);
    }
}

void xp_canvas::handOverMove()
{
    if (titleMove_ != TitleMove::HandingOver)
        return;
    // The desktop's own move where it offers one; by hand otherwise. The desktop keeps
    // the pointer on the spot of the window where the last event saw it, so the window
    // is not moved first: the desktop would take that back at its first pointer event.
    QWindow *w = host()->windowHandle();
    if (w && w->startSystemMove()) {
        titleMove_ = TitleMove::Idle;
        return;
    }
    titleMove_ = TitleMove::ByHand;
    host()->move(moveHostStart_ + moveLastGlobal_ - movePressGlobal_);
}

void xp_canvas::partReleased(FramePart *part, QMouseEvent *event)
{
    // A drag that ended before it was handed over is made good by hand.
    if (titleMove_ == TitleMove::HandingOver)
        host()->move(moveHostStart_ + event->globalPosition().toPoint() - movePressGlobal_);
    titleMove_ = TitleMove::Idle;
    const bool resizing = part->code >= 0 && part->code == pressedEdge_;
    pressedEdge_ = -1;
    if (!resizing || fixedSingle_)
        return;
    dragEnd_ = event->globalPosition().toPoint();
    ResizeParent(host(), dragStart_, dragEnd_, part->code);
}

void xp_canvas::partDoubleClicked(FramePart *part, QMouseEvent *event)
{
    if (part->code >= 0) {
        partPressed(part, event);
        return;
    }
    titleMove_ = TitleMove::Idle;
    maximiseOrRestore();
}

void xp_canvas::maximiseOrRestore()
{
    if (fixedSingle_)
        return;
    if (hostState() == HostState::Normal)
        host()->showMaximized();
    else
        host()->showNormal();
}

void xp_canvas::readProperties(const tavrik::controls::PropertyBag &bag)
{
    setCaption(bag.read(QStringLiteral("Caption"), instanceName()));
    const QImage stored = bag.contains(QStringLiteral("Icon")) ? imageFromText(bag.read(QStringLiteral("Icon"), QString()))
                                                               : QImage();
    setIcon(stored.isNull() ? defaultIcon() : stored);
    setFixed_Single(tavrik::core::parseBool(bag.read(QStringLiteral("Fixed_Single"), QStringLiteral("False"))).value_or(false));
}

void xp_canvas::writeProperties(tavrik::controls::PropertyBag &bag) const
{
    bag.write(QStringLiteral("Caption"), Caption(), instanceName());
    bag.write(QStringLiteral("Icon"), imageText(icon_), imageText(defaultIcon()));
    bag.write(QStringLiteral("Fixed_Single"), fixedSingle_ ? QStringLiteral("True") : QStringLiteral("False"),
              QStringLiteral("False"));
}

void xp_canvas::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), kSurface);
}

void xp_canvas::resizeEvent(QResizeEvent *) { layout(); }

void xp_canvas::mousePressEvent(QMouseEvent *event)
{
    afterDoubleClick_ = false;
    Q_EMIT MouseDown(tavrik::controls::buttonCode(event->button()), tavrik::controls::shiftCode(event->modifiers()),
                     float(event->position().x()), float(event->position().y()));
}

void xp_canvas::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT MouseMove(tavrik::controls::buttonCode(event->buttons()), tavrik::controls::shiftCode(event->modifiers()),
                     float(event->position().x()), float(event->position().y()));
}

void xp_canvas::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT MouseUp(tavrik::controls::buttonCode(event->button()), tavrik::controls::shiftCode(event->modifiers()),
                   float(event->position().x()), float(event->position().y()));
    // The release that ends a double-click is no click of its own.
    if (!afterDoubleClick_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT Click();
    afterDoubleClick_ = false;
}

void xp_canvas::mouseDoubleClickEvent(QMouseEvent *)
{
    afterDoubleClick_ = true;
    Q_EMIT DblClick();
}

void xp_canvas::keyPressEvent(QKeyEvent *event) { raiseKeyPress(this, event); }

void xp_canvas::keyReleaseEvent(QKeyEvent *event) { raiseKeyRelease(this, event); }

} // namespace vexo
