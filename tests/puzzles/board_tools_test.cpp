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
    shiftBoard(b, 1, 0);
    EXPECT_EQ(b[0], 0) << "column 7 enters at column 0 of the same row";
    EXPECT_EQ(b[8], kEmpty) << "no wrap into the next row";
    EXPECT_EQ(b[8 + 4], 4) << "pieces themselves are not changed";
    EXPECT_EQ(b[7], kEmpty);
}

TEST(BoardShifts, ShiftUpAndDownWrapRows)
{
    Board b = emptyBoard();
    b[2] = 9; // row 0
    shiftBoard(b, 0, -1);
    EXPECT_EQ(b[56 + 2], 9);
    shiftBoard(b, 0, 1);
    EXPECT_EQ(b[2], 9);
    shiftBoard(b, -1, 0);
    EXPECT_EQ(b[1], 9);
}

TEST(BoardShifts, EightShiftsInEachDirectionRestoreTheBoard)
{
    const Board start = patternBoard();
    const int moves[4][2] = {{-1, 0}, {0, -1}, {0, 1}, {1, 0}};
    for (const auto& m : moves) {
        Board b = start;
        for (int i = 0; i < 8; ++i) {
            shiftBoard(b, m[0], m[1]);
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
    shiftBoard(a, -9, 17);
    shiftBoard(b, 7, 1);
    EXPECT_EQ(a, b);
    Board c = patternBoard();
    shiftBoard(c, -32768, 32767);
    Board d = patternBoard();
    shiftBoard(d, 0, 7);
    EXPECT_EQ(c, d);
}

TEST(BoardMirrors, LeftRightMirrorsPieceAndColumn)
{
    Board b = emptyBoard();
    b[8 * 2 + 1] = 2; // curve left-up at row 2, column 1
    mirrorBoard(b, 0);
    EXPECT_EQ(b[8 * 2 + 6], 3) << "left-up becomes up-right at column 7 - 1";
    EXPECT_EQ(b[8 * 2 + 1], kEmpty);
}

TEST(BoardMirrors, TopBottomMirrorsPieceAndRow)
{
    Board b = emptyBoard();
    b[8 * 1 + 4] = 6; // T closed at the bottom, row 1
    mirrorBoard(b, 1);
    EXPECT_EQ(b[8 * 6 + 4], 8) << "closed at the top after the mirror, row 7 - 1";
}

TEST(BoardMirrors, TwoMirrorsOnTheSameAxisRestoreAndOtherAxesDoNothing)
{
    const Board start = patternBoard();
    for (int axis = 0; axis < 2; ++axis) {
        Board b = start;
        mirrorBoard(b, axis);
        EXPECT_NE(b, start);
        mirrorBoard(b, axis);
        EXPECT_EQ(b, start) << "axis " << axis;
    }
    Board b = start;
    mirrorBoard(b, 2);
    mirrorBoard(b, -1);
    EXPECT_EQ(b, start);
}

TEST(BoardTurns, ClockwiseMovesTopLeftToTopRightAndTurnsPieces)
{
    Board b = emptyBoard();
    b[0] = 0; // horizontal straight at row 0, column 0
    b[8 * 3 + 5] = 2; // left-up at row 3, column 5
    turnBoard(b, 1);
    EXPECT_EQ(b[7], 1) << "horizontal becomes vertical at row 0, column 7";
    EXPECT_EQ(b[8 * 5 + 4], 3) << "row 3 col 5 goes to row 5 col 7-3";
    EXPECT_EQ(b[0], kEmpty);
}

TEST(BoardTurns, CounterClockwiseMovesTopLeftToBottomLeft)
{
    Board b = emptyBoard();
    b[0] = 7;
    turnBoard(b, 0);
    EXPECT_EQ(b[56], 6);
}

TEST(BoardTurns, FourTurnsRestoreAndOppositeTurnsCancel)
{
    const Board start = patternBoard();
    for (int dir = 0; dir < 2; ++dir) {
        Board b = start;
        for (int i = 0; i < 4; ++i) {
            turnBoard(b, dir);
            if (i < 3) {
                EXPECT_NE(b, start);
            }
        }
        EXPECT_EQ(b, start) << "direction " << dir;
    }
    Board b = start;
    turnBoard(b, 1);
    turnBoard(b, 0);
    EXPECT_EQ(b, start);
    turnBoard(b, 5);
    EXPECT_EQ(b, start);
}

TEST(BoardTools, EmptyCellsStayEmptyAndSpareSlotIsKept)
{
    for (int button = 1; button <= kBoardToolButtons; ++button) {
        Board b = emptyBoard();
        b[kCellCount] = 3;
        applyBoardToolButton(b, button);
        for (int i = 0; i < kCellCount; ++i) {
            ASSERT_EQ(b[i], kEmpty) << "button " << button;
        }
        EXPECT_EQ(b[kCellCount], 3);
    }
}

TEST(BoardToolbar, SeparatorsCarryNoTool)
{
    for (int sep : {0, 1, 4, 7, 12, -3}) {
        EXPECT_FALSE(toolbar2HasAction(sep));
        Board b = patternBoard();
        EXPECT_FALSE(applyBoardToolButton(b, sep));
        EXPECT_EQ(b, patternBoard());
    }
}

TEST(BoardToolbar, EachButtonRunsItsTool)
{
    struct Case {
        int button;
        void (*tool)(Board&);
    };
    const Case cases[] = {
        {2, [](Board& b) { mirrorBoard(b, 1); }},   {3, [](Board& b) { mirrorBoard(b, 0); }},
        {5, [](Board& b) { turnBoard(b, 0); }},   {6, [](Board& b) { turnBoard(b, 1); }},
        {8, [](Board& b) { shiftBoard(b, -1, 0); }}, {9, [](Board& b) { shiftBoard(b, 0, -1); }},
        {10, [](Board& b) { shiftBoard(b, 0, 1); }}, {11, [](Board& b) { shiftBoard(b, 1, 0); }},
    };
    for (const Case& c : cases) {
        Board viaButton = patternBoard();
        Board direct = patternBoard();
        EXPECT_TRUE(applyBoardToolButton(viaButton, c.button));
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
    EXPECT_EQ(pickRandomShape(5, src), 10);
    EXPECT_EQ(next, 3u);

    next = 0;
    EXPECT_EQ(pickRandomShape(kEraser, src), 5) << "any shape differs from the eraser";

    for (int sel = 0; sel <= 11; ++sel) {
        for (double x = 0.0; x < 1.0; x += 0.01) {
            UniformSource fixedThenOther = [x, n = 0]() mutable { return n++ == 0 ? x : 0.999; };
            const HyperRoad got = pickRandomShape(static_cast<HyperRoad>(sel), fixedThenOther);
            EXPECT_TRUE(isPiece(got));
            EXPECT_NE(got, sel);
        }
    }
}

TEST(RandomBorder, BrokenSourcesNeitherHangNorLeaveTheRange)
{
    UniformSource stuck = [] { return 0.0; };
    const HyperRoad got = pickRandomShape(0, stuck);
    EXPECT_TRUE(isPiece(got));
    EXPECT_NE(got, 0);
    UniformSource wild = [n = 0]() mutable { return (n++ % 2) ? 7.5 : -3.0; };
    for (int sel = 0; sel < 11; ++sel) {
        const HyperRoad r = pickRandomShape(static_cast<HyperRoad>(sel), wild);
        EXPECT_TRUE(isPiece(r));
        EXPECT_NE(r, sel);
    }
    EXPECT_TRUE(isPiece(pickRandomShape(3, UniformSource{})));
}

} // namespace
} // namespace tavrin
