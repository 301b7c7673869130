// FrmSec: building the widgets, the timers and the pop-up menu.

#include "vexo/main/frmsec.h"

#include "shared/core/about.h"
#include "shared/gui/framegate.h"
#include "shared/gui/precisionmenu.h"
#include "shared/gui/names.h"
#include "controls/accessible.h"
#include "controls/twips.h"
#include "vexo/main/frmsec_ui.h"
#include "controls/xp/xpcmdbutton.h"

#include <QAccessibleActionInterface>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace vexo {

using tavrik::gui::indexed;
using tavrik::gui::named;
using tavrik::controls::px;
using tavrik::controls::pxRect;

namespace {

// The mini window's caption follows the reading four times a second: each change is a
// round trip through the X server and a title bar the window manager redraws.
constexpr int kCaptionIntervalMs = 250;
const QColor kBackground(224, 224, 224);
const QColor kReadoutText(255, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kFrameColour(128, 128, 0);

const char *const kButtonNames[kButtonCount] = {"cmdStart", "cmdPause", "cmdCoun", "cmdStop",
                                                "cmdReset", "cmdLog",   "cmdAbout", "cmdClose"};

// The hover frame: an outline drawn over whatever it frames, blind to the mouse.
class Outline : public QWidget {
public:
    explicit Outline(QWidget *parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(kFrameColour);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::Text, colour);
    label->setPalette(p);
}

QColor textColour(const QLabel *label) { return label->palette().color(QPalette::Text); }

void FrmSec::buildWidgets()
{
    Ui &ui = *ui_;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    setPalette(pal);
    setAutoFillBackground(true);
    QFont base = font();
    // The window was drawn in SimSun; where that is missing, the nearest Song face.
    base.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("Noto Sans CJK SC")});
    base.setPointSizeF(9.75);
    setFont(base);
    setMouseTracking(true);

    auto style = [&](QLabel *l, const char *name, double points, const QColor &colour) {
        named(l, QString::fromLatin1(name));
        QFont f = base;
        f.setPointSizeF(points);
        l->setFont(f);
        // The text takes the Text colour; the border stays in the window-text colour.
        l->setForegroundRole(QPalette::Text);
        if (colour.isValid())
            setTextColour(l, colour);
        // Its clicks reach the window's event filter, which sees every event.
    };
    auto label = [&](const char *name, const QString &text, double points, const QColor &colour) {
        QLabel *l = new BorderedLabel(text, this);
        style(l, name, points, colour);
        return l;
    };
    auto readout = [&](const char *name, const QString &text, double points, const QColor &colour) {
        auto *l = new Readout(text, this);
        style(l, name, points, colour);
        return l;
    };

    // Label5 lies under Label4: it shows only in the mini window, where Label4 is hidden.
    ui.Label5 = readout("Label5", QString(), 12, kRed);
    ui.Label5->move(px(120), px(120));

    ui.Label4 = new xpcmdbutton(this, QStringLiteral("Label4"));
    ui.Label4->setGeometry(pxRect(0, 0, 1455, 255));
    ui.Label4->setCaption(QStringLiteral("Tavrik菜单"));
    connect(ui.Label4, &xpcmdbutton::Click, this, &FrmSec::Label4_Click);
    connect(ui.Label4, &xpcmdbutton::MouseMove, this, [this] { Label4_MouseMove(); });
    tavrik::controls::setAccessibleRole(ui.Label4, QAccessible::ButtonMenu);

