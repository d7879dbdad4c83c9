#include "scoreserver/score_server.h"

#include <QDate>
#include <QHttpServerRequest>
#include <QTcpServer>
#include <QUrl>

#include <functional>
#include <set>

namespace tavrin {

namespace {

using Status = QHttpServerResponder::StatusCode;

const QByteArray kHtml = QByteArrayLiteral("text/html; charset=utf-8");
const QByteArray kJson = QByteArrayLiteral("application/json; charset=utf-8");
const QByteArray kPagePolicy = QByteArrayLiteral("default-src 'none'; style-src 'unsafe-inline'");
// The game's page: its own script, WebAssembly, pictures and sounds, its
// service worker and manifest, and posts to this server alone. Only the page
// itself may frame its files (it shows its help pages in a frame).
const QByteArray kGamePolicy = QByteArrayLiteral(
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self' 'unsafe-inline'; "
    "img-src 'self' data: blob:; media-src 'self' blob:; connect-src 'self'; worker-src 'self'; "
    "manifest-src 'self'; frame-src 'self'; form-action 'self'; base-uri 'none'; frame-ancestors 'self'");
const QString kSitePrefix = QStringLiteral("/play/");

// Hands each accepted connection to the server first, so that it can count
// the bytes of a request before Qt HTTP Server buffers them.
class GuardedTcpServer : public QTcpServer {
public:
    GuardedTcpServer(std::function<QTcpSocket*(qintptr)> accept, QObject* parent)
        : QTcpServer(parent), accept_(std::move(accept))
    {
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        if (QTcpSocket* socket = accept_(descriptor)) {
            addPendingConnection(socket);
        }
    }

private:
    std::function<QTcpSocket*(qintptr)> accept_;
};

QByteArray headerValue(const QHttpServerRequest& request, const QByteArray& name)
{
    for (const auto& [key, value] : request.headers()) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            return value.trimmed();
        }
    }
    return {};
}

ScoreDate today()
{
    const QDate date = QDate::currentDate();
    return {static_cast<std::int16_t>(date.year()), static_cast<std::int16_t>(date.month()),
            static_cast<std::int16_t>(date.day())};
}

Status statusOf(RegistrationError error)
{
    switch (error) {
    case RegistrationError::TooLarge: return Status::PayloadTooLarge;
    case RegistrationError::WrongCode: return Status::Forbidden;
    default: return Status::BadRequest;
    }
}

} // namespace

ScoreServer::ScoreServer(const ServerOptions& options, ServerLimits limits, QObject* parent)
    : QAbstractHttpServer(parent), options_(options), limits_(limits), limiter_(options.registrationsPerMinute),
      site_(options.siteFolder), reader_(options.database, QStringLiteral("reader"))
{
    // SQLite takes one writer at a time; PostgreSQL commits several batches
    // at once, so one batch's wait for the disk does not hold up the next.
    const int writers = options.database.kind == DatabaseTarget::Kind::Postgres ? limits_.postgresWriters : 1;
    for (int i = 0; i < std::max(1, writers); ++i) {
        writers_.push_back(std::make_unique<StoreWorker>(options.database, i));
    }
    inFlight_.resize(writers_.size());
    clock_.start();
    sweep_.setInterval(1000);
    QObject::connect(&sweep_, &QTimer::timeout, this, &ScoreServer::sweepConnections);
}

ScoreServer::~ScoreServer()
{
    writers_.clear(); // each finishes the batch it is storing
    pending_.clear();
    inFlight_.clear();
}

bool ScoreServer::start(QString& error)
{
    bool opened = reader_.open(error);
    for (const auto& writer : writers_) {
        opened = opened && writer->start(error);
    }
    if (!opened) {
        error = QStringLiteral("cannot open the database: ") + error;
        return false;
    }
    auto* tcp = new GuardedTcpServer([this](qintptr descriptor) { return acceptConnection(descriptor); }, this);
    if (!tcp->listen(options_.address, options_.port)) {
        error = QStringLiteral("cannot listen on %1:%2: %3")
                    .arg(options_.address.toString())
                    .arg(options_.port)
                    .arg(tcp->errorString());
        delete tcp;
        return false;
    }
    tcp_ = tcp;
    bind(tcp_);
    sweep_.start();
    return true;
}

