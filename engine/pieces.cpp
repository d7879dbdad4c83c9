#include "engine/pieces.h"

namespace tavrin {

std::uint8_t openSides(int piece)
{
    std::uint8_t bits = 0;
    for (int d = 0; d < kDirections; ++d) {
        if (opensSide(piece, d)) {
            bits = static_cast<std::uint8_t>(bits | (1u << d));
        }
    }
    return bits;
}

int degree(int piece)
{
    int n = 0;
    for (int d = 0; d < kDirections; ++d) {
        n += opensSide(piece, d) ? 1 : 0;
    }
    return n;
}

std::optional<HyperRoad> turnPiece(int Index, int code)
{
    //                                   -1  0  1  2  3  4  5  6  7  8  9 10
    static constexpr HyperRoad kCw[] = {-1, 1, 0, 3, 4, 5, 2, 7, 8, 9, 6, 10};
    static constexpr HyperRoad kCcw[] = {-1, 1, 0, 5, 2, 3, 4, 9, 6, 7, 8, 10};
    if (Index < -1 || Index > 10) {
        return std::nullopt;
    }
    return code != 0 ? kCw[Index + 1] : kCcw[Index + 1];
}

std::optional<HyperRoad> mirrorPiece(int Index, int code)
{
    static constexpr HyperRoad kLeftRight[] = {-1, 0, 1, 3, 2, 5, 4, 6, 9, 8, 7, 10};
    static constexpr HyperRoad kUpDown[] = {-1, 0, 1, 5, 4, 3, 2, 8, 7, 6, 9, 10};
    if (Index < -1 || Index > 10) {
        return std::nullopt;
    }
    if (Index == -1 || Index == 0 || Index == 1 || Index == 10) {
        return static_cast<HyperRoad>(Index);
    }
    if (code == 0) {
        return kLeftRight[Index + 1];
    }
    if (code == 1) {
        return kUpDown[Index + 1];
    }
    return std::nullopt;
}

} // namespace tavrin
