#include "puzzles/puzzle_generator.h"

#include "puzzles/kem_file.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavrin {
namespace {

// What a generated puzzle promises, checked by the rater.
void expectPromisesKept(const Puzzle& p, GameMode mode, const std::string& where)
{
    const PuzzleRating r = ratePuzzle(p);
    EXPECT_EQ(p.mode, mode) << where;
    ASSERT_TRUE(r.playable) << where << ": " << r.problem;
    EXPECT_EQ(trimComment(p.comment), gradeComment(r.grade)) << where;
    if (mode == kFullConnection) {
        EXPECT_GE(r.groups, 2) << where;
        EXPECT_FALSE(r.beyondModel) << where;
        EXPECT_NE(r.clearingShapes, 1) << where << ": a wait for one shape";
    }
}

TEST(PuzzleGenerator, EveryGradeOfBothModesKeepsItsPromises)
{
    int hits = 0;
    int made = 0;
    for (std::uint64_t seed = 0; seed < 3; ++seed) {
        for (int grade = kLowestGrade; grade <= kHighestGrade; ++grade) {
            for (const GameMode mode : {kFullConnection, kBigLoop}) {
                const Puzzle p = generatePuzzle(mode, grade, seed * 101 + static_cast<std::uint64_t>(grade));
                const std::string where = "seed " + std::to_string(seed) + " grade " + std::to_string(grade) +
                                          " mode " + std::to_string(mode);
                expectPromisesKept(p, mode, where);
                hits += ratePuzzle(p).grade == grade ? 1 : 0;
                ++made;
            }
        }
    }
    // Every grade of both modes is found for these seeds.
    EXPECT_EQ(hits, made);
}

// (That the same request gives the same bytes is pinned by the command-line
// test of kem generate.)
TEST(PuzzleGenerator, MixedSeriesRiseAndHoldBothModes)
{
    GeneratorRequest r;
    r.count = 6;
    r.seed = 5;
    r.lowestGrade = 1;
    r.highestGrade = 3;
    const std::vector<Puzzle> puzzles = generatePuzzles(r);
    ASSERT_EQ(puzzles.size(), 6u);
    std::vector<int> grades;
    for (const Puzzle& p : puzzles) {
        grades.push_back(ratePuzzle(p).grade);
    }
    EXPECT_TRUE(std::is_sorted(grades.begin(), grades.end()));
    EXPECT_EQ(std::count_if(puzzles.begin(), puzzles.end(), [](const Puzzle& p) { return p.mode == kBigLoop; }), 3);
}

TEST(PuzzleGenerator, GradesRiseEvenlyAndReadAsStars)
{
    std::vector<int> grades;
    for (int i = 0; i < kSeriesLength; ++i) {
        grades.push_back(gradeAt(i, kSeriesLength, 1, 5));
    }
    EXPECT_EQ(grades, (std::vector<int>{1, 1, 2, 2, 3, 3, 4, 4, 5, 5}));
    EXPECT_EQ(gradeAt(0, 1, 4, 5), 4);
    EXPECT_EQ(gradeComment(3), "難易度３ ★★★☆☆");
    // Nine double-byte characters, a blank and 15 blanks of padding: all of it
    // fits the file's code page.
    const std::string bytes = kem::encodeComment(gradeComment(5));
    EXPECT_EQ(bytes.size(), 9u * 2 + 16);
    EXPECT_EQ(bytes.find('?'), std::string::npos);
}

TEST(PuzzleGenerator, EachDayHasItsOwnSeries)
{
    EXPECT_EQ(dailyRequest(2024, 5, 1).seed, dailyRequest(2024, 5, 1).seed);
    EXPECT_NE(dailyRequest(2024, 5, 1).seed, dailyRequest(2024, 5, 2).seed);
    EXPECT_NE(dailyRequest(2024, 5, 1).seed, dailyRequest(2025, 5, 1).seed);
    EXPECT_EQ(dailyRequest(2024, 5, 1).count, kSeriesLength);
}

} // namespace
} // namespace tavrin
