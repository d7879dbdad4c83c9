// The CP932 mapping as data (puzzles/cp932_table.cpp, made by
// tools/cp932/make_table.py); puzzles/cp932.cpp builds its lookups from it.
#pragma once

#include <cstdint>
#include <span>

namespace tavrin::cp932 {

// Characters written out in UTF-8, the first one with `code`, each next one
// with the code after.
struct TextRow {
    std::uint16_t code;
    const char* text;
};

// `count` codes from `code` on, whose characters run on from `first`.
struct Run {
    std::uint16_t code;
    std::uint16_t first;
    std::uint16_t count;
};

// A character whose encoding is not the reverse of decoding.
struct Encoding {
    std::uint16_t character;
    std::uint16_t code; // one byte when below 0x100
};

struct Range {
    char32_t first;
    char32_t last;
};

extern const std::span<const TextRow> kTextRows;
extern const std::span<const Run> kRuns;
extern const std::span<const Encoding> kEncodings;
extern const Range kIgnored;

} // namespace tavrin::cp932
