// networkAnalysis on typical boards, as a move runs it (the copy back of the
// move's starting state is part of each figure). Goal: a full board well
// under 5 us.
#include "engine/analysis.h"
#include "engine/scoring.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using tavrin::GameState;

GameState freeGameWithItems()
{
    GameState s;
    s.itemCount = 3;
    s.itemCells = {9, 30, 52, 0, 0};
    for (int k = 0; k < s.itemCount; ++k) {
        s.cellItem[s.itemCells[k]] = static_cast<std::int16_t>(k);
    }
    return s;
}

GameState randomBoard(double fill, unsigned seed)
{
    GameState s = freeGameWithItems();
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::uniform_int_distribution<int> piece(0, 10);
    for (int c = 0; c < tavrin::kCellCount; ++c) {
        s.board[c] = u(rng) < fill ? static_cast<tavrin::HyperRoad>(piece(rng)) : tavrin::kEmpty;
    }
    return s;
}

// The state a move finds: the board before its last piece was analysed and
// the score labels refreshed from that analysis, then the piece laid.
GameState asMoveFindsIt(const GameState& board, int lastCell)
{
    GameState before = board;
    before.board[lastCell] = tavrin::kEmpty;
    tavrin::networkAnalysis(before);
    tavrin::refreshScoreLabels(before, true);
    before.board[lastCell] = board.board[lastCell];
    return before;
}

void run(benchmark::State& bs, const GameState& board)
{
    const GameState before = asMoveFindsIt(board, tavrin::kCellCount - 1);
    GameState s = before;
    tavrin::NetworkAnalysis analysis(s);
    for (auto _ : bs) {
        // Each analysis starts from the same move, labels included, so that
        // nothing it writes (such as the "+n" of the labels) piles up.
        tavrin::restoreAnalysisInput(s, before);
        benchmark::DoNotOptimize(analysis.networkAnalysis());
        benchmark::ClobberMemory();
    }
}

void BM_EmptyBoard(benchmark::State& bs) { run(bs, freeGameWithItems()); }

void BM_HalfFullRandom(benchmark::State& bs) { run(bs, randomBoard(0.5, 7)); }

void BM_FullOfCrosses(benchmark::State& bs)
{
    GameState s = freeGameWithItems();
    for (int c = 0; c < tavrin::kCellCount; ++c) {
        s.board[c] = 10;
    }
    run(bs, s);
}

void BM_FullRandom(benchmark::State& bs) { run(bs, randomBoard(1.0, 11)); }

} // namespace

BENCHMARK(BM_EmptyBoard);
BENCHMARK(BM_HalfFullRandom);
BENCHMARK(BM_FullOfCrosses);
BENCHMARK(BM_FullRandom);
