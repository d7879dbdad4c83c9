#include "app/instance_handover.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

namespace tavrin::app {

namespace {

const QByteArray kHeader = QByteArrayLiteral("TAVRIN-OPEN\n");
const QByteArray kReply = QByteArrayLiteral("OK\n");

// Unix socket paths are limited to a little over 100 bytes.
constexpr qsizetype kMaxSocketPath = 100;

// What the bytes received so far hold: `complete` once the closing newline
// came, `valid` false as soon as they can no longer form a message.
struct Parsed {
    bool complete = false;
    bool valid = true;
    QString path;
};

Parsed parse(const QByteArray& bytes)
{
    Parsed parsed;
    const qsizetype head = std::min(bytes.size(), kHeader.size());
    if (bytes.left(head) != kHeader.left(head)) {
        parsed.valid = false;
        return parsed;
    }
    if (bytes.size() <= kHeader.size()) {
        return parsed;
    }
    const qsizetype end = bytes.indexOf('\n', kHeader.size());
    if (end < 0) {
        parsed.valid = bytes.size() <= kHandoverMaxMessage;
        return parsed;
    }
    const QByteArray raw = bytes.mid(kHeader.size(), end - kHeader.size());
    parsed.complete = true;
    if (end + 1 != bytes.size() || raw.isEmpty() || raw.contains('\0')) {
        parsed.valid = false;
        return parsed;
    }
    QString path = QString::fromUtf8(raw);
    if (path.contains(QChar::ReplacementCharacter) || !QDir::isAbsolutePath(path)) {
        parsed.valid = false;
        return parsed;
    }
    parsed.path = path;
    return parsed;
}

} // namespace

QString handoverServerName(const QString& lockPath)
{
    const QByteArray hash = QCryptographicHash::hash(QDir::cleanPath(lockPath).toUtf8(), QCryptographicHash::Sha1)
                                .toHex()
                                .left(16);
    const QString name = QStringLiteral("tavrin-") + QString::fromLatin1(hash);
    // The user's runtime folder when the session has one (asking Qt without
    // it would make a folder of its own and complain).
    const QString runtime = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
                                ? QString()
                                : QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        const QString path = QDir(runtime).filePath(name + QStringLiteral(".sock"));
        if (path.toUtf8().size() <= kMaxSocketPath) {
            return path;
        }
    }
    return name; // beside the system's temporary files; the socket is still user-only
}

QByteArray handoverMessage(const QString& path)
{
    return kHeader + path.toUtf8() + '\n';
}

bool handOverFile(const QString& serverName, const QString& path, int timeoutMs)
{
    if (path.isEmpty() || path.contains(u'\n') || path.contains(QChar(u'\0'))) {
        return false;
    }
    const QByteArray message = handoverMessage(path);
    if (message.size() > kHandoverMaxMessage) {
        return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
        return false;
    }
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (deadline.hasExpired() || !socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
            socket.abort();
            return false;
        }
    }
    QByteArray answer;
    while (answer.size() < kReply.size()) {
        if (socket.bytesAvailable() == 0) {
            if (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
                socket.abort();
                return false;
            }
        }
        answer += socket.read(kReply.size() - answer.size());
    }
    socket.disconnectFromServer();
    return answer == kReply;
}

HandoverServer::HandoverServer(QString serverName, QObject* parent)
    : QObject(parent), name_(std::move(serverName)), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &HandoverServer::acceptConnections);
}

HandoverServer::~HandoverServer()
{
    server_->close();
}

bool HandoverServer::listen()
{
    if (server_->isListening()) {
        return true;
    }
    QLocalServer::removeServer(name_);
    return server_->listen(name_);
}

bool HandoverServer::isListening() const
{
    return server_->isListening();
}

void HandoverServer::acceptConnections()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        buffers_.insert(socket, {});
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            buffers_.remove(socket);
            socket->deleteLater();
        });
        // A sender that never finishes its message is dropped.
        QTimer::singleShot(clientTimeoutMs_, socket, [socket] { socket->abort(); });
        readFrom(socket);
    }
}

void HandoverServer::readFrom(QLocalSocket* socket)
{
    auto it = buffers_.find(socket);
    if (it == buffers_.end()) {
        return;
    }
    it->append(socket->read(kHandoverMaxMessage + 1 - it->size()));
    const Parsed parsed = parse(*it);
    if (!parsed.valid || it->size() > kHandoverMaxMessage) {
        buffers_.erase(it);
        socket->abort();
        return;
    }
    if (!parsed.complete) {
        return;
    }
    buffers_.erase(it);
    socket->write(kReply);
    socket->flush();
    socket->disconnectFromServer();
    // The game opens the file from the event loop, not from inside the
    // socket's notification.
    const QString path = parsed.path;
    QMetaObject::invokeMethod(
        this, [this, path] { emit fileReceived(path); }, Qt::QueuedConnection);
}

} // namespace tavrin::app
