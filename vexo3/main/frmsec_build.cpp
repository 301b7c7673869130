// FrmSec: building the widgets, the timers and the menus.

#include "vexo3/main/frmsec.h"

#include "shared/core/about.h"
#include "shared/gui/precisionmenu.h"
#include "shared/core/version.h"
#include "shared/gui/names.h"
#include "controls/accessible.h"
#include "controls/twips.h"
#include "controls/cmdbox/cmdbox.h"
#include "vexo3/main/frmsec_p.h"
#include "vexo3/windows/fbig.h"
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

void FrmSec::Private::buildWidgets()
{
    auto *body = new QWidget(q);
    q->setCentralWidget(body);

    Label5 = named(new QLabel(body), QStringLiteral("Label5"));
    Label5->setGeometry(0, 0, px(120), px(240));
    // Blank: a piece of the window's surface, nothing to read out.
    tavrik::controls::setAccessibleAction(Label5, QAccessible::Client, QString(), {});

    SegBox1 = named(new Seg(body), QStringLiteral("SegBox1"));
    SegBox1->setSegValue(QStringLiteral("0123456789"));
    SegBox1->setSegCount(QStringLiteral("8"));
    SegBox1->setAccessibleName(QStringLiteral("秒表读数"));
    SegBox1->setGeometry(px(kMainSegLeft), px(240), px(kInnerWidthTwips - 1.5 * kMainSegLeft), px(615));
    QObject::connect(SegBox1, &Seg::LeftClick, q, [this](int s, float x, float y) { SegBox1_LeftClick(s, x, y); });
    QObject::connect(SegBox1, &Seg::RightClick, q, [this](int s, float x, float y) { SegBox1_RightClick(s, x, y); });
    displays = std::make_unique<Displays>(q, sw, SegBox1, [this] { SaveState(); },
                                          [this](bool ok, const QString &error) { state.saved(ok, error); });

    Line1 = named(new QFrame(body), QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(px(120), px(1080) - 1, px(4440 - 120), 2);

    for (int i = 0; i < kButtonCount; ++i) {
        auto *b = named(new cmdBox(body), indexed("CMD", i));
        b->setGeometry(px(kButtons[i].left), px(1320), px(975), px(495));
        b->setCaption(QString::fromUtf8(kButtons[i].caption));
        b->setToolTip(QString::fromUtf8(kButtons[i].hint));
        QObject::connect(b, &cmdBox::Click, q, [this, i] { CMD_Click(i); });
        QObject::connect(b, &cmdBox::EnabledChanged, q, [this, i](bool e) { CMD_EnabledChanged(i, e); });
        CMD[size_t(i)] = b;
    }

    lblDate = named(new QLabel(body), QStringLiteral("lblDate"));
    lblDate->move(px(240), px(1800));
    refusal = std::make_unique<tavrik::gui::LockRefusal>(lblDate);
    // Its click toggles its border; assistive tools get that as its action.
    tavrik::controls::setAccessibleAction(lblDate, QAccessible::StaticText, QStringLiteral("切换边框"),
                                          [this] { lblDate_Click(); });

    // Which timing mode is chosen, at the right end of the date line.
    lblMode = named(new QLabel(body), QStringLiteral("lblMode"));
    lblMode->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblMode->setGeometry(px(3360), px(1800), px(975), px(240));
    lblMode->setStyleSheet(QStringLiteral("color: #808080"));

    // The designed height, or a little more where the font is taller than the one the
    // window was drawn with, so the date line is never cut off.
    body->setFixedSize(px(kInnerWidthTwips),
                       std::max(px(kClientHeightTwips), lblDate->y() + lblDate->sizeHint().height() + 4));

    tmrGo = new tavrik::gui::TickTimer(q, QStringLiteral("tmrGo"), [this] { tmrGo_Timer(); });
    Timer2 = named(new QTimer(q), QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    QObject::connect(Timer2, &QTimer::timeout, q, [this] { Timer2_Timer(); });
}

void FrmSec::Private::buildMenus()
{
    QMenuBar *bar = q->menuBar();
    auto item = [this](QMenu *menu, const QString &name, const QString &caption, auto slot) {
        return named(menu->addAction(caption, q, slot), name);
    };

    mSec = named(bar->addMenu(QStringLiteral("秒表控制(&S)")), QStringLiteral("mSec"));
    mstart = item(mSec, QStringLiteral("mstart"), QStringLiteral("开始    [Enter]"), [this] { ActStart(); });
    mPause = item(mSec, QStringLiteral("mPause"), QStringLiteral("暂停    [Enter]"), [this] { ActPause(); });
    mCoun = item(mSec, QStringLiteral("mCoun"), QStringLiteral("继续    [Enter]"), [this] { ActContinue(); });
    mStop = item(mSec, QStringLiteral("mStop"), QStringLiteral("停止"), [this] { ActStop(); });
    mReset = item(mSec, QStringLiteral("mReset"), QStringLiteral("复位"), [this] { ActReset(); });
    mSec->addSeparator();
    mrec = item(mSec, QStringLiteral("mrec"), QStringLiteral("记录    [Space]"), [this] { ActRecord(); });
    mLock = item(mSec, QStringLiteral("mLock"), tavrik::core::lockMenuCaption(false), [this] { mLock_Click(); });
    mSec->addSeparator();
    mTimer = named(mSec->addMenu(QStringLiteral("定时(测试版本功能)")), QStringLiteral("mTimer"));
    mClear = named(mTimer->addAction(QStringLiteral("清零")), QStringLiteral("mClear"));
    mClear->setEnabled(false);
    mSt = item(mTimer, QStringLiteral("mSt"), QStringLiteral("状态..."), [this] { mSt_Click(); });
    mSt->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mSt->setShortcutContext(Qt::WindowShortcut);
    mTimer->addSeparator();
    auto *modes = new QActionGroup(q);
    const char *modeCaptions[] = {"秒表", "定时", "倒计时"};
    for (int i = 0; i < 3; ++i) {
        mMode2[size_t(i)] = item(mTimer, indexed("mMode2", i), QString::fromUtf8(modeCaptions[i]), [this, i] { mMode2_Click(i); });
        mMode2[size_t(i)]->setCheckable(true);
        modes->addAction(mMode2[i]);
    }
    mMode2[0]->setEnabled(false);
    mMode2[1]->setEnabled(false);
    mSec->addSeparator();
    mOldVexo = item(mSec, QStringLiteral("mOldVexo"), QStringLiteral("使用旧版本"), [this] { mOldVexo_Click(); });
    mSec->addSeparator();
    mUnload = item(mSec, QStringLiteral("mUnload"), QStringLiteral("关闭(&C)"), [this] { q->close(); });

    // Shown as "设置(O)", with the O that Alt+O opens it by.
    mOption = named(bar->addMenu(QStringLiteral("设置(&O)")), QStringLiteral("mOption"));
    mShowWindows = named(mOption->addMenu(QStringLiteral("显示窗口")), QStringLiteral("mShowWindows"));
    mshowSec = item(mShowWindows, QStringLiteral("mshowSec"), QStringLiteral("秒表显示"), [this] { displays->showBigWindow(); });
    mshowDate = item(mShowWindows, QStringLiteral("mshowDate"), QStringLiteral("日期"), [this] { fBig::openDateTime(displays.get(), fBig::kDateMode); });
    mshowTime = item(mShowWindows, QStringLiteral("mshowTime"), QStringLiteral("时间"), [this] { fBig::openDateTime(displays.get(), fBig::kTimeMode); });
    mMiniForm = named(mShowWindows->addAction(QStringLiteral("微型")), QStringLiteral("mMiniForm"));
    mMiniForm->setEnabled(false);
    mFor = named(mOption->addMenu(QStringLiteral("精度(&M)")), QStringLiteral("mFor"));
    msp = tavrik::gui::addPrecisionItems(mFor, [this](int i) { msp_Click(i); });
    mOption->addSeparator();
    montop = item(mOption, QStringLiteral("montop"), QStringLiteral("窗口总在前面显示(&O)"), [this] { montop_Click(); });
    montop->setCheckable(true);
    mOption->addSeparator();
    mOption1 = item(mOption, QStringLiteral("mOption1"), QStringLiteral("选项(&)..."), [this] { mOption1_Click(); });

    mHelp = named(bar->addMenu(QStringLiteral("帮助(&H)")), QStringLiteral("mHelp"));
    mnewp = item(mHelp, QStringLiteral("mnewp"), QStringLiteral("下载最新版本..."), [this] { mnewp_Click(); });
    mp = named(mHelp->addMenu(QStringLiteral("作者主页")), QStringLiteral("mp"));
    mp1[0] = item(mp, indexed("mp1", 0), tavrik::core::kHomePage, [this] { mp1_Click(0); });
    mp1[1] = item(mp, indexed("mp1", 1), tavrik::core::kWebLog, [this] { mp1_Click(1); });
    mHelp->addSeparator();
    myj = item(mHelp, QStringLiteral("myj"), QStringLiteral("您对Tavrik的意见..."), [this] { myj_Click(); });
    mHelp->addSeparator();
    mSh = item(mHelp, QStringLiteral("mSh"), QStringLiteral("说明..."), [this] { mSh_Click(); });
    mHelp->addSeparator();
    mAbout = item(mHelp, QStringLiteral("mAbout"), QStringLiteral("关于(&A)..."), [this] { mAbout_Click(); });

    // Pop-up only: never part of the menu bar.
    mSegPop = named(new QMenu(QStringLiteral("mSegPop"), q), QStringLiteral("mSegPop"));
    mShowhms = item(mSegPop, QStringLiteral("mShowhms"), QStringLiteral("显示为“时分秒”"), [this] { mShowhms_Click(); });
    mShowS = item(mSegPop, QStringLiteral("mShowS"), QStringLiteral("显示为“秒”"), [this] { mShowS_Click(); });
    mShowhms->setCheckable(true);
    mShowS->setCheckable(true);
    mSegPop->addSeparator();
    mShowbigForm = item(mSegPop, QStringLiteral("mShowbigForm"), QStringLiteral("显示大窗口"), [this] { displays->showBigWindow(); });
}

} // namespace vexo3
