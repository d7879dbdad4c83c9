#include "engine/board.h"

namespace tavrin {

Board emptyBoard()
{
    Board b;
    b.fill(kEmpty);
    return b;
}

bool cellsLinked(const Board& board, int a, int b)
{
    if (!isCell(a) || !isCell(b) || a == b) {
        return false;
    }
    const int d = directionTo(a, b);
    if (d < 0) {
        return false;
    }
    return opensSide(board[a], d) && opensSide(board[b], oppositeDirection(d));
}

} // namespace tavrin
