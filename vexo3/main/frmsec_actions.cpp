// FrmSec: the buttons, the stopwatch actions, the tick and the precision.

#include "vexo3/main/frmsec.h"

#include "shared/core/displaysettings.h"
#include "shared/gui/precisionmenu.h"
#include "shared/gui/savenotice.h"
#include "shared/gui/services.h"
#include "controls/cmdbox/cmdbox.h"
#include "vexo3/main/flist.h"
#include "vexo3/main/frmsec_ui.h"
#include "vexo3/engine/persistence.h"
#include "controls/seg/seg.h"
#include "vexo3/windows/fbig.h"

#include <QAction>
#include <QTimer>

namespace vexo3 {

using tavrik::gui::services;

bool FrmSec::buttonEnabled(int index) const { return ui_->CMD[index]->Enabled(); }

bool FrmSec::buttonVisible(int index) const { return ui_->CMD[index]->isVisibleTo(this); }

void FrmSec::SetV(const QList<int> &list)
{
    for (cmdBox *b : ui_->CMD)
        b->setVisible(false);
    for (int i : list)
        ui_->CMD[i]->setVisible(true);
}

void FrmSec::SetE(const QList<int> &list)
{
    for (cmdBox *b : ui_->CMD)
        b->setEnabled(false);
    for (QAction *a : {ui_->mstart, ui_->mStop, ui_->mPause, ui_->mUnload, ui_->mReset})
        a->setEnabled(false);
    for (int i : list)
        ui_->CMD[i]->setEnabled(true);
}

void FrmSec::CMD_Click(int Index)
{
    switch (buttonAction(Index)) {
    case Action::Start: ActStart(); break;
    case Action::Pause: ActPause(); break;
    case Action::Continue: ActContinue(); break;
    case Action::Reset: ActReset(); break;
    case Action::Stop: ActStop(); break;
    case Action::About: ActAbout(); break;
    case Action::Record: ActRecord(); break;
    case Action::Exit: ActExit(); break;
    case Action::None: break;
    }
}

void FrmSec::CMD_EnabledChanged(int Index, bool cEnabled)
{
    const Ui &ui = *ui_;
    QAction *mirror[kButtonCount] = {ui.mstart, ui.mPause, ui.mCoun, ui.mReset, ui.mStop, nullptr, nullptr, ui.mUnload};
    if (mirror[Index])
        mirror[Index]->setEnabled(cEnabled);
}

// The timer follows the running flag; every action that acted saves the state.
void FrmSec::afterAction()
{
    if (sw.running)
        ui_->tmrGo->start();
    else
        ui_->tmrGo->stop();
    SaveState();
}

void FrmSec::ActStart()
{
    if (sw.ActStart(services().clock->now()))
        afterAction();
}

void FrmSec::ActPause()
{
    if (sw.ActPause(services().clock->now()))
        afterAction();
}

void FrmSec::ActContinue()
{
    if (sw.ActContinue(services().clock->now()))
        afterAction();
}

void FrmSec::ActStop()
{
    if (sw.ActStop(services().clock->now()))
        afterAction();
}

void FrmSec::ActReset()
{
    if (!sw.ActReset())
        return;
    ui_->SegBox1->setSegValue(kResetText);
    bigWindow(true)->showReading(kResetText);
    afterAction();
}

void FrmSec::ActRecord()
{
    if (!sw.guard(Action::Record))
        return;
    if (!list_)
        list_ = newRecordList(this);
    list_->showAbove(this);
    list_->append(sw.TimerString + QStringLiteral("S [") + sw.TimeString + u']');
}

void FrmSec::ActAbout()
{
    if (!sw.guard(Action::About))
        return;
    mAbout_Click();
    SaveState();
}

void FrmSec::ActExit()
{
    if (!sw.guard(Action::Exit))
        return;
    SaveState();
    close();
}

void FrmSec::ActKeyDown(int KeyCode, Qt::KeyboardModifiers Shift)
{
    switch (keyAction(KeyCode, Shift, *this)) {
    case Action::Start: ActStart(); break;
    case Action::Continue: ActContinue(); break;
    case Action::Pause: ActPause(); break;
    case Action::Record: ActRecord(); break;
    case Action::Reset: ActReset(); break;
    default: break;
    }
}

void FrmSec::tmrGo_Timer()
{
    sw.tick(services().clock->now());
    const Readings r{sw.TimerString, sw.TimeString};
    if (const QString *text = tickMainText(sw.SegMode1, r))
        ui_->SegBox1->setSegValue(*text);
    if (big_ && big_->isVisible() && big_->mode() == fBig::kTimerMode)
        big_->showReading(readingFor(sw.SegMode2, r));
}

void FrmSec::ReDrawSeg()
{
    const Readings r{sw.TimerString, sw.TimeString};
    ui_->SegBox1->setSegValue(readingFor(sw.SegMode1, r));
    if (big_ && big_->isVisible())
        big_->showReading(readingFor(sw.SegMode2, r));
}

void FrmSec::msp_Click(int Index)
{
    QString error;
    saveNotice_->saved(tavrik::core::saveSpeed(*services().store, tavrik::gui::applyPrecision(Index, ui_->tmrGo, ui_->msp), &error),
                       error);
}

} // namespace vexo3
