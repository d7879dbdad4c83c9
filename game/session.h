// One run of the game under any window: what start-up plays, puzzle files
// opened for play or refused, the series the game makes, the high-score
// prompts and window contents, the free game kept across runs, and the
// confirmations before puzzle edits are dropped.
//
// The session is what a window talks to: every input goes to one of its
// input methods, and when the input has been handled the session shows what
// changed through the window's FrontEnd. Boxes are events: the game goes on
// from the answer the window hands back (answer()), and takes no other
// input meanwhile.
#pragma once

#include "engine/game_state.h"
#include "engine/ui_text.h"
#include "game/controller.h"
#include "game/disk.h"
#include "game/edit_port.h"
#include "game/front_end.h"
#include "game/keys.h"
#include "game/kept_game.h"
#include "game/output.h"
#include "game/random.h"
#include "game/score_keeper.h"
#include "puzzles/kem_file.h"
#include "puzzles/puzzle_generator.h"
#include "scores/high_scores.h"
#include "scores/score_page.h"
#include "scores/settings_store.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::game {

struct SessionOptions {
    // The puzzle file named on the command line; played at start-up when set.
    std::string commandLineFile;
    // The files the session opens and saves by name, and the registration
    // pages (outlives the session). Without one, files come only as bytes
    // handed over, and none are written.
    Disk* disk = nullptr;
    // Makes the puzzle editor (puzzleEditor); without one there is no edit mode.
    std::function<std::unique_ptr<EditPort>(GameController&)> editor;
    // Today's local date: the daily series is the one of this date.
    std::function<ScoreDate()> today;
    // The time the game's timers run on; a steady clock when empty.
    Output::Clock clock;
};

class Session {
public:
    // `state` is the board and game state the window draws from (it outlives
    // the session); `random` seeds everything drawn in the game. `store` keeps
    // the free game across runs; nothing is kept when it is null. Without a
    // front end the session runs headless: the screen model is all there is.
    Session(GameState& state, FrontEnd* frontEnd, SettingsStore& settings, GameStore* store, RandomSource& random,
            SessionOptions options = {});
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    GameController& controller() { return *controller_; }
    const GameController& controller() const { return *controller_; }
    // The puzzle editor; null when the session has none.
    EditPort* editor() { return editor_.get(); }
    GameState& state() { return state_; }
    const GameState& state() const { return state_; }
    HighScores& highScores() { return scores_; }
    KeptGame& keptGame() { return *kept_; }
    Output& output() { return output_; }
    const Screen& screen() const { return output_.shown(); }
    SettingsStore& settings() { return settings_; }

    // --- start-up ---------------------------------------------------------------
    // After the window set the item kinds and the theme goal (controller()):
    // high scores, the sound setting ("Options" / "PointMode"), the whole
    // screen, then the start-up timer. The timer plays the command-line file,
    // or takes up the kept free game, or starts a new one.
    void start();
    // What the start-up timer does outside series play.
    void startUpAction();
    // A status note the platform adds once start-up has played (pictures
    // that no longer load, for instance); empty for none.
    void setStartUpNote(const Text& note) { startUpNote_ = note; }

    // --- input ------------------------------------------------------------------
    void command(Command command, Source source = Source::Menu);
    void cellReleased(int cell);
    void cellHovered(int cell);
    void palettePressed(int entry, int shiftState);
    void trashReleased();
    void key(Key key);
    void spinnerChanged(int value);
    void commentEdited(const std::string& text);
    void editorOptionClicked(EditorOption option);
    // The answer to box `id`.
    void answer(int id, const BoxAnswer& answer);
    // The window woke the game at time `now` (the session's clock): the
    // timers that are due run.
    void tick(Millis now);
    // The language changed, or a window starts showing the game: everything again.
    void showEverything();
    // A long operation of the platform (a theme loading) holds every command.
    void setBusy(bool busy);
    // Runs `handle` as one input: what it changes is shown when it is done.
    void input(const std::function<void()>& handle);

    // --- puzzle files -------------------------------------------------------------
    // Reads a puzzle file from the disk: into the editor in edit mode, else
    // series play. A file that is not taken is refused with a message that
    // says why.
    void openPuzzleFile(const std::string& path);
    // The same for the bytes of a file the player handed over (a page's file
    // picker or drop): `name` is the file's name, shown and keyed like a path.
    void openPuzzleBytes(const std::string& name, std::string_view bytes);
    // A puzzle file handed over by a second start of the program: played as
    // a series unless a series or the editor is active or one of the
    // platform's dialogs is open (`dialogOpen`). Empty when it was opened,
    // else the reason (also in the status bar).
    Text openHandedOverFile(const std::string& path, bool dialogOpen);
    // The Open command's chooser picked a puzzle file: in the editor, asks
    // before unsaved edits are lost, then the platform shows its file dialog.
    void puzzleFileKindChosen();
    // The name the platform asked for to save the edited collection (empty: cancelled).
    void saveCollectionAs(const std::string& name);

    // --- leaving -----------------------------------------------------------------------
    // The question to ask before the program ends and unsaved puzzle edits
    // are dropped with it; nothing when it may end without asking.
    std::optional<Text> exitQuestion() const;
    // Writes the free game now (the desktop is logging out); play goes on.
    void saveGameNow();
    // The program ends: keeps the free game for the next start and stops the
    // timers. Asks nothing; runs once.
    void shutDown();

    // The title the running series is shown under: a file's name, or the name
    // of a series the game made in the player's language.
    const Text& seriesTitle() const { return seriesTitle_; }

private:
    Text namedFileProblem(const std::string& path) const;
    void sessionCommand(Command command);
    void playCommandLineFile(std::function<void()> then);
    void takePuzzleFile(const kem::PuzzleFileRead& read);
    void loadPuzzles(const kem::PuzzleFileRead& read);
    void playSeries(const std::string& path, const Text& title, std::vector<Text> comments);
    void playGenerated(const std::string& storedName, const Text& title, const GeneratorRequest& request);
    void playFreshSeries();
    void playDailySeries();
    void showHighScores();
    void showHighScoreWindow(bool series, ScoreKeeper::Done done);
    void offerRecordRegistration(HighScoreView& view) const;
    void clearHighScores();
    void saveCollection(bool saveAs);
    void writeCollection(const std::string& name);
    // Asks before unsaved puzzle edits are dropped; `then` runs with the answer.
    void confirmDiscard(std::function<void(bool)> then);

    FrontEnd* frontEnd_;
    SettingsStore& settings_;
    RandomSource& random_;
    SessionOptions options_;
    GameState& state_;
    Output output_;
    HighScores scores_;
    std::unique_ptr<GameController> controller_;
    std::unique_ptr<TableScoreKeeper> keeper_;
    std::unique_ptr<EditPort> editor_;
    std::unique_ptr<KeptGame> kept_;
    Text startUpNote_;
    Text seriesTitle_;
    Text clearName_; // how the clear question names the series' table
    int inputDepth_ = 0;
    bool shutDown_ = false;
};

} // namespace tavrin::game
