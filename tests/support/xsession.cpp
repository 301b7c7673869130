#include "tests/support/xsession.h"

#include <QElapsedTimer>
#include <QSize>
#include <QStandardPaths>
#include <QThread>

#include <cstring>
#include <xcb/xcb.h>

namespace {

// Polls every 50 ms until done() or the time is up.
template <typename F>
bool pollUntil(int timeoutMs, F done)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        if (done())
            return true;
        if (t.elapsed() > timeoutMs)
            return false;
        QThread::msleep(50);
    }
}

} // namespace

XSession::~XSession()
{
    if (server_.state() != QProcess::NotRunning) {
        server_.terminate();
        if (!server_.waitForFinished(5000))
            server_.kill();
        server_.waitForFinished(5000);
    }
}

bool XSession::start(QString *why)
{
    for (const char *tool : {"Xvfb", "xdotool"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
            *why = QStringLiteral("%1 is missing (packages xvfb, xdotool)").arg(QLatin1String(tool));
            return false;
        }
    // Xvfb picks a free display itself and writes its number to the given descriptor,
    // here its standard output.
    server_.setProcessChannelMode(QProcess::SeparateChannels);
    server_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                           QStringLiteral("0"), QStringLiteral("1280x900x24"), QStringLiteral("-nolisten"),
                                           QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!server_.waitForStarted(10000)) {
        *why = QStringLiteral("Xvfb did not start");
        return false;
    }
    QByteArray number;
    const bool ok = pollUntil(20000, [&] {
        server_.waitForReadyRead(100);
        number += server_.readAllStandardOutput();
        return number.contains('\n') || server_.state() == QProcess::NotRunning;
    });
    if (!ok || !number.contains('\n')) {
        *why = QStringLiteral("Xvfb gave no display: %1").arg(QString::fromLocal8Bit(server_.readAllStandardError()));
        return false;
    }
    display_ = u':' + QString::fromLatin1(number.trimmed());
    return true;
}

bool XSession::xdotool(const QStringList &args, QString *out) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    if (out)
        *out = QString::fromUtf8(p.readAllStandardOutput());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QList<XSession::Window> XSession::windowsOf(qint64 pid) const
{
    QList<Window> out;
    QString ids;
    // Exit code 1 just means none.
    xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), QString::number(pid)}, &ids);
    for (const QString &id : ids.split(u'\n', Qt::SkipEmptyParts)) {
        QString name;
        if (xdotool({QStringLiteral("getwindowname"), id}, &name))
            out.append({id, name.trimmed()});
    }
    return out;
}

QString XSession::waitForWindow(qint64 pid, const QString &name, int count, int timeoutMs) const
{
    QString found;
    pollUntil(timeoutMs, [&] {
        QStringList ids;
        for (const Window &w : windowsOf(pid))
            if (w.name == name)
                ids << w.id;
        if (ids.size() < count)
            return false;
        found = ids.last();
        return true;
    });
    return found;
}

bool XSession::waitUntilGone(qint64 pid, const QString &name, int timeoutMs) const
{
    return pollUntil(timeoutMs, [&] {
        for (const Window &w : windowsOf(pid))
            if (w.name == name)
                return false;
        return true;
    });
}

bool XSession::keys(const QString &window, const QStringList &keys) const
{
    if (!xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}))
        return false;
    for (const QString &k : keys) {
        if (!xdotool({QStringLiteral("key"), k}))
            return false;
        // A menu opens between two keys; give it the time a hand would.
        QThread::msleep(150);
    }
    return true;
}

bool XSession::click(const QString &window, int x, int y) const
{
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(x), QString::number(y),
                    QStringLiteral("click"), QStringLiteral("1")});
}

QSize XSession::size(const QString &window) const
{
    QString out;
    if (!xdotool({QStringLiteral("getwindowgeometry"), window}, &out))
        return {};
    // "  Geometry: 304x161"
    const qsizetype at = out.indexOf(QStringLiteral("Geometry: "));
    if (at < 0)
        return {};
    const QStringList wh = out.mid(at + 10).section(u'\n', 0, 0).trimmed().split(u'x');
    return wh.size() == 2 ? QSize(wh[0].toInt(), wh[1].toInt()) : QSize();
}

bool XSession::closeBox(const QString &window) const
{
    xcb_connection_t *c = xcb_connect(display_.toLatin1().constData(), nullptr);
    if (!c || xcb_connection_has_error(c)) {
        if (c)
            xcb_disconnect(c);
        return false;
    }
    auto atom = [c](const char *name) {
        xcb_intern_atom_reply_t *r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(r);
        return a;
    };
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = window.toUInt();
    ev.type = atom("WM_PROTOCOLS");
    ev.data.data32[0] = atom("WM_DELETE_WINDOW");
    ev.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, ev.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&ev));
    // A round trip before hanging up: requests still unread when the connection
    // closes are dropped by the server.
    xcb_get_input_focus_reply_t *sync = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    const bool ok = sync != nullptr;
    free(sync);
    xcb_disconnect(c);
    return ok;
}