quint16 ScoreServer::port() const
{
    return tcp_ ? tcp_->serverPort() : 0;
}

QTcpSocket* ScoreServer::acceptConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return nullptr;
    }
    if (connections_.size() >= limits_.maxConnections) {
        socket->abort();
        delete socket;
        return nullptr;
    }
    // Qt stops reading a connection whose buffer is full; the request limit
    // refuses it before that.
    socket->setReadBufferSize(limits_.maxRequestBytes * 2);
    Connection& connection = connections_[socket];
    connection.lastActivityMs = clock_.elapsed();
    // Connected before Qt HTTP Server's own reader, so this runs first.
    QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] { bytesArrived(socket); });
    QObject::connect(socket, &QObject::destroyed, this, [this, socket] { connections_.remove(socket); });
    return socket;
}

void ScoreServer::bytesArrived(QTcpSocket* socket)
{
    const auto found = connections_.find(socket);
    if (found == connections_.end() || found->refused) {
        return;
    }
    const qint64 now = clock_.elapsed();
    found->lastActivityMs = now;
    if (found->requestStartMs < 0) {
        found->requestStartMs = now;
    }
    // Everything seen before has been taken by the request reader, so what
    // is available now is new.
    found->requestBytes += socket->bytesAvailable();
    if (found->requestBytes > limits_.maxRequestBytes) {
        refuseOversized(socket);
    }
}

void ScoreServer::refuseOversized(QTcpSocket* socket)
{
    connections_[socket].refused = true;
    const QByteArray body = messagePage(QStringLiteral("送信できませんでした"),
                                        QStringLiteral("送信されたデータが大きすぎます。"));
    socket->write(QByteArrayLiteral("HTTP/1.1 413 Payload Too Large\r\nContent-Type: ") + kHtml +
                  QByteArrayLiteral("\r\nConnection: close\r\nContent-Length: ") + QByteArray::number(body.size()) +
                  QByteArrayLiteral("\r\n\r\n") + body);
    socket->disconnectFromHost();
}

void ScoreServer::sweepConnections()
{
    const qint64 now = clock_.elapsed();
    std::vector<QTcpSocket*> stale;
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
        const Connection& connection = it.value();
        if (connection.pending > 0) {
            continue;
        }
        const bool slow = connection.requestStartMs >= 0 && now - connection.requestStartMs > limits_.requestTimeoutMs;
        const bool idle = now - connection.lastActivityMs > limits_.idleTimeoutMs;
        if (slow || idle || connection.refused) {
            stale.push_back(it.key());
        }
    }
    for (QTcpSocket* socket : stale) {
        // A refused connection gets a moment to take its answer.
        if (connections_[socket].refused && now - connections_[socket].lastActivityMs < 2000) {
            continue;
        }
        connections_.remove(socket);
        socket->abort();
        socket->deleteLater();
    }
}

bool ScoreServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const auto found = connections_.find(socket);
    if (found == connections_.end() || found->refused) {
        return true;
    }
    found->requestBytes = 0;
    found->requestStartMs = -1;
    found->lastActivityMs = clock_.elapsed();
    const bool close = headerValue(request, "connection").compare("close", Qt::CaseInsensitive) == 0;

    std::optional<Registration> entry;
    Reply reply = route(request, socket, entry);
    if (entry) {
        queue(Pending{socket, makeResponder(request, socket), close, std::move(entry), {}});
    } else {
        answer(request, socket, std::move(reply), close);
    }
    return true;
}

void ScoreServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    answer(request, socket, message(Status::NotFound, QStringLiteral("見つかりません"),
                                    QStringLiteral("このページはありません。")),
           false);
}

