#include "shared/gui/recordlist.h"

#include "controls/twips.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/launcher.h"
#include "shared/gui/services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QListWidget>
#include <QUrl>

namespace tavrik::gui {

using controls::px;

namespace {

QRect pxRect(const QRect &twips) { return controls::pxRect(twips.x(), twips.y(), twips.width(), twips.height()); }

} // namespace

RecordList::RecordList(QWidget *mainWindow, const Design &design) : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("fList"));
    setWindowTitle(QStringLiteral("计时"));
    setWindowIcon(mainWindow->windowIcon());
    if (design.followsMainWindow) {
        setFont(mainWindow->font());
        setPalette(mainWindow->palette());
        setAutoFillBackground(true);
    }
    setFixedSize(px(design.sizeTwips.width()), px(design.sizeTwips.height()));
    setAttribute(Qt::WA_ShowWithoutActivating);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("记录"));
    if (design.listPointSize > 0) {
        QFont f = font();
        f.setPointSizeF(design.listPointSize);
        List1->setFont(f);
    }
    List1->setGeometry(pxRect(design.listTwips));
}

QString RecordList::caption(Part part)
{
    switch (part) {
    case Clear: return QStringLiteral("清空");
    case Export: return QStringLiteral("编辑/保存");
    case Hide: break;
    }
    return QStringLiteral("隐藏");
}

void RecordList::addButton(QWidget *button, const QRect &twips) { button->setGeometry(pxRect(twips)); }

void RecordList::showAbove(QWidget *mainWindow)
{
    // A record asked for from the command line (a global shortcut) must not take the
    // focus from the program the user is in; a key or a click in ours gives it back.
    const bool ours = QApplication::activeWindow() != nullptr;
    // The frame is known only once the window is shown: place it, show it, then place
    // it again with the real frame.
    for (int pass = 0; pass < 2; ++pass) {
        const QRect main = mainWindow->frameGeometry();
        const int frameW = frameGeometry().width() - width();
        const int frameH = frameGeometry().height() - height();
        setFixedWidth(std::max(1, main.width() - frameW));
        move(main.left(), main.top() - (height() + frameH));
        if (pass == 0 && !isVisible())
            show();
    }
    if (ours)
        mainWindow->activateWindow();
}

void RecordList::append(const QString &record)
{
    List1->addItem(record);
    List1->scrollToBottom();
}

QStringList RecordList::entries() const
{
    QStringList out;
    out.reserve(List1->count());
    for (int i = 0; i < List1->count(); ++i)
        out.append(List1->item(i)->text());
    return out;
}

void RecordList::clicked(Part part)
{
    switch (part) {
    case Clear:
        List1->clear();
        return;
    case Hide:
        hide();
        return;
    case Export:
        break;
    }
    const QString path = core::recordFilePath();
    QString error;
    if (!recordFile_.write(path, entries(), &error)) {
        services().dialogs->message(this, QStringLiteral("无法写入记录文件：\n%1\n\n原因：%2\n\n记录仍保留在列表中。").arg(path, error),
                                    QStringLiteral("错误"), MsgIcon::Critical);
        return;
    }
    // The file stays until the program ends, so that the editor can read it at leisure.
    openOrSay(QUrl::fromLocalFile(path), this);
}

void RecordList::closeForGood()
{
    recordFile_.removeIfUnchanged();
    hide();
}

void RecordList::closeEvent(QCloseEvent *event)
{
    event->ignore();
    hide();
}

} // namespace tavrik::gui
