#include "engine/analysis.h"
#include "engine/goals.h"
#include "board_helpers.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

namespace tavrin {
namespace {

using test::items;
using test::place;
using test::ring2;

std::vector<int> members(const GameState& s, int g)
{
    return {s.groupMembers[g].begin(), s.groupMembers[g].begin() + s.groupSize[g]};
}

std::vector<int> loop(const GameState& s, int i)
{
    return {s.loopCells[i].begin(), s.loopCells[i].begin() + s.loopLength[i]};
}

GameState editorState()
{
    GameState s;
    s.editMode = true;
    s.analysisKind = 1;
    return s;
}

TEST(Analysis, EmptyBoardHasNothing)
{
    GameState s = editorState();
    NetworkAnalysis a(s);
    EXPECT_EQ(a.networkAnalysis(), 0);
    EXPECT_FALSE(a.findGroups());
    EXPECT_EQ(s.groupCount, 0);
    EXPECT_EQ(s.loopCount, 0);
    EXPECT_EQ(s.loopPoints, 0);
}

TEST(Analysis, SmallRingIsCountedOnceClockwise)
{
    GameState s = editorState();
    ring2(s, 0);
    EXPECT_EQ(networkAnalysis(s), 16);
    ASSERT_EQ(s.groupCount, 1);
    EXPECT_EQ(members(s, 0), (std::vector<int>{0, 1, 8, 9}));
    ASSERT_EQ(s.loopCount, 1);
    // Stored from the closing member back to the start: walked 0 -> 1 -> 9 -> 8.
    EXPECT_EQ(loop(s, 0), (std::vector<int>{8, 9, 1, 0}));
}

TEST(Analysis, RingAroundAnEmptyCentre)
{
    GameState s = editorState();
    place(s, {{18, 4}, {19, 0}, {20, 5}, {26, 1}, {28, 1}, {34, 3}, {35, 0}, {36, 2}});
    EXPECT_EQ(networkAnalysis(s), 64);
    EXPECT_EQ(s.loopCount, 1);
    EXPECT_EQ(s.loopLength[0], 8);
}

TEST(Analysis, TwoRingsAreTwoGroupsAndTwoLoops)
{
    GameState s = editorState();
    ring2(s, 0);
    ring2(s, 36);
    EXPECT_EQ(networkAnalysis(s), 32);
    EXPECT_EQ(s.groupCount, 2);
    ASSERT_EQ(s.loopCount, 2);
    EXPECT_EQ(s.loopLength[0], 4);
    EXPECT_EQ(s.loopLength[1], 4);
    EXPECT_EQ(loop(s, 0).back(), 0) << "the first group's loop is found first";
    EXPECT_EQ(loop(s, 1).back(), 36);
    s.analysisKind = 0;
    EXPECT_EQ(networkAnalysis(s), 2);
}

TEST(Analysis, TailOffATIsADeadEnd)
{
    GameState s = editorState();
    ring2(s, 0);
    place(s, {{1, 8}, {2, 0}, {3, 0}}); // T opening right, then a tail
    NetworkAnalysis a(s);
    EXPECT_EQ(a.networkAnalysis(), 16);
    EXPECT_EQ(s.loopCount, 1);
    ASSERT_EQ(s.groupCount, 1);
    // Re-run the steps to look at the work arrays.
    a.findGroups();
    a.linkGroupMembers(0);
    a.markDeadEnds(0);
    const auto m = members(s, 0); // 0 1 2 3 8 9
    ASSERT_EQ(m, (std::vector<int>{0, 1, 2, 3, 8, 9}));
    EXPECT_TRUE(a.deadEnd(3));
    EXPECT_TRUE(a.deadEnd(2));
    EXPECT_FALSE(a.deadEnd(1)) << "the junction is not marked";
    a.cutDeadEnds(0);
    EXPECT_EQ(a.memberDegree(1), 2);
    EXPECT_EQ(a.memberLink(1, kRight), -1);
}

TEST(Analysis, DeadEndPassStopsAtJunctions)
{
    // A T whose two branches are dead ends: after one pass the T itself would be
    // an end, but the pass does not go on.
    GameState s = editorState();
    place(s, {{9, 8}, {8, 0}, {10, 0}, {17, 1}});
    NetworkAnalysis a(s);
    a.findGroups();
    a.linkGroupMembers(0);
    a.markDeadEnds(0);
    // members in cell order: 8, 9, 10, 17
    EXPECT_TRUE(a.deadEnd(0));
    EXPECT_FALSE(a.deadEnd(1));
    EXPECT_TRUE(a.deadEnd(2));
    EXPECT_TRUE(a.deadEnd(3));
}

TEST(Analysis, StraightLineHasNoLoop)
{
    GameState s = editorState();
    for (int c = 8; c < 16; ++c) s.board[c] = 0;
    EXPECT_EQ(networkAnalysis(s), 0);
    EXPECT_EQ(s.groupCount, 1);
    EXPECT_EQ(s.groupSize[0], 8);
}

TEST(Analysis, GroupsMergeIntoTheLowestAndLaterGroupsMoveDown)
{
    GameState s = editorState();
    s.analysisKind = 0;
    // Two verticals joined by a U below; a lone cross at 5 is scanned between them.
    place(s, {{0, 1}, {2, 1}, {5, 10}, {8, 3}, {9, 0}, {10, 2}});
    NetworkAnalysis a(s);
    EXPECT_FALSE(a.findGroups());
    ASSERT_EQ(s.groupCount, 2);
    EXPECT_EQ(members(s, 0), (std::vector<int>{0, 8, 9, 2, 10}));
    EXPECT_EQ(members(s, 1), (std::vector<int>{5}));
    EXPECT_EQ(s.groupSize[2], 0);
}

TEST(Analysis, LoopsAreListedByLengthInTheOrderFound)
{
    GameState s = editorState();
    // A 3 x 3 ring at the top left (found first) and a 2 x 2 ring further down.
    place(s, {{0, 4}, {1, 0}, {2, 5}, {8, 1}, {10, 1}, {16, 3}, {17, 0}, {18, 2}});
    ring2(s, 44);
    EXPECT_EQ(networkAnalysis(s), 64 + 16);
    ASSERT_EQ(s.loopCount, 2);
    EXPECT_EQ(s.loopLength[0], 4);
    EXPECT_EQ(s.loopLength[1], 8);
    EXPECT_EQ(loop(s, 1).back(), 0);
}

// The help's example: a ring of two rows and three columns split by two T
// pieces counts its two rooms, not the ring around both.
TEST(Analysis, RingSplitByTPiecesCountsEachRoomOnly)
{
    GameState s = editorState();
    place(s, {{0, 4}, {1, 8}, {2, 5}, {8, 3}, {9, 6}, {10, 2}});
    EXPECT_EQ(networkAnalysis(s), 16 + 16);
    ASSERT_EQ(s.loopCount, 2);
    EXPECT_EQ(s.loopLength[0], 4);
    EXPECT_EQ(s.loopLength[1], 4);
    // With straights instead of the T pieces: one loop of 6.
    place(s, {{1, 0}, {9, 0}});
    EXPECT_EQ(networkAnalysis(s), 36);
}

TEST(Analysis, FullBoardOfCrossesHasFortyNineSquares)
{
    GameState s;
    items(s, {0, 36});
    for (int c = 0; c < kCellCount; ++c) s.board[c] = 10;
    NetworkAnalysis a(s);
    EXPECT_EQ(a.networkAnalysis(), TurnResult::kGoalReached);
    EXPECT_EQ(s.loopCount, 49);
    EXPECT_EQ(s.loopPoints, 49 * 16);
    EXPECT_TRUE(a.allCellsGreen());
    EXPECT_EQ(loop(s, 0), (std::vector<int>{10, 2, 1, 9})) << "degree-4 starts come first";
}

// Every loop found is a closed, clockwise walk over joined distinct cells, the
// list is sorted by length and the points are the sum of the squares.
TEST(Analysis, LoopsOnRandomBoardsAreWellFormed)
{
    std::mt19937 rng(2026);
    std::uniform_int_distribution<int> piece(-1, 10);
    for (int round = 0; round < 300; ++round) {
        GameState s = editorState();
        for (int c = 0; c < kCellCount; ++c) s.board[c] = static_cast<HyperRoad>(piece(rng));
        networkAnalysis(s);
        long points = 0;
        for (int i = 0; i < s.loopCount; ++i) {
            const auto cells = loop(s, i);
            const int n = static_cast<int>(cells.size());
            ASSERT_GE(n, 4);
            points += static_cast<long>(n) * n;
            if (i > 0) {
                EXPECT_LE(s.loopLength[i - 1], s.loopLength[i]);
            }
            EXPECT_EQ(std::set<int>(cells.begin(), cells.end()).size(), cells.size());
            long area2 = 0;
            for (int k = 0; k < n; ++k) {
                const int a = cells[k];
                const int b = cells[(k + 1) % n];
                ASSERT_TRUE(cellsLinked(s.board, a, b)) << a << "-" << b;
                area2 += cellColumn(a) * cellRow(b) - cellColumn(b) * cellRow(a);
            }
            // Stored in reverse walking order, so the stored order runs anticlockwise.
            EXPECT_LT(area2, 0);
        }
        EXPECT_EQ(points, s.loopPoints);
    }
}

TEST(Greening, ItemsGroupTurnsGreenAndLosesItAgain)
{
    GameState s;
    items(s, {0, 3});
    place(s, {{0, 0}, {1, 0}, {2, 0}, {3, 0}});
    s.movesUsed = 3;
    s.maxMovesUsed = 3;
    EXPECT_EQ(networkAnalysis(s), TurnResult::kPlayOn);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(s.greenStamp[c], 97);
        EXPECT_TRUE(s.greenChanged[c]);
    }
    EXPECT_EQ(s.greenStamp[4], -1);
    EXPECT_FALSE(s.greenChanged[4]);

