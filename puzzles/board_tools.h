// Whole-board tools of the puzzle editor: cyclic shifts, mirrors, quarter
// turns, and the random pick of a palette shape.
#pragma once

#include "engine/board.h"

#include <functional>
#include <optional>
#include <string_view>

namespace tavrin {

// Uniform numbers in [0, 1). Any callable will do; the game passes its one
// random generator.
using UniformSource = std::function<double()>;

// Cyclic shift: a piece at row r, column c moves to row (r + dy) mod 8,
// column (c + dx) mod 8. Pieces leaving one edge enter at the opposite one.
void shiftBoard(Board& board, int dx, int dy);

// axis 0: mirror left-right, axis 1: mirror top-bottom; the pieces are
// mirrored too. Any other axis leaves the board alone.
void mirrorBoard(Board& board, int axis);

// direction 0: a quarter turn counter-clockwise, 1: clockwise; the pieces turn
// with the board. Any other direction leaves the board alone.
void turnBoard(Board& board, int direction);

// A palette shape 0..10 drawn uniformly, different from `selectedShape`
// (the eraser is never drawn). Values of `random` outside [0, 1) are clamped.
HyperRoad pickRandomShape(HyperRoad selectedShape, const UniformSource& random);

// The board-editing toolbar: buttons 1..11, separators at 1, 4 and 7.
inline constexpr int kBoardToolButtons = 11;

// True when the button carries a board tool (not a separator).
bool toolbar2HasAction(int button);

// Applies the button's tool to `board`; false (board unchanged) for a
// separator or an unknown button.
bool applyBoardToolButton(Board& board, int button);

} // namespace tavrin
