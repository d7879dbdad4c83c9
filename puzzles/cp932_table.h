// The CP932 mapping as data (puzzles/cp932_table.cpp, made by
// tools/cp932/make_table.py); puzzles/cp932.cpp builds its lookups from it.
#pragma once

#include <cstdint>
#include <span>

namespace tavrin::cp932 {

// `count` codes next to each other from `code` on; their characters follow
// one after another in kCharacters.
struct Row {
    std::uint16_t code;
    std::uint16_t count;
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

extern const std::span<const Row> kRows;
// The characters of the rows, each as the difference from the one before
// (from 0 for the first) in zigzag LEB128: seven bits a byte, lowest first,
// the top bit set while more follow; the lowest bit of the number is its sign.
extern const std::span<const unsigned char> kCharacters;
extern const std::span<const Run> kRuns;
extern const std::span<const Encoding> kEncodings;
extern const Range kIgnored;

} // namespace tavrin::cp932
