// The game controller: free game, series play, the placement sequence and its
// evaluation, sound and music, and the command dispatch. Runs whole games
// without a window; everything visible goes through the Window interface.
#pragma once

#include "engine/game_state.h"
#include "game/edit_port.h"
#include "game/item_layout.h"
#include "game/random.h"
#include "game/score_keeper.h"
#include "game/window.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tavrin {
class SettingsStore;
}

namespace tavrin::game {

inline constexpr int kDiscardSlots = 10;

struct SavedGame;
enum class SavedGameProblem;

// What happened to the free game, for whoever keeps it across runs.
enum class FreeGameEvent {
    Started,  // a new game is on the board
    MoveDone, // a move has been played out and the next piece dealt
    Ending,   // a move that ends the game was accepted; its boxes are still to come
    Over,     // the goal was reached or the moves ran out
};

// Game-flow state beside the shared engine state. Public so that the editor,
// the replay tool and tests can read it; only the controller and the editor
// write it.
struct FlowState {
    bool freeGameActive = false;
    bool moveBusy = false;
    std::int16_t offeredPiece = -1;
    std::array<std::int16_t, kDiscardSlots> discardWindow{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

    std::int16_t seriesMisses = 0;
    bool launchedWithFile = false;
    std::string playFilePath;
    // Shown in the comment box instead of the puzzles' own comments (the
    // series the game makes, whose comments only live in memory); empty for a file.
    std::vector<Text> seriesComments;

    // Kept while the editor is open.
    std::int16_t offeredPieceSave = -1;
    std::int16_t movesUsedSave = 0;
    Text savedStatusText;

    // The placement sequence and its evaluation.
    bool quietRun = false;
    bool reverseRun = false;
    std::int16_t turnResult = 0;
    std::int16_t lastCell = -1;
    std::int16_t animNew = -1;
    std::int16_t animOld = -1;
    std::int16_t oldPiece = -1;
    std::int16_t scoreBefore = 0;
    std::int16_t scoreAfter = 0;
    std::int16_t groupsAfter = 0;
    std::int16_t sequenceStep = 0;
    bool discardPending = false;

    std::int16_t lastHoverCell = -1;
    bool hoverRefresh = false;

    bool soundOn = true; // the checked state of "音あり(&E)"

    // The cell the hint marks until the next move, or -1.
    std::int16_t hintCell = -1;
};

// Where a command came from: the guard differs for menu items and buttons.
enum class Source { Menu, Toolbar };

class GameController {
public:
    GameController(GameState& state, Window& window, RandomSource& random);

    GameState& state() { return s_; }
    const GameState& state() const { return s_; }
    FlowState& flow() { return f_; }
    const FlowState& flow() const { return f_; }
    Window& window() { return w_; }
    RandomSource& random() { return rnd_; }
    const RandomSource& random() const { return rnd_; }

    // --- wiring ----------------------------------------------------------------
    void attachEditor(EditPort* editor) { editor_ = editor; }
    void attachScoreKeeper(ScoreKeeper* keeper) { scores_ = keeper; }
    // Where the sound switch is remembered ("Options" / "PointMode").
    void attachSettings(SettingsStore* settings) { settings_ = settings; }
    // What the start-up timer does outside series play (default: StartFreeGame).
    void setStartUpAction(std::function<void()> action) { startUpAction_ = std::move(action); }
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
    // Opens the five media devices.
    void OpenSoundDevices();
    // Arms the start-up timer.
    void startUp();

    // --- events from the window ------------------------------------------------
    void command(Command command, Source source = Source::Menu);
    void cellReleased(int cell);
    void cellHovered(int cell);
    // Mouse press on palette entry 0..11; `shiftState` as the window reports it
    // (1 Shift, 2 Ctrl, 4 Alt, summed).
    void palettePressed(int entry, int shiftState);
    void trashReleased();
    void timerTick(Timer timer);
    void spinnerChanged(int value);
    void commentEdited(const std::string& text);

