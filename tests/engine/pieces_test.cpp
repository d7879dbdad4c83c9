#include "engine/board.h"
#include "engine/game_state.h"
#include "engine/pieces.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

// Open sides after turning: side d of the turned piece is side d' of the original.
std::uint8_t turnedSides(std::uint8_t sides, bool clockwise)
{
    // Clockwise on screen: up -> right -> down -> left -> up.
    constexpr int cwTarget[4] = {kRight, kUp, kDown, kLeft}; // up->right, left->up, right->down, down->left
    std::uint8_t out = 0;
    for (int d = 0; d < 4; ++d) {
        if ((sides >> d) & 1u) {
            const int to = clockwise ? cwTarget[d] : [&] {
                for (int e = 0; e < 4; ++e) {
                    if (cwTarget[e] == d) return e;
                }
                return -1;
            }();
            out = static_cast<std::uint8_t>(out | (1u << to));
        }
    }
    return out;
}

TEST(Pieces, OpenSidesMatchTheShapes)
{
    EXPECT_EQ(openSides(0), (1u << kLeft) | (1u << kRight));
    EXPECT_EQ(openSides(1), (1u << kUp) | (1u << kDown));
    EXPECT_EQ(openSides(6), (1u << kLeft) | (1u << kUp) | (1u << kRight));
    EXPECT_EQ(openSides(10), 0b1111u);
    EXPECT_EQ(openSides(kEmpty), 0u);
    EXPECT_EQ(openSides(kEraser), 0u);
    for (int p = 0; p <= 1; ++p) EXPECT_EQ(degree(p), 2);
    for (int p = 2; p <= 5; ++p) EXPECT_EQ(degree(p), 2);
    for (int p = 6; p <= 9; ++p) EXPECT_EQ(degree(p), 3);
    EXPECT_EQ(degree(10), 4);
}

TEST(Pieces, QuarterTurnsTurnTheOpenSides)
{
    for (int p = 0; p <= 10; ++p) {
        EXPECT_EQ(openSides(*turnPiece(p, 1)), turnedSides(openSides(p), true)) << p;
        EXPECT_EQ(openSides(*turnPiece(p, 0)), turnedSides(openSides(p), false)) << p;
    }
}

TEST(Pieces, TurnsCancelAndCycle)
{
    for (int p = -1; p <= 10; ++p) {
        int q = p;
        for (int i = 0; i < 4; ++i) q = *turnPiece(q, 7);
        EXPECT_EQ(q, p);
        EXPECT_EQ(*turnPiece(*turnPiece(p, 1), 0), p);
    }
    EXPECT_EQ(*turnPiece(-1, 1), -1);
    EXPECT_EQ(*turnPiece(10, 0), 10);
    EXPECT_FALSE(turnPiece(11, 1).has_value());
    EXPECT_FALSE(turnPiece(-2, 0).has_value());
}

TEST(Pieces, MirrorsAreInvolutionsThatFlipSides)
{
    for (int p = -1; p <= 10; ++p) {
        EXPECT_EQ(*mirrorPiece(*mirrorPiece(p, 0), 0), p);
        EXPECT_EQ(*mirrorPiece(*mirrorPiece(p, 1), 1), p);
        if (p < 0) continue;
        const auto lr = openSides(*mirrorPiece(p, 0));
        const auto ud = openSides(*mirrorPiece(p, 1));
        const auto s = openSides(p);
        const auto bit = [](std::uint8_t v, int d) { return (v >> d) & 1u; };
        EXPECT_EQ(bit(lr, kLeft), bit(s, kRight)) << p;
        EXPECT_EQ(bit(lr, kUp), bit(s, kUp)) << p;
        EXPECT_EQ(bit(ud, kUp), bit(s, kDown)) << p;
        EXPECT_EQ(bit(ud, kLeft), bit(s, kLeft)) << p;
    }
    EXPECT_EQ(*mirrorPiece(7, 1), 7);
    EXPECT_EQ(*mirrorPiece(9, 1), 9);
    EXPECT_EQ(*mirrorPiece(6, 0), 6);
    EXPECT_EQ(*mirrorPiece(8, 0), 8);
    EXPECT_EQ(*mirrorPiece(10, 5), 10); // symmetric pieces ignore the variant
    EXPECT_FALSE(mirrorPiece(4, 2).has_value());
    EXPECT_FALSE(mirrorPiece(11, 0).has_value());
}

TEST(Board, JoiningRespectsSidesAndRowBorders)
{
    Board b = emptyBoard();
    b[7] = 10;
    b[8] = 10;
    EXPECT_FALSE(cellsLinked(b, 7, 8)) << "no wrap-around between rows";
    b[15] = 1;
    b[7] = 4; // right, down
    EXPECT_TRUE(cellsLinked(b, 7, 15));
    EXPECT_TRUE(cellsLinked(b, 15, 7));
    EXPECT_FALSE(cellsLinked(b, 7, 7));

    b[20] = 0;
    b[21] = 0;
    EXPECT_TRUE(cellsLinked(b, 20, 21));
    b[28] = 1; // vertical straight below a horizontal one
    EXPECT_FALSE(cellsLinked(b, 20, 28));
    EXPECT_FALSE(cellsLinked(b, 21, 22)) << "empty neighbour";
    EXPECT_FALSE(cellsLinked(b, -1, 0));
    EXPECT_FALSE(cellsLinked(b, 63, 64));
    EXPECT_FALSE(cellsLinked(b, 20, 22)) << "not neighbours";
}

TEST(Board, OnajiComparesWithThePaletteSelection)
{
    GameState s;
    s.board[3] = 4;
    s.selectedShape = kEraser;
    EXPECT_TRUE(holdsSelectedShape(s, 0));
    EXPECT_FALSE(holdsSelectedShape(s, 3));
    s.selectedShape = 4;
    EXPECT_TRUE(holdsSelectedShape(s, 3));
    EXPECT_FALSE(holdsSelectedShape(s, 0));
    s.selectedShape = 5;
    EXPECT_FALSE(holdsSelectedShape(s, 3));
}

TEST(Puzzle, CommentsAreFittedToTwentyFiveCharacters)
{
    const Puzzle p;
    EXPECT_EQ(p.mode, kNoMode);
    EXPECT_EQ(utf8Length(p.comment), 25u);
    EXPECT_EQ(trimComment(p.comment), kDefaultComment);
    const std::string longText(40, 'x');
    EXPECT_EQ(fitComment(longText), std::string(25, 'x'));
    const std::string jp = fitComment("あいうえおかきくけこさしすせそたちつてとなにぬねのはひ");
    EXPECT_EQ(utf8Length(jp), 25u);
    EXPECT_EQ(jp.substr(jp.size() - 3), "の");
}

} // namespace
} // namespace tavrin
