// tavrin-cli analyse: one free-game analysis of a board read from standard input.
#include "engine/analysis.h"
#include "tools/cli/command.h"

#include <charconv>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace tavrin::cli {
namespace {

struct UsageError {
    std::string message;
};

int parseInt(const std::string& text, int lo, int hi, const std::string& what)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < lo || value > hi) {
        throw UsageError{what + " must be a whole number from " + std::to_string(lo) + " to " +
                         std::to_string(hi) + ", not '" + text + "'"};
    }
    return value;
}

// Reads 8 lines of 8 tokens: "." or "-1" for an empty cell, 0..10 for a piece.
// Returns an empty string on success, else a one-line message.
std::string readBoard(std::istream& in, Board& board)
{
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    while (!lines.empty() && lines.back().find_first_not_of(" \t") == std::string::npos) {
        lines.pop_back(); // blank lines after the board
    }
    if (lines.size() != kBoardSide) {
        return "expected " + std::to_string(kBoardSide) + " lines, got " + std::to_string(lines.size());
    }
    for (int row = 0; row < kBoardSide; ++row) {
        std::istringstream tokens(lines[row]);
        std::string token;
        int col = 0;
        while (tokens >> token) {
            ++col;
            if (col > kBoardSide) {
                return "line " + std::to_string(row + 1) + ", token " + std::to_string(col) +
                       ": more than " + std::to_string(kBoardSide) + " tokens";
            }
            int code = -2;
            if (token == "." || token == "-1") {
                code = kEmpty;
            } else if (token.size() <= 2 && token.find_first_not_of("0123456789") == std::string::npos) {
                code = std::stoi(token);
            }
            if (code < -1 || code > 10) {
                return "line " + std::to_string(row + 1) + ", token " + std::to_string(col) + ": '" + token +
                       "' is not a piece code (. or -1 for empty, 0 to 10)";
            }
            board[row * kBoardSide + col - 1] = static_cast<HyperRoad>(code);
        }
        if (col < kBoardSide) {
            return "line " + std::to_string(row + 1) + ", token " + std::to_string(col + 1) + ": expected " +
                   std::to_string(kBoardSide) + " tokens, got " + std::to_string(col);
        }
    }
    return {};
}

template <typename Range>
void printList(std::ostream& out, const Range& values, int count)
{
    out << '[';
    for (int i = 0; i < count; ++i) {
        out << (i ? ", " : "") << values[i];
    }
    out << ']';
}

int analyse(const std::vector<std::string>& args)
{
    GameState s;
    std::vector<int> items;
    try {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            if ((a == "--items" || a == "--moves-used") && i + 1 >= args.size()) {
                throw UsageError{a + " needs a value"};
            }
            if (a == "--items") {
                std::istringstream list(args[++i]);
                std::string cell;
                while (std::getline(list, cell, ',')) {
                    items.push_back(parseInt(cell, 0, kCellCount - 1, "an item cell"));
                }
            } else if (a == "--moves-used") {
                s.movesUsed = static_cast<std::int16_t>(parseInt(args[++i], 0, 1000, "--moves-used"));
            } else {
                throw UsageError{"unknown option '" + a + "'"};
            }
        }
        if (items.size() > static_cast<std::size_t>(kMaxItems)) {
            throw UsageError{"at most " + std::to_string(kMaxItems) + " items"};
        }
    } catch (const UsageError& e) {
        std::cerr << "tavrin-cli analyse: " << e.message << '\n';
        return 2;
    }

    if (const std::string error = readBoard(std::cin, s.board); !error.empty()) {
        std::cerr << "tavrin-cli analyse: " << error << '\n';
        return 2;
    }
    s.maxMovesUsed = s.movesUsed;
    s.labels.Label3 = std::to_string(kMoveLimit - s.movesUsed);
    s.itemCount = static_cast<std::int16_t>(items.size());
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (s.cellItem[items[k]] != -1) {
            std::cerr << "tavrin-cli analyse: two items on cell " << items[k] << '\n';
            return 2;
        }
        s.itemCells[k] = static_cast<std::int16_t>(items[k]);
        s.cellItem[items[k]] = static_cast<std::int16_t>(k);
    }

    NetworkAnalysis analysis(s);
    const int result = analysis.networkAnalysis();
    bool full = s.groupCount == 1;
    for (int c = 0; c < kCellCount; ++c) {
        full = full && s.board[c] >= 0;
    }

    std::ostream& out = std::cout;
    out << "{\"groups\": [";
    for (int g = 0; g < s.groupCount; ++g) {
        out << (g ? ", " : "");
        printList(out, s.groupMembers[g], s.groupSize[g]);
    }
    out << "], \"loops\": [";
    for (int i = 0; i < s.loopCount; ++i) {
        out << (i ? ", " : "");
        printList(out, s.loopCells[i], s.loopLength[i]);
    }
    out << "], \"loopPoints\": " << s.loopPoints << ", \"full\": " << (full ? "true" : "false") << ", \"green\": ";
    printList(out, s.greenStamp, kCellCount);
    out << ", \"result\": " << result << "}\n";
    return 0;
}

const Registration reg{{"analyse", "analyse [--items C,C,...] [--moves-used N] < BOARD   analyse a board (8 lines of 8 tokens)",
                        analyse}};

} // namespace
} // namespace tavrin::cli
