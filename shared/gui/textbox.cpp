#include "shared/gui/textbox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace tavrik::gui {

namespace {

// Of the screen's free area, the most the box may take.
constexpr double kScreenShare = 0.8;
// Narrower than this, a box looks lost.
constexpr int kMinTextWidth = 240;

QStyle::StandardPixmap pixmapOf(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Warning: return QStyle::SP_MessageBoxWarning;
    case MsgIcon::Critical: return QStyle::SP_MessageBoxCritical;
    case MsgIcon::Information:
    case MsgIcon::None: break;
    }
    return QStyle::SP_MessageBoxInformation;
}

} // namespace

std::unique_ptr<QDialog> makeTextBox(QWidget *parent, const QString &text, const QString &title, MsgIcon icon)
{
    auto box = std::make_unique<QDialog>(parent);
    box->setWindowTitle(title.isEmpty() ? defaultTitle() : title);
    box->setModal(true);

    auto *view = new QPlainTextEdit(box.get());
    view->setObjectName(QStringLiteral("text"));
    view->setReadOnly(true);
    view->setAccessibleName(box->windowTitle());
    view->setPlainText(text);
    view->setFrameShape(QFrame::NoFrame);
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QPalette pal = view->palette();
    pal.setColor(QPalette::Base, box->palette().color(QPalette::Window));
    view->setPalette(pal);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, box.get());
    QObject::connect(buttons, &QDialogButtonBox::accepted, box.get(), &QDialog::accept);

    auto *row = new QHBoxLayout;
    if (icon != MsgIcon::None) {
        auto *iconLabel = new QLabel(box.get());
        const int size = box->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, box.get());
        iconLabel->setPixmap(box->style()->standardIcon(pixmapOf(icon), nullptr, box.get()).pixmap(size, size));
        iconLabel->setAlignment(Qt::AlignTop);
        iconLabel->setAccessibleName(iconName(icon));
        row->addWidget(iconLabel);
    }
    row->addWidget(view, 1);
    auto *layout = new QVBoxLayout(box.get());
    layout->addLayout(row, 1);
    layout->addWidget(buttons);

    // As large as the text wants, as small as the screen needs.
    const QScreen *screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect free = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const int maxWidth = int(free.width() * kScreenShare);
    const int maxHeight = int(free.height() * kScreenShare);
    const QFontMetrics fm(view->font());
    const QSize chrome = layout->sizeHint() - view->sizeHint();
    const int scrollBar = view->verticalScrollBar()->sizeHint().width();
    const int extraWidth = chrome.width() + scrollBar + 16;
    // Lines as long as they are, up to what the screen allows.
    int longest = 0;
    for (const QString &line : text.split(u'\n'))
        longest = std::max(longest, fm.horizontalAdvance(line));
    const int wrap = std::max(kMinTextWidth, std::min(longest, maxWidth - extraWidth));
    const QRect needed = fm.boundingRect(QRect(0, 0, wrap, 0), Qt::TextWordWrap | Qt::TextExpandTabs, text);
    box->resize(std::min(std::max(needed.width(), kMinTextWidth) + extraWidth, maxWidth),
                std::clamp(needed.height() + chrome.height() + 16, 120, maxHeight));
    box->setMaximumSize(free.size());
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    return box;
}

} // namespace tavrik::gui
