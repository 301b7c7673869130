// FrmSec: window behaviours from the menus (lock, always on top, display form,
// options), help, about, web pages and the older program.

#include "vexo3/main/frmsec.h"

#include "controls/twips.h"
#include "shared/core/about.h"
#include "shared/core/displaysettings.h"
#include "shared/core/version.h"
#include "shared/gui/about.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/launcher.h"
#include "shared/gui/placement.h"
#include "shared/gui/services.h"
#include "vexo3/main/frmsec_p.h"
#include "vexo3/version.h"
#include "vexo3/windows/foption.h"

#include <QAction>
#include <QCursor>
#include <QFileInfo>
#include <QMenu>

namespace vexo3 {

using tavrik::gui::services;

// Both captions keep the mnemonic, so Alt+S, L locks and unlocks.
void FrmSec::Private::mLock_Click()
{
    locked = !locked;
    if (locked) {
        q->setWindowTitle(tavrik::core::lockedTitle(kVersion));
        sw.buttons.enable({});
    } else {
        q->setWindowTitle(QStringLiteral("Tavrik"));
        sw.buttons.enable(kAllButtons);
    }
    showButtons();
    mLock->setText(tavrik::core::lockMenuCaption(locked));
}

void FrmSec::Private::montop_Click()
{
    // The action toggled its own check mark already.
    const bool on = montop->isChecked();
    tavrik::gui::setTopmost(q, on);
    QString error;
    state.saved(tavrik::core::saveOnTop(*services().store, on, &error), error);
}

void FrmSec::Private::mOption1_Click()
{
    if (!option)
        option = new fOption(displays.get());
    option->show();
    option->raise();
}

void FrmSec::Private::mnewp_Click() { tavrik::gui::openWebPage(tavrik::core::kDownloadPage); }

void FrmSec::Private::mp1_Click(int Index) { tavrik::gui::openWebPage(mp1[size_t(Index)]->text()); }

void FrmSec::Private::myj_Click() { tavrik::gui::showFeedback(q); }

void FrmSec::Private::mSh_Click() { tavrik::gui::showHelpText(q); }

void FrmSec::Private::mAbout_Click()
{
    tavrik::gui::showAbout(q, tavrik::core::versionText(kVersion, tavrik::core::Revision::Plain));
}

void FrmSec::Private::mOldVexo_Click()
{
    const QString path = tavrik::gui::AppDir() + QStringLiteral("Vexo");
    if (!QFileInfo(path).isFile())
        return;
    if (!services().launcher->startDetached(path, {}))
        services().dialogs->message(q, QStringLiteral("未找到旧版本! "), q->windowTitle(), tavrik::gui::MsgIcon::Critical);
}

void FrmSec::Private::SegBox1_LeftClick(int, float, float)
{
    if (sw.SegMode1 == 0)
        sw.SegMode1 = 1;
    else if (sw.SegMode1 == 1)
        sw.SegMode1 = 0;
}

void FrmSec::Private::SegBox1_RightClick(int, float, float)
{
    mShowS->setChecked(sw.SegMode1 == 0);
    mShowhms->setChecked(sw.SegMode1 != 0);
    mSegPop->popup(QCursor::pos());
}

void FrmSec::Private::Form_Click()
{
    if (tavrik::controls::twips(q->frameGeometry().height()) < 1000)
        mSec->popup(q->mapToGlobal(QPoint(tavrik::controls::px(1), tavrik::controls::px(300))));
}

} // namespace vexo3
