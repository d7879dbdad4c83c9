#include "scoreserver/score_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QVariant>

#include <algorithm>
#include <set>
#include <tuple>

namespace tavrin {

namespace {

constexpr int kBucketWidth = kScoreBucketWidth;

enum StatementKind { InsertEntries, AddToBuckets, RankEntries };

QString rowsOf(int rows, const QString& row)
{
    QStringList list;
    for (int i = 0; i < rows; ++i) {
        list << row;
    }
    return list.join(QLatin1Char(','));
}

// What the page's code covers: one entry per score, date and name, whatever
// comment comes with it.
using EntryKey = std::tuple<int, int, int, int, int, std::string>;

EntryKey keyOf(const Registration& entry)
{
    return {entry.gameType, entry.score, entry.date.year, entry.date.month, entry.date.day, entry.name};
}

} // namespace

ScoreStore::ScoreStore(DatabaseTarget target, QString connectionName)
    : target_(std::move(target)), connectionName_(std::move(connectionName))
{
}

ScoreStore::~ScoreStore()
{
    statements_.clear();
    unprepared_ = QSqlQuery();
    if (db_.isValid()) {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
    }
}

QString ScoreStore::fail(const QSqlQuery& query)
{
    const QSqlError error = query.lastError();
    if (error.type() == QSqlError::ConnectionError || !db_.isOpen()) {
        connectionSuspect_ = true;
    }
    if (db_.isOpen()) {
        // Leaves nothing half done (and clears PostgreSQL's failed state).
        db_.rollback();
    }
    return error.text();
}

bool ScoreStore::connect(QString& error)
{
    statements_.clear();
    unprepared_ = QSqlQuery();
    if (db_.isValid()) {
        db_.close();
    } else if (target_.kind == DatabaseTarget::Kind::Sqlite) {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        QDir().mkpath(QFileInfo(target_.path).absolutePath());
        db_.setDatabaseName(target_.path);
        db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    } else {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName_);
        db_.setHostName(target_.host);
        db_.setPort(target_.port);
        db_.setUserName(target_.user);
        db_.setPassword(target_.password);
        db_.setDatabaseName(target_.name);
        db_.setConnectOptions(QStringLiteral("connect_timeout=5;application_name=tavrin-scores"));
    }
    if (!db_.isValid()) {
        error = QStringLiteral("the Qt SQL driver for this database is not installed");
        return false;
    }
    if (!db_.open()) {
        error = db_.lastError().text();
        return false;
    }
    QSqlQuery query(db_);
    // The statements are prepared once per batch size and used thousands of
    // times; planning them again for every batch costs more than running them.
    if (target_.kind == DatabaseTarget::Kind::Postgres &&
        !query.exec(QStringLiteral("SET plan_cache_mode = force_generic_plan"))) {
        error = query.lastError().text();
        return false;
    }
    if (target_.kind == DatabaseTarget::Kind::Sqlite) {
        // WAL: readers never wait for the writer; NORMAL syncs at checkpoints,
        // which keeps every committed entry through a crash of this program.
        for (const char* pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL"}) {
            if (!query.exec(QLatin1String(pragma))) {
                error = query.lastError().text();
                return false;
            }
        }
    }
    connectionSuspect_ = false;
    return true;
}

bool ScoreStore::open(QString& error)
{
    return connect(error) && createSchema(error);
}

bool ScoreStore::reconnectIfLost(QString& error)
{
    if (!connectionSuspect_ && db_.isOpen()) {
        return true;
    }
    return connect(error);
}

QSqlQuery& ScoreStore::prepared(int kind, int rows, const QString& sql)
{
    const auto key = std::pair{kind, rows};
    auto found = statements_.find(key);
    if (found == statements_.end()) {
        QSqlQuery query(db_);
        query.setForwardOnly(true);
        if (!query.prepare(sql)) {
            // Not kept: exec() on it fails and reports why.
            unprepared_ = std::move(query);
            return unprepared_;
        }
        found = statements_.emplace(key, std::move(query)).first;
    }
    return found->second;
}

std::optional<std::vector<RegistrationOutcome>> ScoreStore::registerEntries(const std::vector<Registration>& entries,
                                                                           qint64 now, QString& error)
{
    std::vector<NewEntry> batch;
    for (const Registration& entry : entries) {
        batch.push_back(NewEntry{EntryKind::Form, entry, {}});
    }
    return registerBatch(batch, now, error);
}

