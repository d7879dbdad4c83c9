#include "engine/placement_loops.h"

namespace tavrin {

PlacementLoops::PlacementLoops(const Board& board) : state_(std::make_unique<GameState>()), analysis_(*state_)
{
    state_->editMode = true;
    state_->analysisKind = 1;
    reset(board);
}

long PlacementLoops::analyse(const Board& board)
{
    state_->board = board;
    analysis_.networkAnalysis();
    return state_->loopPoints;
}

void PlacementLoops::reset(const Board& board)
{
    board_ = board;
    points_ = analyse(board);
}

std::array<long, kCellContents> PlacementLoops::pointsPerContent(int cell)
{
    unsigned facing = 0;
    for (int d = 0; d < kDirections; ++d) {
        const int n = neighbour(cell, d);
        if (n >= 0 && opensSide(board_[n], oppositeDirection(d))) {
            facing |= 1u << d;
        }
    }
    // Points by the set of neighbours joined; -1 until analysed.
    std::array<long, 1u << kDirections> byJoined{};
    byJoined.fill(-1);
    byJoined[openSides(board_[cell]) & facing] = points_;
    std::array<long, kCellContents> out{};
    Board trial = board_;
    for (int i = 0; i < kCellContents; ++i) {
        long& known = byJoined[openSides(contentAt(i)) & facing];
        if (known < 0) {
            trial[cell] = contentAt(i);
            known = analyse(trial);
        }
        out[static_cast<std::size_t>(i)] = known;
    }
    return out;
}

} // namespace tavrin
