// The hint tries the offered piece on all 64 cells. Goal: at most 100 µs,
// also when nothing scores and the roads' ends and the items' gaps decide.
#include "engine/hint.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

void BM_HintHalfFullBoard(benchmark::State& bs)
{
    auto s = std::make_unique<tavrin::GameState>();
    s->itemCount = 3;
    s->itemCells = {9, 30, 52, 0, 0};
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> piece(-1, 10);
    for (int c = 0; c < tavrin::kCellCount; ++c) {
        s->board[c] = static_cast<tavrin::HyperRoad>(piece(rng));
    }
    s->movesUsed = 40;
    for (auto _ : bs) {
        benchmark::DoNotOptimize(tavrin::bestPlacement(*s, 10, false));
    }
}

// A new game: nothing scores anywhere, so every cell is weighed by what it
// leaves of the roads' ends and of the gaps between the items.
void BM_HintNewGame(benchmark::State& bs)
{
    auto s = std::make_unique<tavrin::GameState>();
    s->itemCount = 5;
    s->itemCells = {9, 30, 52, 14, 49};
    s->board.fill(tavrin::kEmpty);
    for (auto _ : bs) {
        benchmark::DoNotOptimize(tavrin::bestPlacement(*s, 10, false));
    }
}

} // namespace

BENCHMARK(BM_HintHalfFullBoard)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HintNewGame)->Unit(benchmark::kMicrosecond);
