// Shared helpers of the puzzle-file tests.
#pragma once

#include "engine/puzzle.h"
#include "puzzles/kem_format.h"
#include "support/temp_folder.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tavrin::kem::testing {

// A puzzle whose cells and mode vary with `seed`, so records differ.
inline Puzzle samplePuzzle(int seed, std::string_view comment = "テスト")
{
    Puzzle p;
    p.mode = static_cast<GameMode>(seed % 2);
    p.comment = fitComment(comment);
    for (int i = 0; i < kCellCount; ++i) {
        p.cells[static_cast<std::size_t>(i)] = static_cast<HyperRoad>((i * 7 + seed * 3) % 12 - 1);
    }
    return p;
}

// The mask of byte i of record j, from the format's nine numbers written out
// again here: files in the field depend on them, so the tests do not take
// them from the code under test.
constexpr std::uint8_t documentedMask(int i, int j)
{
    int t = 7 * i + 13 * j + 29;
    t = (37 * t + 11) % 256;
    t = (53 * t + 19) % 256;
    return static_cast<std::uint8_t>((71 * t + 43) % 256);
}

// Record j written straight from the file layout (comment bytes given in
// Shift-JIS), independently of the encoder under test.
inline std::string rawRecord(std::string_view sjisComment, int mode, const std::array<HyperRoad, kCellCount>& cells, int j)
{
    std::string r(sjisComment);
    r.resize(kCommentAreaSize, '\0');
    int sum = 0;
    for (HyperRoad c : cells) {
        sum += c + 2;
    }
    r += static_cast<char>((mode + 16 * (sum % 16)) ^ documentedMask(0, j));
    for (int k = 1; k <= kCellCount; ++k) {
        r += static_cast<char>((cells[static_cast<std::size_t>(k - 1)] + 2) ^ documentedMask(k, j));
    }
    return r;
}

inline std::size_t fileCount(const std::filesystem::path& dir)
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) {
        ++n;
    }
    return n;
}

} // namespace tavrin::kem::testing