    // Break the link: every green cell goes back and is redrawn.
    s.board[1] = 1;
    s.movesUsed = 4;
    networkAnalysis(s);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(s.greenStamp[c], -1) << c;
        EXPECT_TRUE(s.greenChanged[c]);
    }
}

TEST(Greening, CellThatTurnedGreenThreeMovesAgoIsRedrawn)
{
    GameState s;
    items(s, {0, 1});
    place(s, {{0, 0}, {1, 0}});
    s.movesUsed = 10;
    networkAnalysis(s);
    ASSERT_EQ(s.greenStamp[0], 90);
    s.movesUsed = 12;
    networkAnalysis(s);
    EXPECT_FALSE(s.greenChanged[0]);
    s.movesUsed = 13;
    networkAnalysis(s);
    EXPECT_TRUE(s.greenChanged[0]);
    EXPECT_EQ(s.greenStamp[0], 90);
}

TEST(Greening, EditorAndSeriesDoNotStampCells)
{
    GameState s = editorState();
    items(s, {0, 1});
    place(s, {{0, 0}, {1, 0}});
    networkAnalysis(s);
    EXPECT_EQ(s.greenStamp[0], -1);
    EXPECT_TRUE(s.greenChanged[0]);
}

TEST(Results, FreeGameCodes)
{
    GameState s;
    items(s, {0, 63});
    for (int c = 0; c < kCellCount; ++c) s.board[c] = 10;
    s.movesUsed = 64;
    EXPECT_EQ(networkAnalysis(s), TurnResult::kGoalReached);

    // Full and one group, but without items nothing turns green.
    GameState t = s;
    t.cellItem.fill(-1);
    t.itemCount = 0;
    t.greenStamp.fill(-1);
    EXPECT_EQ(networkAnalysis(t), TurnResult::kFullNotGreen);

    GameState u;
    items(u, {0, 63});
    u.board[0] = 0;
    u.movesUsed = 99;
    EXPECT_EQ(networkAnalysis(u), TurnResult::kPlayOn);
    u.movesUsed = 100;
    u.overrunState = 1;
    EXPECT_EQ(networkAnalysis(u), TurnResult::kNoMovesLeft);
    EXPECT_EQ(u.overrunState, 1);
    u.movesUsed = 50;
    networkAnalysis(u);
    EXPECT_EQ(u.overrunState, 0) << "moves left reset the overrun state";

    t.movesUsed = 101;
    EXPECT_EQ(networkAnalysis(t), TurnResult::kNoMovesLeft);
    t.overrunState = 2;
    EXPECT_EQ(networkAnalysis(t), TurnResult::kFullNotGreen);
}

