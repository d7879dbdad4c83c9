#include "graphics/renderer.h"

#include <algorithm>

namespace tavrin::graphics {

namespace {

constexpr int kPlainImageY = 0;
constexpr int kPlainMaskY = 32;
constexpr int kLitImageY = 64;
constexpr int kLitMaskY = 96;
constexpr int kItemImageY = 0;
constexpr int kItemMaskY = 32;

PixelBuffer blankTile()
{
    return PixelBuffer(kTile, kTile, kWhitePixel);
}

} // namespace

Renderer::Renderer(const GraphicsSet& graphics, const GameState& state)
    : graphics_(graphics), state_(state), board_(kBoardPixels, kBoardPixels, kWhitePixel),
      panel_(blankTile()), workA_(blankTile()), workB_(blankTile()), workC_(blankTile())
{
    panel_.fill(panelColour_);
    for (auto& entry : palette_) {
        entry = blankTile();
        entry.fill(panelColour_);
    }
    for (int k = 0; k < 4; ++k) {
        masks_[static_cast<std::size_t>(k)] = makeDissolveMask(k);
    }
}

const PixelBuffer& Renderer::paletteImage(int entry) const
{
    return palette_[static_cast<std::size_t>(std::clamp(entry, 0, kPaletteEntries - 1))];
}

Renderer::Place Renderer::placeOf(TileTarget target)
{
    switch (target.surface) {
    case Surface::Panel: return {&panel_, Point{0, 0}};
    case Surface::Palette:
        return {&palette_[static_cast<std::size_t>(std::clamp(target.index, 0, kPaletteEntries - 1))],
                Point{0, 0}};
    case Surface::Board: break;
    }
    const int cell = std::clamp(target.index, 0, kCellCount - 1);
    return {&board_, Point{cellColumn(cell) * kTile, cellRow(cell) * kTile}};
}

void Renderer::present(TileTarget target)
{
    if (presenter_) {
        presenter_(target);
    }
}

void Renderer::maskedCopy(Place place, const PixelBuffer& source, int column, int imageY, int maskY)
{
    constexpr Rect tile{0, 0, kTile, kTile};
    const int x = column * kTile;
    bitBlt(workA_, Point{0, 0}, source, Rect{x, maskY, kTile, kTile}, RasterOp::Copy);
    bitBlt(workA_, Point{0, 0}, *place.image, tile.translated(place.origin), RasterOp::NotSourceOrDest);
    bitBlt(*place.image, place.origin, workA_, tile, RasterOp::Copy);
    bitBlt(workA_, Point{0, 0}, source, Rect{x, imageY, kTile, kTile}, RasterOp::Copy);
    bitBlt(*place.image, place.origin, workA_, tile, RasterOp::SourceAndNotDest);
}

void Renderer::drawPiece(Place place, int piece, bool lit)
{
    if (!isPiece(piece)) {
        return;
    }
    maskedCopy(place, graphics_.hyperRoadSheet, piece, lit ? kLitImageY : kPlainImageY,
               lit ? kLitMaskY : kPlainMaskY);
}

void Renderer::drawItem(Place place, int cell)
{
    const int item = state_.cellItem[static_cast<std::size_t>(cell)];
    // A strip with fewer items than the board (a picture changed under a game)
    // simply shows nothing for the missing kinds.
    if (item < 0 || item >= graphics_.itemCount()) {
        return;
    }
    maskedCopy(place, graphics_.itemStrip, item, kItemImageY, kItemMaskY);
}

bool Renderer::lookIsLit(int cell, bool plainLook) const
{
    if (plainLook) {
        return false;
    }
    if (!isCell(cell)) {
        return true;
    }
    return state_.greenStamp[static_cast<std::size_t>(cell)] != -1;
}

void Renderer::clearTile(TileTarget target)
{
    const Place place = placeOf(target);
    place.image->fill(panelColour_);
}

void Renderer::clearOfferedPiece()
{
    clearTile(TileTarget::panel());
    present(TileTarget::panel());
}

bool onGoalBackground(const GameState& state, int cell)
{
    const auto stamp = state.greenStamp[static_cast<std::size_t>(cell)];
    return stamp >= 0 && stamp >= kMoveLimit - state.maxMovesUsed;
}

void Renderer::prepareTileBackground(int cell, TileTarget target)
{
    if (isCell(cell)) {
        drawCellBackground(cell, target);
    } else if (target.surface == Surface::Panel) {
        clearTile(target);
    }
    // Palette entries are emptied by whoever draws them.
}

void Renderer::drawCellBackground(int cell, TileTarget target)
{
    if (!isCell(cell)) {
        return;
    }
    const PixelBuffer& background = onGoalBackground(state_, cell) ? graphics_.goalBackground
                                                                    : graphics_.normalBackground;
    const int w = background.width();
    const int h = background.height();
    if (w <= 0 || h <= 0) {
        return;
    }
    const Place place = placeOf(target);
    // Wallpaper from the board's top-left corner: split the tile where the
    // picture wraps, one rectangle per piece.
    int v = 0;
    int sy = (cellRow(cell) * kTile) % h;
    while (v < kTile) {
        const int rows = std::min(kTile - v, h - sy);
        int u = 0;
        int sx = (cellColumn(cell) * kTile) % w;
        while (u < kTile) {
            const int cols = std::min(kTile - u, w - sx);
            bitBlt(*place.image, place.origin + Point{u, v}, background, Rect{sx, sy, cols, rows},
                   RasterOp::Copy);
            u += cols;
            sx = 0;
        }
        v += rows;
        sy = 0;
    }
}

void Renderer::drawTile(int cell, int piece, int oldPiece, int step, TileTarget target, bool presentIt,
                        bool withItem, bool plainLook)
{
    const Place place = placeOf(target);
    constexpr Rect tile{0, 0, kTile, kTile};
    const Rect area = tile.translated(place.origin);

    if (step >= 3 || step < 0 || !isCell(cell)) {
        prepareTileBackground(cell, target);
        if (piece >= 0) {
            drawPiece(place, piece, lookIsLit(cell, plainLook));
        }
    } else {
        const auto c = static_cast<std::size_t>(cell);
        const bool green = state_.greenStamp[c] != -1;
        // New tile into C.
        drawCellBackground(cell, target);
        if (piece >= 0) {
            drawPiece(place, piece, green && !state_.greenChanged[c]);
        }
        bitBlt(workC_, Point{0, 0}, *place.image, area, RasterOp::Copy);
        // Old tile into B.
        drawCellBackground(cell, target);
        if (oldPiece >= 0) {
            drawPiece(place, oldPiece, green);
        }
        bitBlt(workB_, Point{0, 0}, *place.image, area, RasterOp::Copy);
        // Old where the step's mask is white, new where it is black.
        static constexpr int kComplement[3] = {2, 3, 0};
        bitBlt(workB_, Point{0, 0}, masks_[static_cast<std::size_t>(step)], tile, RasterOp::SourceAndNotDest);
        bitBlt(workC_, Point{0, 0}, masks_[static_cast<std::size_t>(kComplement[step])], tile,
               RasterOp::SourceAndNotDest);
        bitBlt(*place.image, place.origin, workB_, tile, RasterOp::Copy);
        bitBlt(*place.image, place.origin, workC_, tile, RasterOp::NotSourceOrDest);
    }

    if (withItem && isCell(cell)) {
        drawItem(place, cell);
    }
    if (presentIt) {
        present(target);
    }
}

void Renderer::drawTileShown(int cell, int piece, int oldPiece, int step, TileTarget target, bool withItem)
{
    drawTile(cell, piece, oldPiece, step, target, true, withItem, false);
}

void Renderer::drawTileBatch(int cell, int piece, int oldPiece, int step, TileTarget target, bool withItem)
{
    drawTile(cell, piece, oldPiece, step, target, false, withItem, false);
}

void Renderer::drawTilePlain(int cell, int piece, int oldPiece, int step, TileTarget target, bool withItem)
{
    drawTile(cell, piece, oldPiece, step, target, false, withItem, true);
}

void Renderer::redrawBoard()
{
    for (int cell = 0; cell < kCellCount; ++cell) {
        drawTileBatch(cell, state_.board[static_cast<std::size_t>(cell)], -1, 3, TileTarget::cell(cell), true);
    }
    present(TileTarget::wholeBoard());
}

void Renderer::redrawAll(int offeredPiece, bool paletteVisible)
{
    drawTileShown(-1, offeredPiece, -1, 3, TileTarget::panel(), false);
    redrawBoard();
    if (paletteVisible) {
        for (int entry = 0; entry < kPaletteEntries; ++entry) {
            clearTile(TileTarget::palette(entry));
            drawTileBatch(-1, entry, -1, 3, TileTarget::palette(entry), false);
            present(TileTarget::palette(entry));
        }
    }
}

} // namespace tavrin::graphics
