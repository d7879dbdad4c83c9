#include "scoreserver/score_server.h"

#include "scoreserver/http_headers.h"

#include <QDate>
#include <QThread>
#include <QHttpServerRequest>
#include <QTcpServer>
#include <QUrl>

#include <functional>

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

const QString kDailyPrefix = QStringLiteral("/daily/");

QLatin1String latin(std::string_view text) { return QLatin1String(text.data(), static_cast<qsizetype>(text.size())); }

// "/daily/2026-12-09" or "/daily/2026-12-09.json" -> the date; nothing for
// another path or a date that is no real one.
std::optional<ScoreDate> dailyDate(const QString& path, bool& json)
{
    QString rest = path.mid(kDailyPrefix.size());
    json = rest.endsWith(QLatin1String(".json"));
    if (json) {
        rest.chop(5);
    }
    const QDate date = QDate::fromString(rest, Qt::ISODate);
    if (rest.size() != 10 || !date.isValid()) {
        return std::nullopt;
    }
    return ScoreDate{static_cast<std::int16_t>(date.year()), static_cast<std::int16_t>(date.month()),
                     static_cast<std::int16_t>(date.day())};
}

} // namespace

ScoreServer::ScoreServer(const ServerOptions& options, ServerLimits limits, QObject* parent)
    : QAbstractHttpServer(parent), options_(options), limits_(limits), limiter_(options.registrationsPerMinute),
      site_(options.siteFolder), reader_(options.database, QStringLiteral("reader")),
      rankings_(reader_, clock_, RankingTimes{limits.rankingCacheMs, limits.rankingRefreshMs}, options.verifiedOnly,
                site_.present())
{
    // SQLite takes one writer at a time; PostgreSQL commits several batches
    // at once, so one batch's wait for the disk does not hold up the next.
    const int writers = options.database.kind == DatabaseTarget::Kind::Postgres ? limits_.postgresWriters : 1;
    for (int i = 0; i < std::max(1, writers); ++i) {
        writers_.push_back(std::make_unique<StoreWorker>(options.database, i));
    }
    inFlight_.resize(writers_.size());
    const int replays = limits_.verifierThreads > 0 ? limits_.verifierThreads
                                                    : RecordVerifier::threadsFor(QThread::idealThreadCount());
    verifier_ = std::make_unique<RecordVerifier>(replays, static_cast<std::size_t>(limits_.maxWaitingRecords));
    clock_.start();
    sweep_.setInterval(1000);
    QObject::connect(&sweep_, &QTimer::timeout, this, &ScoreServer::sweepConnections);
    QObject::connect(&resume_, &QTimer::timeout, this, &ScoreServer::resumeReading);
}

ScoreServer::~ScoreServer()
{
    verifier_.reset(); // replays under way finish, their answers are dropped
    writers_.clear();  // each finishes the batch it is storing
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

bool ScoreServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const auto found = connections_.find(socket);
    if (found == connections_.end() || found->refused) {
        return true;
    }
    found->requestBytes = 0;
    found->requestStartMs = -1;
    found->lastActivityMs = clock_.elapsed();
    // What is still buffered belongs to requests after this one.
    found->leftover = socket->bytesAvailable();
    const bool close = headerValue(request, "connection").compare("close", Qt::CaseInsensitive) == 0;

    Routed routed = route(request, socket);
    routed.reply.headersOnly = request.method() == QHttpServerRequest::Method::Head;
    if (routed.entry || routed.replay) {
        queue(Pending{socket, makeResponder(request, socket), close, std::move(routed.entry), std::move(routed.replay),
                      {}, 0});
    } else {
        answer(request, socket, std::move(routed.reply), close);
    }
    return true;
}

void ScoreServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    answer(request, socket, message(Status::NotFound, QStringLiteral("見つかりません"),
                                    QStringLiteral("このページはありません。")),
           false);
}

