#include "scoreserver/score_store.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tavrin {
namespace {

Registration entry(int gameType, int score, std::string name, std::string comment = "No Comment")
{
    return Registration{gameType, static_cast<std::int16_t>(score), {2024, 5, 6}, std::move(name), std::move(comment)};
}

class ScoreStoreTest : public ::testing::Test {
protected:
    DatabaseTarget target() const
    {
        DatabaseTarget t;
        t.path = dir.filePath(QStringLiteral("data/scores.sqlite"));
        return t;
    }
    QTemporaryDir dir;
    QString error;
};

TEST_F(ScoreStoreTest, RanksWithTiesInRegistrationOrderAndStoresEachEntryOnce)
{
    ScoreStore store(target(), QStringLiteral("ranks"));
    ASSERT_TRUE(store.open(error)) << error.toStdString();
    auto first = store.registerEntries({entry(3, 100, "a"), entry(3, 200, "b"), entry(4, 50, "c")}, 1, error);
    ASSERT_TRUE(first);
    EXPECT_EQ((*first)[0].rank, 2);
    EXPECT_EQ((*first)[1].rank, 1);
    EXPECT_EQ((*first)[2].rank, 1);
    // A tie goes below the earlier entry; the same values again are one
    // entry, in another batch or twice in the same one.
    auto second = store.registerEntries({entry(3, 100, "d"), entry(3, 100, "a"), entry(3, 100, "d")}, 2, error);
    ASSERT_TRUE(second);
    EXPECT_EQ((*second)[0].rank, 3);
    EXPECT_TRUE((*second)[0].added);
    EXPECT_EQ((*second)[1].rank, 2);
    EXPECT_FALSE((*second)[1].added);
    EXPECT_EQ((*second)[1].id, (*first)[0].id);
    EXPECT_FALSE((*second)[2].added);
    EXPECT_EQ((*second)[2].id, (*second)[0].id);

    const auto list = store.ranking(3, kRankingLength, error);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 3u);
    EXPECT_EQ((*list)[0].name, QStringLiteral("b"));
    EXPECT_EQ((*list)[1].name, QStringLiteral("a"));
    EXPECT_EQ((*list)[2].name, QStringLiteral("d"));
    EXPECT_EQ((*list)[2].registered, 2);
}

TEST_F(ScoreStoreTest, RankMatchesThePlaceInTheFullRanking)
{
    // Scores on both sides of the counting buckets' edges, in random batches.
    ScoreStore store(target(), QStringLiteral("buckets"));
    ASSERT_TRUE(store.open(error));
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(0, 9);
    const int edges[] = {0, 1, 255, 256, 257, 511, 512, 4096, 32766, 32767};
    struct Given {
        std::string name;
        qint64 rank;
        std::size_t storedWith; // entries stored once its batch was
    };
    std::vector<Given> ranks;
    for (int batch = 0; batch < 40; ++batch) {
        std::vector<Registration> entries;
        for (int i = 0; i < 1 + batch % 7; ++i) {
            entries.push_back(entry(5, edges[pick(random)], std::to_string(batch) + "-" + std::to_string(i)));
        }
        const auto outcomes = store.registerEntries(entries, batch, error);
        ASSERT_TRUE(outcomes) << error.toStdString();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            ranks.push_back({entries[i].name, (*outcomes)[i].rank, 0});
        }
        for (Given& given : ranks) {
            given.storedWith = given.storedWith ? given.storedWith : ranks.size();
        }
    }
    const auto list = store.ranking(5, 1000, error);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), ranks.size());
    // Each entry was given its place among those stored by the end of its
    // batch (ties below earlier entries).
    for (std::size_t k = 0; k < ranks.size(); ++k) {
        const auto& [name, rank, storedWith] = ranks[k];
        const auto at = std::find_if(list->begin(), list->end(),
                                     [&](const StoredEntry& e) { return e.name.toStdString() == name; });
        const int score = at->score;
        qint64 expected = 1;
        for (std::size_t j = 0; j < storedWith; ++j) {
            const auto other = std::find_if(list->begin(), list->end(), [&](const StoredEntry& e) {
                return e.name.toStdString() == ranks[j].name;
            });
            expected += j != k && (other->score > score || (other->score == score && j < k)) ? 1 : 0;
        }
        EXPECT_EQ(rank, expected) << name;
    }
}

