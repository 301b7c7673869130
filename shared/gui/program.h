#pragma once

#include <QIcon>
#include <QString>

namespace tavrik::gui {

// What each program's main() does first, before it builds a window: the program's
// name and version, the icon every window shows unless it sets its own, and the
// desktop entry its windows belong to (the docks and the Wayland compositor take the
// icon and name from there), and Qt's own texts in Chinese (loadQtTranslation).
void setUpProgram(const QString &name, const QString &version, const QString &desktopId);

// A program's icon: every size the build put under ":/icons/<name>/" (see
// tavrik_add_program). Null when the program has none.
QIcon programIcon(const QString &name);

} // namespace tavrik::gui
