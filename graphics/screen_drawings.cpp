#include "graphics/screen_drawings.h"

#include "engine/board.h"

namespace tavrin::graphics {

std::optional<TileTarget> tileTarget(const game::TileDraw& tile)
{
    switch (tile.target) {
    case game::TileTarget::BoardCell:
        if (tile.index < 0 || tile.index >= kCellCount) {
            return std::nullopt;
        }
        return TileTarget::cell(tile.index);
    case game::TileTarget::OfferedPiece: return TileTarget::panel();
    case game::TileTarget::PaletteEntry:
        if (tile.index < 0 || tile.index >= kPaletteEntries) {
            return std::nullopt;
        }
        return TileTarget::palette(tile.index);
    }
    return std::nullopt;
}

void paintDrawings(Renderer& renderer, const std::vector<game::Drawing>& drawings)
{
    using Kind = game::Drawing::Kind;
    for (const game::Drawing& d : drawings) {
        switch (d.kind) {
        case Kind::Tile:
            if (const std::optional<TileTarget> target = tileTarget(d.tile)) {
                const int cell = d.tile.target == game::TileTarget::BoardCell ? d.tile.index : -1;
                renderer.drawTile(cell, d.tile.piece, d.tile.oldPiece, d.tile.step, *target, true, d.tile.withItem,
                                  d.tile.plainLook);
            }
            break;
        case Kind::Everything: renderer.redrawAll(d.offeredPiece, d.palette); break;
        case Kind::Board: renderer.redrawBoard(); break;
        case Kind::EmptyPanel: renderer.clearOfferedPiece(); break;
        }
    }
}

} // namespace tavrin::graphics
