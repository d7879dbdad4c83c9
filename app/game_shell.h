// The desktop program around the game session: the Qt settings, the main
// window, pictures and themes, geometry and language, and the dialogs only
// the desktop has (file kinds, files, help, the version box, high scores).
#pragma once

#include "app/language.h"
#include "app/main_window.h"
#include "app/qt_settings_store.h"
#include "app/qt_window.h"
#include "engine/game_state.h"
#include "game/controller.h"
#include "game/editor.h"
#include "game/kept_game.h"
#include "game/random.h"
#include "game/session.h"
#include "graphics/graphics_host.h"
#include "graphics/graphics_set.h"
#include "graphics/pictures.h"
#include "graphics/renderer.h"
#include "graphics/themes.h"
#include "scores/high_scores.h"

#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace tavrin::app {

struct ShellOptions {
    QString programFolder;  // sounds, help, pictures (the data folder)
    QStringList arguments;  // the program's arguments, the program's name left out
    QString pageFolder = {}; // score pages; the program folder when empty
    QString fileFolder = {}; // where the file dialogs open; the program folder when empty
    QString savedGameFile = {}; // the free game kept across runs; none kept when empty
    std::optional<Language> language = {}; // chosen on the command line; the remembered one when empty
};

class GameShell : public graphics::GraphicsHost {
public:
    explicit GameShell(ShellOptions options);
    ~GameShell() override;
    GameShell(const GameShell&) = delete;
    GameShell& operator=(const GameShell&) = delete;

    // Start-up: remembered pictures, position, high scores, sound setting,
    // media devices, the current eco theme; then the start-up timer.
    void start();
    void show();

    MainWindow& form() { return form_; }
    QtWindow& window() { return *window_; }
    game::Session& session() { return *session_; }
    game::GameController& controller() { return session_->controller(); }
    GameState& state() { return state_; }
    HighScores& highScores() { return session_->highScores(); }
    graphics::GraphicsSet& graphics() { return graphics_; }
    graphics::Pictures& pictures() { return *pictures_; }
    graphics::Themes& themes() { return *themes_; }
    game::EditPort& editor() { return *session_->editor(); }
    QtSettingsStore& settings() { return store_; }
    const QString& programFolder() const { return options_.programFolder; }

    // Pictures that were remembered but no longer load, found at start-up.
    const QStringList& forgottenPictures() const { return forgotten_; }

    // Reads a puzzle file: into the editor in edit mode, else series play
    // (a file that is not taken gets the message that says why).
    void loadPuzzleFile(const QString& path);
    // A puzzle file handed over by a second start of the program: played as
    // a series unless a series or the editor is active or a dialog is open.
    // Returns "" when it was opened, else the reason shown in the status bar.
    QString openHandedOverFile(const QString& path);
    // The close box: asks, then shutDown().
    bool closeRequested();
    // The program ends: keeps the free game for the next start, closes the
    // media, saves the position, tidies up. Asks nothing; runs once.
    void shutDown();
    // Writes the free game now (the desktop is logging out); play goes on.
    void saveGameNow();
    game::KeptGame& savedGame() { return session_->keptGame(); }
    // Shows the window in `language` from now on, without touching the game.
    void setLanguage(Language language);
    // Whether unsaved puzzle edits may be dropped with the program (asks
    // when there are any).
    bool confirmExit();

    // graphics::GraphicsHost
    void showMessage(const Text& text, graphics::MessageIcon icon) override;
    bool askYesNo(const Text& text) override;
    void showMessageWithHelp(const Text& text, int helpTopic) override;
    void redrawAll() override;
    void redrawBoard() override;
    bool freeGameActive() const override;
    bool editMode() const override;
    bool puzzleSeries() const override;
    bool startingUp() const override { return startingUp_; }
    void endGame() override;
    void setStatusText(const Text& text) override;
    void setThemeResetEnabled(bool enabled) override;
    void processEvents() override;
    void setBusy(bool busy) override;
    void showMainWindow() override;

    // One of the platform's own dialogs is open.
    static bool modalOpen();

private:
    // What the game asks of the desktop.
    void act(game::Action action);
    // Shows at once what `change` changes on screen (progress while a theme loads).
    void showNow(const std::function<void(game::ScreenModel&)>& change);
    void chooseFileToOpen();
    void openPuzzleFileDialog();
    void askPuzzleSaveName();
    void showHelp(int topic);
    void aboutBox();
    void restoreGeometry();
    void saveGeometry();
    // After pictures or the theme changed: item kinds and goal text to the game.
    void graphicsChanged();
    void openGraphics(int kind);
    void createTheme();
    void restoreTheme(bool forgetPictures);

    ShellOptions options_;
    QtSettingsStore store_;
    graphics::GraphicsSet graphics_;
    GameState state_;
    game::RandomSource random_;
    MainWindow form_;
    graphics::Renderer renderer_;
    std::unique_ptr<QtWindow> window_;
    std::unique_ptr<game::FileGameStore> gameStore_;
    std::unique_ptr<game::Disk> disk_;
    std::unique_ptr<game::Session> session_;
    std::unique_ptr<graphics::Pictures> pictures_;
    std::unique_ptr<graphics::Themes> themes_;
    QStringList forgotten_;
    QString puzzleFolder_; // where the next puzzle file dialog opens
    bool startingUp_ = true;
    bool shutDown_ = false;
    bool settingsWarningShown_ = false;
};

} // namespace tavrin::app