ScoreServer::Reply ScoreServer::route(const QHttpServerRequest& request, QTcpSocket* socket,
                                      std::optional<Registration>& entry)
{
    const QString path = request.url().path();
    const bool get = request.method() == QHttpServerRequest::Method::Get;
    auto notAllowed = [](const char* allow) {
        Reply reply = message(Status::MethodNotAllowed, QStringLiteral("利用できません"),
                              QStringLiteral("このページはこの方法では利用できません。"));
        reply.headers.push_back({QByteArrayLiteral("Allow"), QByteArray(allow)});
        return reply;
    };
    if (path == QLatin1String(kRegistrationPath.data(), static_cast<qsizetype>(kRegistrationPath.size()))) {
        if (request.method() != QHttpServerRequest::Method::Post) {
            return notAllowed("POST");
        }
        return registration(request, socket, entry);
    }
    if (path == QLatin1String("/")) {
        return get ? indexReply() : notAllowed("GET");
    }
    if (site_.present() && (path == QLatin1String("/play") || path.startsWith(kSitePrefix))) {
        return get ? siteReply(request, path) : notAllowed("GET");
    }
    for (int gameType = 3; gameType <= 5; ++gameType) {
        const QString base = QStringLiteral("/ranking/%1").arg(gameType);
        if (path == base || path == base + QStringLiteral(".json")) {
            return get ? rankingReply(gameType, path != base) : notAllowed("GET");
        }
    }
    return message(Status::NotFound, QStringLiteral("見つかりません"), QStringLiteral("このページはありません。"));
}

QHostAddress ScoreServer::clientAddress(const QHttpServerRequest& request, QTcpSocket* socket) const
{
    const QHostAddress peer = socket->peerAddress();
    if (options_.trustedProxy && peer.isEqual(*options_.trustedProxy, QHostAddress::TolerantConversion)) {
        const QByteArray forwarded = headerValue(request, "x-forwarded-for");
        QHostAddress client;
        if (client.setAddress(QString::fromLatin1(forwarded.mid(forwarded.lastIndexOf(',') + 1).trimmed()))) {
            return client;
        }
    }
    return peer;
}

ScoreServer::Reply ScoreServer::registration(const QHttpServerRequest& request, QTcpSocket* socket,
                                             std::optional<Registration>& entry)
{
    int retryAfter = 0;
    if (!limiter_.allow(clientAddress(request, socket), clock_.elapsed(), retryAfter)) {
        Reply reply = message(Status::TooManyRequests, QStringLiteral("登録できませんでした"),
                              QStringLiteral("登録の回数が多すぎます。%1秒ほど待ってからもう一度お試しください。")
                                  .arg(retryAfter));
        reply.headers.push_back({QByteArrayLiteral("Retry-After"), QByteArray::number(retryAfter)});
        return reply;
    }
    QByteArray type = headerValue(request, "content-type");
    if (const qsizetype semicolon = type.indexOf(';'); semicolon >= 0) {
        type.truncate(semicolon);
    }
    if (type.trimmed().compare("application/x-www-form-urlencoded", Qt::CaseInsensitive) !=
        0) {
        return message(Status::UnsupportedMediaType, QStringLiteral("登録できませんでした"),
                       QStringLiteral("登録ページのフォームから送信してください。"));
    }
    const QByteArray body = request.body();
    RegistrationCheck check = checkRegistration(std::string_view(body.constData(), static_cast<std::size_t>(body.size())),
                                                today());
    if (check.error != RegistrationError::None) {
        return message(statusOf(check.error), QStringLiteral("登録できませんでした"),
                       QString::fromStdString(registrationErrorText(check)));
    }
    entry = std::move(check.entry);
    return {};
}

const ScoreServer::CachedRanking* ScoreServer::freshRanking(int gameType)
{
    CachedRanking& cached = rankings_[gameType];
    if (cached.readMs >= 0 && clock_.elapsed() < cached.expiresMs) {
        return &cached;
    }
    QString error;
    auto entries = reader_.ranking(gameType, kRankingLength, error);
    if (!entries) {
        qWarning("tavrin-scores: reading ranking %d failed: %s", gameType, qPrintable(error));
        return cached.readMs >= 0 ? &cached : nullptr; // an older list beats none
    }
    useRanking(gameType, renderRanking(gameType, std::move(*entries), site_.present()));
    return &cached;
}

void ScoreServer::useRanking(int gameType, RenderedRanking ranking)
{
    CachedRanking& cached = rankings_[gameType];
    if (cached.readMs < 0 || ranking.entries.size() != cached.ranking.entries.size() ||
        ranking.html != cached.ranking.html) {
        indexHtml_.clear();
    }
    cached.ranking = std::move(ranking);
    cached.readMs = clock_.elapsed();
    cached.expiresMs = cached.readMs + limits_.rankingCacheMs;
}

