#include "puzzles/puzzle_rating.h"

#include "engine/goals.h"
#include "engine/placement_groups.h"
#include "engine/placement_loops.h"

#include <array>
#include <cmath>
#include <optional>
#include <unordered_map>

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

// Try classes: closing a circuit or not, then the loose ends, then a gap
// before a piece laid over another (or erased).
constexpr int kLooseKinds = 2 * kDirections + 1;
constexpr int kTryClasses = 2 * kLooseKinds * 2;

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
    std::array<int, kTryClasses> tried{};
    std::array<int, kTryClasses> clearing{};
    for (int c = 0; c < kCellCount; ++c) {
        const std::array<long, kCellContents> points = loops.pointsPerContent(c);
        for (int i = 0; i < kCellContents; ++i) {
            const HyperRoad content = contentAt(i);
            if (start[c] == content) {
                continue;
            }
            const Fit fit = fitOf(start, c, content);
            const int rank = tryClassOf(fit, closesCircuit(groups, fit, c, content), start[c]);
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
    for (int r = 0; r < kTryClasses; ++r) {
        if (clearing[r] > 0) {
            out.expectedMisses100 = expectedTries100(before, tried[r], clearing[r]);
            break;
        }
        before += tried[r];
    }
}

// Full connection, worked out exactly. A position's value is the expected
// number of misses for each shape that may be offered next. A shape that can
// join everything clears (0). A shape that can lower the group count is laid
// where it lowers it most (then leaves the fewest open ends, then on the
// lowest cell); that is a miss, and the next shape is any of the ten others
// on the new position. Any other shape is laid where it does no harm: a miss
// on an unchanged position. With P such shapes and the joining ones known, the
// sum X of the eleven values solves X = (10 P + 11 A) / (11 - P), A being the
// sum of the joining shapes' values; each harmless shape is worth (10 + X) / 11.
class FullConnectionModel {
public:
    using Values = std::array<double, kPieceKinds>;

    // Values of `board`, or nothing when the player gets stuck (a position
    // where no shape clears or joins) or the positions exceed the limit.
    std::optional<Values> valuesOf(const Board& board)
    {
        const Key key = keyOf(board);
        if (const auto found = memo_.find(key); found != memo_.end()) {
            return found->second;
        }
        if (++positions_ > kPositionLimit) {
            return std::nullopt;
        }
        const std::optional<Values> values = work(board);
        memo_.emplace(key, values);
        return values;
    }

    // Shapes that join everything at once on `board`.
    static int clearingShapes(const PlacementGroups& groups)
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

private:
    static constexpr int kPositionLimit = 4000;
    using Key = std::array<std::uint64_t, 4>;
    struct KeyHash {
        std::size_t operator()(const Key& k) const
        {
            std::uint64_t h = 0x9E3779B97F4A7C15ULL;
            for (const std::uint64_t part : k) {
                h = (h ^ part) * 0x100000001B3ULL;
                h ^= h >> 29;
            }
            return static_cast<std::size_t>(h);
        }
    };

    static Key keyOf(const Board& board)
    {
        Key key{};
        for (int c = 0; c < kCellCount; ++c) {
            key[static_cast<std::size_t>(c / 16)] |= static_cast<std::uint64_t>(board[c] + 1) << (4 * (c % 16));
        }
        return key;
    }

    std::optional<Values> work(const Board& board)
    {
        const PlacementGroups groups(board);
        Values values{};
        std::array<bool, kPieceKinds> harmless{};
        int harmlessCount = 0;
        double joining = 0;
        for (HyperRoad shape = 0; shape < kPieceKinds; ++shape) {
            int bestCell = -1;
            std::array<int, 2> best{};
            bool clears = false;
            for (int c = 0; c < kCellCount && !clears; ++c) {
                const int after = groups.groupsAfter(c, shape);
                clears = fullConnectionReached(after);
                const std::array<int, 2> key{after, groups.openEndsAfter(c, shape)};
                if (after < groups.groups() && (bestCell < 0 || key < best)) {
                    best = key;
                    bestCell = c;
                }
            }
            if (clears) {
                continue;
            }
            if (bestCell < 0) {
                harmless[static_cast<std::size_t>(shape)] = true;
                ++harmlessCount;
                continue;
            }
            Board next = board;
            next[bestCell] = shape;
            const std::optional<Values> then = valuesOf(next);
            if (!then) {
                return std::nullopt;
            }
            double others = 0;
            for (HyperRoad t = 0; t < kPieceKinds; ++t) {
                others += t == shape ? 0.0 : (*then)[static_cast<std::size_t>(t)];
            }
            values[static_cast<std::size_t>(shape)] = 1 + others / (kPieceKinds - 1);
            joining += values[static_cast<std::size_t>(shape)];
        }
        if (harmlessCount == kPieceKinds) {
            return std::nullopt;
        }
        const double sum = ((kPieceKinds - 1) * harmlessCount + kPieceKinds * joining) / (kPieceKinds - harmlessCount);
        for (HyperRoad shape = 0; shape < kPieceKinds; ++shape) {
            if (harmless[static_cast<std::size_t>(shape)]) {
                values[static_cast<std::size_t>(shape)] = (kPieceKinds - 1 + sum) / kPieceKinds;
            }
        }
        return values;
    }

    std::unordered_map<Key, std::optional<Values>, KeyHash> memo_;
    int positions_ = 0;
};

} // namespace

std::optional<int> fullConnectionMisses100(const Board& board)
{
    FullConnectionModel model;
    const auto values = model.valuesOf(board);
    if (!values) {
        return std::nullopt;
    }
    double sum = 0;
    for (const double v : *values) {
        sum += v;
    }
    // The first shape is any of the eleven.
    return static_cast<int>(std::lround(100 * sum / kPieceKinds));
}

int tryRank(const Board& board, int cell, HyperRoad content)
{
    const Fit fit = fitOf(board, cell, content);
    return tryClassOf(fit, closesCircuit(PlacementGroups(board), fit, cell, content), board[cell]);
}

int gradeFor(GameMode mode, int expectedMisses100, int clearingPlacements)
{
    static constexpr std::array<int, 4> kBigLoopSteps{100, 300, 600, 3000};
    static constexpr std::array<int, 4> kFullConnectionSteps{70, 150, 300, 600};
    const auto& steps = mode == kBigLoop ? kBigLoopSteps : kFullConnectionSteps;
    int grade = kLowestGrade;
    for (const int step : steps) {
        grade += expectedMisses100 >= step ? 1 : 0;
    }
    if (mode == kBigLoop && clearingPlacements != 1 && grade > 2) {
        grade = 2;
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
        out.clearingShapes = FullConnectionModel::clearingShapes(groups);
        if (const auto misses = fullConnectionMisses100(board)) {
            out.expectedMisses100 = *misses;
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
        out.grade = out.beyondModel ? kHighestGrade : gradeFor(out.mode, out.expectedMisses100, out.clearingPlacements);
    }
    return out;
}

} // namespace tavrin
