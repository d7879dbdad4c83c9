// The 8 x 8 board: cell numbering, neighbours and the joining test.
#pragma once

#include "engine/pieces.h"

#include <array>
#include <cstdint>

namespace tavrin {

inline constexpr int kBoardSide = 8;
inline constexpr int kCellCount = 64;
// The live board has one spare slot after the 64 cells that no rule reads.
inline constexpr int kBoardSlots = 65;

using Board = std::array<HyperRoad, kBoardSlots>;

constexpr int cellRow(int cell) { return cell / kBoardSide; }
constexpr int cellColumn(int cell) { return cell % kBoardSide; }
constexpr bool isCell(int cell) { return cell >= 0 && cell < kCellCount; }

// Neighbour of `cell` in direction `dir`, or -1 at the board's edge (no wrap-around).
constexpr int neighbour(int cell, int dir)
{
    switch (dir) {
    case kUp: return cell < kBoardSide ? -1 : cell - kBoardSide;
    case kLeft: return cellColumn(cell) == 0 ? -1 : cell - 1;
    case kRight: return cellColumn(cell) == kBoardSide - 1 ? -1 : cell + 1;
    case kDown: return cell >= kCellCount - kBoardSide ? -1 : cell + kBoardSide;
    default: return -1;
    }
}

Board emptyBoard();

// True when cells a and b are neighbours whose pieces both open the shared side.
inline bool cellsLinked(const Board& board, int a, int b)
{
    if (!isCell(a) || !isCell(b) || a == b) {
        return false;
    }
    int d;
    switch (b - a) {
    case -kBoardSide: d = kUp; break;
    case kBoardSide: d = kDown; break;
    case -1: d = cellColumn(a) == 0 ? -1 : kLeft; break;
    case 1: d = cellColumn(a) == kBoardSide - 1 ? -1 : kRight; break;
    default: d = -1; break;
    }
    return d >= 0 && opensSide(board[a], d) && opensSide(board[b], oppositeDirection(d));
}

} // namespace tavrin
