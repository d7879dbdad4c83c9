// The life of a game: starting and ending the free game, series play, and
// keeping the free game aside while the editor or a series uses the board.
#include "game/controller.h"

#include "engine/analysis.h"
#include "engine/goals.h"
#include "engine/scoring.h"
#include "game/daily_game.h"
#include "game/flow_texts.h"
#include "game/item_layout.h"
#include "game/series_texts.h"

#include <algorithm>

namespace tavrin::game {

GameController::GameController(GameState& state, Output& output, RandomSource& random)
    : s_(state), out_(output), rnd_(random), supply_(random.state().seed), free_(state, supply_),
      series_(state, random),
      themeGoal_(kDefaultThemeGoal),
      freeCaptions_{Text(kEcoPointsCaption), Text(kMovesLeftCaption), Text(kLoopPointsCaption), Text(kChainCaption)}
{
}

GameController::~GameController() = default;

void GameController::setItemKindCount(int count) { itemKinds_ = std::clamp(count, 2, kMaxItems); }

void GameController::showScoreLabels()
{
    ScreenModel& screen = out_.screen();
    screen.setFrameValue(ScoreFrame::Eco, s_.labels.ecoPoints);
    screen.setFrameValue(ScoreFrame::MovesLeft, s_.labels.movesLeft);
    screen.setFrameValue(ScoreFrame::Loop, s_.labels.loopPoints);
    screen.setFrameValue(ScoreFrame::Chain, s_.labels.chain);
}

void GameController::startUp() { out_.startTimer(Timer::StartUp, kStartUpIntervalMs); }

void GameController::startFreeGame() { startFreeGameFromSeed(rnd_.drawSeed()); }

void GameController::startFreeGameFromSeed(std::uint64_t seed)
{
    supply_.reseed(seed);
    GameRecord record;
    record.seed = seed;
    record.itemKinds = itemKinds_;
    beginFreeGame(drawItemLayout(itemKinds_, supply_), std::move(record));
}

void GameController::startDailyGame(const ScoreDate& date)
{
    GameRecord daily = dailyGame(date);
    supply_.reseed(daily.seed);
    beginFreeGame(drawItemLayout(daily.itemKinds, supply_), std::move(daily));
    out_.screen().setStatus(kDailyGameStatus.arg(Text(isoDate(date))).arg(themeGoal_));
}

void GameController::offerPieceOutOfTurn(int piece)
{
    record_.reset();
    free_.setOfferedPiece(piece);
}

void GameController::recordMove(std::uint8_t move)
{
    if (record_ && record_->moves.size() < kMaxRecordMoves) {
        record_->moves.push_back(move);
    } else {
        record_.reset();
    }
}

// What every free game begins with, a new one or one taken up again.
void GameController::clearForFreeGame()
{
    clearHint();
    // A move of the previous game may still be playing its sequence.
    out_.stopTimer(Timer::Evaluation);
    out_.stopTimer(Timer::AfterDiscard);
    f_.sequenceStep = 0;
    f_.reverseRun = false;
    f_.quietRun = false;
    s_.modeSettingActive = false;
    if (scores_ != nullptr) {
        scores_->resetLastRank();
    }
}

void GameController::startFreeGame(const ItemLayout& layout) { beginFreeGame(layout, std::nullopt); }

void GameController::beginFreeGame(const ItemLayout& layout, std::optional<GameRecord> record)
{
    clearForFreeGame();
    record_ = std::move(record);
    recordFinished_ = false;
    const Deal deal = free_.start(layout);
    showScoreLabels();
    out_.screen().setFrameVisible(ScoreFrame::MovesLeft, true);
    setFreeFrameCaption(ScoreFrame::MovesLeft, kMovesLeftCaption);
    showDeal(deal);
    showFreeGameStart();
    tell(FreeGameEvent::Started);
}

// The music, the goal text and the whole board of a game that starts or is taken up.
void GameController::showFreeGameStart()
{
    playFreeGameMusic();
    out_.screen().setStatus(themeGoal_);
    showNewBoard();
    refreshCommandStates();
}

void GameController::tell(FreeGameEvent event)
{
    if (freeGameListener_) {
        freeGameListener_(event);
    }
}

void GameController::endGame()
{
    const bool wasActive = free_.active();
    if (s_.freeGame()) {
        out_.screen().setStatus(kPressF2Text);
        stopFreeGameMusic();
    } else {
        f_.savedStatusText = kPressF2Text;
        out_.screen().setStatus("");
    }
    free_.end();
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
        evaluateTurn();
    }
    if (timerOn(Timer::AfterDiscard)) {
        finishDiscard();
    }
}

