// FrmSec: the five operations, the buttons, the display tick and the date line.

#include "vexo/main/frmsec.h"

#include "shared/core/clock.h"
#include "shared/core/timing.h"
#include "shared/gui/notifier.h"
#include "shared/gui/framegate.h"
#include "shared/gui/services.h"
#include "shared/gui/sound.h"
#include "controls/twips.h"
#include "vexo/main/frmsec_ui.h"
#include "vexo/engine/windowlogic.h"
#include "controls/xp/xpcmdbutton.h"

#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QTimer>

#include <algorithm>

namespace vexo {

using tavrik::gui::services;

void FrmSec::Start()
{
    if (!sw.Start(now()))
        return;
    // Off and on again, so that the tick's period begins now.
    ui_->Timer1->stop();
    showState();
}

void FrmSec::Pause()
{
    // The read-outs stay as of the pause, to the precision chosen.
    ui_->Timer1->catchUp();
    if (sw.Pause(now()))
        showState();
}

void FrmSec::Continue()
{
    if (sw.Continue(now()))
        showState();
}

void FrmSec::Stop()
{
    ui_->Timer1->catchUp();
    if (sw.Stop())
        showState();
}

void FrmSec::Reset()
{
    if (sw.Reset())
        showState();
}

void FrmSec::cmd_Click(Button b)
{
    switch (b) {
    case Button::cmdStart: Start(); break;
    case Button::cmdPause: Pause(); break;
    case Button::cmdCoun: Continue(); break;
    case Button::cmdStop: Stop(); break;
    case Button::cmdReset: Reset(); break;
    case Button::cmdLog: mrec_Click(); break;
    case Button::cmdAbout: mAbout_Click(); break;
    case Button::cmdClose: close(); break;
    }
}

// The buttons, the read-outs and Timer1 as the stopwatch has them now. In each slot
// only the front-most button whose flag is set shows (and takes the clicks).
void FrmSec::showState()
{
    Ui &ui = *ui_;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::optional<Button> front = sw.slotButton(slot);
        for (Button b : slotButtons(slot))
            ui.cmd[size_t(b)]->setVisible(front == b);
    }
    for (int i = 0; i < kButtonCount; ++i)
        ui.cmd[size_t(i)]->setEnabled(sw.enabled(Button(i)));
    ui.mUnload->setEnabled(!sw.Locked());
    ui.lblTime->setText(sw.lblTime());
    ui.lblTimer->setText(sw.lblTimer());
    ui.Label6->setText(sw.Label6());
    if (sw.Timer1On() != ui.Timer1->isActive()) {
        if (sw.Timer1On())
            ui.Timer1->start();
        else
            ui.Timer1->stop();
    }
}

void FrmSec::Timer1_Timer()
{
    Ui &ui = *ui_;
    if (!sw.tick(now()))
        return;
    ui.readouts->request();
}

// What a tick changed, as it is when shown.
void FrmSec::showTick()
{
    Ui &ui = *ui_;
    ui.Label6->setText(sw.Label6());
    ui.lblTimer->setText(sw.lblTimer());
    ui.lblTime->setText(sw.lblTime());
    const TickCaption shown = tickCaption(outerHeightTwips(), sw.lblTime(), sw.lblTimer());
    showLabel5(shown.Label5);
    // Outside the mini window the caption does not follow the reading: no wake-up to
    // find that out again.
    if (shown.caption != windowTitle())
        ui.caption->request();
}

void FrmSec::showTickCaption()
{
    setCaptionIfDifferent(tickCaption(outerHeightTwips(), sw.lblTime(), sw.lblTimer()).caption);
}

void FrmSec::Timer2_Timer()
{
    Ui &ui = *ui_;
    if (!ui.refusal->tick()) {
        const tavrik::core::Now n = services().clock->now();
        ui.lblDate->setText(tavrik::core::dateLine(tavrik::core::dateFromDayNumber(n.day),
                                                   tavrik::core::timeOfDay(n.seconds), QLocale()));
    }
    ui.lblDate->adjustSize();
    // The alarm and countdown checks as of now, should the tick be paced by the frame.
    ui.Timer1->catchUp();
    tavrik::gui::timeUpNotice(this, sw.AlarmFired(), sw.Label6().trimmed());
    // Once fired, the alarm sounds every second until the next Start.
    if (sw.AlarmFired()) {
        const QString path = beepPath(tavrik::gui::AppDir());
        if (QFileInfo(path).isFile())
            services().sound->play(path);
        services().sound->beep();
    }
}

} // namespace vexo
