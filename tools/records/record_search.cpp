// tavrin_record_search: real finished free games, found by the automatic
// player over a range of seeds, for tests and the score server's load test.
//
//   tavrin_record_search FIRST_SEED COUNT [KINDS]     COUNT seeds from FIRST_SEED
//   tavrin_record_search --daily YYYY-MM-DD           the daily game of a date
//
// Prints one line per game that reaches the goal: the score the game gives,
// the seed and the record as text, separated by blanks; a summary on
// standard error.
#include "game/record_replay.h"
#include "scores/registration_form.h"
#include "tools/records/auto_player.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

template <typename T>
bool number(std::string_view text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

std::optional<tavrin::ScoreDate> date(std::string_view text)
{
    int year = 0, month = 0, day = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !number(text.substr(0, 4), year) ||
        !number(text.substr(5, 2), month) || !number(text.substr(8, 2), day) ||
        !tavrin::isRealDate(year, month, day)) {
        return std::nullopt;
    }
    return tavrin::ScoreDate{static_cast<std::int16_t>(year), static_cast<std::int16_t>(month),
                             static_cast<std::int16_t>(day)};
}

int usage()
{
    std::fputs("usage: tavrin_record_search FIRST_SEED COUNT [KINDS] | --daily YYYY-MM-DD\n", stderr);
    return 2;
}

void print(const tavrin::game::GameRecord& record)
{
    const tavrin::game::Verification check = tavrin::game::verifyRecord(record);
    std::printf("%d %llu %s\n", check.score, static_cast<unsigned long long>(record.seed),
                tavrin::game::recordText(record).c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string_view(argv[1]) == "--daily") {
        const auto day = date(argv[2]);
        if (!day) {
            return usage();
        }
        const auto record = tavrin::records::playToGoal(0, 0, day);
        if (record) {
            print(*record);
        }
        std::fprintf(stderr, "daily game %s: %s\n", argv[2], record ? "reached the goal" : "not finished");
        return record ? 0 : 1;
    }
    std::uint64_t first = 0;
    long count = 0;
    int kinds = 3;
    if (argc < 3 || argc > 4 || !number(argv[1], first) || !number(argv[2], count) || count < 0 ||
        (argc == 4 && (!number(argv[3], kinds) || kinds < 2 || kinds > 5))) {
        return usage();
    }
    long found = 0;
    for (long i = 0; i < count; ++i) {
        if (const auto record = tavrin::records::playToGoal(first + static_cast<std::uint64_t>(i), kinds)) {
            print(*record);
            ++found;
        }
    }
    std::fprintf(stderr, "%ld of %ld games reached the goal\n", found, count);
    return 0;
}
