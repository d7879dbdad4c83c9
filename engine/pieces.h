// Hyper-road pieces: codes, open sides, quarter turns and mirrors.
#pragma once

#include <cstdint>
#include <optional>

namespace tavrin {

// A piece code 0..10; kEmpty marks an empty cell, kEraser the palette's eraser.
using HyperRoad = std::int16_t;

inline constexpr HyperRoad kEmpty = -1;
inline constexpr HyperRoad kEraser = 11;
inline constexpr int kPieceKinds = 11;

// Directions in the fixed order every neighbour loop uses.
enum Direction : int { kUp = 0, kLeft = 1, kRight = 2, kDown = 3 };
inline constexpr int kDirections = 4;

constexpr int oppositeDirection(int d) { return 3 - d; }

constexpr bool isPiece(int code) { return code >= 0 && code < kPieceKinds; }

// Bit d set when the piece opens side d. Empty cells and non-pieces open nothing.
std::uint8_t openSides(int piece);

constexpr bool opensSide(int piece, int dir);

// Number of open sides (0 for an empty cell).
int degree(int piece);

// Quarter turn of piece `Index`: clockwise when code != 0, anticlockwise when 0.
// No value for an input outside -1..10.
std::optional<HyperRoad> turnPiece(int Index, int code);

// Mirror of piece `Index`: code 0 left<->right, code 1 up<->down.
// No value for an input above 10 (or below -1), nor for pieces 2..9 with another code.
std::optional<HyperRoad> mirrorPiece(int Index, int code);

namespace detail {
// Open sides per piece code 0..10, bit d for direction d (up, left, right, down).
inline constexpr std::uint8_t kSides[kPieceKinds] = {
    0b0110, // 0 left right
    0b1001, // 1 up down
    0b0011, // 2 left up
    0b0101, // 3 up right
    0b1100, // 4 right down
    0b1010, // 5 down left
    0b0111, // 6 left up right
    0b1101, // 7 up right down
    0b1110, // 8 right down left
    0b1011, // 9 down left up
    0b1111, // 10 cross
};
} // namespace detail

constexpr bool opensSide(int piece, int dir)
{
    return isPiece(piece) && dir >= 0 && dir < kDirections && ((detail::kSides[piece] >> dir) & 1u) != 0;
}

} // namespace tavrin
