// tavrin-cli replay: plays a free game from JSON lines on standard input, with
// no window and no sound, and prints one JSON line per move.
#include "engine/game_state.h"
#include "engine/scoring.h"
#include "game/controller.h"
#include "game/item_layout.h"
#include "game/random.h"
#include "game/score_keeper.h"
#include "game/output.h"
#include "scores/high_scores.h"
#include "scores/settings_store.h"
#include "tools/cli/command.h"

#include <nlohmann/json.hpp>

#include <array>
#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace tavrin::cli {
namespace {

using game::Answer;
using game::Box;
using game::BoxAnswer;
using game::Buttons;
using game::Timer;

struct InputError {
    std::string message;
};

int integerField(const nlohmann::json& value, int lo, int hi, const char* what)
{
    if (!value.is_number_integer()) {
        throw InputError{std::string(what) + " must be a whole number"};
    }
    const auto v = value.get<long long>();
    if (v < lo || v > hi) {
        throw InputError{std::string(what) + " must be from " + std::to_string(lo) + " to " + std::to_string(hi)};
    }
    return static_cast<int>(v);
}

game::ItemLayout readItems(const nlohmann::json& line)
{
    const nlohmann::json& newGame = line["new"];
    if (!newGame.is_object() || !newGame.contains("items") || !newGame["items"].is_array()) {
        throw InputError{"\"new\" needs {\"items\": [[cell, kind], ...]}"};
    }
    const nlohmann::json& items = newGame["items"];
    if (items.size() < 2 || items.size() > static_cast<std::size_t>(kMaxItems)) {
        throw InputError{"a game has 2 to 5 items"};
    }
    game::ItemLayout layout;
    layout.count = static_cast<int>(items.size());
    std::array<bool, kCellCount> used{};
    for (std::size_t e = 0; e < items.size(); ++e) {
        const nlohmann::json& item = items[e];
        if (!item.is_array() || item.size() != 2) {
            throw InputError{"an item is [cell, kind]"};
        }
        const int cell = integerField(item[0], 0, kCellCount - 1, "an item's cell");
        const int kind = integerField(item[1], 0, layout.count - 1, "an item's kind");
        if (used[static_cast<std::size_t>(cell)]) {
            throw InputError{"two items on cell " + std::to_string(cell)};
        }
        used[static_cast<std::size_t>(cell)] = true;
        layout.cells[e] = static_cast<std::int16_t>(cell);
        layout.kinds[e] = static_cast<std::int16_t>(kind);
    }
    return layout;
}

// A free game with no window and no sound: the controller writes the screen
// model, boxes are collected and answered (name prompts with a fixed name).
class Replay {
public:
    Replay(std::uint64_t seed, std::optional<std::string> name)
        : seed_(seed), name_(name.value_or("")), random_(seed), output_(nullptr, [] { return game::Millis{0}; }),
          controller_(state_, output_, random_), scores_(settings_), keeper_(scores_, output_)
    {
        controller_.attachScoreKeeper(&keeper_);
        controller_.attachSettings(&settings_);
        controller_.setSoundSwitch(false);
        scores_.loadFreeHighScores();
    }

    // Returns the output line for a move, nothing for other lines.
    std::optional<std::string> line(const nlohmann::json& in)
    {
        if (!in.is_object()) {
            throw InputError{"each line must be a JSON object"};
        }
        if (in.contains("new")) {
            controller_.startFreeGame(readItems(in));
            started_ = true;
            return std::nullopt;
        }
        const bool place = in.contains("place");
        const bool discard = in.contains("discard");
        if (place == discard) {
            throw InputError{"a line holds \"new\", \"place\" or \"discard\""};
        }
        int cell = -1;
        if (place) {
            cell = integerField(in["place"], 0, kCellCount - 1, "\"place\"");
        } else if (in["discard"] != true) {
            throw InputError{"\"discard\" must be true"};
        }
        std::optional<int> piece;
        if (in.contains("piece")) {
            piece = integerField(in["piece"], 0, kPieceKinds - 1, "\"piece\"");
        }
        if (!started_) {
            // The items and the pieces both from the seed, as the game draws them.
            controller_.startFreeGameFromSeed(seed_);
            started_ = true;
        }
        return move(cell, piece);
    }

private:
    // Every box the move asked, answered as a player who only reads them would:
    // No to questions, the fixed name to name prompts.
    void answerBoxes()
    {
        for (int guard = 0; guard < 16; ++guard) {
            const Box* box = output_.box();
            if (box == nullptr) {
                return;
            }
            BoxAnswer answer;
            if (box->kind == Box::Kind::Message) {
                messages_.push_back(box->text.japanese());
                answer.answer = box->buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
            } else if (box->kind == Box::Kind::Input) {
                answer.text = name_;
            }
            output_.answer(box->id, answer);
        }
    }

