#include "graphics/renderer.h"
#include "render/pixel_helpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavrin::graphics {
namespace {

using test::coordinateImage;
using test::noiseImage;
using test::noiseSet;
using test::px;

constexpr Rgb kWhite = 0xFFFFFFFFu;

Point cellOrigin(int cell)
{
    return {cellColumn(cell) * kTile, cellRow(cell) * kTile};
}

// Expected value of the masked copy of sheet column `c`, rows (imageY, maskY),
// over `under`, at tile pixel (u, v).
Rgb maskedPixel(const PixelBuffer& source, int c, int imageY, int maskY, Rgb under, int u, int v)
{
    const Rgb image = px(source, c * kTile + u, imageY + v);
    const Rgb mask = px(source, c * kTile + u, maskY + v);
    return (image & (under | mask)) | 0xFF000000u;
}

class RendererTest : public ::testing::Test {
protected:
    GraphicsSet set = noiseSet();
    GameState state;
    Renderer renderer{set, state};
    std::vector<TileTarget> presented;

    void SetUp() override
    {
        renderer.setPresenter([this](TileTarget t) { presented.push_back(t); });
    }

    PixelBuffer cellImage(int cell) const
    {
        const Point o = cellOrigin(cell);
        return renderer.boardImage().copy(Rect{o.x, o.y, kTile, kTile});
    }
};

TEST(RasterTest, OperationsGiveTheirFormulaOnEveryBit)
{
    const PixelBuffer src = noiseImage(8, 8, 11);
    const PixelBuffer dst0 = noiseImage(8, 8, 12);
    for (RasterOp op : {RasterOp::Copy, RasterOp::NotSourceOrDest, RasterOp::SourceAndNotDest}) {
        PixelBuffer dst = dst0.copy();
        bitBlt(dst, Point{0, 0}, src, src.rect(), op);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const Rgb s = px(src, x, y) & 0xFFFFFFu;
                const Rgb d = px(dst0, x, y) & 0xFFFFFFu;
                Rgb expected = s;
                if (op == RasterOp::NotSourceOrDest) {
                    expected = ~(s | d);
                } else if (op == RasterOp::SourceAndNotDest) {
                    expected = s & ~d;
                }
                ASSERT_EQ(px(dst, x, y), (expected & 0xFFFFFFu) | 0xFF000000u) << x << "," << y;
            }
        }
    }
}

TEST(RasterTest, TransfersAreClippedToBothImages)
{
    PixelBuffer dst(10, 10, kBlackPixel);
    const PixelBuffer src = coordinateImage(4, 4);
    bitBlt(dst, Point{8, 8}, src, Rect{-2, -2, 8, 8}, RasterOp::Copy);
    // Source pixel (0,0) lands at (10,10), outside; nothing beyond the edges is touched.
    EXPECT_EQ(px(dst, 9, 9), 0xFF000000u);
    bitBlt(dst, Point{-1, -1}, src, Rect{0, 0, 4, 4}, RasterOp::Copy);
    EXPECT_EQ(px(dst, 0, 0), px(src, 1, 1));
    EXPECT_EQ(px(dst, 2, 2), px(src, 3, 3));
    EXPECT_EQ(px(dst, 3, 3), 0xFF000000u);
}

TEST(DissolveMaskTest, PatternsAndComplements)
{
    std::array<PixelBuffer, 4> masks;
    for (int k = 0; k < 4; ++k) {
        masks[static_cast<std::size_t>(k)] = makeDissolveMask(k);
    }
    int white0 = 0;
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const bool w0 = px(masks[0], x, y) == kWhite;
            const bool w1 = px(masks[1], x, y) == kWhite;
            white0 += w0 ? 1 : 0;
            EXPECT_EQ(px(masks[2], x, y) == kWhite, !w0);
            EXPECT_EQ(w1, (x + y) % 2 == 1);
            EXPECT_EQ(px(masks[3], x, y) == kWhite, !w1);
        }
    }
    EXPECT_EQ(white0, 800); // 200 of every 256
    // Row 1 of the 8 x 8 pattern is D5 = 11010101.
    const bool row1[8] = {true, true, false, true, false, true, false, true};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(px(masks[0], x, 1) == kWhite, row1[x]) << x;
        EXPECT_EQ(px(masks[0], x + 8, 9) == kWhite, row1[x]) << x;
    }
}

