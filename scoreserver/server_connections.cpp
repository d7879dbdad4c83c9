// What one client may hold of the server: connections per address, bytes of
// a request, time to send it, answers it has not taken yet.
#include "scoreserver/score_server.h"

#include <QMetaObject>

namespace tavrin {

namespace {

const QByteArray kHtml = QByteArrayLiteral("text/html; charset=utf-8");
// How often connections that are not read are looked at again.
constexpr int kResumeCheckMs = 20;

} // namespace

QTcpSocket* ScoreServer::acceptConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return nullptr;
    }
    const QHostAddress peer = socket->peerAddress();
    const QString address = RateLimiter::keyOf(peer);
    const bool proxy = options_.trustedProxy && peer.isEqual(*options_.trustedProxy, QHostAddress::TolerantConversion);
    if (connections_.size() >= limits_.maxConnections ||
        (!proxy && perAddress_.value(address) >= limits_.maxConnectionsPerAddress)) {
        socket->abort();
        delete socket;
        return nullptr;
    }
    // Qt stops reading a connection whose buffer is full; the request limit
    // refuses it before that.
    socket->setReadBufferSize(limits_.maxRequestBytes * 2);
    Connection& connection = connections_[socket];
    connection.address = address;
    connection.lastActivityMs = clock_.elapsed();
    ++perAddress_[address];
    // Connected before Qt HTTP Server's own reader, so this runs first.
    QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] { bytesArrived(socket); });
    QObject::connect(socket, &QObject::destroyed, this, [this, socket] { forgetConnection(socket); });
    return socket;
}

void ScoreServer::forgetConnection(QTcpSocket* socket)
{
    const auto found = connections_.find(socket);
    if (found == connections_.end()) {
        return;
    }
    const auto count = perAddress_.find(found->address);
    if (count != perAddress_.end() && --*count <= 0) {
        perAddress_.erase(count);
    }
    connections_.erase(found);
}

void ScoreServer::bytesArrived(QTcpSocket* socket)
{
    const auto found = connections_.find(socket);
    if (found == connections_.end() || found->refused) {
        return;
    }
    const qint64 now = clock_.elapsed();
    found->lastActivityMs = now;
    // The request reader takes everything buffered, except the later requests
    // it left when it took a whole one (handleRequest counts those).
    const qint64 arrived = std::max<qint64>(0, socket->bytesAvailable() - found->leftover);
    found->leftover = 0;
    if (arrived > 0 && found->requestStartMs < 0) {
        found->requestStartMs = now;
    }
    found->requestBytes += arrived;
    if (found->requestBytes > limits_.maxRequestBytes) {
        refuseWith(socket, QByteArrayLiteral("413 Payload Too Large"), QStringLiteral("送信されたデータが大きすぎます。"));
        return;
    }
    limitReading(socket, true);
}

void ScoreServer::refuseWith(QTcpSocket* socket, const QByteArray& statusLine, const QString& text)
{
    connections_[socket].refused = true;
    const QByteArray body = messagePage(QStringLiteral("送信できませんでした"), text);
    socket->write(QByteArrayLiteral("HTTP/1.1 ") + statusLine + QByteArrayLiteral("\r\nContent-Type: ") + kHtml +
                  QByteArrayLiteral("\r\nConnection: close\r\nContent-Length: ") + QByteArray::number(body.size()) +
                  QByteArrayLiteral("\r\n\r\n") + body);
    socket->disconnectFromHost();
}

void ScoreServer::sweepConnections()
{
    const qint64 now = clock_.elapsed();
    std::vector<QTcpSocket*> stale;
    std::vector<QTcpSocket*> late;
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
        Connection& connection = it.value();
        // An answer still going out counts as activity while it moves.
        const qint64 unsent = it.key()->bytesToWrite();
        if (unsent < connection.unsentSeen) {
            connection.lastActivityMs = now;
        }
        connection.unsentSeen = unsent;
        if (connection.pending > 0) {
            continue;
        }
        const bool started = connection.requestStartMs >= 0;
        const bool slow = started && now - connection.requestStartMs > limits_.requestTimeoutMs;
        const bool idle = now - connection.lastActivityMs > limits_.idleTimeoutMs;
        if (connection.refused) {
            // A refused connection gets a moment to take its answer.
            if (now - connection.lastActivityMs >= 2000) {
                stale.push_back(it.key());
            }
        } else if (started && (slow || idle)) {
            late.push_back(it.key());
        } else if (idle) {
            stale.push_back(it.key());
        }
    }
    for (QTcpSocket* socket : late) {
        refuseWith(socket, QByteArrayLiteral("408 Request Timeout"),
                   QStringLiteral("時間内にデータが届きませんでした。もう一度お試しください。"));
    }
    for (QTcpSocket* socket : stale) {
        forgetConnection(socket);
        socket->abort();
        socket->deleteLater();
    }
}

void ScoreServer::limitReading(QTcpSocket* socket, bool arriving)
{
    const auto found = connections_.find(socket);
    if (found == connections_.end() || found->paused) {
        return;
    }
    // A client that waits for each answer before it asks again (what browsers
    // do) is never held; one that sends on while its answers pile up is.
    const bool overdue = socket->bytesToWrite() + found->queuedBytes > limits_.maxUnsentBytes;
    if ((overdue && (arriving || socket->bytesAvailable() > 0)) || found->pending > limits_.maxQueuedAnswers) {
        // Qt HTTP Server takes the next request when the socket signals; with
        // its signals held it takes none, and its buffer, once full, leaves
        // the rest with the client.
        found->paused = true;
        socket->blockSignals(true);
        if (!resume_.isActive()) {
            resume_.start(kResumeCheckMs);
        }
    }
}

void ScoreServer::resumeReading()
{
    const qint64 now = clock_.elapsed();
    bool stillHeld = false;
    std::vector<QTcpSocket*> gone;
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
        Connection& connection = it.value();
        if (!connection.paused) {
            continue;
        }
        QTcpSocket* socket = it.key();
        if (socket->state() != QAbstractSocket::ConnectedState) {
            gone.push_back(socket); // its own signals were held: no one else sees it go
            continue;
        }
        const qint64 unsent = socket->bytesToWrite();
        if (unsent < connection.unsentSeen) {
            connection.lastActivityMs = now;
        }
        connection.unsentSeen = unsent;
        if (unsent + connection.queuedBytes > limits_.maxUnsentBytes / 2 ||
            connection.pending > limits_.maxQueuedAnswers / 2) {
            stillHeld = true;
            continue;
        }
        connection.paused = false;
        socket->blockSignals(false);
        if (socket->bytesAvailable() > 0) {
            QMetaObject::invokeMethod(socket, [socket] { Q_EMIT socket->readyRead(); }, Qt::QueuedConnection);
        }
    }
    for (QTcpSocket* socket : gone) {
        forgetConnection(socket);
        socket->abort();
        socket->deleteLater();
    }
    if (!stillHeld) {
        resume_.stop();
    }
}

} // namespace tavrin
