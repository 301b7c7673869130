#include "designer/formwindowselection.h"

#include <QDesignerFormWindowCursorInterface>
#include <QDesignerFormWindowInterface>

namespace tavrik::designer {

FormWindowSegSelection::FormWindowSegSelection(QDesignerFormWindowInterface *form, QWidget *seg)
    : form_(form), seg_(seg)
{
}

// By class name: the designer may hold the control from another copy of its code.
bool FormWindowSegSelection::isSeg(const QObject *object) { return object && object->inherits("vexo3::Seg"); }

// The designer keeps its selection as an unordered set. First comes the control whose
// menu opened the page (a right-click selects it), else the one the property editor
// shows; the others follow in the order of the form.
QList<QWidget *> FormWindowSegSelection::segs() const
{
    QList<QWidget *> out;
    if (form_) {
        QDesignerFormWindowCursorInterface *cursor = form_->cursor();
        for (int i = 0; i < cursor->widgetCount(); ++i)
            if (QWidget *w = cursor->widget(i); isSeg(w) && cursor->isWidgetSelected(w))
                out.append(w);
        for (QWidget *lead : {static_cast<QWidget *>(seg_), cursor->current()})
            if (lead && out.contains(lead)) {
                out.move(out.indexOf(lead), 0);
                break;
            }
    }
    if (out.isEmpty() && seg_)
        out.append(seg_);
    return out;
}

int FormWindowSegSelection::count() const { return int(segs().size()); }

QVariant FormWindowSegSelection::property(int index, const QString &name) const
{
    const QList<QWidget *> s = segs();
    return index >= 0 && index < s.size() ? s[index]->property(name.toLatin1().constData()) : QVariant();
}

void FormWindowSegSelection::setProperty(int index, const QString &name, const QVariant &value)
{
    const QList<QWidget *> s = segs();
    if (!form_ || index < 0 || index >= s.size())
        return;
    // One control, not the whole selection (the cursor's setProperty writes them all).
    form_->cursor()->setWidgetProperty(s[index], name, value);
}

void FormWindowSegSelection::beginApply(const QString &description)
{
    if (form_)
        form_->beginCommand(description);
}

void FormWindowSegSelection::endApply()
{
    if (form_)
        form_->endCommand();
}

} // namespace tavrik::designer
