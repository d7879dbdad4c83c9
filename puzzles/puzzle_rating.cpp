#include "puzzles/puzzle_rating.h"

#include "engine/goals.h"
#include "engine/placement_groups.h"
#include "engine/placement_loops.h"
#include "puzzles/attention.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <optional>

namespace tavrin {

namespace {

// Sides of `content` at `cell` that join a road (bit d for direction d), and
// the loose ends around it: open sides of the new content that join nothing,
// and roads pointing into the cell that it leaves unanswered.
struct Fit {
    int joined = 0;
    unsigned joinedSides = 0;
    int loose = 0;
};

Fit fitOf(const Board& board, int cell, HyperRoad content)
{
    Fit fit;
    for (int d = 0; d < kDirections; ++d) {
        const int n = neighbour(cell, d);
        const bool own = opensSide(content, d);
        const bool back = n >= 0 && opensSide(board[n], oppositeDirection(d));
        if (own && back) {
            ++fit.joined;
            fit.joinedSides |= 1u << d;
        } else if (own || back) {
            ++fit.loose;
        }
    }
    return fit;
}

// Try classes within an attention tier: closing a circuit or not, then the
// loose ends, then a gap before a piece laid over another (or erased).
constexpr int kLooseKinds = 2 * kDirections + 1;
constexpr int kTryClasses = 2 * kLooseKinds * 2;
constexpr int kTryRanks = kAttentionTiers * kTryClasses;

int tryClassOf(const Fit& fit, bool closesCircuit, HyperRoad old)
{
    return ((closesCircuit ? 0 : 1) * kLooseKinds + fit.loose) * 2 + (old == kEmpty ? 0 : 1);
}

// True when `content` on `cell` joins two roads that already meet elsewhere.
bool closesCircuit(const PlacementGroups& groups, const Fit& fit, int cell, HyperRoad content)
{
    if (fit.joined < 2) {
        return false;
    }
    const int without = groups.groupsAfter(cell, kEmpty);
    const int distinct = without + 1 - groups.groupsAfter(cell, content);
    return fit.joined > distinct;
}

int rankOf(const Board& board, const PlacementGroups& groups, const std::array<int, kCellCount>& tiers, int cell,
           HyperRoad content)
{
    const Fit fit = fitOf(board, cell, content);
    return tiers[static_cast<std::size_t>(cell)] * kTryClasses +
           tryClassOf(fit, closesCircuit(groups, fit, cell, content), board[cell]);
}

// Expected misses, in hundredths, of trying `total` placements of which
// `clearing` clear in a random order without repeats, after `before` misses.
int expectedTries100(int before, int total, int clearing)
{
    const long num = 100L * (static_cast<long>(before) * (clearing + 1) + total - clearing);
    return static_cast<int>((num + (clearing + 1) / 2) / (clearing + 1));
}

void rateBigLoop(const Board& start, const PlacementGroups& groups, PlacementLoops& loops, PuzzleRating& out)
{
    const long target = loops.points();
    const std::array<int, kCellCount> tiers = attentionTiers(start);
    std::array<int, kTryRanks> tried{};
    std::array<int, kTryRanks> clearing{};
    for (int c = 0; c < kCellCount; ++c) {
        const std::array<long, kCellContents> points = loops.pointsPerContent(c);
        for (int i = 0; i < kCellContents; ++i) {
            const HyperRoad content = contentAt(i);
            if (start[c] == content) {
                continue;
            }
            const auto rank = static_cast<std::size_t>(rankOf(start, groups, tiers, c, content));
            ++tried[rank];
            if (bigLoopReached(points[static_cast<std::size_t>(i)], static_cast<int>(target))) {
                out.clearing.push_back({c, content});
                ++out.clearingPlacements;
                ++clearing[rank];
            }
        }
    }
    out.playable = out.clearingPlacements > 0;
    if (!out.playable) {
        out.problem = "no single placement raises the loop points above " + std::to_string(target);
        return;
    }
    int before = 0;
    for (std::size_t r = 0; r < kTryRanks; ++r) {
        if (clearing[r] > 0) {
            out.expectedMisses100 = expectedTries100(before, tried[r], clearing[r]);
            break;
        }
        before += tried[r];
    }
}

// --- full connection -----------------------------------------------------------

// Road groups per cell (-1 for an empty cell), by a flood over joined sides.
std::array<int, kCellCount> groupLabels(const Board& board)
{
    std::array<int, kCellCount> label{};
    label.fill(-1);
    std::array<int, kCellCount> stack{};
    int next = 0;
    for (int c = 0; c < kCellCount; ++c) {
        if (board[c] == kEmpty || label[static_cast<std::size_t>(c)] >= 0) {
            continue;
        }
        int top = 0;
        stack[static_cast<std::size_t>(top++)] = c;
        label[static_cast<std::size_t>(c)] = next;
        while (top > 0) {
            const int at = stack[static_cast<std::size_t>(--top)];
            for (int d = 0; d < kDirections; ++d) {
                const int n = neighbour(at, d);
                if (n >= 0 && label[static_cast<std::size_t>(n)] < 0 && cellsLinked(board, at, n)) {
                    label[static_cast<std::size_t>(n)] = next;
                    stack[static_cast<std::size_t>(top++)] = n;
                }
            }
        }
        ++next;
    }
    return label;
}

// How close a piece laid ahead on `cell` brings its road to another group:
// the fewest steps from a cell its unanswered ends point into to a road cell
// of a group other than the one it joins.
int reachAhead(const Board& board, const std::array<int, kCellCount>& label, int cell, HyperRoad shape)
{
    int joins = -1;
    std::array<int, kDirections> ends{};
    int endCount = 0;
    for (int d = 0; d < kDirections; ++d) {
        const int n = neighbour(cell, d);
        if (!opensSide(shape, d) || n < 0) {
            continue;
        }
        if (opensSide(board[n], oppositeDirection(d))) {
            joins = label[static_cast<std::size_t>(n)];
        } else {
            ends[static_cast<std::size_t>(endCount++)] = n;
        }
    }
    int reach = 2 * kBoardSide;
    for (int b = 0; b < kCellCount; ++b) {
        const int lb = label[static_cast<std::size_t>(b)];
        if (lb < 0 || lb == joins || b == cell) {
            continue;
        }
        for (int e = 0; e < endCount; ++e) {
            const int a = ends[static_cast<std::size_t>(e)];
            reach = std::min(reach, std::abs(cellRow(a) - cellRow(b)) + std::abs(cellColumn(a) - cellColumn(b)));
        }
    }
    return reach;
}

// The planning player of full connection, worked out exactly in fixed point
// (millionths), so that every machine gets the same figures. Joining steps
// lower the group count and laying ahead keeps it while joining more sides,
// so no position comes back.
class PlanningPlayer {
public:
    static constexpr std::int64_t kUnit = 1000000;

