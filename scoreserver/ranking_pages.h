// The pages the score server answers with: UTF-8 HTML readable on a phone,
// and the rankings as JSON.
#pragma once

#include "scoreserver/score_store.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <vector>

namespace tavrin {

// gametype -> its best entries.
using Rankings = std::map<int, std::vector<StoredEntry>>;

// One ranking as read and as served.
struct RenderedRanking {
    std::vector<StoredEntry> entries;
    QByteArray html;
    QByteArray json;
};
// `linkToGame`: the pages link to the game's browser version under /play/.
RenderedRanking renderRanking(int gameType, std::vector<StoredEntry> entries, bool linkToGame = false);

QByteArray indexPage(const Rankings& rankings, bool linkToGame = false);
QByteArray rankingPage(int gameType, const std::vector<StoredEntry>& entries, bool linkToGame = false);
QByteArray rankingJson(int gameType, const std::vector<StoredEntry>& entries);
QByteArray registeredPage(const Registration& entry, const RegistrationOutcome& outcome);
// A refusal or failure: a heading and one message (plain text, escaped here).
QByteArray messagePage(const QString& title, const QString& message);

} // namespace tavrin
