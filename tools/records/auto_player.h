// A small automatic player of the free game, for finding real finished games
// to test and measure with: it grows one road network from the first item
// over the whole board, throws away pieces that fit nowhere, and never lays a
// piece that would shut an empty part of the board off from the roads.
#pragma once

#include "game/game_record.h"

#include <cstdint>
#include <optional>

namespace tavrin::records {

// Plays the game of `seed` with `itemKinds` kinds (a daily game when `daily`
// is set, whose seed and kinds are then that date's); the record when it
// reaches the goal, nothing when it runs out of moves.
std::optional<game::GameRecord> playToGoal(std::uint64_t seed, int itemKinds,
                                           std::optional<ScoreDate> daily = std::nullopt);

} // namespace tavrin::records
