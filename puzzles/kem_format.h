// Byte layout of puzzle files (".kem") and the mask over each record's mode
// and cells. Reader and writer both take every layout number from here.
#pragma once

#include "engine/puzzle.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tavrin::kem {

// The upper-case extension, one ASCII byte per letter, never masked.
inline constexpr std::string_view kMagic = "KEM";
inline constexpr std::size_t kMagicSize = 3;

// One puzzle: the comment in Shift-JIS (25 characters take 25 to 50 bytes,
// zero-filled behind), then the header byte (mode in the low nibble, cell
// checksum in the high nibble) and the 64 cells stored as value + 2.
inline constexpr std::size_t kRecordSize = 115;
inline constexpr std::size_t kCommentAreaSize = 50;
inline constexpr std::size_t kHeaderOffset = 50;
inline constexpr std::size_t kMaskedBytes = 1 + kCellCount; // header + cells
inline constexpr int kCellBias = 2;                          // -1..10 -> 1..12

// Nothing after the 64th record is ever read.
inline constexpr std::size_t kMaxFileSize = kMagicSize + kRecordSize * kMaxPuzzles;

constexpr std::size_t recordOffset(int j) { return kMagicSize + kRecordSize * static_cast<std::size_t>(j); }

// ---------------------------------------------------------------------------
// The mask. Byte i of a record's masked block (i = 0 the header, i = k cell k)
// in record j is stored XORed with
//     t := A*i + B*j + C
//     t := (D*t + E) mod 256
//     t := (F*t + G) mod 256
//     mask := (H*t + I) mod 256
// These nine numbers ARE the file format: every puzzle file ever written
// depends on them, so they are written down here and nowhere else. Changing
// any of them makes all existing files unreadable.
// ---------------------------------------------------------------------------
inline constexpr int kMaskA = 7;
inline constexpr int kMaskB = 13;
inline constexpr int kMaskC = 29;
inline constexpr int kMaskD = 37;
inline constexpr int kMaskE = 11;
inline constexpr int kMaskF = 53;
inline constexpr int kMaskG = 19;
inline constexpr int kMaskH = 71;
inline constexpr int kMaskI = 43;

// i in 0..64, j in 0..63; int is wide enough for every step.
constexpr std::uint8_t puzzleMask(int i, int j)
{
    int t = kMaskA * i + kMaskB * j + kMaskC;
    t = (kMaskD * t + kMaskE) % 256;
    t = (kMaskF * t + kMaskG) % 256;
    return static_cast<std::uint8_t>((kMaskH * t + kMaskI) % 256);
}

// Masks and unmasks alike.
constexpr std::uint8_t maskPuzzleByte(std::uint8_t value, int i, int j)
{
    return static_cast<std::uint8_t>(value ^ puzzleMask(i, j));
}

} // namespace tavrin::kem
