#pragma once

#include <QExtensionFactory>
#include <QDesignerTaskMenuExtension>
#include <QPointer>

class QAction;

namespace tavrik::designer {

// The designer's context menu of a Seg: "编辑 Seg…" opens the property page over the
// form. It is also the action a double-click on the control starts.
class SegTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)
public:
    SegTaskMenu(QWidget *seg, QObject *parent);

    QAction *preferredEditAction() const override;
    QList<QAction *> taskActions() const override;

    static inline const QString kEditText = QStringLiteral("编辑 Seg…");

private:
    void editSeg();

    QPointer<QWidget> seg_;
    QAction *edit_;
};

// Hands a SegTaskMenu to every Seg on a form.
class SegTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT
public:
    explicit SegTaskMenuFactory(QExtensionManager *parent) : QExtensionFactory(parent) {}

protected:
    QObject *createExtension(QObject *object, const QString &iid, QObject *parent) const override;
};

} // namespace tavrik::designer
