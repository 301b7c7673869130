#pragma once

#include <QIcon>


namespace vexo3 {

class Seg;
class fBig;

// What the big display windows and the options dialog take from the main window,
// which holds the program-wide display values.
class MainHost {
public:
    virtual ~MainHost() = default;
    // The main window's own big window (the one that shows the stopwatch); made hidden
    // when `create` and there is none.
    virtual fBig *bigWindow(bool create) = 0;
    virtual QIcon hostIcon() const = 0;

    virtual short SegMode2() const = 0;
    virtual void setSegMode2(short mode) = 0;
    virtual short SegCounts1() const = 0;
    virtual short SegCounts2() const = 0;
    virtual void setSegCounts(short mainCells, short bigCells) = 0;
    virtual float SegHeight() const = 0;
    virtual void setSegHeight(float height) = 0;

    virtual Seg *mainSeg() = 0;
    virtual void setFractionStyle(short msStyle, short msCount) = 0;
    virtual void SaveState() = 0;
    // After a display setting was saved: the main window says once when one failed.
    virtual void saved(bool ok, const QString &error) = 0;
};

} // namespace vexo3
