// Makes puzzles of a wanted grade, checked by the rater. The same request
// always gives the same puzzles, on every machine.
#pragma once

#include "engine/puzzle.h"
#include "puzzles/puzzle_rating.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin {

enum class ModeMix { FullConnection, BigLoop, Mixed };

struct GeneratorRequest {
    int count = 10;
    std::uint64_t seed = 1;
    ModeMix modes = ModeMix::Mixed;
    int lowestGrade = kLowestGrade;
    int highestGrade = kHighestGrade;
};

// Puzzles generated for the game's own series (the menu's fresh and daily series).
inline constexpr int kSeriesLength = 10;

// `request.count` puzzles (1..64), grades rising evenly from the lowest to
// the highest asked, each with its grade as comment. Mixed modes alternate in
// an order drawn from the seed, both modes present from two puzzles on.
std::vector<Puzzle> generatePuzzles(const GeneratorRequest& request);

// The same puzzles with the grade each was meant to have and the grade it
// got: a search that misses within its budget keeps the closest it found
// (inside the asked range when it found one there).
struct GeneratedPuzzle {
    Puzzle puzzle;
    int grade = 0;
    int wanted = 0;
};
std::vector<GeneratedPuzzle> generateSeries(const GeneratorRequest& request);

// One puzzle of `mode` (kFullConnection or kBigLoop): of grade `grade` when
// the search finds one within its budget, else the closest it found. Always
// playable; a full-connection puzzle starts in two to five groups that the
// rated player joins.
Puzzle generatePuzzle(GameMode mode, int grade, std::uint64_t seed);

// Grade of puzzle `index` of `count` when grades rise evenly from `low` to `high`.
int gradeAt(int index, int count, int low, int high);

// Comment of a generated puzzle: "難易度３ ★★★☆☆" for grade 3.
std::string gradeComment(int grade);

// The daily series of a calendar date: the same puzzles for everyone that day.
GeneratorRequest dailyRequest(int year, unsigned month, unsigned day);

// The daily free game (今日の一局) of a calendar date: the seed of its random
// source, made from the date as the daily series is, so that every build
// (desktop, page, server) deals the same game that day.
std::uint64_t dailyGameSeed(int year, unsigned month, unsigned day);

} // namespace tavrin
