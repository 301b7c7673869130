// FrmSec: start-up, closing and ending, keys and the mouse on the window itself.

#include "vexo/main/frmsec.h"

#include "shared/core/clock.h"
#include "shared/core/keys.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/savenotice.h"
#include "shared/gui/services.h"
#include "shared/gui/placement.h"
#include "controls/twips.h"
#include "vexo/main/flist.h"
#include "vexo/main/frmsec_ui.h"
#include "controls/xp/xpcmdbutton.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace vexo {

using tavrik::controls::px;
using tavrik::gui::services;

FrmSec::FrmSec(QWidget *parent) : QWidget(parent), ui_(std::make_unique<Ui>())
{
    saveNotice_ = new tavrik::gui::SaveNotice(this, [](const QString &reason) {
        return QStringLiteral("无法保存设置：%1\n本次的更改在程序退出后可能会丢失。").arg(reason);
    });
    buildWidgets();
    buildMenus();
    // Key preview: the window sees its keys before the focused button does.
    qApp->installEventFilter(this);
}

FrmSec::~FrmSec()
{
    qApp->removeEventFilter(this);
    delete ui_->list.data();
}

double FrmSec::now() const { return services().clock->absoluteSeconds(); }

int FrmSec::outerHeightTwips() const
{
    const int frame = frameGeometry().height() - height();
    return int(tavrik::controls::twips(height() - statusRoom_ + (frame > 0 ? frame : px(kDesignFrameTwips))));
}

void FrmSec::setOuterHeightTwips(int twips)
{
    const int frame = frameGeometry().height() - height();
    const int client = std::max(1, px(twips) - (frame > 0 ? frame : px(kDesignFrameTwips)));
    // The alarm status line (Label6) was designed to run past the bottom of the client
    // area, and a thicker title bar than the designer's takes more of it: the window of
    // normal height grows by what it needs to show that line whole. The window's
    // formulas (mini or not, the tick's caption) see the height they set.
    const QRect status = ui_->Label6->geometry();
    statusRoom_ = isMini(twips) ? 0 : std::max(0, status.y() + status.height() - client);
    setFixedSize(px(kClientWidthTwips), client + statusRoom_);
}

void FrmSec::setCaptionIfDifferent(const QString &caption)
{
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

// The mini window's read-out line: 12 pt as designed, smaller only where the whole
// line would not fit the window's width (fonts that stand in for SimSun are wider),
// so that the reading is never cut off.
void FrmSec::showLabel5(const QString &text)
{
    Readout *l = ui_->Label5;
    if (l->text() == text)
        return;
    l->setText(text);
    if (text.size() != label5Length_) {
        label5Length_ = text.size();
        QFont f = l->font();
        const int room = width() - 2 * px(120);
        for (double points = 12; points >= 6; points -= 0.25) {
            f.setPointSizeF(points);
            const int w = Readout::lineWidth(f, text);
            if ((w < 0 ? QFontMetrics(f).horizontalAdvance(text) : w) <= room)
                break;
        }
        l->setFont(f);
    }
    l->adjustSize();
    // Centred on the line it was designed for (12 pt, 240 twips high): a font with
    // taller lines than SimSun's still fits the mini window.
    l->move(px(120), std::max(0, px(120 + 240 / 2) - l->height() / 2));
}

void FrmSec::stored(bool ok, const QString &why) { saveNotice_->saved(ok, why); }

void FrmSec::Form_Load()
{
    Ui &ui = *ui_;
    setOuterHeightTwips(kStartOuterHeight);
    setWindowTitle(versionCaption());
    settings_ = readSettings(*services().store);
    // Before the first save, which would fail for the same reason.
    saveNotice_->checkStore(QStringLiteral("设置"));
    ui.mA60->setChecked(settings_.mA60);
    ui.mB60->setChecked(settings_.mB60);
    sw.mA60 = settings_.mA60;
    sw.mB60 = settings_.mB60;
    applyBorders();
    msp_Click(settings_.Speed);
    ui.montop->setChecked(settings_.OnTop);
    if (settings_.OnTop)
        tavrik::gui::setTopmost(this, true);
    showState();

    tavrik::gui::centreOnScreen(this);
    show();
    // The frame is known now: the outer height is what it should be.
    setOuterHeightTwips(kStartOuterHeight);
    tavrik::gui::centreOnScreen(this);
    Timer2_Timer();
    ui.Timer2->start();
}

bool FrmSec::refusing() const { return ui_->refusal->showing(); }

bool FrmSec::Form_Unload()
{
    Ui &ui = *ui_;
    switch (closeDecision(sw.Started(), sw.Locked())) {
    case CloseDecision::CloseNow:
        endProgram();
        return false;
    case CloseDecision::RefuseLocked:
        ui.refusal->refuse();
        return true;
    case CloseDecision::Ask:
        break;
    }
    if (!services().dialogs->question(this, kCloseQuestion, windowTitle()))
        return true;
    QString why;
    stored(saveBorderStyles(*services().store, settings_, &why), why);
    endProgram();
    return false;
}

void FrmSec::endProgram()
{
    if (ending_)
        return;
    ending_ = true;
    saveNotice_->setEnding();
    tavrik::gui::finishSaving();
    ui_->Timer1->stop();
    ui_->Timer2->stop();
    if (ui_->list)
        ui_->list->closeForGood();
    // A test's window gone, its ending goes with it.
    tavrik::gui::leaveEventLoops(this);
}

void FrmSec::endFromSystem()
{
    endProgram();
    close();
}

void FrmSec::closeEvent(QCloseEvent *event)
{
    if (ending_ || !Form_Unload())
        event->accept();
    else
        event->ignore();
}

bool FrmSec::eventFilter(QObject *watched, QEvent *event)
{
    Ui &ui = *ui_;
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *ke = static_cast<QKeyEvent *>(event);
        // While locked, no key is an operation.
        if (static_cast<QWidget *>(watched)->window() == this) {
            const int key = tavrik::core::effectiveKey(ke->key(), ke->nativeVirtualKey());
            if (sw.keyOperation(key, ke->modifiers()) != Operation::None) {
                // Holding a key down must not start and pause in turn.
                if (!ke->isAutoRepeat())
                    Form_KeyDown(key, ke->modifiers());
                return true;
            }
        }
        return QWidget::eventFilter(watched, event);
    }
    // Installed on the whole application: only the pointer's events can be the labels'.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return QWidget::eventFilter(watched, event);
    auto *label = qobject_cast<QLabel *>(watched);
    if (!label || label->parentWidget() != this)
        return QWidget::eventFilter(watched, event);

    // The window's labels take their own clicks and moves: none of them is the window's.
    switch (event->type()) {
    case QEvent::MouseMove:
        if (label == ui.Label2)
            Label2_MouseMove();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || !label->rect().contains(mouse->position().toPoint()))
            return true;
        if (label == ui.Label2)
            Label2_Click();
        else if (label == ui.Label5)
            Form_Click();
        else
            for (int i = 0; i < kBorderedCount; ++i)
                if (label == ui.bordered()[size_t(i)])
                    border_Click(Bordered(i));
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void FrmSec::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    if (!childAt(event->position().toPoint()))
        Form_MouseMove();
}

void FrmSec::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        !childAt(event->position().toPoint()))
        Form_Click();
}

void FrmSec::Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift)
{
    ui_->Timer1->catchUp();
    if (sw.keyDown(KeyCode, Shift, now()))
        showState();
}

} // namespace vexo