TEST_F(RendererTest, EmptyCellShowsBareNormalBackground)
{
    renderer.drawTileBatch(9, -1, -1, 3, TileTarget::cell(9), true);
    for (int v = 0; v < kTile; ++v) {
        for (int u = 0; u < kTile; ++u) {
            ASSERT_EQ(px(renderer.boardImage(), 32 + u, 32 + v), px(set.normalBackground, 32 + u, 32 + v));
        }
    }
    EXPECT_TRUE(presented.empty());
}

TEST_F(RendererTest, MaskedCopyIsImageAndOldOrMask)
{
    state.board[20] = 7;
    renderer.drawTileBatch(20, 7, -1, 3, TileTarget::cell(20), false);
    const Point o = cellOrigin(20);
    for (int v = 0; v < kTile; ++v) {
        for (int u = 0; u < kTile; ++u) {
            const Rgb under = px(set.normalBackground, o.x + u, o.y + v);
            ASSERT_EQ(px(renderer.boardImage(), o.x + u, o.y + v),
                      maskedPixel(set.hyperRoadSheet, 7, 0, 32, under, u, v))
                << u << "," << v;
        }
    }
}

TEST_F(RendererTest, GreenCellUsesLitRowsAndPanelToo)
{
    state.greenStamp[5] = 90;
    state.maxMovesUsed = 5; // 90 < 95: not yet the goal background
    renderer.drawTileBatch(5, 3, -1, 3, TileTarget::cell(5), false);
    const Point o = cellOrigin(5);
    for (int v = 0; v < kTile; ++v) {
        for (int u = 0; u < kTile; ++u) {
            const Rgb under = px(set.normalBackground, o.x + u, o.y + v);
            ASSERT_EQ(px(renderer.boardImage(), o.x + u, o.y + v),
                      maskedPixel(set.hyperRoadSheet, 3, 64, 96, under, u, v));
        }
    }
    renderer.setPanelColour(rgb(10, 20, 30));
    renderer.drawTileShown(-1, 4, -1, 3, TileTarget::panel(), true);
    for (int v = 0; v < kTile; ++v) {
        for (int u = 0; u < kTile; ++u) {
            ASSERT_EQ(px(renderer.panelImage(), u, v),
                      maskedPixel(set.hyperRoadSheet, 4, 64, 96, rgb(10, 20, 30), u, v));
        }
    }
    ASSERT_EQ(presented.size(), 1u);
    EXPECT_EQ(presented[0], TileTarget::panel());
}

TEST_F(RendererTest, DisabledPaletteEntryUsesPlainRows)
{
    renderer.clearTile(TileTarget::palette(6));
    renderer.drawTilePlain(-1, 6, -1, 3, TileTarget::palette(6), false);
    const Rgb under = 0xFFD4D0C8u;
    for (int v = 0; v < kTile; ++v) {
        for (int u = 0; u < kTile; ++u) {
            ASSERT_EQ(px(renderer.paletteImage(6), u, v), maskedPixel(set.hyperRoadSheet, 6, 0, 32, under, u, v));
        }
    }
}

