// A full board redraw: 64 tiles composed off-screen, presented once.
#include "graphics/renderer.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tavrin;
using namespace tavrin::graphics;

void BM_RedrawBoard(benchmark::State& bench)
{
    const GraphicsSet graphics = GraphicsSet::fallback();
    GameState state;
    // A busy board: every cell holds a piece, half are green, five carry items.
    for (int c = 0; c < kCellCount; ++c) {
        state.board[static_cast<std::size_t>(c)] = static_cast<HyperRoad>(c % kPieceKinds);
        state.greenStamp[static_cast<std::size_t>(c)] = c % 2 == 0 ? 90 : -1;
    }
    for (int k = 0; k < 3; ++k) {
        state.cellItem[static_cast<std::size_t>(k * 17)] = static_cast<std::int16_t>(k);
    }
    state.maxMovesUsed = 20;
    Renderer renderer(graphics, state);
    int presented = 0;
    renderer.setPresenter([&presented](TileTarget) { ++presented; });
    for (auto _ : bench) {
        renderer.redrawBoard();
        benchmark::DoNotOptimize(renderer.boardImage().data());
    }
    bench.counters["presents"] = presented;
}
BENCHMARK(BM_RedrawBoard)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace
