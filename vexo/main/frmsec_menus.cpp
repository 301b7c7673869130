// FrmSec: the pop-up menu and what its items do, the hover frame, the label clicks
// and the timing modes.

#include "vexo/main/frmsec.h"

#include "shared/core/about.h"
#include "shared/gui/precisionmenu.h"
#include "shared/core/displaysettings.h"
#include "shared/core/timing.h"
#include "shared/gui/about.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/services.h"
#include "shared/gui/placement.h"
#include "controls/twips.h"
#include "vexo/main/flist.h"
#include "vexo/main/frmsec_ui.h"
#include "vexo/engine/windowlogic.h"
#include "controls/xp/xpcmdbutton.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <algorithm>

namespace vexo {

using tavrik::controls::px;
using tavrik::gui::services;

// The timing prompts through the dialog seam.
class FrmSec::DialogAsker final : public Asker {
public:
    explicit DialogAsker(FrmSec *window) : window_(window) {}
    std::optional<QString> ask(const Prompt &p) override
    {
        return services().dialogs->input(window_, p.prompt, p.title, p.defaultText);
    }
    void warn(const QString &text, const QString &title) override
    {
        services().dialogs->message(window_, text, title, tavrik::gui::MsgIcon::Warning);
    }
    double now() override { return window_->now(); }

private:
    FrmSec *window_;
};

void FrmSec::refreshMenu()
{
    Ui &ui = *ui_;
    ui.mstart->setEnabled(sw.available(Operation::Start));
    ui.mPause->setEnabled(sw.available(Operation::Pause));
    ui.mCoun->setEnabled(sw.available(Operation::Continue));
    ui.mStop->setEnabled(sw.available(Operation::Stop));
    ui.mReset->setEnabled(sw.available(Operation::Reset));
    ui.mrec->setEnabled(sw.visible(Button::cmdLog));
}

void FrmSec::popupMenu()
{
    ui_->mSec->popup(mapToGlobal(QPoint(px(kMenuPopupPos.x()), px(kMenuPopupPos.y()))));
}

void FrmSec::Label4_Click()
{
    refreshMenu();
    popupMenu();
}

void FrmSec::Form_Click()
{
    // Only the mini window, which has no menu button, opens the menu this way.
    if (isMini(outerHeightTwips()))
        popupMenu();
}

void FrmSec::cLine(const QWidget *control)
{
    const QRect g = control->geometry();
    const QRect t(int(tavrik::controls::twips(g.x())), int(tavrik::controls::twips(g.y())), int(tavrik::controls::twips(g.width())),
                  int(tavrik::controls::twips(g.height())));
    const QRect frame = vexo::cLine(t);
    ui_->Shape1->setGeometry(px(frame.x()), px(frame.y()), px(frame.width()), px(frame.height()));
    ui_->Shape1->show();
    ui_->Shape1->raise();
}

void FrmSec::Label4_MouseMove() { cLine(ui_->Label4); }

void FrmSec::Label2_MouseMove() { cLine(ui_->Label2); }

void FrmSec::Form_MouseMove() { ui_->Shape1->hide(); }

void FrmSec::applyBorders()
{
    for (int i = 0; i < kBorderedCount; ++i) {
        QLabel *l = ui_->bordered()[size_t(i)];
        l->setFrameShape(settings_.border(Bordered(i)) == 1 ? QFrame::Box : QFrame::NoFrame);
        if (l == ui_->lblDate)
            l->adjustSize();
    }
}

void FrmSec::border_Click(Bordered label)
{
    settings_.setBorder(label, toggledBorder(settings_.border(label)));
    applyBorders();
}

void FrmSec::mLock_Click()
{
    Ui &ui = *ui_;
    sw.setLocked(!sw.Locked());
    ui.mLock->setText(lockMenuCaption(sw.Locked()));
    if (sw.Locked())
        setWindowTitle(lockedCaption());
    else
        setCaptionIfDifferent(kCaption);
    showState();
}

void FrmSec::mMiniForm_Click()
{
    Ui &ui = *ui_;
    const int height = outerHeightTwips();
    const bool enter = isMini(miniToggledHeight(height));
    setOuterHeightTwips(miniToggledHeight(height));
    if (enter) {
        setWindowTitle(QString());
        ui.Label4->hide();
        ui.Shape1->hide();
    } else {
        setWindowTitle(versionCaption());
        ui.Label4->show();
        // The mini window's read-out line would stick out beside the menu button until
        // the next tick, which a stopped watch never has.
        showLabel5(QString());
    }
}

void FrmSec::montop_Click()
{
    // The item toggled its own check mark already.
    const bool on = ui_->montop->isChecked();
    settings_.OnTop = on;
    tavrik::gui::setTopmost(this, on);
    QString why;
    stored(tavrik::core::saveOnTop(*services().store, on, &why), why);
}

void FrmSec::msp_Click(int Index)
{
    settings_.Speed = tavrik::gui::applyPrecision(Index, ui_->Timer1, ui_->msp);
    QString why;
    stored(tavrik::core::saveSpeed(*services().store, settings_.Speed, &why), why);
}

void FrmSec::mA60_Click()
{
    sw.mA60 = settings_.mA60 = ui_->mA60->isChecked();
    QString why;
    stored(saveA60(*services().store, sw.mA60, &why), why);
}

void FrmSec::mB60_Click()
{
    sw.mB60 = settings_.mB60 = ui_->mB60->isChecked();
    QString why;
    stored(saveB60(*services().store, sw.mB60, &why), why);
}

void FrmSec::showModes()
{
    for (int i = 0; i < kModeCount; ++i)
        ui_->mMode2[size_t(i)]->setChecked(i == sw.timing.Mode());
    QLabel *label = ui_->Label2;
    label->setText(sw.timing.label2Text());
    // The label was designed for two characters: "倒计时" takes the room up to the
    // read-out beside it and, if that is not enough, a smaller font.
    QFont font = label->font();
    font.setPointSizeF(kLabel2PointSize);
    const int frame = label->width() - label->contentsRect().width();
    const int designed = px(kLabel2WidthTwips), room = ui_->lblTimer->x() - px(60) - label->x();
    const int text = QFontMetrics(font).horizontalAdvance(label->text()) + frame;
    label->resize(std::clamp(text, designed, std::max(designed, room)), label->height());
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(label->text()) > label->width() - frame)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
}

