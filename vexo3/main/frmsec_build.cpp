// FrmSec: building the widgets, the timers and the menus.

#include "vexo3/main/frmsec.h"

#include "shared/core/about.h"
#include "shared/gui/precisionmenu.h"
#include "shared/core/version.h"
#include "shared/gui/names.h"
#include "controls/twips.h"
#include "controls/cmdbox/cmdbox.h"
#include "vexo3/main/frmsec_ui.h"
#include "controls/seg/seg.h"

#include <QActionGroup>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>

namespace vexo3 {

using tavrik::gui::indexed;
using tavrik::gui::named;
using tavrik::controls::px;

void FrmSec::buildWidgets()
{
    Ui &ui = *ui_;
    auto *body = new QWidget(this);
    setCentralWidget(body);

    ui.Label5 = named(new QLabel(body), QStringLiteral("Label5"));
    ui.Label5->setGeometry(0, 0, px(120), px(240));

    ui.SegBox1 = named(new Seg(body), QStringLiteral("SegBox1"));
    ui.SegBox1->setSegValue(QStringLiteral("0123456789"));
    ui.SegBox1->setSegCount(QStringLiteral("8"));
    ui.SegBox1->setGeometry(px(kMainSegLeft), px(240), px(kInnerWidthTwips - 1.5 * kMainSegLeft), px(615));
    connect(ui.SegBox1, &Seg::LeftClick, this, &FrmSec::SegBox1_LeftClick);
    connect(ui.SegBox1, &Seg::RightClick, this, &FrmSec::SegBox1_RightClick);

    ui.Line1 = named(new QFrame(body), QStringLiteral("Line1"));
    ui.Line1->setFrameShape(QFrame::HLine);
    ui.Line1->setFrameShadow(QFrame::Sunken);
    ui.Line1->setGeometry(px(120), px(1080) - 1, px(4440 - 120), 2);

    for (int i = 0; i < kButtonCount; ++i) {
        auto *b = named(new cmdBox(body), indexed("CMD", i));
        b->setGeometry(px(kButtons[i].left), px(1320), px(975), px(495));
        b->setCaption(QString::fromUtf8(kButtons[i].caption));
        b->setToolTip(QString::fromUtf8(kButtons[i].hint));
        connect(b, &cmdBox::Click, this, [this, i] { CMD_Click(i); });
        connect(b, &cmdBox::EnabledChanged, this, [this, i](bool e) { CMD_EnabledChanged(i, e); });
        ui.CMD[i] = b;
    }

    ui.lblDate = named(new QLabel(body), QStringLiteral("lblDate"));
    ui.lblDate->move(px(240), px(1800));
    ui.refusal = std::make_unique<tavrik::gui::LockRefusal>(ui.lblDate);

    // Which timing mode is chosen, at the right end of the date line.
    ui.lblMode = named(new QLabel(body), QStringLiteral("lblMode"));
    ui.lblMode->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui.lblMode->setGeometry(px(3360), px(1800), px(975), px(240));
    ui.lblMode->setStyleSheet(QStringLiteral("color: #808080"));

    // The designed height, or a little more where the font is taller than the one the
    // window was drawn with, so the date line is never cut off.
    body->setFixedSize(px(kInnerWidthTwips),
                       std::max(px(kClientHeightTwips), ui.lblDate->y() + ui.lblDate->sizeHint().height() + 4));

    ui.tmrGo = tavrik::gui::makeTickTimer(this, QStringLiteral("tmrGo"));
    connect(ui.tmrGo, &QTimer::timeout, this, &FrmSec::tmrGo_Timer);
    ui.Timer2 = named(new QTimer(this), QStringLiteral("Timer2"));
    ui.Timer2->setInterval(1000);
    connect(ui.Timer2, &QTimer::timeout, this, &FrmSec::Timer2_Timer);
}

void FrmSec::buildMenus()
{
    Ui &ui = *ui_;
    QMenuBar *bar = menuBar();
    auto item = [this](QMenu *menu, const QString &name, const QString &caption, auto slot) {
        return named(menu->addAction(caption, this, slot), name);
    };

    ui.mSec = named(bar->addMenu(QStringLiteral("秒表控制(&S)")), QStringLiteral("mSec"));
    ui.mstart = item(ui.mSec, QStringLiteral("mstart"), QStringLiteral("开始    [Enter]"), [this] { ActStart(); });
    ui.mPause = item(ui.mSec, QStringLiteral("mPause"), QStringLiteral("暂停    [Enter]"), [this] { ActPause(); });
    ui.mCoun = item(ui.mSec, QStringLiteral("mCoun"), QStringLiteral("继续    [Enter]"), [this] { ActContinue(); });
    ui.mStop = item(ui.mSec, QStringLiteral("mStop"), QStringLiteral("停止"), [this] { ActStop(); });
    ui.mReset = item(ui.mSec, QStringLiteral("mReset"), QStringLiteral("复位"), [this] { ActReset(); });
    ui.mSec->addSeparator();
    ui.mrec = item(ui.mSec, QStringLiteral("mrec"), QStringLiteral("记录    [Space]"), [this] { ActRecord(); });
    ui.mLock = item(ui.mSec, QStringLiteral("mLock"), tavrik::core::lockMenuCaption(false), [this] { mLock_Click(); });
    ui.mSec->addSeparator();
    ui.mTimer = named(ui.mSec->addMenu(QStringLiteral("定时(测试版本功能)")), QStringLiteral("mTimer"));
    ui.mClear = named(ui.mTimer->addAction(QStringLiteral("清零")), QStringLiteral("mClear"));
    ui.mClear->setEnabled(false);
    ui.mSt = item(ui.mTimer, QStringLiteral("mSt"), QStringLiteral("状态..."), [this] { mSt_Click(); });
    ui.mSt->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    ui.mSt->setShortcutContext(Qt::WindowShortcut);
    ui.mTimer->addSeparator();
    auto *modes = new QActionGroup(this);
    const char *modeCaptions[] = {"秒表", "定时", "倒计时"};
    for (int i = 0; i < 3; ++i) {
        ui.mMode2[i] = item(ui.mTimer, indexed("mMode2", i), QString::fromUtf8(modeCaptions[i]), [this, i] { mMode2_Click(i); });
        ui.mMode2[i]->setCheckable(true);
        modes->addAction(ui.mMode2[i]);
    }
    ui.mMode2[0]->setEnabled(false);
    ui.mMode2[1]->setEnabled(false);
    ui.mSec->addSeparator();
    ui.mOldVexo = item(ui.mSec, QStringLiteral("mOldVexo"), QStringLiteral("使用旧版本"), [this] { mOldVexo_Click(); });
    ui.mSec->addSeparator();
    ui.mUnload = item(ui.mSec, QStringLiteral("mUnload"), QStringLiteral("关闭(&C)"), [this] { close(); });

    // Shown as "设置(O)", with the O that Alt+O opens it by.
    ui.mOption = named(bar->addMenu(QStringLiteral("设置(&O)")), QStringLiteral("mOption"));
    ui.mShowWindows = named(ui.mOption->addMenu(QStringLiteral("显示窗口")), QStringLiteral("mShowWindows"));
    ui.mshowSec = item(ui.mShowWindows, QStringLiteral("mshowSec"), QStringLiteral("秒表显示"), [this] { mshowSec_Click(); });
    ui.mshowDate = item(ui.mShowWindows, QStringLiteral("mshowDate"), QStringLiteral("日期"), [this] { mshowDate_Click(); });
    ui.mshowTime = item(ui.mShowWindows, QStringLiteral("mshowTime"), QStringLiteral("时间"), [this] { mshowTime_Click(); });
    ui.mMiniForm = named(ui.mShowWindows->addAction(QStringLiteral("微型")), QStringLiteral("mMiniForm"));
    ui.mMiniForm->setEnabled(false);
    ui.mFor = named(ui.mOption->addMenu(QStringLiteral("精度(&M)")), QStringLiteral("mFor"));
    ui.msp = tavrik::gui::addPrecisionItems(ui.mFor, [this](int i) { msp_Click(i); });
    ui.mOption->addSeparator();
    ui.montop = item(ui.mOption, QStringLiteral("montop"), QStringLiteral("窗口总在前面显示(&O)"), [this] { montop_Click(); });
    ui.montop->setCheckable(true);
    ui.mOption->addSeparator();
    ui.mOption1 = item(ui.mOption, QStringLiteral("mOption1"), QStringLiteral("选项(&)..."), [this] { mOption1_Click(); });

    ui.mHelp = named(bar->addMenu(QStringLiteral("帮助(&H)")), QStringLiteral("mHelp"));
    ui.mnewp = item(ui.mHelp, QStringLiteral("mnewp"), QStringLiteral("下载最新版本..."), [this] { mnewp_Click(); });
    ui.mp = named(ui.mHelp->addMenu(QStringLiteral("作者主页")), QStringLiteral("mp"));
    ui.mp1[0] = item(ui.mp, indexed("mp1", 0), tavrik::core::kHomePage, [this] { mp1_Click(0); });
    ui.mp1[1] = item(ui.mp, indexed("mp1", 1), tavrik::core::kWebLog, [this] { mp1_Click(1); });
    ui.mHelp->addSeparator();
    ui.myj = item(ui.mHelp, QStringLiteral("myj"), QStringLiteral("您对Tavrik的意见..."), [this] { myj_Click(); });
    ui.mHelp->addSeparator();
    ui.mSh = item(ui.mHelp, QStringLiteral("mSh"), QStringLiteral("说明..."), [this] { mSh_Click(); });
    ui.mHelp->addSeparator();
    ui.mAbout = item(ui.mHelp, QStringLiteral("mAbout"), QStringLiteral("关于(&A)..."), [this] { mAbout_Click(); });

    // Pop-up only: never part of the menu bar.
    ui.mSegPop = named(new QMenu(QStringLiteral("mSegPop"), this), QStringLiteral("mSegPop"));
    ui.mShowhms = item(ui.mSegPop, QStringLiteral("mShowhms"), QStringLiteral("显示为“时分秒”"), [this] { mShowhms_Click(); });
    ui.mShowS = item(ui.mSegPop, QStringLiteral("mShowS"), QStringLiteral("显示为“秒”"), [this] { mShowS_Click(); });
    ui.mShowhms->setCheckable(true);
    ui.mShowS->setCheckable(true);
    ui.mSegPop->addSeparator();
    ui.mShowbigForm = item(ui.mSegPop, QStringLiteral("mShowbigForm"), QStringLiteral("显示大窗口"), [this] { mshowSec_Click(); });
}

} // namespace vexo3
