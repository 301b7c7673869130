#include "designer/segproterty.h"

#include "controls/twips.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrik::designer {

namespace {

using tavrik::controls::px;
using tavrik::controls::pxRect;

QLabel *label(QWidget *page, const char *name, const QString &text, const QRect &designed)
{
    auto *l = new QLabel(text, page);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    // The font's line is taller than the rectangle drawn for it: the label grows around
    // the same centre line, so no text is cut.
    const int h = qMax(designed.height(), l->sizeHint().height());
    l->setGeometry(designed.left(), designed.top() - (h - designed.height()) / 2, designed.width(), h);
    return l;
}

QLineEdit *textBox(QWidget *page, const char *name, const QRect &designed)
{
    auto *t = new QLineEdit(page);
    t->setObjectName(QLatin1String(name));
    t->setGeometry(designed);
    return t;
}

} // namespace

SegProterty::SegProterty(SegSelection *selection, QWidget *parent) : QWidget(parent), selection_(selection)
{
    setObjectName(QStringLiteral("SegProterty"));
    setFixedSize(px(kWidthTwips), px(kHeightTwips));
    // The page was laid out for a 12-pixel font with half-width Latin letters.
    QFont f = font();
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("Noto Sans Mono CJK SC"),
                   QStringLiteral("WenQuanYi Zen Hei Mono")});
    f.setPixelSize(12);
    setFont(f);

    lblSegValue = label(this, "lblSegValue", QStringLiteral("SegValue:"), pxRect(90, 120, 810, 180));
    Label1 = label(this, "Label1", QStringLiteral("指定显示内容"), pxRect(960, 120, 1080, 180));
    txtSegValue = textBox(this, "txtSegValue", pxRect(90, 370, 2700, 330));
    lblSegCount = label(this, "lblSegCount", QStringLiteral("SegCount:"), pxRect(120, 960, 810, 180));
    Label2 = label(this, "Label2", QStringLiteral("指定显示位数"), pxRect(960, 960, 1080, 180));
    txtSegCount = textBox(this, "txtSegCount", pxRect(120, 1200, 2700, 330));
    setTabOrder(txtSegValue, txtSegCount);

    // Edits by the user only: filling the boxes is no change.
    connect(txtSegValue, &QLineEdit::textEdited, this, &SegProterty::txtSegValue_Change);
    connect(txtSegCount, &QLineEdit::textEdited, this, &SegProterty::txtSegCount_Change);
}

void SegProterty::PropertyPage_SelectionChanged()
{
    const bool any = selection_ && selection_->count() > 0;
    txtSegCount->setText(any ? selection_->property(0, QStringLiteral("SegCount")).toString() : QString());
    txtSegValue->setText(any ? selection_->property(0, QStringLiteral("SegValue")).toString() : QString());
    txtSegValue->setEnabled(any);
    txtSegCount->setEnabled(any);
    setChanged(false);
}

void SegProterty::PropertyPage_ApplyChanges()
{
    if (!selection_ || selection_->count() < 1)
        return;
    // Taken first: a designer may announce a new selection after each write, which
    // fills the boxes again.
    const QString count = txtSegCount->text();
    const QString value = txtSegValue->text();
    selection_->beginApply(QStringLiteral("修改 Seg 属性"));
    selection_->setProperty(0, QStringLiteral("SegCount"), count);
    selection_->setProperty(0, QStringLiteral("SegValue"), value);
    selection_->endApply();
    // Shows what the control holds now, a clamped count for one.
    PropertyPage_SelectionChanged();
}

void SegProterty::txtSegValue_Change() { setChanged(true); }

void SegProterty::txtSegCount_Change() { setChanged(true); }

void SegProterty::setChanged(bool changed)
{
    if (changed == changed_)
        return;
    changed_ = changed;
    Q_EMIT ChangedChanged(changed);
}

SegProtertyDialog::SegProtertyDialog(std::unique_ptr<SegSelection> selection, QWidget *parent)
    : QDialog(parent), selection_(std::move(selection))
{
    setObjectName(QStringLiteral("SegProtertyDialog"));
    setWindowTitle(kCaption);
    page_ = new SegProterty(selection_.get(), this);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    okButton()->setText(QStringLiteral("确定"));
    cancelButton()->setText(QStringLiteral("取消"));
    applyButton()->setText(QStringLiteral("应用(&A)"));
    applyButton()->setEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(page_);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(page_, &SegProterty::ChangedChanged, applyButton(), &QPushButton::setEnabled);
    connect(applyButton(), &QPushButton::clicked, page_, &SegProterty::PropertyPage_ApplyChanges);
    connect(buttons_, &QDialogButtonBox::accepted, this, [this] {
        if (page_->Changed())
            page_->PropertyPage_ApplyChanges();
        accept();
    });
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    page_->PropertyPage_SelectionChanged();
}

// The page goes before the selection it reads.
SegProtertyDialog::~SegProtertyDialog() { delete page_; }

QPushButton *SegProtertyDialog::okButton() const { return buttons_->button(QDialogButtonBox::Ok); }

QPushButton *SegProtertyDialog::cancelButton() const { return buttons_->button(QDialogButtonBox::Cancel); }

QPushButton *SegProtertyDialog::applyButton() const { return buttons_->button(QDialogButtonBox::Apply); }

} // namespace tavrik::designer
