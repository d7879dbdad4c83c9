// Recorded games replayed by the real rules: each pins seed + moves -> score.
#include "game/daily_game.h"
#include "game/record_replay.h"
#include "puzzles/puzzle_generator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tavrin::game {
namespace {

struct Finished {
    int score = 0;
    GameRecord record;
};

std::vector<Finished> finishedGames()
{
    std::ifstream in(std::string(TAVRIN_TEST_DATA) + "/records/finished.txt");
    std::vector<Finished> games;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        Finished game;
        int kinds = 0;
        std::uint64_t seed = 0;
        std::string text;
        fields >> game.score >> kinds >> seed >> text;
        const RecordRead read = readRecordText(text);
        EXPECT_TRUE(read.record) << line;
        if (read.record) {
            EXPECT_EQ(read.record->itemKinds, kinds);
            EXPECT_EQ(read.record->seed, seed);
            game.record = *read.record;
            games.push_back(game);
        }
    }
    return games;
}

TEST(RecordReplay, RealGamesReachTheGoalWithTheirScores)
{
    const std::vector<Finished> games = finishedGames();
    ASSERT_EQ(games.size(), 5u);
    for (const Finished& game : games) {
        const Verification plain = verifyRecord(game.record);
        EXPECT_EQ(plain.verdict, Verdict::Finished) << game.record.seed;
        EXPECT_EQ(plain.score, game.score) << game.record.seed;
        EXPECT_TRUE(verifyRecord(game.record, game.score).finished());
        const Verification claimed = verifyRecord(game.record, game.score + 1);
        EXPECT_EQ(claimed.verdict, Verdict::ScoreDiffers);
        EXPECT_EQ(claimed.score, game.score);
        EXPECT_EQ(verifyRecordBytes(encodeRecord(game.record)).score, game.score);
    }
    EXPECT_TRUE(isDailyGame(games.back().record));
}

TEST(RecordReplay, AChangedRecordIsRefused)
{
    const GameRecord game = finishedGames().front().record;

    GameRecord shorter = game;
    shorter.moves.pop_back();
    EXPECT_EQ(verifyRecord(shorter).verdict, Verdict::GoalNotReached);

    GameRecord longer = game;
    longer.moves.push_back(0);
    const Verification after = verifyRecord(longer);
    EXPECT_EQ(after.verdict, Verdict::MovesAfterEnd);
    EXPECT_EQ(after.move, static_cast<int>(game.moves.size()));

    GameRecord otherSeed = game;
    ++otherSeed.seed;
    EXPECT_FALSE(verifyRecord(otherSeed).finished());
    GameRecord otherKinds = game;
    otherKinds.itemKinds = 4;
    EXPECT_FALSE(verifyRecord(otherKinds).finished());

    // The offered piece laid on a cell that already holds it.
    FreeGamePlay play(game.seed, game.itemKinds);
    for (std::size_t i = 0; i < game.moves.size(); ++i) {
        for (int cell = 0; cell < kCellCount; ++cell) {
            if (play.state().board[cell] == play.offeredPiece()) {
                GameRecord same = game;
                same.moves[i] = static_cast<std::uint8_t>(cell);
                const Verification refused = verifyRecord(same);
                EXPECT_EQ(refused.verdict, Verdict::MoveRefused);
                EXPECT_EQ(refused.move, static_cast<int>(i));
                return;
            }
        }
        ASSERT_EQ(play.play(game.moves[i]), FreeGamePlay::Outcome::Played);
    }
    FAIL() << "no move offered a piece already on the board";
}

TEST(RecordReplay, DailyGameIsTheDatesOwn)
{
    const GameRecord day = dailyGame(ScoreDate{2026, 12, 9});
    EXPECT_EQ(day.seed, dailyGameSeed(2026, 12, 9));
    EXPECT_NE(day.seed, dailyRequest(2026, 12, 9).seed);
    EXPECT_NE(day.seed, dailyGame(ScoreDate{2026, 12, 10}).seed);
    EXPECT_EQ(day.itemKinds, kDailyGameItemKinds);
    // Pinned: every build deals this game on that date.
    EXPECT_EQ(day.seed, 6475630736873604910ULL);

    GameRecord finished = finishedGames().back().record;
    GameRecord elsewhere = finished;
    elsewhere.daily = ScoreDate{2026, 12, 10};
    EXPECT_EQ(verifyRecord(elsewhere).verdict, Verdict::NotDailyGame);
    GameRecord undated = finished;
    undated.daily.reset();
    EXPECT_TRUE(verifyRecord(undated).finished()); // the same game, played as a free game
    EXPECT_EQ(verifyRecord(GameRecord{1, 7, std::nullopt, {}}).verdict, Verdict::Malformed);
}

} // namespace
} // namespace tavrin::game
