#pragma once

// The main window's insides, shared by the files FrmSec is written in; nothing outside
// the window includes this. Split by concern: frmsec.cpp (start-up, closing, keys),
// frmsec_build.cpp (widgets and menus), frmsec_actions.cpp (buttons, actions, the tick),
// frmsec_modes.cpp (date line and timing modes), frmsec_menus.cpp (window behaviours,
// help, about and web pages), frmsec_remote.cpp (commands and the status).

#include "vexo3/main/frmsec.h"

#include "shared/gui/closepolicy.h"
#include "shared/gui/precisionmenu.h"
#include "vexo3/main/displays.h"
#include "vexo3/main/statekeeper.h"

#include <QPointer>
#include <QString>
#include <array>
#include <memory>
#include <utility>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTimer;

namespace vexo3 {

class Seg;
class cmdBox;

class FrmSec::Private {
public:
    explicit Private(FrmSec *window);

    void buildWidgets();
    void buildMenus();

    // Start-up and the end.
    void Form_Load();
    bool Form_Unload(); // true when the close is refused
    void endProgram();
    void endFromSystem();
    void saveForSessionEnd();
    void setTitle();

    // The buttons as the stopwatch has them, and what they and the keys do.
    void showButtons();
    void CMD_Click(int Index);
    void CMD_EnabledChanged(int Index, bool cEnabled);
    void afterAction();
    void ActStart();
    void ActPause();
    void ActContinue();
    void ActStop();
    void ActReset();
    void ActRecord();
    void ActAbout();
    void ActExit();
    void ActKeyDown(int KeyCode, Qt::KeyboardModifiers Shift);
    void tmrGo_Timer();
    void ReDrawSeg();
    void msp_Click(int Index);

    // The running state.
    void SaveState();
    void GetState();

    // Menus, clicks and the timing modes.
    void mLock_Click();
    void montop_Click();
    void mShowhms_Click() { sw.SegMode1 = 1; }
    void mShowS_Click() { sw.SegMode1 = 0; }
    void mOption1_Click();
    void mnewp_Click();
    void mp1_Click(int Index);
    void myj_Click();
    void mSh_Click();
    void mAbout_Click();
    void mOldVexo_Click();
    void SegBox1_LeftClick(int Shift, float X, float Y);
    void SegBox1_RightClick(int Shift, float X, float Y);
    void Form_Click();
    void Timer2_Timer();
    void lblDate_Click();
    void chooseMode(int index);
    void mMode2_Click(int Index);
    void mSt_Click();

    // Commands from the command line.
    void raiseFromCommand();
    QString statusText() const;

    FrmSec *q;
    Stopwatch sw;
    StateKeeper state;

    // Widgets, timers and menus, by the names they carry.
    Seg *SegBox1 = nullptr;
    std::array<cmdBox *, kButtonCount> CMD{};
    QFrame *Line1 = nullptr;
    QLabel *lblDate = nullptr;
    QLabel *lblMode = nullptr;
    QLabel *Label5 = nullptr;
    tavrik::gui::TickTimer *tmrGo = nullptr;
    QTimer *Timer2 = nullptr;
    QMenu *mSec = nullptr;
    QAction *mstart = nullptr, *mPause = nullptr, *mCoun = nullptr, *mStop = nullptr, *mReset = nullptr;
    QAction *mrec = nullptr, *mLock = nullptr, *mOldVexo = nullptr, *mUnload = nullptr;
    QMenu *mTimer = nullptr;
    QAction *mClear = nullptr, *mSt = nullptr;
    std::array<QAction *, 3> mMode2{};
    QMenu *mOption = nullptr;
    QMenu *mShowWindows = nullptr;
    QAction *mshowSec = nullptr, *mshowDate = nullptr, *mshowTime = nullptr, *mMiniForm = nullptr;
    QMenu *mFor = nullptr;
    std::array<QAction *, 6> msp{};
    QAction *montop = nullptr, *mOption1 = nullptr;
    QMenu *mHelp = nullptr;
    QAction *mnewp = nullptr, *myj = nullptr, *mSh = nullptr, *mAbout = nullptr;
    QMenu *mp = nullptr;
    std::array<QAction *, 2> mp1{};
    QMenu *mSegPop = nullptr;
    QAction *mShowhms = nullptr, *mShowS = nullptr, *mShowbigForm = nullptr;

    // Made once the widgets are.
    std::unique_ptr<Displays> displays;
    std::unique_ptr<tavrik::gui::LockRefusal> refusal;
    QPointer<fList> list;
    QPointer<fOption> option;

    QString IniPath;
    QString alarmTime;
    bool locked = false;
    int mode = 0;
    double countdownLength = 0;
    bool ending = false;
    bool loaded = false;
    bool endPending = false;
    // While a command is carried out, saves wait for its answer.
    bool deferSaves = false;
    bool saveDeferred = false;
};

struct ButtonInfo {
    const char *caption;
    const char *hint;
    int left; // twips
};
inline constexpr ButtonInfo kButtons[kButtonCount] = {
    {"开始", "启动秒表", 120},          {"暂停", "暂停秒表", 120},
    {"继续", "秒表继续", 120},          {"复位", "秒表计时恢复到0", 1200},
    {"停止", "停止秒表", 1200},         {"关于", "关于\"Tavrik\"", 2280},
    {"记录", "记录当前的计时", 2280},   {"关闭", "退出\"Tavrik\"", 3360},
};

// The window was designed with a 2800-twip outer height: caption and borders take
// 450 twips of it and the menu bar 300; the rest is the client area below the menu.
constexpr int kClientHeightTwips = 2800 - 450 - 300;
constexpr int kInnerWidthTwips = 4560;
constexpr int kMainSegLeft = 120;

// msStyle and msCount, the digits after the point, as the profile file chooses them.
std::pair<short, short> fractionStyleOf(const QString &iniPath);

} // namespace vexo3
