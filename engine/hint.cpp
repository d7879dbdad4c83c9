#include "engine/hint.h"

#include "engine/analysis.h"
#include "engine/scoring.h"

#include <algorithm>
#include <array>
#include <memory>

namespace tavrin {

namespace {

// Ends of `piece` at `cell` left unanswered, plus the neighbours' ends towards
// `cell` that it leaves unanswered: all that a piece at `cell` changes.
int endsAround(const Board& board, int cell, HyperRoad piece)
{
    int ends = 0;
    for (int d = 0; d < kDirections; ++d) {
        const int n = neighbour(cell, d);
        const bool here = opensSide(piece, d);
        const bool there = n >= 0 && opensSide(board[n], oppositeDirection(d));
        ends += (here && !there ? 1 : 0) + (there && !here ? 1 : 0);
    }
    return ends;
}

// How far apart the items are: for each item, the number of empty cells on
// the cheapest way from its cell to every cell (both ends counted; a cell
// with a road costs nothing, however it points).
class ItemGaps {
public:
    explicit ItemGaps(const GameState& s) : count_(std::clamp<int>(s.itemCount, 0, kMaxItems))
    {
        for (int k = 0; k < count_; ++k) {
            item_[k] = isCell(s.itemCells[k]) ? s.itemCells[k] : 0;
            spread(s.board, k);
        }
    }

    // The empty cells still to fill to link every item, by the shortest
    // links between them (a spanning tree of the items), when `cell` gets a
    // road.
    int gapWith(const Board& board, int cell) const
    {
        if (count_ < 2) {
            return 0;
        }
        const bool fills = board[cell] < 0;
        auto between = [&](int i, int j) {
            int d = dist_[i][item_[j]];
            if (fills) {
                d = std::min(d, dist_[i][cell] + dist_[j][cell] - 2);
            }
            return d;
        };
        std::array<bool, kMaxItems> joined{};
        std::array<int, kMaxItems> best{};
        joined[0] = true;
        for (int k = 1; k < count_; ++k) {
            best[k] = between(0, k);
        }
        int total = 0;
        for (int step = 1; step < count_; ++step) {
            int next = -1;
            for (int k = 1; k < count_; ++k) {
                if (!joined[k] && (next < 0 || best[k] < best[next])) {
                    next = k;
                }
            }
            joined[next] = true;
            total += best[next];
            for (int k = 1; k < count_; ++k) {
                if (!joined[k]) {
                    best[k] = std::min(best[k], between(next, k));
                }
            }
        }
        return total;
    }

private:
    // Cheapest ways from item k's cell, one cost level at a time: the cells
    // reached at level L spread for free over roads and to level L + 1 over
    // empty cells. Each level holds at most one entry per grid edge.
    void spread(const Board& board, int k)
    {
        auto cost = [&](int c) { return board[c] < 0 ? 1 : 0; };
        std::array<int, kCellCount>& dist = dist_[k];
        dist.fill(kUnreached);
        std::array<int, kCellCount * kDirections + 1> level{};
        std::array<int, kCellCount * kDirections + 1> next{};
        int inLevel = 0;
        int inNext = 0;
        dist[item_[k]] = cost(item_[k]);
        level[inLevel++] = item_[k];
        while (inLevel > 0) {
            while (inLevel > 0) {
                const int c = level[--inLevel];
                for (int d = 0; d < kDirections; ++d) {
                    const int n = neighbour(c, d);
                    if (n < 0 || dist[c] + cost(n) >= dist[n]) {
                        continue;
                    }
                    dist[n] = dist[c] + cost(n);
                    if (cost(n) == 0) {
                        level[inLevel++] = n;
                    } else {
                        next[inNext++] = n;
                    }
                }
            }
            std::swap(level, next);
            std::swap(inLevel, inNext);
        }
    }

    static constexpr int kUnreached = kCellCount * 2;

    int count_;
    std::array<int, kMaxItems> item_{};
    std::array<std::array<int, kCellCount>, kMaxItems> dist_{};
};

} // namespace

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

int unansweredEnds(const Board& board)
{
    int ends = 0;
    for (int c = 0; c < kCellCount; ++c) {
        for (int d = 0; d < kDirections; ++d) {
            const int n = neighbour(c, d);
            ends += opensSide(board[c], d) && (n < 0 || !opensSide(board[n], oppositeDirection(d))) ? 1 : 0;
        }
    }
    return ends;
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
    std::array<long, kCellCount> totals{};
    std::array<bool, kCellCount> allowed{};
    std::optional<PlacementHint> best;
    for (int c = 0; c < kCellCount; ++c) {
        allowed[c] = placementAllowed(state.board, c, piece);
        if (!allowed[c]) {
            continue;
        }
        restoreAnalysisInput(*trial, *base);
        trial->board[c] = piece;
        analysis.networkAnalysis();
        totals[c] = static_cast<long>(ecoPoints(*trial)) + trial->loopPoints;
        if (!best || totals[c] > best->total) {
            best = PlacementHint{c, totals[c]};
        }
    }
    if (!best) {
        return best;
    }
    const long now = static_cast<long>(ecoPoints(state)) + state.loopPoints;
    best->raises = best->total > now;
    if (best->raises) {
        return best;
    }
    const int endsNow = unansweredEnds(state.board);
    auto endsAfter = [&](int c) {
        return endsNow - endsAround(state.board, c, state.board[c]) + endsAround(state.board, c, piece);
    };
    // Nothing scores: among the cells that keep the most, the one that
    // leaves the fewest loose ends, then the one nearest to linking the items.
    const ItemGaps gaps(state);
    std::optional<PlacementHint> nearest;
    for (int c = 0; c < kCellCount; ++c) {
        if (!allowed[c] || totals[c] != best->total) {
            continue;
        }
        const int ends = endsAfter(c);
        if (nearest && ends > nearest->openEnds) {
            continue;
        }
        const int gap = gaps.gapWith(state.board, c);
        if (!nearest || ends < nearest->openEnds || gap < nearest->gap) {
            nearest = PlacementHint{c, totals[c], false, ends, gap};
        }
    }
    return nearest;
}

} // namespace tavrin
