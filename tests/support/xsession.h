#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A private X server (Xvfb) for the tests that drive the real program as a user
// would: keys and clicks through xdotool, the close box through the message a window
// manager sends.
class XSession {
public:
    struct Window {
        QString id;
        QString name;
    };

    XSession() = default;
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    // Starts the server on a free display; false (with the reason) when it cannot.
    bool start(QString *why);
    QString display() const { return display_; }

    // The mapped windows of a process, with their titles.
    QList<Window> windowsOf(qint64 pid) const;
    // Waits until the process has `count` mapped windows titled `name`; the newest.
    QString waitForWindow(qint64 pid, const QString &name, int count = 1, int timeoutMs = 15000) const;
    // Waits until no mapped window of the process has that title.
    bool waitUntilGone(qint64 pid, const QString &name, int timeoutMs = 15000) const;

    // xdotool with its arguments; true when it succeeded.
    bool xdotool(const QStringList &args, QString *out = nullptr) const;
    // Gives a window the keyboard focus, then types keys ("alt+s", "Return").
    bool keys(const QString &window, const QStringList &keys) const;
    // A left click at a point of the window.
    bool click(const QString &window, int x, int y) const;
    // The window's size.
    QSize size(const QString &window) const;
    // What a window manager sends when the user clicks the close box.
    bool closeBox(const QString &window) const;

private:
    QProcess server_;
    QString display_;
};
