// Checks a puzzle the way a player would meet it: is it playable at all?
#pragma once

#include "engine/puzzle.h"

#include <cstdint>
#include <string>

namespace tavrin {

struct PuzzleCheck {
    GameMode mode = kNoMode;
    int groups = 0;         // road groups of the starting layout
    long loopPoints = 0;    // loop points of the starting layout
    int clearingPlacements = 0; // big loop: single placements (cell x shape, eraser too) that clear it
    bool playable = false;
    std::string problem;    // why not, when not playable
};

// Full connection needs its roads in two or more groups; big loop needs at
// least one placement that raises the loop points above the start's.
PuzzleCheck checkPuzzle(const Puzzle& puzzle);

} // namespace tavrin
