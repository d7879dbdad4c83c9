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

TEST(PuzzleRating, FullConnectionGradesThePlanNotTheWait)
{
    // Two straights with a gap that both point into: four of the eleven
    // shapes fill it, and a person sees it at once, however long the supply
    // takes to offer one of them.
    const auto r = ratePuzzle(withCells(kFullConnection, {{0, 0}, {2, 0}}));
    EXPECT_EQ(r.clearingShapes, 4);
    EXPECT_FALSE(r.beyondModel);
    EXPECT_EQ(r.expectedMisses100, 0);
    EXPECT_EQ(r.grade, 1);
}

TEST(PuzzleRating, FullConnectionCountsJoinsAndPiecesLaidAhead)
{
    // Three straights in a row with gaps: one gap is filled (a miss), then
    // the other clears.
    const auto three = ratePuzzle(withCells(kFullConnection, {{0, 0}, {2, 0}, {4, 0}}));
    EXPECT_EQ(three.clearingShapes, 0);
    EXPECT_EQ(three.expectedMisses100, 100);
    EXPECT_EQ(three.laidAhead100, 0);
    EXPECT_EQ(three.grade, 2);
    // A gap two cells wide: nothing joins at once, so a piece is laid ahead
    // into it first; planning counts twice.
    const auto wide = ratePuzzle(withCells(kFullConnection, {{0, 0}, {3, 0}}));
    EXPECT_FALSE(wide.beyondModel);
    EXPECT_EQ(wide.expectedMisses100, 100);
    EXPECT_EQ(wide.laidAhead100, 100);
    EXPECT_EQ(wide.grade, 3);
}

// Two puzzles that the old rater graded by the wrong thing.
TEST(PuzzleRating, FullConnectionCrossWhereTwoRoadsPointAtAStraight)
{
    // Three groups; only a cross on the straight at row 4, column 2 (counting
    // from 0) joins them, and both roads that point at it say so. It used to
    // be grade 5 for the wait for the one shape.
    const auto r = ratePuzzle(withCells(kFullConnection,
        {{8, 4}, {16, 3}, {17, 5}, {20, 5}, {21, 5}, {25, 1}, {26, 4}, {27, 0}, {28, 6}, {29, 2}, {32, 3},
         {33, 6}, {34, 0}, {35, 0}, {36, 6}, {40, 0}, {41, 8}, {42, 10}, {43, 5}, {49, 3}, {50, 2}, {51, 1}}));
    EXPECT_EQ(r.groups, 3);
    EXPECT_EQ(r.clearingShapes, 1);
    EXPECT_EQ(r.expectedMisses100, 0);
    EXPECT_EQ(r.grade, 1);
}

TEST(PuzzleRating, BigLoopLooksFirstWhereRoadsPointIn)
{
    // Two rectangles side by side and a stray straight; the only unanswered
    // ends point into the curve at row 6, column 3, where the T that opens
    // down, left and up is the one clearing placement. It used to be grade 4.
    const auto r = ratePuzzle(withCells(kBigLoop,
        {{26, 4}, {27, 8}, {28, 8}, {29, 5}, {32, 0}, {34, 1}, {35, 1}, {36, 1}, {37, 1}, {42, 1},
         {43, 1}, {44, 1}, {45, 1}, {50, 3}, {51, 5}, {52, 10}, {53, 2}, {59, 3}, {60, 2}}));
    ASSERT_EQ(r.clearingPlacements, 1);
    EXPECT_EQ(r.clearing[0].cell, 51);
    EXPECT_EQ(r.clearing[0].content, 9);
    EXPECT_LT(r.expectedMisses100, 300);
    EXPECT_LE(r.grade, 2);
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
    EXPECT_EQ(gradeFor(kBigLoop, 0), 1);
    EXPECT_EQ(gradeFor(kBigLoop, 99), 1);
    EXPECT_EQ(gradeFor(kBigLoop, 100), 2);
    EXPECT_EQ(gradeFor(kBigLoop, 2999), 4);
    EXPECT_EQ(gradeFor(kBigLoop, 5000), 5);
    EXPECT_EQ(gradeFor(kBigLoop, 5000, 300), 5); // nothing is laid ahead in big loop
    EXPECT_EQ(gradeFor(kFullConnection, 49, 0), 1);
    EXPECT_EQ(gradeFor(kFullConnection, 100, 0), 2);
    EXPECT_EQ(gradeFor(kFullConnection, 100, 100), 3);
    EXPECT_EQ(gradeFor(kFullConnection, 350, 0), 5);
}

} // namespace
} // namespace tavrin
