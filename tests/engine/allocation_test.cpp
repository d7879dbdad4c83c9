// One analysis must not touch the heap: it runs after every click and in the
// hint search, and the work arrays are sized for the largest board.
#include "engine/analysis.h"
#include "engine/scoring.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>

namespace {
std::atomic<bool> counting{false};
std::atomic<int> allocations{0};
} // namespace

void* operator new(std::size_t size)
{
    if (counting.load()) {
        allocations.fetch_add(1);
    }
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace tavrin {
namespace {

TEST(Allocation, AnalysisOfFullBoardsAllocatesNothing)
{
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> piece(0, 10);
    GameState s;
    s.itemCount = 2;
    s.itemCells = {0, 63, 0, 0, 0};
    NetworkAnalysis analysis(s);
    for (int round = 0; round < 50; ++round) {
        for (int c = 0; c < kCellCount; ++c) {
            s.board[c] = static_cast<HyperRoad>(round == 0 ? 10 : piece(rng));
        }
        s.movesUsed = static_cast<std::int16_t>(round);
        s.maxMovesUsed = s.movesUsed;
        counting = true;
        analysis.networkAnalysis();
        refreshScoreLabels(s, true);
        counting = false;
    }
    EXPECT_EQ(allocations.load(), 0);
}

} // namespace
} // namespace tavrin
