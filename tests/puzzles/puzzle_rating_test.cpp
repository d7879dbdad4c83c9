#include "puzzles/puzzle_rating.h"

#include "engine/analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace tavrin {
namespace {

Puzzle withCells(GameMode mode, std::initializer_list<std::pair<int, int>> cells)
{
    Puzzle p;
    p.mode = mode;
    for (const auto& [c, code] : cells) {
        p.cells[c] = static_cast<HyperRoad>(code);
    }
    return p;
}

TEST(PuzzleRating, BigLoopCountsClearingPlacements)
{
    // Three curves of a ring: cell 9 closes it with piece 2, 6 (left up
    // right), 9 (down left up) or the cross; the curve is the one clean fit.
    const auto r = ratePuzzle(withCells(kBigLoop, {{0, 4}, {1, 5}, {8, 3}}));
    EXPECT_EQ(r.loopPoints, 0);
    EXPECT_EQ(r.groups, 1);
    EXPECT_EQ(r.clearingPlacements, 4);
    EXPECT_TRUE(r.playable);
    EXPECT_EQ(r.expectedMisses100, 0);
    EXPECT_EQ(r.grade, 1);
}

TEST(PuzzleRating, BigLoopThatNothingClearsIsUnplayable)
{
    // One piece alone can never close a loop.
    const auto r = ratePuzzle(withCells(kBigLoop, {{20, 4}}));
    EXPECT_EQ(r.clearingPlacements, 0);
    EXPECT_FALSE(r.playable);
    EXPECT_FALSE(r.problem.empty());
    EXPECT_EQ(r.grade, 0);
}

TEST(PuzzleRating, BiggerLoopsBeatMoreLoops)
{
    // On a board of crosses a T that merges two squares into a 2 x 3 ring
    // gains (36 > 32), so the puzzle is playable.
    Puzzle p;
    p.mode = kBigLoop;
    p.cells.fill(10);
    const auto r = ratePuzzle(p);
    EXPECT_EQ(r.loopPoints, 49 * 16);
    EXPECT_GT(r.clearingPlacements, 0);
    EXPECT_TRUE(r.playable);
}

TEST(PuzzleRating, FullConnectionNeedsTwoGroups)
{
    EXPECT_TRUE(ratePuzzle(withCells(kFullConnection, {{0, 0}, {5, 1}})).playable);
    const auto one = ratePuzzle(withCells(kFullConnection, {{0, 0}, {1, 0}}));
    EXPECT_EQ(one.groups, 1);
    EXPECT_FALSE(one.playable);
    EXPECT_FALSE(ratePuzzle(withCells(kFullConnection, {})).playable);
    EXPECT_FALSE(ratePuzzle(withCells(kNoMode, {{0, 0}, {5, 1}})).playable);
}

TEST(PuzzleRating, FullConnectionGapMatchesTheWaitingTime)
{
    // Two straights with a gap: the four shapes that open left and right
    // (0, 6, 8, the cross) clear. Waiting for one of 4 among the 10 other
    // shapes takes 10/4 misses, after a first shape that misses with chance
    // 7/11: 1.59.
    const auto r = ratePuzzle(withCells(kFullConnection, {{0, 0}, {2, 0}}));
    EXPECT_EQ(r.clearingShapes, 4);
    EXPECT_FALSE(r.beyondModel);
    EXPECT_EQ(r.expectedMisses100, 159);
    EXPECT_EQ(r.grade, 3);
}

TEST(PuzzleRating, FullConnectionThreeGroupsNeedAMissFirst)
{
    // Three single straights in a row with gaps: no one placement joins them.
    // A left-right shape (4 of 11) fills a gap, then the other gap is the
    // case above: 2.75 misses from there; the other 7 shapes are laid aside.
    // X = (10 * 7 + 11 * 4 * 2.75) / (11 - 7) = 47.75, and X / 11 = 4.34.
    const auto r = ratePuzzle(withCells(kFullConnection, {{0, 0}, {2, 0}, {4, 0}}));
    EXPECT_EQ(r.clearingShapes, 0);
    EXPECT_EQ(r.expectedMisses100, 434);
    // Two cells apart is beyond the sensible player.
    const auto far = ratePuzzle(withCells(kFullConnection, {{0, 0}, {3, 0}}));
    EXPECT_TRUE(far.beyondModel);
    EXPECT_EQ(far.grade, 5);
}

// The big-loop player, played out: every placement through the analysis, tried
// rank by rank in a shuffled order. Its mean misses must meet the exact figure.
TEST(PuzzleRating, BigLoopAgainstEveryPlacementTried)
{
    auto s = std::make_unique<GameState>();
    s->editMode = true;
    s->analysisKind = 1;
    NetworkAnalysis analysis(*s);
    std::mt19937 rng(17);
    int rated = 0;
    for (int round = 0; round < 300 && rated < 6; ++round) {
        Puzzle p = withCells(kBigLoop, {});
        // A dense patch of pieces in the top-left 5 x 5 corner.
        for (int c = 0; c < kCellCount; ++c) {
            if (cellRow(c) < 5 && cellColumn(c) < 5 && rng() % 100 < 75) {
                p.cells[c] = static_cast<HyperRoad>(rng() % kPieceKinds);
            }
        }
        std::copy(p.cells.begin(), p.cells.end(), s->board.begin());
        const Board board = s->board;
        const long start = analysis.networkAnalysis();
        std::vector<std::pair<int, bool>> tries; // rank, clears
        for (int c = 0; c < kCellCount; ++c) {
            for (int shape = 0; shape <= kEraser; ++shape) {
                const HyperRoad content = shape == kEraser ? kEmpty : static_cast<HyperRoad>(shape);
                if (board[c] == content) {
                    continue;
                }
                s->board = board;
                s->board[c] = content;
                tries.emplace_back(tryRank(board, c, content), analysis.networkAnalysis() > start);
            }
        }
        const auto clearing = static_cast<int>(std::count_if(tries.begin(), tries.end(), [](auto t) { return t.second; }));
        const PuzzleRating r = ratePuzzle(p);
        ASSERT_EQ(r.clearingPlacements, clearing) << "round " << round;
        if (clearing == 0) {
            continue;
        }
        ++rated;
        long misses = 0;
        const int runs = 600;
        for (int run = 0; run < runs; ++run) {
            std::shuffle(tries.begin(), tries.end(), rng);
            std::stable_sort(tries.begin(), tries.end(), [](auto a, auto b) { return a.first < b.first; });
            misses += std::find_if(tries.begin(), tries.end(), [](auto t) { return t.second; }) - tries.begin();
        }
        const double mean = static_cast<double>(misses) / runs;
        EXPECT_NEAR(mean * 100, r.expectedMisses100, 10 + mean * 8) << "round " << round;
    }
    EXPECT_EQ(rated, 6);
}

TEST(PuzzleRating, GradesRiseWithTheMisses)
{
    EXPECT_EQ(gradeFor(kBigLoop, 0, 1), 1);
    EXPECT_EQ(gradeFor(kBigLoop, 99, 1), 1);
    EXPECT_EQ(gradeFor(kBigLoop, 100, 1), 2);
    EXPECT_EQ(gradeFor(kBigLoop, 2999, 1), 4);
    EXPECT_EQ(gradeFor(kBigLoop, 5000, 1), 5);
    EXPECT_EQ(gradeFor(kBigLoop, 5000, 2), 2); // grades 3..5 need a unique solution
    EXPECT_EQ(gradeFor(kFullConnection, 69, 0), 1);
    EXPECT_EQ(gradeFor(kFullConnection, 600, 0), 5);
}

} // namespace
} // namespace tavrin
