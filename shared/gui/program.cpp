#include "shared/gui/program.h"

#include "shared/gui/translation.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QList>
#include <QMenu>

#include <dlfcn.h>
#include <sys/socket.h>
#include <utility>

namespace tavrik::gui {

namespace {
// What prepareSession set for Qt alone.
QList<QByteArray> &setForQt()
{
    static QList<QByteArray> names;
    return names;
}

void putForQt(const char *name, const QByteArray &value)
{
    qputenv(name, value);
    setForQt().append(name);
}

// A tick's repaint goes to the X server in its requests (see prepareSession). With the
// socket's default send buffer the flush of a few read-outs waits for the server to read
// it: a second wake-up every tick. libxcb is Qt's (loaded by its X platform plugin): asked
// for at run time, so that building needs no X headers.
void widenXSendBuffer()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    void *xcb = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_NOLOAD);
    if (!xcb)
        return;
    using FileDescriptor = int (*)(xcb_connection_t *);
    if (auto fileDescriptor = reinterpret_cast<FileDescriptor>(dlsym(xcb, "xcb_get_file_descriptor"))) {
        const int fd = fileDescriptor(x11->connection());
        const int bytes = 1 << 20; // the kernel holds it to net.core.wmem_max
        if (fd >= 0)
            setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
    }
    dlclose(xcb);
}
} // namespace

void setUpProgram(const QString &name, const QString &version, const QString &desktopId)
{
    widenXSendBuffer();
    // Qt has read them: the programs the windows start (the editor, the browser) are not
    // to inherit them.
    for (const QByteArray &variable : std::as_const(setForQt()))
        qunsetenv(variable.constData());
    setForQt().clear();
    QApplication::setApplicationName(name);
    QApplication::setApplicationVersion(version);
    QGuiApplication::setDesktopFileName(desktopId);
    QApplication::setWindowIcon(programIcon(name));
    if (QCoreApplication *app = QCoreApplication::instance())
        loadQtTranslation(*app);
}

QIcon programIcon(const QString &name)
{
    QIcon icon;
    const QDir dir(QStringLiteral(":/icons/") + name);
    for (const QString &file : dir.entryList({QStringLiteral("*.png")}, QDir::Files))
        icon.addFile(dir.filePath(file));
    return icon;
}

QByteArray sessionPlatform(const QByteArray &waylandDisplay, const QByteArray &sessionType,
                           const QByteArray &display, const QByteArray &qpaPlatform)
{
    const bool wayland = !waylandDisplay.isEmpty() || sessionType == "wayland";
    return wayland && !display.isEmpty() && qpaPlatform.isEmpty() ? QByteArrayLiteral("xcb") : QByteArray();
}

void prepareSession()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        putForQt("QT_XCB_NO_MITSHM", "1");
    const QByteArray platform = sessionPlatform(qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE"),
                                                qgetenv("DISPLAY"), qgetenv("QT_QPA_PLATFORM"));
    if (!platform.isEmpty())
        putForQt("QT_QPA_PLATFORM", platform);
}

void explainPlacementLimits(QWidget *window, const QString &platformName)
{
    if (!platformName.startsWith(QLatin1String("wayland")))
        return;
    QAction *onTop = window->findChild<QAction *>(QStringLiteral("montop"));
    if (!onTop)
        return;
    const QString why = QStringLiteral("Wayland 桌面不允许程序自己把窗口放在最前面（没有 XWayland 可用）；"
                                       "请用桌面的窗口菜单设置“总在最前”。");
    onTop->setEnabled(false);
    onTop->setToolTip(why);
    onTop->setStatusTip(why);
    for (QObject *o : onTop->associatedObjects())
        if (auto *menu = qobject_cast<QMenu *>(o))
            menu->setToolTipsVisible(true);
}

} // namespace tavrik::gui
