// The game controller: shows the free game and series play, runs the
// placement sequence on the game's timers, plays sound and music and
// dispatches the commands. The rules themselves are FreeGame's and
// SeriesPlay's; everything shown goes to the screen model in Output.
#pragma once

#include "engine/game_state.h"
#include "game/box.h"
#include "game/command.h"
#include "game/edit_port.h"
#include "game/free_game.h"
#include "game/game_record.h"
#include "game/item_layout.h"
#include "game/output.h"
#include "game/random.h"
#include "game/score_keeper.h"
#include "game/series_play.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {
class SettingsStore;
}

namespace tavrin::game {

struct SavedGame;
enum class SavedGameProblem;

// What happened to the free game, for whoever keeps it across runs.
enum class FreeGameEvent {
    Started,  // a new game is on the board
    MoveDone, // a move has been played out and the next piece dealt
    Ending,   // a move that ends the game was accepted; its boxes are still to come
    Over,     // the goal was reached or the moves ran out
};

// What the controller shows beside the rules' own state. Public so that the
// editor and tests can read it; only the controller and the editor write it.
struct FlowState {
    bool launchedWithFile = false;
    std::string playFilePath;
    // Shown in the comment box instead of the puzzles' own comments (the
    // series the game makes, whose comments only live in memory); empty for a file.
    std::vector<Text> seriesComments;

    // Kept while the editor is open.
    std::int16_t offeredPieceSave = -1;
    std::int16_t movesUsedSave = 0;
    Text savedStatusText;

    // The placement sequence: the dissolve of the piece laid, then the judgement.
    bool quietRun = false;
    bool reverseRun = false;
    std::int16_t lastCell = -1;
    std::int16_t animNew = -1;
    std::int16_t animOld = -1;
    std::int16_t oldPiece = -1;
    std::int16_t scoreAfter = 0;
    std::int16_t sequenceStep = 0;

    std::int16_t lastHoverCell = -1;
    bool hoverRefresh = false;

    bool soundOn = true; // the checked state of "音あり(&E)"
    // The discard sound is silent only after sound was switched off from the menu.
    bool trashSoundOpen = true;

    // The cell the hint marks until the next move, or -1.
    std::int16_t hintCell = -1;
};

class GameController {
public:
    GameController(GameState& state, Output& output, RandomSource& random);
    ~GameController();

    GameState& state() { return s_; }
    const GameState& state() const { return s_; }
    FlowState& flow() { return f_; }
    const FlowState& flow() const { return f_; }
    Output& output() { return out_; }
    ScreenModel& screen() { return out_.screen(); }
    RandomSource& random() { return rnd_; }
    const RandomSource& random() const { return rnd_; }
    // The free game's own source: its items and every piece it deals. A
    // game's seed and its moves replay it exactly.
    RandomSource& supply() { return supply_; }
    const RandomSource& supply() const { return supply_; }
    FreeGame& freeGame() { return free_; }
    const FreeGame& freeGame() const { return free_; }
    SeriesPlay& series() { return series_; }
    const SeriesPlay& series() const { return series_; }

    // --- wiring ----------------------------------------------------------------
    void attachEditor(EditPort* editor) { editor_ = editor; }
    void attachScoreKeeper(ScoreKeeper* keeper) { scores_ = keeper; }
    // Where the sound switch is remembered ("Options" / "PointMode").
    void attachSettings(SettingsStore* settings) { settings_ = settings; }
    // What the start-up timer does outside series play (default: startFreeGame).
    void setStartUpAction(std::function<void()> action) { startUpAction_ = std::move(action); }
    // The commands the session runs itself (files, high scores, the series it
    // makes) once the guard let them through.
    void setSessionCommands(std::function<void(Command)> run) { sessionCommand_ = std::move(run); }
    // Number of item kinds of the current item picture (2 .. 5).
    void setItemKindCount(int count);
    int itemKindCount() const { return itemKinds_; }
    // The eco theme's goal text, shown when a free game starts.
    void setThemeGoal(const Text& goal) { themeGoal_ = goal; }
    const Text& themeGoal() const { return themeGoal_; }
    void setLaunchedWithFile(bool launched) { f_.launchedWithFile = launched; }
    // Told when a free game starts, after each of its moves and when it is over.
    void setFreeGameListener(std::function<void(FreeGameEvent)> listener) { freeGameListener_ = std::move(listener); }

    // --- start-up --------------------------------------------------------------
    // Sets the sound switch without side effects (checks the two menu items).
    void setSoundSwitch(bool on);
    // Arms the start-up timer.
    void startUp();

    // --- input -----------------------------------------------------------------
    void command(Command command, Source source = Source::Menu);
    void cellReleased(int cell);
    void cellHovered(int cell);
    // Mouse press on palette entry 0..11; `shiftState` 1 Shift, 2 Ctrl, 4 Alt, summed.
    void palettePressed(int entry, int shiftState);
    void trashReleased();
    void timerTick(Timer timer);
    void spinnerChanged(int value);
    void commentEdited(const std::string& text);
    void editorOptionClicked(EditorOption option);

