#include "tools/cli/board_input.h"

#include <charconv>
#include <sstream>

namespace tavrin::cli {

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

bool BoardInput::takeOption(const std::vector<std::string>& args, std::size_t& i)
{
    const std::string& a = args[i];
    if (a != "--items" && a != "--moves-used") {
        return false;
    }
    if (i + 1 >= args.size()) {
        throw UsageError{a + " needs a value"};
    }
    if (a == "--items") {
        std::istringstream list(args[++i]);
        std::string cell;
        while (std::getline(list, cell, ',')) {
            items.push_back(parseInt(cell, 0, kCellCount - 1, "an item cell"));
        }
        if (items.size() > static_cast<std::size_t>(kMaxItems)) {
            throw UsageError{"at most " + std::to_string(kMaxItems) + " items"};
        }
    } else {
        movesUsed = parseInt(args[++i], 0, 1000, "--moves-used");
    }
    return true;
}

std::string BoardInput::load(std::istream& in, GameState& s) const
{
    if (std::string error = readBoard(in, s.board); !error.empty()) {
        return error;
    }
    s.movesUsed = static_cast<std::int16_t>(movesUsed);
    s.maxMovesUsed = s.movesUsed;
    s.labels.movesLeft = std::to_string(kMoveLimit - s.movesUsed);
    s.itemCount = static_cast<std::int16_t>(items.size());
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (s.cellItem[items[k]] != -1) {
            return "two items on cell " + std::to_string(items[k]);
        }
        s.itemCells[k] = static_cast<std::int16_t>(items[k]);
        s.cellItem[items[k]] = static_cast<std::int16_t>(k);
    }
    return {};
}

} // namespace tavrin::cli
