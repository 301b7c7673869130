#include "shared/gui/dialogs.h"

#include "shared/gui/textbox.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace tavrik::gui {

QString defaultTitle() { return QCoreApplication::applicationName(); }

QString iconName(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None: break;
    case MsgIcon::Information: return QStringLiteral("信息");
    case MsgIcon::Warning: return QStringLiteral("警告");
    case MsgIcon::Critical: return QStringLiteral("错误");
    }
    return QString();
}

std::unique_ptr<QMessageBox> makeMessageBox(QWidget *parent, const QString &text, const QString &title, MsgIcon icon,
                                            bool question)
{
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
    case MsgIcon::None: break;
    case MsgIcon::Information: qicon = QMessageBox::Information; break;
    case MsgIcon::Warning: qicon = QMessageBox::Warning; break;
    case MsgIcon::Critical: qicon = QMessageBox::Critical; break;
    }
    if (question)
        qicon = QMessageBox::Question;
    auto box = std::make_unique<QMessageBox>(qicon, title.isEmpty() ? defaultTitle() : title, text,
                                             question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    if (question)
        box->setDefaultButton(QMessageBox::Yes);
    else
        box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The icon is a picture in a label of its own: named by its kind.
    if (auto *iconLabel = box->findChild<QLabel *>(QStringLiteral("qt_msgboxex_icon_label")))
        iconLabel->setAccessibleName(question ? QStringLiteral("问题") : iconName(icon));
    return box;
}

void QtDialogs::message(QWidget *parent, const QString &text, const QString &title, MsgIcon icon)
{
    makeMessageBox(parent, text, title, icon)->exec();
}

void QtDialogs::longMessage(QWidget *parent, const QString &text, const QString &title, MsgIcon icon)
{
    makeTextBox(parent, text, title, icon)->exec();
}

std::optional<QString> QtDialogs::input(QWidget *parent, const QString &prompt,
                                        const QString &title, const QString &defaultText)
{
    // Qt names the answer's field by the prompt.
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title.isEmpty() ? defaultTitle() : title,
                                                 prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

bool QtDialogs::question(QWidget *parent, const QString &text, const QString &title)
{
    return makeMessageBox(parent, text, title, MsgIcon::None, true)->exec() == QMessageBox::Yes;
}

} // namespace tavrik::gui
