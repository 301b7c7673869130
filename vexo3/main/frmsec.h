#pragma once

#include "shared/core/instance.h"
#include "vexo3/engine/engine.h"
#include "vexo3/main/flist.h"

#include <QMainWindow>
#include <memory>

class QKeyEvent;

namespace vexo3 {

class MainHost;
class fBig;
class fOption;

// The main window of Vexo3: the stopwatch. Its widgets, its handlers (named after their
// control and event: CMD_Click(Index), tmrGo_Timer) and its state are its own, in
// FrmSec::Private (frmsec_p.h); users, the command line and tests reach it through its
// keys, buttons and menu items, which carry those names ("CMD(0)", "mstart", "tmrGo").
// It works with Displays (the big windows and the display values they share) and
// StateKeeper (the running state in the settings store).
class FrmSec : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmSec(QWidget *parent = nullptr);
    ~FrmSec() override;

    // Start-up: settings, digit set, precision, restored state; shows the window.
    void Form_Load();
    // Ends the program the way the desktop asks: like the close box, but a locked
    // window still saves and ends.
    void endFromSystem();
    // The desktop session ends: save everything an exit would save.
    void saveForSessionEnd();
    bool isEnding() const;

    // Commands from the command line (vexo3/engine/commandline.h), of this start or of
    // a later one: each goes through the action its key takes, with the same guards
    // and the lock; the answer tells that start what to print and how to end. What they
    // change is saved right after the answer has gone (saveDeferredState), else from
    // the event loop.
    tavrik::core::InstanceReply carryOut(const QStringList &commands);
    void saveDeferredState();

    // What the window holds, read-only.
    const Stopwatch &stopwatch() const;
    int countdownMode() const;
    fList *recordList() const;
    fOption *optionDialog() const;
    // The window's displays as the big windows and the options dialog see them.
    MainHost &displays() const;

Q_SIGNALS:
    // The program has begun to end; it leaves its event loop right after.
    void ending();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    class Private;
    std::unique_ptr<Private> d_;
};

// What "--status" prints when no window runs: the saved state.
QString storedStatusText();

} // namespace vexo3