TEST_F(ScoreStoreTest, OnePageIsOneEntryWhateverItsComment)
{
    ScoreStore store(target(), QStringLiteral("comments"));
    ASSERT_TRUE(store.open(error));
    const auto outcomes = store.registerEntries({entry(3, 500, "a", "first"), entry(3, 500, "a", "second")}, 1, error);
    ASSERT_TRUE(outcomes);
    EXPECT_TRUE((*outcomes)[0].added);
    EXPECT_FALSE((*outcomes)[1].added);
    const auto later = store.registerEntries({entry(3, 500, "a", "third"), entry(3, 501, "a", "third")}, 2, error);
    ASSERT_TRUE(later);
    EXPECT_FALSE((*later)[0].added);
    EXPECT_EQ((*later)[0].id, (*outcomes)[0].id);
    EXPECT_EQ((*later)[0].rank, 2);
    const auto list = store.ranking(3, 10, error);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ((*list)[1].comment, QStringLiteral("first"));
}

TEST_F(ScoreStoreTest, UpgradesAVersionOneDatabaseSettingRepeatsAside)
{
    QDir().mkpath(dir.filePath(QStringLiteral("data")));
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
        db.setDatabaseName(target().path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char* sql : {
                 "CREATE TABLE tavrin_meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
                 "INSERT INTO tavrin_meta VALUES ('schema_version', '1')",
                 "CREATE TABLE entries (id INTEGER PRIMARY KEY, gametype INTEGER NOT NULL, score INTEGER NOT NULL, "
                 "year INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL, name TEXT NOT NULL, "
                 "comment TEXT NOT NULL, registered BIGINT NOT NULL, "
                 "UNIQUE (gametype, score, year, month, day, name, comment))",
                 "CREATE TABLE score_buckets (gametype INTEGER NOT NULL, bucket INTEGER NOT NULL, "
                 "entries INTEGER NOT NULL, PRIMARY KEY (gametype, bucket))",
                 "INSERT INTO entries VALUES (1, 3, 900, 2024, 5, 6, 'a', 'one', 10), (2, 3, 900, 2024, 5, 6, 'a', 'two', 11),"
                 " (3, 3, 800, 2024, 5, 6, 'b', 'x', 12), (4, 3, 900, 2024, 5, 6, 'a', 'three', 13)",
                 "INSERT INTO score_buckets VALUES (3, 3, 4)"}) {
            ASSERT_TRUE(q.exec(QLatin1String(sql))) << sql;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v1"));
    {
        ScoreStore store(target(), QStringLiteral("upgraded"));
        ASSERT_TRUE(store.open(error)) << error.toStdString();
        EXPECT_EQ(store.schemaVersion(), kScoreSchemaVersion);
        const auto list = store.ranking(3, 10, error);
        ASSERT_EQ(list->size(), 2u);
        EXPECT_EQ((*list)[0].comment, QStringLiteral("one"));
        // The buckets were counted again: b is second of two.
        const auto outcome = store.registerEntries({entry(3, 800, "b", "again")}, 3, error);
        ASSERT_TRUE(outcome);
        EXPECT_FALSE((*outcome)[0].added);
        EXPECT_EQ((*outcome)[0].rank, 2);
    }
    auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("aside"));
    db.setDatabaseName(target().path);
    ASSERT_TRUE(db.open());
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT comment FROM entries_repeated ORDER BY id")));
    QStringList aside;
    while (q.next()) {
        aside << q.value(0).toString();
    }
    EXPECT_EQ(aside, (QStringList{QStringLiteral("two"), QStringLiteral("three")}));
    q = QSqlQuery();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("aside"));
}

NewEntry recorded(EntryKind kind, int score, std::string name, std::string record, ScoreDate date = {2024, 5, 6})
{
    return NewEntry{kind, Registration{3, static_cast<std::int16_t>(score), date, std::move(name), "No Comment"},
                    std::move(record)};
}

