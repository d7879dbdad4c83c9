// Loop points of a board with one cell changed, for every content of the cell.
#pragma once

#include "engine/analysis.h"
#include "engine/board.h"
#include "engine/game_state.h"

#include <array>
#include <memory>

namespace tavrin {

// Cell contents in table order: the empty cell (the eraser) first, then pieces 0..10.
inline constexpr int kCellContents = kPieceKinds + 1;
constexpr HyperRoad contentAt(int index) { return static_cast<HyperRoad>(index - 1); }
constexpr int contentIndex(HyperRoad content) { return content + 1; }

// The analysis reads a board only through which neighbours are joined, so
// contents of a cell that join the same neighbours give the same loops: one
// analysis serves them all, and contents joining the same neighbours as the
// cell's own piece keep the board's loop points. The answers equal the loop
// points of the full network analysis of each changed board.
class PlacementLoops {
public:
    explicit PlacementLoops(const Board& board);
    PlacementLoops(const PlacementLoops&) = delete;
    PlacementLoops& operator=(const PlacementLoops&) = delete;

    long points() const { return points_; }

    // Loop points with cell `cell` holding each content, in table order.
    std::array<long, kCellContents> pointsPerContent(int cell);

    // Analyses `board`, which becomes the board asked about.
    void reset(const Board& board);

private:
    long analyse(const Board& board);

    Board board_{};
    long points_ = 0;
    std::unique_ptr<GameState> state_;
    NetworkAnalysis analysis_;
};

} // namespace tavrin
