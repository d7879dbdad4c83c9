// The pages the score server answers with: UTF-8 HTML readable on a phone,
// and the rankings as JSON.
#pragma once

#include "scoreserver/score_store.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace tavrin {

// The two lists of one ranking: entries whose record replayed to their score,
// and those the registration pages posted (none with --verified-only).
struct RankingLists {
    std::vector<StoredEntry> verified;
    std::optional<std::vector<StoredEntry>> unverified;
};

// One ranking as served.
struct RenderedRanking {
    QByteArray html;
    QByteArray json;
};
// `linkToGame`: the pages link to the game's browser version under /play/.
RenderedRanking renderRanking(int gameType, const RankingLists& lists, bool linkToGame = false);
// The daily game's ranking of one date.
RenderedRanking renderDaily(const ScoreDate& date, const std::vector<StoredEntry>& entries, bool linkToGame = false);

// The best three of each ranking and of `today`'s daily game.
QByteArray indexPage(const std::map<int, RankingLists>& rankings, const ScoreDate& today,
                     const std::vector<StoredEntry>& daily, bool linkToGame = false);
QByteArray rankingPage(int gameType, const RankingLists& lists, bool linkToGame = false);
// {"gametype":N,"verified":[entries],"entries":[entries]}: "entries" are the
// pages' (empty with --verified-only); each {"rank","name","score","date",
// "comment","registered"}.
QByteArray rankingJson(int gameType, const RankingLists& lists);
// {"daily":"YYYY-MM-DD","entries":[entries]}
QByteArray dailyJson(const ScoreDate& date, const std::vector<StoredEntry>& entries);
// "YYYY-MM-DD"
QString isoDate(const ScoreDate& date);
QByteArray registeredPage(const Registration& entry, const RegistrationOutcome& outcome);
// A refusal or failure: a heading and one message (plain text, escaped here).
QByteArray messagePage(const QString& title, const QString& message);

} // namespace tavrin
