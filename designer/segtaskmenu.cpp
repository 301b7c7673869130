#include "designer/segtaskmenu.h"

#include "designer/formwindowselection.h"
#include "designer/segproterty.h"

#include <QAction>
#include <QDesignerFormWindowInterface>

namespace tavrik::designer {

SegTaskMenu::SegTaskMenu(QWidget *seg, QObject *parent)
    : QObject(parent), seg_(seg), edit_(new QAction(kEditText, this))
{
    edit_->setObjectName(QStringLiteral("editSeg"));
    connect(edit_, &QAction::triggered, this, &SegTaskMenu::editSeg);
}

QAction *SegTaskMenu::preferredEditAction() const { return edit_; }

QList<QAction *> SegTaskMenu::taskActions() const { return {edit_}; }

void SegTaskMenu::editSeg()
{
    QDesignerFormWindowInterface *form = QDesignerFormWindowInterface::findFormWindow(seg_);
    if (!form)
        return;
    auto *dialog = new SegProtertyDialog(std::make_unique<FormWindowSegSelection>(form, seg_), form);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(form, &QDesignerFormWindowInterface::selectionChanged, dialog->page(),
            &SegProterty::PropertyPage_SelectionChanged);
    // Modal to the designer's window, without a nested event loop.
    dialog->open();
}

QObject *SegTaskMenuFactory::createExtension(QObject *object, const QString &iid, QObject *parent) const
{
    if (iid != Q_TYPEID(QDesignerTaskMenuExtension) || !FormWindowSegSelection::isSeg(object))
        return nullptr;
    return new SegTaskMenu(static_cast<QWidget *>(object), parent);
}

} // namespace tavrik::designer
