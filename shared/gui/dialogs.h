#pragma once

#include <QString>
#include <memory>
#include <optional>

class QMessageBox;
class QWidget;

namespace tavrik::gui {

enum class MsgIcon { None, Information, Warning, Critical };

// Modal boxes go through here so that tests never block on one.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // An empty title means the program's default title.
    virtual void message(QWidget *parent, const QString &text, const QString &title,
                         MsgIcon icon) = 0;
    // The same for a text that may be long (a help text): a box that fits the screen
    // and scrolls. By default a plain message box.
    virtual void longMessage(QWidget *parent, const QString &text, const QString &title, MsgIcon icon)
    {
        message(parent, text, title, icon);
    }
    // The answer, or nothing when the user cancelled.
    virtual std::optional<QString> input(QWidget *parent, const QString &prompt,
                                         const QString &title, const QString &defaultText) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool question(QWidget *parent, const QString &text, const QString &title) = 0;
};

class QtDialogs final : public Dialogs {
public:
    void message(QWidget *parent, const QString &text, const QString &title,
                 MsgIcon icon) override;
    void longMessage(QWidget *parent, const QString &text, const QString &title, MsgIcon icon) override;
    std::optional<QString> input(QWidget *parent, const QString &prompt, const QString &title,
                                 const QString &defaultText) override;
    bool question(QWidget *parent, const QString &text, const QString &title) override;
};

// The title of boxes that give none: the program's name.
QString defaultTitle();

// The message and question boxes QtDialogs shows, made but not shown. Every part is
// named for assistive tools, in Chinese: the icon by its kind.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget *parent, const QString &text, const QString &title, MsgIcon icon,
                                            bool question = false);
// What an icon of a box is called aloud ("信息", "警告"…); empty for none.
QString iconName(MsgIcon icon);

} // namespace tavrik::gui
