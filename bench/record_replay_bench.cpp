// What the score server spends on one verified registration's replay: the
// real finished games of the tests, each played again by the rules.
#include "game/record_replay.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<tavrin::game::GameRecord> finishedGames()
{
    std::ifstream in(TAVRIN_RECORDS);
    std::vector<tavrin::game::GameRecord> games;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string score, kinds, seed, text;
        if (line.empty() || line[0] == '#' || !(fields >> score >> kinds >> seed >> text)) {
            continue;
        }
        if (auto read = tavrin::game::readRecordText(text); read.record) {
            games.push_back(*read.record);
        }
    }
    return games;
}

void BM_VerifyFinishedGame(benchmark::State& bs)
{
    const auto games = finishedGames();
    if (games.empty()) {
        bs.SkipWithError("no finished games found");
        return;
    }
    std::size_t next = 0;
    for (auto _ : bs) {
        const auto result = tavrin::game::verifyRecord(games[next]);
        benchmark::DoNotOptimize(result.score);
        next = (next + 1) % games.size();
    }
}

} // namespace

BENCHMARK(BM_VerifyFinishedGame)->Unit(benchmark::kMicrosecond);
