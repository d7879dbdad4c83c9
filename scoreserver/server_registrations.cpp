// Registrations: checked on arrival, a record replayed off this thread,
// stored in batches by the writers, and every connection's answers sent in
// the order its requests came.
#include "scoreserver/score_server.h"

#include "scoreserver/http_headers.h"

#include <set>

namespace tavrin {

namespace {

using Status = QHttpServerResponder::StatusCode;

Status statusOf(RegistrationError error)
{
    switch (error) {
    case RegistrationError::TooLarge: return Status::PayloadTooLarge;
    case RegistrationError::WrongCode: return Status::Forbidden;
    default: return Status::BadRequest;
    }
}

QByteArray mediaType(const QHttpServerRequest& request)
{
    QByteArray type = headerValue(request, "content-type");
    if (const qsizetype semicolon = type.indexOf(';'); semicolon >= 0) {
        type.truncate(semicolon);
    }
    return type.trimmed().toLower();
}

} // namespace

std::optional<ScoreServer::Reply> ScoreServer::overLimit(const QHttpServerRequest& request, QTcpSocket* socket,
                                                         bool asJson)
{
    int retryAfter = 0;
    if (limiter_.allow(clientAddress(request, socket), clock_.elapsed(), retryAfter)) {
        return std::nullopt;
    }
    const QString text =
        QStringLiteral("登録の回数が多すぎます。%1秒ほど待ってからもう一度お試しください。").arg(retryAfter);
    Reply reply = asJson ? json(Status::TooManyRequests, refusalJson(QStringLiteral("too-many"), text))
                         : message(Status::TooManyRequests, QStringLiteral("登録できませんでした"), text);
    reply.headers.push_back({QByteArrayLiteral("Retry-After"), QByteArray::number(retryAfter)});
    return reply;
}

ScoreServer::Routed ScoreServer::registration(const QHttpServerRequest& request, QTcpSocket* socket)
{
    if (auto refused = overLimit(request, socket, false)) {
        return Routed{std::move(*refused), {}, {}};
    }
    if (mediaType(request) != "application/x-www-form-urlencoded") {
        return Routed{message(Status::UnsupportedMediaType, QStringLiteral("登録できませんでした"),
                              QStringLiteral("登録ページのフォームから送信してください。")),
                      {}, {}};
    }
    const QByteArray body = request.body();
    RegistrationCheck check =
        checkRegistration(std::string_view(body.constData(), static_cast<std::size_t>(body.size())), serverToday());
    if (check.error != RegistrationError::None) {
        return Routed{message(statusOf(check.error), QStringLiteral("登録できませんでした"),
                              QString::fromStdString(registrationErrorText(check))),
                      {}, {}};
    }
    return Routed{{}, NewEntry{EntryKind::Form, std::move(check.entry), {}}, {}};
}

ScoreServer::Routed ScoreServer::recordRegistration(const QHttpServerRequest& request, QTcpSocket* socket)
{
    if (auto refused = overLimit(request, socket, true)) {
        return Routed{std::move(*refused), {}, {}};
    }
    if (mediaType(request) != "application/json") {
        return Routed{json(Status::UnsupportedMediaType,
                           refusalJson(QStringLiteral("bad-request"),
                                       QStringLiteral("登録は application/json で送信してください。"))),
                      {}, {}};
    }
    RecordRegistrationCheck check = checkRecordRegistration(request.body(), serverToday());
    if (!check.registration) {
        return Routed{json(static_cast<Status>(check.status), refusalJson(check.error, check.message)), {}, {}};
    }
    auto replay = std::make_shared<Replay>();
    RecordRegistration registration = std::move(*check.registration);
    const int claimed = registration.fields.score;
    NewEntry entry{registration.record.daily ? EntryKind::Daily : EntryKind::Verified, std::move(registration.fields),
                   std::move(registration.recordText)};
    const bool accepted = verifier_->submit(
        std::move(registration.record), claimed, this,
        [this, replay, entry = std::move(entry), claimed](game::Verification result) mutable {
            replay->done = true;
            if (result.finished()) {
                replay->entry = std::move(entry);
            } else {
                replay->refusal = json(Status::UnprocessableEntity,
                                       refusalJson(QStringLiteral("not-verified"), verdictMessage(result, claimed)));
            }
            scheduleDispatch();
        });
    if (!accepted) {
        return Routed{json(Status::ServiceUnavailable,
                           refusalJson(QStringLiteral("busy"), QStringLiteral("ただいま混み合っています。しばらくしてから"
                                                                             "もう一度お試しください。"))),
                      {}, {}};
    }
    return Routed{{}, {}, std::move(replay)};
}

void ScoreServer::answer(const QHttpServerRequest& request, QTcpSocket* socket, Reply reply, bool close)
{
    const auto found = connections_.find(socket);
    if (found != connections_.end() && found->pending > 0) {
        queue(Pending{socket, makeResponder(request, socket), close, std::nullopt, {}, std::move(reply), 0});
        return;
    }
    QHttpServerResponder responder = makeResponder(request, socket);
    send(responder, socket, reply, close);
}

void ScoreServer::queue(Pending pending)
{
    QTcpSocket* socket = pending.socket.data();
    Connection& connection = connections_[socket];
    ++connection.pending;
    pending.queuedBytes = pending.reply.body.size();
    connection.queuedBytes += pending.queuedBytes;
    pending_.push_back(std::move(pending));
    limitReading(socket);
    scheduleDispatch();
}

void ScoreServer::scheduleDispatch()
{
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
        // is in a batch being stored or its record is being replayed, its
        // later ones wait.
        std::vector<NewEntry> entries;
        std::deque<Pending> batch;
        std::deque<Pending> waiting;
        std::set<QTcpSocket*> held;
        while (!pending_.empty()) {
            Pending pending = std::move(pending_.front());
            pending_.pop_front();
            QTcpSocket* socket = pending.socket.data();
            const auto found = connections_.find(socket);
            const bool busy = found != connections_.end() && found->inFlight > 0;
            const bool replaying = pending.replay && !pending.replay->done;
            if (busy || replaying || held.count(socket) || static_cast<int>(entries.size()) >= limits_.maxBatch) {
                held.insert(socket);
                waiting.push_back(std::move(pending));
                continue;
            }
            if (pending.replay) {
                pending.registration = std::move(pending.replay->entry);
                pending.reply = std::move(pending.replay->refusal);
                pending.replay.reset();
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

ScoreServer::Reply ScoreServer::storedReply(const NewEntry& entry, const RegistrationOutcome& outcome)
{
    if (outcome.added) {
        // Read again soon, but not for every batch.
        rankings_.added(entry.kind, entry.fields.gameType, entry.fields.date);
    }
    if (entry.kind == EntryKind::Form) {
        return page(Status::Ok, registeredPage(entry.fields, outcome));
    }
    return json(Status::Ok, recordAnswerJson(entry, outcome));
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
                pending.reply = storedReply(*pending.registration, (*batch.outcomes)[next]);
            } else {
                const QString text =
                    QStringLiteral("ただいま登録を受け付けられません。しばらくしてからもう一度お試しください。");
                pending.reply = pending.registration->kind == EntryKind::Form
                                    ? message(Status::ServiceUnavailable, QStringLiteral("登録できませんでした"), text)
                                    : json(Status::ServiceUnavailable, refusalJson(QStringLiteral("busy"), text));
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
            found->queuedBytes -= pending.queuedBytes;
        }
        send(pending.responder, socket, pending.reply, pending.close);
    }
    dispatch();
}

} // namespace tavrin