TEST_F(RendererTest, WallpaperOf48PixelBackgroundAtCell9)
{
    set.normalBackground = coordinateImage(48, 48);
    renderer.drawTileBatch(9, -1, -1, 3, TileTarget::cell(9), false);
    for (int v = 0; v < kTile; ++v) {
        for (int u = 0; u < kTile; ++u) {
            ASSERT_EQ(px(renderer.boardImage(), 32 + u, 32 + v), px(set.normalBackground, (32 + u) % 48, (32 + v) % 48))
                << u << "," << v;
        }
    }
    // Starts at (32, 32) and wraps after 16 pixels.
    EXPECT_EQ(redOf(renderer.boardImage().pixel(32, 32)), 32);
    EXPECT_EQ(redOf(renderer.boardImage().pixel(32 + 15, 32)), 47);
    EXPECT_EQ(redOf(renderer.boardImage().pixel(32 + 16, 32)), 0);
    EXPECT_EQ(greenOf(renderer.boardImage().pixel(32, 32 + 16)), 0);
}

TEST_F(RendererTest, WallpaperOfOddSizesCoversEveryPixel)
{
    for (Size size : {Size{5, 7}, Size{1, 1}, Size{256, 256}, Size{300, 40}, Size{33, 31}}) {
        set.normalBackground = coordinateImage(size.width, size.height);
        for (int cell : {0, 9, 30, 63}) {
            renderer.drawCellBackground(cell, TileTarget::cell(cell));
            const Point o = cellOrigin(cell);
            for (int v = 0; v < kTile; ++v) {
                for (int u = 0; u < kTile; ++u) {
                    ASSERT_EQ(px(renderer.boardImage(), o.x + u, o.y + v),
                              px(set.normalBackground, (o.x + u) % size.width, (o.y + v) % size.height))
                        << size.width << "x" << size.height << " cell " << cell;
                }
            }
        }
    }
}

TEST_F(RendererTest, EmptyBackgroundDrawsNothing)
{
    set.normalBackground = PixelBuffer();
    renderer.drawCellBackground(0, TileTarget::cell(0));
    EXPECT_EQ(px(renderer.boardImage(), 0, 0), kWhite);
}

TEST_F(RendererTest, GoalBackgroundByStampAndMaxMoves)
{
    state.greenStamp[12] = 0;
    state.maxMovesUsed = 100;
    renderer.drawCellBackground(12, TileTarget::cell(12));
    const Point o = cellOrigin(12);
    EXPECT_EQ(px(renderer.boardImage(), o.x + 3, o.y + 4), px(set.goalBackground, o.x + 3, o.y + 4));

    state.greenStamp[12] = -1;
    for (int maxMoves : {0, 50, 100, 101}) {
        state.maxMovesUsed = static_cast<std::int16_t>(maxMoves);
        renderer.drawCellBackground(12, TileTarget::cell(12));
        EXPECT_EQ(px(renderer.boardImage(), o.x + 3, o.y + 4), px(set.normalBackground, o.x + 3, o.y + 4));
    }
    // Green since move 90 (stamp 10) is the goal look once 90 moves are used.
    state.greenStamp[12] = 10;
    state.maxMovesUsed = 89;
    renderer.drawCellBackground(12, TileTarget::cell(12));
    EXPECT_EQ(px(renderer.boardImage(), o.x, o.y), px(set.normalBackground, o.x, o.y));
    state.maxMovesUsed = 90;
    renderer.drawCellBackground(12, TileTarget::cell(12));
    EXPECT_EQ(px(renderer.boardImage(), o.x, o.y), px(set.goalBackground, o.x, o.y));
}

TEST_F(RendererTest, DissolveStep1IsCheckerboardOfOldAndNew)
{
    const int cell = 27;
    renderer.drawTileBatch(cell, 2, -1, 3, TileTarget::cell(cell), false);
    const PixelBuffer oldTile = cellImage(cell);
    renderer.drawTileBatch(cell, 10, -1, 3, TileTarget::cell(cell), false);
    const PixelBuffer newTile = cellImage(cell);
    ASSERT_NE(oldTile, newTile);

    renderer.drawTileShown(cell, 10, 2, 1, TileTarget::cell(cell), false);
    const PixelBuffer mixed = cellImage(cell);
    for (int v = 0; v < kTile; ++v) {
        for (int u = 0; u < kTile; ++u) {
            const Rgb expected = (u + v) % 2 == 1 ? px(oldTile, u, v) : px(newTile, u, v);
            ASSERT_EQ(px(mixed, u, v), expected) << u << "," << v;
        }
    }
    ASSERT_EQ(presented.size(), 1u);
    EXPECT_EQ(presented[0], TileTarget::cell(cell));

    renderer.drawTileShown(cell, 10, 2, 3, TileTarget::cell(cell), false);
    EXPECT_EQ(cellImage(cell), newTile);
}

