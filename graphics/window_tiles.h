// A tile the game asks a window to draw, composed by the renderer: the one
// mapping from the game's tile targets to the renderer's surfaces, shared by
// the desktop window and the page.
#pragma once

#include "engine/board.h"
#include "game/window.h"
#include "graphics/renderer.h"

#include <optional>

namespace tavrin::graphics {

// Composes `tile`; the surface it was drawn on, or nothing (and nothing
// drawn) when its index is out of range.
inline std::optional<TileTarget> composeTile(Renderer& renderer, const game::TileDraw& tile)
{
    TileTarget target;
    int cell = -1;
    switch (tile.target) {
    case game::TileTarget::BoardCell:
        if (tile.index < 0 || tile.index >= kCellCount) {
            return std::nullopt;
        }
        target = TileTarget::cell(tile.index);
        cell = tile.index;
        break;
    case game::TileTarget::OfferedPiece: target = TileTarget::panel(); break;
    case game::TileTarget::PaletteEntry:
        if (tile.index < 0 || tile.index >= kPaletteEntries) {
            return std::nullopt;
        }
        target = TileTarget::palette(tile.index);
        break;
    }
    renderer.drawTile(cell, tile.piece, tile.oldPiece, tile.step, target, tile.present, tile.withItem,
                      tile.plainLook);
    return target;
}

} // namespace tavrin::graphics