TEST_F(ScoreStoreTest, VerifiedEntriesAreOnePerRecordApartFromThePages)
{
    ScoreStore store(target(), QStringLiteral("verified"));
    ASSERT_TRUE(store.open(error));
    auto first = store.registerBatch({recorded(EntryKind::Verified, 300, "a", "r1"), NewEntry{EntryKind::Form,
                                      entry(3, 300, "a"), {}}}, 1, error);
    ASSERT_TRUE(first) << error.toStdString();
    EXPECT_TRUE((*first)[0].added);
    EXPECT_TRUE((*first)[1].added);
    EXPECT_EQ((*first)[0].rank, 1);
    auto second = store.registerBatch({recorded(EntryKind::Verified, 500, "b", "r2"),
                                       recorded(EntryKind::Verified, 300, "thief", "r1"),
                                       recorded(EntryKind::Verified, 300, "thief", "r1")}, 2, error);
    ASSERT_TRUE(second) << error.toStdString();
    EXPECT_TRUE((*second)[0].added);
    EXPECT_EQ((*second)[0].rank, 1);
    // The record was a's: it stays a's, now second.
    EXPECT_FALSE((*second)[1].added);
    EXPECT_EQ((*second)[1].id, (*first)[0].id);
    EXPECT_EQ((*second)[1].rank, 2);
    EXPECT_FALSE((*second)[2].added);

    const auto verified = store.verifiedRanking(3, 10, error);
    ASSERT_TRUE(verified);
    ASSERT_EQ(verified->size(), 2u);
    EXPECT_EQ((*verified)[0].name, QStringLiteral("b"));
    EXPECT_EQ((*verified)[1].name, QStringLiteral("a"));
    EXPECT_EQ(store.ranking(3, 10, error)->size(), 1u);
}

TEST_F(ScoreStoreTest, DailyRankingKeepsEachPlayersBestOfTheDate)
{
    ScoreStore store(target(), QStringLiteral("daily"));
    ASSERT_TRUE(store.open(error));
    const ScoreDate day{2026, 12, 9};
    auto store1 = [&](int score, std::string name, std::string record, ScoreDate date) {
        const auto outcome = store.registerBatch({recorded(EntryKind::Daily, score, std::move(name), std::move(record), date)},
                                                 1, error);
        EXPECT_TRUE(outcome) << error.toStdString();
        return outcome ? (*outcome)[0] : RegistrationOutcome{};
    };
    EXPECT_TRUE(store1(300, "a", "d1", day).added);
    const RegistrationOutcome worse = store1(250, "a", "d2", day);
    EXPECT_FALSE(worse.added);
    EXPECT_EQ(worse.score, 300);
    EXPECT_EQ(worse.rank, 1);
    EXPECT_TRUE(store1(350, "b", "d3", day).added);
    const RegistrationOutcome better = store1(400, "a", "d4", day);
    EXPECT_TRUE(better.added);
    EXPECT_EQ(better.score, 400);
    EXPECT_EQ(better.rank, 1);
    EXPECT_EQ(store1(100, "a", "d5", ScoreDate{2026, 12, 10}).rank, 1);
    // Someone else's record of the date is not stored again.
    const RegistrationOutcome copied = store1(400, "c", "d4", day);
    EXPECT_FALSE(copied.added);
    EXPECT_EQ(copied.rank, 0);

    const auto list = store.dailyRanking(day, 10, error);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ((*list)[0].name, QStringLiteral("a"));
    EXPECT_EQ((*list)[0].score, 400);
    EXPECT_EQ((*list)[1].name, QStringLiteral("b"));
}

TEST_F(ScoreStoreTest, TextsAreStoredAsTheyCame)
{
    ScoreStore store(target(), QStringLiteral("texts"));
    ASSERT_TRUE(store.open(error));
    const std::string hostile = "'); DROP TABLE entries;--";
    ASSERT_TRUE(store.registerEntries({entry(4, 1, hostile, "\"<b>\\%s")}, 0, error));
    const auto list = store.ranking(4, 10, error);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 1u);
    EXPECT_EQ((*list)[0].name.toStdString(), hostile);
    EXPECT_EQ((*list)[0].comment, QStringLiteral("\"<b>\\%s"));
}

TEST_F(ScoreStoreTest, KeepsEntriesAcrossRestartsAndRefusesANewerSchema)
{
    {
        ScoreStore store(target(), QStringLiteral("first"));
        ASSERT_TRUE(store.open(error));
        EXPECT_EQ(store.schemaVersion(), kScoreSchemaVersion);
        ASSERT_TRUE(store.registerEntries({entry(3, 9, "kept")}, 0, error));
    }
    {
        ScoreStore store(target(), QStringLiteral("second"));
        ASSERT_TRUE(store.open(error));
        EXPECT_EQ(store.ranking(3, 10, error)->size(), 1u);
    }
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raise"));
        db.setDatabaseName(target().path);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("UPDATE tavrin_meta SET value = '99' WHERE key = 'schema_version'"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raise"));
    ScoreStore store(target(), QStringLiteral("third"));
    EXPECT_FALSE(store.open(error));
    EXPECT_TRUE(error.contains(QStringLiteral("schema version 99")));
}

} // namespace
} // namespace tavrin