TEST_F(RendererTest, DissolveSteps0And2FollowMask0)
{
    const int cell = 40;
    renderer.drawTileBatch(cell, -1, -1, 3, TileTarget::cell(cell), false);
    const PixelBuffer bare = cellImage(cell);
    renderer.drawTileBatch(cell, 8, -1, 3, TileTarget::cell(cell), false);
    const PixelBuffer newTile = cellImage(cell);
    const PixelBuffer& mask0 = renderer.dissolveMask(0);

    renderer.drawTileBatch(cell, 8, -1, 0, TileTarget::cell(cell), false);
    const PixelBuffer step0 = cellImage(cell);
    renderer.drawTileBatch(cell, 8, -1, 2, TileTarget::cell(cell), false);
    const PixelBuffer step2 = cellImage(cell);
    for (int v = 0; v < kTile; ++v) {
        for (int u = 0; u < kTile; ++u) {
            const bool white = px(mask0, u, v) == kWhite;
            ASSERT_EQ(px(step0, u, v), white ? px(bare, u, v) : px(newTile, u, v));
            ASSERT_EQ(px(step2, u, v), white ? px(newTile, u, v) : px(bare, u, v));
        }
    }
}

TEST_F(RendererTest, DissolveLooksFollowGreenChanged)
{
    const int cell = 33;
    state.greenStamp[cell] = 99;
    state.greenChanged[cell] = true; // just turned green: the new piece dissolves in plain
    renderer.drawTileBatch(cell, 1, -1, 1, TileTarget::cell(cell), false);
    const PixelBuffer mixed = cellImage(cell);
    const Point o = cellOrigin(cell);
    for (int v = 0; v < kTile; ++v) {
        for (int u = 0; u < kTile; ++u) {
            if ((u + v) % 2 == 0) {
                const Rgb under = px(set.normalBackground, o.x + u, o.y + v);
                ASSERT_EQ(px(mixed, u, v), maskedPixel(set.hyperRoadSheet, 1, 0, 32, under, u, v));
            }
        }
    }
    state.greenChanged[cell] = false;
    renderer.drawTileBatch(cell, 1, -1, 1, TileTarget::cell(cell), false);
    const PixelBuffer lit = cellImage(cell);
    for (int v = 0; v < kTile; ++v) {
        for (int u = 0; u < kTile; ++u) {
            if ((u + v) % 2 == 0) {
                const Rgb under = px(set.normalBackground, o.x + u, o.y + v);
                ASSERT_EQ(px(lit, u, v), maskedPixel(set.hyperRoadSheet, 1, 64, 96, under, u, v));
            }
        }
    }
}

TEST_F(RendererTest, ItemIsDrawnOverThePieceOnlyOnTheBoard)
{
    const int cell = 18;
    state.cellItem[cell] = 2;
    state.board[cell] = 0;
    renderer.drawTileBatch(cell, 0, -1, 3, TileTarget::cell(cell), false);
    const PixelBuffer withoutItem = cellImage(cell);
    renderer.drawTileBatch(cell, 0, -1, 3, TileTarget::cell(cell), true);
    const PixelBuffer withItem = cellImage(cell);
    for (int v = 0; v < kTile; ++v) {
        for (int u = 0; u < kTile; ++u) {
            ASSERT_EQ(px(withItem, u, v), maskedPixel(set.itemStrip, 2, 0, 32, px(withoutItem, u, v), u, v));
        }
    }
    // A panel tile never carries an item, whatever withItem says.
    renderer.drawTileShown(-1, 0, -1, 3, TileTarget::panel(), false);
    const PixelBuffer panel = renderer.panelImage().copy();
    renderer.drawTileShown(-1, 0, -1, 3, TileTarget::panel(), true);
    EXPECT_EQ(renderer.panelImage(), panel);
}

