// Rates a puzzle the way a person meets it: can it be played, what does it
// take, and how hard is it (grade 1..5).
//
// Both modes are rated for a player who looks where a person looks first
// (puzzles/attention.h): at the cells that roads point into without an
// answer, then at the pieces whose own ends are unanswered, then at the
// cells next to those, then at the rest of the board: four tiers.
//
// Big loop. Every single placement is tried through the real analysis: each
// cell with each of the eleven shapes and the eraser. The ones that raise the
// loop points above the start's clear the puzzle; exactly one means the
// solution is unique. The player tries placements tier by tier, never twice,
// in a random order among equals; within a tier, first those that close a
// circuit (join two roads that already meet elsewhere), then those that leave
// fewer loose ends (open sides of the new piece that join nothing, roads
// pointing into the cell left unanswered), then a gap before laying over a
// piece or erasing one. The figure is the exact expected number of misses
// before the first clearing placement.
//
// Full connection. The supply offers one random shape at a time; a shape
// that does not fit the plan is laid where it changes nothing (on an
// identical piece), so what a puzzle asks of a person is the plan, not the
// wait for one shape. The rated player may therefore lay any shape, and every
// placement that does not join everything is a miss that stays. It looks
// tier by tier: in the first tier where a placement joins everything it
// clears; else in the first tier where a placement lowers the number of
// groups it lays one of the best there (fewest groups left, then fewest open
// road ends), any of equals alike. When nothing anywhere lowers the groups it
// lays a piece ahead: one that answers a road pointing into its cell without
// adding a group, whose new ends point closest to another group (then
// fewest open ends). The figures are exact expectations over the equal choices: the
// misses, and how many of them were pieces laid ahead. A puzzle this player
// cannot finish (nothing joins and nothing can be laid ahead) is beyond it.
//
// Grade, from the expected misses E:
//   big loop:         1 below 1, 2 below 3, 3 below 6, 4 below 30, else 5;
//   full connection:  from E plus the pieces laid ahead (planning counts
//                     twice): 1 below 0.5, 2 below 1.5, 3 below 2.5,
//                     4 below 3.5, else 5; beyond the player: 5.
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
    // Full connection: the rated player cannot finish it (see above).
    bool beyondModel = false;

    // Expected misses of the player described above, in hundredths.
    int expectedMisses100 = 0;
    // Full connection: of those, the pieces laid ahead, in hundredths.
    int laidAhead100 = 0;
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

// The grade for an expected number of misses (in hundredths); in full
// connection the pieces laid ahead among them count once more.
int gradeFor(GameMode mode, int expectedMisses100, int laidAhead100 = 0);

// Full connection, the player above: expected misses and pieces laid ahead,
// in hundredths, or nothing when it cannot finish.
struct PlannedMisses {
    int misses100 = 0;
    int laidAhead100 = 0;
};
std::optional<PlannedMisses> fullConnectionMisses100(const Board& board);

} // namespace tavrin
