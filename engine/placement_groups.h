// Group counts after any single placement, without analysing each new board.
#pragma once

#include "engine/board.h"

#include <array>
#include <cstdint>

namespace tavrin {

// Built once per board: how many road groups the board would have after one
// cell is given a new content (a piece, or emptied). The answers equal the
// group count of the full network analysis of the changed board; the table
// comes from one depth-first search that finds, for every cell, how its group
// falls apart when the cell is taken out.
class PlacementGroups {
public:
    explicit PlacementGroups(const Board& board);

    // Road groups of the board itself.
    int groups() const { return groups_; }

    // Road groups after cell `cell` holds `content` (a piece 0..10 or kEmpty).
    int groupsAfter(int cell, HyperRoad content) const;

    // Open road ends of the board: open sides that join nothing.
    int openEnds() const { return openEnds_; }

    // Open road ends after cell `cell` holds `content`.
    int openEndsAfter(int cell, HyperRoad content) const;

private:
    void search(int root);
    // Label of cell `n`'s group once `cell` is taken out.
    int labelWithout(int cell, int n) const;
    // Open ends that cell `cell` holding `content` contributes, on its own
    // sides and on its neighbours' sides facing it.
    int localOpenEnds(int cell, HyperRoad content) const;

    Board board_;
    int groups_ = 0;
    int openEnds_ = 0;
    std::array<std::int8_t, kCellCount> group_{};    // -1 for an empty cell
    std::array<std::int8_t, kCellCount> order_{};    // depth-first visiting order
    std::array<std::int8_t, kCellCount> last_{};     // last order inside the cell's subtree
    std::array<std::int8_t, kCellCount> low_{};      // lowest order reachable from the subtree
    std::array<std::int8_t, kCellCount> parent_{};   // -1 for a root
    std::array<std::int8_t, kCellCount> pieces_{};   // parts the cell's group falls into without it
    int counter_ = 0;
};

} // namespace tavrin
