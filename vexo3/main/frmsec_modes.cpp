// FrmSec: the date line and the timing modes (countdown, status).

#include "vexo3/main/frmsec.h"

#include "shared/core/clock.h"
#include "shared/core/numtext.h"
#include "shared/core/timing.h"
#include "shared/gui/closepolicy.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/services.h"
#include "vexo3/main/frmsec_ui.h"
#include "vexo3/windows/fbig.h"

#include <QAction>
#include <QLabel>
#include <QLocale>

namespace vexo3 {

using tavrik::gui::services;

void FrmSec::Timer2_Timer()
{
    QLabel *lblDate = ui_->lblDate;
    if (!ui_->refusal->tick()) {
        const tavrik::core::Now now = services().clock->now();
        lblDate->setText(tavrik::core::dateLine(tavrik::core::dateFromDayNumber(now.day),
                                                tavrik::core::timeOfDay(now.seconds), QLocale()));
    }
    lblDate->adjustSize();
}

void FrmSec::lblDate_Click()
{
    QLabel *lblDate = ui_->lblDate;
    lblDate->setFrameShape(lblDate->frameShape() == QFrame::NoFrame ? QFrame::Box : QFrame::NoFrame);
    lblDate->adjustSize();
}

void FrmSec::chooseMode(int index)
{
    ui_->mMode2[index]->setChecked(true);
    mode_ = index;
    ui_->lblMode->setText(ui_->mMode2[index]->text());
}

void FrmSec::mMode2_Click(int Index)
{
    if (Index == 2) {
        const tavrik::core::CountdownAnswer answer = tavrik::core::countdownAnswer(services().dialogs->input(
            this, tavrik::core::kCountdownPrompt, tavrik::core::kCountdownTitle, tavrik::core::kCountdownDefault));
        if (!answer.warning.isEmpty())
            services().dialogs->message(this, answer.warning, tavrik::core::kCountdownTitle,
                                        tavrik::gui::MsgIcon::Warning);
        countdownLength_ = answer.seconds;
        if (answer.seconds != 0)
            fBig::openCountdown(this, tavrik::core::shortestText(answer.seconds));
    }
    chooseMode(Index);
    if (countdownLength_ == 0 && mode_ == 2)
        chooseMode(0);
    if (alarmTime_.isEmpty() && mode_ == 1)
        chooseMode(0);
}

void FrmSec::mSt_Click()
{
    services().dialogs->message(this, tavrik::core::timingStatusText(countdownLength_, alarmTime_),
                                tavrik::core::kStatusTitle, tavrik::gui::MsgIcon::Information);
}

} // namespace vexo3
