#include "vexo3/windows/fbig.h"

#include "shared/core/clock.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/names.h"
#include "shared/gui/notifier.h"
#include "controls/accessible.h"
#include "controls/mousecodes.h"
#include "shared/core/numtext.h"
#include "shared/gui/services.h"
#include "shared/core/settingsstore.h"
#include "controls/twips.h"
#include "controls/seg/seg.h"
#include "controls/seg/seglayout.h"
#include "vexo3/windows/host.h"
#include "vexo3/windows/imagesets.h"

#include <QActionGroup>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace vexo3 {

using tavrik::controls::px;
using tavrik::controls::twips;
using tavrik::gui::indexed;
using tavrik::gui::named;

namespace {

QList<fBig *> &registry()
{
    static QList<fBig *> all;
    return all;
}

// Every count the menu offers fits in a display.
static_assert(kMaxSegCount <= seg::kMaxCells && kMinSegCount >= seg::kMinCells);

// The layout takes the outer width of a window with classic 4-pixel borders.
constexpr double kBorderAllowance = 120;

} // namespace

fBig::fBig(MainHost *host, QWidget *parent) : QWidget(parent, Qt::Window), host_(host)
{
    registry().append(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tavrik-显示窗口"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, tavrik::controls::bgrColor(0x404040));
    setPalette(pal);
    resize(px(12165), px(5580));

    SegBox1 = named(new Seg(this), QStringLiteral("SegBox1"));
    connect(SegBox1, &Seg::LeftClick, this, &fBig::SegBox1_LeftClick);
    connect(SegBox1, &Seg::RightClick, this, &fBig::SegBox1_RightClick);

    for (int i = 0; i < 2; ++i) {
        auto *handle = named(new QLabel(this), indexed("Label1", i));
        handle->setCursor(Qt::SizeVerCursor);
        handle->setAttribute(Qt::WA_TranslucentBackground);
        handle->installEventFilter(this);
        tavrik::controls::setAccessibleAction(handle, QAccessible::Grip, QString(), {});
        handle->setAccessibleName(i == 0 ? QStringLiteral("上边缘（拖动改变数字高度）")
                                         : QStringLiteral("下边缘（拖动改变数字高度）"));
        Label1[i] = handle;
    }

    buildMenu();
    Timer1 = named(new QTimer(this), QStringLiteral("Timer1"));
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &fBig::Timer1_Timer);
    Form_Load();
}

fBig::~fBig() { registry().removeAll(this); }

QList<fBig *> fBig::instances() { return registry(); }

void fBig::buildMenu()
{
    auto item = [this](QMenu *menu, const QString &name, const QString &caption, auto slot) {
        return named(menu->addAction(caption, this, slot), name);
    };
    auto submenu = [](QMenu *menu, const QString &name, const QString &caption) {
        return named(menu->addMenu(caption), name);
    };

    popm = named(new QMenu(QStringLiteral("显示"), this), QStringLiteral("popm"));
    mNewForm = submenu(popm, QStringLiteral("mNewForm"), QStringLiteral("新建显示窗口"));
    mNewDateForm = item(mNewForm, QStringLiteral("mNewDateForm"), QStringLiteral("显示日期(年-月-日)"), &fBig::mNewDateForm_Click);
    mNewTimeForm = item(mNewForm, QStringLiteral("mNewTimeForm"), QStringLiteral("显示时间(时:分:秒)"), &fBig::mNewTimeForm_Click);
    popm->addSeparator();
    mSec = item(popm, QStringLiteral("mSec"), QStringLiteral("秒表"), &fBig::mSec_Click);
    popm->addSeparator();
    mdate = item(popm, QStringLiteral("mdate"), QStringLiteral("显示日期(年-月-日)"), &fBig::mdate_Click);
    mTime = item(popm, QStringLiteral("mTime"), QStringLiteral("显示时间(时:分:秒)"), &fBig::mTime_Click);
    popm->addSeparator();
    mSC = submenu(popm, QStringLiteral("mSC"), QStringLiteral("数字位数"));
    for (int i = 0; i < int(mNC.size()); ++i)
        mNC[i] = item(mSC, indexed("mNC", i), QString::number(kMinSegCount + i), [this, i] { mNC_Click(i); });
    mnh = submenu(popm, QStringLiteral("mnh"), QStringLiteral("数字高度"));
    const char *heights[] = {"100 p", "150 p", "200 p", "250 p(典型)", "300 p", "350 p"};
    for (int i = 0; i < int(mh.size()); ++i)
        mh[i] = item(mnh, indexed("mh", i), QString::fromUtf8(heights[i]), [this, i] { mh_Click(i); });
    msize = item(mnh, QStringLiteral("msize"), QStringLiteral("自定义?"), &fBig::msize_Click);
}