    struct Value {
        std::int64_t misses = 0;
        std::int64_t ahead = 0;
    };

    std::optional<Value> valueOf(const Board& board)
    {
        const Key key = keyOf(board);
        if (const auto found = memo_.find(key); found != memo_.end()) {
            return found->second;
        }
        if (++positions_ > kPositionLimit) {
            return std::nullopt;
        }
        const std::optional<Value> value = work(board);
        memo_.emplace(key, value);
        return value;
    }

private:
    static constexpr int kPositionLimit = 3000;
    using Key = std::array<std::uint64_t, 4>;

    static Key keyOf(const Board& board)
    {
        Key key{};
        for (int c = 0; c < kCellCount; ++c) {
            key[static_cast<std::size_t>(c / 16)] |= static_cast<std::uint64_t>(board[c] + 1) << (4 * (c % 16));
        }
        return key;
    }

    // 1 + the mean of the values after each of `choices` (a miss each).
    std::optional<Value> after(const Board& board, const std::vector<Placement>& choices, bool ahead)
    {
        Value sum;
        for (const Placement& p : choices) {
            Board next = board;
            next[p.cell] = p.content;
            const std::optional<Value> v = valueOf(next);
            if (!v) {
                return std::nullopt;
            }
            sum.misses += v->misses;
            sum.ahead += v->ahead;
        }
        const auto n = static_cast<std::int64_t>(choices.size());
        return Value{kUnit + sum.misses / n, (ahead ? kUnit : 0) + sum.ahead / n};
    }

