// FrmSec: start-up, closing and ending, keys, and what the window offers its other
// windows.

#include "vexo3/main/frmsec.h"

#include "shared/core/keys.h"
#include "shared/core/numtext.h"
#include "shared/core/precision.h"
#include "shared/core/profile.h"
#include "shared/core/settingsstore.h"
#include "shared/core/version.h"
#include "shared/gui/closepolicy.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/savenotice.h"
#include "shared/gui/services.h"
#include "shared/gui/placement.h"
#include "controls/twips.h"
#include "controls/cmdbox/cmdbox.h"
#include "vexo3/main/flist.h"
#include "vexo3/main/frmsec_ui.h"
#include "vexo3/engine/persistence.h"
#include "vexo3/version.h"
#include "controls/seg/seg.h"
#include "vexo3/windows/fbig.h"
#include "vexo3/windows/foption.h"
#include "vexo3/windows/imagesets.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <tuple>

namespace vexo3 {

using tavrik::controls::px;
using tavrik::gui::services;

namespace {


// A stored 16-bit number; anything else (not a number, out of range) is the default.
short storedShort(const QString &section, const QString &key, short def)
{
    return short(tavrik::core::parseRounded(tavrik::gui::readSetting(section, key, QString::number(def)), -32768, 32767)
                     .value_or(def));
}

} // namespace

FrmSec::FrmSec(QWidget *parent) : QMainWindow(parent), ui_(std::make_unique<Ui>()), sw(*this)
{
    saveNotice_ = new tavrik::gui::SaveNotice(this, [](const QString &reason) {
        return QStringLiteral("无法保存秒表的状态：%1\n秒表照常计时，但程序退出后可能无法恢复本次计时。").arg(reason);
    });
    buildWidgets();
    buildMenus();
    qApp->installEventFilter(this);
}

FrmSec::~FrmSec()
{
    qApp->removeEventFilter(this);
    // The other big windows know this window as their host: none may outlive it.
    for (fBig *b : fBig::instances())
        if (b != big_)
            delete b;
    delete big_.data();
    delete list_.data();
    delete option_.data();
}

void FrmSec::setTitle()
{
    setWindowTitle(QStringLiteral("Tavrik") + tavrik::core::versionText(kVersion, tavrik::core::Revision::Plain));
}

void FrmSec::Form_Load()
{
    IniPath = vexoIniPath();
    adjustSize();
    setTitle();
    alarmTime_.clear();

    const QString image = selectedSegImage(IniPath);
    if (!image.isEmpty())
        loadSegImage(this, ui_->SegBox1, image);

    sw.SegMode1 = storedShort(kDisplaySection, QStringLiteral("SegMode1"), 0);
    sw.SegMode2 = storedShort(kDisplaySection, QStringLiteral("SegMode2"), 0);
    const auto height = tavrik::core::parseFloat(tavrik::gui::readSetting(kDisplaySection, QStringLiteral("SegHeight"), QStringLiteral("200")));
    segHeight_ = height && *height > 0 ? *height : 200.0f;

    std::tie(sw.msStyle, sw.msCount) = fractionStyleOf(IniPath);

    ui_->SegBox1->setSegValue(QStringLiteral("0.000"));
    bigWindow(true)->showReading(QStringLiteral("0.000"));

    // Before the first save, which would fail for the same reason: said from the event
    // loop, where an end request can still close the box.
    saveNotice_->checkStore(QStringLiteral("设置和计时状态"));
    msp_Click(tavrik::core::readSpeed(*services().store));

    const bool onTop = tavrik::core::readOnTop(*services().store);
    ui_->montop->setChecked(onTop);
    if (onTop)
        tavrik::gui::setTopmost(this, true);

    SetV(kIdleSet);
    SetE(kIdleSet);
    GetState();
    for (int i : {0, 4, 2, 1, 7, 5, 3})
        ui_->CMD[i]->setCaption(QString::fromUtf8(kButtons[i].caption));

    tavrik::gui::centreOnScreen(this);
    show();
    if (!ui_->CMD[3]->isVisibleTo(this) && !ui_->CMD[4]->isVisibleTo(this)) {
        SetV(kIdleSet);
        SetE(kIdleSet);
    }
    ui_->SegBox1->setSegCount(QString::number(segCounts1_));
    ui_->SegBox1->resize(px(kInnerWidthTwips - 1.5 * kMainSegLeft), ui_->SegBox1->height());
    ReDrawSeg();
    Timer2_Timer();
    ui_->Timer2->start();
    ui_->lblMode->setText(ui_->mMode2[mode_]->text());
    loaded_ = true;
    // Asked to end while starting up (say, while a start-up box was open): end now,
    // from the event loop, with the state restored.
    if (endPending_)
        QTimer::singleShot(0, this, &FrmSec::endFromSystem);
}

bool FrmSec::Form_Unload()
{
    if (locked_) {
        ui_->refusal->refuse();
        return true;
    }
    endProgram();
    return false;
}

void FrmSec::saveForSessionEnd()
{
    // Before start-up has restored the state there is nothing newer to save.
    if (!loaded_)
        return;
    SaveState();
    saveDisplaySetting(QStringLiteral("SegMode1"), QString::number(sw.SegMode1));
    saveDisplaySetting(QStringLiteral("SegMode2"), QString::number(sw.SegMode2));
}

void FrmSec::endProgram()
{
    if (ending_) {
        QCoreApplication::exit(0);
        return;
    }
    ending_ = true;
    saveNotice_->setEnding();
    Q_EMIT ending();
    saveForSessionEnd();
    tavrik::gui::finishSaving();
    ui_->tmrGo->stop();
    ui_->Timer2->stop();
    if (list_)
        list_->closeForGood();
    // Every other window goes at once, without further events.
    for (fBig *b : fBig::instances())
        b->deleteLater();
    for (QWidget *w : {static_cast<QWidget *>(list_.data()), static_cast<QWidget *>(option_.data())})
        if (w)
            w->deleteLater();
    tavrik::gui::leaveEventLoops(this);
}

void FrmSec::endFromSystem()
{
    if (!loaded_) {
        endPending_ = true;
        return;
    }
    if (ending_) {
        endProgram();
        return;
    }
    if (!locked_)
        close();
    // Locked, or something kept the window open: end all the same.
    if (!ending_)
        endProgram();
}

void FrmSec::closeEvent(QCloseEvent *event)
{
    if (ending_ || !Form_Unload())
        event->accept();
    else
        event->ignore();
}

int FrmSec::keyOf(const QKeyEvent *event) const
{
    return tavrik::core::effectiveKey(event->key(), event->nativeVirtualKey());
}

bool FrmSec::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        QWidget *w = static_cast<QWidget *>(watched)->window();
        const bool mine = (w == this && !locked_) || (list_ && w == list_.data());
        if (mine) {
            auto *ke = static_cast<QKeyEvent *>(event);
            const int key = keyOf(ke);
            if (keyAction(key, ke->modifiers(), *this) != Action::None || key == Qt::Key_Return ||
                key == Qt::Key_Enter || key == Qt::Key_F1) {
                // Holding a key down must not start and pause in turn.
                if (!ke->isAutoRepeat())
                    ActKeyDown(key, ke->modifiers());
                return true;
            }
        }
    } else if (watched == ui_->lblDate && event->type() == QEvent::MouseButtonPress) {
        return true; // the date line's own click, not the window body's
    } else if (watched == ui_->lblDate && event->type() == QEvent::MouseButtonRelease) {
        lblDate_Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmSec::mousePressEvent(QMouseEvent *event)
{
    QMainWindow::mousePressEvent(event);
    Form_Click();
}

fBig *FrmSec::bigWindow(bool create)
{
    if (!big_ && create)
        big_ = new fBig(this);
    return big_;
}

QIcon FrmSec::hostIcon() const { return windowIcon(); }

Seg *FrmSec::mainSeg() { return ui_->SegBox1; }

void FrmSec::setSegCounts(short mainCells, short bigCells)
{
    segCounts1_ = mainCells;
    segCounts2_ = bigCells;
}

void FrmSec::setFractionStyle(short msStyle, short msCount)
{
    sw.msStyle = msStyle;
    sw.msCount = msCount;
}

fList *FrmSec::recordList() const { return list_; }

fOption *FrmSec::optionDialog() const { return option_; }

} // namespace vexo3
