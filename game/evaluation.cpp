// The placement sequence and the judgement of a move; the end of a free game.
#include "game/controller.h"

#include "engine/analysis.h"
#include "engine/goals.h"
#include "engine/scoring.h"
#include "game/flow_texts.h"

namespace tavrin::game {

Text GameController::resultText(int eco, long loop, int bonus, int total)
{
    return goalReachedText(eco, loop, bonus, total);
}

void GameController::timerTick(Timer timer)
{
    switch (timer) {
    case Timer::Evaluation:
        if (timerOn(Timer::Evaluation)) {
            EvaluateTurn();
        }
        break;
    case Timer::AfterDiscard:
        FinishDiscard();
        break;
    case Timer::StartUp:
        stopTimer(Timer::StartUp);
        if (s_.puzzleSeries) {
            NextPuzzle();
        } else if (startUpAction_) {
            startUpAction_();
        } else {
            StartFreeGame();
        }
        break;
    case Timer::MusicLoop:
        LoopMusic();
        break;
    }
}

void GameController::EvaluateTurn()
{
    const bool onBoard = isCell(f_.lastCell);

    // 1. Sound on the first frame.
    if (f_.sequenceStep == 0 && onBoard) {
        if (s_.noMovesReturned) {
            if (!f_.quietRun && f_.soundOn && w_.mediaCanPlay(Device::Click)) {
                PlaySound(Device::Click);
            }
        } else if (f_.soundOn && w_.mediaCanPlay(Device::Jingle)) {
            PlaySound(Device::Jingle);
        }
    }

    // 2. One frame of the dissolve; frame 3 is the final picture.
    TileDraw frame;
    frame.target = onBoard ? TileTarget::BoardCell : TileTarget::OfferedPiece;
    frame.index = onBoard ? f_.lastCell : -1;
    frame.piece = f_.animNew;
    frame.oldPiece = f_.animOld;
    frame.step = onBoard ? f_.sequenceStep : 3;
    frame.withItem = onBoard;
    frame.present = true;
    w_.drawTile(frame);

    // 3.
    f_.sequenceStep = static_cast<std::int16_t>(f_.sequenceStep + 1);
    if (f_.sequenceStep <= 3) {
        return;
    }

    // 4. Cells whose green state changed.
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
                t.present = true;
                w_.drawTile(t);
            }
        }
        f_.hoverRefresh = true;
        if (!s_.noMovesReturned) {
            w_.setStatusText("");
        }
    }

    // 5.
    stopTimer(Timer::Evaluation);
    // The pointer may rest on a loop the move closed or broke.
    showLoopLength();

    // 6 - 8.
    if (s_.editMode) {
        evaluateEditor();
    } else if (s_.puzzleSeries) {
        evaluateSeries();
    } else if (onBoard) {
        evaluateFreeGame();
    }

    // 9. A take-back started above runs its own sequence from frame 0.
    f_.sequenceStep = 0;
}

void GameController::evaluateEditor()
{
    f_.quietRun = false;
    if (w_.editorOption() == EditorOption::Random && s_.selectedShape != kEraser && editor_ != nullptr) {
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
        w_.setStatusText(showLoopTarget(s_));
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
    const GameMode mode = s_.puzzles[s_.puzzleIndex].mode;
    if (mode == kFullConnection) {
        seriesBoardValue_ = f_.groupsAfter;
        if (!fullConnectionReached(f_.groupsAfter)) {
            f_.seriesMisses = static_cast<std::int16_t>(f_.seriesMisses + 1);
            OfferRandomShape();
            w_.setStatusText(fullConnectionMissText(f_.groupsAfter));
        } else {
            w_.setStatusText(kClearedText);
            startTimer(Timer::StartUp, kStartUpIntervalMs);
        }
    } else if (mode == kBigLoop) {
        // A miss is taken back: the board keeps the points it had.
        seriesBoardValue_ = bigLoopReached(f_.scoreAfter, s_.loopTarget) ? f_.scoreAfter : f_.scoreBefore;
        if (!bigLoopReached(f_.scoreAfter, s_.loopTarget)) {
            f_.seriesMisses = static_cast<std::int16_t>(f_.seriesMisses + 1);
            w_.setStatusText(bigLoopMissText(f_.scoreBefore));
            takeBack();
        } else {
            w_.setStatusText(kClearedText);
            startTimer(Timer::StartUp, kStartUpIntervalMs);
        }
    }
    showSeriesFrames();
}

void GameController::evaluateFreeGame()
{
    switch (f_.turnResult) {
    case TurnResult::kPlayOn:
        DealPiece();
        refreshScoreLabels(s_, true);
        showScoreLabels();
        f_.moveBusy = false;
        tell(FreeGameEvent::MoveDone);
        break;
    case TurnResult::kGoalReached: {
        w_.clearOfferedPiece();
        const std::int16_t total = pointTotal(s_);
        setFreeFrameCaption(ScoreLabel::MovesLeft, kTotalCaption);
        s_.labels.movesLeft = std::to_string(total);
        if (s_.scoreLabelsDirty > 0) {
            refreshScoreLabels(s_, false);
        }
        showScoreLabels();
        w_.messageBox(goalReachedText(ecoPoints(s_), s_.loopPoints, ecoBonus(s_), total), kProductTitle,
                      Buttons::Ok, Icon::Information);
        if (scores_ != nullptr) {
            scores_->enterFreeHighScore(total, s_.itemCount);
        }
        EndGame();
        break;
    }
    case TurnResult::kNoMovesLeft:
        TimeUp();
        break;
    case TurnResult::kFullNotGreen:
        // The board is full and forms one group, yet some cells are not green.
        // Play goes on while moves are left; with none left the game is over.
        if (kMoveLimit - s_.movesUsed > 0) {
            DealPiece();
            refreshScoreLabels(s_, true);
            showScoreLabels();
            f_.moveBusy = false;
            tell(FreeGameEvent::MoveDone);
        } else {
            TimeUp();
        }
        break;
    default:
        break;
    }
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
        const int p = w_.spinnerValue();
        if (p >= 0 && p < kPuzzleSlots) {
            s_.puzzles[p].cells[f_.lastCell] = f_.oldPiece;
        }
    }
    f_.animNew = f_.oldPiece;
    f_.animOld = placed;
    f_.quietRun = true;
    f_.reverseRun = true;
    startTimer(Timer::Evaluation, kEvaluationIntervalMs);
}

void GameController::FinishDiscard()
{
    stopTimer(Timer::AfterDiscard);
    // Only a discard of a running free game is finished here.
    if (!f_.discardPending) {
        return;
    }
    f_.discardPending = false;
    if (kMoveLimit - s_.movesUsed > 0) {
        DealPiece();
        refreshScoreLabels(s_, true);
        showScoreLabels();
        f_.moveBusy = false;
        tell(FreeGameEvent::MoveDone);
    } else {
        refreshScoreLabels(s_, true);
        showScoreLabels();
        w_.messageBox(discardTimeUpText(), "", Buttons::Ok, Icon::Information);
        // Over like a game whose last move was a placement: the F2 hint, no music.
        EndGame();
    }
}

void GameController::TimeUp()
{
    refreshScoreLabels(s_, true);
    showScoreLabels();
    w_.messageBox(placementTimeUpText(), "", Buttons::Ok, Icon::None);
    EndGame();
}

} // namespace tavrin::game