    ui.Label1 = label("Label1", QStringLiteral("时间"), 12, QColor());
    ui.Label1->setGeometry(pxRect(120, 480, 480, 240));
    ui.lblTime = readout("lblTime", kTimeZero, 21.75, kReadoutText);
    ui.lblTime->setGeometry(pxRect(720, 480, 3660, 465));
    ui.Label2 = label("Label2", kLabel2Design, kLabel2PointSize, QColor());
    ui.Label2->setGeometry(pxRect(120, 1080, kLabel2WidthTwips, 240));
    ui.Label2->setMouseTracking(true);
    ui.lblTimer = readout("lblTimer", kTimerZero, 21.75, kReadoutText);
    ui.lblTimer->setGeometry(pxRect(720, 960, 3660, 465));
    for (QLabel *l : {ui.Label1, ui.Label2})
        l->setAutoFillBackground(true);
    for (QLabel *l : {ui.lblTime, ui.lblTimer})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    ui.Line1 = named(new QFrame(this), QStringLiteral("Line1"));
    ui.Line1->setFrameShape(QFrame::HLine);
    ui.Line1->setFrameShadow(QFrame::Plain);
    ui.Line1->setGeometry(px(120), px(1560), px(4440 - 120), 1);
    // A line is part of the window's surface: the pointer over it is over the window.
    ui.Line1->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (int i = 0; i < kButtonCount; ++i) {
        const Button b = Button(i);
        auto *button = new xpcmdbutton(this, QString::fromLatin1(kButtonNames[i]));
        button->setGeometry(pxRect(slotLeft(buttonSlot(b)), kButtonTop, kButtonWidth, kButtonHeight));
        button->setCaption(buttonCaption(b));
        connect(button, &xpcmdbutton::Click, this, [this, b] { cmd_Click(b); });
        ui.cmd[size_t(i)] = button;
    }

    ui.lblDate = label("lblDate", QString(), 9.75, QColor());
    ui.lblDate->move(px(240), px(2160));
    ui.lblDate->setAutoFillBackground(true);
    ui.Label6 = label("Label6", QString(), 14.25, kRed);
    // Its font is taller than the 255 twips designed for it: the label holds a whole
    // line, and the window keeps room for it (setOuterHeightTwips).
    ui.Label6->setGeometry(pxRect(120, 2400, 3135, 255));
    ui.Label6->resize(ui.Label6->width(), std::max(ui.Label6->height(), ui.Label6->fontMetrics().height()));

    // For assistive tools, what a click on a label does: the mode label switches the
    // timing mode, the mini window's line opens the menu, the others toggle a border.
    for (int i = 0; i < kBorderedCount; ++i)
        if (QLabel *l = ui.bordered()[size_t(i)]; l != ui.Label2)
            tavrik::controls::setAccessibleAction(l, QAccessible::StaticText, QStringLiteral("切换边框"),
                                                  [this, i] { border_Click(Bordered(i)); });
    tavrik::controls::setAccessibleAction(ui.Label2, QAccessible::PushButton, QAccessibleActionInterface::pressAction(),
                                          [this] { Label2_Click(); });
    ui.Label2->setAccessibleDescription(QStringLiteral("切换计时方式"));
    tavrik::controls::setAccessibleAction(ui.Label5, QAccessible::StaticText, QAccessibleActionInterface::showMenuAction(),
                                          [this] { Form_Click(); });
    ui.Label5->setAccessibleName(QStringLiteral("微型窗口读数"));
    ui.lblTime->setAccessibleDescription(QStringLiteral("时间读数"));
    ui.lblTimer->setAccessibleDescription(QStringLiteral("记时读数"));
    tavrik::controls::setAccessibleAction(ui.Label6, QAccessible::StaticText, QString(), {});
    ui.Label6->setAccessibleName(QStringLiteral("定时状态"));

    ui.Shape1 = named(new Outline(this), QStringLiteral("Shape1"));
    ui.Shape1->setGeometry(pxRect(2280, 2400, 1455, 375));
    // Shown only by hovering: an outline around nothing would look like a fault.
    ui.Shape1->hide();

    ui.Timer1 = new tavrik::gui::TickTimer(this, QStringLiteral("Timer1"), [this] { Timer1_Timer(); });
    ui.readouts = new tavrik::gui::FrameGate(this, [this] { showTick(); });
    ui.caption = new tavrik::gui::FrameGate(this, [this] { showTickCaption(); }, kCaptionIntervalMs);
    ui.Timer2 = named(new QTimer(this), QStringLiteral("Timer2"));
    ui.Timer2->setInterval(1000);
    connect(ui.Timer2, &QTimer::timeout, this, &FrmSec::Timer2_Timer);
    // Once over, the line takes the read-outs' colour.
    ui.refusal = std::make_unique<tavrik::gui::LockRefusal>(ui.lblDate, textColour(ui.lblTimer));
}

