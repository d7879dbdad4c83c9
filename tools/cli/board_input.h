// The board state that analyse and render read: a board on standard input and
// the options --items C,C,... and --moves-used N.
#pragma once

#include "engine/game_state.h"

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace tavrin::cli {

// A malformed command line: the message is printed and the status is 2.
struct UsageError {
    std::string message;
};

// `text` as a whole number from lo to hi; a UsageError naming `what` otherwise.
int parseInt(const std::string& text, int lo, int hi, const std::string& what);

// Reads 8 lines of 8 tokens: "." or "-1" for an empty cell, 0..10 for a piece.
// Returns an empty string on success, else a one-line message.
std::string readBoard(std::istream& in, Board& board);

struct BoardInput {
    std::vector<int> items; // item cells, kind k on items[k]
    int movesUsed = 0;

    // Takes args[i] (and its value) when it is --items or --moves-used and
    // moves i past them; false for any other argument. Throws UsageError.
    bool takeOption(const std::vector<std::string>& args, std::size_t& i);
    // Reads the board from `in` into `state` and lays the items and the moves
    // used as the free game would. An empty string on success, else a message.
    std::string load(std::istream& in, GameState& state) const;
};

} // namespace tavrin::cli
