#pragma once

#include "vexo/engine/engine.h"
#include "vexo/engine/settings.h"

#include <QWidget>
#include <memory>

class QKeyEvent;

namespace tavrik::gui {
class SaveNotice;
}

namespace vexo {

// The main window of Vexo: two read-outs of one stopwatch, eight buttons in four
// slots, and a pop-up menu behind the "Tavrik菜单" button (there is no menu bar). The
// stopwatch itself is the plain Stopwatch of engine.h; this window feeds it the
// clock and its timers and shows what it holds.
//
// The widgets are private and carry the names the handlers below are named after
// ("lblTime", "cmdStart", "mLock", "Timer1"), which is how tests find them.
//
// The code is split by concern: frmsec.cpp (start-up, closing, keys, mouse),
// frmsec_build.cpp (widgets and menus), frmsec_actions.cpp (the five operations, the
// buttons, the two timers), frmsec_menus.cpp (menu items and label clicks).
class FrmSec : public QWidget {
    Q_OBJECT
public:
    explicit FrmSec(QWidget *parent = nullptr);
    ~FrmSec() override;

    // Start-up: outer height, caption, stored settings, precision, always-on-top;
    // then the window opens centred on the screen.
    void Form_Load();
    // A close request; true when it is refused.
    bool Form_Unload();
    // The desktop asks the program to end (a termination signal): it ends at once,
    // without a question and without storing anything.
    void endFromSystem();

    // The five operations; each acts only while its button's flag allows it.
    void Start();
    void Pause();
    void Continue();
    void Stop();
    void Reset();
    // The window's key handling (key preview): Space/F1 and F3/Ctrl+Break.
    void Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift);

    void cmd_Click(Button b);
    void Timer1_Timer();
    void Timer2_Timer();

    // Menu items and clicks.
    void Label4_Click();
    void Label4_MouseMove();
    void Form_Click();
    void Form_MouseMove();
    void Label2_Click();
    void Label2_MouseMove();
    void border_Click(Bordered label);
    void mLock_Click();
    void mMiniForm_Click();
    void montop_Click();
    void msp_Click(int Index);
    void mA60_Click();
    void mB60_Click();
    void mMode2_Click(int Index);
    void mClear_Click();
    void mSt_Click();
    void mAbout_Click();
    void mSH_Click();
    void mnewp_Click();
    void mp1_Click(int Index);
    void mrec_Click();

    // What the window holds, read-only.
    const Stopwatch &stopwatch() const { return sw; }
    bool keyPreview() const { return !sw.Locked(); }
    // The window's outer height (frame included) in twips.
    int outerHeightTwips() const;
    // The lock refusal is on screen.
    bool refusing() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct Ui;
    class DialogAsker;

    void buildWidgets();
    void buildMenus();
    void showState();
    void refreshMenu();
    void popupMenu();
    void applyBorders();
    void cLine(const QWidget *control);
    void setOuterHeightTwips(int twips);
    void setCaptionIfDifferent(const QString &caption);
    void showTick();
    void showTickCaption();
    void showLabel5(const QString &text);
    void showModes();
    void endProgram();
    void stored(bool ok, const QString &why);
    double now() const;

    // The length of the line Label5's point size was chosen for (digits are all as
    // wide, so only the length changes the width).
    qsizetype label5Length_ = -1;
    std::unique_ptr<Ui> ui_;
    Stopwatch sw;
    Settings settings_;
    bool ending_ = false;
    // The one box about the settings file or a failed save.
    tavrik::gui::SaveNotice *saveNotice_ = nullptr;
    // Pixels the window adds below its set height to show the status line whole.
    int statusRoom_ = 0;
};

} // namespace vexo