ScoreServer::Routed ScoreServer::route(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const QString path = request.url().path();
    // HEAD is answered as GET, without the body.
    const bool get = request.method() == QHttpServerRequest::Method::Get ||
                     request.method() == QHttpServerRequest::Method::Head;
    const bool post = request.method() == QHttpServerRequest::Method::Post;
    auto notAllowed = [](const char* allow) {
        Reply reply = message(Status::MethodNotAllowed, QStringLiteral("利用できません"),
                              QStringLiteral("このページはこの方法では利用できません。"));
        reply.headers.push_back({QByteArrayLiteral("Allow"), QByteArray(allow)});
        return Routed{std::move(reply), {}, {}};
    };
    auto reply = [](Reply r) { return Routed{std::move(r), {}, {}}; };
    if (path == latin(kRegistrationPath)) {
        return post ? registration(request, socket) : notAllowed("POST");
    }
    if (path == latin(kRecordRegistrationPath)) {
        return post ? recordRegistration(request, socket) : notAllowed("POST");
    }
    if (!get) {
        return notAllowed("GET, HEAD");
    }
    if (path == QLatin1String("/")) {
        return reply(indexReply());
    }
    if (site_.present() && (path == QLatin1String("/play") || path.startsWith(kSitePrefix))) {
        return reply(siteReply(request, path));
    }
    if (path == QLatin1String("/daily")) {
        Reply moved = message(Status::Found, QStringLiteral("移動しました"), QStringLiteral("今日の一局のランキングへ。"));
        moved.headers.push_back({QByteArrayLiteral("Location"), (kDailyPrefix + isoDate(serverToday())).toUtf8()});
        return reply(std::move(moved));
    }
    bool json = false;
    if (path.startsWith(kDailyPrefix)) {
        if (const auto date = dailyDate(path, json)) {
            return reply(rankingReply(rankings_.daily(*date), json));
        }
    }
    for (int gameType = 3; gameType <= 5; ++gameType) {
        const QString base = QStringLiteral("/ranking/%1").arg(gameType);
        if (path == base || path == base + QStringLiteral(".json")) {
            return reply(rankingReply(rankings_.ranking(gameType), path != base));
        }
    }
    return reply(message(Status::NotFound, QStringLiteral("見つかりません"), QStringLiteral("このページはありません。")));
}

QHostAddress ScoreServer::clientAddress(const QHttpServerRequest& request, QTcpSocket* socket) const
{
    const QHostAddress peer = socket->peerAddress();
    if (options_.trustedProxy && peer.isEqual(*options_.trustedProxy, QHostAddress::TolerantConversion)) {
        // A client may send X-Forwarded-For lines of its own before the
        // proxy adds its line: only the last address of them all is sure.
        if (const auto client = lastForwardedAddress(joinedHeader(request, "x-forwarded-for"))) {
            return *client;
        }
    }
    return peer;
}

ScoreServer::Reply ScoreServer::rankingReply(const RenderedRanking* ranking, bool json)
{
    if (!ranking) {
        return message(Status::ServiceUnavailable, QStringLiteral("表示できません"),
                       QStringLiteral("ランキングを読み込めませんでした。しばらくしてからもう一度お試しください。"));
    }
    Reply reply{Status::Ok, json ? kJson : kHtml, json ? ranking->json : ranking->html, {}, {}};
    if (json) {
        reply.headers.push_back({QByteArrayLiteral("Access-Control-Allow-Origin"), QByteArrayLiteral("*")});
    }
    return reply;
}

ScoreServer::Reply ScoreServer::indexReply()
{
    const QByteArray* index = rankings_.index(serverToday());
    return index ? page(Status::Ok, *index) : rankingReply(nullptr, false);
}

ScoreServer::Reply ScoreServer::siteReply(const QHttpServerRequest& request, const QString& path)
{
    if (!path.startsWith(kSitePrefix)) {
        Reply reply = message(Status::MovedPermanently, QStringLiteral("移動しました"),
                              QStringLiteral("ゲームは /play/ にあります。"));
        reply.headers.push_back({QByteArrayLiteral("Location"), kSitePrefix.toUtf8()});
        return reply;
    }
    std::optional<SiteFile> file =
        site_.read(path.mid(kSitePrefix.size()), acceptsGzip(joinedHeader(request, "accept-encoding")));
    if (!file) {
        return message(Status::NotFound, QStringLiteral("見つかりません"), QStringLiteral("このページはありません。"));
    }
    Reply reply{Status::Ok, file->contentType, std::move(file->body), {}, kGamePolicy};
    reply.headers.push_back({QByteArrayLiteral("ETag"), file->etag});
    reply.headers.push_back({QByteArrayLiteral("Vary"), QByteArrayLiteral("Accept-Encoding")});
    if (file->gzip) {
        reply.headers.push_back({QByteArrayLiteral("Content-Encoding"), QByteArrayLiteral("gzip")});
    }
    if (etagMatches(joinedHeader(request, "if-none-match"), file->etag)) {
        reply.status = Status::NotModified;
        reply.body.clear();
    }
    return reply;
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
    responder.writeBody(reply.headersOnly ? QByteArray() : reply.body);
    if (close) {
        socket->disconnectFromHost();
    } else {
        limitReading(socket);
    }
}

ScoreServer::Reply ScoreServer::page(Status status, const QByteArray& html)
{
    return Reply{status, kHtml, html, {}, {}};
}

ScoreServer::Reply ScoreServer::message(Status status, const QString& title, const QString& text)
{
    return page(status, messagePage(title, text));
}

ScoreServer::Reply ScoreServer::json(Status status, const QByteArray& body)
{
    return Reply{status, kJson, body, {}, {}};
}

} // namespace tavrin
