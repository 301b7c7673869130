#include "vexo3/main/frmsec.h"

#include "shared/core/clock.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/launcher.h"
#include "shared/core/numtext.h"
#include "shared/core/profile.h"
#include "shared/gui/services.h"
#include "shared/core/settingsstore.h"
#include "shared/gui/topmost.h"
#include "shared/gui/twips.h"
#include "vexo3/cmdbox/cmdbox.h"
#include "vexo3/main/flist.h"
#include "vexo3/main/persistence.h"
#include "vexo3/main/version.h"
#include "vexo3/seg/seg.h"
#include "vexo3/windows/fbig.h"
#include "vexo3/windows/foption.h"
#include "vexo3/windows/imagesets.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QStringDecoder>

namespace vexo3 {

using tavrik::gui::px;
using tavrik::gui::services;

namespace {

const QString kRefusalText = QStringLiteral("控制已被锁定，不能关闭窗口。");
constexpr double kRefusalSeconds = 2.0;
// The window was designed with a 2800-twip outer height: caption and borders take
// 450 twips of it and the menu bar 300; the rest is the client area below the menu.
constexpr int kClientHeightTwips = 2800 - 450 - 300;
constexpr int kInnerWidthTwips = 4560;
constexpr int kMainSegLeft = 120;
// The longest countdown the ten-cell display can show with its decimal.
constexpr double kMaxCountdownSeconds = 1e8;

struct ButtonInfo {
    const char *caption;
    const char *hint;
    int left;
};
const ButtonInfo kButtons[kButtonCount] = {
    {"开始", "启动秒表", 120},          {"暂停", "暂停秒表", 120},
    {"继续", "秒表继续", 120},          {"复位", "秒表计时恢复到0", 1200},
    {"停止", "停止秒表", 1200},         {"关于", "关于\"Tavrik\"", 2280},
    {"记录", "记录当前的计时", 2280},   {"关闭", "退出\"Tavrik\"", 3360},
};

// A stored 16-bit number; anything else (not a number, out of range) is the default.
short storedShort(const QString &section, const QString &key, short def)
{
    return short(tavrik::core::parseRounded(tavrik::gui::readSetting(section, key, QString::number(def)), -32768, 32767)
                     .value_or(def));
}

} // namespace

FrmSec::FrmSec(QWidget *parent) : QMainWindow(parent), sw(*this)
{
    buildWidgets();
    buildMenus();
    tmrGo.setTimerType(Qt::PreciseTimer);
    tmrGo.setInterval(precisionInterval(kDefaultSpeed));
    connect(&tmrGo, &QTimer::timeout, this, &FrmSec::tmrGo_Timer);
    Timer2.setInterval(1000);
    connect(&Timer2, &QTimer::timeout, this, &FrmSec::Timer2_Timer);
    qApp->installEventFilter(this);
}

FrmSec::~FrmSec()
{
    qApp->removeEventFilter(this);
    // The other big windows know this window as their host: none may outlive it.
    for (fBig *b : fBig::instances())
        if (b != big_)
            delete b;
    delete big_.data();
    delete list_.data();
    delete option_.data();
}

void FrmSec::buildWidgets()
{
    auto *body = new QWidget(this);
    setCentralWidget(body);

    Label5 = new QLabel(body);
    Label5->setGeometry(0, 0, px(120), px(240));

    SegBox1 = new Seg(body);
    SegBox1->setSegValue(QStringLiteral("0123456789"));
    SegBox1->setSegCount(QStringLiteral("8"));
    SegBox1->setGeometry(px(kMainSegLeft), px(240), px(kInnerWidthTwips - 1.5 * kMainSegLeft), px(615));
    connect(SegBox1, &Seg::LeftClick, this, &FrmSec::SegBox1_LeftClick);
    connect(SegBox1, &Seg::RightClick, this, &FrmSec::SegBox1_RightClick);

    Line1 = new QFrame(body);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(px(120), px(1080) - 1, px(4440 - 120), 2);

    for (int i = 0; i < kButtonCount; ++i) {
        auto *b = new cmdBox(body);
        b->setGeometry(px(kButtons[i].left), px(1320), px(975), px(495));
        b->setCaption(QString::fromUtf8(kButtons[i].caption));
        b->setToolTip(QString::fromUtf8(kButtons[i].hint));
        connect(b, &cmdBox::Click, this, [this, i] { CMD_Click(i); });
        connect(b, &cmdBox::EnabledChanged, this, [this, i](bool e) { CMD_EnabledChanged(i, e); });
        CMD[i] = b;
    }

    lblDate = new QLabel(body);
    lblDate->move(px(240), px(1800));

    // Which timing mode is chosen, at the right end of the date line.
    lblMode = new QLabel(body);
    lblMode->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblMode->setGeometry(px(3360), px(1800), px(975), px(240));
    lblMode->setStyleSheet(QStringLiteral("color: #808080"));

    // The designed height, or a little more where the font is taller than the one the
    // window was drawn with, so the date line is never cut off.
    body->setFixedSize(px(kInnerWidthTwips),
                       std::max(px(kClientHeightTwips), lblDate->y() + lblDate->sizeHint().height() + 4));
}

void FrmSec::buildMenus()
{
    QMenuBar *bar = menuBar();
    mSec = bar->addMenu(QStringLiteral("秒表控制(&S)"));
    mstart = mSec->addAction(QStringLiteral("开始    [Enter]"), this, &FrmSec::ActStart);
    mPause = mSec->addAction(QStringLiteral("暂停    [Enter]"), this, &FrmSec::ActPause);
    mCoun = mSec->addAction(QStringLiteral("继续    [Enter]"), this, &FrmSec::ActContinue);
    mStop = mSec->addAction(QStringLiteral("停止"), this, &FrmSec::ActStop);
    mReset = mSec->addAction(QStringLiteral("复位"), this, &FrmSec::ActReset);
    mSec->addSeparator();
    mrec = mSec->addAction(QStringLiteral("记录    [Space]"), this, &FrmSec::ActRecord);
    mLock = mSec->addAction(QStringLiteral("锁定控制(&L)"), this, &FrmSec::mLock_Click);
    mSec->addSeparator();
    mTimer = mSec->addMenu(QStringLiteral("定时(测试版本功能)"));
    mClear = mTimer->addAction(QStringLiteral("清零"));
    mClear->setEnabled(false);
    mSt = mTimer->addAction(QStringLiteral("状态..."), this, &FrmSec::mSt_Click);
    mSt->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mSt->setShortcutContext(Qt::WindowShortcut);
    mTimer->addSeparator();
    auto *modes = new QActionGroup(this);
    const char *modeCaptions[] = {"秒表", "定时", "倒计时"};
    for (int i = 0; i < 3; ++i) {
        mMode2[i] = mTimer->addAction(QString::fromUtf8(modeCaptions[i]), this, [this, i] { mMode2_Click(i); });
        mMode2[i]->setCheckable(true);
        modes->addAction(mMode2[i]);
    }
    mMode2[0]->setEnabled(false);
    mMode2[1]->setEnabled(false);
    mSec->addSeparator();
    mOldVexo = mSec->addAction(QStringLiteral("使用旧版本"), this, &FrmSec::mOldVexo_Click);
    mSec->addSeparator();
    mUnload = mSec->addAction(QStringLiteral("关闭(&C)"), this, [this] { close(); });

    mOption = bar->addMenu(QStringLiteral("设置(O)"));
    mShowWindows = mOption->addMenu(QStringLiteral("显示窗口"));
    mshowSec = mShowWindows->addAction(QStringLiteral("秒表显示"), this, &FrmSec::mshowSec_Click);
    mshowDate = mShowWindows->addAction(QStringLiteral("日期"), this, &FrmSec::mshowDate_Click);
    mshowTime = mShowWindows->addAction(QStringLiteral("时间"), this, &FrmSec::mshowTime_Click);
    mMiniForm = mShowWindows->addAction(QStringLiteral("微型"));
    mMiniForm->setEnabled(false);
    mFor = mOption->addMenu(QStringLiteral("精度(&M)"));
    const char *speeds[] = {"最高(毫秒)", "高", "普通(默认)", "低", "较低", "最低(秒)"};
    for (int i = 0; i < 6; ++i) {
        msp[i] = mFor->addAction(QString::fromUtf8(speeds[i]), this, [this, i] { msp_Click(i); });
        msp[i]->setCheckable(true);
    }
    msp[kDefaultSpeed]->setChecked(true);
    mOption->addSeparator();
    montop = mOption->addAction(QStringLiteral("窗口总在前面显示(&O)"), this, &FrmSec::montop_Click);
    montop->setCheckable(true);
    mOption->addSeparator();
    mOption1 = mOption->addAction(QStringLiteral("选项(&)..."), this, &FrmSec::mOption1_Click);

    mHelp = bar->addMenu(QStringLiteral("帮助(&H)"));
    mnewp = mHelp->addAction(QStringLiteral("下载最新版本..."), this, &FrmSec::mnewp_Click);
    mp = mHelp->addMenu(QStringLiteral("作者主页"));
    mp1[0] = mp->addAction(kHomePage, this, [this] { mp1_Click(0); });
    mp1[1] = mp->addAction(kWebLog, this, [this] { mp1_Click(1); });
    mHelp->addSeparator();
    myj = mHelp->addAction(QStringLiteral("您对Tavrik的意见..."), this, &FrmSec::myj_Click);
    mHelp->addSeparator();
    mSh = mHelp->addAction(QStringLiteral("说明..."), this, &FrmSec::mSh_Click);
    mHelp->addSeparator();
    mAbout = mHelp->addAction(QStringLiteral("关于(&A)..."), this, &FrmSec::mAbout_Click);

    // Pop-up only: never part of the menu bar.
    mSegPop = new QMenu(QStringLiteral("mSegPop"), this);
    mShowhms = mSegPop->addAction(QStringLiteral("显示为“时分秒”"), this, &FrmSec::mShowhms_Click);
    mShowS = mSegPop->addAction(QStringLiteral("显示为“秒”"), this, &FrmSec::mShowS_Click);
    mShowhms->setCheckable(true);
    mShowS->setCheckable(true);
    mSegPop->addSeparator();
    mShowbigForm = mSegPop->addAction(QStringLiteral("显示大窗口"), this, &FrmSec::mshowSec_Click);
}

void FrmSec::setTitle()
{
    setWindowTitle(QStringLiteral("Tavrik") + tavrik::core::versionText(kVersion, tavrik::core::Revision::Plain));
}

void FrmSec::Form_Load()
{
    IniPath = vexoIniPath();
    adjustSize();
    setTitle();
    alarmTime_.clear();

    const QString image = selectedSegImage(IniPath);
    if (!image.isEmpty())
        loadSegImage(this, SegBox1, image);

    sw.SegMode1 = storedShort(kDisplaySection, QStringLiteral("SegMode1"), 0);
    sw.SegMode2 = storedShort(kDisplaySection, QStringLiteral("SegMode2"), 0);
    const auto height = tavrik::core::parseFloat(tavrik::gui::readSetting(kDisplaySection, QStringLiteral("SegHeight"), QStringLiteral("200")));
    segHeight_ = height && *height > 0 ? *height : 200.0f;

    auto profileShort = [&](const QString &key, const QString &def) {
        return tavrik::core::roundToIntegral<short>(
            tavrik::core::leadingNumber(tavrik::core::ReadIni(QStringLiteral("Setting"), key, def, IniPath)), -32768, 32767);
    };
    sw.msStyle = profileShort(QStringLiteral("msStyle"), QStringLiteral("0"));
    sw.msCount = profileShort(QStringLiteral("msCount"), QStringLiteral("3"));

    SegBox1->setSegValue(QStringLiteral("0.000"));
    bigWindow(true)->SegBox1->setSegValue(QStringLiteral("0.000"));

    const auto speed = tavrik::core::parseInt32(tavrik::gui::readSetting(kDisplaySection, QStringLiteral("Speed"), QStringLiteral("2")));
    msp_Click(speed && precisionInterval(*speed) > 0 ? *speed : kDefaultSpeed);

    const bool onTop = tavrik::core::parseBool(tavrik::gui::readSetting(kDisplaySection, QStringLiteral("OnTop"), QStringLiteral("1"))).value_or(true);
    montop->setChecked(onTop);
    if (onTop)
        setTopmost(true);

    SetV(kIdleSet);
    SetE(kIdleSet);
    GetState();
    for (int i : {0, 4, 2, 1, 7, 5, 3})
        CMD[i]->setCaption(QString::fromUtf8(kButtons[i].caption));

    // Centred on the screen.
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    show();
    if (!CMD[3]->isVisibleTo(this) && !CMD[4]->isVisibleTo(this)) {
        SetV(kIdleSet);
        SetE(kIdleSet);
    }
    SegBox1->setSegCount(QString::number(segCounts1_));
    SegBox1->resize(px(kInnerWidthTwips - 1.5 * kMainSegLeft), SegBox1->height());
    ReDrawSeg();
    Timer2_Timer();
    Timer2.start();
    lblMode->setText(mMode2[mode_]->text());
    loaded_ = true;
    // Asked to end while starting up (say, while a start-up box was open): end now,
    // from the event loop, with the state restored.
    if (endPending_)
        QTimer::singleShot(0, this, &FrmSec::endFromSystem);
}

bool FrmSec::refusing() const { return refuseUntil_ >= 0 && services().clock->now().absolute() < refuseUntil_; }

bool FrmSec::Form_Unload()
{
    if (locked_) {
        // Refuse, and keep saying so for two seconds while everything else goes on.
        QPalette pal = lblDate->palette();
        pal.setColor(QPalette::WindowText, QColor(255, 0, 0));
        lblDate->setPalette(pal);
        refuseUntil_ = services().clock->now().absolute() + kRefusalSeconds;
        lblDate->setText(kRefusalText);
        lblDate->adjustSize();
        return true;
    }
    endProgram();
    return false;
}

void FrmSec::saveForSessionEnd()
{
    // Before start-up has restored the state there is nothing newer to save.
    if (!loaded_)
        return;
    SaveState();
    tavrik::gui::saveSetting(kDisplaySection, QStringLiteral("SegMode1"), QString::number(sw.SegMode1));
    tavrik::gui::saveSetting(kDisplaySection, QStringLiteral("SegMode2"), QString::number(sw.SegMode2));
}

void FrmSec::endProgram()
{
    if (ending_)
        return;
    ending_ = true;
    saveForSessionEnd();
    tmrGo.stop();
    Timer2.stop();
    if (list_)
        list_->removeRecordFileIfUnchanged();
    // Every other window goes at once, without further events.
    for (fBig *b : fBig::instances())
        b->deleteLater();
    for (QWidget *w : {static_cast<QWidget *>(list_.data()), static_cast<QWidget *>(option_.data())})
        if (w)
            w->deleteLater();
    QCoreApplication::quit();
}

void FrmSec::endFromSystem()
{
    if (!loaded_) {
        endPending_ = true;
        return;
    }
    if (!locked_) {
        close();
        if (ending_)
            return;
    }
    endProgram();
}

void FrmSec::closeEvent(QCloseEvent *event)
{
    if (ending_ || !Form_Unload())
        event->accept();
    else
        event->ignore();
}

// --- buttons and actions -------------------------------------------------------

bool FrmSec::buttonEnabled(int index) const { return CMD[index]->Enabled(); }

bool FrmSec::buttonVisible(int index) const { return CMD[index]->isVisibleTo(const_cast<FrmSec *>(this)); }

void FrmSec::SetV(const QList<int> &list)
{
    for (cmdBox *b : CMD)
        b->setVisible(false);
    for (int i : list)
        CMD[i]->setVisible(true);
}

void FrmSec::SetE(const QList<int> &list)
{
    for (cmdBox *b : CMD)
        b->setEnabled(false);
    for (QAction *a : {mstart, mStop, mPause, mUnload, mReset})
        a->setEnabled(false);
    for (int i : list)
        CMD[i]->setEnabled(true);
}

void FrmSec::CMD_Click(int Index)
{
    switch (buttonAction(Index)) {
    case Action::Start: ActStart(); break;
    case Action::Pause: ActPause(); break;
    case Action::Continue: ActContinue(); break;
    case Action::Reset: ActReset(); break;
    case Action::Stop: ActStop(); break;
    case Action::About: ActAbout(); break;
    case Action::Record: ActRecord(); break;
    case Action::Exit: ActExit(); break;
    case Action::None: break;
    }
}

void FrmSec::CMD_EnabledChanged(int Index, bool cEnabled)
{
    QAction *mirror[kButtonCount] = {mstart, mPause, mCoun, mReset, mStop, nullptr, nullptr, mUnload};
    if (mirror[Index])
        mirror[Index]->setEnabled(cEnabled);
}

// The timer follows the running flag; every action that acted saves the state.
void FrmSec::afterAction()
{
    if (sw.running)
        tmrGo.start();
    else
        tmrGo.stop();
    SaveState();
}

void FrmSec::ActStart()
{
    if (sw.ActStart(services().clock->now()))
        afterAction();
}

void FrmSec::ActPause()
{
    if (sw.ActPause(services().clock->now()))
        afterAction();
}

void FrmSec::ActContinue()
{
    if (sw.ActContinue(services().clock->now()))
        afterAction();
}

void FrmSec::ActStop()
{
    if (sw.ActStop(services().clock->now()))
        afterAction();
}

void FrmSec::ActReset()
{
    if (!sw.ActReset())
        return;
    SegBox1->setSegValue(kResetText);
    bigWindow(true)->SegBox1->setSegValue(kResetText);
    afterAction();
}

void FrmSec::ActRecord()
{
    if (!sw.guard(Action::Record))
        return;
    if (!list_)
        list_ = new fList(this);
    list_->showAbove(this);
    list_->append(sw.TimerString + QStringLiteral("S [") + sw.TimeString + u']');
}

void FrmSec::ActAbout()
{
    if (!sw.guard(Action::About))
        return;
    mAbout_Click();
    SaveState();
}

void FrmSec::ActExit()
{
    if (!sw.guard(Action::Exit))
        return;
    SaveState();
    close();
}

void FrmSec::ActKeyDown(int KeyCode, Qt::KeyboardModifiers Shift)
{
    switch (keyAction(KeyCode, Shift, *this)) {
    case Action::Start: ActStart(); break;
    case Action::Continue: ActContinue(); break;
    case Action::Pause: ActPause(); break;
    case Action::Record: ActRecord(); break;
    case Action::Reset: ActReset(); break;
    default: break;
    }
}

// X11 reports Ctrl+Break as no Qt key at all, only as the Break keysym.
int FrmSec::keyOf(const QKeyEvent *event) const
{
    constexpr quint32 kXkBreak = 0xff6b;
    if (event->key() == 0 && event->nativeVirtualKey() == kXkBreak)
        return Qt::Key_Cancel;
    return event->key();
}

bool FrmSec::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        QWidget *w = static_cast<QWidget *>(watched)->window();
        const bool mine = (w == this && keyPreview_) || (list_ && w == list_.data());
        if (mine) {
            auto *ke = static_cast<QKeyEvent *>(event);
            const int key = keyOf(ke);
            if (keyAction(key, ke->modifiers(), *this) != Action::None || key == Qt::Key_Return ||
                key == Qt::Key_Enter || key == Qt::Key_F1) {
                // Holding a key down must not start and pause in turn.
                if (!ke->isAutoRepeat())
                    ActKeyDown(key, ke->modifiers());
                return true;
            }
        }
    } else if (watched == lblDate && event->type() == QEvent::MouseButtonPress) {
        return true; // the date line's own click, not the window body's
    } else if (watched == lblDate && event->type() == QEvent::MouseButtonRelease) {
        lblDate_Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmSec::mousePressEvent(QMouseEvent *event)
{
    QMainWindow::mousePressEvent(event);
    Form_Click();
}

// --- the tick ------------------------------------------------------------------

void FrmSec::tmrGo_Timer()
{
    sw.tick(services().clock->now());
    const Readings r{sw.TimerString, sw.TimeString};
    if (const QString *text = tickMainText(sw.SegMode1, r))
        SegBox1->setSegValue(*text);
    if (big_ && big_->isVisible() && big_->lblMode == QLatin1String("Timer"))
        big_->SegBox1->setSegValue(readingFor(sw.SegMode2, r));
}

void FrmSec::ReDrawSeg()
{
    const Readings r{sw.TimerString, sw.TimeString};
    SegBox1->setSegValue(readingFor(sw.SegMode1, r));
    if (big_ && big_->isVisible())
        big_->SegBox1->setSegValue(readingFor(sw.SegMode2, r));
}

void FrmSec::msp_Click(int Index)
{
    if (precisionInterval(Index) < 0)
        Index = kDefaultSpeed;
    for (QAction *a : msp)
        a->setChecked(false);
    msp[Index]->setChecked(true);
    sw.Speed = short(Index);
    tavrik::gui::saveSetting(kDisplaySection, QStringLiteral("Speed"), QString::number(Index));
    tmrGo.setInterval(precisionInterval(Index));
}

// --- state ---------------------------------------------------------------------

void FrmSec::SaveState()
{
    SavedState s;
    s.clock = sw.clock;
    s.timerEnabled = tmrGo.isActive();
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
    if (!vexo3::saveState(*services().store, s) && !saveFailureShown_) {
        saveFailureShown_ = true;
        services().dialogs->message(this,
                                    QStringLiteral("无法保存秒表的状态，设置文件不能写入。\n"
                                                   "秒表照常计时，但程序退出后可能无法恢复本次计时。"),
                                    QStringLiteral("错误"), tavrik::gui::MsgIcon::Warning);
    }
}

void FrmSec::GetState()
{
    SavedState current;
    for (int i = 0; i < kButtonCount; ++i) {
        current.enabled[i] = buttonEnabled(i);
        current.visible[i] = buttonVisible(i);
    }
    const SavedState s = readState(*services().store, current);
    sw.clock = s.clock;
    sw.TimeString = s.TimeString;
    sw.TimerString = s.TimerString;
    segCounts1_ = s.SegCounts1;
    segCounts2_ = s.SegCounts2;
    if (s.bigVisible)
        mshowSec_Click();
    sw.running = s.timerEnabled;
    if (sw.running)
        tmrGo.start();
    else
        tmrGo.stop();
    for (int i = 0; i < kButtonCount; ++i) {
        CMD[i]->setVisible(s.visible[i]);
        CMD[i]->setEnabled(s.enabled[i]);
    }
}

void FrmSec::setSegCounts(short mainCells, short bigCells)
{
    segCounts1_ = mainCells;
    segCounts2_ = bigCells;
}

void FrmSec::setFractionStyle(short msStyle, short msCount)
{
    sw.msStyle = msStyle;
    sw.msCount = msCount;
}

// --- the date line and timing modes -------------------------------------------

void FrmSec::Timer2_Timer()
{
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
    lblDate->setFrameShape(lblDate->frameShape() == QFrame::NoFrame ? QFrame::Box : QFrame::NoFrame);
    lblDate->adjustSize();
}

void FrmSec::chooseMode(int index)
{
    mMode2[index]->setChecked(true);
    mode_ = index;
    lblMode->setText(mMode2[index]->text());
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

// --- menus ---------------------------------------------------------------------

void FrmSec::mLock_Click()
{
    locked_ = !locked_;
    if (locked_) {
        mLock->setText(QStringLiteral("解除锁定控制"));
        setWindowTitle(QStringLiteral("Tavrik") + tavrik::core::versionText(kVersion, tavrik::core::Revision::FourDigits) + QStringLiteral(" [控制已经锁定]"));
        SetE({});
        keyPreview_ = false;
    } else {
        mLock->setText(QStringLiteral("锁定控制"));
        setWindowTitle(QStringLiteral("Tavrik"));
        SetE(kAllButtons);
        keyPreview_ = true;
    }
}

void FrmSec::setTopmost(bool on) { tavrik::gui::setTopmost(this, on); }

void FrmSec::montop_Click()
{
    // The action toggled its own check mark already.
    const bool on = montop->isChecked();
    setTopmost(on);
    tavrik::gui::saveSetting(kDisplaySection, QStringLiteral("OnTop"), on ? QStringLiteral("255") : QStringLiteral("0"));
}

fBig *FrmSec::bigWindow(bool create)
{
    if (!big_ && create)
        big_ = new fBig(this);
    return big_;
}

QIcon FrmSec::hostIcon() const { return windowIcon(); }

fList *FrmSec::recordList() const { return list_; }

fOption *FrmSec::optionDialog() const { return option_; }

void FrmSec::showBig(fBig *big)
{
    big->show();
    big->raise();
}

void FrmSec::mshowSec_Click()
{
    fBig *big = bigWindow(true);
    big->SegBox1->setSegCount(QString::number(segCounts2_));
    showBig(big);
}

void FrmSec::mshowDate_Click() { fBig::openDateTime(this, QStringLiteral("Date")); }

void FrmSec::mshowTime_Click() { fBig::openDateTime(this, QStringLiteral("Time")); }

void FrmSec::mShowhms_Click() { sw.SegMode1 = 1; }

void FrmSec::mShowS_Click() { sw.SegMode1 = 0; }

void FrmSec::mOption1_Click()
{
    if (!option_)
        option_ = new fOption(this);
    option_->show();
    option_->raise();
}

void FrmSec::mnewp_Click() { services().launcher->openUrl(QUrl(kDownloadPage)); }

void FrmSec::mp1_Click(int Index) { services().launcher->openUrl(QUrl(mp1[Index]->text())); }

void FrmSec::myj_Click()
{
    services().dialogs->message(
        this,
        QStringLiteral("《Tavrik》力求按照用户的要求来不断改进、完善自己，非常感谢用户朋友提供的意见！\r\n\r\n"
                       "您可以在bbs中留下意见，或者直接发送e-mail。"),
        QStringLiteral("您的意见"), tavrik::gui::MsgIcon::Information);
    services().launcher->openUrl(QUrl(kFeedbackPage));
}

void FrmSec::mSh_Click()
{
    const QString path = tavrik::gui::AppDir() + QStringLiteral("说明.txt");
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        services().dialogs->message(this, QStringLiteral("未找到说明文件:") + path, QStringLiteral("错误"),
                                    tavrik::gui::MsgIcon::Critical);
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        services().dialogs->message(this, file.errorString(), QStringLiteral("错误"), tavrik::gui::MsgIcon::Critical);
        return;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(file.readAll());
    services().dialogs->message(this, text, QStringLiteral("说明"), tavrik::gui::MsgIcon::Information);
}

void FrmSec::mAbout_Click()
{
    services().dialogs->message(
        this,
        QStringLiteral("   ====Tavrik====\r\n  版本：%1\r\n  主页：%2\r\n  意见与反馈：%3")
            .arg(tavrik::core::versionText(kVersion, tavrik::core::Revision::Plain), kHomePage, kFeedbackPage),
        QStringLiteral("关于"), tavrik::gui::MsgIcon::Information);
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
    mShowS->setChecked(sw.SegMode1 == 0);
    mShowhms->setChecked(sw.SegMode1 != 0);
    mSegPop->popup(QCursor::pos());
}

void FrmSec::Form_Click()
{
    if (tavrik::gui::twips(frameGeometry().height()) < 1000)
        mSec->popup(mapToGlobal(QPoint(px(1), px(300))));
}

} // namespace vexo3
