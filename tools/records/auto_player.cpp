#include "tools/records/auto_player.h"

#include "engine/board.h"
#include "game/daily_game.h"
#include "game/record_replay.h"

#include <array>
#include <deque>
#include <tuple>
#include <vector>

namespace tavrin::records {

namespace {

using Cells = std::array<bool, kCellCount>;

// The cells joined to `start` by linked roads.
Cells network(const Board& board, int start)
{
    Cells in{};
    if (board[start] == kEmpty) {
        return in;
    }
    std::deque<int> queue{start};
    in[static_cast<std::size_t>(start)] = true;
    while (!queue.empty()) {
        const int cell = queue.front();
        queue.pop_front();
        for (int d = 0; d < kDirections; ++d) {
            const int next = neighbour(cell, d);
            if (next >= 0 && !in[static_cast<std::size_t>(next)] && cellsLinked(board, cell, next)) {
                in[static_cast<std::size_t>(next)] = true;
                queue.push_back(next);
            }
        }
    }
    return in;
}

// A road on a neighbour of empty cell `cell` opens towards it.
bool roadPointsInto(const Board& board, int cell)
{
    for (int d = 0; d < kDirections; ++d) {
        const int next = neighbour(cell, d);
        if (next >= 0 && opensSide(board[next], oppositeDirection(d))) {
            return true;
        }
    }
    return false;
}

// Every empty part of the board still has a road opening into it, so that
// the network can reach it.
bool everyGapReachable(const Board& board)
{
    Cells seen{};
    for (int first = 0; first < kCellCount; ++first) {
        if (board[first] != kEmpty || seen[static_cast<std::size_t>(first)]) {
            continue;
        }
        bool reachable = false;
        std::deque<int> queue{first};
        seen[static_cast<std::size_t>(first)] = true;
        while (!queue.empty()) {
            const int cell = queue.front();
            queue.pop_front();
            reachable = reachable || roadPointsInto(board, cell);
            for (int d = 0; d < kDirections; ++d) {
                const int next = neighbour(cell, d);
                if (next >= 0 && board[next] == kEmpty && !seen[static_cast<std::size_t>(next)]) {
                    seen[static_cast<std::size_t>(next)] = true;
                    queue.push_back(next);
                }
            }
        }
        if (!reachable) {
            return false;
        }
    }
    return true;
}

// Steps from every cell to the nearest of `targets` over empty cells.
std::array<int, kCellCount> distances(const Board& board, const std::vector<int>& targets)
{
    std::array<int, kCellCount> steps;
    steps.fill(kCellCount);
    std::deque<int> queue;
    for (const int cell : targets) {
        steps[static_cast<std::size_t>(cell)] = 0;
        queue.push_back(cell);
    }
    while (!queue.empty()) {
        const int cell = queue.front();
        queue.pop_front();
        for (int d = 0; d < kDirections; ++d) {
            const int next = neighbour(cell, d);
            if (next >= 0 && board[next] == kEmpty && steps[static_cast<std::size_t>(next)] > steps[static_cast<std::size_t>(cell)] + 1) {
                steps[static_cast<std::size_t>(next)] = steps[static_cast<std::size_t>(cell)] + 1;
                queue.push_back(next);
            }
        }
    }
    return steps;
}

// Where to lay `piece`, or kDiscardMove. The network grows from the first
// item's cell; while items are still apart, a placement that leads towards
// the nearest of them comes first, then the most enclosed cell.
std::uint8_t chooseMove(const GameState& state, int piece)
{
    const Board& board = state.board;
    const int start = state.itemCells[0];
    if (board[start] == kEmpty) {
        Board next = board;
        next[start] = static_cast<HyperRoad>(piece);
        return everyGapReachable(next) ? static_cast<std::uint8_t>(start) : game::kDiscardMove;
    }
    const Cells joined = network(board, start);
    std::vector<int> apart;
    for (int e = 0; e < state.itemCount; ++e) {
        if (!joined[static_cast<std::size_t>(state.itemCells[e])]) {
            apart.push_back(state.itemCells[e]);
        }
    }
    const auto steps = distances(board, apart);
    std::tuple<int, int, int> best{1 << 20, 0, 0};
    int bestCell = -1;
    for (int cell = 0; cell < kCellCount; ++cell) {
        if (board[cell] != kEmpty) {
            continue;
        }
        bool links = false;
        bool leads = false;
        int enclosed = 0;
        for (int d = 0; d < kDirections; ++d) {
            const int next = neighbour(cell, d);
            enclosed += next < 0 || board[next] != kEmpty ? 1 : 0;
            links = links || (next >= 0 && joined[static_cast<std::size_t>(next)] &&
                              opensSide(board[next], oppositeDirection(d)) && opensSide(piece, d));
            leads = leads || (next >= 0 && board[next] == kEmpty && opensSide(piece, d) &&
                              steps[static_cast<std::size_t>(next)] < steps[static_cast<std::size_t>(cell)]);
        }
        if (!links) {
            continue;
        }
        Board next = board;
        next[cell] = static_cast<HyperRoad>(piece);
        if (!everyGapReachable(next)) {
            continue;
        }
        const int toward = apart.empty() ? 0 : steps[static_cast<std::size_t>(cell)] == 0 ? -1
                                                : leads ? steps[static_cast<std::size_t>(cell)] : kCellCount;
        const std::tuple<int, int, int> key{toward, -enclosed, cell};
        if (key < best) {
            best = key;
            bestCell = cell;
        }
    }
    return bestCell < 0 ? game::kDiscardMove : static_cast<std::uint8_t>(bestCell);
}

} // namespace

std::optional<game::GameRecord> playToGoal(std::uint64_t seed, int itemKinds, std::optional<ScoreDate> daily)
{
    game::GameRecord record;
    if (daily) {
        record = game::dailyGame(*daily);
    } else {
        record.seed = seed;
        record.itemKinds = itemKinds;
    }
    game::FreeGamePlay play(record.seed, record.itemKinds);
    while (play.active() && record.moves.size() < game::kMaxRecordMoves) {
        const std::uint8_t move = chooseMove(play.state(), play.offeredPiece());
        if (play.play(move) != game::FreeGamePlay::Outcome::Played) {
            return std::nullopt;
        }
        record.moves.push_back(move);
    }
    if (!play.goalReached()) {
        return std::nullopt;
    }
    return record;
}

} // namespace tavrin::records
