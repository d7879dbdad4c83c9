// The rater's grades against a second player built another way: simulated
// games with a different strategy, averaged over random runs. The two need
// not agree on the figures, but a puzzle one finds harder the other must
// mostly find harder too. TAVRIN_GRADE_STUDY=N rates N seeds per grade and
// mode and prints the comparison.
#include "engine/goals.h"
#include "engine/placement_groups.h"
#include "engine/placement_loops.h"
#include "puzzles/puzzle_generator.h"
#include "puzzles/puzzle_rating.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <vector>

namespace tavrin {
namespace {

Board boardOf(const Puzzle& p)
{
    Board board = emptyBoard();
    std::copy(p.cells.begin(), p.cells.end(), board.begin());
    return board;
}

// Big loop: no tiers and no fixed order. Each try picks an untried placement
// at random, weighted by how well it fits where it lies: every joined side
// makes it 3 times likelier, every loose end 3 times less likely, and a cell
// next to a road pointing into it twice as likely.
double scanningPlayerMisses(const Puzzle& p, int runs, std::mt19937& rng)
{
    const Board board = boardOf(p);
    PlacementLoops loops(board);
    const long target = loops.points();
    std::vector<std::pair<double, bool>> tries; // weight, clears
    for (int c = 0; c < kCellCount; ++c) {
        const auto points = loops.pointsPerContent(c);
        bool pointedAt = false;
        for (int d = 0; d < kDirections; ++d) {
            const int n = neighbour(c, d);
            pointedAt |= n >= 0 && opensSide(board[n], oppositeDirection(d)) && !opensSide(board[c], d);
        }
        for (int i = 0; i < kCellContents; ++i) {
            const HyperRoad content = contentAt(i);
            if (content == board[c]) {
                continue;
            }
            int joined = 0;
            int loose = 0;
            for (int d = 0; d < kDirections; ++d) {
                const int n = neighbour(c, d);
                const bool own = opensSide(content, d);
                const bool back = n >= 0 && opensSide(board[n], oppositeDirection(d));
                joined += own && back ? 1 : 0;
                loose += own != back ? 1 : 0;
            }
            const double w = std::pow(3.0, joined - loose) * (pointedAt ? 2.0 : 1.0);
            tries.emplace_back(w, bigLoopReached(points[static_cast<std::size_t>(i)], static_cast<int>(target)));
        }
    }
    // Weighted order without repeats: sort by u^(1/w), largest first.
    std::uniform_real_distribution<double> u(0.0, 1.0);
    long misses = 0;
    std::vector<std::pair<double, bool>> order(tries.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t k = 0; k < tries.size(); ++k) {
            order[k] = {std::log(u(rng) + 1e-300) / tries[k].first, tries[k].second};
        }
        std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        misses += std::find_if(order.begin(), order.end(), [](const auto& t) { return t.second; }) - order.begin();
    }
    return static_cast<double>(misses) / runs;
}

// Full connection with the game's own supply: one random shape at a time,
// never the one before. The player looks at the whole board at once: it
// clears when it can, else joins where the fewest groups remain (any of
// those alike), else lays the shape ahead into a cell a road points into,
// else lays it on an identical piece (no change, no planning). What is
// counted is the placements that change the board before the clear: the
// planning, with the wait for a shape left out.
double supplyPlayerMoves(const Puzzle& p, int runs, std::mt19937& rng)
{
    long moves = 0;
    for (int run = 0; run < runs; ++run) {
        Board board = boardOf(p);
        int shape = -1;
        for (int offer = 0; offer < 400; ++offer) {
            int next;
            do {
                next = static_cast<int>(rng() % kPieceKinds);
            } while (next == shape);
            shape = next;
            const PlacementGroups groups(board);
            std::vector<int> join;
            std::vector<int> ahead;
            int fewest = groups.groups();
            bool cleared = false;
            for (int c = 0; c < kCellCount && !cleared; ++c) {
                if (board[c] == shape) {
                    continue;
                }
                const int after = groups.groupsAfter(c, static_cast<HyperRoad>(shape));
                cleared = fullConnectionReached(after);
                if (after < fewest) {
                    fewest = after;
                    join.clear();
                }
                if (after == fewest && after < groups.groups()) {
                    join.push_back(c);
                }
                if (after == groups.groups() && board[c] == kEmpty) {
                    for (int d = 0; d < kDirections; ++d) {
                        const int n = neighbour(c, d);
                        if (n >= 0 && opensSide(shape, d) && opensSide(board[n], oppositeDirection(d))) {
                            ahead.push_back(c);
                            break;
                        }
                    }
                }
            }
            if (cleared) {
                break;
            }
            const std::vector<int>& pick = !join.empty() ? join : ahead;
            if (pick.empty()) {
                continue; // laid on an identical piece, or anywhere it does no harm
            }
            board[pick[rng() % pick.size()]] = static_cast<HyperRoad>(shape);
            ++moves;
        }
    }
    return static_cast<double>(moves) / runs;
}

std::vector<double> ranks(const std::vector<double>& v)
{
    std::vector<std::size_t> idx(v.size());
    std::iota(idx.begin(), idx.end(), 0);
    std::sort(idx.begin(), idx.end(), [&](std::size_t a, std::size_t b) { return v[a] < v[b]; });
    std::vector<double> r(v.size());
    for (std::size_t i = 0; i < idx.size();) {
        std::size_t j = i;
        while (j + 1 < idx.size() && v[idx[j + 1]] == v[idx[i]]) {
            ++j;
        }
        for (std::size_t k = i; k <= j; ++k) {
            r[idx[k]] = (static_cast<double>(i + j) / 2) + 1;
        }
        i = j + 1;
    }
    return r;
}

double spearman(const std::vector<double>& a, const std::vector<double>& b)
{
    const std::vector<double> ra = ranks(a);
    const std::vector<double> rb = ranks(b);
    const double n = static_cast<double>(a.size());
    const double mean = (n + 1) / 2;
    double sab = 0, saa = 0, sbb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sab += (ra[i] - mean) * (rb[i] - mean);
        saa += (ra[i] - mean) * (ra[i] - mean);
        sbb += (rb[i] - mean) * (rb[i] - mean);
    }
    return sab / std::sqrt(saa * sbb);
}

