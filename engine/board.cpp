#include "engine/board.h"

namespace tavrin {

Board emptyBoard()
{
    Board b;
    b.fill(kEmpty);
    return b;
}

} // namespace tavrin
