// Entries whose game record replayed to their score: the verified rankings
// (one entry per record) and the daily game's rankings (one entry per player
// name and date, the best kept). Stored row by row inside registerBatch's
// transaction, which sees its own rows: a record twice in a batch is one entry.
#include "scoreserver/score_store.h"

#include <QSqlError>
#include <QVariant>

namespace tavrin {

namespace {

// prepared() keys beside the form entries' statements.
enum VerifiedStatement { InsertVerified = 100, GrowVerified, RankVerified, UpsertDaily, RankDaily };

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

} // namespace

bool ScoreStore::storeVerified(const NewEntry& entry, qint64 now, RegistrationOutcome& outcome, QString& error)
{
    const Registration& e = entry.fields;
    QSqlQuery& insert = prepared(
        InsertVerified, 1,
        QStringLiteral("INSERT INTO verified_entries (gametype, score, year, month, day, name, comment, registered, "
                       "record) VALUES (?,?,?,?,?,?,?,?,?) ON CONFLICT DO NOTHING RETURNING id"));
    for (const QVariant& value : {QVariant(e.gameType), QVariant(int{e.score}), QVariant(int{e.date.year}),
                                  QVariant(int{e.date.month}), QVariant(int{e.date.day}), QVariant(text(e.name)),
                                  QVariant(text(e.comment)), QVariant(now), QVariant(text(entry.record))}) {
        insert.addBindValue(value);
    }
    if (!insert.exec()) {
        error = fail(insert);
        return false;
    }
    outcome.added = insert.next();
    insert.finish();
    if (outcome.added) {
        QSqlQuery& grow = prepared(GrowVerified, 1,
                                   QStringLiteral("INSERT INTO verified_buckets (gametype, bucket, entries) VALUES "
                                                  "(?,?,1) ON CONFLICT (gametype, bucket) DO UPDATE SET entries = "
                                                  "verified_buckets.entries + 1"));
        grow.addBindValue(e.gameType);
        grow.addBindValue(e.score / kScoreBucketWidth);
        if (!grow.exec()) {
            error = fail(grow);
            return false;
        }
        grow.finish();
    }
    // The entry that holds the record: this one, or one registered before
    // (under whatever name).
    QSqlQuery& rank = prepared(
        RankVerified, 1,
        QStringLiteral("SELECT e.id, e.score, 1 + COALESCE((SELECT SUM(b.entries) FROM verified_buckets b "
                       "WHERE b.gametype = e.gametype AND b.bucket > e.score / %1), 0) "
                       "+ (SELECT COUNT(*) FROM verified_entries o WHERE o.gametype = e.gametype AND o.score > e.score "
                       "AND o.score < (e.score / %1 + 1) * %1) "
                       "+ (SELECT COUNT(*) FROM verified_entries o WHERE o.gametype = e.gametype AND o.score = e.score "
                       "AND o.id < e.id) FROM verified_entries e WHERE e.record = ?")
            .arg(kScoreBucketWidth));
    rank.addBindValue(text(entry.record));
    if (!rank.exec()) {
        error = fail(rank);
        return false;
    }
    if (!rank.next()) {
        rank.finish();
        db_.rollback();
        error = QStringLiteral("a verified entry could not be found again after storing it");
        return false;
    }
    outcome.id = rank.value(0).toLongLong();
    outcome.score = rank.value(1).toInt();
    outcome.rank = rank.value(2).toLongLong();
    rank.finish();
    return true;
}

bool ScoreStore::storeDaily(const NewEntry& entry, qint64 now, RegistrationOutcome& outcome, QString& error)
{
    const Registration& e = entry.fields;
    // A record already stored (under any name) is not stored again; a
    // player's better score of the date replaces the earlier one. (The casts
    // tell PostgreSQL the types of values that are no column's yet.)
    QSqlQuery& upsert = prepared(
        UpsertDaily, 1,
        QStringLiteral("INSERT INTO daily_entries (year, month, day, name, score, comment, registered, record) "
                       "SELECT CAST(? AS INTEGER), CAST(? AS INTEGER), CAST(? AS INTEGER), CAST(? AS TEXT), "
                       "CAST(? AS INTEGER), CAST(? AS TEXT), CAST(? AS BIGINT), CAST(? AS TEXT) "
                       "WHERE NOT EXISTS (SELECT 1 FROM daily_entries WHERE record = CAST(? AS TEXT)) "
                       "ON CONFLICT (year, month, day, name) DO UPDATE SET score = excluded.score, "
                       "comment = excluded.comment, registered = excluded.registered, record = excluded.record "
                       "WHERE excluded.score > daily_entries.score RETURNING id"));
    for (const QVariant& value : {QVariant(int{e.date.year}), QVariant(int{e.date.month}), QVariant(int{e.date.day}),
                                  QVariant(text(e.name)), QVariant(int{e.score}), QVariant(text(e.comment)),
                                  QVariant(now), QVariant(text(entry.record)), QVariant(text(entry.record))}) {
        upsert.addBindValue(value);
    }
    if (!upsert.exec()) {
        error = fail(upsert);
        return false;
    }
    outcome.added = upsert.next();
    upsert.finish();
    QSqlQuery& rank = prepared(
        RankDaily, 1,
        QStringLiteral("SELECT e.id, e.score, 1 + (SELECT COUNT(*) FROM daily_entries o WHERE o.year = e.year "
                       "AND o.month = e.month AND o.day = e.day AND o.score > e.score) "
                       "+ (SELECT COUNT(*) FROM daily_entries o WHERE o.year = e.year AND o.month = e.month "
                       "AND o.day = e.day AND o.score = e.score AND o.id < e.id) "
                       "FROM daily_entries e WHERE e.year = ? AND e.month = ? AND e.day = ? AND e.name = ?"));
    for (const QVariant& value : {QVariant(int{e.date.year}), QVariant(int{e.date.month}), QVariant(int{e.date.day}),
                                  QVariant(text(e.name))}) {
        rank.addBindValue(value);
    }
    if (!rank.exec()) {
        error = fail(rank);
        return false;
    }
    // No row: the record is someone else's entry of the date.
    if (rank.next()) {
        outcome.id = rank.value(0).toLongLong();
        outcome.score = rank.value(1).toInt();
        outcome.rank = rank.value(2).toLongLong();
    }
    rank.finish();
    return true;
}

std::optional<std::vector<StoredEntry>> ScoreStore::verifiedRanking(int gameType, int limit, QString& error)
{
    return readRanking(QStringLiteral("SELECT name, score, year, month, day, comment, registered FROM verified_entries "
                                      "WHERE gametype = ? ORDER BY score DESC, id LIMIT ?"),
                       {gameType, limit}, error);
}

std::optional<std::vector<StoredEntry>> ScoreStore::dailyRanking(const ScoreDate& date, int limit, QString& error)
{
    return readRanking(QStringLiteral("SELECT name, score, year, month, day, comment, registered FROM daily_entries "
                                      "WHERE year = ? AND month = ? AND day = ? ORDER BY score DESC, id LIMIT ?"),
                       {int{date.year}, int{date.month}, int{date.day}, limit}, error);
}

} // namespace tavrin
