// FrmSec: the running state, mapped to and from what the settings store keeps.

#include "vexo3/main/frmsec.h"

#include "shared/gui/savenotice.h"
#include "shared/gui/services.h"
#include "controls/cmdbox/cmdbox.h"
#include "vexo3/main/frmsec_ui.h"
#include "vexo3/engine/persistence.h"
#include "vexo3/windows/fbig.h"

#include <QTimer>

namespace vexo3 {

using tavrik::gui::services;

void FrmSec::SaveState()
{
    // A command's answer goes first; the state is saved right after it.
    if (deferSaves_) {
        saveDeferred_ = true;
        return;
    }
    SavedState s;
    s.clock = sw.clock;
    s.timerEnabled = ui_->tmrGo->isActive();
    s.bigVisible = big_ && big_->isVisible();
    s.TimeString = sw.TimeString;
    s.TimerString = sw.TimerString;
    s.SegCounts1 = segCounts1_;
    s.SegCounts2 = segCounts2_;
    for (int i = 0; i < kButtonCount; ++i) {
        s.visible[i] = buttonVisible(i);
        // The lock is not saved: a locked window saves its state's own buttons, so the
        // next start is not left with every control dead.
        s.enabled[i] = locked_ ? s.visible[i] : buttonEnabled(i);
    }
    QString error;
    saveNotice_->saved(vexo3::saveState(*services().store, s, &error), error);
}

void FrmSec::saveDisplaySetting(const QString &key, const QString &value)
{
    QString error;
    saveNotice_->saved(tavrik::gui::saveSetting(kDisplaySection, key, value, &error), error);
}


void FrmSec::GetState()
{
    SavedState current;
    for (int i = 0; i < kButtonCount; ++i) {
        current.enabled[i] = buttonEnabled(i);
        current.visible[i] = buttonVisible(i);
    }
    const SavedState s = readState(*services().store, current, services().clock->now().day);
    sw.clock = s.clock;
    sw.TimeString = s.TimeString;
    sw.TimerString = s.TimerString;
    segCounts1_ = s.SegCounts1;
    segCounts2_ = s.SegCounts2;
    if (s.bigVisible)
        mshowSec_Click();
    sw.running = s.timerEnabled;
    if (sw.running)
        ui_->tmrGo->start();
    else
        ui_->tmrGo->stop();
    for (int i = 0; i < kButtonCount; ++i) {
        ui_->CMD[i]->setVisible(s.visible[i]);
        ui_->CMD[i]->setEnabled(s.enabled[i]);
    }
}

} // namespace vexo3
