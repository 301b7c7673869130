// FrmSec: the date line and the timing modes (countdown, status).

#include "vexo3/main/frmsec.h"

#include "shared/core/clock.h"
#include "shared/core/numtext.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/services.h"
#include "vexo3/main/frmsec_ui.h"
#include "vexo3/windows/fbig.h"

#include <QAction>
#include <QLabel>
#include <QLocale>

#include <cmath>

namespace vexo3 {

using tavrik::gui::services;

namespace {

// The longest countdown the ten-cell display can show with its decimal.
constexpr double kMaxCountdownSeconds = 1e8;

} // namespace

void FrmSec::Timer2_Timer()
{
    QLabel *lblDate = ui_->lblDate;
    if (refusing()) {
        lblDate->setText(kRefusalText);
    } else {
        const tavrik::core::Now now = services().clock->now();
        const QDate date = tavrik::core::dateFromDayNumber(now.day);
        lblDate->setText(date.toString(QStringLiteral("yyyy年MM月dd日 ")) +
                         tavrik::core::timeOfDay(now.seconds).toString(QStringLiteral(" hh:mm:ss")) + u' ' +
                         QLocale().dayName(date.dayOfWeek(), QLocale::LongFormat));
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
        const auto answer = services().dialogs->input(this, QStringLiteral("请输入倒计时的秒数:"),
                                                      QStringLiteral("倒计时"), QStringLiteral("3600"));
        double seconds = answer ? tavrik::core::leadingNumber(*answer) : 0.0;
        if (!std::isfinite(seconds) || seconds < 0 || seconds >= kMaxCountdownSeconds) {
            services().dialogs->message(this, QStringLiteral("倒计时的秒数须大于0且小于100000000。"),
                                        QStringLiteral("倒计时"), tavrik::gui::MsgIcon::Warning);
            seconds = 0;
        }
        countdownLength_ = seconds;
        if (seconds != 0)
            fBig::openCountdown(this, tavrik::core::shortestText(seconds));
    }
    chooseMode(Index);
    if (countdownLength_ == 0 && mode_ == 2)
        chooseMode(0);
    if (alarmTime_.isEmpty() && mode_ == 1)
        chooseMode(0);
}

void FrmSec::mSt_Click()
{
    const QString first = countdownLength_ != 0
                               ? QStringLiteral("倒计时设置为") + tavrik::core::shortestText(countdownLength_) + QStringLiteral("秒")
                               : QStringLiteral("倒计时未启用");
    const QString second = !alarmTime_.isEmpty() ? QStringLiteral("定时设置在") + alarmTime_ : QStringLiteral("定时未启用");
    services().dialogs->message(this, first + QStringLiteral("\r\n") + second, QStringLiteral("状态"),
                                tavrik::gui::MsgIcon::Information);
}

} // namespace vexo3