    // --- the free game ---------------------------------------------------------
    // A new game on a seed drawn from the session's source.
    void startFreeGame();
    // A new game whose items and pieces come from `seed`.
    void startFreeGameFromSeed(std::uint64_t seed);
    // The items given instead of drawn; the pieces come from the supply as
    // it stands (replays and tests). Such a game keeps no record.
    void startFreeGame(const ItemLayout& layout);
    // 今日の一局: the free game of `date`, the same for every player.
    void startDailyGame(const ScoreDate& date);
    // The record of the free game on the board (its seed and its moves so
    // far), or nothing for a game that cannot be played again from one.
    const std::optional<GameRecord>& record() const { return record_; }
    // The record of the last game, when it ended at the goal.
    const GameRecord* finishedRecord() const { return recordFinished_ && record_ ? &*record_ : nullptr; }
    // A piece put in the supply's place (tests): the game keeps no record from now on.
    void offerPieceOutOfTurn(int piece);
    void endGame();
    void evaluateTurn();
    void finishDiscard();

    // --- a free game kept across runs (saved_game.cpp) -------------------------
    // True while a free game is on the board between two moves.
    bool freeGameAtRest() const;
    // Plays out a move still in its placement sequence or after-discard step,
    // unless the move ends the game; true when the free game is then at rest.
    bool settleBeforeSaving();
    // Takes up a saved game where it was left (its record too). A game that
    // is not valid, or whose item count differs from the item picture's
    // (the daily game's aside), changes nothing.
    SavedGameProblem continueFreeGame(const SavedGame& game);

    // --- series play -----------------------------------------------------------
    void startSeries(const std::string& playFilePath);
    void nextPuzzle();
    void endSeries();
    void offerAllShapes();
    void offerRandomShape();

    // --- around the editor -----------------------------------------------------
    void suspendFreeGame();
    void resumeFreeGame();
    // Leaves the editor; `then(false)` when the player chose to stay.
    void leaveEditMode(std::function<void(bool left)> then = {});
    // The guard before commands while a goal is being set: `then` runs with
    // -1 (no goal setting), 1 (the player abandoned it) or 0 (the player
    // chose to go on setting it: the command must not run).
    void passGoalSettingGuard(std::function<void(int go)> then);
    // Starts the placement sequence for an editor placement at `cell`.
    void startEditPlacement(int cell, const EditPlacement& placement);

    // --- mode commands ---------------------------------------------------------
    void ecoModeCommand();
    void fullConnectionCommand();
    void bigLoopCommand();

    // --- sound and music -------------------------------------------------------
    void playFreeGameMusic();
    void playSeriesMusic();
    void stopFreeGameMusic();
    void stopSeriesMusic();
    // The two sound items; false when the clicked item was already checked.
    bool soundSwitch(bool on);

    // --- the hint ----------------------------------------------------------------
    // Marks the cell where the offered piece scores most right now, and says
    // where in the status bar. Free game only, never while a move is busy;
    // the game itself is not changed.
    void showHint();
    // True while the hint can be asked for (an active free game on the board).
    bool hintAvailable() const;
    // Enables the hint command by hintAvailable(), removing a stale mark.
    void refreshHint();
    void clearHint();
    // After the editor or a series opened or closed: the hint, the series
    // the game makes, which only start from play mode, and which music repeats.
    void refreshCommandStates();

    // --- helpers ---------------------------------------------------------------
    // The score labels of the shared state into the frames.
    void showScoreLabels();
    // The score frames while a series runs: puzzle number and count, misses,
    // and the current loop points and the points to beat (big loop) or the
    // current number of groups (full connection).
    void showSeriesFrames();
    // The free game's frames back: their captions and values.
    void showFreeGameFrames();
    // Redraws the whole window after the board was replaced (another activity,
    // puzzle or board tool), the loop-length label included.
    void showNewBoard();
    // The loop-length label for the cell last hovered, on the board as shown.
    void showLoopLength();
    bool timerOn(Timer timer) const { return out_.timerOn(timer); }

private:
    void placeFreeGame(int cell);
    void placeSeries(int cell);
    void drawSequenceFrame(bool onBoard);
    void evaluateEditor();
    void evaluateSeries();
    void evaluateFreeGame();
    void showDeal(const Deal& deal);
    void goalReached();
    void timeUp(const Text& message, Icon icon);
    void clearOfferedPiece();
    void moveDone();
    void takeBack();
    void settlePendingMove();
    void drawPaletteEntry(int entry, bool plain);
    void markLoopingMusic();
    void dispatch(Command command);
    void closeEditor();
    void exitCommand();
    void finishSeries();
    void playMusic(Music piece);
    void tell(FreeGameEvent event);
    void clearForFreeGame();
    void beginFreeGame(const ItemLayout& layout, std::optional<GameRecord> record);
    void recordMove(std::uint8_t move);
    int shownLoopLength(int cell);
    void setFreeFrameCaption(ScoreFrame frame, const Text& caption);
    void showFreeGameStart();

    GameState& s_;
    Output& out_;
    RandomSource& rnd_;
    RandomSource supply_;
    FlowState f_;
    FreeGame free_;
    SeriesPlay series_;
    EditPort* editor_ = nullptr;
    ScoreKeeper* scores_ = nullptr;
    SettingsStore* settings_ = nullptr;
    std::function<void()> startUpAction_;
    std::function<void(Command)> sessionCommand_;
    std::function<void(FreeGameEvent)> freeGameListener_;
    int itemKinds_ = 3;
    Text themeGoal_;
    // The captions the free game gave its frames, shown again after a series.
    std::array<Text, kFrameCount> freeCaptions_;
    // The game's seed and moves, for proving its score.
    std::optional<GameRecord> record_;
    bool recordFinished_ = false;
    // Which pieces the window was told to repeat.
    std::array<bool, kMusicCount> musicRepeats_{};
    // The series placement being played out.
    SeriesMove lastSeriesMove_;
    // The loops of the board as shown, found on a copy of that board alone.
    std::unique_ptr<GameState> shownLoops_;
};

} // namespace tavrin::game