void FrmSec::mMode2_Click(int Index)
{
    DialogAsker asker(this);
    sw.timing.chooseMode(Index, asker);
    showModes();
}

void FrmSec::Label2_Click()
{
    DialogAsker asker(this);
    sw.timing.Label2_Click(asker);
    showModes();
}

void FrmSec::mClear_Click() { sw.timing.mClear(); }

void FrmSec::mSt_Click()
{
    services().dialogs->message(this, sw.timing.statusText(), tavrik::core::kStatusTitle,
                                tavrik::gui::MsgIcon::Information);
}

void FrmSec::mAbout_Click() { tavrik::gui::showAbout(this, versionText()); }

// A missing help file is silently ignored; an editor or browser that cannot be
// started is said.
void FrmSec::mSH_Click() { tavrik::gui::openHelpFile(this); }

void FrmSec::mnewp_Click() { tavrik::gui::openWebPage(tavrik::core::kDownloadPage, this); }

void FrmSec::mp1_Click(int Index) { tavrik::gui::openWebPage(ui_->mp1[size_t(Index)]->text(), this); }

void FrmSec::mrec_Click()
{
    if (!sw.visible(Button::cmdLog))
        return;
    ui_->Timer1->catchUp();
    if (!ui_->list)
        ui_->list = newRecordList(this);
    ui_->list->showAbove(this);
    ui_->list->append(sw.recordLine());
}

} // namespace vexo
