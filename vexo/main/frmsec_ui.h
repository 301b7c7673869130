#pragma once

// The parts of Vexo's main window, for the files its code is split into (frmsec.h
// names them); private to the window.

#include "vexo/main/frmsec.h"
#include "vexo/main/flist.h"
#include "vexo/main/readout.h"

#include "shared/gui/closepolicy.h"
#include "shared/gui/precisionmenu.h"
#include "vexo/engine/windowlogic.h"

#include <QPointer>
#include <QString>
#include <array>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTimer;

namespace tavrik::gui {
class FrameGate;
}

namespace vexo {

class xpcmdbutton;

struct FrmSec::Ui {
    xpcmdbutton *Label4 = nullptr;
    // The read-outs change at every tick.
    Readout *Label5 = nullptr, *lblTime = nullptr, *lblTimer = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *lblDate = nullptr, *Label6 = nullptr;
    QFrame *Line1 = nullptr;
    QWidget *Shape1 = nullptr;
    // Indexed by Button.
    std::array<xpcmdbutton *, kButtonCount> cmd{};
    tavrik::gui::TickTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    // What the tick shows, at most once a frame; the mini window's caption, which the
    // window manager redraws its title bar for, a few times a second.
    tavrik::gui::FrameGate *readouts = nullptr, *caption = nullptr;
    // The date line's two seconds of refusing a close while locked.
    std::unique_ptr<tavrik::gui::LockRefusal> refusal;

    QMenu *mSec = nullptr;
    QAction *mstart = nullptr, *mPause = nullptr, *mCoun = nullptr, *mStop = nullptr, *mReset = nullptr;
    QAction *mrec = nullptr, *mLock = nullptr, *mA60 = nullptr, *mB60 = nullptr;
    QMenu *mFor = nullptr;
    std::array<QAction *, 6> msp{};
    QAction *mMiniForm = nullptr;
    QMenu *mTimer = nullptr;
    QAction *mClear = nullptr, *mSt = nullptr;
    std::array<QAction *, 3> mMode2{};
    QAction *montop = nullptr;
    QMenu *mP = nullptr;
    std::array<QAction *, 3> mp1{};
    QAction *mnewp = nullptr, *mSH = nullptr, *mAbout = nullptr, *mUnload = nullptr;

    QPointer<fList> list;

    // The labels whose border a click toggles, indexed by Bordered.
    std::array<QLabel *, kBorderedCount> bordered() const { return {lblTime, lblTimer, lblDate, Label1, Label2}; }
};

// A label's text colour (its border keeps the window-text colour).
void setTextColour(QLabel *label, const QColor &colour);
QColor textColour(const QLabel *label);

// The window's design: client area and outer height at start-up (twips).
constexpr int kClientWidthTwips = 4560;
constexpr int kClientHeightTwips = 2565;
// Label2's font and width as designed.
constexpr double kLabel2PointSize = 12;
constexpr int kLabel2WidthTwips = 480;
// Caption and borders as designed: the outer height less the client height. Used
// where the platform draws no frame (or before it has), so that the outer height
// reads the same with and without a window manager.
constexpr int kDesignFrameTwips = kStartOuterHeight - kClientHeightTwips;

} // namespace vexo
