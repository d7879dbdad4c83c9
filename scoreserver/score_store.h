// The entries of the rankings in an SQL database (SQLite or PostgreSQL
// through Qt SQL): those posted by the registration pages (unverified), those
// whose game record replayed to their score (verified), and the daily game's,
// one ranking per date.
#pragma once

#include "scores/registration_form.h"
#include "scoreserver/server_options.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace tavrin {

// Schema this program writes; a database made by a later version is refused.
// 2: one entry per score, date and name (what the page's code covers);
//    verified entries and the daily game's.
inline constexpr int kScoreSchemaVersion = 2;
inline constexpr int kRankingLength = 100;
// Scores are counted per bucket of this width, so a rank costs at most one
// bucket's entries plus the bucket totals, however long the ranking grows.
inline constexpr int kScoreBucketWidth = 256;

struct StoredEntry {
    QString name;
    int score = 0;
    ScoreDate date;
    QString comment;
    qint64 registered = 0; // seconds since 1970, UTC
};

struct RegistrationOutcome {
    qint64 id = 0;
    qint64 rank = 0;    // 1 = best; ties in registration order (0: not in the ranking)
    bool added = false; // false: the same entry was already there (daily: no better than the player's)
    int score = 0;      // the score the entry holds (daily: the player's best of the date)
};

enum class EntryKind {
    Form,     // posted by a registration page: unverified
    Verified, // its record replayed to its score; one entry per record
    Daily,    // the daily game of fields.date: one entry per player name and date, the best
};

struct NewEntry {
    EntryKind kind = EntryKind::Form;
    Registration fields; // Daily: gameType is the daily game's item kinds, date its date
    std::string record;  // Verified, Daily: the game record as text
};

class ScoreStore {
public:
    // `connectionName` keeps several stores in one process apart.
    ScoreStore(DatabaseTarget target, QString connectionName);
    ~ScoreStore();
    ScoreStore(const ScoreStore&) = delete;
    ScoreStore& operator=(const ScoreStore&) = delete;

    // Connects and creates or checks the schema.
    bool open(QString& error);

    // Stores the entries in one transaction (each distinct entry once) and
    // gives each its rank, in the order given. nullopt: nothing was stored.
    std::optional<std::vector<RegistrationOutcome>> registerBatch(const std::vector<NewEntry>& entries, qint64 now,
                                                                 QString& error);
    // The same for entries of the registration pages alone.
    std::optional<std::vector<RegistrationOutcome>> registerEntries(const std::vector<Registration>& entries,
                                                                   qint64 now, QString& error);

    // The best `limit` entries of one ranking: the pages' (unverified), the
    // verified ones, the daily game's of a date.
    std::optional<std::vector<StoredEntry>> ranking(int gameType, int limit, QString& error);
    std::optional<std::vector<StoredEntry>> verifiedRanking(int gameType, int limit, QString& error);
    std::optional<std::vector<StoredEntry>> dailyRanking(const ScoreDate& date, int limit, QString& error);

    int schemaVersion() const { return schemaVersion_; }
    bool isPostgres() const { return target_.kind == DatabaseTarget::Kind::Postgres; }

private:
    bool connect(QString& error);
    bool createSchema(QString& error);
    bool upgradeSchema(QString& error);
    bool reconnectIfLost(QString& error);
    QSqlQuery& prepared(int kind, int rows, const QString& sql);
    QString fail(const QSqlQuery& query);
    bool storeForm(const std::vector<const Registration*>& entries, qint64 now,
                   std::vector<RegistrationOutcome>& outcomes, QString& error);
    bool insertForms(const std::vector<const Registration*>& distinct, qint64 now, std::set<qint64>& added,
                     QString& error);
    bool rankForms(const std::vector<const Registration*>& distinct, const std::set<qint64>& added,
                   std::vector<RegistrationOutcome>& ranked, QString& error);
    bool storeVerified(const NewEntry& entry, qint64 now, RegistrationOutcome& outcome, QString& error);
    bool storeDaily(const NewEntry& entry, qint64 now, RegistrationOutcome& outcome, QString& error);
    std::optional<std::vector<StoredEntry>> readRanking(const QString& sql, const QVariantList& values, QString& error);

    DatabaseTarget target_;
    QString connectionName_;
    QSqlDatabase db_;
    int schemaVersion_ = 0;
    bool connectionSuspect_ = false;
    std::map<std::pair<int, int>, QSqlQuery> statements_;
    QSqlQuery unprepared_;
};

} // namespace tavrin
