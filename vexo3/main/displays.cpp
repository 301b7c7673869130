#include "vexo3/main/displays.h"

#include "controls/seg/seg.h"
#include "shared/core/numtext.h"
#include "shared/gui/framegate.h"
#include "shared/gui/services.h"
#include "vexo3/windows/fbig.h"

#include <QWidget>

namespace vexo3 {

namespace {

// A stored 16-bit number; anything else (not a number, out of range) is the default.
short storedShort(const QString &key, short def)
{
    return short(tavrik::core::parseRounded(tavrik::gui::readSetting(kDisplaySection, key, QString::number(def)), -32768,
                                            32767)
                     .value_or(def));
}

} // namespace

Displays::Displays(QWidget *window, Stopwatch &sw, Seg *mainSeg, std::function<void()> saveState,
                   std::function<void(bool, const QString &)> saved)
    : window_(window), sw_(sw), mainSeg_(mainSeg), saveState_(std::move(saveState)), saved_(std::move(saved)),
      gate_(new tavrik::gui::FrameGate(window, [this] { showTicked(); }))
{
}

Displays::~Displays()
{
    delete gate_;
    // The other big windows know the main window's displays as their host: none may
    // outlive them.
    for (fBig *b : fBig::instances())
        if (b != big_)
            delete b;
    delete big_.data();
}

void Displays::readSettings()
{
    sw_.SegMode1 = storedShort(QStringLiteral("SegMode1"), 0);
    sw_.SegMode2 = storedShort(QStringLiteral("SegMode2"), 0);
    const auto height =
        tavrik::core::parseFloat(tavrik::gui::readSetting(kDisplaySection, QStringLiteral("SegHeight"), QStringLiteral("200")));
    segHeight_ = height && *height > 0 ? *height : 200.0f;
}

void Displays::saveSettings(const std::function<void(const QString &, const QString &)> &save) const
{
    save(QStringLiteral("SegMode1"), QString::number(sw_.SegMode1));
    save(QStringLiteral("SegMode2"), QString::number(sw_.SegMode2));
}

void Displays::showBigWindow()
{
    fBig *big = bigWindow(true);
    big->setCellCount(segCounts2_);
    big->show();
    big->raise();
}

void Displays::showTick(const Readings &r)
{
    ticked_ = r;
    gate_->request();
}

void Displays::showTicked()
{
    if (const QString *text = tickMainText(sw_.SegMode1, ticked_))
        mainSeg_->setSegValue(*text);
    if (big_ && big_->isVisible() && big_->mode() == fBig::kTimerMode)
        big_->showReading(readingFor(sw_.SegMode2, ticked_));
}

// A state change shows at once, and no tick from before it shows after it.
void Displays::redraw(const Readings &r)
{
    gate_->shown();
    mainSeg_->setSegValue(readingFor(sw_.SegMode1, r));
    if (big_ && big_->isVisible())
        big_->showReading(readingFor(sw_.SegMode2, r));
}

void Displays::showReset()
{
    gate_->shown();
    mainSeg_->setSegValue(kResetText);
    bigWindow(true)->showReading(kResetText);
}

void Displays::closeAll()
{
    for (fBig *b : fBig::instances())
        b->deleteLater();
}

fBig *Displays::bigWindow(bool create)
{
    if (!big_ && create)
        big_ = new fBig(this);
    return big_;
}

QIcon Displays::hostIcon() const { return window_->windowIcon(); }

void Displays::setSegCounts(short mainCells, short bigCells)
{
    segCounts1_ = mainCells;
    segCounts2_ = bigCells;
}

void Displays::setFractionStyle(short msStyle, short msCount)
{
    sw_.msStyle = msStyle;
    sw_.msCount = msCount;
}

} // namespace vexo3
