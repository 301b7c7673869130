#include "shared/gui/notifier.h"

#include "shared/core/clock.h"
#include "shared/gui/services.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QTime>

namespace tavrik::gui {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const char *const kShowKey = "default";
const char *const kUpProperty = "tavrikTimeUp";

QDBusMessage call(const QString &method)
{
    return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}

// The icon as pixels, for servers that cannot find the themed one (a program run from
// its build folder): the "image-data" hint, (iiibiiay).
QVariant iconData()
{
    const QImage image = QApplication::windowIcon().pixmap(48).toImage().convertToFormat(QImage::Format_RGBA8888);
    if (image.isNull())
        return {};
    QDBusArgument arg;
    arg.beginStructure();
    arg << image.width() << image.height() << int(image.bytesPerLine()) << true << 8 << 4
        << QByteArray(reinterpret_cast<const char *>(image.constBits()), int(image.sizeInBytes()));
    arg.endStructure();
    return QVariant::fromValue(arg);
}

} // namespace

bool sessionBusExpected()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(runtime + QStringLiteral("/bus")).exists();
}

Notifier &Notifier::instance()
{
    static Notifier *notifier = new Notifier(QCoreApplication::instance());
    return *notifier;
}

void Notifier::start()
{
    if (started_ || !sessionBusExpected())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    started_ = true;
    // Any sender: naming the server would have Qt look up its owner.
    bus.connect(QString(), kPath, kService, QStringLiteral("ActionInvoked"), this, SLOT(actionInvoked(uint, QString)));
    bus.connect(QString(), kPath, kService, QStringLiteral("NotificationClosed"), this,
                SLOT(notificationClosed(uint, uint)));
}

void Notifier::notify(QWidget *window, const QString &event)
{
    if (!started_)
        return;
    QDBusMessage m = call(QStringLiteral("Notify"));
    // A server without the "actions" capability ignores them.
    const QStringList actions{QString::fromLatin1(kShowKey), QStringLiteral("显示窗口")};
    QVariantMap hints{{QStringLiteral("desktop-entry"), QGuiApplication::desktopFileName()},
                      {QStringLiteral("urgency"), QVariant::fromValue(uchar(2))}};
    if (const QVariant icon = iconData(); icon.isValid())
        hints.insert(QStringLiteral("image-data"), icon);
    const QString name = QCoreApplication::applicationName();
    const QString what = event.isEmpty() ? QStringLiteral("时间到") : event;
    const QString when = tavrik::core::timeOfDay(services().clock->now().seconds).toString(QStringLiteral("HH:mm:ss"));
    m << name << uint(0) << QGuiApplication::desktopFileName() << what << QStringLiteral("%1 · %2").arg(name, when)
      << actions << hints << -1;
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(m), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, window = QPointer<QWidget>(window)](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isValid() && window)
            shown_[reply.value()] = window;
        w->deleteLater();
    });
}

void Notifier::actionInvoked(uint id, const QString &key)
{
    const auto it = shown_.find(id);
    if (it == shown_.end() || key != QLatin1String(kShowKey) || !it->second)
        return;
    QWidget *w = it->second;
    w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    w->show();
    w->raise();
    w->activateWindow();
}

void Notifier::notificationClosed(uint id, uint) { shown_.erase(id); }

void timeUpNotice(QWidget *window, bool up, const QString &event)
{
    if (window->property(kUpProperty).toBool() == up)
        return;
    window->setProperty(kUpProperty, up);
    if (up)
        Notifier::instance().notify(window, event);
}

} // namespace tavrik::gui
