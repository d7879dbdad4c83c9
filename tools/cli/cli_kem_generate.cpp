#include "tools/cli/kem_generate.h"

#include "puzzles/atomic_file.h"
#include "puzzles/kem_file.h"
#include "puzzles/puzzle_generator.h"

#include <charconv>
#include <chrono>
#include <iostream>
#include <optional>

namespace tavrin::cli {

namespace {

template <typename T>
std::optional<T> number(const std::string& text)
{
    T value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> grade(const std::string& text)
{
    const auto g = number<int>(text);
    return g && *g >= kLowestGrade && *g <= kHighestGrade ? g : std::nullopt;
}

// "YYYY-MM-DD", a real calendar date.
std::optional<std::chrono::year_month_day> date(const std::string& text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const auto y = number<int>(text.substr(0, 4));
    const auto m = number<unsigned>(text.substr(5, 2));
    const auto d = number<unsigned>(text.substr(8, 2));
    if (!y || !m || !d) {
        return std::nullopt;
    }
    const std::chrono::year_month_day ymd{std::chrono::year(*y), std::chrono::month(*m), std::chrono::day(*d)};
    return ymd.ok() ? std::optional(ymd) : std::nullopt;
}

int refuse(const std::string& why)
{
    std::cerr << "tavrin-cli kem generate: " << why << "\n";
    return 2;
}

} // namespace

int kemGenerate(const std::vector<std::string>& args)
{
    GeneratorRequest request;
    std::optional<std::chrono::year_month_day> daily;
    bool tuned = false; // count, seed, mode or grades given
    std::string out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : std::string();
        if (a == "--count" || a == "--seed" || a == "--mode" || a == "--grade" || a == "--grades" || a == "--daily") {
            if (!hasValue) {
                return refuse(a + " needs a value");
            }
            ++i;
        }
        if (a == "--count") {
            const auto n = number<int>(value);
            if (!n || *n < 1 || *n > kMaxPuzzles) {
                return refuse("--count must be 1.." + std::to_string(kMaxPuzzles));
            }
            request.count = *n;
            tuned = true;
        } else if (a == "--seed") {
            const auto s = number<std::uint64_t>(value);
            if (!s) {
                return refuse("--seed must be a whole number 0..18446744073709551615");
            }
            request.seed = *s;
            tuned = true;
        } else if (a == "--mode") {
            if (value == "full") {
                request.modes = ModeMix::FullConnection;
            } else if (value == "loop") {
                request.modes = ModeMix::BigLoop;
            } else if (value == "mixed") {
                request.modes = ModeMix::Mixed;
            } else {
                return refuse("--mode must be full, loop or mixed");
            }
            tuned = true;
        } else if (a == "--grade") {
            const auto g = grade(value);
            if (!g) {
                return refuse("--grade must be 1..5");
            }
            request.lowestGrade = request.highestGrade = *g;
            tuned = true;
        } else if (a == "--grades") {
            const auto dash = value.find('-');
            const auto low = dash == std::string::npos ? std::nullopt : grade(value.substr(0, dash));
            const auto high = dash == std::string::npos ? std::nullopt : grade(value.substr(dash + 1));
            if (!low || !high || *low > *high) {
                return refuse("--grades must be A-B with 1 <= A <= B <= 5");
            }
            request.lowestGrade = *low;
            request.highestGrade = *high;
            tuned = true;
        } else if (a == "--daily") {
            daily = date(value);
            if (!daily) {
                return refuse("--daily must be a date YYYY-MM-DD");
            }
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return refuse("unknown option " + a);
        } else if (out.empty()) {
            out = a;
        } else {
            return refuse("one output file only");
        }
    }
    if (out.empty()) {
        return refuse("no output file");
    }
    if (daily) {
        if (tuned) {
            return refuse("--daily makes the day's series and takes no other option");
        }
        request = dailyRequest(static_cast<int>(daily->year()), static_cast<unsigned>(daily->month()),
                               static_cast<unsigned>(daily->day()));
    }
    std::vector<Puzzle> puzzles;
    for (GeneratedPuzzle& made : generateSeries(request)) {
        if (made.grade < request.lowestGrade || made.grade > request.highestGrade) {
            std::cerr << "tavrin-cli kem generate: no puzzle of grade " << made.wanted << " found from seed "
                      << request.seed << " (the closest has grade " << made.grade
                      << "); nothing written, try another seed\n";
            return 1;
        }
        puzzles.push_back(std::move(made.puzzle));
    }
    const FileWriteResult written = writeFileAtomically(out, kem::encodePuzzleFile(puzzles));
    if (!written) {
        std::cerr << kem::kWriteFailedMessage.arg(out).japanese() << "\n" << written.error << "\n";
        return 1;
    }
    std::cout << "wrote " << puzzles.size() << " puzzles to " << out << "\n";
    return 0;
}

} // namespace tavrin::cli
