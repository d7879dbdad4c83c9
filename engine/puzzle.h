// The puzzle record and the collection of puzzles.
#pragma once

#include "engine/board.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

// Stored per puzzle; eco mode is the free game's goal and is never stored.
using GameMode = std::int16_t;
inline constexpr GameMode kNoMode = -1;
inline constexpr GameMode kFullConnection = 0;
inline constexpr GameMode kBigLoop = 1;

inline constexpr int kCommentLength = 25; // characters, blank-padded
inline constexpr std::string_view kDefaultComment = "ここにコメントを書いてください。"; // puzzle data, not for translation

inline constexpr int kMaxPuzzles = 64;
// One more record than a collection may hold: the first free one is a scratch slot.
inline constexpr int kPuzzleSlots = kMaxPuzzles + 1;

struct Puzzle {
    GameMode mode = kNoMode;
    std::string comment; // UTF-8, kept at exactly kCommentLength characters
    std::array<HyperRoad, kCellCount> cells{};

    Puzzle();
    bool operator==(const Puzzle&) const = default;
};

// Pads with blanks or cuts `text` (UTF-8) to exactly kCommentLength characters.
std::string fitComment(std::string_view text);

// `comment` without trailing blanks.
std::string trimComment(std::string_view comment);

// Number of Unicode characters in a UTF-8 string (malformed bytes count one each).
std::size_t utf8Length(std::string_view text);

// A fresh puzzle: no mode, the default comment, an empty board.
Puzzle newPuzzle();

} // namespace tavrin