void fBig::Form_Load()
{
    if (host_)
        setWindowIcon(host_->hostIcon());
    SegBox1->setSegCount(QStringLiteral("15"));
    SegBox1->setSegValue(QStringLiteral("0.000"));
    const QString file = selectedSegImage(vexoIniPath());
    if (!file.isEmpty())
        loadSegImage(this, SegBox1, file);
    updateTimer();
    Form_Resize();
}

void fBig::showReading(const QString &text) { SegBox1->setSegValue(text); }

void fBig::setCellCount(int cells) { SegBox1->setSegCount(QString::number(cells)); }

bool fBig::loadDigitImage(QWidget *window, const QString &file) { return loadSegImage(window, SegBox1, file); }

double fBig::innerHeightTwips() const { return twips(height()); }

void fBig::Form_Resize()
{
    const float segHeight = host_ ? host_->SegHeight() : 200.0f;
    geometry_ = bigLayout(twips(width()) + kBorderAllowance, twips(width()), innerHeightTwips(), segHeight);
    applyGeometry();
}

void fBig::applyGeometry()
{
    const BigGeometry &g = geometry_;
    SegBox1->setGeometry(px(g.segLeft), px(g.segTop), px(g.segWidth), px(g.segHeight));
    for (int i = 0; i < 2; ++i)
        Label1[i]->setGeometry(0, px(g.handleTop[i]), px(g.handleWidth), px(kHandleHeight));
}

void fBig::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void fBig::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updateTimer();
}

void fBig::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    updateTimer();
}

void fBig::updateTimer()
{
    // What the digits show, for assistive tools.
    SegBox1->setAccessibleName(lblMode == kDateMode          ? QStringLiteral("日期")
                               : lblMode == kTimeMode        ? QStringLiteral("时间")
                               : lblMode == kCountdownMode   ? QStringLiteral("倒计时")
                                                             : QStringLiteral("秒表读数"));
    if (isVisible() && lblMode != kTimerMode) {
        if (!Timer1->isActive())
            Timer1->start();
    } else {
        Timer1->stop();
    }
}

