#include "puzzles/puzzle_check.h"

#include <gtest/gtest.h>

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

TEST(PuzzleCheck, BigLoopCountsClearingPlacements)
{
    // Three curves of a ring: only a curve 2 on cell 9 closes it (16 > 0).
    const auto check = checkPuzzle(withCells(kBigLoop, {{0, 4}, {1, 5}, {8, 3}}));
    EXPECT_EQ(check.loopPoints, 0);
    EXPECT_EQ(check.groups, 1);
    // Cell 9 closes the ring with piece 2, 6 (left up right), 9 (down left up) or the cross.
    EXPECT_EQ(check.clearingPlacements, 4);
    EXPECT_TRUE(check.playable);
}

TEST(PuzzleCheck, BigLoopThatNothingClearsIsUnplayable)
{
    // One piece alone can never close a loop.
    const auto check = checkPuzzle(withCells(kBigLoop, {{20, 4}}));
    EXPECT_EQ(check.loopPoints, 0);
    EXPECT_EQ(check.clearingPlacements, 0);
    EXPECT_FALSE(check.playable);
    EXPECT_FALSE(check.problem.empty());
}

TEST(PuzzleCheck, BiggerLoopsBeatMoreLoops)
{
    // On a board of crosses a T that merges two squares into a 2 x 3 ring
    // gains (36 > 32), so the puzzle is playable.
    Puzzle p;
    p.mode = kBigLoop;
    p.cells.fill(10);
    const auto check = checkPuzzle(p);
    EXPECT_EQ(check.loopPoints, 49 * 16);
    EXPECT_GT(check.clearingPlacements, 0);
    EXPECT_TRUE(check.playable);
}

TEST(PuzzleCheck, FullConnectionNeedsTwoGroups)
{
    EXPECT_TRUE(checkPuzzle(withCells(kFullConnection, {{0, 0}, {5, 1}})).playable);
    const auto one = checkPuzzle(withCells(kFullConnection, {{0, 0}, {1, 0}}));
    EXPECT_EQ(one.groups, 1);
    EXPECT_FALSE(one.playable);
    EXPECT_FALSE(checkPuzzle(withCells(kFullConnection, {})).playable);
}

TEST(PuzzleCheck, NoModeIsUnplayable)
{
    EXPECT_FALSE(checkPuzzle(withCells(kNoMode, {{0, 0}, {5, 1}})).playable);
}

} // namespace
} // namespace tavrin
