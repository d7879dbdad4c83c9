#include "engine/placement_groups.h"

namespace tavrin {

namespace {

// True when the piece on `n`, the neighbour of a cell in direction `d`, opens
// towards that cell.
bool facesBack(const Board& board, int n, int d)
{
    return n >= 0 && opensSide(board[n], oppositeDirection(d));
}

} // namespace

PlacementGroups::PlacementGroups(const Board& board) : board_(board)
{
    group_.fill(-1);
    order_.fill(-1);
    parent_.fill(-1);
    for (int c = 0; c < kCellCount; ++c) {
        if (board_[c] >= 0 && order_[c] < 0) {
            group_[c] = static_cast<std::int8_t>(groups_);
            search(c);
            ++groups_;
        }
    }
    for (int c = 0; c < kCellCount; ++c) {
        for (int d = 0; d < kDirections; ++d) {
            if (opensSide(board_[c], d) && !facesBack(board_, neighbour(c, d), d)) {
                ++openEnds_;
            }
        }
    }
}

void PlacementGroups::search(int u)
{
    order_[u] = low_[u] = static_cast<std::int8_t>(counter_++);
    int children = 0;
    int separated = 0;
    for (int d = 0; d < kDirections; ++d) {
        const int n = neighbour(u, d);
        if (n < 0 || !cellsLinked(board_, u, n)) {
            continue;
        }
        if (order_[n] < 0) {
            parent_[n] = static_cast<std::int8_t>(u);
            group_[n] = group_[u];
            search(n);
            ++children;
            if (low_[n] < low_[u]) {
                low_[u] = low_[n];
            }
            if (low_[n] >= order_[u]) {
                ++separated;
            }
        } else if (n != parent_[u] && order_[n] < low_[u]) {
            low_[u] = order_[n];
        }
    }
    last_[u] = static_cast<std::int8_t>(counter_ - 1);
    // A root falls into one part per subtree; any other cell into the parts
    // its cut-off subtrees make, plus the part that holds its parent.
    pieces_[u] = static_cast<std::int8_t>(parent_[u] < 0 ? children : separated + 1);
}

int PlacementGroups::labelWithout(int cell, int n) const
{
    if (group_[cell] < 0 || group_[n] != group_[cell]) {
        return group_[n];
    }
    // Same group: n lies in one subtree of the cell, or on its parent's side.
    for (int d = 0; d < kDirections; ++d) {
        const int v = neighbour(cell, d);
        if (v >= 0 && parent_[v] == cell && order_[n] >= order_[v] && order_[n] <= last_[v]) {
            return low_[v] >= order_[cell] ? groups_ + 1 + v : groups_;
        }
    }
    return groups_;
}

int PlacementGroups::groupsAfter(int cell, HyperRoad content) const
{
    if (!isCell(cell)) {
        return groups_;
    }
    const int without = board_[cell] >= 0 ? groups_ - 1 + pieces_[cell] : groups_;
    if (!isPiece(content)) {
        return without;
    }
    int labels[kDirections];
    int distinct = 0;
    for (int d = 0; d < kDirections; ++d) {
        const int n = neighbour(cell, d);
        if (!opensSide(content, d) || !facesBack(board_, n, d)) {
            continue;
        }
        const int label = labelWithout(cell, n);
        bool seen = false;
        for (int i = 0; i < distinct; ++i) {
            seen = seen || labels[i] == label;
        }
        if (!seen) {
            labels[distinct++] = label;
        }
    }
    return without + 1 - distinct;
}

int PlacementGroups::localOpenEnds(int cell, HyperRoad content) const
{
    int ends = 0;
    for (int d = 0; d < kDirections; ++d) {
        const bool own = opensSide(content, d);
        const bool back = facesBack(board_, neighbour(cell, d), d);
        ends += own != back ? 1 : 0;
    }
    return ends;
}

int PlacementGroups::openEndsAfter(int cell, HyperRoad content) const
{
    if (!isCell(cell)) {
        return openEnds_;
    }
    return openEnds_ - localOpenEnds(cell, board_[cell]) + localOpenEnds(cell, content);
}

} // namespace tavrin