bool fBig::eventFilter(QObject *watched, QEvent *event)
{
    for (int i = 0; i < 2; ++i) {
        if (watched != Label1[i])
            continue;
        const auto type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
            return false;
        auto *me = static_cast<QMouseEvent *>(event);
        const int shift = tavrik::controls::shiftCode(me->modifiers());
        const float x = float(twips(me->position().x()));
        const float y = float(twips(me->position().y()));
        if (type == QEvent::MouseButtonPress)
            Label1_MouseDown(i, tavrik::controls::buttonCode(me->button()), shift, x, y);
        else if (type == QEvent::MouseMove)
            Label1_MouseMove(i, tavrik::controls::buttonCode(me->buttons()), shift, x, y);
        else
            Label1_MouseUp(i, tavrik::controls::buttonCode(me->button()), shift, x, y);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void fBig::Label1_MouseDown(int, int Button, int, float, float Y)
{
    if (Button == 1 && (DragOffsetY == 0 || DragOffsetY == -1))
        DragOffsetY = Y;
}

void fBig::Label1_MouseMove(int Index, int Button, int, float, float Y)
{
    if (Button != 1)
        return;
    dragHandle(geometry_, Index, DragOffsetY, Y, innerHeightTwips());
    applyGeometry();
}

void fBig::Label1_MouseUp(int, int, int, float, float) { DragOffsetY = -1; }

void fBig::SegBox1_LeftClick(int, float, float)
{
    if (host_)
        host_->setSegMode2(host_->SegMode2() == 0 ? 1 : 0);
}

void fBig::SegBox1_RightClick(int, float, float) { popm->popup(QCursor::pos()); }

fBig *fBig::openDateTime(MainHost *host, const QString &mode)
{
    auto *w = new fBig(host);
    w->SegBox1->setSegCount(QStringLiteral("10"));
    w->lblMode = mode;
    w->mSec->setEnabled(false);
    w->show();
    w->setWindowTitle(mode == kTimeMode ? QStringLiteral("时间") : QStringLiteral("日期"));
    return w;
}

fBig *fBig::openCountdown(MainHost *host, const QString &secondsText)
{
    auto *w = new fBig(host);
    w->setWindowTitle(QStringLiteral("倒计时"));
    w->lblMode = kCountdownMode;
    w->lblValue = secondsText;
    w->show();
    return w;
}

void fBig::mNewDateForm_Click() { openDateTime(host_, kDateMode); }

void fBig::mNewTimeForm_Click() { openDateTime(host_, kTimeMode); }

void fBig::mSec_Click()
{
    if (!host_)
        return;
    host_->bigWindow(true)->setWindowTitle(QStringLiteral("Tavrik-显示窗口 "));
    SegBox1->setSegCount(QString::number(host_->SegCounts2()));
    SegBox1->Refresh();
    lblMode = kTimerMode;
    updateTimer();
}

void fBig::mdate_Click()
{
    SegBox1->setSegCount(QStringLiteral("10"));
    lblMode = kDateMode;
    setWindowTitle(QStringLiteral("日期"));
    updateTimer();
}

void fBig::mTime_Click()
{
    SegBox1->setSegCount(QStringLiteral("10"));
    lblMode = kTimeMode;
    setWindowTitle(QStringLiteral("时间"));
    updateTimer();
}

void fBig::mNC_Click(int Index) { SegBox1->setSegCount(QString::number(kMinSegCount + Index)); }

void fBig::mh_Click(int Index)
{
    const float height = float(tavrik::core::leadingNumber(mh[Index]->text()));
    QString error;
    const bool ok = tavrik::gui::saveSetting(kDisplaySection, QStringLiteral("SegHeight"), tavrik::core::shortestText(height), &error);
    if (host_) {
        host_->setSegHeight(height);
        host_->saved(ok, error);
    }
    Form_Resize();
}

void fBig::msize_Click()
{
    tavrik::gui::services().dialogs->message(
        this, QStringLiteral("将鼠标指向显示的上边缘或下边缘，光标程上下箭头时按下左键拖动，实现改变显示高度功能。"),
        QString(), tavrik::gui::MsgIcon::Warning);
}

void fBig::Timer1_Timer()
{
    const tavrik::core::Now now = tavrik::gui::services().clock->now();
    if (lblMode == kDateMode) {
        SegBox1->setSegValue(tavrik::core::dateFromDayNumber(now.day).toString(QStringLiteral("yyyy-MM-dd")));
    } else if (lblMode == kTimeMode) {
        SegBox1->setSegValue(tavrik::core::timeOfDay(now.seconds).toString(QStringLiteral("hh:mm:ss")));
    } else if (lblMode == kCountdownMode) {
        const Countdown::Tick t = countdown_.tick(lblValue, now.absolute());
        tavrik::gui::timeUpNotice(this, t.text == kCountdownDone, QStringLiteral("倒计时结束"));
        if (t.first)
            SegBox1->setSegCount(QStringLiteral("10"));
        if (t.text)
            SegBox1->setSegValue(*t.text);
    }
}

} // namespace vexo3
