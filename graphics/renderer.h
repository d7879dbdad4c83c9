// Composes the 32 x 32 tiles of the board, the offered-piece panel and the
// palette from the current pictures and the shared game state, on plain pixel
// buffers. The window only shows the finished images; it is told through the
// presenter when to. The buffers keep their size and place in memory for the
// renderer's lifetime, so a window may show them without copying.
#pragma once

#include "engine/game_state.h"
#include "graphics/graphics_set.h"
#include "graphics/raster.h"
#include "graphics/tile_target.h"

#include <array>
#include <functional>

namespace tavrin::graphics {

inline constexpr int kPaletteEntries = 11; // pieces 0..10; the eraser entry has a fixed icon
inline constexpr int kBoardPixels = kTile * 8;

// Whether `cell` is drawn on the goal background (its land has turned green
// in time) rather than the normal one.
bool onGoalBackground(const GameState& state, int cell);

class Renderer {
public:
    using Presenter = std::function<void(TileTarget)>;

    Renderer(const GraphicsSet& graphics, const GameState& state);

    // Called when a surface's image is ready to be shown: a single cell, the
    // whole board (TileTarget::wholeBoard()) after a batch, the panel, or a
    // palette entry.
    void setPresenter(Presenter presenter) { presenter_ = std::move(presenter); }
    // Colour of the empty panel and of emptied palette entries.
    void setPanelColour(Rgb colour) { panelColour_ = colour | kOpaque; }
    Rgb panelColour() const { return panelColour_; }

    const PixelBuffer& boardImage() const { return board_; }
    const PixelBuffer& panelImage() const { return panel_; }
    const PixelBuffer& paletteImage(int entry) const;
    const PixelBuffer& dissolveMask(int k) const { return masks_[static_cast<std::size_t>(k & 3)]; }

    // Composes one tile. `cell` is a board index or -1 for the panel and the
    // palette; `piece`/`oldPiece` are piece codes or -1; `step` 0..2 is a
    // dissolve frame from the old piece to the new one, 3 and above the final
    // picture. `present` shows the target afterwards; `withItem` draws the
    // cell's item on top; `plainLook` forces the plain rows of the sheet.
    void drawTile(int cell, int piece, int oldPiece, int step, TileTarget target, bool present,
                  bool withItem, bool plainLook);
    void drawTileShown(int cell, int piece, int oldPiece, int step, TileTarget target, bool withItem);
    void drawTileBatch(int cell, int piece, int oldPiece, int step, TileTarget target, bool withItem);
    void drawTilePlain(int cell, int piece, int oldPiece, int step, TileTarget target, bool withItem);

    // Panel, board (all 64 composed, then shown at once) and, when the palette
    // is visible, its eleven piece entries in the lit look.
    void redrawAll(int offeredPiece, bool paletteVisible);
    // The board part of redrawAll alone.
    void redrawBoard();

    // The background step of a tile: the wallpapered board background for a
    // board cell, the empty panel colour otherwise.
    void prepareTileBackground(int cell, TileTarget target);
    // Copies the part of the normal or goal background under `cell` into `target`.
    void drawCellBackground(int cell, TileTarget target);
    // Empties a panel or palette tile to the panel colour.
    void clearTile(TileTarget target);
    // The offered-piece panel shows its empty background at once.
    void clearOfferedPiece();

private:
    struct Place {
        PixelBuffer* image;
        Point origin;
    };
    Place placeOf(TileTarget target);
    void present(TileTarget target);
    // image AND (target OR mask), through work surface A.
    void maskedCopy(Place place, const PixelBuffer& source, int column, int imageY, int maskY);
    void drawPiece(Place place, int piece, bool lit);
    void drawItem(Place place, int cell);
    bool lookIsLit(int cell, bool plainLook) const;

    const GraphicsSet& graphics_;
    const GameState& state_;
    Presenter presenter_;
    Rgb panelColour_ = 0xFFD4D0C8u;

    PixelBuffer board_;
    PixelBuffer panel_;
    std::array<PixelBuffer, kPaletteEntries> palette_;
    std::array<PixelBuffer, 4> masks_;
    PixelBuffer workA_;
    PixelBuffer workB_;
    PixelBuffer workC_;
};

} // namespace tavrin::graphics
