#pragma once

#include "shared/core/instance.h"

#include <QObject>
#include <QStringList>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace tavrik::gui {

// The running copy's side of tavrik::core::claimInstance: a QLocalServer on the socket
// in the user's private folder, reachable by this user only. It never blocks the
// event loop: requests are read as they arrive, each at most kMaxRequestBytes and
// one line; a connection that has not sent its request within kRequestReadMs (a
// sender writes it at once) is dropped, and so is one still open kInstanceAnswerMs
// after it came. No more than kMaxConnections are open at once: when all are taken,
// the oldest one that has sent nothing gives way to a new one, so that clients that
// only connect cannot shut real commands out. Anything malformed is answered with
// exit code 2 and never reaches the handler. Neither does a request that waited too
// long (the copy was stopped, say): its sender has reported it as not carried out,
// and so it must stay.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<core::InstanceReply(const QStringList &commands)>;
    static constexpr int kMaxConnections = 64;
    static constexpr int kRequestReadMs = 300;
    static constexpr int kMalformedExit = 2;
    // A request that came too late (core::kRequestFreshMs) to be carried out.
    static constexpr int kLateExit = 3;

    // `known`: the commands the handler takes; any other makes a request malformed.
    InstanceServer(QString program, QStringList known, Handler handler, QObject *parent = nullptr);
    ~InstanceServer() override;

    // Listens on socketPath, replacing the socket file a dead copy left (the caller
    // holds the lock of core::InstanceLock, so no live copy listens there).
    bool listen(const QString &socketPath, QString *error = nullptr);
    // Stops listening and removes the socket file; open connections are dropped.
    void close();
    bool isListening() const;
    // Instead of kRequestReadMs (tests).
    void setRequestReadMs(int ms) { requestReadMs_ = ms; }

Q_SIGNALS:
    // An answer has been handed to the system for its client.
    void answered();

private:
    void acceptAll();
    void readRequest(QLocalSocket *socket);
    void answer(QLocalSocket *socket, const core::InstanceReply &reply);

    QString program_;
    QStringList known_;
    Handler handler_;
    QLocalServer *server_ = nullptr;
    // The open connections, oldest first.
    QList<QLocalSocket *> open_;
    int requestReadMs_ = kRequestReadMs;
};

} // namespace tavrik::gui
