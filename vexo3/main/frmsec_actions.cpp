// FrmSec: the buttons, the stopwatch actions, the tick and the precision.

#include "vexo3/main/frmsec.h"

#include "controls/cmdbox/cmdbox.h"
#include "controls/seg/seg.h"
#include "shared/core/displaysettings.h"
#include "shared/gui/precisionmenu.h"
#include "shared/gui/services.h"
#include "vexo3/main/dbusservice.h"
#include "vexo3/main/flist.h"
#include "vexo3/main/frmsec_p.h"

#include <QAction>
#include <QTimer>

namespace vexo3 {

using tavrik::gui::services;

void FrmSec::Private::showButtons()
{
    for (int i = 0; i < kButtonCount; ++i) {
        CMD[size_t(i)]->setVisible(sw.buttons.visible(i));
        CMD[size_t(i)]->setEnabled(sw.buttons.enabled(i));
    }
}

void FrmSec::Private::CMD_Click(int Index)
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

void FrmSec::Private::CMD_EnabledChanged(int Index, bool cEnabled)
{
    QAction *mirror[kButtonCount] = {mstart, mPause, mCoun, mReset, mStop, nullptr, nullptr, mUnload};
    if (mirror[Index])
        mirror[Index]->setEnabled(cEnabled);
}

// The buttons and the timer follow the stopwatch; every action that acted saves the
// state.
void FrmSec::Private::afterAction()
{
    showButtons();
    if (sw.running)
        tmrGo->start();
    else
        tmrGo->stop();
    SegBox1->announceNow();
    SaveState();
}

void FrmSec::Private::ActStart()
{
    if (sw.ActStart(services().clock->now()))
        afterAction();
}

void FrmSec::Private::ActPause()
{
    // The reading stays as of the pause, to the precision chosen.
    tmrGo->catchUp();
    if (sw.ActPause(services().clock->now()))
        afterAction();
}

void FrmSec::Private::ActContinue()
{
    if (sw.ActContinue(services().clock->now()))
        afterAction();
}

void FrmSec::Private::ActStop()
{
    tmrGo->catchUp();
    if (sw.ActStop(services().clock->now()))
        afterAction();
}

void FrmSec::Private::ActReset()
{
    if (!sw.ActReset())
        return;
    displays->showReset();
    afterAction();
}

void FrmSec::Private::ActRecord()
{
    if (!sw.guard(Action::Record))
        return;
    tmrGo->catchUp();
    if (!list)
        list = newRecordList(q);
    list->showAbove(q);
    list->append(sw.TimerString + QStringLiteral("S [") + sw.TimeString + u']');
    SegBox1->announceNow();
    announceChange(q);
}

void FrmSec::Private::ActAbout()
{
    if (!sw.guard(Action::About))
        return;
    mAbout_Click();
    SaveState();
}

void FrmSec::Private::ActExit()
{
    if (!sw.guard(Action::Exit))
        return;
    SaveState();
    q->close();
}

void FrmSec::Private::ActKeyDown(int KeyCode, Qt::KeyboardModifiers Shift)
{
    switch (keyAction(KeyCode, Shift, sw.buttons)) {
    case Action::Start: ActStart(); break;
    case Action::Continue: ActContinue(); break;
    case Action::Pause: ActPause(); break;
    case Action::Record: ActRecord(); break;
    case Action::Reset: ActReset(); break;
    default: break;
    }
}

void FrmSec::Private::tmrGo_Timer()
{
    sw.tick(services().clock->now());
    displays->showTick({sw.TimerString, sw.TimeString});
}

void FrmSec::Private::ReDrawSeg() { displays->redraw({sw.TimerString, sw.TimeString}); }

void FrmSec::Private::msp_Click(int Index)
{
    QString error;
    state.saved(tavrik::core::saveSpeed(*services().store, tavrik::gui::applyPrecision(Index, tmrGo, msp), &error), error);
}

} // namespace vexo3
