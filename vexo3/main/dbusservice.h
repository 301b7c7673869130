#pragma once

#include <QDBusContext>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariantMap>

class QAbstractItemModel;

namespace vexo3 {

class FrmSec;

// Vexo3 on the session bus: the name and the interface are the desktop entry's id
// (org.example.tavrik.Vexo3), the object its path (/org/example/tavrik/Vexo3); the
// interface is described in resources/dbus/. The methods are the commands of the
// command line, carried out by FrmSec::carryOut with the same guards and the lock; a
// refusal is an error whose message is the command line's reason. The properties are
// read when asked; PropertiesChanged goes out when the state or the records change,
// with the reading of that moment, and never for a tick.
class DBusService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", VEXO3_DBUS_ID)
    Q_PROPERTY(double Seconds READ seconds)
    Q_PROPERTY(QString Reading READ reading)
    Q_PROPERTY(QString State READ state)
    Q_PROPERTY(QStringList Records READ records)
public:
    // A child of the window; nothing happens until it is registered.
    explicit DBusService(FrmSec *window);

    static constexpr const char *kId = VEXO3_DBUS_ID;
    // Takes the name and exports itself. Without a session bus, or with the name taken
    // by another Vexo3 (on other settings), it stays off the bus, silently.
    bool registerOnBus();

    double seconds() const;
    QString reading() const;
    QString state() const;
    QStringList records() const;

    // The state or the records may have changed: PropertiesChanged, with what did, from
    // the event loop (after the answer of the call that changed them).
    void changed();

public Q_SLOTS:
    void StartPause();
    void Record();
    void Reset();
    void Show();

private:
    void carryOut(const QString &command);
    void sendChanges();

    FrmSec *window_;
    QString path_;
    QString interface_;
    QVariantMap sent_;
    QPointer<QAbstractItemModel> watchedRecords_;
    bool registered_ = false;
    bool pending_ = false;
};

// Tells the window's DBusService, where it has one, that its state or records changed.
void announceChange(QObject *window);

} // namespace vexo3
