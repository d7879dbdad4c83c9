// Mouse actions on the board, the trash and the palette; the piece supply.
#include "game/controller.h"

#include "engine/analysis.h"
#include "engine/hint.h"
#include "engine/scoring.h"
#include "game/flow_texts.h"

#include <algorithm>

namespace tavrin::game {

void GameController::cellReleased(int cell)
{
    if (!isCell(cell) || timerOn(Timer::Evaluation)) {
        return;
    }
    if (f_.freeGameActive && s_.freeGame()) {
        placeFreeGame(cell);
    } else if (s_.editMode) {
        if (editor_ == nullptr) {
            return;
        }
        if (const auto placed = editor_->placeOnCell(cell)) {
            startEditPlacement(cell, *placed);
        }
    } else if (s_.puzzleSeries) {
        placeSeries(cell);
    }
}

void GameController::placeFreeGame(int c)
{
    if (f_.moveBusy) {
        return;
    }
    f_.moveBusy = true;

    if (!placementAllowed(s_.board, c, f_.offeredPiece)) {
        w_.setStatusText(kSameShapeText);
        f_.moveBusy = false;
        return;
    }
    clearHint();

    f_.oldPiece = s_.board[c];
    s_.board[c] = f_.offeredPiece;
    f_.lastCell = static_cast<std::int16_t>(c);
    f_.animNew = f_.offeredPiece;
    f_.animOld = f_.oldPiece;

    // A discard among the last ten deals makes the move free.
    if (f_.discardWindow[0] < 0) {
        s_.movesUsed = static_cast<std::int16_t>(s_.movesUsed + 1);
    }
    s_.maxMovesUsed = std::max(s_.maxMovesUsed, s_.movesUsed);

    w_.setStatusText("");
    f_.turnResult = networkAnalysis(s_);
    showScoreLabels();
    if (!s_.noMovesReturned) {
        w_.setStatusText(movesReturnedText(s_.movesReturned));
    }
    startTimer(Timer::Evaluation, kEvaluationIntervalMs);
    if (moveEndsGame()) {
        tell(FreeGameEvent::Ending);
    }
}

bool GameController::moveEndsGame() const
{
    switch (f_.turnResult) {
    case TurnResult::kGoalReached:
    case TurnResult::kNoMovesLeft: return true;
    case TurnResult::kFullNotGreen: return kMoveLimit - s_.movesUsed <= 0;
    default: return false;
    }
}

void GameController::placeSeries(int c)
{
    f_.oldPiece = s_.board[c];
    f_.scoreBefore = networkAnalysis(s_);
    s_.board[c] = s_.selectedShape == kEraser ? kEmpty : s_.selectedShape;
    f_.scoreAfter = networkAnalysis(s_);
    f_.lastCell = static_cast<std::int16_t>(c);
    f_.animNew = s_.board[c];
    f_.animOld = f_.oldPiece;
    f_.groupsAfter = s_.groupCount;
    startTimer(Timer::Evaluation, kEvaluationIntervalMs);
}

void GameController::startEditPlacement(int cell, const EditPlacement& placement)
{
    if (!isCell(cell)) {
        return;
    }
    f_.oldPiece = placement.oldPiece;
    f_.scoreAfter = placement.scoreAfter;
    f_.lastCell = static_cast<std::int16_t>(cell);
    f_.animNew = placement.newPiece;
    f_.animOld = placement.oldPiece;
    f_.quietRun = true;
    startTimer(Timer::Evaluation, kEvaluationIntervalMs);
}

void GameController::trashReleased()
{
    if (f_.moveBusy || !f_.freeGameActive || s_.editMode || s_.puzzleSeries) {
        return;
    }
    f_.moveBusy = true;
    clearHint();
    f_.discardWindow[kDiscardSlots - 1] = f_.offeredPiece;

    const std::int16_t before = s_.movesUsed;
    s_.movesUsed = static_cast<std::int16_t>(s_.movesUsed + 1);
    s_.maxMovesUsed = std::max(s_.maxMovesUsed, s_.movesUsed);
    if (f_.discardWindow[0] >= 0) {
        s_.movesUsed = before;
    }

    const long d = labelNumber(s_.labels.movesLeft);
    const long f = kMoveLimit - s_.movesUsed;
    if (f > d) {
        s_.labels.movesLeft += "+" + std::to_string(f - d);
    } else if (f < d) {
        s_.labels.movesLeft += std::to_string(f - d);
    }
    s_.scoreLabelsDirty = static_cast<std::int16_t>(s_.scoreLabelsDirty + kDirtyMoves);
    showScoreLabels();

    if (w_.mediaCanPlay(Device::Trash)) {
        PlaySound(Device::Trash);
    }
    f_.discardPending = true;
    startTimer(Timer::AfterDiscard, kAfterDiscardIntervalMs);
    if (kMoveLimit - s_.movesUsed <= 0) {
        tell(FreeGameEvent::Ending);
    }
}

void GameController::DealPiece()
{
    const std::int16_t prev = f_.offeredPiece;
    int s = 0;
    for (;;) {
        s = rnd_.Int(kPieceKinds);
        bool excluded = s == prev;
        for (int k = 0; k < kDiscardSlots && !excluded; ++k) {
            excluded = f_.discardWindow[k] == s;
        }
        if (!excluded) {
            break;
        }
    }
    f_.offeredPiece = static_cast<std::int16_t>(s);
    f_.lastCell = -1;
    f_.animNew = f_.offeredPiece;
    f_.animOld = prev;
    TileDraw t;
    t.target = TileTarget::OfferedPiece;
    t.index = -1;
    t.piece = s;
    t.oldPiece = prev;
    t.step = 3;
    t.present = true;
    w_.drawTile(t);
    AgeDiscards();
}

void GameController::AgeDiscards()
{
    for (int k = 0; k + 1 < kDiscardSlots; ++k) {
        f_.discardWindow[k] = f_.discardWindow[k + 1];
    }
    f_.discardWindow[kDiscardSlots - 1] = -1;
    int count = 0;
    for (const auto slot : f_.discardWindow) {
        count += slot >= 0 ? 1 : 0;
    }
    s_.discardCount = static_cast<std::int16_t>(count);
    w_.setTrash(count);
}

void GameController::palettePressed(int entry, int shiftState)
{
    if (entry < 0 || entry > kEraser || shiftState == 2) {
        return;
    }
    // In series play a full-connection puzzle offers one shape at a time and no eraser.
    if (s_.puzzleSeries && !paletteEnabled_[static_cast<std::size_t>(entry)]) {
        return;
    }
    if (!s_.puzzleSeries && !s_.modeSettingActive) {
        w_.setStatusText("");
    }
    for (int e = 0; e <= kEraser; ++e) {
        w_.setPaletteBorder(e, e == entry);
    }
    s_.selectedShape = static_cast<std::int16_t>(entry);
    if (entry == kEraser && w_.editorOption() == EditorOption::Random) {
        w_.setEditorOption(EditorOption::Normal);
    }
}

void GameController::cellHovered(int cell)
{
    if (cell == f_.lastHoverCell && !f_.hoverRefresh) {
        return;
    }
    f_.lastHoverCell = static_cast<std::int16_t>(cell);
    f_.hoverRefresh = false;
    showLoopLength();
}

void GameController::showLoopLength()
{
    if (isCell(f_.lastHoverCell)) {
        w_.setLoopLengthText(kLoopLengthText.arg(shownLoopLength(f_.lastHoverCell)));
    }
}

// The first loop of the list (the shortest) through `cell`, 0 for none. The
// loops are those of the board on screen whatever the activity, found without
// touching the game's own analysis and scores.
int GameController::shownLoopLength(int cell)
{
    if (!shownLoops_) {
        shownLoops_ = std::make_unique<GameState>();
        shownLoops_->editMode = true;
        shownLoops_->board.fill(kEmpty);
        networkAnalysis(*shownLoops_);
    }
    GameState& shown = *shownLoops_;
    if (shown.board != s_.board) {
        shown.board = s_.board;
        networkAnalysis(shown);
    }
    const int loops = std::min<int>(shown.loopCount, kListSlots);
    for (int i = 0; i < loops; ++i) {
        const int n = std::min<int>(shown.loopLength[i], kListSlots);
        for (int k = 0; k < n; ++k) {
            if (shown.loopCells[i][k] == cell) {
                return shown.loopLength[i];
            }
        }
    }
    return 0;
}

void GameController::spinnerChanged(int value)
{
    if (s_.editMode && editor_ != nullptr) {
        editor_->spinnerChanged(value);
    }
}

void GameController::commentEdited(const std::string& text)
{
    if (s_.editMode && editor_ != nullptr) {
        editor_->commentEdited(text);
    }
}

} // namespace tavrin::game