    // --- the free game ---------------------------------------------------------
    void StartFreeGame();
    // The same with the items given instead of drawn (replays and tests).
    void StartFreeGame(const ItemLayout& layout);
    void DealPiece();
    void AgeDiscards();
    void EndGame();
    void TimeUp();
    void EvaluateTurn();
    void FinishDiscard();
    static Text resultText(int eco, long loop, int bonus, int total);

    // --- a free game kept across runs (saved_game.cpp) -------------------------
    // True while a free game is on the board between two moves.
    bool freeGameAtRest() const;
    // Plays out a move still in its placement sequence or after-discard step,
    // unless the move ends the game; true when the free game is then at rest.
    bool settleBeforeSaving();
    // Takes up a saved game where it was left. A game that is not valid, or
    // whose item count differs from the item picture's, changes nothing.
    SavedGameProblem continueFreeGame(const SavedGame& game);

    // --- series play -----------------------------------------------------------
    void StartSeries(const std::string& playFilePath);
    void NextPuzzle();
    void EndSeries();
    void OfferAllShapes();
    void OfferRandomShape();

    // --- around the editor -----------------------------------------------------
    void SuspendFreeGame();
    void ResumeFreeGame();
    // Leaves the editor; false when the user chose to stay.
    bool leaveEditMode();
    // -1 go on, 1 go on (goal setting abandoned), 0 do not run the command.
    std::int16_t passGoalSettingGuard();
    // Starts the placement sequence for an editor placement at `cell`.
    void startEditPlacement(int cell, const EditPlacement& placement);

    // --- mode commands ---------------------------------------------------------
    void ecoModeCommand();
    void fullConnectionCommand();
    void bigLoopCommand();

    // --- sound and music -------------------------------------------------------
    void PlayFreeGameMusic();
    void PlaySeriesMusic();
    void StopFreeGameMusic();
    void StopSeriesMusic();
    void PlaySound(Device device);
    void LoopMusic();
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
    // Removes the hint mark.
    void clearHint();
    // After the editor or a series opened or closed: the hint, the series
    // the game makes, which only start from play mode, and which music repeats.
    void refreshCommandStates();

    // --- helpers ---------------------------------------------------------------
    // Sends the score labels of the shared state to the window.
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
    bool timerOn(Timer timer) const { return timers_[static_cast<std::size_t>(timer)]; }

private:
    void startTimer(Timer timer, int intervalMs);
    void stopTimer(Timer timer);
    void placeFreeGame(int cell);
    void placeSeries(int cell);
    void evaluateEditor();
    void evaluateSeries();
    void evaluateFreeGame();
    void takeBack();
    void settlePendingMove();
    void drawPaletteEntry(int entry, bool plain);
    void armMusicLoop(Device device);
    void markLoopingMusic();
    void exitCommand();
    void playMusic(Device device);
    void tell(FreeGameEvent event);
    void clearForFreeGame();
    int shownLoopLength(int cell);
    void setFreeFrameCaption(ScoreLabel label, const Text& caption);
    // True when the move just accepted leaves the free game over.
    bool moveEndsGame() const;

    GameState& s_;
    Window& w_;
    RandomSource& rnd_;
    FlowState f_;
    EditPort* editor_ = nullptr;
    ScoreKeeper* scores_ = nullptr;
    SettingsStore* settings_ = nullptr;
    std::function<void()> startUpAction_;
    std::function<void(FreeGameEvent)> freeGameListener_;
    int itemKinds_ = 3;
    Text themeGoal_;
    std::array<bool, 4> timers_{};
    // The captions the free game gave its frames, shown again after a series.
    std::array<Text, 4> freeCaptions_;
    // The series frame values that follow the board: loop points or groups.
    long seriesBoardValue_ = 0;
    // The loops of the board as shown, found on a copy of that board alone.
    std::unique_ptr<GameState> shownLoops_;
    std::array<bool, 12> paletteEnabled_{true, true, true, true, true, true, true, true, true, true, true, true};
};

} // namespace tavrin::game
