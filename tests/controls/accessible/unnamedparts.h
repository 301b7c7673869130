#pragma once

#include <QAccessible>
#include <QStringList>

namespace accessibletest {

// The shown parts of a window that assistive tools would find without a name
// (containers and decoration aside), by role and object name.
inline QStringList unnamedParts(QAccessibleInterface *a)
{
    static const QList<QAccessible::Role> containers{QAccessible::Client,    QAccessible::Window, QAccessible::Pane,
                                                     QAccessible::ScrollBar, QAccessible::Border, QAccessible::Grouping,
                                                     QAccessible::Separator, QAccessible::MenuBar};
    QStringList out;
    if (!a || a->state().invisible)
        return out;
    if (!containers.contains(a->role()) && a->text(QAccessible::Name).trimmed().isEmpty())
        out << QStringLiteral("%1 %2").arg(int(a->role())).arg(a->object() ? a->object()->objectName() : QString());
    for (int i = 0; i < a->childCount(); ++i)
        out << unnamedParts(a->child(i));
    return out;
}

} // namespace accessibletest
