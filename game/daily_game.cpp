#include "game/daily_game.h"

#include "puzzles/puzzle_generator.h"

namespace tavrin::game {

GameRecord dailyGame(const ScoreDate& date)
{
    GameRecord record;
    record.seed = dailyGameSeed(date.year, static_cast<unsigned>(date.month), static_cast<unsigned>(date.day));
    record.itemKinds = kDailyGameItemKinds;
    record.daily = date;
    return record;
}

bool isDailyGame(const GameRecord& record)
{
    if (!record.daily) {
        return false;
    }
    const GameRecord expected = dailyGame(*record.daily);
    return record.seed == expected.seed && record.itemKinds == expected.itemKinds;
}

} // namespace tavrin::game
