#include "scoreserver/ranking_cache.h"

#include <algorithm>

namespace tavrin {

namespace {
constexpr ScoreDate kNoDate{0, 0, 0};
} // namespace

RankingCache::RankingCache(ScoreStore& reader, const QElapsedTimer& clock, RankingTimes times, bool verifiedOnly,
                           bool linkToGame)
    : reader_(reader), clock_(clock), times_(times), verifiedOnly_(verifiedOnly), linkToGame_(linkToGame)
{
}

RankingCache::Key RankingCache::keyOf(EntryKind kind, int gameType, const ScoreDate& date)
{
    if (kind != EntryKind::Daily) {
        return {static_cast<int>(kind), gameType, 0, 0, 0};
    }
    return {static_cast<int>(kind), 0, date.year, date.month, date.day};
}

const RankingCache::List* RankingCache::fresh(const Key& key)
{
    List& list = lists_[key];
    if (list.readMs >= 0 && clock_.elapsed() < list.expiresMs) {
        return &list;
    }
    const auto [kind, gameType, year, month, day] = key;
    const ScoreDate date{static_cast<std::int16_t>(year), static_cast<std::int16_t>(month),
                         static_cast<std::int16_t>(day)};
    QString error;
    auto entries = kind == static_cast<int>(EntryKind::Form)       ? reader_.ranking(gameType, kRankingLength, error)
                   : kind == static_cast<int>(EntryKind::Verified) ? reader_.verifiedRanking(gameType, kRankingLength, error)
                                                                   : reader_.dailyRanking(date, kRankingLength, error);
    if (!entries) {
        qWarning("tavrin-scores: reading a ranking failed: %s", qPrintable(error));
        return list.readMs >= 0 ? &list : nullptr; // an older list beats none
    }
    const bool same = list.readMs >= 0 && entries->size() == list.entries.size() &&
                      std::equal(entries->begin(), entries->end(), list.entries.begin(),
                                 [](const StoredEntry& a, const StoredEntry& b) {
                                     return a.name == b.name && a.score == b.score && a.comment == b.comment &&
                                            a.registered == b.registered;
                                 });
    if (!same) {
        list.entries = std::move(*entries);
        list.version = ++lastVersion_;
    }
    list.readMs = clock_.elapsed();
    list.expiresMs = list.readMs + times_.cacheMs;
    if (kind == static_cast<int>(EntryKind::Daily)) {
        dropOldDailyLists();
    }
    return &list;
}

void RankingCache::dropOldDailyLists()
{
    std::size_t daily = 0;
    for (const auto& [key, list] : lists_) {
        daily += std::get<0>(key) == static_cast<int>(EntryKind::Daily) ? 1 : 0;
    }
    while (daily-- > kDailyLists) {
        auto oldest = lists_.end();
        for (auto it = lists_.begin(); it != lists_.end(); ++it) {
            if (std::get<0>(it->first) == static_cast<int>(EntryKind::Daily) &&
                (oldest == lists_.end() || it->second.readMs < oldest->second.readMs)) {
                oldest = it;
            }
        }
        pages_.erase(oldest->first);
        lists_.erase(oldest);
    }
}

const RenderedRanking* RankingCache::ranking(int gameType)
{
    const List* verified = fresh(keyOf(EntryKind::Verified, gameType, kNoDate));
    const List* form = verifiedOnly_ ? nullptr : fresh(keyOf(EntryKind::Form, gameType, kNoDate));
    if (!verified || (!verifiedOnly_ && !form)) {
        return nullptr;
    }
    const std::vector<int> versions{verified->version, form ? form->version : 0};
    Page& page = pages_[keyOf(EntryKind::Form, gameType, kNoDate)];
    if (page.versions != versions) {
        RankingLists lists{verified->entries, {}};
        if (form) {
            lists.unverified = form->entries;
        }
        page.rendered = renderRanking(gameType, lists, linkToGame_);
        page.versions = versions;
    }
    return &page.rendered;
}

const RenderedRanking* RankingCache::daily(const ScoreDate& date)
{
    const Key key = keyOf(EntryKind::Daily, 0, date);
    const List* list = fresh(key);
    if (!list) {
        return nullptr;
    }
    Page& page = pages_[key];
    if (page.versions != std::vector<int>{list->version}) {
        page.rendered = renderDaily(date, list->entries, linkToGame_);
        page.versions = {list->version};
    }
    return &page.rendered;
}

const QByteArray* RankingCache::index(const ScoreDate& today)
{
    std::map<int, RankingLists> rankings;
    std::vector<int> versions;
    for (int gameType = 3; gameType <= 5; ++gameType) {
        const List* verified = fresh(keyOf(EntryKind::Verified, gameType, kNoDate));
        const List* form = verifiedOnly_ ? nullptr : fresh(keyOf(EntryKind::Form, gameType, kNoDate));
        if (!verified || (!verifiedOnly_ && !form)) {
            return nullptr;
        }
        rankings[gameType].verified = verified->entries;
        if (form) {
            rankings[gameType].unverified = form->entries;
        }
        versions.insert(versions.end(), {verified->version, form ? form->version : 0});
    }
    const List* daily = fresh(keyOf(EntryKind::Daily, 0, today));
    if (!daily) {
        return nullptr;
    }
    versions.insert(versions.end(), {daily->version, today.year, today.month, today.day});
    if (index_.isEmpty() || versions != indexVersions_) {
        index_ = indexPage(rankings, today, daily->entries, linkToGame_);
        indexVersions_ = versions;
    }
    return &index_;
}

void RankingCache::added(EntryKind kind, int gameType, const ScoreDate& date)
{
    const auto found = lists_.find(keyOf(kind, gameType, date));
    if (found == lists_.end()) {
        return;
    }
    List& list = found->second;
    list.expiresMs = std::min(list.expiresMs, std::max(clock_.elapsed(), list.readMs + times_.refreshMs));
}

} // namespace tavrin