void GameController::suspendFreeGame()
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

void GameController::resumeFreeGame()
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

void GameController::startSeries(const std::string& playFilePath)
{
    settlePendingMove();
    f_.playFilePath = playFilePath;
    stopFreeGameMusic();
    playSeriesMusic();
    s_.puzzleSeries = true;
    ScreenModel& screen = out_.screen();
    screen.setCommandEnabled(Command::NewGame, false);
    screen.setCommandEnabled(Command::Open, false);
    screen.setCommandEnabled(Command::EditMode, false);
    if (!f_.launchedWithFile) {
        screen.setCommandCaption(Command::Exit, kInterruptCaption);
    }
    screen.setCommentVisible(true);
    screen.setCommentReadOnly(true);
    screen.setCommandChecked(Command::EcoMode, false);
    screen.setCommandEnabled(Command::EcoMode, false);
    screen.setSpinnerVisible(false);
    screen.setPanelVisible(Panel::FreeGame, false);
    screen.setPanelVisible(Panel::Palette, true);
    for (int e = 0; e < kPieceKinds; ++e) {
        drawPaletteEntry(e, false);
    }
    suspendFreeGame();
    showNewBoard();
    series_.start();
    refreshCommandStates();
    nextPuzzle();
}

void GameController::nextPuzzle()
{
    if (!series_.nextPuzzle()) {
        finishSeries();
        return;
    }
    ScreenModel& screen = out_.screen();
    const Puzzle& p = s_.puzzles[s_.puzzleIndex];
    const auto at = static_cast<std::size_t>(s_.puzzleIndex);
    screen.setComment(at < f_.seriesComments.size() ? f_.seriesComments[at] : Text(trimComment(p.comment)));
    showNewBoard();
    const bool bigLoop = p.mode == kBigLoop;
    if (bigLoop) {
        offerAllShapes();
        screen.setStatus(kBigLoopStartText);
    } else if (p.mode == kFullConnection) {
        screen.setStatus(kFullConnectionStartText);
        offerRandomShape();
    }
    if (bigLoop || p.mode == kFullConnection) {
        screen.setCommandChecked(Command::BigLoop, bigLoop);
        screen.setCommandEnabled(Command::BigLoop, bigLoop);
        screen.setCommandChecked(Command::FullConnection, !bigLoop);
        screen.setCommandEnabled(Command::FullConnection, !bigLoop);
    }
    showSeriesFrames();
}

// The last puzzle was cleared: the series' result and its high-score entry.
void GameController::finishSeries()
{
    offerAllShapes();
    const std::int16_t misses = static_cast<std::int16_t>(series_.misses());
    if (f_.launchedWithFile) {
        // Nothing else of the game is on screen: the play-through ends with
        // its result and its entry, then the program as it was asked. The
        // series stays on screen behind the boxes.
        out_.ask(Box::message(seriesResultText(s_.puzzleCount, misses), std::string(kProductTitle), Buttons::Ok,
                              Icon::Information),
                 [this, misses](const BoxAnswer&) {
                     auto quit = [this] { out_.act(Action::Quit); };
                     if (scores_ != nullptr) {
                         scores_->enterSeriesHighScore(misses, f_.playFilePath, quit);
                     } else {
                         quit();
                     }
                 });
        return;
    }
    endSeries();
    auto back = [this] {
        stopSeriesMusic();
        playFreeGameMusic();
    };
    if (scores_ != nullptr) {
        scores_->enterSeriesHighScore(misses, f_.playFilePath, back);
    } else {
        back();
    }
}

void GameController::showSeriesFrames()
{
    if (!s_.puzzleSeries || s_.puzzleIndex < 0 || s_.puzzleIndex >= kPuzzleSlots) {
        return;
    }
    ScreenModel& screen = out_.screen();
    const bool bigLoop = series_.mode() == kBigLoop;
    screen.setFrameCaption(ScoreFrame::Eco, kPuzzleNumberCaption);
    screen.setFrameValue(ScoreFrame::Eco, std::to_string(s_.puzzleIndex + 1) + "/" + std::to_string(s_.puzzleCount));
    screen.setFrameCaption(ScoreFrame::MovesLeft, kMissesCaption);
    screen.setFrameValue(ScoreFrame::MovesLeft, std::to_string(series_.misses()));
    screen.setFrameCaption(ScoreFrame::Loop, bigLoop ? Text(kLoopPointsCaption) : Text(kGroupsCaption));
    screen.setFrameValue(ScoreFrame::Loop, std::to_string(series_.boardValue()));
    screen.setFrameVisible(ScoreFrame::Chain, bigLoop);
    screen.setFrameCaption(ScoreFrame::Chain, kLoopToBeatCaption);
    screen.setFrameValue(ScoreFrame::Chain, bigLoop ? std::to_string(s_.loopTarget) : std::string());
}