    std::string move(int cell, std::optional<int> piece)
    {
        messages_.clear();
        game::FreeGame& free = controller_.freeGame();
        if (piece) {
            free.setOfferedPiece(*piece);
        }
        if (cell >= 0) {
            controller_.cellReleased(cell);
        } else {
            controller_.trashReleased();
        }
        const bool accepted = controller_.timerOn(Timer::Evaluation) || controller_.timerOn(Timer::AfterDiscard);
        const ScoreLabels labels = state_.labels;

        for (int guard = 0; guard < 64 && controller_.timerOn(Timer::Evaluation); ++guard) {
            controller_.timerTick(Timer::Evaluation);
        }
        if (controller_.timerOn(Timer::AfterDiscard)) {
            controller_.timerTick(Timer::AfterDiscard);
        }
        answerBoxes();

        std::string out = "{\"accepted\": ";
        out += accepted ? "true" : "false";
        out += ", \"labels\": {\"ecoPoints\": " + jsonString(labels.ecoPoints) +
               ", \"movesLeft\": " + jsonString(labels.movesLeft) + ", \"loopPoints\": " +
               jsonString(labels.loopPoints) + ", \"chain\": " + jsonString(labels.chain) + "}";
        out += ", \"status\": " + jsonString(output_.shown().status.japanese());
        out += ", \"movesUsed\": " + std::to_string(state_.movesUsed);
        out += ", \"maxMovesUsed\": " + std::to_string(state_.maxMovesUsed);
        out += ", \"scoreChain\": " + std::to_string(state_.scoreChain);
        out += ", \"discardCount\": " + std::to_string(state_.discardCount);
        out += ", \"turnResult\": " + std::to_string(free.turnResult());
        out += ", \"ecoPoints\": " + std::to_string(ecoPoints(state_));
        out += ", \"loopPoints\": " + std::to_string(state_.loopPoints);
        out += ", \"bonus\": " + std::to_string(ecoBonus(state_));
        out += ", \"total\": " + std::to_string(pointTotal(state_));
        out += ", \"offeredPiece\": " + std::to_string(free.offeredPiece());
        out += ", \"messages\": [";
        for (std::size_t i = 0; i < messages_.size(); ++i) {
            out += (i > 0 ? ", " : "") + jsonString(messages_[i]);
        }
        out += "], \"freeGameActive\": ";
        out += free.active() ? "true" : "false";
        out += ", \"moveBusy\": ";
        out += free.busy() ? "true" : "false";
        out += "}";
        return out;
    }

    std::uint64_t seed_;
    std::string name_;
    std::vector<std::string> messages_;
    GameState state_;
    game::RandomSource random_;
    game::Output output_;
    game::GameController controller_;
    MemorySettingsStore settings_;
    HighScores scores_;
    game::TableScoreKeeper keeper_;
    bool started_ = false;
};

int runReplay(const std::vector<std::string>& args)
{
    std::uint64_t seed = 1;
    std::optional<std::string> name;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--seed" || a == "--name") && i + 1 >= args.size()) {
            std::cerr << "tavrin-cli replay: " << a << " needs a value\n";
            return 2;
        }
        if (a == "--seed") {
            const std::string& v = args[++i];
            const char* end = v.data() + v.size();
            const auto [ptr, ec] = std::from_chars(v.data(), end, seed);
            if (v.empty() || ec != std::errc() || ptr != end) {
                std::cerr << "tavrin-cli replay: --seed must be a whole number, not '" << v << "'\n";
                return 2;
            }
        } else if (a == "--name") {
            name = args[++i];
        } else {
            std::cerr << "tavrin-cli replay: unknown argument '" << a << "'\n";
            return 2;
        }
    }

    Replay replay(seed, name);
    std::string text;
    long number = 0;
    while (std::getline(std::cin, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
        if (text.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        try {
            const nlohmann::json in = nlohmann::json::parse(text);
            if (const auto out = replay.line(in)) {
                std::cout << *out << '\n' << std::flush;
            }
        } catch (const nlohmann::json::exception&) {
            std::cerr << "tavrin-cli replay: line " << number << ": not valid JSON\n";
            return 1;
        } catch (const InputError& e) {
            std::cerr << "tavrin-cli replay: line " << number << ": " << e.message << '\n';
            return 1;
        }
    }
    return 0;
}

static Registration reg{{"replay", "replay [--seed N] [--name NAME] < moves.jsonl   play a free game from JSON lines",
                         runReplay}};

} // namespace
} // namespace tavrin::cli