std::optional<std::vector<RegistrationOutcome>> ScoreStore::registerBatch(const std::vector<NewEntry>& entries,
                                                                         qint64 now, QString& error)
{
    std::vector<RegistrationOutcome> outcomes(entries.size());
    if (entries.empty()) {
        return outcomes;
    }
    if (!reconnectIfLost(error)) {
        return std::nullopt;
    }
    std::vector<const Registration*> form;
    std::vector<std::size_t> formAt;
    std::vector<std::size_t> recorded;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == EntryKind::Form) {
            form.push_back(&entries[i].fields);
            formAt.push_back(i);
        } else {
            recorded.push_back(i);
        }
    }
    // PostgreSQL stores form entries and counts them into their buckets in
    // one statement (one round trip, committed on its own; buckets taken in
    // one order, so that batches stored at once never wait on each other in a
    // circle); SQLite, in process, and batches with recorded games take the
    // plain statements in a transaction, rows and buckets in one order too.
    const bool transaction = !isPostgres() || !recorded.empty();
    if (transaction && !db_.transaction()) {
        error = db_.lastError().text();
        connectionSuspect_ = true;
        return std::nullopt;
    }
    std::vector<RegistrationOutcome> formOutcomes;
    if (!form.empty() && !storeForm(form, now, formOutcomes, error)) {
        return std::nullopt;
    }
    for (std::size_t k = 0; k < formAt.size(); ++k) {
        outcomes[formAt[k]] = formOutcomes[k];
    }
    std::sort(recorded.begin(), recorded.end(), [&](std::size_t a, std::size_t b) {
        const Registration& x = entries[a].fields;
        const Registration& y = entries[b].fields;
        return std::tuple(entries[a].kind, x.gameType, x.score / kBucketWidth, x.date.year, x.date.month, x.date.day,
                          x.name) < std::tuple(entries[b].kind, y.gameType, y.score / kBucketWidth, y.date.year,
                                               y.date.month, y.date.day, y.name);
    });
    for (const std::size_t i : recorded) {
        const bool stored = entries[i].kind == EntryKind::Verified ? storeVerified(entries[i], now, outcomes[i], error)
                                                                   : storeDaily(entries[i], now, outcomes[i], error);
        if (!stored) {
            return std::nullopt;
        }
    }
    if (transaction && !db_.commit()) {
        error = db_.lastError().text();
        db_.rollback();
        connectionSuspect_ = true;
        return std::nullopt;
    }
    return outcomes;
}

bool ScoreStore::storeForm(const std::vector<const Registration*>& entries, qint64 now,
                           std::vector<RegistrationOutcome>& outcomes, QString& error)
{
    // The same entry twice in one batch is one row; both get its outcome.
    std::vector<const Registration*> distinct;
    std::map<EntryKey, std::size_t> rowOf;
    for (const Registration* entry : entries) {
        if (rowOf.emplace(keyOf(*entry), distinct.size()).second) {
            distinct.push_back(entry);
        }
    }
    std::set<qint64> added;
    std::vector<RegistrationOutcome> ranked;
    if (!insertForms(distinct, now, added, error) || !rankForms(distinct, added, ranked, error)) {
        return false;
    }
    // A duplicate in the batch reports "already there" after the first.
    std::vector<bool> reported(distinct.size());
    outcomes.resize(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t row = rowOf[keyOf(*entries[i])];
        outcomes[i] = ranked[row];
        if (reported[row]) {
            outcomes[i].added = false;
        }
        reported[row] = true;
    }
    return true;
}

// Inserts the rows (an equal one already there is left as it is); `added`
// gets the ids of those that are new, and the score buckets grow by them.
bool ScoreStore::insertForms(const std::vector<const Registration*>& distinct, qint64 now, std::set<qint64>& added,
                             QString& error)
{
    const int rows = static_cast<int>(distinct.size());
    const bool pg = isPostgres();
    const QString insertSql =
        QStringLiteral("INSERT INTO entries (gametype, score, year, month, day, name, comment, registered) VALUES %1 "
                       "ON CONFLICT DO NOTHING RETURNING id, gametype, score")
            .arg(rowsOf(rows, QStringLiteral("(?,?,?,?,?,?,?,?)")));
    QSqlQuery& insert = prepared(
        InsertEntries, rows,
        pg ? QStringLiteral("WITH added AS (%1), grown AS (INSERT INTO score_buckets (gametype, bucket, entries) "
                            "SELECT gametype, score / %2, COUNT(*) FROM added GROUP BY gametype, score / %2 "
                            "ORDER BY gametype, score / %2 "
                            "ON CONFLICT (gametype, bucket) DO UPDATE SET entries = score_buckets.entries + "
                            "excluded.entries) SELECT id, gametype, score FROM added")
                 .arg(insertSql, QString::number(kBucketWidth))
           : insertSql);
    for (const Registration* entry : distinct) {
        for (const QVariant& value :
             {QVariant(entry->gameType), QVariant(int{entry->score}), QVariant(int{entry->date.year}),
              QVariant(int{entry->date.month}), QVariant(int{entry->date.day}),
              QVariant(QString::fromStdString(entry->name)), QVariant(QString::fromStdString(entry->comment)),
              QVariant(now)}) {
            insert.addBindValue(value);
        }
    }
    if (!insert.exec()) {
        error = fail(insert);
        return false;
    }
    std::map<std::pair<int, int>, int> bucketGrowth;
    while (insert.next()) {
        added.insert(insert.value(0).toLongLong());
        ++bucketGrowth[{insert.value(1).toInt(), insert.value(2).toInt() / kBucketWidth}];
    }
    insert.finish();

    if (!pg && !bucketGrowth.empty()) {
        const int buckets = static_cast<int>(bucketGrowth.size());
        QSqlQuery& grow = prepared(
            AddToBuckets, buckets,
            QStringLiteral("INSERT INTO score_buckets (gametype, bucket, entries) VALUES %1 "
                           "ON CONFLICT (gametype, bucket) DO UPDATE SET entries = score_buckets.entries + "
                           "excluded.entries")
                .arg(rowsOf(buckets, QStringLiteral("(?,?,?)"))));
        for (const auto& [bucket, count] : bucketGrowth) {
            grow.addBindValue(bucket.first);
            grow.addBindValue(bucket.second);
            grow.addBindValue(count);
        }
        if (!grow.exec()) {
            error = fail(grow);
            return false;
        }
        grow.finish();
    }
    return true;
}