void FrmSec::buildMenus()
{
    Ui &ui = *ui_;
    auto item = [this](QMenu *menu, const QString &name, const QString &text, auto handler) {
        QAction *a = named(menu->addAction(text), name);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto separator = [](QMenu *menu, const char *name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); };

    ui.mSec = named(new QMenu(QStringLiteral("秒表(&S)"), this), QStringLiteral("mSec"));
    QMenu *m = ui.mSec;
    ui.mstart = item(m, QStringLiteral("mstart"), QStringLiteral("开始"), [this] { Start(); });
    ui.mPause = item(m, QStringLiteral("mPause"), QStringLiteral("暂停"), [this] { Pause(); });
    ui.mCoun = item(m, QStringLiteral("mCoun"), QStringLiteral("继续"), [this] { Continue(); });
    ui.mStop = item(m, QStringLiteral("mStop"), QStringLiteral("停止"), [this] { Stop(); });
    ui.mReset = item(m, QStringLiteral("mReset"), QStringLiteral("复位"), [this] { Reset(); });
    separator(m, "mbasdfr");
    ui.mrec = item(m, QStringLiteral("mrec"), QStringLiteral("记录    [Space]"), [this] { mrec_Click(); });
    ui.mLock = item(m, QStringLiteral("mLock"), lockMenuCaption(false), [this] { mLock_Click(); });
    separator(m, "mbr001");
    ui.mA60 = item(m, QStringLiteral("mA60"), QStringLiteral("时间的毫秒为60进位"), [this] { mA60_Click(); });
    ui.mB60 = item(m, QStringLiteral("mB60"), QStringLiteral("记时的毫秒为60进位"), [this] { mB60_Click(); });
    for (QAction *a : {ui.mA60, ui.mB60}) {
        a->setCheckable(true);
        a->setChecked(true); // as designed; start-up puts the stored marks in
    }

    ui.mFor = named(m->addMenu(QStringLiteral("精度(&M)")), QStringLiteral("mFor"));
    ui.msp = tavrik::gui::addPrecisionItems(ui.mFor, [this](int i) { msp_Click(i); });
    ui.mMiniForm = item(m, QStringLiteral("mMiniForm"), QStringLiteral("微型窗口"), [this] { mMiniForm_Click(); });

    ui.mTimer = named(m->addMenu(QStringLiteral("定时")), QStringLiteral("mTimer"));
    ui.mClear = item(ui.mTimer, QStringLiteral("mClear"), QStringLiteral("清零"), [this] { mClear_Click(); });
    ui.mSt = item(ui.mTimer, QStringLiteral("mSt"), QStringLiteral("状态..."), [this] { mSt_Click(); });
    ui.mSt->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    // The window carries the item too, so that its shortcut works with the menu closed.
    addAction(ui.mSt);
    separator(ui.mTimer, "mb002");
    for (int i = 0; i < kModeCount; ++i) {
        ui.mMode2[size_t(i)] = item(ui.mTimer, indexed("mMode2", i), modeCaption(i), [this, i] { mMode2_Click(i); });
        ui.mMode2[size_t(i)]->setCheckable(true);
    }

    ui.montop = item(m, QStringLiteral("montop"), QStringLiteral("窗口总在前面显示(&O)"), [this] { montop_Click(); });
    ui.montop->setCheckable(true);
    separator(m, "mbr1");
    ui.mP = named(m->addMenu(QStringLiteral("作者主页")), QStringLiteral("mP"));
    const QString pages[3] = {tavrik::core::kHomePage, tavrik::core::kWebLog, tavrik::core::kFeedbackPage};
    for (int i = 0; i < 3; ++i) {
        ui.mp1[size_t(i)] = item(ui.mP, indexed("mp1", i), pages[i], [this, i] { mp1_Click(i); });
        ui.mp1[size_t(i)]->setEnabled(i == 0);
    }
    ui.mnewp = item(m, QStringLiteral("mnewp"), QStringLiteral("下载最新版本..."), [this] { mnewp_Click(); });
    ui.mSH = item(m, QStringLiteral("mSH"), QStringLiteral("说明..."), [this] { mSH_Click(); });
    separator(m, "mn2");
    ui.mAbout = item(m, QStringLiteral("mAbout"), QStringLiteral("关于(&A)..."), [this] { mAbout_Click(); });
    separator(m, "mbr2");
    ui.mUnload = item(m, QStringLiteral("mUnload"), QStringLiteral("关闭(&C)"), [this] { close(); });
}

} // namespace vexo