void GameController::showFreeGameFrames()
{
    for (std::size_t i = 0; i < freeCaptions_.size(); ++i) {
        const auto frame = static_cast<ScoreFrame>(i);
        out_.screen().setFrameCaption(frame, freeCaptions_[i]);
        out_.screen().setFrameVisible(frame, true);
    }
    showScoreLabels();
}

void GameController::setFreeFrameCaption(ScoreFrame frame, const Text& caption)
{
    freeCaptions_[static_cast<std::size_t>(frame)] = caption;
    out_.screen().setFrameCaption(frame, caption);
}

void GameController::showNewBoard()
{
    out_.screen().redrawAll(free_.offeredPiece());
    showLoopLength();
}

void GameController::endSeries()
{
    // A pending evaluation or next-puzzle tick belongs to the series.
    out_.stopTimer(Timer::Evaluation);
    out_.stopTimer(Timer::StartUp);
    f_.sequenceStep = 0;
    f_.reverseRun = false;
    f_.quietRun = false;

    ScreenModel& screen = out_.screen();
    screen.setCommandChecked(Command::FullConnection, false);
    screen.setCommandChecked(Command::BigLoop, false);
    offerAllShapes();
    screen.setPanelVisible(Panel::BoardToolbar, false);
    screen.setPanelVisible(Panel::Palette, false);
    screen.setPanelVisible(Panel::FreeGame, true);
    s_.puzzleSeries = false;
    f_.seriesComments.clear();
    resumeFreeGame();
    showNewBoard();
    showFreeGameFrames();
    screen.setStatus("");
    screen.setCommandEnabled(Command::EcoMode, true);
    screen.setCommandChecked(Command::EcoMode, true);
    screen.setCommandEnabled(Command::FullConnection, false);
    screen.setCommandEnabled(Command::BigLoop, false);
    screen.setCommentVisible(false);
    screen.setCommandEnabled(Command::NewGame, true);
    screen.setCommandEnabled(Command::Open, true);
    screen.setCommandEnabled(Command::EditMode, true);
    screen.setSpinnerVisible(true);
    screen.setCommandCaption(Command::Exit, kExitCaption);
    screen.setCaption(std::string(kProductTitle));
    screen.setCommandEnabled(Command::ClearHighScores, scores_ != nullptr && scores_->hasHighScores());
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
    out_.screen().drawTile(t);
}

void GameController::refreshCommandStates()
{
    refreshHint();
    const bool playing = !s_.editMode && !s_.puzzleSeries;
    // The daily game has the bundled picture's three item kinds: a picture of fewer cannot show it.
    out_.screen().setCommandEnabled(Command::DailyGame, playing && itemKinds_ >= kDailyGameItemKinds);
    out_.screen().setCommandEnabled(Command::FreshSeries, playing);
    out_.screen().setCommandEnabled(Command::DailySeries, playing);
    // Another activity: another piece of music repeats.
    markLoopingMusic();
}

void GameController::offerAllShapes()
{
    ScreenModel& screen = out_.screen();
    for (int e = 0; e < kPieceKinds; ++e) {
        screen.setPaletteEnabled(e, true);
        drawPaletteEntry(e, false);
    }
    screen.setPaletteEnabled(kEraser, true);
    screen.setPaletteVisible(kEraser, true);
}

void GameController::offerRandomShape()
{
    const int shape = series_.drawShape();
    ScreenModel& screen = out_.screen();
    for (int e = 0; e < kPieceKinds; ++e) {
        const bool on = e == shape;
        screen.setPaletteSelected(e, on);
        screen.setPaletteEnabled(e, on);
        drawPaletteEntry(e, !on);
    }
    // Erasing the smaller group would join the rest without effort: a
    // full-connection puzzle offers no eraser.
    screen.setPaletteSelected(kEraser, false);
    screen.setPaletteEnabled(kEraser, false);
}

} // namespace tavrin::game
