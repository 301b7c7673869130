#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <map>


namespace tavrik::gui {

// Whether a session bus is to be had, judged without touching it: its address is set,
// or the usual socket lies in the runtime folder. Without one, nothing of ours tries
// the bus (libdbus would otherwise try to start one).
bool sessionBusExpected();

// "Time is up" on screen: desktop notifications (org.freedesktop.Notifications) over
// the session bus. Every call is asynchronous; nothing here ever waits for the bus or
// the server, and without either nothing happens.
class Notifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    static Notifier &instance();

    // Connects to the bus and listens for the server's answers. Called from the event
    // loop once the first window shows; before it, notify() does nothing.
    void start();
    // The program's name and icon, the event in Chinese, and an action that brings
    // `window` forward (where the server offers actions). Urgent: it stays until seen.
    void notify(QWidget *window, const QString &event);

private Q_SLOTS:
    void actionInvoked(uint id, const QString &key);
    void notificationClosed(uint id, uint reason);

private:
    bool started_ = false;
    std::map<uint, QPointer<QWidget>> shown_;
};

// Notifies once each time `up` turns true for `window` (a countdown reaching nought,
// an alarm going off), whatever how often it is called while it stays so.
void timeUpNotice(QWidget *window, bool up, const QString &event);

} // namespace tavrik::gui
