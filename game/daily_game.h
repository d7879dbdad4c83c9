// The daily free game (今日の一局): one game a date, the same for every
// player on every build.
#pragma once

#include "game/game_record.h"
#include "scores/score_page.h"

namespace tavrin::game {

// Every daily game has the item kinds of the bundled item picture, so that
// its supply does not depend on the player's theme.
inline constexpr int kDailyGameItemKinds = 3;

// The record a daily game starts from: the date's seed (dailyGameSeed in
// puzzles/puzzle_generator.h), kDailyGameItemKinds, the date, no moves yet.
// `date` must be a real date.
GameRecord dailyGame(const ScoreDate& date);

// Whether `record` claims to be a daily game and really is that date's.
bool isDailyGame(const GameRecord& record);

} // namespace tavrin::game