struct Comparison {
    double correlation = 0;
    int puzzles = 0;
    int sameGrade = 0;
    int withinOne = 0;
};

// The rater's figure (misses, planning counting twice in full connection)
// against the simulated player's mean, over generated puzzles of every grade.
Comparison compare(GameMode mode, int seeds, int runs, bool print)
{
    std::mt19937 rng(2026);
    std::vector<double> rated;
    std::vector<double> simulated;
    Comparison out;
    for (int grade = kLowestGrade; grade <= kHighestGrade; ++grade) {
        double sumRated = 0, sumSimulated = 0;
        for (int seed = 1; seed <= seeds; ++seed) {
            const Puzzle p = generatePuzzle(mode, grade, static_cast<std::uint64_t>(seed));
            const PuzzleRating r = ratePuzzle(p);
            const double figure = (r.expectedMisses100 + (mode == kBigLoop ? 0 : r.laidAhead100)) / 100.0;
            const double mean = mode == kBigLoop ? scanningPlayerMisses(p, runs, rng) : supplyPlayerMoves(p, runs, rng);
            const int other = gradeFor(mode, static_cast<int>(std::lround(mean * 100)));
            rated.push_back(figure);
            simulated.push_back(mean);
            sumRated += figure;
            sumSimulated += mean;
            ++out.puzzles;
            out.sameGrade += other == r.grade ? 1 : 0;
            out.withinOne += std::abs(other - r.grade) <= 1 ? 1 : 0;
        }
        if (print) {
            std::printf("%s grade %d: rater mean %.2f, simulated mean %.2f\n", mode == kBigLoop ? "loop" : "full",
                        grade, sumRated / seeds, sumSimulated / seeds);
        }
    }
    out.correlation = spearman(rated, simulated);
    if (print) {
        std::printf("%s: %d puzzles, rank correlation %.2f, same grade %d, within one grade %d\n",
                    mode == kBigLoop ? "loop" : "full", out.puzzles, out.correlation, out.sameGrade, out.withinOne);
    }
    return out;
}

TEST(GradeCrossCheck, HarderForTheRaterIsHarderForASimulatedPlayer)
{
    const char* study = std::getenv("TAVRIN_GRADE_STUDY");
    const int seeds = study != nullptr ? std::max(1, std::atoi(study)) : 3;
    const int runs = study != nullptr ? 200 : 60;
    for (const GameMode mode : {kBigLoop, kFullConnection}) {
        const Comparison c = compare(mode, seeds, runs, study != nullptr);
        EXPECT_GT(c.correlation, 0.6) << "mode " << mode;
    }
}

} // namespace
} // namespace tavrin
