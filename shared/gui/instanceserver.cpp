#include "shared/gui/instanceserver.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <sys/ioctl.h>

namespace tavrik::gui {

namespace {

const char kAnswered[] = "tavrikAnswered";

// Has sent nothing yet: nothing read, nothing waiting in the kernel.
bool isSilent(const QLocalSocket *s)
{
    int waiting = 0;
    return !s->property(kAnswered).toBool() && s->bytesAvailable() == 0 &&
           ::ioctl(int(s->socketDescriptor()), FIONREAD, &waiting) == 0 && waiting == 0;
}

} // namespace

InstanceServer::InstanceServer(QString program, QStringList known, Handler handler, QObject *parent)
    : QObject(parent), program_(std::move(program)), known_(std::move(known)), handler_(std::move(handler)),
      server_(new QLocalServer(this))
{
    // Only this user may connect (the folder is private as well).
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A burst of clients waits in the kernel for its turn instead of being turned away.
    server_->setListenBacklogSize(2 * kMaxConnections);
    connect(server_, &QLocalServer::newConnection, this, &InstanceServer::acceptAll);
}

InstanceServer::~InstanceServer() { close(); }

bool InstanceServer::listen(const QString &socketPath, QString *error)
{
    QLocalServer::removeServer(socketPath);
    if (server_->listen(socketPath))
        return true;
    if (error)
        *error = server_->errorString();
    return false;
}

void InstanceServer::close()
{
    if (server_->isListening())
        server_->close();
    for (QLocalSocket *s : server_->findChildren<QLocalSocket *>())
        s->abort();
}

bool InstanceServer::isListening() const { return server_->isListening(); }

void InstanceServer::acceptAll()
{
    while (QLocalSocket *s = server_->nextPendingConnection()) {
        if (open_.size() >= kMaxConnections) {
            const auto idle = std::find_if(open_.cbegin(), open_.cend(), isSilent);
            QLocalSocket *out = idle == open_.cend() ? s : *idle;
            open_.removeOne(out);
            out->abort();
            out->deleteLater();
            if (out == s)
                continue;
        }
        open_.append(s);
        // What waits unread stays small; the rest stays with the kernel.
        s->setReadBufferSize(core::kMaxRequestBytes + 1);
        connect(s, &QObject::destroyed, this, [this, s] { open_.removeOne(s); });
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QLocalSocket::readyRead, this, [this, s] { readRequest(s); });
        // Slow or silent clients are dropped; so is one that never reads its answer.
        QTimer::singleShot(requestReadMs_, s, [s] {
            // A late timer may come before the request it waits for is read.
            const QPointer<QLocalSocket> alive(s);
            if (!s->property(kAnswered).toBool())
                s->waitForReadyRead(0);
            if (alive && !s->property(kAnswered).toBool())
                s->abort();
        });
        QTimer::singleShot(core::kInstanceAnswerMs, s, [s] { s->abort(); });
        if (s->bytesAvailable() > 0)
            readRequest(s);
    }
}

void InstanceServer::readRequest(QLocalSocket *socket)
{
    if (socket->property(kAnswered).toBool())
        return;
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > core::kMaxRequestBytes)
            answer(socket, {kMalformedExit, QString(), QStringLiteral("请求太长，没有执行。")});
        return;
    }
    QByteArray line = socket->readLine(core::kMaxRequestBytes + 2);
    line.chop(1);
    const std::optional<core::InstanceRequest> request = core::decodeRequest(line, program_, known_);
    if (!request) {
        answer(socket, {kMalformedExit, QString(), QStringLiteral("请求无法识别，没有执行。")});
        return;
    }
    if (!core::isFreshRequest(request->sentMs, core::monotonicMs())) {
        answer(socket, {kLateExit, QString(), QStringLiteral("请求来得太晚，没有执行。")});
        return;
    }
    socket->setProperty(kAnswered, true);
    // The handler may open a box with an event loop of its own: the connection may be
    // gone when it returns.
    const QPointer<QLocalSocket> alive(socket);
    const core::InstanceReply reply = handler_(request->commands);
    if (alive)
        answer(socket, reply);
}

void InstanceServer::answer(QLocalSocket *socket, const core::InstanceReply &reply)
{
    socket->setProperty(kAnswered, true);
    socket->write(core::encodeReply(reply));
    // Into the kernel now: whatever the handler left for later (saving) comes after.
    socket->flush();
    Q_EMIT answered();
    // Closes once the answer is written; the timer above ends a client that never reads.
    socket->disconnectFromServer();
}

} // namespace tavrik::gui
