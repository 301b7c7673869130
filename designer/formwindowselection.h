#pragma once

#include "designer/segselection.h"

#include <QPointer>
#include <QWidget>

class QDesignerFormWindowInterface;

namespace tavrik::designer {

// The form window's selected Seg controls, read and written through the form window's
// cursor, so that every write lands on the undo stack and in the saved form.
class FormWindowSegSelection final : public SegSelection {
public:
    // seg: the control whose menu opened the page; it stands for the selection when
    // no Seg is selected.
    FormWindowSegSelection(QDesignerFormWindowInterface *form, QWidget *seg);

    int count() const override;
    QVariant property(int index, const QString &name) const override;
    void setProperty(int index, const QString &name, const QVariant &value) override;
    void beginApply(const QString &description) override;
    void endApply() override;

    static bool isSeg(const QObject *object);

private:
    QList<QWidget *> segs() const;

    QPointer<QDesignerFormWindowInterface> form_;
    QPointer<QWidget> seg_;
};

} // namespace tavrik::designer
