// FrmSec: start-up, closing and ending, keys, and what the window shows of itself.

#include "vexo3/main/frmsec.h"

#include "controls/cmdbox/cmdbox.h"
#include "controls/seg/seg.h"
#include "controls/twips.h"
#include "shared/core/displaysettings.h"
#include "shared/core/keys.h"
#include "shared/core/version.h"
#include "shared/gui/closepolicy.h"
#include "shared/gui/placement.h"
#include "shared/gui/savenotice.h"
#include "shared/gui/services.h"
#include "vexo3/main/frmsec_p.h"
#include "vexo3/version.h"
#include "vexo3/windows/fbig.h"
#include "vexo3/windows/foption.h"
#include "vexo3/windows/imagesets.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <tuple>

namespace vexo3 {

using tavrik::controls::px;
using tavrik::gui::services;

FrmSec::Private::Private(FrmSec *window) : q(window), state(window) {}

FrmSec::FrmSec(QWidget *parent) : QMainWindow(parent), d_(std::make_unique<Private>(this))
{
    d_->buildWidgets();
    d_->buildMenus();
    qApp->installEventFilter(this);
}

FrmSec::~FrmSec()
{
    qApp->removeEventFilter(this);
    d_->displays.reset();
    delete d_->list.data();
    delete d_->option.data();
}

void FrmSec::Form_Load() { d_->Form_Load(); }
void FrmSec::endFromSystem() { d_->endFromSystem(); }
void FrmSec::saveForSessionEnd() { d_->saveForSessionEnd(); }
bool FrmSec::isEnding() const { return d_->ending; }
const Stopwatch &FrmSec::stopwatch() const { return d_->sw; }
int FrmSec::countdownMode() const { return d_->mode; }
fList *FrmSec::recordList() const { return d_->list; }
fOption *FrmSec::optionDialog() const { return d_->option; }
MainHost &FrmSec::displays() const { return *d_->displays; }

void FrmSec::Private::setTitle()
{
    q->setWindowTitle(QStringLiteral("Tavrik") + tavrik::core::versionText(kVersion, tavrik::core::Revision::Plain));
}

void FrmSec::Private::Form_Load()
{
    IniPath = vexoIniPath();
    q->adjustSize();
    setTitle();
    alarmTime.clear();

    const QString image = selectedSegImage(IniPath);
    if (!image.isEmpty())
        loadSegImage(q, SegBox1, image);

    displays->readSettings();
    std::tie(sw.msStyle, sw.msCount) = fractionStyleOf(IniPath);

    SegBox1->setSegValue(QStringLiteral("0.000"));
    displays->bigWindow(true)->showReading(QStringLiteral("0.000"));

    // Before the first save, which would fail for the same reason: said from the event
    // loop, where an end request can still close the box.
    state.checkStore();
    msp_Click(tavrik::core::readSpeed(*services().store));

    const bool onTop = tavrik::core::readOnTop(*services().store);
    montop->setChecked(onTop);
    if (onTop)
        tavrik::gui::setTopmost(q, true);

    sw.buttons.show(kIdleSet);
    sw.buttons.enable(kIdleSet);
    GetState();
    for (int i : {0, 4, 2, 1, 7, 5, 3})
        CMD[size_t(i)]->setCaption(QString::fromUtf8(kButtons[i].caption));

    tavrik::gui::centreOnScreen(q);
    q->show();
    if (!sw.buttons.visible(3) && !sw.buttons.visible(4)) {
        sw.buttons.show(kIdleSet);
        sw.buttons.enable(kIdleSet);
        showButtons();
    }
    SegBox1->setSegCount(QString::number(displays->SegCounts1()));
    SegBox1->resize(px(kInnerWidthTwips - 1.5 * kMainSegLeft), SegBox1->height());
    ReDrawSeg();
    Timer2_Timer();
    Timer2->start();
    lblMode->setText(mMode2[size_t(mode)]->text());
    loaded = true;
    // Asked to end while starting up (say, while a start-up box was open): end now,
    // from the event loop, with the state restored.
    if (endPending)
        QTimer::singleShot(0, q, [this] { endFromSystem(); });
}

bool FrmSec::Private::Form_Unload()
{
    if (locked) {
        refusal->refuse();
        return true;
    }
    endProgram();
    return false;
}

void FrmSec::Private::saveForSessionEnd()
{
    // Before start-up has restored the state there is nothing newer to save.
    if (!loaded)
        return;
    SaveState();
    displays->saveSettings([this](const QString &key, const QString &value) { state.saveSetting(key, value); });
}

void FrmSec::Private::endProgram()
{
    if (ending) {
        QCoreApplication::exit(0);
        return;
    }
    ending = true;
    state.setEnding();
    Q_EMIT q->ending();
    saveForSessionEnd();
    tavrik::gui::finishSaving();
    tmrGo->stop();
    Timer2->stop();
    if (list)
        list->closeForGood();
    // Every other window goes at once, without further events.
    displays->closeAll();
    for (QWidget *w : {static_cast<QWidget *>(list.data()), static_cast<QWidget *>(option.data())})
        if (w)
            w->deleteLater();
    tavrik::gui::leaveEventLoops(q);
}

void FrmSec::Private::endFromSystem()
{
    if (!loaded) {
        endPending = true;
        return;
    }
    if (ending) {
        endProgram();
        return;
    }
    if (!locked)
        q->close();
    // Locked, or something kept the window open: end all the same.
    if (!ending)
        endProgram();
}

void FrmSec::closeEvent(QCloseEvent *event)
{
    if (d_->ending || !d_->Form_Unload())
        event->accept();
    else
        event->ignore();
}

bool FrmSec::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        QWidget *w = static_cast<QWidget *>(watched)->window();
        const bool mine = (w == this && !d_->locked) || (d_->list && w == d_->list.data());
        if (mine) {
            auto *ke = static_cast<QKeyEvent *>(event);
            const int key = tavrik::core::effectiveKey(ke->key(), ke->nativeVirtualKey());
            if (keyAction(key, ke->modifiers(), d_->sw.buttons) != Action::None || key == Qt::Key_Return ||
                key == Qt::Key_Enter || key == Qt::Key_F1) {
                // Holding a key down must not start and pause in turn.
                if (!ke->isAutoRepeat())
                    d_->ActKeyDown(key, ke->modifiers());
                return true;
            }
        }
    } else if (watched == d_->lblDate && event->type() == QEvent::MouseButtonPress) {
        return true; // the date line's own click, not the window body's
    } else if (watched == d_->lblDate && event->type() == QEvent::MouseButtonRelease) {
        d_->lblDate_Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmSec::mousePressEvent(QMouseEvent *event)
{
    QMainWindow::mousePressEvent(event);
    d_->Form_Click();
}

} // namespace vexo3
