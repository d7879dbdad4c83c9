// The random layout of the free game's items.
#pragma once

#include "engine/game_state.h"
#include "game/random.h"

#include <array>
#include <cstdint>

namespace tavrin::game {

struct ItemLayout {
    int count = 0;
    std::array<std::int16_t, kMaxItems> cells{};
    std::array<std::int16_t, kMaxItems> kinds{}; // a permutation of 0 .. count - 1
};

int manhattan(int a, int b);

// Every pair at least 5 apart, the centre cell (sum of the cell numbers
// divided by the count) free of items, and the mean distance from it exactly 4.
bool layoutAccepted(const std::array<std::int16_t, kMaxItems>& cells, int count);

// Draws positions until a layout is accepted, then the kinds. `count` is
// clamped to 2 .. 5.
ItemLayout drawItemLayout(int count, RandomSource& random);

} // namespace tavrin::game
