#include "shared/gui/instanceserver.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QVariant>

namespace tavrik::gui {

namespace {

const char kAnswered[] = "tavrikAnswered";

} // namespace

InstanceServer::InstanceServer(QString program, QStringList known, Handler handler, QObject *parent)
    : QObject(parent), program_(std::move(program)), known_(std::move(known)), handler_(std::move(handler)),
      server_(new QLocalServer(this))
{
    // Only this user may connect (the folder is private as well).
    server_->setSocketOptions(QLocalServer::UserAccessOption);
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
        if (open_ >= kMaxConnections) {
            s->abort();
            s->deleteLater();
            continue;
        }
        ++open_;
        // What waits unread stays small; the rest stays with the kernel.
        s->setReadBufferSize(core::kMaxRequestBytes + 1);
        connect(s, &QObject::destroyed, this, [this] { --open_; });
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QLocalSocket::readyRead, this, [this, s] { readRequest(s); });
        // Slow or silent clients are dropped; so is one that never reads its answer.
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
    if (core::monotonicMs() - request->sentMs > core::kRequestFreshMs) {
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
    // Closes once the answer is written; the timer above ends a client that never reads.
    socket->disconnectFromServer();
}

} // namespace tavrik::gui
