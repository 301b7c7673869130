#include "vexo/main/flist.h"

#include "shared/gui/records.h"
#include "controls/twips.h"
#include "vexo/engine/windowlogic.h"
#include "controls/xp/xpcmdbutton.h"

#include <QCloseEvent>
#include <QListWidget>

namespace vexo {

using tavrik::controls::px;

fList::fList(QWidget *mainWindow) : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("fList"));
    setWindowTitle(QStringLiteral("计时"));
    setWindowIcon(mainWindow->windowIcon());
    setFont(mainWindow->font());
    setPalette(mainWindow->palette());
    setAutoFillBackground(true);
    setFixedSize(px(4680), px(3615));
    setAttribute(Qt::WA_ShowWithoutActivating);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    QFont listFont = font();
    listFont.setPointSizeF(10.5);
    List1->setFont(listFont);
    List1->setGeometry(px(120), px(120), px(4215), px(2760));

    struct Place {
        xpcmdbutton **button;
        const char *name;
        const char *caption; // none: the instance name shows
        int left, width;
    };
    const Place places[] = {{&Clear, "清空", nullptr, 120, 975},
                            {&Command2, "Command2", "编辑/保存", 1200, 1095},
                            {&Command3, "Command3", "隐藏", 3240, 975}};
    for (const Place &p : places) {
        auto *b = new xpcmdbutton(this, QString::fromUtf8(p.name));
        b->setGeometry(px(p.left), px(3000), px(p.width), px(375));
        if (p.caption)
            b->setCaption(QString::fromUtf8(p.caption));
        *p.button = b;
    }
    connect(Clear, &xpcmdbutton::Click, this, &fList::Clear_Click);
    connect(Command2, &xpcmdbutton::Click, this, &fList::Command2_Click);
    connect(Command3, &xpcmdbutton::Click, this, &fList::Command3_Click);
}

fList::~fList() = default;

void fList::showAbove(QWidget *mainWindow)
{
    // The frame is known only once the window is shown: place it, show it, then place
    // it again with the real frame.
    for (int pass = 0; pass < 2; ++pass) {
        const int frameW = frameGeometry().width() - width();
        const int frameH = frameGeometry().height() - height();
        const QRect r = listAbove(mainWindow->frameGeometry(), height() + frameH);
        setFixedWidth(std::max(1, r.width() - frameW));
        move(r.topLeft());
        if (pass == 0 && !isVisible())
            show();
    }
    mainWindow->activateWindow();
}

void fList::append(const QString &record)
{
    List1->addItem(record);
    List1->scrollToBottom();
}

QStringList fList::entries() const
{
    QStringList out;
    for (int i = 0; i < List1->count(); ++i)
        out.append(List1->item(i)->text());
    return out;
}

void fList::Clear_Click() { List1->clear(); }

void fList::Command2_Click()
{
    tavrik::gui::exportRecords(this, recordFile_, entries(), true);
}

void fList::Command3_Click() { hide(); }

void fList::closeForGood()
{
    recordFile_.removeIfUnchanged();
    hide();
}

void fList::closeEvent(QCloseEvent *event)
{
    // The close box hides, as 隐藏 does; the records stay for the next record.
    event->ignore();
    hide();
}

} // namespace vexo
