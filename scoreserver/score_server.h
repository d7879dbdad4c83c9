// The score server: registrations posted by the game's pages and by the game
// itself with its record, and the rankings, over HTTP (Qt HTTP Server).
#pragma once

#include "scoreserver/ranking_cache.h"
#include "scoreserver/rate_limiter.h"
#include "scoreserver/record_registration.h"
#include "scoreserver/record_verifier.h"
#include "scoreserver/score_store.h"
#include "scoreserver/server_options.h"
#include "scoreserver/site_files.h"
#include "scoreserver/store_worker.h"

#include <QAbstractHttpServer>
#include <QElapsedTimer>
#include <QHash>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

class QTcpServer;

namespace tavrin {

// Limits on what one client may cost the server.
struct ServerLimits {
    int maxConnections = 1000;      // further connections are closed at once
    int maxConnectionsPerAddress = 32; // from one address (IPv6: one /64), the trusted proxy aside
    qint64 maxRequestBytes = 16384; // request line, headers and body together
    int requestTimeoutMs = 10000;   // a started request must be complete by then (else 408)
    int idleTimeoutMs = 5000;       // a connection that sends and takes nothing for this long is closed
    qint64 maxUnsentBytes = 256 * 1024; // answers not yet taken by the client: reading stops above
    int maxQueuedAnswers = 32;      // answers waiting behind a registration: reading stops above
    int maxBatch = 256;             // registrations stored in one transaction at most
    int postgresWriters = 4;        // batches stored at once on PostgreSQL (SQLite: one)
    int rankingCacheMs = 1000;      // rankings are read again at least this often (other servers' entries)
    int rankingRefreshMs = 100;     // and at most this often after own registrations
    int verifierThreads = 0;        // records replayed at once; 0: all cores but one
    int maxWaitingRecords = 4096;   // records waiting for their replay: further ones get 503
};

class ScoreServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    explicit ScoreServer(const ServerOptions& options, ServerLimits limits = {}, QObject* parent = nullptr);
    ~ScoreServer() override;

    // Opens the database (creating the schema) and listens on the options'
    // address; the port actually bound (when 0 was asked) is port().
    bool start(QString& error);
    quint16 port() const;

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    struct Reply {
        QHttpServerResponder::StatusCode status = QHttpServerResponder::StatusCode::Ok;
        QByteArray contentType;
        QByteArray body;
        std::vector<std::pair<QByteArray, QByteArray>> headers;
        QByteArray policy; // Content-Security-Policy; the strict one of the server's own pages when empty
        bool headersOnly = false; // HEAD: the headers of the answer, its length, no body
    };
    // A record being replayed off this thread; its answer waits in order.
    struct Replay {
        bool done = false;
        std::optional<NewEntry> entry; // when it proved the registration
        Reply refusal;                 // when it did not
    };
    // What a request asks of the server: an answer now, an entry to store,
    // or a record to replay first.
    struct Routed {
        Reply reply;
        std::optional<NewEntry> entry;
        std::shared_ptr<Replay> replay;
    };
    // An answer waiting for the registrations before it to be stored, so
    // that every connection gets its answers in order.
    struct Pending {
        QPointer<QTcpSocket> socket;
        QHttpServerResponder responder;
        bool close = false;
        std::optional<NewEntry> registration;
        std::shared_ptr<Replay> replay;
        Reply reply;
        qint64 queuedBytes = 0; // what it adds to its connection's queuedBytes
    };
    struct Connection {
        QString address; // the per-address key (RateLimiter::keyOf)
        qint64 requestBytes = 0;
        qint64 requestStartMs = -1;
        qint64 lastActivityMs = 0;
        qint64 leftover = 0;    // bytes of later requests still buffered when one was taken
        qint64 unsentSeen = 0;  // bytes waiting to be sent at the last look
        qint64 queuedBytes = 0; // bodies of the queued answers
        int pending = 0;  // answers queued or being stored
        int inFlight = 0; // of those, the ones in a batch being stored
        bool refused = false;
        bool paused = false; // not read while its answers wait to be taken
    };

    // server_connections.cpp
    QTcpSocket* acceptConnection(qintptr descriptor);
    void forgetConnection(QTcpSocket* socket);
    void bytesArrived(QTcpSocket* socket);
    void refuseWith(QTcpSocket* socket, const QByteArray& statusLine, const QString& text);
    void sweepConnections();
    // Stops reading a connection whose unsent answers are over the limits
    // while it sends more (`arriving`: new bytes are in).
    void limitReading(QTcpSocket* socket, bool arriving = false);
    void resumeReading();

    // server_registrations.cpp
    Routed registration(const QHttpServerRequest& request, QTcpSocket* socket);
    Routed recordRegistration(const QHttpServerRequest& request, QTcpSocket* socket);
    std::optional<Reply> overLimit(const QHttpServerRequest& request, QTcpSocket* socket, bool json);
    void answer(const QHttpServerRequest& request, QTcpSocket* socket, Reply reply, bool close);
    void queue(Pending pending);
    void scheduleDispatch();
    void dispatch();
    void batchStored(std::size_t writer, StoredBatch batch);
    Reply storedReply(const NewEntry& entry, const RegistrationOutcome& outcome);
    void send(QHttpServerResponder& responder, QTcpSocket* socket, const Reply& reply, bool close);

    // score_server.cpp
    Routed route(const QHttpServerRequest& request, QTcpSocket* socket);
    Reply rankingReply(const RenderedRanking* ranking, bool json);
    Reply indexReply();
    Reply siteReply(const QHttpServerRequest& request, const QString& path);
    QHostAddress clientAddress(const QHttpServerRequest& request, QTcpSocket* socket) const;
    static Reply page(QHttpServerResponder::StatusCode status, const QByteArray& html);
    static Reply message(QHttpServerResponder::StatusCode status, const QString& title, const QString& text);
    static Reply json(QHttpServerResponder::StatusCode status, const QByteArray& body);

    ServerOptions options_;
    ServerLimits limits_;
    RateLimiter limiter_;
    QTcpServer* tcp_ = nullptr;
    QElapsedTimer clock_;
    QTimer sweep_;
    QTimer resume_; // runs while a connection is not read
    QHash<QTcpSocket*, Connection> connections_;
    QHash<QString, int> perAddress_; // open connections by address key
    std::deque<Pending> pending_;  // waiting for the next batch
    std::vector<std::deque<Pending>> inFlight_; // per writer: answers of the batch it stores
    bool dispatchScheduled_ = false;
    SiteFiles site_;
    ScoreStore reader_; // rankings changed by other servers sharing the database
    RankingCache rankings_;
    std::vector<std::unique_ptr<StoreWorker>> writers_;
    // Last, so that it is gone (its threads joined) before anything it calls back.
    std::unique_ptr<RecordVerifier> verifier_;
};

} // namespace tavrin
