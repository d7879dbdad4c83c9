// One run of the game under any window: what start-up plays, puzzle files
// opened for play or refused, the series the game makes, the high-score
// prompts and window contents, the free game kept across runs, and the
// confirmations before puzzle edits are dropped. The desktop window and the
// web page each wrap one Session; what only a platform can do (its own
// dialogs, help, pictures and themes) goes through Platform.
//
// Questions stay synchronous: a message or input box returns its answer
// before the call that asked goes on.
#pragma once

#include "engine/game_state.h"
#include "engine/ui_text.h"
#include "game/controller.h"
#include "game/editor.h"
#include "game/kept_game.h"
#include "game/random.h"
#include "game/score_keeper.h"
#include "game/window.h"
#include "puzzles/kem_file.h"
#include "puzzles/puzzle_generator.h"
#include "scores/high_scores.h"
#include "scores/score_page.h"
#include "scores/score_pages.h"
#include "scores/settings_store.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::game {

// What only the platform around the game can do.
class Platform {
public:
    virtual ~Platform() = default;

    // Shows the high-score window modally with `view` (its rows, caption and
    // buttons). True when its OK button closed it.
    virtual bool showHighScoreWindow(const HighScoreView& view) = 0;

    // The commands that open the platform's own dialogs, once the command
    // guard let them through: Open, ResetTheme, DefaultTheme, CreateTheme,
    // HelpTopics, About. A platform without one of them ignores it.
    virtual void platformCommand(Command command) = 0;

    // The name to save the edited collection under (Save As, or Save of a
    // collection that has no file yet); nothing when the player cancelled.
    virtual std::optional<std::string> askPuzzleSaveName() { return std::nullopt; }

    // True while one of the platform's own modal windows is open.
    virtual bool modalOpen() const { return false; }

    // Today's local date: the daily series is the one of this date.
    virtual ScoreDate today() const { return systemToday(); }
};

struct SessionOptions {
    // The puzzle file named on the command line; played at start-up when set.
    std::string commandLineFile;
    // Where the registration pages are written; none are written when empty.
    std::filesystem::path pageFolder;
};

class Session {
public:
    // `state` is the board and game state the window draws from (it outlives
    // the session); `random` seeds everything drawn in the game. `store` keeps
    // the free game across runs; nothing is kept when it is null.
    Session(GameState& state, Window& window, Platform& platform, SettingsStore& settings, GameStore* store,
            RandomSource& random, SessionOptions options = {});
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    GameController& controller() { return *controller_; }
    const GameController& controller() const { return *controller_; }
    Editor& editor() { return *editor_; }
    GameState& state() { return state_; }
    const GameState& state() const { return state_; }
    HighScores& highScores() { return scores_; }
    // The registration pages; null when none are written.
    ScorePages* pages() { return pages_.get(); }
    KeptGame& keptGame() { return *kept_; }
    Window& window() { return window_; }
    SettingsStore& settings() { return settings_; }

    // --- start-up ---------------------------------------------------------------
    // After the platform set the item kinds and the theme goal (controller()):
    // high scores, the sound setting ("Options" / "PointMode"), the media
    // devices, a full redraw, then the start-up timer. The timer plays the
    // command-line file, or takes up the kept free game, or starts a new one.
    void start();
    // What the start-up timer does outside series play.
    void startUpAction();
    // A status note the platform adds once start-up has played (pictures
    // that no longer load, for instance); empty for none.
    void setStartUpNote(const Text& note) { startUpNote_ = note; }

    // --- puzzle files -------------------------------------------------------------
    // Why `path` cannot be played as a puzzle file (not found, not a plain
    // ".kem" file), or nothing when it may be read.
    static Text puzzleFileProblem(const std::filesystem::path& path);
    // Reads a puzzle file: into the editor in edit mode, else series play.
    // False (after the message that says why) when it was not taken.
    bool openPuzzleFile(const std::filesystem::path& path);
    // The same for the bytes of a file the player handed over (a page's file
    // picker or drop): `name` is the file's name, shown and keyed like a path.
    bool openPuzzleBytes(const std::string& name, std::string_view bytes);
    // A puzzle file handed over by a second start of the program: played as
    // a series unless a series or the editor is active or a modal window is
    // open. Empty when it was opened, else the reason (also in the status bar).
    Text openHandedOverFile(const std::filesystem::path& path);
    // The Open command chose a puzzle file: in the editor, asks before unsaved
    // edits are lost; true when the file dialog may be shown.
    bool mayOpenPuzzleFile();

    // --- series the game makes ------------------------------------------------------
    // "おまかせ問題": ten new puzzles of rising grade from the game's random source.
    void playFreshSeries();
    // "今日の問題": the ten puzzles of the platform's date.
    void playDailySeries();

    // --- high scores -----------------------------------------------------------------
    // The high-score command: the series table in series play, else the
    // free game's (the registration page step first).
    void showHighScores();
    void clearHighScores();
    // Fills the high-score window and shows it through the platform.
    void showHighScoreWindow(bool series);

    // --- the editor's files ------------------------------------------------------------
    void saveCollection(bool saveAs);

    // --- commands ------------------------------------------------------------------------
    // The window's shellCommand(): what the session does itself, the rest to
    // the platform.
    void shellCommand(Command command);

    // --- leaving -----------------------------------------------------------------------
    // Whether unsaved puzzle edits may be dropped (asks when there are any).
    bool confirmDiscard();
    // The same before the program ends.
    bool confirmExit();
    // Writes the free game now (the desktop is logging out); play goes on.
    void saveGameNow();
    // The program ends: keeps the free game for the next start and stops the
    // timers. Asks nothing; runs once.
    void shutDown();

    // The title the running series is shown under: a file's name, or the name
    // of a series the game made in the player's language.
    const Text& seriesTitle() const { return seriesTitle_; }

private:
    void playCommandLineFile();
    bool takePuzzleFile(const kem::PuzzleFileRead& read);
    void playSeries(const std::string& path, const Text& title, std::vector<Text> comments);
    void playGenerated(const std::string& storedName, const Text& title, const GeneratorRequest& request);

    Window& window_;
    Platform& platform_;
    SettingsStore& settings_;
    RandomSource& random_;
    SessionOptions options_;
    GameState& state_;
    HighScores scores_;
    std::unique_ptr<ScorePages> pages_;
    std::unique_ptr<GameController> controller_;
    std::unique_ptr<TableScoreKeeper> keeper_;
    std::unique_ptr<Editor> editor_;
    std::unique_ptr<KeptGame> kept_;
    Text startUpNote_;
    Text seriesTitle_;
    Text clearName_; // how the clear question names the series' table
    bool shutDown_ = false;
};

} // namespace tavrin::game
