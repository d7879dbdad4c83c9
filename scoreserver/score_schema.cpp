// The tables of the score store: made on the first start, brought up to the
// current version when an older server made them.
#include "scoreserver/score_store.h"

#include <QSqlError>
#include <QVariant>

namespace tavrin {

bool ScoreStore::createSchema(QString& error)
{
    const bool pg = isPostgres();
    const QString id = pg ? QStringLiteral("id BIGSERIAL PRIMARY KEY") : QStringLiteral("id INTEGER PRIMARY KEY");
    const QStringList statements{
        QStringLiteral("CREATE TABLE IF NOT EXISTS tavrin_meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS entries (%1, gametype INTEGER NOT NULL, score INTEGER NOT NULL, "
                       "year INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL, name TEXT NOT NULL, "
                       "comment TEXT NOT NULL, registered BIGINT NOT NULL, "
                       "UNIQUE (gametype, score, year, month, day, name, comment))")
            .arg(id),
        QStringLiteral("CREATE INDEX IF NOT EXISTS entries_ranking ON entries (gametype, score DESC, id)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS score_buckets (gametype INTEGER NOT NULL, bucket INTEGER NOT NULL, "
                       "entries INTEGER NOT NULL, PRIMARY KEY (gametype, bucket))"),
        QStringLiteral("INSERT INTO tavrin_meta (key, value) VALUES ('schema_version', '%1') ON CONFLICT DO NOTHING")
            .arg(kScoreSchemaVersion),
        // Entries whose record replayed to their score, one per record.
        QStringLiteral("CREATE TABLE IF NOT EXISTS verified_entries (%1, gametype INTEGER NOT NULL, "
                       "score INTEGER NOT NULL, year INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL, "
                       "name TEXT NOT NULL, comment TEXT NOT NULL, registered BIGINT NOT NULL, "
                       "record TEXT NOT NULL UNIQUE)")
            .arg(id),
        QStringLiteral("CREATE INDEX IF NOT EXISTS verified_ranking ON verified_entries (gametype, score DESC, id)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS verified_buckets (gametype INTEGER NOT NULL, bucket INTEGER NOT NULL, "
                       "entries INTEGER NOT NULL, PRIMARY KEY (gametype, bucket))"),
        // The daily game's: one entry per player name and date, the best.
        QStringLiteral("CREATE TABLE IF NOT EXISTS daily_entries (%1, year INTEGER NOT NULL, month INTEGER NOT NULL, "
                       "day INTEGER NOT NULL, name TEXT NOT NULL, score INTEGER NOT NULL, comment TEXT NOT NULL, "
                       "registered BIGINT NOT NULL, record TEXT NOT NULL, UNIQUE (year, month, day, name))")
            .arg(id),
        QStringLiteral("CREATE INDEX IF NOT EXISTS daily_ranking ON daily_entries (year, month, day, score DESC, id)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS daily_record ON daily_entries (record)"),
    };
    if (!db_.transaction()) {
        error = db_.lastError().text();
        return false;
    }
    QSqlQuery query(db_);
    // Servers sharing one PostgreSQL database may start together.
    if (pg && !query.exec(QStringLiteral("SELECT pg_advisory_xact_lock(1936155501)"))) {
        error = fail(query);
        return false;
    }
    for (const QString& sql : statements) {
        if (!query.exec(sql)) {
            error = fail(query);
            return false;
        }
    }
    if (!query.exec(QStringLiteral("SELECT value FROM tavrin_meta WHERE key = 'schema_version'")) || !query.next()) {
        error = fail(query);
        return false;
    }
    schemaVersion_ = query.value(0).toInt();
    if (schemaVersion_ > kScoreSchemaVersion) {
        db_.rollback();
        error = QStringLiteral("the database has schema version %1, made by a newer tavrin-scores (this one knows %2)")
                    .arg(schemaVersion_)
                    .arg(kScoreSchemaVersion);
        return false;
    }
    if (!upgradeSchema(error)) {
        return false;
    }
    if (!db_.commit()) {
        error = db_.lastError().text();
        db_.rollback();
        return false;
    }
    return true;
}

// Inside createSchema's transaction.
bool ScoreStore::upgradeSchema(QString& error)
{
    QStringList statements;
    if (schemaVersion_ < 2) {
        // Version 1 kept a page registered again with another comment as a
        // new entry. The first of each stays; the others are set aside in
        // entries_repeated, not deleted, and the buckets are counted anew.
        statements << QStringLiteral("CREATE TABLE IF NOT EXISTS entries_repeated AS SELECT * FROM entries WHERE 1 = 0")
                   << QStringLiteral("INSERT INTO entries_repeated SELECT * FROM entries WHERE id NOT IN "
                                     "(SELECT MIN(id) FROM entries GROUP BY gametype, score, year, month, day, name)")
                   << QStringLiteral("DELETE FROM entries WHERE id IN (SELECT id FROM entries_repeated)")
                   << QStringLiteral("DELETE FROM score_buckets")
                   << QStringLiteral("INSERT INTO score_buckets (gametype, bucket, entries) SELECT gametype, "
                                     "score / %1, COUNT(*) FROM entries GROUP BY gametype, score / %1")
                          .arg(kScoreBucketWidth);
    }
    statements << QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS entries_once ON entries "
                                 "(gametype, score, year, month, day, name)")
               << QStringLiteral("UPDATE tavrin_meta SET value = '%1' WHERE key = 'schema_version'")
                      .arg(kScoreSchemaVersion);
    QSqlQuery query(db_);
    for (const QString& sql : statements) {
        if (!query.exec(sql)) {
            error = fail(query);
            return false;
        }
    }
    schemaVersion_ = kScoreSchemaVersion;
    return true;
}

} // namespace tavrin