ScoreServer::Reply ScoreServer::rankingReply(int gameType, bool json)
{
    const CachedRanking* ranking = freshRanking(gameType);
    if (!ranking) {
        return message(Status::ServiceUnavailable, QStringLiteral("表示できません"),
                       QStringLiteral("ランキングを読み込めませんでした。しばらくしてからもう一度お試しください。"));
    }
    Reply reply{Status::Ok, json ? kJson : kHtml, json ? ranking->ranking.json : ranking->ranking.html, {}, {}};
    if (json) {
        reply.headers.push_back({QByteArrayLiteral("Access-Control-Allow-Origin"), QByteArrayLiteral("*")});
    }
    return reply;
}

ScoreServer::Reply ScoreServer::indexReply()
{
    for (int gameType = 3; gameType <= 5; ++gameType) {
        if (!freshRanking(gameType)) {
            return rankingReply(gameType, false);
        }
    }
    if (indexHtml_.isEmpty()) {
        Rankings rankings;
        for (const auto& [gameType, cached] : rankings_) {
            rankings[gameType] = cached.ranking.entries;
        }
        indexHtml_ = indexPage(rankings, site_.present());
    }
    return page(Status::Ok, indexHtml_);
}

ScoreServer::Reply ScoreServer::siteReply(const QHttpServerRequest& request, const QString& path)
{
    if (!path.startsWith(kSitePrefix)) {
        Reply reply = message(Status::MovedPermanently, QStringLiteral("移動しました"),
                              QStringLiteral("ゲームは /play/ にあります。"));
        reply.headers.push_back({QByteArrayLiteral("Location"), kSitePrefix.toUtf8()});
        return reply;
    }
    const bool acceptsGzip = headerValue(request, "accept-encoding").toLower().contains("gzip");
    std::optional<SiteFile> file = site_.read(path.mid(kSitePrefix.size()), acceptsGzip);
    if (!file) {
        return message(Status::NotFound, QStringLiteral("見つかりません"), QStringLiteral("このページはありません。"));
    }
    Reply reply{Status::Ok, file->contentType, std::move(file->body), {}, kGamePolicy};
    reply.headers.push_back({QByteArrayLiteral("ETag"), file->etag});
    reply.headers.push_back({QByteArrayLiteral("Vary"), QByteArrayLiteral("Accept-Encoding")});
    if (file->gzip) {
        reply.headers.push_back({QByteArrayLiteral("Content-Encoding"), QByteArrayLiteral("gzip")});
    }
    if (headerValue(request, "if-none-match") == file->etag) {
        reply.status = Status::NotModified;
        reply.body.clear();
    }
    return reply;
}

ScoreServer::Reply ScoreServer::page(Status status, const QByteArray& html)
{
    return Reply{status, kHtml, html, {}, {}};
}

ScoreServer::Reply ScoreServer::message(Status status, const QString& title, const QString& text)
{
    return page(status, messagePage(title, text));
}

