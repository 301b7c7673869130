// FrmSec: the date line and the timing modes (countdown, status).

#include "vexo3/main/frmsec.h"

#include "shared/core/clock.h"
#include "shared/core/numtext.h"
#include "shared/core/timing.h"
#include "shared/gui/closepolicy.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/services.h"
#include "vexo3/main/frmsec_p.h"
#include "vexo3/windows/fbig.h"
#include "controls/seg/seg.h"

#include <QAction>
#include <QLabel>
#include <QLocale>

namespace vexo3 {

using tavrik::gui::services;

void FrmSec::Private::Timer2_Timer()
{
    if (!refusal->tick()) {
        const tavrik::core::Now now = services().clock->now();
        lblDate->setText(tavrik::core::dateLine(tavrik::core::dateFromDayNumber(now.day),
                                                tavrik::core::timeOfDay(now.seconds), QLocale()));
    }
    lblDate->adjustSize();
}

void FrmSec::Private::lblDate_Click()
{
    lblDate->setFrameShape(lblDate->frameShape() == QFrame::NoFrame ? QFrame::Box : QFrame::NoFrame);
    lblDate->adjustSize();
}

void FrmSec::Private::chooseMode(int index)
{
    mMode2[size_t(index)]->setChecked(true);
    mode = index;
    lblMode->setText(mMode2[size_t(index)]->text());
    SegBox1->announceNow();
}

void FrmSec::Private::mMode2_Click(int Index)
{
    if (Index == 2) {
        const tavrik::core::CountdownAnswer answer = tavrik::core::countdownAnswer(services().dialogs->input(
            q, tavrik::core::kCountdownPrompt, tavrik::core::kCountdownTitle, tavrik::core::kCountdownDefault));
        if (!answer.warning.isEmpty())
            services().dialogs->message(q, answer.warning, tavrik::core::kCountdownTitle,
                                        tavrik::gui::MsgIcon::Warning);
        countdownLength = answer.seconds;
        if (answer.seconds != 0)
            fBig::openCountdown(displays.get(), tavrik::core::shortestText(answer.seconds));
    }
    chooseMode(Index);
    if (countdownLength == 0 && mode == 2)
        chooseMode(0);
    if (alarmTime.isEmpty() && mode == 1)
        chooseMode(0);
}

void FrmSec::Private::mSt_Click()
{
    services().dialogs->message(q, tavrik::core::timingStatusText(countdownLength, alarmTime),
                                tavrik::core::kStatusTitle, tavrik::gui::MsgIcon::Information);
}

} // namespace vexo3
