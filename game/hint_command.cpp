// The free game's hint: the best cell for the offered piece, marked on the
// board until the next move. It only looks; the game goes on as before.
#include "game/controller.h"

#include "engine/hint.h"
#include "game/hint_texts.h"

namespace tavrin::game {

bool GameController::hintAvailable() const
{
    return f_.freeGameActive && s_.freeGame();
}

void GameController::showHint()
{
    if (!hintAvailable() || f_.moveBusy || timerOn(Timer::Evaluation) || timerOn(Timer::AfterDiscard)
        || !isPiece(f_.offeredPiece)) {
        return;
    }
    // A discard among the last ten deals makes the next move free.
    const bool freeMove = f_.discardWindow[0] >= 0;
    const auto best = bestPlacement(s_, f_.offeredPiece, freeMove);
    if (!best) {
        clearHint();
        w_.setStatusText(kNoHintText);
        return;
    }
    f_.hintCell = static_cast<std::int16_t>(best->cell);
    w_.setHintCell(best->cell);
    w_.setStatusText(hintText(*best));
}

void GameController::clearHint()
{
    if (f_.hintCell < 0) {
        return;
    }
    f_.hintCell = -1;
    w_.setHintCell(-1);
}

void GameController::refreshHint()
{
    const bool available = hintAvailable();
    w_.setCommandEnabled(Command::Hint, available);
    if (!available) {
        clearHint();
    }
}

} // namespace tavrin::game
