#include "vexo3/main/flist.h"

#include "shared/gui/records.h"
#include "controls/twips.h"
#include "controls/cmdbox/cmdbox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QListWidget>

namespace vexo3 {

using tavrik::controls::px;

fList::fList(QWidget *mainWindow) : QWidget(nullptr, Qt::Window)
{
    setWindowTitle(QStringLiteral("计时"));
    if (mainWindow)
        setWindowIcon(mainWindow->windowIcon());
    setFixedSize(px(4530), px(3405));
    setAttribute(Qt::WA_ShowWithoutActivating);

    List1 = new QListWidget(this);
    List1->setGeometry(px(120), px(120), px(4215), px(2340));

    struct Place {
        cmdBox **button;
        const char *caption;
        int left, width;
    };
    const Place places[] = {{&cmdBox1, "清空", 240, 975}, {&cmdBox2, "编辑/保存", 1440, 1575}, {&cmdBox3, "隐藏", 3240, 975}};
    for (const Place &s : places) {
        auto *b = new cmdBox(this);
        b->setGeometry(px(s.left), px(2760), px(s.width), px(495));
        b->setCaption(QString::fromUtf8(s.caption));
        *s.button = b;
    }
    connect(cmdBox1, &cmdBox::Click, this, &fList::cmdBox1_Click);
    connect(cmdBox2, &cmdBox::Click, this, &fList::cmdBox2_Click);
    connect(cmdBox3, &cmdBox::Click, this, &fList::cmdBox3_Click);
}

void fList::showAbove(QWidget *mainWindow)
{
    // A record asked for from the command line (a global shortcut) must not take the
    // focus from the program the user is in; a key or a click in ours gives it back.
    const bool ours = QApplication::activeWindow() != nullptr;
    // The frame's size is known only once the window is shown: place it, show it,
    // then place it again with the real frame.
    for (int pass = 0; pass < 2; ++pass) {
        const QRect main = mainWindow->frameGeometry();
        const int frameExtraW = frameGeometry().width() - width();
        const int frameExtraH = frameGeometry().height() - height();
        setFixedWidth(std::max(1, main.width() - frameExtraW));
        move(main.left(), main.top() - (height() + frameExtraH));
        if (pass == 0 && !isVisible())
            show();
    }
    if (ours)
        mainWindow->activateWindow();
}

void fList::append(const QString &entry)
{
    List1->addItem(entry);
    List1->scrollToBottom();
}

QStringList fList::entries() const
{
    QStringList out;
    out.reserve(List1->count());
    for (int i = 0; i < List1->count(); ++i)
        out.append(List1->item(i)->text());
    return out;
}

void fList::cmdBox1_Click() { List1->clear(); }

void fList::cmdBox2_Click()
{
    tavrik::gui::exportRecords(this, recordFile_, entries());
}

void fList::cmdBox3_Click() { hide(); }

void fList::closeEvent(QCloseEvent *event)
{
    event->ignore();
    hide();
}

} // namespace vexo3
