#include "vexo3/main/dbusservice.h"

#include "shared/gui/notifier.h"
#include "shared/gui/services.h"
#include "vexo3/engine/commandline.h"
#include "vexo3/engine/status.h"
#include "vexo3/main/flist.h"
#include "vexo3/main/frmsec.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QListWidget>
#include <QTimer>

namespace vexo3 {

DBusService::DBusService(FrmSec *window) : QObject(window), window_(window)
{
    setObjectName(QStringLiteral("dbusService"));
}

bool DBusService::registerOnBus()
{
    const QString id = QString::fromLatin1(kId);
    if (registered_ || !tavrik::gui::sessionBusExpected())
        return registered_;
    QDBusConnection bus = QDBusConnection::sessionBus();
    interface_ = id;
    path_ = u'/' + QString(id).replace(u'.', u'/');
    if (!bus.isConnected()
        || !bus.registerObject(path_, this, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties))
        return false;
    if (!bus.registerService(id)) {
        bus.unregisterObject(path_);
        return false;
    }
    registered_ = true;
    sent_.clear();
    changed();
    return true;
}

double DBusService::seconds() const
{
    const Stopwatch &sw = window_->stopwatch();
    Now until = tavrik::gui::services().clock->now();
    switch (runState(sw)) {
    case RunState::Idle: return 0;
    case RunState::Running: break;
    case RunState::Paused:
    case RunState::Stopped: until = Now{sw.clock.PauseDate, sw.clock.PauseTime}; break;
    }
    const Elapsed e = elapsedSince(sw.clock.StartDate, sw.clock.StartTime, until);
    return double(e.days) * 86400.0 + e.sec;
}

QString DBusService::reading() const
{
    const Stopwatch &sw = window_->stopwatch();
    return readingFor(sw.SegMode1, statusReadings(sw, tavrik::gui::services().clock->now()));
}

QString DBusService::state() const
{
    static const char *const kNames[] = {"idle", "running", "paused", "stopped"};
    return QString::fromLatin1(kNames[int(runState(window_->stopwatch()))]);
}

QStringList DBusService::records() const
{
    const fList *list = window_->recordList();
    return list ? list->entries() : QStringList();
}

void DBusService::StartPause() { carryOut(kCmdStartPause); }
void DBusService::Record() { carryOut(kCmdLap); }
void DBusService::Reset() { carryOut(kCmdReset); }
void DBusService::Show() { carryOut(kCmdShow); }

void DBusService::carryOut(const QString &command)
{
    const tavrik::core::InstanceReply reply = window_->carryOut({command});
    if (reply.exitCode != kExitOk)
        sendErrorReply(interface_ + QStringLiteral(".Error.Refused"), reply.err.trimmed());
}

void DBusService::changed()
{
    if (!registered_ || pending_)
        return;
    // Records cleared in the list's own window change the property too.
    if (!watchedRecords_ && window_->recordList())
        if (auto *list = window_->recordList()->findChild<QListWidget *>()) {
            watchedRecords_ = list->model();
            connect(watchedRecords_, &QAbstractItemModel::rowsRemoved, this, &DBusService::changed);
            connect(watchedRecords_, &QAbstractItemModel::modelReset, this, &DBusService::changed);
        }
    pending_ = true;
    QTimer::singleShot(0, this, &DBusService::sendChanges);
}

void DBusService::sendChanges()
{
    pending_ = false;
    // State and records decide whether anything changed; the reading goes with them.
    const QVariantMap now{{QStringLiteral("State"), state()}, {QStringLiteral("Records"), records()}};
    QVariantMap changes;
    for (auto it = now.begin(); it != now.end(); ++it)
        if (sent_.value(it.key()) != it.value())
            changes.insert(it.key(), it.value());
    const bool first = sent_.isEmpty();
    sent_ = now;
    if (changes.isEmpty() || first)
        return;
    changes.insert(QStringLiteral("Seconds"), seconds());
    changes.insert(QStringLiteral("Reading"), reading());
    QDBusMessage signal = QDBusMessage::createSignal(path_, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << interface_ << changes << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

void announceChange(QObject *window)
{
    if (auto *service = window->findChild<DBusService *>(QString(), Qt::FindDirectChildrenOnly))
        service->changed();
}

} // namespace vexo3
