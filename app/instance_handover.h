// Handing a puzzle file from a second start of the program to the game that
// is already running, over a local socket private to the user.
//
// The message is "TAVRIN-OPEN\n" + the absolute path in UTF-8 + "\n"; the
// running game answers "OK\n" once it has taken the path. Both sides give up
// after a timeout, so neither ever waits for an unresponsive partner.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace tavrin::app {

inline constexpr int kHandoverTimeoutMs = 3000;
inline constexpr qsizetype kHandoverMaxMessage = 16 * 1024;

// The server name for the user's game: a socket in the user's runtime folder,
// named after the single-instance lock.
QString handoverServerName(const QString& lockPath);

// The bytes a second start sends for `path`.
QByteArray handoverMessage(const QString& path);

// Sends `path` to the running game. True when the game confirmed it; false
// when nothing listens, the game did not answer within `timeoutMs`, or the
// path cannot be sent.
bool handOverFile(const QString& serverName, const QString& path, int timeoutMs = kHandoverTimeoutMs);

// The running game's side: listens while it lives and reports every path
// received, after the sender has been answered.
class HandoverServer : public QObject {
    Q_OBJECT
public:
    explicit HandoverServer(QString serverName, QObject* parent = nullptr);
    ~HandoverServer() override;

    // Starts listening; a socket left behind by a game that is gone is
    // removed first (only the holder of the single-instance lock calls this).
    bool listen();
    bool isListening() const;
    const QString& serverName() const { return name_; }

    // Time a sender gets to deliver its message.
    void setClientTimeout(int ms) { clientTimeoutMs_ = ms; }

signals:
    void fileReceived(const QString& path);

private:
    void acceptConnections();
    void readFrom(QLocalSocket* socket);

    QString name_;
    QLocalServer* server_ = nullptr;
    QHash<QLocalSocket*, QByteArray> buffers_;
    int clientTimeoutMs_ = kHandoverTimeoutMs;
};

} // namespace tavrin::app
