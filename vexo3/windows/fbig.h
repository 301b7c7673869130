#pragma once

#include "vexo3/engine/persistence.h"
#include "vexo3/windows/biglogic.h"

#include <QString>
#include <QWidget>
#include <array>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace vexo3 {

class Seg;
class MainHost;

// A resizable window that shows one reading in large digits: the main window's
// stopwatch ("Timer"), the date ("Date"), the time ("Time") or a countdown
// ("BackTimer"). Destroyed when closed. Its parts are private and carry the names
// their handlers are named after ("SegBox1", "mNC(3)").
class fBig : public QWidget {
    Q_OBJECT
public:
    explicit fBig(MainHost *host, QWidget *parent = nullptr);
    ~fBig() override;

    // A new date ("Date") or time ("Time") window, shown.
    static fBig *openDateTime(MainHost *host, const QString &mode);
    // A new countdown window for the given seconds text, shown.
    static fBig *openCountdown(MainHost *host, const QString &secondsText);
    // Every big display window that exists now.
    static QList<fBig *> instances();

    // What the window shows: one of the four modes below.
    static inline const QString kTimerMode = QStringLiteral("Timer");
    static inline const QString kDateMode = QStringLiteral("Date");
    static inline const QString kTimeMode = QStringLiteral("Time");
    static inline const QString kCountdownMode = QStringLiteral("BackTimer");
    QString mode() const { return lblMode; }

    // What the main window and the options dialog write into the display: the
    // stopwatch's reading, the digit cells, the digit image set (a file that gives no
    // picture is reported in a box over `window`, and the display keeps its digits).
    void showReading(const QString &text);
    void setCellCount(int cells);
    bool loadDigitImage(QWidget *window, const QString &file);

    // Read-only, for tests: the countdown's seconds as the user gave them, the
    // geometry in twips, and where the last handle drag took hold.
    QString countdownText() const { return lblValue; }
    const BigGeometry &layoutTwips() const { return geometry_; }
    float dragOffsetY() const { return DragOffsetY; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Resize();
    void SegBox1_LeftClick(int Shift, float X, float Y);
    void SegBox1_RightClick(int Shift, float X, float Y);
    void Label1_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Label1_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Label1_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void mNewDateForm_Click();
    void mNewTimeForm_Click();
    void mSec_Click();
    void mdate_Click();
    void mTime_Click();
    void mNC_Click(int Index);
    void mh_Click(int Index);
    void msize_Click();
    void Timer1_Timer();

    void buildMenu();
    void applyGeometry();
    void updateTimer();
    double innerHeightTwips() const;

    Seg *SegBox1 = nullptr;
    QString lblMode = kTimerMode;
    // The countdown's seconds as the user gave them.
    QString lblValue;
    std::array<QLabel *, 2> Label1{};
    // Runs only while the window shows and its mode has something to tick: the
    // stopwatch mode is written by the main window.
    QTimer *Timer1 = nullptr;

    QMenu *popm = nullptr;
    QMenu *mNewForm = nullptr;
    QAction *mNewDateForm = nullptr;
    QAction *mNewTimeForm = nullptr;
    QAction *mSec = nullptr;
    QAction *mdate = nullptr;
    QAction *mTime = nullptr;
    QMenu *mSC = nullptr;
    std::array<QAction *, kMaxSegCount - kMinSegCount + 1> mNC{};
    QMenu *mnh = nullptr;
    std::array<QAction *, 6> mh{};
    QAction *msize = nullptr;

    float DragOffsetY = 0;
    MainHost *host_;
    BigGeometry geometry_;
    Countdown countdown_;
};

} // namespace vexo3
