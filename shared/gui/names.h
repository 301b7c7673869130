#pragma once

#include <QLatin1String>
#include <QString>

// The windows' parts carry the names their handlers are named after ("lblTime",
// "CMD(3)"), which is also how tests find them.
namespace tavrik::gui {

template <typename T>
T *named(T *object, const QString &name)
{
    object->setObjectName(name);
    return object;
}

// The name of an element of a control or menu array: "msp(2)".
inline QString indexed(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace tavrik::gui