void ScoreServer::send(QHttpServerResponder& responder, QTcpSocket* socket, const Reply& reply, bool close)
{
    if (!socket || socket->state() != QAbstractSocket::ConnectedState) {
        return;
    }
    responder.writeStatusLine(reply.status);
    responder.writeHeader(QByteArrayLiteral("Content-Type"), reply.contentType);
    responder.writeHeader(QByteArrayLiteral("Content-Length"), QByteArray::number(reply.body.size()));
    responder.writeHeader(QByteArrayLiteral("X-Content-Type-Options"), QByteArrayLiteral("nosniff"));
    responder.writeHeader(QByteArrayLiteral("Content-Security-Policy"),
                          reply.policy.isEmpty() ? kPagePolicy : reply.policy);
    responder.writeHeader(QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache"));
    for (const auto& [key, value] : reply.headers) {
        responder.writeHeader(key, value);
    }
    if (close) {
        responder.writeHeader(QByteArrayLiteral("Connection"), QByteArrayLiteral("close"));
    }
    responder.writeBody(reply.body);
    if (close) {
        socket->disconnectFromHost();
    }
}

void ScoreServer::answer(const QHttpServerRequest& request, QTcpSocket* socket, Reply reply, bool close)
{
    const auto found = connections_.find(socket);
    if (found != connections_.end() && found->pending > 0) {
        queue(Pending{socket, makeResponder(request, socket), close, std::nullopt, std::move(reply)});
        return;
    }
    QHttpServerResponder responder = makeResponder(request, socket);
    send(responder, socket, reply, close);
}

void ScoreServer::queue(Pending pending)
{
    ++connections_[pending.socket.data()].pending;
    pending_.push_back(std::move(pending));
    if (!dispatchScheduled_) {
        // Everything that arrives before the event loop comes round again
        // (and while a batch is being stored) goes into the same transaction.
        dispatchScheduled_ = true;
        QTimer::singleShot(0, this, [this] {
            dispatchScheduled_ = false;
            dispatch();
        });
    }
}

void ScoreServer::dispatch()
{
    for (std::size_t writer = 0; writer < writers_.size() && !pending_.empty(); ++writer) {
        if (!inFlight_[writer].empty()) {
            continue;
        }
        // A connection's answers go out in order: while one of its requests
        // is in a batch being stored, its later ones wait for the next batch.
        std::vector<Registration> entries;
        std::deque<Pending> batch;
        std::deque<Pending> waiting;
        std::set<QTcpSocket*> held;
        while (!pending_.empty()) {
            Pending pending = std::move(pending_.front());
            pending_.pop_front();
            QTcpSocket* socket = pending.socket.data();
            const auto found = connections_.find(socket);
            const bool busy = found != connections_.end() && found->inFlight > 0;
            if (busy || held.count(socket) || static_cast<int>(entries.size()) >= limits_.maxBatch) {
                held.insert(socket);
                waiting.push_back(std::move(pending));
                continue;
            }
            if (pending.registration) {
                entries.push_back(*pending.registration);
            }
            batch.push_back(std::move(pending));
        }
        pending_ = std::move(waiting);
        if (batch.empty()) {
            return;
        }
        for (const Pending& pending : batch) {
            if (const auto found = connections_.find(pending.socket.data()); found != connections_.end()) {
                ++found->inFlight;
            }
        }
        inFlight_[writer] = std::move(batch);
        if (entries.empty()) {
            batchStored(writer, StoredBatch{std::vector<RegistrationOutcome>{}, {}});
            return;
        }
        writers_[writer]->submit(std::move(entries), this,
                                 [this, writer](StoredBatch stored) { batchStored(writer, std::move(stored)); });
    }
}

void ScoreServer::batchStored(std::size_t writer, StoredBatch batch)
{
    if (!batch.outcomes) {
        qWarning("tavrin-scores: storing registrations failed: %s", qPrintable(batch.error));
    }
    std::size_t next = 0;
    std::deque<Pending> done;
    done.swap(inFlight_[writer]);
    for (Pending& pending : done) {
        if (pending.registration) {
            if (batch.outcomes && next < batch.outcomes->size()) {
                const RegistrationOutcome& outcome = (*batch.outcomes)[next];
                if (outcome.added) {
                    // Read again soon, but not for every batch.
                    CachedRanking& cached = rankings_[pending.registration->gameType];
                    cached.expiresMs = std::min(cached.expiresMs, std::max(clock_.elapsed(),
                                                                           cached.readMs + limits_.rankingRefreshMs));
                }
                pending.reply = page(Status::Ok, registeredPage(*pending.registration, outcome));
            } else {
                pending.reply = message(Status::ServiceUnavailable, QStringLiteral("登録できませんでした"),
                                        QStringLiteral("ただいま登録を受け付けられません。しばらくしてからもう一度お試しください。"));
            }
            ++next;
        }
        QTcpSocket* socket = pending.socket.data();
        if (!socket) {
            continue; // the client left; a stored entry stays stored
        }
        const auto found = connections_.find(socket);
        if (found != connections_.end()) {
            --found->pending;
            --found->inFlight;
        }
        send(pending.responder, socket, pending.reply, pending.close);
    }
    dispatch();
}

} // namespace tavrin
