#include "puzzles/game_series.h"

#include <cstdio>

namespace tavrin {

std::string dailySeriesName(int year, unsigned month, unsigned day)
{
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02u-%02u", year, month, day);
    return "今日の問題 " + std::string(date); // a stored name, not for translation
}

GeneratorRequest freshSeriesRequest(std::uint64_t seed)
{
    GeneratorRequest r;
    r.count = kSeriesLength;
    r.seed = seed;
    return r;
}

} // namespace tavrin
