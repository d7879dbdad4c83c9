// The life of a game: starting and ending the free game, series play, and
// keeping the free game aside while the editor or a series uses the board.
#include "game/controller.h"

#include "engine/analysis.h"
#include "engine/goals.h"
#include "engine/scoring.h"
#include "game/flow_texts.h"
#include "game/item_layout.h"
#include "game/series_texts.h"

#include <algorithm>

namespace tavrin::game {

GameController::GameController(GameState& state, Window& window, RandomSource& random)
    : s_(state), w_(window), rnd_(random), themeGoal_(kDefaultThemeGoal),
      freeCaptions_{Text(kEcoPointsCaption), Text(kMovesLeftCaption), Text(kLoopPointsCaption), Text(kChainCaption)}
{
}

void GameController::setItemKindCount(int count) { itemKinds_ = std::clamp(count, 2, kMaxItems); }

void GameController::startTimer(Timer timer, int intervalMs)
{
    timers_[static_cast<std::size_t>(timer)] = true;
    w_.startTimer(timer, intervalMs);
}

void GameController::stopTimer(Timer timer)
{
    timers_[static_cast<std::size_t>(timer)] = false;
    w_.stopTimer(timer);
}

void GameController::showScoreLabels()
{
    w_.setScoreLabel(ScoreLabel::Eco, s_.labels.ecoPoints);
    w_.setScoreLabel(ScoreLabel::MovesLeft, s_.labels.movesLeft);
    w_.setScoreLabel(ScoreLabel::Loop, s_.labels.loopPoints);
    w_.setScoreLabel(ScoreLabel::Chain, s_.labels.chain);
}

void GameController::startUp() { startTimer(Timer::StartUp, kStartUpIntervalMs); }

void GameController::StartFreeGame() { StartFreeGame(drawItemLayout(itemKinds_, rnd_)); }

// What every free game begins with, a new one or one taken up again.
void GameController::clearForFreeGame()
{
    clearHint();
    // A move of the previous game may still be playing its sequence.
    stopTimer(Timer::Evaluation);
    stopTimer(Timer::AfterDiscard);
    f_.sequenceStep = 0;
    f_.reverseRun = false;
    f_.discardPending = false;
    f_.moveBusy = false;
    f_.quietRun = false;
    s_.modeSettingActive = false;
    if (scores_ != nullptr) {
        scores_->resetLastRank();
    }
    s_.puzzleCount = 0;
    s_.overrunState = 0;
}

void GameController::StartFreeGame(const ItemLayout& layout)
{
    // 1. Reset.
    clearForFreeGame();
    s_.maxMovesUsed = 0;
    s_.scoreChain = 0;
    s_.scoreLabelsDirty = 0;
    s_.cellItem.fill(-1);
    s_.loopLength.fill(0);
    s_.loopCount = 0;

    // 2. Score display.
    s_.labels = ScoreLabels{};
    showScoreLabels();
    w_.setScoreFrameVisible(ScoreLabel::MovesLeft, true);
    setFreeFrameCaption(ScoreLabel::MovesLeft, kMovesLeftCaption);

    // 3 - 5. Items.
    s_.itemCount = static_cast<std::int16_t>(std::clamp(layout.count, 0, kMaxItems));
    s_.itemCells.fill(0);
    for (int e = 0; e < layout.count && e < kMaxItems; ++e) {
        if (isCell(layout.cells[e])) {
            s_.itemCells[e] = layout.cells[e];
            s_.cellItem[layout.cells[e]] = layout.kinds[e];
        }
    }

    // 6. Board.
    s_.greenStamp.fill(-1);
    s_.board.fill(kEmpty);
    f_.freeGameActive = true;
    s_.movesUsed = 0;
    s_.loopPoints = 0;

    // 7. Discard window.
    f_.discardWindow.fill(-1);
    f_.offeredPiece = -1;

    // 8. First piece, music, goal text, full redraw.
    DealPiece();
    PlayFreeGameMusic();
    w_.setStatusText(themeGoal_);
    showNewBoard();
    refreshCommandStates();
    tell(FreeGameEvent::Started);
}

void GameController::tell(FreeGameEvent event)
{
    if (freeGameListener_) {
        freeGameListener_(event);
    }
}

void GameController::EndGame()
{
    const bool wasActive = f_.freeGameActive;
    if (s_.freeGame()) {
        w_.setStatusText(kPressF2Text);
        StopFreeGameMusic();
    } else {
        f_.savedStatusText = kPressF2Text;
        w_.setStatusText("");
    }
    f_.freeGameActive = false;
    refreshCommandStates();
    if (wasActive) {
        tell(FreeGameEvent::Over);
    }
}

// A free-game move still playing its sequence is finished at once before the
// board is handed to another activity, so that it never resumes half done.
void GameController::settlePendingMove()
{
    if (!s_.freeGame()) {
        return;
    }
    for (int guard = 0; guard < 8 && timerOn(Timer::Evaluation); ++guard) {
        EvaluateTurn();
    }
    if (timerOn(Timer::AfterDiscard)) {
        FinishDiscard();
    }
}

void GameController::SuspendFreeGame()
{
    settlePendingMove();
    clearHint();
    const int scratch = std::clamp<int>(s_.puzzleCount, 0, kPuzzleSlots - 1);
    s_.puzzles[scratch].cells.fill(kEmpty);
    for (int c = 0; c < kBoardSlots; ++c) {
        s_.boardSave[c] = s_.board[c];
        s_.cellItemSave[c] = s_.cellItem[c];
        s_.greenStampSave[c] = s_.greenStamp[c];
        s_.greenChangedSave[c] = s_.greenChanged[c];
        s_.greenStamp[c] = 0;
        s_.cellItem[c] = -1;
        s_.board[c] = c < kCellCount ? s_.puzzles[scratch].cells[c] : kEmpty;
    }
}

void GameController::ResumeFreeGame()
{
    for (int c = 0; c < kBoardSlots; ++c) {
        s_.board[c] = s_.boardSave[c];
        s_.cellItem[c] = s_.cellItemSave[c];
        s_.greenStamp[c] = s_.greenStampSave[c];
        s_.greenChanged[c] = s_.greenChangedSave[c];
        s_.greenStampSave[c] = 0;
        s_.boardSave[c] = kEmpty;
        s_.cellItemSave[c] = -1;
    }
}

// --- series play ----------------------------------------------------------------

void GameController::StartSeries(const std::string& playFilePath)
{
    settlePendingMove();
    f_.playFilePath = playFilePath;
    StopFreeGameMusic();
    PlaySeriesMusic();
    s_.puzzleSeries = true;
    w_.setCommandEnabled(Command::NewGame, false);
    w_.setCommandEnabled(Command::Open, false);
    w_.setCommandEnabled(Command::EditMode, false);
    if (!f_.launchedWithFile) {
        w_.setCommandCaption(Command::Exit, kInterruptCaption);
    }
    w_.setCommentVisible(true);
    w_.setCommentReadOnly(true);
    w_.setCommandChecked(Command::EcoMode, false);
    w_.setCommandEnabled(Command::EcoMode, false);
    w_.setSpinnerVisible(false);
    w_.setPanelVisible(Panel::FreeGame, false);
    w_.setPanelVisible(Panel::Palette, true);
    for (int e = 0; e < kPieceKinds; ++e) {
        drawPaletteEntry(e, false);
    }
    f_.seriesMisses = 0;
    SuspendFreeGame();
    showNewBoard();
    s_.puzzleIndex = -1;
    refreshCommandStates();
    NextPuzzle();
}

void GameController::NextPuzzle()
{
    s_.puzzleIndex = static_cast<std::int16_t>(s_.puzzleIndex + 1);
    if (s_.puzzleIndex >= s_.puzzleCount || s_.puzzleIndex >= kMaxPuzzles) {
        OfferAllShapes();
        EndSeries();
        if (f_.launchedWithFile) {
            // Nothing else of the game is on screen: the play-through ends
            // with its result and its entry, then the program as it was asked.
            w_.messageBox(seriesResultText(s_.puzzleCount, f_.seriesMisses), kProductTitle, Buttons::Ok,
                          Icon::Information);
            if (scores_ != nullptr) {
                scores_->enterSeriesHighScore(f_.seriesMisses, f_.playFilePath);
            }
            w_.quitProgram();
            return;
        }
        if (scores_ != nullptr) {
            scores_->enterSeriesHighScore(f_.seriesMisses, f_.playFilePath);
        }
        StopSeriesMusic();
        PlayFreeGameMusic();
        return;
    }
    Puzzle& p = s_.puzzles[s_.puzzleIndex];
    const std::string comment = trimComment(p.comment);
    const auto at = static_cast<std::size_t>(s_.puzzleIndex);
    if (at < f_.seriesComments.size()) {
        w_.setCommentText(f_.seriesComments[at]);
    } else {
        w_.setCommentText(comment);
    }
    p.comment = fitComment(comment);
    for (int c = 0; c < kCellCount; ++c) {
        s_.board[c] = p.cells[c];
    }
    showNewBoard();
    if (p.mode == kBigLoop) {
        OfferAllShapes();
        s_.analysisKind = 1;
        s_.loopTarget = networkAnalysis(s_);
        seriesBoardValue_ = s_.loopTarget;
        w_.setStatusText(kBigLoopStartText);
        w_.setCommandChecked(Command::BigLoop, true);
        w_.setCommandEnabled(Command::BigLoop, true);
        w_.setCommandChecked(Command::FullConnection, false);
        w_.setCommandEnabled(Command::FullConnection, false);
    } else if (p.mode == kFullConnection) {
        s_.analysisKind = 0;
        networkAnalysis(s_);
        seriesBoardValue_ = s_.groupCount;
        w_.setStatusText(kFullConnectionStartText);
        OfferRandomShape();
        w_.setCommandChecked(Command::FullConnection, true);
        w_.setCommandEnabled(Command::FullConnection, true);
        w_.setCommandChecked(Command::BigLoop, false);
        w_.setCommandEnabled(Command::BigLoop, false);
    }
    showSeriesFrames();
}

void GameController::showSeriesFrames()
{
    if (!s_.puzzleSeries || s_.puzzleIndex < 0 || s_.puzzleIndex >= kPuzzleSlots) {
        return;
    }
    const bool bigLoop = s_.puzzles[s_.puzzleIndex].mode == kBigLoop;
    w_.setScoreFrameCaption(ScoreLabel::Eco, kPuzzleNumberCaption);
    w_.setScoreLabel(ScoreLabel::Eco, std::to_string(s_.puzzleIndex + 1) + "/" + std::to_string(s_.puzzleCount));
    w_.setScoreFrameCaption(ScoreLabel::MovesLeft, kMissesCaption);
    w_.setScoreLabel(ScoreLabel::MovesLeft, std::to_string(f_.seriesMisses));
    w_.setScoreFrameCaption(ScoreLabel::Loop, bigLoop ? Text(kLoopPointsCaption) : Text(kGroupsCaption));
    w_.setScoreLabel(ScoreLabel::Loop, std::to_string(seriesBoardValue_));
    w_.setScoreFrameVisible(ScoreLabel::Chain, bigLoop);
    w_.setScoreFrameCaption(ScoreLabel::Chain, kLoopToBeatCaption);
    w_.setScoreLabel(ScoreLabel::Chain, bigLoop ? std::to_string(s_.loopTarget) : std::string());
}

void GameController::showFreeGameFrames()
{
    for (std::size_t i = 0; i < freeCaptions_.size(); ++i) {
        const auto label = static_cast<ScoreLabel>(i);
        w_.setScoreFrameCaption(label, freeCaptions_[i]);
        w_.setScoreFrameVisible(label, true);
    }
    showScoreLabels();
}

void GameController::setFreeFrameCaption(ScoreLabel label, const Text& caption)
{
    freeCaptions_[static_cast<std::size_t>(label)] = caption;
    w_.setScoreFrameCaption(label, caption);
}

void GameController::showNewBoard()
{
    w_.redrawAll();
    showLoopLength();
}

void GameController::EndSeries()
{
    // A pending evaluation or next-puzzle tick belongs to the series.
    stopTimer(Timer::Evaluation);
    stopTimer(Timer::StartUp);
    f_.sequenceStep = 0;
    f_.reverseRun = false;
    f_.quietRun = false;

    w_.setCommandChecked(Command::FullConnection, false);
    w_.setCommandChecked(Command::BigLoop, false);
    OfferAllShapes();
    w_.setPanelVisible(Panel::BoardToolbar, false);
    w_.setPanelVisible(Panel::Palette, false);
    w_.setPanelVisible(Panel::FreeGame, true);
    s_.puzzleSeries = false;
    f_.seriesComments.clear();
    ResumeFreeGame();
    showNewBoard();
    showFreeGameFrames();
    w_.setStatusText("");
    w_.setCommandEnabled(Command::EcoMode, true);
    w_.setCommandChecked(Command::EcoMode, true);
    w_.setCommandEnabled(Command::FullConnection, false);
    w_.setCommandEnabled(Command::BigLoop, false);
    w_.setCommentVisible(false);
    w_.setCommandEnabled(Command::NewGame, true);
    w_.setCommandEnabled(Command::Open, true);
    w_.setCommandEnabled(Command::EditMode, true);
    w_.setSpinnerVisible(true);
    w_.setCommandCaption(Command::Exit, kExitCaption);
    w_.setWindowCaption(kProductTitle);
    w_.setCommandEnabled(Command::ClearHighScores, scores_ != nullptr && scores_->hasHighScores());
    refreshCommandStates();
}

void GameController::drawPaletteEntry(int entry, bool plain)
{
    TileDraw t;
    t.target = TileTarget::PaletteEntry;
    t.index = entry;
    t.piece = entry;
    t.step = 3;
    t.plainLook = plain;
    w_.drawTile(t);
}

void GameController::refreshCommandStates()
{
    refreshHint();
    const bool playing = !s_.editMode && !s_.puzzleSeries;
    w_.setCommandEnabled(Command::FreshSeries, playing);
    w_.setCommandEnabled(Command::DailySeries, playing);
    // Another activity: another piece of music repeats.
    markLoopingMusic();
}

void GameController::OfferAllShapes()
{
    for (int e = 0; e < kPieceKinds; ++e) {
        paletteEnabled_[e] = true;
        w_.setPaletteEnabled(e, true);
        drawPaletteEntry(e, false);
    }
    paletteEnabled_[kEraser] = true;
    w_.setPaletteEnabled(kEraser, true);
    w_.setPaletteVisible(kEraser, true);
}

void GameController::OfferRandomShape()
{
    int shape = rnd_.Int(kPieceKinds);
    while (shape == s_.selectedShape) {
        shape = rnd_.Int(kPieceKinds);
    }
    s_.selectedShape = static_cast<std::int16_t>(shape);
    for (int e = 0; e < kPieceKinds; ++e) {
        const bool on = e == shape;
        w_.setPaletteBorder(e, on);
        paletteEnabled_[e] = on;
        w_.setPaletteEnabled(e, on);
        drawPaletteEntry(e, !on);
    }
    // Erasing the smaller group would join the rest without effort: a
    // full-connection puzzle offers no eraser.
    w_.setPaletteBorder(kEraser, false);
    paletteEnabled_[kEraser] = false;
    w_.setPaletteEnabled(kEraser, false);
}

// --- leaving the editor and the goal-setting guard ----------------------------------

bool GameController::leaveEditMode()
{
    if (!s_.editMode) {
        w_.setCommandChecked(Command::PlayMode, true);
        return true;
    }
    const bool saved = editor_ == nullptr || editor_->collectionSaved();
    if (!saved && w_.messageBox(kDiscardChangesQuestion, "", Buttons::YesNo, Icon::Question) != Answer::Yes) {
        w_.setCommandChecked(Command::EditMode, true);
        w_.setCommandChecked(Command::PlayMode, false);
        return false;
    }
    // An editor placement may still be playing its sequence.
    stopTimer(Timer::Evaluation);
    f_.sequenceStep = 0;
    f_.reverseRun = false;
    f_.quietRun = false;
    s_.modeSettingActive = false;

    ResumeFreeGame();
    w_.setPanelVisible(Panel::EditorOptions, false);
    w_.setCommentVisible(false);
    w_.setWindowCaption(kProductTitle);
    w_.setMenuEnabled(Menu::Edit, false);
    w_.setCommandChecked(Command::EcoMode, true);
    w_.setCommandEnabled(Command::EcoMode, true);
    w_.setCommandChecked(Command::FullConnection, false);
    w_.setCommandEnabled(Command::FullConnection, false);
    w_.setCommandChecked(Command::BigLoop, false);
    w_.setCommandEnabled(Command::BigLoop, false);
    w_.setCommandChecked(Command::EditMode, false);
    w_.setCommandChecked(Command::PlayMode, true);
    for (const Command c : {Command::Cut, Command::Copy, Command::Paste, Command::Delete, Command::Save, Command::Undo,
                            Command::SaveAs}) {
        w_.setCommandEnabled(c, false);
    }
    w_.setCommandCaption(Command::Exit, kExitCaption);
    w_.setCommandToolTip(Command::NewGame, kNewGameToolTip);
    w_.setCommandCaption(Command::NewGame, kNewGameCaption);
    w_.setCommandImage(Command::NewGame, kNewGameImage);
    PlayFreeGameMusic();
    w_.setPanelVisible(Panel::FreeGame, true);
    w_.setPanelVisible(Panel::Palette, false);
    w_.setPanelVisible(Panel::BoardToolbar, false);
    for (int e = 0; e < kPieceKinds; ++e) {
        drawPaletteEntry(e, false);
    }
    w_.setCommandVisible(Command::GameSeparator, true);

    f_.offeredPiece = f_.offeredPieceSave;
    f_.offeredPieceSave = -1;
    s_.movesUsed = f_.movesUsedSave;
    s_.editMode = false;
    w_.setCommandEnabled(Command::NewGame, true);
    w_.setStatusText(f_.savedStatusText);
    showNewBoard();
    return true;
}

std::int16_t GameController::passGoalSettingGuard()
{
    if (!s_.modeSettingActive) {
        return -1;
    }
    if (w_.messageBox(kGoalSettingQuestion, "", Buttons::YesNo, Icon::Question) == Answer::Yes) {
        s_.modeSettingActive = false;
        if (!w_.statusText().empty()) {
            w_.setStatusText("");
        }
        // The spinner was held while the goal was being set.
        w_.setSpinnerEnabled(true);
        return 1;
    }
    if (s_.editMode) {
        w_.setCommandChecked(Command::PlayMode, false);
        w_.setCommandChecked(Command::EditMode, true);
    }
    if (editor_ != nullptr) {
        editor_->showGameMode();
    }
    return 0;
}

// --- mode commands ------------------------------------------------------------------

void GameController::ecoModeCommand() { w_.setCommandChecked(Command::EcoMode, !s_.editMode); }

void GameController::fullConnectionCommand()
{
    if (s_.editMode) {
        if (editor_ != nullptr) {
            editor_->fullConnectionGoalCommand();
        }
        return;
    }
    w_.setCommandChecked(Command::FullConnection, s_.puzzleSeries);
}

void GameController::bigLoopCommand()
{
    if (s_.editMode) {
        if (editor_ != nullptr) {
            editor_->bigLoopGoalCommand();
        }
        return;
    }
    w_.setCommandChecked(Command::BigLoop, s_.puzzleSeries);
}

} // namespace tavrin::game
