// The free game's hint: where the offered piece scores most right now, or,
// when no cell raises the points, where it brings the roads closest to
// joining the items.
#pragma once

#include "engine/game_state.h"

#include <optional>

namespace tavrin {

struct PlacementHint {
    int cell = -1;
    long total = 0;      // eco points + loop points after the placement
    bool raises = false; // the total is above today's
    // Worked out only when nothing raises the points:
    int openEnds = 0; // road ends on the board that no neighbour answers, after the placement
    int gap = 0;      // empty cells still to be filled to link the items (0 when they are linked)
};

// Tries the offered piece on every cell the same-shape rule allows, each time
// on a copy of the state through the real analysis, and returns the cell with
// the highest eco + loop points. When that total raises the points, ties go
// to the lowest cell. When no cell raises them, the cells that keep the
// highest total are told apart by what brings the roads closest to joining
// the items: the fewest unanswered road ends (a side open towards the edge or
// towards a cell that does not open back), then the shortest gap between the
// items, then the lowest cell. `freeMove` says the placement would cost no
// move (the oldest discard slot is occupied). The state itself is never
// changed.
std::optional<PlacementHint> bestPlacement(const GameState& state, HyperRoad piece, bool freeMove);

// Same-shape rule of the free game: a piece may not be laid on itself, unless
// every cell already holds it.
bool placementAllowed(const Board& board, int cell, HyperRoad piece);

// Open sides of the pieces on `board` that no neighbour answers.
int unansweredEnds(const Board& board);

} // namespace tavrin
