#include "vexo3/windows/foption.h"
#include "vexo3/windows/imagesets.h"

#include "shared/core/clock.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/names.h"
#include "shared/core/numtext.h"
#include "shared/core/profile.h"
#include "shared/gui/services.h"
#include "shared/gui/placement.h"
#include "controls/twips.h"
#include "controls/cmdbox/cmdbox.h"
#include "vexo3/engine/persistence.h"
#include "controls/seg/seg.h"
#include "controls/seg/seglayout.h"
#include "vexo3/windows/fbig.h"
#include "vexo3/windows/host.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTimer>

namespace vexo3 {

using tavrik::controls::px;
using tavrik::gui::indexed;
using tavrik::gui::named;

namespace {

const QString kSegFont = QStringLiteral("SegFont");
const QString kSetting = QStringLiteral("Setting");

// The digit-cell lists offer the kept counts but the largest (the big window's own
// menu offers that one); item i is kMinSegCount + i cells.
constexpr int kLastListedCount = kMaxSegCount - 1;
// The fraction-digit item that only the thousandths style offers.
constexpr int kThreeDigitsItem = 2;
// More image sets than anyone ships; a damaged "Count" must not hang the dialog.
constexpr int kMaxImageSets = 999;

// Geometry in twips: client area, then each control relative to its frame.
constexpr int kClientWidth = 4710;
constexpr int kClientHeight = 5520;

struct Box {
    int left, top, width, height;
    QRect px() const { return QRect(tavrik::controls::px(left), tavrik::controls::px(top), tavrik::controls::px(width), tavrik::controls::px(height)); }
};

constexpr Box kFrame1{120, 60, 4470, 2130};
constexpr Box kImgList{150, 300, 2190, 1680};
constexpr Box kPreview{2520, 735, 1800, 810};

constexpr Box kFrame3{120, 2280, 4470, 1260};
constexpr Box kOptMs0{210, 330, 1920, 330};
constexpr Box kOptMs1{2220, 330, 2100, 330};
constexpr Box kLabel3{210, 780, 600, 330};
constexpr Box kMsCount{840, 750, 2250, 360};

constexpr Box kFrame2{120, 3630, 4470, 1020};
constexpr Box kLabel1{210, 510, 660, 330};
constexpr Box kCombo1{870, 480, 1260, 360};
constexpr Box kLabel2{2340, 510, 660, 330};
constexpr Box kCombo2{3000, 480, 1260, 360};

constexpr Box kCmdOK{1830, 4890, 1260, 450};
constexpr Box kCmdCancel{3330, 4890, 1260, 450};

// A number the way the dialog reads one from Vexo.ini: its leading number, rounded.
int profileNumber(const QString &text)
{
    return tavrik::core::roundToIntegral<int>(tavrik::core::leadingNumber(text), -1000000, 1000000);
}

void selectCount(QComboBox *combo, int cells)
{
    // The lists hold 8..19 only; a count from elsewhere (the big window's own menu
    // offers 20) shows as the nearest one offered.
    combo->setCurrentIndex(qBound<int>(kMinSegCount, cells, kLastListedCount) - kMinSegCount);
}

QComboBox *countCombo(QWidget *parent, const QString &name)
{
    auto *combo = named(new QComboBox(parent), name);
    for (int n = kMinSegCount; n <= kLastListedCount; ++n)
        combo->addItem(n == kDefaultSegCount ? QStringLiteral("%1(推荐)").arg(n) : QString::number(n));
    combo->setMaxVisibleItems(kLastListedCount - kMinSegCount + 1);
    return combo;
}

QLabel *label(const QString &name, const QString &text, QWidget *parent, const Box &box)
{
    auto *l = named(new QLabel(text, parent), name);
    l->setGeometry(box.px());
    return l;
}

} // namespace

fOption::fOption(MainHost *host, QWidget *parent) : QWidget(parent, Qt::Dialog), host_(host)
{
    // Closing by the title bar unloads, as Cancel does not: the next opening starts
    // afresh from the settings.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("选项"));
    setFixedSize(px(kClientWidth), px(kClientHeight));
    buildWidgets();
    Timer1 = named(new QTimer(this), QStringLiteral("Timer1"));
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &fOption::Timer1_Timer);
    Form_Load();
}

fOption::~fOption() = default;

