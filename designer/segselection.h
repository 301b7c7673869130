#pragma once

#include <QString>
#include <QVariant>

namespace tavrik::designer {

// The Seg controls a window designer has selected, in the order of selection, seen
// through their properties. The property page knows nothing else of the designer, so
// it runs the same in a test as in Qt Designer.
class SegSelection {
public:
    virtual ~SegSelection() = default;

    // How many of the selected controls are Seg controls.
    virtual int count() const = 0;
    virtual QVariant property(int index, const QString &name) const = 0;
    // Writes as the designer does: undoable, and seen by the saved form.
    virtual void setProperty(int index, const QString &name, const QVariant &value) = 0;

    // Around the writes of one Apply, so that one undo takes them all back.
    virtual void beginApply(const QString &description) { Q_UNUSED(description) }
    virtual void endApply() {}
};

} // namespace tavrik::designer
