// tavrin-cli kem: look into puzzle files and make them from JSON.
#include "tools/cli/command.h"
#include "tools/cli/kem_check.h"
#include "tools/cli/kem_generate.h"

#include "puzzles/atomic_file.h"
#include "puzzles/kem_file.h"
#include "puzzles/kem_format.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <sstream>

namespace tavrin::cli {
namespace {

constexpr const char* kUsage =
    "kem dump FILE          print the puzzles of a puzzle file as JSON\n"
    "  kem make JSON OUT      write a puzzle file from JSON shaped like dump's output\n"
    "  kem check FILE         check that every puzzle of a puzzle file can be played, and grade it\n"
    "  kem generate [--count N] [--seed S] [--mode full|loop|mixed] [--grade G|--grades A-B]\n"
    "               [--daily YYYY-MM-DD] OUT.kem\n"
    "                         write generated puzzles of rising grade (1..5)";

int dump(const std::string& path)
{
    const kem::PuzzleFileRead read = kem::readPuzzleFile(path);
    switch (read.status) {
    case kem::ReadStatus::Loaded: break;
    case kem::ReadStatus::Unreadable:
        std::cerr << read.message().japanese() << "\n" << read.error << "\n";
        return 1;
    case kem::ReadStatus::NotPuzzleFile:
        std::cerr << kem::kNotPuzzleFileMessage.source << "\n";
        return 1;
    }
    std::ostringstream out;
    out << "{\"puzzles\": [";
    for (std::size_t j = 0; j < read.puzzles.size(); ++j) {
        const Puzzle& p = read.puzzles[j];
        out << (j == 0 ? "\n" : ",\n") << "  {\"mode\": " << p.mode
            << ", \"comment\": " << jsonString(trimComment(p.comment)) << ", \"cells\": [";
        for (std::size_t k = 0; k < p.cells.size(); ++k) {
            out << (k == 0 ? "" : ", ") << p.cells[k];
        }
        out << "]}";
    }
    out << "\n]}\n";
    std::cout << out.str();
    return 0;
}

// One puzzle from its JSON object; throws std::runtime_error with the reason.
Puzzle puzzleFromJson(const nlohmann::json& item, std::size_t index)
{
    const std::string where = "puzzle " + std::to_string(index) + ": ";
    if (!item.is_object()) {
        throw std::runtime_error(where + "not an object");
    }
    Puzzle p;
    const auto mode = item.find("mode");
    if (mode == item.end() || !mode->is_number_integer()) {
        throw std::runtime_error(where + "\"mode\" must be -1, 0 or 1");
    }
    const auto m = mode->get<long long>();
    if (m < kNoMode || m > kBigLoop) {
        throw std::runtime_error(where + "\"mode\" must be -1, 0 or 1");
    }
    p.mode = static_cast<GameMode>(m);
    const auto comment = item.find("comment");
    if (comment != item.end()) {
        if (!comment->is_string()) {
            throw std::runtime_error(where + "\"comment\" must be a string");
        }
        p.comment = fitComment(comment->get<std::string>());
    }
    const auto cells = item.find("cells");
    if (cells == item.end() || !cells->is_array() || cells->size() != static_cast<std::size_t>(kCellCount)) {
        throw std::runtime_error(where + "\"cells\" must be an array of 64 numbers");
    }
    for (std::size_t k = 0; k < p.cells.size(); ++k) {
        const nlohmann::json& cell = (*cells)[k];
        if (!cell.is_number_integer() || cell.get<long long>() < kEmpty || cell.get<long long>() >= kPieceKinds) {
            throw std::runtime_error(where + "cell " + std::to_string(k) + " must be -1 (empty) or a piece 0..10");
        }
        p.cells[k] = static_cast<HyperRoad>(cell.get<long long>());
    }
    return p;
}

int make(const std::string& jsonPath, const std::string& outPath)
{
    const FileReadResult input = readFileBytes(jsonPath, 64u << 20);
    if (!input.bytes) {
        std::cerr << "tavrin-cli: " << input.error << "\n";
        return 1;
    }
    kem::PuzzleList puzzles;
    try {
        const nlohmann::json doc = nlohmann::json::parse(*input.bytes);
        const auto list = doc.is_object() ? doc.find("puzzles") : doc.end();
        if (list == doc.end() || !list->is_array()) {
            throw std::runtime_error("expected an object with a \"puzzles\" array");
        }
        for (std::size_t j = 0; j < list->size(); ++j) {
            puzzles.push_back(puzzleFromJson((*list)[j], j));
        }
    } catch (const std::exception& e) {
        std::cerr << "tavrin-cli: " << jsonPath << ": " << e.what() << "\n";
        return 1;
    }
    if (puzzles.empty()) {
        std::cerr << "tavrin-cli: " << jsonPath << ": a puzzle file needs at least one puzzle\n";
        return 1;
    }
    switch (kem::checkSavable(puzzles)) {
    case kem::SaveStatus::Saved: break;
    case kem::SaveStatus::ModeMissing:
        std::cerr << kem::kModeMissingMessage.source << "\n";
        return 1;
    default:
        std::cerr << "tavrin-cli: a puzzle file holds at most " << kMaxPuzzles << " puzzles\n";
        return 1;
    }
    const FileWriteResult written = writeFileAtomically(outPath, kem::encodePuzzleFile(puzzles));
    if (!written) {
        std::cerr << kem::kWriteFailedMessage.arg(outPath).japanese() << "\n" << written.error << "\n";
        return 1;
    }
    return 0;
}

int run(const std::vector<std::string>& args)
{
    if (args.size() == 2 && args[0] == "dump") {
        return dump(args[1]);
    }
    if (args.size() == 2 && args[0] == "check") {
        return kemCheck(args[1]);
    }
    if (!args.empty() && args[0] == "generate") {
        return kemGenerate(std::vector<std::string>(args.begin() + 1, args.end()));
    }
    if (args.size() == 3 && args[0] == "make") {
        return make(args[1], args[2]);
    }
    std::cerr << "usage: tavrin-cli " << kUsage << "\n";
    return 2;
}

static Registration reg{{"kem", kUsage, run}};

} // namespace
} // namespace tavrin::cli
