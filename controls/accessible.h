#pragma once

#include <QAccessible>
#include <QString>

#include <functional>

class QWidget;

// What assistive tools (a screen reader, through AT-SPI) see of the drawn controls:
// Seg a read-only text holding its reading, cmdBox and xpcmdbutton push buttons named
// by their captions whose Press does what a click does, the parts of the XP frame.
namespace tavrik::controls {

// Installs, once, the factory of the controls' accessible interfaces; every drawn
// control calls it when made.
void installAccessibility();

// A widget that is no button but that a click operates (a label): assistive tools see
// it with this role and the action named `action` (empty: none), which does `act`
// later, from the event loop, as the click does, unless the widget is disabled.
void setAccessibleAction(QWidget *widget, QAccessible::Role role, const QString &action,
                         std::function<void()> act);

// A button's role when it is not a plain push button (QAccessible::ButtonMenu for one
// that opens a menu).
void setAccessibleRole(QWidget *button, QAccessible::Role role);

// The caption as read out: without the access-key marker ("关闭(&C)" -> "关闭(C)").
QString withoutAccessKey(const QString &caption);

// Whether anyone listens: an assistive tool, or a test's watcher.
bool announcing();
// Tells the listeners of a change.
void announce(QAccessibleEvent *event);
// The clock in milliseconds that spaces a read-out's announcements, and a watcher of
// every announcement; tests put theirs (an empty one puts back the real).
void setAnnouncementClock(std::function<qint64()> msNow);
qint64 announcementTime();
void setAnnouncementWatcher(std::function<void(QAccessibleEvent *)> watcher);

} // namespace tavrik::controls
