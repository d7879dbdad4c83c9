#include "engine/placement_groups.h"
#include "engine/placement_loops.h"

#include "engine/analysis.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace tavrin {
namespace {

// Road groups and open ends of `board`, counted the slow way: the real
// analysis for the groups, every side for the ends.
int analysedGroups(GameState& s, const Board& board)
{
    s.board = board;
    NetworkAnalysis(s).networkAnalysis();
    return s.groupCount;
}

int countedOpenEnds(const Board& board)
{
    int ends = 0;
    for (int c = 0; c < kCellCount; ++c) {
        for (int d = 0; d < kDirections; ++d) {
            if (opensSide(board[c], d) && !cellsLinked(board, c, neighbour(c, d))) {
                ++ends;
            }
        }
    }
    return ends;
}

TEST(PlacementGroups, EveryPlacementMatchesTheAnalysis)
{
    // Seeded boards from sparse to full; every cell with every content.
    auto s = std::make_unique<GameState>();
    s->editMode = true;
    std::mt19937 rng(5);
    for (int round = 0; round < 24; ++round) {
        Board board = emptyBoard();
        const unsigned fill = 20 + static_cast<unsigned>(round) * 80 / 24;
        for (int c = 0; c < kCellCount; ++c) {
            if (rng() % 100 < fill) {
                board[c] = static_cast<HyperRoad>(rng() % kPieceKinds);
            }
        }
        const PlacementGroups table(board);
        ASSERT_EQ(table.groups(), analysedGroups(*s, board));
        ASSERT_EQ(table.openEnds(), countedOpenEnds(board));
        for (int c = 0; c < kCellCount; ++c) {
            for (HyperRoad content = kEmpty; content < kPieceKinds; ++content) {
                Board after = board;
                after[c] = content;
                ASSERT_EQ(table.groupsAfter(c, content), analysedGroups(*s, after))
                    << "round " << round << " cell " << c << " content " << content;
                ASSERT_EQ(table.openEndsAfter(c, content), countedOpenEnds(after));
            }
        }
    }
}

TEST(PlacementLoops, EveryContentMatchesTheAnalysis)
{
    auto s = std::make_unique<GameState>();
    s->editMode = true;
    s->analysisKind = 1;
    std::mt19937 rng(9);
    for (int round = 0; round < 16; ++round) {
        Board board = emptyBoard();
        for (int c = 0; c < kCellCount; ++c) {
            if (rng() % 100 < 40 + static_cast<unsigned>(round) * 4) {
                board[c] = static_cast<HyperRoad>(rng() % kPieceKinds);
            }
        }
        PlacementLoops loops(board);
        s->board = board;
        ASSERT_EQ(loops.points(), NetworkAnalysis(*s).networkAnalysis());
        for (int c = 0; c < kCellCount; ++c) {
            const auto points = loops.pointsPerContent(c);
            for (int i = 0; i < kCellContents; ++i) {
                s->board = board;
                s->board[c] = contentAt(i);
                ASSERT_EQ(points[static_cast<std::size_t>(i)], NetworkAnalysis(*s).networkAnalysis())
                    << "round " << round << " cell " << c << " content " << contentAt(i);
            }
        }
    }
}

TEST(PlacementGroups, ARingStaysOneGroupWhereALineFallsApart)
{
    // A 3 x 3 ring over cells 0..18 and a line of three straights on row 5.
    Board board = emptyBoard();
    const int pieces[11][2] = {{0, 4}, {1, 0}, {2, 5}, {8, 1}, {10, 1}, {16, 3}, {17, 0}, {18, 2},
                               {40, 0}, {41, 0}, {42, 0}};
    for (const auto& [c, p] : pieces) {
        board[c] = static_cast<HyperRoad>(p);
    }
    const PlacementGroups table(board);
    EXPECT_EQ(table.groups(), 2);
    EXPECT_EQ(table.groupsAfter(0, kEmpty), 2);  // the ring opens but holds together
    EXPECT_EQ(table.groupsAfter(41, kEmpty), 3); // the line falls in two
    EXPECT_EQ(table.groupsAfter(41, 1), 4);      // ... and a vertical straight stands alone between
    EXPECT_EQ(table.groupsAfter(43, 10), 2);     // a cross extends the line
    EXPECT_EQ(table.groupsAfter(33, 10), 3);     // but joins nothing above it: straights do not open up
    EXPECT_EQ(table.openEnds(), 2);
}

} // namespace
} // namespace tavrin
