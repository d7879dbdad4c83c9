#include "engine/analysis.h"
#include "engine/hint.h"
#include "engine/scoring.h"
#include "board_helpers.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace tavrin {
namespace {

// The obvious way: a whole fresh copy per cell, the full analysis, the sum.
std::optional<PlacementHint> bruteForce(const GameState& state, HyperRoad piece, bool freeMove)
{
    std::optional<PlacementHint> best;
    for (int c = 0; c < kCellCount; ++c) {
        bool allSame = true;
        for (int i = 0; i < kCellCount; ++i) {
            allSame = allSame && state.board[i] == piece;
        }
        if (state.board[c] == piece && !allSame) {
            continue;
        }
        auto copy = std::make_unique<GameState>(state);
        copy->board[c] = piece;
        if (!freeMove) {
            ++copy->movesUsed;
        }
        copy->maxMovesUsed = std::max(copy->maxMovesUsed, copy->movesUsed);
        networkAnalysis(*copy);
        const long total = ecoPoints(*copy) + copy->loopPoints;
        if (!best || total > best->total) {
            best = PlacementHint{c, total};
        }
    }
    return best;
}

TEST(Hint, MatchesBruteForceOnSeededPositions)
{
    std::mt19937 rng(77);
    std::uniform_int_distribution<int> piece(-1, 10);
    std::uniform_int_distribution<int> moves(0, 60);
    for (int round = 0; round < 60; ++round) {
        auto s = std::make_unique<GameState>();
        test::items(*s, {0, 27, 60});
        for (int c = 0; c < kCellCount; ++c) {
            s->board[c] = static_cast<HyperRoad>(piece(rng));
        }
        s->movesUsed = static_cast<std::int16_t>(moves(rng));
        s->maxMovesUsed = s->movesUsed;
        networkAnalysis(*s); // green stamps and labels as after a real move
        refreshScoreLabels(*s, true);
        const auto offered = static_cast<HyperRoad>(round % kPieceKinds);
        const bool freeMove = round % 3 == 0;
        const GameState before = *s;
        const auto hint = bestPlacement(*s, offered, freeMove);
        const auto expected = bruteForce(*s, offered, freeMove);
        ASSERT_TRUE(hint && expected);
        EXPECT_EQ(hint->total, expected->total) << "round " << round;
        if (hint->raises) {
            EXPECT_EQ(hint->cell, expected->cell) << "round " << round;
        }
        EXPECT_EQ(s->board, before.board) << "the hint never changes the game";
        EXPECT_EQ(s->greenStamp, before.greenStamp);
        EXPECT_EQ(s->labels, before.labels);
    }
}

TEST(Hint, HonoursTheSameShapeRule)
{
    auto s = std::make_unique<GameState>();
    test::items(*s, {0, 63});
    s->board[0] = 0;
    auto hint = bestPlacement(*s, 0, false);
    ASSERT_TRUE(hint);
    EXPECT_NE(hint->cell, 0) << "a piece is never laid on itself";

    s->board.fill(3);
    hint = bestPlacement(*s, 3, false);
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->cell, 0) << "a board full of the offered shape accepts it";
    EXPECT_FALSE(bestPlacement(*s, kEmpty, false));
}

// When nothing scores (a new game, items far apart) the hint still leads the
// roads towards the items instead of pointing at the first cell.
TEST(Hint, WithoutPointsItJoinsRoadsTowardsTheItems)
{
    auto s = std::make_unique<GameState>();
    test::items(*s, {26, 30});
    auto hint = bestPlacement(*s, 0, false);
    ASSERT_TRUE(hint);
    EXPECT_FALSE(hint->raises);
    EXPECT_EQ(hint->cell, 26) << "a new game starts on an item, between the items";
    EXPECT_EQ(hint->gap, 4);

    // A straight on the first item: the next one answers its end on the side
    // of the other item, not on the far side, nor anywhere else.
    s->board[26] = 0;
    hint = bestPlacement(*s, 0, false);
    ASSERT_TRUE(hint);
    EXPECT_FALSE(hint->raises);
    EXPECT_EQ(hint->cell, 27);
    EXPECT_EQ(hint->openEnds, 2);
    EXPECT_EQ(hint->gap, 3);
    EXPECT_EQ(unansweredEnds(s->board), 2);
}

TEST(Hint, FindsTheCellThatClosesARing)
{
    auto s = std::make_unique<GameState>();
    test::place(*s, {{0, 4}, {1, 5}, {8, 3}});
    const auto hint = bestPlacement(*s, 2, false);
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->cell, 9);
    EXPECT_EQ(hint->total, 16);
    EXPECT_TRUE(hint->raises);
}

} // namespace
} // namespace tavrin
