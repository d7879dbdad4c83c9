#include "engine/hint.h"

#include "engine/analysis.h"
#include "engine/scoring.h"

#include <algorithm>
#include <memory>

namespace tavrin {

bool placementAllowed(const Board& board, int cell, HyperRoad piece)
{
    if (!isCell(cell) || !isPiece(piece)) {
        return false;
    }
    if (board[cell] != piece) {
        return true;
    }
    return std::all_of(board.begin(), board.begin() + kCellCount, [piece](HyperRoad p) { return p == piece; });
}

std::optional<PlacementHint> bestPlacement(const GameState& state, HyperRoad piece, bool freeMove)
{
    if (!isPiece(piece)) {
        return std::nullopt;
    }
    // Two copies on the heap (the state is large): the base after the move's
    // cost, and a scratch copy that each trial starts from.
    auto base = std::make_unique<GameState>(state);
    base->editMode = false;
    base->puzzleSeries = false;
    if (!freeMove) {
        base->movesUsed = static_cast<std::int16_t>(base->movesUsed + 1);
    }
    base->maxMovesUsed = std::max(base->maxMovesUsed, base->movesUsed);
    auto trial = std::make_unique<GameState>(*base);

    // One analysis for every trial: its work arrays are set up once, not per cell.
    NetworkAnalysis analysis(*trial);
    std::optional<PlacementHint> best;
    for (int c = 0; c < kCellCount; ++c) {
        if (!placementAllowed(state.board, c, piece)) {
            continue;
        }
        restoreAnalysisInput(*trial, *base);
        trial->board[c] = piece;
        analysis.networkAnalysis();
        const long total = static_cast<long>(ecoPoints(*trial)) + trial->loopPoints;
        if (!best || total > best->total) {
            best = PlacementHint{c, total};
        }
    }
    return best;
}

} // namespace tavrin