void fOption::buildWidgets()
{
    Frame1 = named(new QGroupBox(QStringLiteral("字体"), this), QStringLiteral("Frame1"));
    Frame1->setGeometry(kFrame1.px());
    cmbImgList = named(new QListWidget(Frame1), QStringLiteral("cmbImgList"));
    cmbImgList->setGeometry(kImgList.px());
    cmbImgList->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(cmbImgList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            cmbImgList_Click();
    });
    SegBox1 = named(new Seg(Frame1), QStringLiteral("SegBox1"));
    SegBox1->setGeometry(kPreview.px());
    SegBox1->setSegValue(QStringLiteral("123456"));
    SegBox1->setSegCount(QStringLiteral("4"));
    // For assistive tools: the fields by what they choose.
    cmbImgList->setAccessibleName(QStringLiteral("字码图片"));
    SegBox1->setAccessibleName(QStringLiteral("预览"));

    Frame3 = named(new QGroupBox(QStringLiteral("显示样式(秒表)"), this), QStringLiteral("Frame3"));
    Frame3->setGeometry(kFrame3.px());
    OptMsStyle[0] = named(new QRadioButton(QStringLiteral("1S=1000mS"), Frame3), indexed("OptMsStyle", 0));
    OptMsStyle[0]->setGeometry(kOptMs0.px());
    OptMsStyle[1] = named(new QRadioButton(QStringLiteral("1S=60(个性)"), Frame3), indexed("OptMsStyle", 1));
    OptMsStyle[1]->setGeometry(kOptMs1.px());
    for (int i = 0; i < 2; ++i)
        connect(OptMsStyle[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                OptMsStyle_Click(i);
        });
    Label3 = label(QStringLiteral("Label3"), QStringLiteral("位数"), Frame3, kLabel3);
    cmbmSCount = named(new QComboBox(Frame3), QStringLiteral("cmbmSCount"));
    cmbmSCount->addItems({QStringLiteral("1位"), QStringLiteral("2位"), QStringLiteral("3位(仅ms方式)!")});
    cmbmSCount->setGeometry(kMsCount.px());
    Label3->setBuddy(cmbmSCount);
    cmbmSCount->setAccessibleName(QStringLiteral("毫秒位数"));

    Frame2 = named(new QGroupBox(QStringLiteral("数码管位数"), this), QStringLiteral("Frame2"));
    Frame2->setGeometry(kFrame2.px());
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("主窗口"), Frame2, kLabel1);
    Combo1 = countCombo(Frame2, QStringLiteral("Combo1"));
    Combo1->setGeometry(kCombo1.px());
    Label1->setBuddy(Combo1);
    Combo1->setAccessibleName(QStringLiteral("主窗口数码管位数"));
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("大窗口"), Frame2, kLabel2);
    Combo2 = countCombo(Frame2, QStringLiteral("Combo2"));
    Combo2->setGeometry(kCombo2.px());
    Label2->setBuddy(Combo2);
    Combo2->setAccessibleName(QStringLiteral("大窗口数码管位数"));

    cmdOK = named(new cmdBox(this), QStringLiteral("cmdOK"));
    cmdOK->setGeometry(kCmdOK.px());
    cmdOK->setFontSize(QStringLiteral("9.75"));
    cmdOK->setCaption(QStringLiteral("确定"));
    connect(cmdOK, &cmdBox::Click, this, &fOption::cmdOK_Click);
    cmdCancel = named(new cmdBox(this), QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(kCmdCancel.px());
    cmdCancel->setFontSize(QStringLiteral("9.75"));
    cmdCancel->setCaption(QStringLiteral("取消"));
    connect(cmdCancel, &cmdBox::Click, this, &fOption::cmdCancel_Click);
}

QString fOption::imageFileOf(int key) { return tavrik::gui::AppDir() + segImageName(QString::number(key), vexoIniPath()); }

void fOption::Form_Load()
{
    // 1. The main window's icon; above every other window.
    if (host_)
        setWindowIcon(host_->hostIcon());
    tavrik::gui::setTopmost(this, true);

    // 2. The digit cells of both windows.
    selectCount(Combo1, host_ ? host_->SegCounts1() : kDefaultSegCount);
    selectCount(Combo2, host_ ? host_->SegCounts2() : kDefaultSegCount);

    // 3. The names of the image sets.
    const QString ini = vexoIniPath();
    cmbImgList->clear();
    const int n = qMin(profileNumber(tavrik::core::ReadIni(kSegFont, QStringLiteral("Count"), QStringLiteral("0"), ini)),
                       kMaxImageSets);
    for (int i = 1; i <= n; ++i)
        cmbImgList->addItem(
            tavrik::core::GetField(tavrik::core::ReadIni(kSegFont, QString::number(i), QString(), ini), 1, QStringLiteral(",")));

    // 4. The chosen set, previewed. A choice that names no listed set selects
    // nothing and loads nothing; the view must not pick the first set on its own
    // when it takes the focus, hence the explicit "no current item".
    const int selected = profileNumber(tavrik::core::ReadIni(kSegFont, QStringLiteral("Selected"), QStringLiteral("0"), ini)) - 1;
    if (selected >= 0 && selected < cmbImgList->count())
        cmbImgList->setCurrentRow(selected);
    else
        cmbImgList->setCurrentIndex(QModelIndex());

    // 5. Fraction digits: 1..3, a stored value outside shows as the nearest.
    const int digits = profileNumber(tavrik::core::ReadIni(kSetting, QStringLiteral("msCount"), QStringLiteral("3"), ini));
    cmbmSCount->setCurrentIndex(qBound(1, digits, 3) - 1);

    // 6. Fraction style.
    const double style = tavrik::core::leadingNumber(tavrik::core::ReadIni(kSetting, QStringLiteral("msStyle"), QStringLiteral("0"), ini));
    OptMsStyle[style == 0 ? 0 : 1]->setChecked(true);
}

