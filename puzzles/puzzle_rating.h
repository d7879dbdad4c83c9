// Rates a puzzle the way a player meets it: can it be played, what does it
// take, and how hard is it (grade 1..5).
//
// Big loop. Every single placement is tried through the real analysis: each
// cell with each of the eleven shapes and the eraser. The ones that raise the
// loop points above the start's clear the puzzle; exactly one means the
// solution is unique. The player we rate for tries placements from the most
// to the least promising, in a random order among equals, and never twice:
// first those that close a circuit (join two roads that already meet
// elsewhere), then the rest; within each, those that leave fewer loose ends
// (open sides of the new piece that join nothing, roads pointing into the
// cell left unanswered); among those, filling a gap before laying over a
// piece or erasing one. The figure is the exact expected number of misses
// before the first clearing placement.
//
// Full connection. The shapes come one at a time at random (the first any of
// the eleven, each later one any other than the one before), no eraser, and a
// placement that does not join everything stays as a miss. The sensible
// player clears whenever the offered shape can. Otherwise, when the shape can
// lower the number of groups, it lays it where the fewest groups remain (then
// where the fewest road ends stay open, then on the lowest cell); any other
// shape it lays where it does no harm (on an identical piece, say), leaving the
// position as it was. The figure is this player's exact expected number of
// misses, worked out over every position its joining placements lead to. A
// puzzle whose groups cannot be joined one placement at a time (a gap of two
// or more cells, say) is beyond this player: it gets grade 5.
//
// Grade, from the expected misses E:
//   big loop:         1 below 1, 2 below 3, 3 below 6, 4 below 30, else 5;
//                     grades 3..5 only with a unique solution (else at most 2);
//   full connection:  1 below 0.7, 2 below 1.5, 3 below 3, 4 below 6, else 5.
#pragma once

#include "engine/puzzle.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {

struct Placement {
    int cell = -1;
    HyperRoad content = kEmpty;
};

struct PuzzleRating {
    GameMode mode = kNoMode;
    int groups = 0;         // road groups of the starting layout
    long loopPoints = 0;    // loop points of the starting layout
    bool playable = false;
    std::string problem;    // why not, when not playable

    // Big loop: single placements (cell x shape, eraser too) that clear it,
    // in cell order (content kEmpty for the eraser).
    int clearingPlacements = 0;
    std::vector<Placement> clearing;
    // Full connection: shapes that join everything with one placement at the start.
    int clearingShapes = 0;
    // Full connection: the sensible player gets stuck (see above).
    bool beyondModel = false;

    // Expected misses of the player described above, in hundredths.
    int expectedMisses100 = 0;
    int grade = 0; // 1..5, 0 when not playable
};

inline constexpr int kLowestGrade = 1;
inline constexpr int kHighestGrade = 5;

// Full connection needs its roads in two or more groups; big loop needs at
// least one placement that raises the loop points above the start's.
PuzzleRating ratePuzzle(const Puzzle& puzzle);

// Big loop: the order in which the player tries a placement (lower first).
// `content` is a piece or kEmpty (the eraser).
int tryRank(const Board& board, int cell, HyperRoad content);

// The grade for an expected number of misses (in hundredths).
int gradeFor(GameMode mode, int expectedMisses100, int clearingPlacements);

// Full connection: the expected misses of the sensible player, in hundredths,
// or nothing when the player gets stuck.
std::optional<int> fullConnectionMisses100(const Board& board);

} // namespace tavrin
