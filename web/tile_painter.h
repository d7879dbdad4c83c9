// Shows the tiles the game draws on the page's canvases.
#pragma once

#include "engine/game_state.h"
#include "game/controller.h"
#include "web/web_window.h"

namespace tavrin::web {

class PagePainter : public TilePainter {
public:
    void attach(const GameState& state, const game::FlowState& flow)
    {
        state_ = &state;
        flow_ = &flow;
    }

    void drawTile(const game::TileDraw& tile) override;
    void clearOfferedPiece() override;
    void redrawAll(int offeredPiece, bool paletteVisible) override;
    void redrawBoard() override;

private:
    void cell(int index, int piece, int oldPiece, int step, bool withItem, bool lit);

    const GameState* state_ = nullptr;
    const game::FlowState* flow_ = nullptr;
};

} // namespace tavrin::web
