// The placement sequence and the judgement of a move; the end of a free game.
#include "game/controller.h"

#include "engine/analysis.h"
#include "engine/goals.h"
#include "engine/scoring.h"
#include "game/flow_texts.h"

namespace tavrin::game {

void GameController::timerTick(Timer timer)
{
    switch (timer) {
    case Timer::Evaluation:
        if (timerOn(Timer::Evaluation)) {
            evaluateTurn();
        }
        break;
    case Timer::AfterDiscard: finishDiscard(); break;
    case Timer::StartUp:
        out_.stopTimer(Timer::StartUp);
        if (s_.puzzleSeries) {
            nextPuzzle();
        } else if (startUpAction_) {
            startUpAction_();
        } else {
            startFreeGame();
        }
        break;
    }
}

// One frame of the dissolve, with the click or the jingle on the first.
void GameController::drawSequenceFrame(bool onBoard)
{
    if (f_.sequenceStep == 0 && onBoard) {
        if (s_.noMovesReturned) {
            if (!f_.quietRun && f_.soundOn) {
                out_.playSound(Sound::Click);
            }
        } else if (f_.soundOn) {
            out_.playSound(Sound::Jingle);
        }
    }
    TileDraw frame;
    frame.target = onBoard ? TileTarget::BoardCell : TileTarget::OfferedPiece;
    frame.index = onBoard ? f_.lastCell : -1;
    frame.piece = f_.animNew;
    frame.oldPiece = f_.animOld;
    frame.step = onBoard ? f_.sequenceStep : 3;
    frame.withItem = onBoard;
    out_.screen().drawTile(frame);
}

void GameController::evaluateTurn()
{
    const bool onBoard = isCell(f_.lastCell);
    drawSequenceFrame(onBoard);
    f_.sequenceStep = static_cast<std::int16_t>(f_.sequenceStep + 1);
    if (f_.sequenceStep <= 3) {
        return;
    }

    // The cells whose green state changed.
    if (s_.freeGame()) {
        for (int c = 0; c < kCellCount; ++c) {
            if (c != f_.lastCell && s_.greenChanged[c]) {
                TileDraw t;
                t.target = TileTarget::BoardCell;
                t.index = c;
                t.piece = s_.board[c];
                t.oldPiece = -1;
                t.step = 3;
                t.withItem = true;
                out_.screen().drawTile(t);
            }
        }
        f_.hoverRefresh = true;
        if (!s_.noMovesReturned) {
            out_.screen().setStatus("");
        }
    }

    out_.stopTimer(Timer::Evaluation);
    // The pointer may rest on a loop the move closed or broke.
    showLoopLength();

    if (s_.editMode) {
        evaluateEditor();
    } else if (s_.puzzleSeries) {
        evaluateSeries();
    } else if (onBoard) {
        evaluateFreeGame();
    }

    // A take-back started above runs its own sequence from frame 0.
    f_.sequenceStep = 0;
}

void GameController::evaluateEditor()
{
    f_.quietRun = false;
    if (out_.shown().editorOption == EditorOption::Random && s_.selectedShape != kEraser && editor_ != nullptr) {
        editor_->pickRandomShape();
    }
    if (f_.reverseRun) {
        f_.reverseRun = false;
        return;
    }
    if (!s_.modeSettingActive) {
        return;
    }
    if (bigLoopSettingDone(f_.scoreAfter, s_.loopTarget)) {
        s_.modeSettingActive = false;
        if (editor_ != nullptr) {
            editor_->bigLoopSettingCompleted();
        }
    } else {
        out_.screen().setStatus(showLoopTarget(s_));
        takeBack();
    }
}

void GameController::evaluateSeries()
{
    if (f_.reverseRun) {
        f_.quietRun = false;
        f_.reverseRun = false;
        return;
    }
    if (s_.puzzleIndex < 0 || s_.puzzleIndex >= kPuzzleSlots) {
        return;
    }
    const SeriesMove& move = lastSeriesMove_;
    switch (series_.judge(move)) {
    case Judgement::Missed:
        offerRandomShape();
        out_.screen().setStatus(fullConnectionMissText(move.groupsAfter));
        break;
    case Judgement::MissTakenBack:
        out_.screen().setStatus(bigLoopMissText(move.scoreBefore));
        takeBack();
        break;
    case Judgement::Cleared:
        out_.screen().setStatus(kClearedText);
        out_.startTimer(Timer::StartUp, kStartUpIntervalMs);
        break;
    }
    showSeriesFrames();
}

void GameController::evaluateFreeGame()
{
    switch (free_.finishPlacement()) {
    case MoveEnd::Dealt: moveDone(); break;
    case MoveEnd::GoalReached: goalReached(); break;
    case MoveEnd::TimeUp: timeUp(placementTimeUpText(), Icon::None); break;
    }
}

// A move played out and the next piece is offered.
void GameController::moveDone()
{
    showDeal(free_.lastDeal());
    showScoreLabels();
    tell(FreeGameEvent::MoveDone);
}

void GameController::goalReached()
{
    recordFinished_ = true;
    clearOfferedPiece();
    const std::int16_t total = pointTotal(s_);
    setFreeFrameCaption(ScoreFrame::MovesLeft, kTotalCaption);
    showScoreLabels();
    const int items = s_.itemCount;
    out_.ask(Box::message(goalReachedText(ecoPoints(s_), s_.loopPoints, ecoBonus(s_), total),
                          std::string(kProductTitle), Buttons::Ok, Icon::Information),
             [this, total, items](const BoxAnswer&) {
                 if (scores_ != nullptr) {
                     scores_->enterFreeHighScore(total, items, [this] { endGame(); });
                 } else {
                     endGame();
                 }
             });
}

// No moves are left: the result box, then the game is over like one whose
// goal was reached (the F2 hint, no music). The offered piece goes with it.
void GameController::timeUp(const Text& message, Icon icon)
{
    clearOfferedPiece();
    showScoreLabels();
    out_.ask(Box::message(message, "", Buttons::Ok, icon), [this](const BoxAnswer&) { endGame(); });
}

// A game that is over offers no piece, now or when the board is drawn again.
void GameController::clearOfferedPiece()
{
    free_.setOfferedPiece(-1);
    out_.screen().clearOfferedPiece();
}

void GameController::takeBack()
{
    if (!isCell(f_.lastCell)) {
        return;
    }
    const std::int16_t placed = s_.board[f_.lastCell];
    s_.board[f_.lastCell] = f_.oldPiece;
    // In the editor the puzzle holds the same cell as the board.
    if (s_.editMode) {
        const int p = out_.shown().spinner.value;
        if (p >= 0 && p < kPuzzleSlots) {
            s_.puzzles[p].cells[f_.lastCell] = f_.oldPiece;
        }
    }
    f_.animNew = f_.oldPiece;
    f_.animOld = placed;
    f_.quietRun = true;
    f_.reverseRun = true;
    out_.startTimer(Timer::Evaluation, kEvaluationIntervalMs);
}

void GameController::finishDiscard()
{
    out_.stopTimer(Timer::AfterDiscard);
    // Only a discard of a running free game is finished here.
    const std::optional<MoveEnd> end = free_.finishDiscard();
    if (!end) {
        return;
    }
    if (*end == MoveEnd::Dealt) {
        moveDone();
    } else {
        timeUp(discardTimeUpText(), Icon::Information);
    }
}

} // namespace tavrin::game