TEST(Results, SeriesCodesFollowThePuzzleMode)
{
    GameState s;
    s.puzzleSeries = true;
    s.puzzleCount = 1;
    s.puzzleIndex = 0;
    s.puzzles[0].mode = kFullConnection;
    ring2(s, 0);
    EXPECT_EQ(networkAnalysis(s), 0) << "one group but not full";
    for (int c = 0; c < kCellCount; ++c) s.board[c] = 10;
    EXPECT_EQ(networkAnalysis(s), -1);
    EXPECT_TRUE(fullConnectionReached(s.groupCount));

    s.puzzles[0].mode = kBigLoop;
    s.analysisKind = 1;
    EXPECT_EQ(networkAnalysis(s), 49 * 16);
    s.analysisKind = 0;
    EXPECT_EQ(networkAnalysis(s), 0);
}

TEST(Goals, TextsAndTests)
{
    EXPECT_EQ(fullConnectionMissText(3).japanese(), "全てのハイパーロードをつなげてください。現在のグループ数：3");
    EXPECT_EQ(bigLoopMissText(16).japanese(), "ループ点を増やしてください。現在のループ点：16");
    EXPECT_TRUE(bigLoopReached(17, 16));
    EXPECT_FALSE(bigLoopReached(16, 16));
    EXPECT_TRUE(bigLoopSettingDone(15, 16));
    EXPECT_FALSE(bigLoopSettingDone(16, 16));
    EXPECT_FALSE(fullConnectionStartValid(1));
    EXPECT_FALSE(fullConnectionStartValid(0));
    EXPECT_TRUE(fullConnectionStartValid(2));
    EXPECT_FALSE(bigLoopStartValid(0));
    EXPECT_TRUE(ecoGoalReached(TurnResult::kGoalReached));
    EXPECT_FALSE(ecoGoalReached(TurnResult::kFullNotGreen));
}

} // namespace
} // namespace tavrin
