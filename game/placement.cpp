// Mouse actions on the board, the trash and the palette.
#include "game/controller.h"

#include "engine/analysis.h"
#include "engine/scoring.h"
#include "game/flow_texts.h"

#include <algorithm>

namespace tavrin::game {

void GameController::cellReleased(int cell)
{
    if (!isCell(cell) || timerOn(Timer::Evaluation)) {
        return;
    }
    if (free_.active() && s_.freeGame()) {
        placeFreeGame(cell);
    } else if (s_.editMode) {
        if (editor_ == nullptr) {
            return;
        }
        editor_->placeOnCell(cell, [this, cell](const EditPlacement& placed) { startEditPlacement(cell, placed); });
    } else if (s_.puzzleSeries) {
        placeSeries(cell);
    }
}

void GameController::placeFreeGame(int c)
{
    if (free_.busy()) {
        return;
    }
    const Placed placed = free_.place(c);
    ScreenModel& screen = out_.screen();
    if (placed.sameShape) {
        screen.setStatus(kSameShapeText);
        return;
    }
    if (!placed.accepted) {
        return;
    }
    clearHint();
    recordMove(static_cast<std::uint8_t>(c));
    f_.oldPiece = static_cast<std::int16_t>(placed.oldPiece);
    f_.lastCell = static_cast<std::int16_t>(c);
    f_.animNew = static_cast<std::int16_t>(placed.piece);
    f_.animOld = static_cast<std::int16_t>(placed.oldPiece);
    screen.setStatus("");
    showScoreLabels();
    if (!s_.noMovesReturned) {
        screen.setStatus(movesReturnedText(s_.movesReturned));
    }
    out_.startTimer(Timer::Evaluation, kEvaluationIntervalMs);
    if (placed.endsGame) {
        tell(FreeGameEvent::Ending);
    }
}

void GameController::placeSeries(int c)
{
    const SeriesMove move = series_.place(c);
    f_.oldPiece = static_cast<std::int16_t>(move.oldPiece);
    f_.scoreAfter = move.scoreAfter;
    f_.lastCell = static_cast<std::int16_t>(c);
    f_.animNew = static_cast<std::int16_t>(move.piece);
    f_.animOld = static_cast<std::int16_t>(move.oldPiece);
    lastSeriesMove_ = move;
    out_.startTimer(Timer::Evaluation, kEvaluationIntervalMs);
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
    out_.startTimer(Timer::Evaluation, kEvaluationIntervalMs);
}

void GameController::trashReleased()
{
    if (free_.busy() || !free_.active() || s_.editMode || s_.puzzleSeries) {
        return;
    }
    clearHint();
    const Discarded discarded = free_.discard();
    if (!discarded.accepted) {
        return;
    }
    recordMove(kDiscardMove);
    showScoreLabels();
    if (f_.trashSoundOpen) {
        out_.playSound(Sound::Trash);
    }
    out_.startTimer(Timer::AfterDiscard, kAfterDiscardIntervalMs);
    if (discarded.endsGame) {
        tell(FreeGameEvent::Ending);
    }
}

// The offered-piece panel shows the piece just dealt, and the trash what is
// left in it.
void GameController::showDeal(const Deal& deal)
{
    f_.lastCell = -1;
    f_.animNew = static_cast<std::int16_t>(deal.piece);
    f_.animOld = static_cast<std::int16_t>(deal.previous);
    TileDraw t;
    t.target = TileTarget::OfferedPiece;
    t.index = -1;
    t.piece = deal.piece;
    t.oldPiece = deal.previous;
    t.step = 3;
    out_.screen().drawTile(t);
    out_.screen().setTrash(free_.discardCount());
}

void GameController::palettePressed(int entry, int shiftState)
{
    if (entry < 0 || entry > kEraser || shiftState == 2) {
        return;
    }
    ScreenModel& screen = out_.screen();
    // In series play a full-connection puzzle offers one shape at a time and no eraser.
    if (s_.puzzleSeries && !screen.screen().palette[static_cast<std::size_t>(entry)].enabled) {
        return;
    }
    if (!s_.puzzleSeries && !s_.modeSettingActive) {
        screen.setStatus("");
    }
    for (int e = 0; e <= kEraser; ++e) {
        screen.setPaletteSelected(e, e == entry);
    }
    s_.selectedShape = static_cast<std::int16_t>(entry);
    if (entry == kEraser && screen.screen().editorOption == EditorOption::Random) {
        screen.setEditorOption(EditorOption::Normal);
    }
}

void GameController::editorOptionClicked(EditorOption option)
{
    out_.screen().setEditorOption(option);
    if (option == EditorOption::Random && s_.editMode && editor_ != nullptr) {
        editor_->pickRandomShape();
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
        out_.screen().setLoopLength(kLoopLengthText.arg(shownLoopLength(f_.lastHoverCell)));
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
        // The spinner shows what the player chose until the editor says otherwise.
        out_.screen().setSpinnerValue(value);
        editor_->spinnerChanged(value);
    }
}

void GameController::commentEdited(const std::string& text)
{
    if (s_.editMode && editor_ != nullptr) {
        out_.screen().setComment(text);
        editor_->commentEdited(text);
    }
}

} // namespace tavrin::game
