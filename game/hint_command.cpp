// The free game's hint: the best cell for the offered piece, marked on the
// board until the next move. It only looks; the game goes on as before.
#include "game/controller.h"

#include "engine/hint.h"
#include "game/hint_texts.h"

namespace tavrin::game {

bool GameController::hintAvailable() const
{
    return free_.active() && s_.freeGame();
}

void GameController::showHint()
{
    if (!hintAvailable() || free_.busy() || timerOn(Timer::Evaluation) || timerOn(Timer::AfterDiscard)
        || !isPiece(free_.offeredPiece())) {
        return;
    }
    // A discard among the last ten deals makes the next move free.
    const auto best = bestPlacement(s_, static_cast<HyperRoad>(free_.offeredPiece()), free_.nextMoveFree());
    if (!best) {
        clearHint();
        out_.screen().setStatus(kNoHintText);
        return;
    }
    f_.hintCell = static_cast<std::int16_t>(best->cell);
    out_.screen().setHintCell(best->cell);
    out_.screen().setStatus(hintText(*best));
}

void GameController::clearHint()
{
    if (f_.hintCell < 0) {
        return;
    }
    f_.hintCell = -1;
    out_.screen().setHintCell(-1);
}

void GameController::refreshHint()
{
    const bool available = hintAvailable();
    out_.screen().setCommandEnabled(Command::Hint, available);
    if (!available) {
        clearHint();
    }
}

} // namespace tavrin::game
