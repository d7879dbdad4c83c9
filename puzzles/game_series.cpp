#include "puzzles/game_series.h"

namespace tavrin {

std::string isoDate(int year, unsigned month, unsigned day)
{
    auto digits = [](long long value, std::size_t width) {
        std::string text = std::to_string(value < 0 ? 0 : value);
        return std::string(text.size() < width ? width - text.size() : 0, '0') + text;
    };
    return digits(year, 4) + "-" + digits(month, 2) + "-" + digits(day, 2);
}

std::string dailySeriesName(int year, unsigned month, unsigned day)
{
    return "今日の問題 " + isoDate(year, month, day); // a stored name, not for translation
}

GeneratorRequest freshSeriesRequest(std::uint64_t seed)
{
    GeneratorRequest r;
    r.count = kSeriesLength;
    r.seed = seed;
    return r;
}

} // namespace tavrin
