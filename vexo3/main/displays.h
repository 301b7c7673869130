#pragma once

#include "vexo3/engine/engine.h"
#include "vexo3/engine/persistence.h"
#include "vexo3/windows/host.h"

#include <QPointer>

#include <functional>

class QWidget;

namespace tavrik::gui {
class FrameGate;
}

namespace vexo3 {

class Seg;

// The main window's displays: its own Seg, the big window that shows the stopwatch,
// and the display values they share with the other big windows and the options
// dialog (MainHost). The date, time and countdown windows live on their own until
// closed; all of them go with the main window.
class Displays final : public MainHost {
public:
    // saveState: how the main window saves its running state (the options dialog's OK
    // asks for it).
    Displays(QWidget *window, Stopwatch &sw, Seg *mainSeg, std::function<void()> saveState,
             std::function<void(bool ok, const QString &error)> saved);
    ~Displays() override;
    Displays(const Displays &) = delete;
    Displays &operator=(const Displays &) = delete;

    // The display modes and the big window's height as stored; written back at the end.
    void readSettings();
    void saveSettings(const std::function<void(const QString &key, const QString &value)> &save) const;

    // The big window of the stopwatch, shown with its cell count.
    void showBigWindow();
    // What the stopwatch's tick shows: the main display as its mode says, the big
    // window when it shows the stopwatch; at most once a frame, the newest readings.
    void showTick(const Readings &r);
    // Both displays as their modes say (after start-up, a restore, a mode change).
    void redraw(const Readings &r);
    // Both displays after a reset.
    void showReset();
    // The program ends: every big window goes, without further events.
    void closeAll();

    // MainHost
    fBig *bigWindow(bool create) override;
    QIcon hostIcon() const override;
    short SegMode2() const override { return sw_.SegMode2; }
    void setSegMode2(short mode) override { sw_.SegMode2 = mode; }
    short SegCounts1() const override { return segCounts1_; }
    short SegCounts2() const override { return segCounts2_; }
    void setSegCounts(short mainCells, short bigCells) override;
    float SegHeight() const override { return segHeight_; }
    void setSegHeight(float height) override { segHeight_ = height; }
    Seg *mainSeg() override { return mainSeg_; }
    void setFractionStyle(short msStyle, short msCount) override;
    void SaveState() override { saveState_(); }
    void saved(bool ok, const QString &error) override { saved_(ok, error); }

private:
    void showTicked();

    QWidget *window_;
    Stopwatch &sw_;
    Seg *mainSeg_;
    std::function<void()> saveState_;
    std::function<void(bool, const QString &)> saved_;
    QPointer<fBig> big_;
    tavrik::gui::FrameGate *gate_;
    Readings ticked_;
    short segCounts1_ = kDefaultSegCount;
    short segCounts2_ = kDefaultSegCount;
    float segHeight_ = 200.0f;
};

} // namespace vexo3
