// tavrin-cli record: checks a game record by playing it again, and shows the
// item layout and the piece supply of a seed or of the daily game of a date.
#include "game/daily_game.h"
#include "game/game_record.h"
#include "game/record_replay.h"
#include "scores/registration_form.h"
#include "tools/cli/command.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace tavrin::cli {
namespace {

constexpr const char* kUsage =
    "record verify [--score N] FILE|-                 replay a game record, say whether it reaches the goal\n"
    "  record supply (--seed N [--kinds K] | --daily YYYY-MM-DD) [--count N]   items and dealt pieces of a game";

int refuse(const std::string& message)
{
    std::cerr << "tavrin-cli record: " << message << '\n';
    return 2;
}

template <typename T>
bool number(const std::string& text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::optional<ScoreDate> isoDate(const std::string& text)
{
    int year = 0, month = 0, day = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !number(text.substr(0, 4), year) ||
        !number(text.substr(5, 2), month) || !number(text.substr(8, 2), day) || !isRealDate(year, month, day)) {
        return std::nullopt;
    }
    return ScoreDate{static_cast<std::int16_t>(year), static_cast<std::int16_t>(month), static_cast<std::int16_t>(day)};
}

std::string isoText(const std::optional<ScoreDate>& date)
{
    if (!date) {
        return "null";
    }
    char text[32];
    std::snprintf(text, sizeof text, "\"%04d-%02d-%02d\"", int{date->year}, int{date->month}, int{date->day});
    return text;
}

// The record in FILE: its bytes, or its text when it does not start with the magic.
std::optional<game::RecordRead> readRecordFile(const std::string& path)
{
    std::ifstream file;
    if (path != "-") {
        file.open(path, std::ios::binary);
        if (!file) {
            return std::nullopt;
        }
    }
    std::istream& in = path == "-" ? std::cin : file;
    // Twice the longest text and a little: anything longer is no record either.
    std::string bytes(2 * game::kMaxRecordBytes + 64, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes.compare(0, game::kRecordMagic.size(), game::kRecordMagic) == 0 ? game::decodeRecord(bytes)
                                                                                  : game::readRecordText(bytes);
}

std::string verdictName(game::Verdict verdict)
{
    switch (verdict) {
    case game::Verdict::Finished: return "finished";
    case game::Verdict::Malformed: return "malformed";
    case game::Verdict::NotDailyGame: return "not-daily-game";
    case game::Verdict::MoveRefused: return "move-refused";
    case game::Verdict::MovesAfterEnd: return "moves-after-end";
    case game::Verdict::GoalNotReached: return "goal-not-reached";
    case game::Verdict::ScoreDiffers: return "score-differs";
    }
    return "";
}

int runVerify(const std::vector<std::string>& args)
{
    std::optional<int> claimed;
    std::optional<std::string> path;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--score") {
            int value = 0;
            if (i + 1 >= args.size() || !number(args[i + 1], value) || value < 0 || value > 32767) {
                return refuse("--score needs a score from 0 to 32767");
            }
            claimed = value;
            ++i;
        } else if (!path) {
            path = args[i];
        } else {
            return refuse("unexpected argument '" + args[i] + "'");
        }
    }
    if (!path) {
        return refuse("verify needs a record file (or - for standard input)");
    }
    const auto read = readRecordFile(*path);
    if (!read) {
        std::cerr << "tavrin-cli record: cannot read " << *path << '\n';
        return 1;
    }
    game::Verification result;
    result.problem = read->problem;
    if (read->record) {
        result = game::verifyRecord(*read->record, claimed);
    }
    std::ostringstream out;
    out << "{\"verdict\": \"" << verdictName(result.verdict) << "\", \"reason\": "
        << jsonString(std::string(result.verdict == game::Verdict::Malformed ? game::recordProblemText(result.problem)
                                                                              : game::verdictText(result.verdict)));
    if (read->record) {
        out << ", \"seed\": \"" << read->record->seed << "\", \"kinds\": " << read->record->itemKinds
            << ", \"daily\": " << isoText(read->record->daily) << ", \"moves\": " << read->record->moves.size();
    }
    if (result.verdict == game::Verdict::Finished || result.verdict == game::Verdict::ScoreDiffers) {
        out << ", \"score\": " << result.score;
    }
    if (result.move >= 0) {
        out << ", \"move\": " << result.move;
    }
    std::cout << out.str() << "}\n";
    return result.finished() ? 0 : 1;
}

std::string supplyJson(const game::GameRecord& start, int count)
{
    game::FreeGamePlay play(start.seed, start.itemKinds);
    std::ostringstream out;
    out << "{\"seed\": \"" << start.seed << "\", \"kinds\": " << start.itemKinds << ", \"daily\": "
        << isoText(start.daily) << ", \"items\": [";
    const GameState& state = play.state();
    for (int e = 0; e < state.itemCount; ++e) {
        const int cell = state.itemCells[e];
        out << (e > 0 ? ", " : "") << '[' << cell << ", " << state.cellItem[cell] << ']';
    }
    // Nothing is thrown away, so the pieces dealt do not depend on where
    // they are laid: each goes on the next cell that does not hold it.
    out << "], \"supply\": [";
    int cell = 0;
    for (int i = 0; i < count && play.active(); ++i) {
        out << (i > 0 ? ", " : "") << play.offeredPiece();
        while (play.state().board[cell] == play.offeredPiece()) {
            cell = (cell + 1) % kCellCount;
        }
        play.play(static_cast<std::uint8_t>(cell));
        cell = (cell + 1) % kCellCount;
    }
    out << "]}";
    return out.str();
}

int runSupply(const std::vector<std::string>& args)
{
    std::optional<std::uint64_t> seed;
    std::optional<ScoreDate> daily;
    int kinds = 3;
    int count = 100;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string& a = args[i];
        if (i + 1 >= args.size()) {
            return refuse(a + " needs a value");
        }
        const std::string& v = args[i + 1];
        std::uint64_t s = 0;
        if (a == "--seed" && number(v, s)) {
            seed = s;
        } else if (a == "--kinds" && number(v, kinds) && kinds >= 2 && kinds <= 5) {
        } else if (a == "--count" && number(v, count) && count >= 1 && count <= 1000) {
        } else if (a == "--daily" && (daily = isoDate(v))) {
        } else {
            return refuse("bad argument " + a + " " + v + " (--seed N, --kinds 2-5, --count 1-1000, --daily YYYY-MM-DD)");
        }
    }
    if (seed.has_value() == daily.has_value()) {
        return refuse("supply needs --seed N or --daily YYYY-MM-DD");
    }
    game::GameRecord start;
    if (daily) {
        start = game::dailyGame(*daily);
    } else {
        start.seed = *seed;
        start.itemKinds = kinds;
    }
    std::cout << supplyJson(start, count) << '\n';
    return 0;
}

int runRecord(const std::vector<std::string>& args)
{
    if (!args.empty() && args[0] == "verify") {
        return runVerify({args.begin() + 1, args.end()});
    }
    if (!args.empty() && args[0] == "supply") {
        return runSupply({args.begin() + 1, args.end()});
    }
    std::cerr << "usage: tavrin-cli " << kUsage << '\n';
    return 2;
}

static Registration reg{{"record", kUsage, runRecord}};

} // namespace
} // namespace tavrin::cli
