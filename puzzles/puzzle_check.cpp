#include "puzzles/puzzle_check.h"

#include "engine/analysis.h"
#include "engine/goals.h"

#include <memory>

namespace tavrin {

PuzzleCheck checkPuzzle(const Puzzle& puzzle)
{
    PuzzleCheck out;
    out.mode = puzzle.mode;

    // Played as the only puzzle of a series, as the game would.
    auto s = std::make_unique<GameState>();
    s->puzzleSeries = true;
    s->puzzleCount = 1;
    s->puzzleIndex = 0;
    s->puzzles[0] = puzzle;
    std::copy(puzzle.cells.begin(), puzzle.cells.end(), s->board.begin());
    s->analysisKind = 1;
    NetworkAnalysis analysis(*s);
    analysis.networkAnalysis();
    out.groups = s->groupCount;
    out.loopPoints = s->loopPoints;

    switch (puzzle.mode) {
    case kFullConnection:
        out.playable = fullConnectionStartValid(out.groups);
        if (!out.playable) {
            out.problem = "roads are in fewer than two groups: the puzzle is solved before it starts";
        }
        break;
    case kBigLoop: {
        const long target = out.loopPoints;
        const Board start = s->board;
        for (int c = 0; c < kCellCount; ++c) {
            for (int shape = 0; shape <= kEraser; ++shape) {
                const HyperRoad piece = shape == kEraser ? kEmpty : static_cast<HyperRoad>(shape);
                if (start[c] == piece) {
                    continue;
                }
                s->board = start;
                s->board[c] = piece;
                analysis.networkAnalysis();
                if (bigLoopReached(s->loopPoints, static_cast<int>(target))) {
                    ++out.clearingPlacements;
                }
            }
        }
        s->board = start;
        out.playable = out.clearingPlacements > 0;
        if (!out.playable) {
            out.problem = "no single placement raises the loop points above " + std::to_string(target);
        }
        break;
    }
    default:
        out.problem = "no game mode";
        break;
    }
    return out;
}

} // namespace tavrin