    std::optional<Value> work(const Board& board)
    {
        const PlacementGroups groups(board);
        const std::array<int, kCellCount> tiers = attentionTiers(board);
        for (int tier = 0; tier < kAttentionTiers; ++tier) {
            std::vector<Placement> best;
            std::array<int, 2> bestKey{};
            for (int c = 0; c < kCellCount; ++c) {
                if (tiers[static_cast<std::size_t>(c)] != tier) {
                    continue;
                }
                for (HyperRoad shape = 0; shape < kPieceKinds; ++shape) {
                    if (board[c] == shape) {
                        continue;
                    }
                    const int left = groups.groupsAfter(c, shape);
                    if (fullConnectionReached(left)) {
                        return Value{};
                    }
                    if (left >= groups.groups()) {
                        continue;
                    }
                    const std::array<int, 2> key{left, groups.openEndsAfter(c, shape)};
                    if (best.empty() || key < bestKey) {
                        best.clear();
                        bestKey = key;
                    }
                    if (key == bestKey) {
                        best.push_back({c, shape});
                    }
                }
            }
            if (!best.empty()) {
                return after(board, best, false);
            }
        }
        // Nothing joins: lay a piece ahead where a road points in unanswered.
        const std::array<int, kCellCount> label = groupLabels(board);
        std::vector<Placement> best;
        std::array<int, 2> bestKey{};
        for (int c = 0; c < kCellCount; ++c) {
            if (tiers[static_cast<std::size_t>(c)] != 0) {
                continue;
            }
            const int joinedBefore = fitOf(board, c, board[c]).joined;
            for (HyperRoad shape = 0; shape < kPieceKinds; ++shape) {
                if (board[c] == shape || fitOf(board, c, shape).joined <= joinedBefore ||
                    groups.groupsAfter(c, shape) != groups.groups()) {
                    continue;
                }
                const std::array<int, 2> key{reachAhead(board, label, c, shape), groups.openEndsAfter(c, shape)};
                if (best.empty() || key < bestKey) {
                    best.clear();
                    bestKey = key;
                }
                if (key == bestKey) {
                    best.push_back({c, shape});
                }
            }
        }
        if (best.empty()) {
            return std::nullopt;
        }
        return after(board, best, true);
    }

    std::map<Key, std::optional<Value>> memo_;
    int positions_ = 0;
};

// Shapes that join everything at once on the board of `groups`.
int clearingShapesOf(const PlacementGroups& groups)
{
    int n = 0;
    for (HyperRoad shape = 0; shape < kPieceKinds; ++shape) {
        for (int c = 0; c < kCellCount; ++c) {
            if (fullConnectionReached(groups.groupsAfter(c, shape))) {
                ++n;
                break;
            }
        }
    }
    return n;
}

int hundredthsOf(std::int64_t millionths)
{
    return static_cast<int>((millionths + PlanningPlayer::kUnit / 200) / (PlanningPlayer::kUnit / 100));
}

} // namespace

std::optional<PlannedMisses> fullConnectionMisses100(const Board& board)
{
    PlanningPlayer player;
    const auto value = player.valueOf(board);
    if (!value) {
        return std::nullopt;
    }
    return PlannedMisses{hundredthsOf(value->misses), hundredthsOf(value->ahead)};
}

int tryRank(const Board& board, int cell, HyperRoad content)
{
    return rankOf(board, PlacementGroups(board), attentionTiers(board), cell, content);
}

int gradeFor(GameMode mode, int expectedMisses100, int laidAhead100)
{
    static constexpr std::array<int, 4> kBigLoopSteps{100, 300, 600, 3000};
    static constexpr std::array<int, 4> kFullConnectionSteps{50, 150, 250, 350};
    const auto& steps = mode == kBigLoop ? kBigLoopSteps : kFullConnectionSteps;
    const int effort = expectedMisses100 + (mode == kBigLoop ? 0 : laidAhead100);
    int grade = kLowestGrade;
    for (const int step : steps) {
        grade += effort >= step ? 1 : 0;
    }
    return grade;
}

PuzzleRating ratePuzzle(const Puzzle& puzzle)
{
    PuzzleRating out;
    out.mode = puzzle.mode;

    Board board = emptyBoard();
    std::copy(puzzle.cells.begin(), puzzle.cells.end(), board.begin());
    const PlacementGroups groups(board);
    PlacementLoops loops(board);
    out.groups = groups.groups();
    out.loopPoints = loops.points();

    switch (puzzle.mode) {
    case kFullConnection:
        out.playable = fullConnectionStartValid(out.groups);
        if (!out.playable) {
            out.problem = "roads are in fewer than two groups: the puzzle is solved before it starts";
            break;
        }
        out.clearingShapes = clearingShapesOf(groups);
        if (const auto planned = fullConnectionMisses100(board)) {
            out.expectedMisses100 = planned->misses100;
            out.laidAhead100 = planned->laidAhead100;
        } else {
            out.beyondModel = true;
        }
        break;
    case kBigLoop:
        rateBigLoop(board, groups, loops, out);
        break;
    default:
        out.problem = "no game mode";
        break;
    }
    if (out.playable) {
        out.grade = out.beyondModel ? kHighestGrade : gradeFor(out.mode, out.expectedMisses100, out.laidAhead100);
    }
    return out;
}

} // namespace tavrin
