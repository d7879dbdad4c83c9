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

    std::optional<PlacementHint> best;
    for (int c = 0; c < kCellCount; ++c) {
        if (!placementAllowed(state.board, c, piece)) {
            continue;
        }
        // Only what the analysis reads or writes needs resetting.
        trial->board = base->board;
        trial->board[c] = piece;
        trial->greenStamp = base->greenStamp;
        trial->movesUsed = base->movesUsed;
        trial->scoreChain = base->scoreChain;
        trial->movesReturnedTotal = base->movesReturnedTotal;
        trial->scoreLabelsDirty = base->scoreLabelsDirty;
        trial->overrunState = base->overrunState;
        trial->labels = base->labels;
        NetworkAnalysis(*trial).networkAnalysis();
        const long total = static_cast<long>(ecoPoints(*trial)) + trial->loopPoints;
        if (!best || total > best->total) {
            best = PlacementHint{c, total};
        }
    }
    return best;
}

} // namespace tavrin
