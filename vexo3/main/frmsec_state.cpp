// FrmSec: the running state, as the settings store keeps it.

#include "vexo3/main/frmsec.h"

#include "controls/cmdbox/cmdbox.h"
#include "vexo3/main/dbusservice.h"
#include "vexo3/main/frmsec_p.h"
#include "vexo3/windows/fbig.h"

#include <QTimer>

namespace vexo3 {

void FrmSec::Private::SaveState()
{
    // Every action that acted saves: the bus hears of it here.
    announceChange(q);
    // A command's answer goes first; the state is saved right after it.
    if (deferSaves) {
        saveDeferred = true;
        return;
    }
    SavedState s;
    s.clock = sw.clock;
    s.timerEnabled = tmrGo->isActive();
    const fBig *big = displays->bigWindow(false);
    s.bigVisible = big && big->isVisible();
    s.TimeString = sw.TimeString;
    s.TimerString = sw.TimerString;
    s.SegCounts1 = displays->SegCounts1();
    s.SegCounts2 = displays->SegCounts2();
    for (int i = 0; i < kButtonCount; ++i) {
        s.visible[i] = sw.buttons.visible(i);
        // The lock is not saved: a locked window saves its state's own buttons, so the
        // next start is not left with every control dead.
        s.enabled[i] = locked ? s.visible[i] : sw.buttons.enabled(i);
    }
    state.save(s);
}

void FrmSec::Private::GetState()
{
    SavedState current;
    for (int i = 0; i < kButtonCount; ++i) {
        current.enabled[i] = sw.buttons.enabled(i);
        current.visible[i] = sw.buttons.visible(i);
    }
    const SavedState s = state.restore(current);
    sw.clock = s.clock;
    sw.TimeString = s.TimeString;
    sw.TimerString = s.TimerString;
    displays->setSegCounts(s.SegCounts1, s.SegCounts2);
    if (s.bigVisible)
        displays->showBigWindow();
    sw.running = s.timerEnabled;
    if (sw.running)
        tmrGo->start();
    else
        tmrGo->stop();
    for (int i = 0; i < kButtonCount; ++i)
        sw.buttons.set(i, s.visible[i], s.enabled[i]);
    showButtons();
}

} // namespace vexo3
