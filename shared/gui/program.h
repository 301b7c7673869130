#pragma once

#include <QByteArray>
#include <QIcon>
#include <QString>

class QWidget;

namespace tavrik::gui {

// What each program's main() does first, before it builds a window: the program's
// name and version, the icon every window shows unless it sets its own, and the
// desktop entry its windows belong to (the docks and the Wayland compositor take the
// icon and name from there), and Qt's own texts in Chinese (loadQtTranslation). Takes
// back from the environment what prepareSession set for Qt alone.
void setUpProgram(const QString &name, const QString &version, const QString &desktopId);

// A program's icon: every size the build put under ":/icons/<name>/" (see
// tavrik_add_program). Null when the program has none.
QIcon programIcon(const QString &name);

// In a Wayland session the compositor places the windows and keeps none on top at a
// client's wish, so the programs run through XWayland where it is there and the user
// has chosen no platform (QT_QPA_PLATFORM): on-top, the record list above the main
// window and the mini window keep working. The platform to set for the given
// environment values, empty to leave Qt's choice.
QByteArray sessionPlatform(const QByteArray &waylandDisplay, const QByteArray &sessionType,
                           const QByteArray &display, const QByteArray &qpaPlatform);
// Sets it, before the application object is made, and has Qt send the windows'
// pictures to the X server in its requests rather than through shared memory: a
// shared-memory picture costs a round trip to the server before the next paint, a
// second wake-up for every tick, while what a tick repaints (a few digits) is small.
void prepareSession();

// Run natively on Wayland (no XWayland, or the user's choice): the on-top menu item
// ("montop") of the window can do nothing there, so it is disabled and says why.
void explainPlacementLimits(QWidget *window, const QString &platformName);

} // namespace tavrik::gui
