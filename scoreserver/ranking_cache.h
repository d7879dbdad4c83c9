// The rankings as served: each list read from the database at most so often
// (other servers sharing a PostgreSQL database add entries too), each page
// made again only when one of its lists changed.
#pragma once

#include "scoreserver/ranking_pages.h"
#include "scoreserver/score_store.h"

#include <QElapsedTimer>

#include <map>
#include <tuple>

namespace tavrin {

struct RankingTimes {
    int cacheMs = 1000;  // a list is read again at least this often
    int refreshMs = 100; // and at most this often after own registrations
};

class RankingCache {
public:
    // `verifiedOnly`: the pages' entries are left out of every ranking.
    RankingCache(ScoreStore& reader, const QElapsedTimer& clock, RankingTimes times, bool verifiedOnly, bool linkToGame);

    // nullptr when the lists cannot be read and none were read before.
    const RenderedRanking* ranking(int gameType);
    const RenderedRanking* daily(const ScoreDate& date);
    const QByteArray* index(const ScoreDate& today);

    // An entry was added: its list is read again soon, though not for every batch.
    void added(EntryKind kind, int gameType, const ScoreDate& date);

    // Daily lists kept at once; the oldest read goes first.
    static constexpr std::size_t kDailyLists = 16;

private:
    using Key = std::tuple<int, int, int, int, int>; // kind, game type, year, month, day
    struct List {
        std::vector<StoredEntry> entries;
        qint64 readMs = -1;
        qint64 expiresMs = -1;
        int version = 0; // counts the changes read
    };
    struct Page {
        RenderedRanking rendered;
        std::vector<int> versions; // of the lists it was made from
    };
    static Key keyOf(EntryKind kind, int gameType, const ScoreDate& date);
    const List* fresh(const Key& key);
    void dropOldDailyLists();

    ScoreStore& reader_;
    const QElapsedTimer& clock_;
    RankingTimes times_;
    bool verifiedOnly_;
    bool linkToGame_;
    std::map<Key, List> lists_;
    std::map<Key, Page> pages_;
    QByteArray index_;
    std::vector<int> indexVersions_;
    int lastVersion_ = 0; // versions are never used twice, even for a list read anew
};

} // namespace tavrin