TEST_F(RendererTest, ItemKindsBeyondTheStripAreSkipped)
{
    set.itemStrip = noiseImage(64, 64, 9); // two items, the board still has kind 4
    state.cellItem[3] = 4;
    renderer.drawTileBatch(3, -1, -1, 3, TileTarget::cell(3), true);
    renderer.drawTileBatch(3, -1, -1, 3, TileTarget::cell(3), false);
    const PixelBuffer bare = cellImage(3);
    renderer.drawTileBatch(3, -1, -1, 3, TileTarget::cell(3), true);
    EXPECT_EQ(cellImage(3), bare);
}

TEST_F(RendererTest, RedrawBoardComposesAllCellsThenPresentsOnce)
{
    for (int c = 0; c < kCellCount; ++c) {
        state.board[static_cast<std::size_t>(c)] = static_cast<HyperRoad>(c % 12 - 1);
    }
    renderer.redrawBoard();
    ASSERT_EQ(presented.size(), 1u);
    EXPECT_EQ(presented[0], TileTarget::wholeBoard());
    const PixelBuffer board = renderer.boardImage().copy();
    for (int c = 0; c < kCellCount; ++c) {
        renderer.drawTileBatch(c, state.board[static_cast<std::size_t>(c)], -1, 3, TileTarget::cell(c), true);
    }
    EXPECT_EQ(renderer.boardImage(), board);
}

TEST_F(RendererTest, RedrawAllDrawsPanelBoardAndPaletteWhenVisible)
{
    renderer.redrawAll(5, false);
    ASSERT_EQ(presented.size(), 2u);
    EXPECT_EQ(presented[0], TileTarget::panel());
    EXPECT_EQ(presented[1], TileTarget::wholeBoard());
    const PixelBuffer untouchedPalette = renderer.paletteImage(3).copy();

    presented.clear();
    renderer.redrawAll(-1, true);
    EXPECT_EQ(presented.size(), 2u + kPaletteEntries);
    // Empty offered piece: bare panel colour.
    EXPECT_EQ(px(renderer.panelImage(), 0, 0), 0xFFD4D0C8u);
    EXPECT_NE(renderer.paletteImage(3), untouchedPalette);
    for (int v = 0; v < kTile; ++v) {
        for (int u = 0; u < kTile; ++u) {
            ASSERT_EQ(px(renderer.paletteImage(3), u, v),
                      maskedPixel(set.hyperRoadSheet, 3, 64, 96, 0xFFD4D0C8u, u, v));
        }
    }
}

TEST_F(RendererTest, ClearingTheOfferedPieceShowsTheEmptyPanel)
{
    renderer.drawTileShown(-1, 5, -1, 3, TileTarget::panel(), false);
    presented.clear();
    renderer.setPanelColour(rgb(1, 2, 3));
    renderer.clearOfferedPiece();
    const PixelBuffer empty(kTile, kTile, rgb(1, 2, 3));
    EXPECT_EQ(renderer.panelImage(), empty);
    ASSERT_EQ(presented.size(), 1u);
    EXPECT_EQ(presented[0], TileTarget::panel());
}

TEST_F(RendererTest, OutOfRangeCodesDrawNoPiece)
{
    renderer.drawTileBatch(0, -1, -1, 3, TileTarget::cell(0), false);
    const PixelBuffer bare = cellImage(0);
    renderer.drawTileBatch(0, 11, -1, 3, TileTarget::cell(0), false);
    EXPECT_EQ(cellImage(0), bare);
    renderer.drawTileBatch(0, 300, 250, 1, TileTarget::cell(0), false);
    EXPECT_EQ(cellImage(0), bare);
}

} // namespace
} // namespace tavrin::graphics
