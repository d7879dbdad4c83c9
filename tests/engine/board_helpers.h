// Small helpers for building boards in engine tests.
#pragma once

#include "engine/game_state.h"

#include <initializer_list>
#include <utility>

namespace tavrin::test {

// Places pieces given as {cell, code} pairs on an otherwise empty board.
inline void place(GameState& s, std::initializer_list<std::pair<int, int>> pieces)
{
    for (const auto& [cell, code] : pieces) {
        s.board[cell] = static_cast<HyperRoad>(code);
    }
}

// A 2 x 2 ring whose top-left cell is `topLeft`.
inline void ring2(GameState& s, int topLeft)
{
    place(s, {{topLeft, 4}, {topLeft + 1, 5}, {topLeft + 8, 3}, {topLeft + 9, 2}});
}

// Items on the given cells, kinds in order.
inline void items(GameState& s, std::initializer_list<int> cells)
{
    s.itemCount = 0;
    for (const int c : cells) {
        s.itemCells[s.itemCount] = static_cast<std::int16_t>(c);
        s.cellItem[c] = s.itemCount;
        ++s.itemCount;
    }
}

} // namespace tavrin::test
