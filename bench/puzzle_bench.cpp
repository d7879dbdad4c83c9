// Rating and generating puzzles. Goals: rating a puzzle well under 1 ms, the
// bundled collection (40 puzzles) under 2 s, a 10-puzzle series under 0.5 s.
#include "puzzles/puzzle_generator.h"
#include "puzzles/puzzle_rating.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

using tavrin::GeneratorRequest;
using tavrin::Puzzle;

// A puzzle of `mode` and at least `grade` from the daily series of a fixed date.
Puzzle dailyPuzzle(tavrin::GameMode mode, int grade)
{
    const std::vector<Puzzle> day = tavrin::generatePuzzles(tavrin::dailyRequest(2024, 1, 1));
    const auto found = std::find_if(day.begin(), day.end(), [&](const Puzzle& p) {
        return p.mode == mode && tavrin::ratePuzzle(p).grade >= grade;
    });
    return found != day.end() ? *found : day.back();
}

void BM_RateBigLoop(benchmark::State& bs)
{
    const Puzzle p = dailyPuzzle(tavrin::kBigLoop, 4);
    for (auto _ : bs) {
        benchmark::DoNotOptimize(tavrin::ratePuzzle(p));
    }
}

void BM_RateFullConnection(benchmark::State& bs)
{
    const Puzzle p = dailyPuzzle(tavrin::kFullConnection, 4);
    for (auto _ : bs) {
        benchmark::DoNotOptimize(tavrin::ratePuzzle(p));
    }
}

// The three files installed with the game, as tools/CMakeLists.txt makes them.
void BM_GenerateBundledCollection(benchmark::State& bs)
{
    const GeneratorRequest files[] = {{10, 1, tavrin::ModeMix::Mixed, 1, 2},
                                      {15, 2, tavrin::ModeMix::Mixed, 2, 4},
                                      {15, 3, tavrin::ModeMix::Mixed, 4, 5}};
    for (auto _ : bs) {
        for (const GeneratorRequest& r : files) {
            benchmark::DoNotOptimize(tavrin::generatePuzzles(r));
        }
    }
}

// The menu's fresh series: a new seed each time.
void BM_GenerateSeries(benchmark::State& bs)
{
    std::uint64_t seed = 1000;
    for (auto _ : bs) {
        GeneratorRequest r;
        r.seed = seed++;
        benchmark::DoNotOptimize(tavrin::generatePuzzles(r));
    }
}

} // namespace

BENCHMARK(BM_RateBigLoop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RateFullConnection)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GenerateBundledCollection)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);
BENCHMARK(BM_GenerateSeries)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3);
