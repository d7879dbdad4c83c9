#include "web/tile_painter.h"

#include "web/page_bridge.h"

namespace tavrin::web {

namespace {

enum Surface { kBoard = 0, kPanel = 1, kPalette = 2 };

} // namespace

void PagePainter::cell(int index, int piece, int oldPiece, int step, bool withItem, bool lit)
{
    tavrin_js_tile(kBoard, index, piece, oldPiece, step, withItem ? 1 : 0, lit ? 1 : 0);
}

void PagePainter::drawTile(const game::TileDraw& tile)
{
    switch (tile.target) {
    case game::TileTarget::BoardCell: {
        const bool lit = !tile.plainLook && state_ != nullptr &&
                         state_->greenStamp[static_cast<std::size_t>(tile.index)] >= 0;
        cell(tile.index, tile.piece, tile.oldPiece, tile.step, tile.withItem, lit);
        break;
    }
    case game::TileTarget::OfferedPiece:
        tavrin_js_tile(kPanel, 0, tile.piece, -1, 3, 0, 1);
        break;
    case game::TileTarget::PaletteEntry:
        tavrin_js_tile(kPalette, tile.index, tile.piece, -1, 3, 0, tile.plainLook ? 0 : 1);
        break;
    }
}

void PagePainter::clearOfferedPiece()
{
    tavrin_js_tile(kPanel, 0, -1, -1, 3, 0, 0);
}

void PagePainter::redrawAll(int offeredPiece, bool)
{
    tavrin_js_tile(kPanel, 0, offeredPiece, -1, 3, 0, 1);
    redrawBoard();
}

void PagePainter::redrawBoard()
{
    if (state_ == nullptr) {
        return;
    }
    for (int c = 0; c < kCellCount; ++c) {
        const auto i = static_cast<std::size_t>(c);
        cell(c, state_->board[i], -1, 3, state_->cellItem[i] >= 0 && state_->itemCount > 0,
             state_->greenStamp[i] >= 0);
    }
}

} // namespace tavrin::web
