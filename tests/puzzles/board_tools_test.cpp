#include "puzzles/board_tools.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavrin {
namespace {

// A board with a distinct, asymmetric pattern: every piece code appears, and
// no transform maps it onto itself.
Board patternBoard()
{
    Board b = emptyBoard();
    for (int i = 0; i < kCellCount; ++i) {
        b[i] = static_cast<HyperRoad>((i * 7 + i / 8) % 13 - 1);
        if (b[i] > 10) {
            b[i] = kEmpty;
        }
    }
    b[kCellCount] = 5; // the spare slot is never touched
    return b;
}

TEST(BoardShifts, ShiftRightWrapsTheRightmostColumn)
{
    Board b = emptyBoard();
    b[7] = 0;      // row 0, column 7
    b[8 + 3] = 4;  // row 1, column 3
    datashifts(b, 1, 0);
    EXPECT_EQ(b[0], 0) << "column 7 enters at column 0 of the same row";
    EXPECT_EQ(b[8], kEmpty) << "no wrap into the next row";
    EXPECT_EQ(b[8 + 4], 4) << "pieces themselves are not changed";
    EXPECT_EQ(b[7], kEmpty);
}

TEST(BoardShifts, ShiftUpAndDownWrapRows)
{
    Board b = emptyBoard();
    b[2] = 9; // row 0
    datashifts(b, 0, -1);
    EXPECT_EQ(b[56 + 2], 9);
    datashifts(b, 0, 1);
    EXPECT_EQ(b[2], 9);
    datashifts(b, -1, 0);
    EXPECT_EQ(b[1], 9);
}

TEST(BoardShifts, EightShiftsInEachDirectionRestoreTheBoard)
{
    const Board start = patternBoard();
    const int moves[4][2] = {{-1, 0}, {0, -1}, {0, 1}, {1, 0}};
    for (const auto& m : moves) {
        Board b = start;
        for (int i = 0; i < 8; ++i) {
            datashifts(b, m[0], m[1]);
            if (i < 7) {
                EXPECT_NE(b, start) << "shift " << m[0] << "," << m[1] << " step " << i;
            }
        }
        EXPECT_EQ(b, start) << "shift " << m[0] << "," << m[1];
    }
}

TEST(BoardShifts, LargeAndNegativeOffsetsReduceModuloEight)
{
    Board a = patternBoard();
    Board b = patternBoard();
    datashifts(a, -9, 17);
    datashifts(b, 7, 1);
    EXPECT_EQ(a, b);
    Board c = patternBoard();
    datashifts(c, -32768, 32767);
    Board d = patternBoard();
    datashifts(d, 0, 7);
    EXPECT_EQ(c, d);
}

TEST(BoardMirrors, LeftRightMirrorsPieceAndColumn)
{
    Board b = emptyBoard();
    b[8 * 2 + 1] = 2; // curve left-up at row 2, column 1
    datahanten(b, 0);
    EXPECT_EQ(b[8 * 2 + 6], 3) << "left-up becomes up-right at column 7 - 1";
    EXPECT_EQ(b[8 * 2 + 1], kEmpty);
}

TEST(BoardMirrors, TopBottomMirrorsPieceAndRow)
{
    Board b = emptyBoard();
    b[8 * 1 + 4] = 6; // T closed at the bottom, row 1
    datahanten(b, 1);
    EXPECT_EQ(b[8 * 6 + 4], 8) << "closed at the top after the mirror, row 7 - 1";
}

TEST(BoardMirrors, TwoMirrorsOnTheSameAxisRestoreAndOtherAxesDoNothing)
{
    const Board start = patternBoard();
    for (int axis = 0; axis < 2; ++axis) {
        Board b = start;
        datahanten(b, axis);
        EXPECT_NE(b, start);
        datahanten(b, axis);
        EXPECT_EQ(b, start) << "axis " << axis;
    }
    Board b = start;
    datahanten(b, 2);
    datahanten(b, -1);
    EXPECT_EQ(b, start);
}

TEST(BoardTurns, ClockwiseMovesTopLeftToTopRightAndTurnsPieces)
{
    Board b = emptyBoard();
    b[0] = 0; // horizontal straight at row 0, column 0
    b[8 * 3 + 5] = 2; // left-up at row 3, column 5
    datakaiten(b, 1);
    EXPECT_EQ(b[7], 1) << "horizontal becomes vertical at row 0, column 7";
    EXPECT_EQ(b[8 * 5 + 4], 3) << "row 3 col 5 goes to row 5 col 7-3";
    EXPECT_EQ(b[0], kEmpty);
}

TEST(BoardTurns, CounterClockwiseMovesTopLeftToBottomLeft)
{
    Board b = emptyBoard();
    b[0] = 7;
    datakaiten(b, 0);
    EXPECT_EQ(b[56], 6);
}

TEST(BoardTurns, FourTurnsRestoreAndOppositeTurnsCancel)
{
    const Board start = patternBoard();
    for (int dir = 0; dir < 2; ++dir) {
        Board b = start;
        for (int i = 0; i < 4; ++i) {
            datakaiten(b, dir);
            if (i < 3) {
                EXPECT_NE(b, start);
            }
        }
        EXPECT_EQ(b, start) << "direction " << dir;
    }
    Board b = start;
    datakaiten(b, 1);
    datakaiten(b, 0);
    EXPECT_EQ(b, start);
    datakaiten(b, 5);
    EXPECT_EQ(b, start);
}

TEST(BoardTools, EmptyCellsStayEmptyAndSpareSlotIsKept)
{
    for (int button = 1; button <= kToolbar2Buttons; ++button) {
        Board b = emptyBoard();
        b[kCellCount] = 3;
        applyToolbar2Button(b, button);
        for (int i = 0; i < kCellCount; ++i) {
            ASSERT_EQ(b[i], kEmpty) << "button " << button;
        }
        EXPECT_EQ(b[kCellCount], 3);
    }
}

TEST(Toolbar2, SeparatorsCarryNoTool)
{
    for (int sep : {0, 1, 4, 7, 12, -3}) {
        EXPECT_FALSE(toolbar2HasAction(sep));
        Board b = patternBoard();
        EXPECT_FALSE(applyToolbar2Button(b, sep));
        EXPECT_EQ(b, patternBoard());
    }
}

TEST(Toolbar2, EachButtonRunsItsTool)
{
    struct Case {
        int button;
        void (*tool)(Board&);
    };
    const Case cases[] = {
        {2, [](Board& b) { datahanten(b, 1); }},   {3, [](Board& b) { datahanten(b, 0); }},
        {5, [](Board& b) { datakaiten(b, 0); }},   {6, [](Board& b) { datakaiten(b, 1); }},
        {8, [](Board& b) { datashifts(b, -1, 0); }}, {9, [](Board& b) { datashifts(b, 0, -1); }},
        {10, [](Board& b) { datashifts(b, 0, 1); }}, {11, [](Board& b) { datashifts(b, 1, 0); }},
    };
    for (const Case& c : cases) {
        Board viaButton = patternBoard();
        Board direct = patternBoard();
        EXPECT_TRUE(applyToolbar2Button(viaButton, c.button));
        c.tool(direct);
        EXPECT_EQ(viaButton, direct) << "button " << c.button;
        EXPECT_NE(viaButton, patternBoard());
    }
}

TEST(RandomBorder, NeverRepeatsTheSelectionNorPicksTheEraser)
{
    // Draws that first hit the current selection must be retried.
    std::vector<double> draws{0.5, 0.5, 0.95};
    std::size_t next = 0;
    UniformSource src = [&] { return draws[next++ % draws.size()]; };
    EXPECT_EQ(randomborder(5, src), 10);
    EXPECT_EQ(next, 3u);

    next = 0;
    EXPECT_EQ(randomborder(kEraser, src), 5) << "any shape differs from the eraser";

    for (int sel = 0; sel <= 11; ++sel) {
        for (double x = 0.0; x < 1.0; x += 0.01) {
            UniformSource fixedThenOther = [x, n = 0]() mutable { return n++ == 0 ? x : 0.999; };
            const HyperRoad got = randomborder(static_cast<HyperRoad>(sel), fixedThenOther);
            EXPECT_TRUE(isPiece(got));
            EXPECT_NE(got, sel);
        }
    }
}

TEST(RandomBorder, BrokenSourcesNeitherHangNorLeaveTheRange)
{
    UniformSource stuck = [] { return 0.0; };
    const HyperRoad got = randomborder(0, stuck);
    EXPECT_TRUE(isPiece(got));
    EXPECT_NE(got, 0);
    UniformSource wild = [n = 0]() mutable { return (n++ % 2) ? 7.5 : -3.0; };
    for (int sel = 0; sel < 11; ++sel) {
        const HyperRoad r = randomborder(static_cast<HyperRoad>(sel), wild);
        EXPECT_TRUE(isPiece(r));
        EXPECT_NE(r, sel);
    }
    EXPECT_TRUE(isPiece(randomborder(3, UniformSource{})));
}

} // namespace
} // namespace tavrin
