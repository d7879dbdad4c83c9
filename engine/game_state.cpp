#include "engine/game_state.h"

namespace tavrin {

GameState::GameState()
{
    board.fill(kEmpty);
    cellItem.fill(-1);
    greenStamp.fill(-1);
    boardSave.fill(kEmpty);
    cellItemSave.fill(-1);
}

bool holdsSelectedShape(const GameState& state, int Index)
{
    if (!isCell(Index)) {
        return false;
    }
    if (state.selectedShape == kEraser) {
        return state.board[Index] == kEmpty;
    }
    return state.board[Index] == state.selectedShape;
}

} // namespace tavrin
