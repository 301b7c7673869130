// FrmSec: window behaviours from the menus (lock, always on top, display windows,
// display form, options), help, about, web pages and the older program.

#include "vexo3/main/frmsec.h"

#include "shared/core/about.h"
#include "shared/core/displaysettings.h"
#include "shared/core/version.h"
#include "shared/gui/about.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/launcher.h"
#include "shared/gui/savenotice.h"
#include "shared/gui/services.h"
#include "shared/gui/placement.h"
#include "controls/twips.h"
#include "vexo3/main/frmsec_ui.h"
#include "vexo3/engine/persistence.h"
#include "vexo3/version.h"
#include "controls/seg/seg.h"
#include "vexo3/windows/fbig.h"
#include "vexo3/windows/foption.h"

#include <QAction>
#include <QCursor>
#include <QFileInfo>
#include <QMenu>

namespace vexo3 {

using tavrik::gui::services;

// Both captions keep the mnemonic, so Alt+S, L locks and unlocks.
void FrmSec::mLock_Click()
{
    locked_ = !locked_;
    if (locked_) {
        setWindowTitle(tavrik::core::lockedTitle(kVersion));
        SetE({});
    } else {
        setWindowTitle(QStringLiteral("Tavrik"));
        SetE(kAllButtons);
    }
    ui_->mLock->setText(tavrik::core::lockMenuCaption(locked_));
}

void FrmSec::montop_Click()
{
    // The action toggled its own check mark already.
    const bool on = ui_->montop->isChecked();
    tavrik::gui::setTopmost(this, on);
    QString error;
    saveNotice_->saved(tavrik::core::saveOnTop(*services().store, on, &error), error);
}

void FrmSec::mshowSec_Click()
{
    fBig *big = bigWindow(true);
    big->setCellCount(segCounts2_);
    big->show();
    big->raise();
}

void FrmSec::mshowDate_Click() { fBig::openDateTime(this, fBig::kDateMode); }

void FrmSec::mshowTime_Click() { fBig::openDateTime(this, fBig::kTimeMode); }

void FrmSec::mShowhms_Click() { sw.SegMode1 = 1; }

void FrmSec::mShowS_Click() { sw.SegMode1 = 0; }

void FrmSec::mOption1_Click()
{
    if (!option_)
        option_ = new fOption(this);
    option_->show();
    option_->raise();
}

void FrmSec::mnewp_Click() { tavrik::gui::openWebPage(tavrik::core::kDownloadPage); }

void FrmSec::mp1_Click(int Index) { tavrik::gui::openWebPage(ui_->mp1[Index]->text()); }

void FrmSec::myj_Click() { tavrik::gui::showFeedback(this); }

void FrmSec::mSh_Click() { tavrik::gui::showHelpText(this); }

void FrmSec::mAbout_Click()
{
    tavrik::gui::showAbout(this, tavrik::core::versionText(kVersion, tavrik::core::Revision::Plain));
}

void FrmSec::mOldVexo_Click()
{
    const QString path = tavrik::gui::AppDir() + QStringLiteral("Vexo");
    if (!QFileInfo(path).isFile())
        return;
    if (!services().launcher->startDetached(path, {}))
        services().dialogs->message(this, QStringLiteral("未找到旧版本! "), windowTitle(), tavrik::gui::MsgIcon::Critical);
}

void FrmSec::SegBox1_LeftClick(int, float, float)
{
    if (sw.SegMode1 == 0)
        sw.SegMode1 = 1;
    else if (sw.SegMode1 == 1)
        sw.SegMode1 = 0;
}

void FrmSec::SegBox1_RightClick(int, float, float)
{
    ui_->mShowS->setChecked(sw.SegMode1 == 0);
    ui_->mShowhms->setChecked(sw.SegMode1 != 0);
    ui_->mSegPop->popup(QCursor::pos());
}

void FrmSec::Form_Click()
{
    if (tavrik::controls::twips(frameGeometry().height()) < 1000)
        ui_->mSec->popup(mapToGlobal(QPoint(tavrik::controls::px(1), tavrik::controls::px(300))));
}

} // namespace vexo3
