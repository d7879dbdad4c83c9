// Where a person looks first on a board: at the cells that roads point into
// without an answer, then at the pieces whose own ends are unanswered (an
// end at the board's edge included), then at the cells next to those, and
// last at the rest.
#pragma once

#include "engine/board.h"

#include <array>

namespace tavrin {

inline constexpr int kAttentionTiers = 4;

// Tier per cell: 0 for a cell that a neighbour's road points into without an
// answer, 1 for a piece with an unanswered end of its own, 2 for a cell next
// to one of those, 3 for every other cell.
std::array<int, kCellCount> attentionTiers(const Board& board);

} // namespace tavrin
