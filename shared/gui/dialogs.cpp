#include "shared/gui/dialogs.h"

#include "shared/gui/textbox.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace tavrik::gui {

QString defaultTitle() { return QCoreApplication::applicationName(); }

void QtDialogs::message(QWidget *parent, const QString &text, const QString &title, MsgIcon icon)
{
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
    case MsgIcon::None: break;
    case MsgIcon::Information: qicon = QMessageBox::Information; break;
    case MsgIcon::Warning: qicon = QMessageBox::Warning; break;
    case MsgIcon::Critical: qicon = QMessageBox::Critical; break;
    }
    QMessageBox box(qicon, title.isEmpty() ? defaultTitle() : title, text, QMessageBox::Ok, parent);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

void QtDialogs::longMessage(QWidget *parent, const QString &text, const QString &title, MsgIcon icon)
{
    makeTextBox(parent, text, title, icon)->exec();
}

std::optional<QString> QtDialogs::input(QWidget *parent, const QString &prompt,
                                        const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title.isEmpty() ? defaultTitle() : title,
                                                 prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

bool QtDialogs::question(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title.isEmpty() ? defaultTitle() : title, text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace tavrik::gui
