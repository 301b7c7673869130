#pragma once

// The main window's widgets, shared by the files FrmSec is written in; nothing
// outside the window includes this.

#include "vexo3/main/frmsec.h"

#include "shared/gui/closepolicy.h"

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

class cmdBox;

struct FrmSec::Ui {
    Seg *SegBox1 = nullptr;
    std::array<cmdBox *, kButtonCount> CMD{};
    QFrame *Line1 = nullptr;
    QLabel *lblDate = nullptr;
    QLabel *lblMode = nullptr;
    QLabel *Label5 = nullptr;
    QTimer *tmrGo = nullptr;
    QTimer *Timer2 = nullptr;
    // The date line's two seconds of refusing a close while locked.
    std::unique_ptr<tavrik::gui::LockRefusal> refusal;

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