// Each row's id and rank once stored, in the rows' order.
bool ScoreStore::rankForms(const std::vector<const Registration*>& distinct, const std::set<qint64>& added,
                           std::vector<RegistrationOutcome>& ranked, QString& error)
{
    const int rows = static_cast<int>(distinct.size());
    QSqlQuery& rank = prepared(
        RankEntries, rows,
        QStringLiteral(
            "SELECT k.column1, e.id, 1 + COALESCE((SELECT SUM(b.entries) FROM score_buckets b "
            "WHERE b.gametype = e.gametype AND b.bucket > e.score / %2), 0) "
            "+ (SELECT COUNT(*) FROM entries o WHERE o.gametype = e.gametype AND o.score > e.score "
            "AND o.score < (e.score / %2 + 1) * %2) "
            "+ (SELECT COUNT(*) FROM entries o WHERE o.gametype = e.gametype AND o.score = e.score AND o.id < e.id) "
            "FROM (VALUES %1) AS k JOIN entries e ON e.gametype = k.column2 AND e.score = k.column3 "
            "AND e.year = k.column4 AND e.month = k.column5 AND e.day = k.column6 AND e.name = k.column7")
            .arg(rowsOf(rows, QStringLiteral("(CAST(? AS INTEGER),CAST(? AS INTEGER),CAST(? AS INTEGER),"
                                             "CAST(? AS INTEGER),CAST(? AS INTEGER),CAST(? AS INTEGER),"
                                             "CAST(? AS TEXT))")))
            .arg(kBucketWidth));
    for (int i = 0; i < rows; ++i) {
        const Registration* entry = distinct[static_cast<std::size_t>(i)];
        for (const QVariant& value :
             {QVariant(i), QVariant(entry->gameType), QVariant(int{entry->score}), QVariant(int{entry->date.year}),
              QVariant(int{entry->date.month}), QVariant(int{entry->date.day}),
              QVariant(QString::fromStdString(entry->name))}) {
            rank.addBindValue(value);
        }
    }
    if (!rank.exec()) {
        error = fail(rank);
        return false;
    }
    ranked.assign(distinct.size(), RegistrationOutcome{});
    std::size_t found = 0;
    while (rank.next()) {
        const int index = rank.value(0).toInt();
        if (index < 0 || index >= rows) {
            continue;
        }
        RegistrationOutcome outcome;
        outcome.id = rank.value(1).toLongLong();
        outcome.rank = rank.value(2).toLongLong();
        outcome.added = added.count(outcome.id) != 0;
        outcome.score = distinct[static_cast<std::size_t>(index)]->score;
        RegistrationOutcome& row = ranked[static_cast<std::size_t>(index)];
        found += row.id == 0 ? 1 : 0; // ids start at 1
        row = outcome;
    }
    rank.finish();
    if (found != distinct.size()) {
        db_.rollback();
        error = QStringLiteral("an entry could not be found again after storing it");
        return false;
    }
    return true;
}

std::optional<std::vector<StoredEntry>> ScoreStore::ranking(int gameType, int limit, QString& error)
{
    return readRanking(QStringLiteral("SELECT name, score, year, month, day, comment, registered FROM entries "
                                      "WHERE gametype = ? ORDER BY score DESC, id LIMIT ?"),
                       {gameType, limit}, error);
}

std::optional<std::vector<StoredEntry>> ScoreStore::readRanking(const QString& sql, const QVariantList& values,
                                                                QString& error)
{
    if (!reconnectIfLost(error)) {
        return std::nullopt;
    }
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    query.prepare(sql);
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        error = query.lastError().text();
        if (query.lastError().type() == QSqlError::ConnectionError || !db_.isOpen()) {
            connectionSuspect_ = true;
        }
        return std::nullopt;
    }
    std::vector<StoredEntry> list;
    while (query.next()) {
        StoredEntry entry;
        entry.name = query.value(0).toString();
        entry.score = query.value(1).toInt();
        entry.date = {static_cast<std::int16_t>(query.value(2).toInt()), static_cast<std::int16_t>(query.value(3).toInt()),
                      static_cast<std::int16_t>(query.value(4).toInt())};
        entry.comment = query.value(5).toString();
        entry.registered = query.value(6).toLongLong();
        list.push_back(std::move(entry));
    }
    return list;
}

} // namespace tavrin