// The preview's clock ticks only while someone can see it.
void fOption::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Timer1->start();
}

void fOption::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    Timer1->stop();
}

void fOption::cmbImgList_Click()
{
    loadSegImage(this, SegBox1, imageFileOf(cmbImgList->currentRow() + 1));
    SegBox1->Refresh();
}

void fOption::OptMsStyle_Click(int Index)
{
    // Sixtieths have at most two digits: three is offered for thousandths only, and a
    // choice of three becomes two, so OK never stores sixtieths with three digits.
    auto *model = qobject_cast<QStandardItemModel *>(cmbmSCount->model());
    if (QStandardItem *three = model ? model->item(kThreeDigitsItem) : nullptr)
        three->setEnabled(Index == 0);
    if (Index != 0 && cmbmSCount->currentIndex() == kThreeDigitsItem)
        cmbmSCount->setCurrentIndex(kThreeDigitsItem - 1);
}

void fOption::Timer1_Timer()
{
    const tavrik::core::Now now = tavrik::gui::services().clock->now();
    SegBox1->setSegValue(tavrik::core::formatFixed(double(now.seconds), 1));
}

void fOption::cmdOK_Click()
{
    const int chosen = cmbImgList->currentRow() + 1;

    // Every write is tried; the user hears of the first failure, once.
    QString writeError;
    auto write = [&](const QString &section, const QString &key, const QString &value) {
        QString error;
        if (!writeVexoIni(section, key, value, &error) && writeError.isEmpty())
            writeError = error;
    };

    // 1. The chosen image set.
    write(kSegFont, QStringLiteral("Selected"), QString::number(chosen));

    // 2. Fraction style and digits take effect in the main window at once.
    const short msStyle = OptMsStyle[0]->isChecked() ? 0 : 1;
    const short msCount = short(cmbmSCount->currentIndex() + 1);
    if (host_)
        host_->setFractionStyle(msStyle, msCount);

    // 3. ... and are read from Vexo.ini at the next start.
    write(kSetting, QStringLiteral("mSStyle"), QString::number(msStyle));
    write(kSetting, QStringLiteral("mSCount"), QString::number(msCount));
    if (!writeError.isEmpty())
        tavrik::gui::services().dialogs->message(this, QStringLiteral("写入失败：") + writeError, QStringLiteral("错误"),
                                              tavrik::gui::MsgIcon::Critical);

    if (host_) {
        // 4. The image set in both displays; a missing file is reported there and the
        // display keeps its digits.
        const QString file = imageFileOf(chosen);
        loadSegImage(this, host_->mainSeg(), file);
        host_->bigWindow(true)->loadDigitImage(this, file);

        // 5. Digit cells, from the leading number of the items ("14(推荐)" is 14).
        auto cells = [](const QComboBox *combo) {
            return tavrik::core::roundToIntegral<short>(tavrik::core::leadingNumber(combo->currentText()), seg::kMinCells,
                                                       seg::kMaxCells);
        };
        const short cells1 = cells(Combo1);
        const short cells2 = cells(Combo2);
        host_->setSegCounts(cells1, cells2);

        // 6. Each count write redraws its display with the new set.
        host_->mainSeg()->setSegCount(QString::number(cells1));
        host_->bigWindow(true)->setCellCount(cells2);

        // 7. The running state keeps the counts.
        host_->SaveState();
    }

    // 8. Done: hide and unload.
    hide();
    deleteLater();
}

void fOption::cmdCancel_Click() { hide(); }

void fOption::keyPressEvent(QKeyEvent *event)
{
    // The buttons never take the focus; Escape is the keyboard's Cancel.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdCancel_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace vexo3
