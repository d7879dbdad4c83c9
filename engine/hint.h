// The free game's hint: where the offered piece scores most right now.
#pragma once

#include "engine/game_state.h"

#include <optional>

namespace tavrin {

struct PlacementHint {
    int cell = -1;
    long total = 0; // eco points + loop points after the placement
};

// Tries the offered piece on every cell the same-shape rule allows, each time
// on a copy of the state through the real analysis, and returns the cell with
// the highest eco + loop points (ties to the lowest cell). `freeMove` says the
// placement would cost no move (the oldest discard slot is occupied).
// The state itself is never changed.
std::optional<PlacementHint> bestPlacement(const GameState& state, HyperRoad piece, bool freeMove);

// Same-shape rule of the free game: a piece may not be laid on itself, unless
// every cell already holds it.
bool placementAllowed(const Board& board, int cell, HyperRoad piece);

} // namespace tavrin
