#include "puzzles/attention.h"

namespace tavrin {

std::array<int, kCellCount> attentionTiers(const Board& board)
{
    constexpr int kRest = kAttentionTiers - 1;
    std::array<int, kCellCount> tiers{};
    tiers.fill(kRest);
    for (int c = 0; c < kCellCount; ++c) {
        for (int d = 0; d < kDirections; ++d) {
            const int other = neighbour(c, d);
            const bool own = opensSide(board[c], d);
            const bool back = other >= 0 && opensSide(board[other], oppositeDirection(d));
            int& tier = tiers[static_cast<std::size_t>(c)];
            if (back && !own) {
                tier = 0;
            } else if (own && !back && tier > 1) {
                tier = 1;
            }
        }
    }
    for (int c = 0; c < kCellCount; ++c) {
        if (tiers[static_cast<std::size_t>(c)] > 1) {
            continue;
        }
        for (int d = 0; d < kDirections; ++d) {
            const int other = neighbour(c, d);
            if (other >= 0 && tiers[static_cast<std::size_t>(other)] == kRest) {
                tiers[static_cast<std::size_t>(other)] = 2;
            }
        }
    }
    return tiers;
}

} // namespace tavrin
