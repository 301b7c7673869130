#pragma once

#include "shared/core/instance.h"
#include "vexo3/engine/engine.h"
#include "vexo3/main/flist.h"
#include "vexo3/engine/persistence.h"
#include "vexo3/windows/host.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class QKeyEvent;

namespace tavrik::gui {
class SaveNotice;
}

namespace vexo3 {

class Seg;
class fBig;
class fOption;

// The main window of Vexo3: the stopwatch. Its widgets are its own; they carry the
// names the handlers below are named after ("SegBox1", "CMD(0)", "mstart", "tmrGo"),
// which is how tests find them.
//
// The code is split by concern: frmsec.cpp (start-up, closing, keys), frmsec_build.cpp
// (widgets and menus), frmsec_actions.cpp (buttons, actions, the tick),
// frmsec_modes.cpp (date line and timing modes), frmsec_menus.cpp (window behaviours,
// help, about and web pages), frmsec_state.cpp (the saved running state).
class FrmSec : public QMainWindow, public ButtonPanel, public MainHost {
    Q_OBJECT
public:
    explicit FrmSec(QWidget *parent = nullptr);
    ~FrmSec() override;

    // Start-up: settings, digit set, precision, restored state; shows the window.
    void Form_Load();
    // The close request; true when the close is refused.
    bool Form_Unload();

    // Stopwatch actions; each does nothing unless its own button is enabled and visible.
    void ActStart();
    void ActPause();
    void ActContinue();
    void ActStop();
    void ActReset();
    void ActRecord();
    void ActAbout();
    void ActExit();
    void ActKeyDown(int KeyCode, Qt::KeyboardModifiers Shift);

    // ButtonPanel
    bool buttonEnabled(int index) const override;
    bool buttonVisible(int index) const override;
    void SetV(const QList<int> &list) override;
    void SetE(const QList<int> &list) override;

    void CMD_Click(int Index);
    void CMD_EnabledChanged(int Index, bool cEnabled);
    void msp_Click(int Index);
    void tmrGo_Timer();
    void Timer2_Timer();
    void ReDrawSeg();
    void SaveState() override;
    void GetState();

    // Menus and window behaviours.
    void mLock_Click();
    void montop_Click();
    void mshowSec_Click();
    void mshowDate_Click();
    void mshowTime_Click();
    void mShowhms_Click();
    void mShowS_Click();
    void mOption1_Click();
    void mnewp_Click();
    void mp1_Click(int Index);
    void myj_Click();
    void mSh_Click();
    void mAbout_Click();
    void mOldVexo_Click();
    void mMode2_Click(int Index);
    void mSt_Click();
    void SegBox1_LeftClick(int Shift, float X, float Y);
    void SegBox1_RightClick(int Shift, float X, float Y);
    void Form_Click();
    void lblDate_Click();

    // MainHost
    fBig *bigWindow(bool create) override;
    QIcon hostIcon() const override;
    short SegMode2() const override { return sw.SegMode2; }
    void setSegMode2(short mode) override { sw.SegMode2 = mode; }
    short SegCounts1() const override { return segCounts1_; }
    short SegCounts2() const override { return segCounts2_; }
    void setSegCounts(short mainCells, short bigCells) override;
    float SegHeight() const override { return segHeight_; }
    void setSegHeight(float height) override { segHeight_ = height; }
    Seg *mainSeg() override;
    void setFractionStyle(short msStyle, short msCount) override;

    // Ends the program the way the desktop asks: like the close box, but a locked
    // window still saves and ends.
    void endFromSystem();
    // The desktop session ends: save everything an exit would save.
    void saveForSessionEnd();
    bool isEnding() const { return ending_; }

    // Commands from the command line (vexo3/main/commandline.h), of this start or of a
    // later one: each goes through the action its key takes, with the same guards and
    // the lock; the answer tells that start what to print and how to end.
    tavrik::core::InstanceReply carryOut(const QStringList &commands);
    // Saves what the last commands changed; their answer has gone (else the event loop
    // calls it soon).
    void saveDeferredState();
    // What "--status" prints about this window.
    QString statusText() const;

Q_SIGNALS:
    // The program has begun to end; it leaves its event loop right after.
    void ending();

public:
    // What the window holds, read-only.
    const Stopwatch &stopwatch() const { return sw; }
    bool keyPreview() const { return !locked_; }
    int countdownMode() const { return mode_; }
    fList *recordList() const;
    fOption *optionDialog() const;
    QString iniPath() const { return IniPath; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    struct Ui;

    void buildWidgets();
    void buildMenus();
    void afterAction();
    void setTitle();
    void chooseMode(int index);
    void endProgram();
    void raiseFromCommand();
    int keyOf(const QKeyEvent *event) const;

    std::unique_ptr<Ui> ui_;
    Stopwatch sw;
    QString IniPath;
    QString alarmTime_;
    short segCounts1_ = kDefaultSegCount;
    short segCounts2_ = kDefaultSegCount;
    float segHeight_ = 200.0f;
    bool locked_ = false;
    int mode_ = 0;
    double countdownLength_ = 0;
    bool ending_ = false;
    bool loaded_ = false;
    bool endPending_ = false;
    bool deferSaves_ = false;
    bool saveDeferred_ = false;
    // The one box about the settings file or a failed save.
    tavrik::gui::SaveNotice *saveNotice_ = nullptr;
    void saveDisplaySetting(const QString &key, const QString &value);
    QPointer<fBig> big_;
    QPointer<fList> list_;
    QPointer<fOption> option_;
};

// What "--status" prints when no window runs: the saved state.
QString storedStatusText();

} // namespace vexo3
