// Keeps the free game across runs of the program: written to the saved-game
// file when a game starts and after every move, removed when the game is over,
// written once more when the program ends, and taken up at the next start.
#pragma once

#include "game/controller.h"

#include <filesystem>
#include <string>

namespace tavrin::app {

class SavedGameKeeper {
public:
    // Nothing is kept when `path` is empty.
    SavedGameKeeper(game::GameController& controller, std::filesystem::path path);
    ~SavedGameKeeper();
    SavedGameKeeper(const SavedGameKeeper&) = delete;
    SavedGameKeeper& operator=(const SavedGameKeeper&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // At start-up, instead of a new game: takes up the saved game. False when
    // a new game has to start; `note` then tells why a saved game was not
    // taken up (empty when there was none).
    bool resume(Text& note);

    // Writes the game now (the desktop is logging out); a move still playing
    // is finished first unless it ends the game.
    void saveNow();
    // The program is ending: saveNow(), and nothing is written or removed
    // after, whatever the game does while the program winds down.
    void keepForNextStart();

private:
    void changed(game::FreeGameEvent event);
    void write();

    game::GameController& controller_;
    std::filesystem::path path_;
    bool ending_ = false;
    bool failureShown_ = false;
};

// The saved-game file in the user's data folder.
std::filesystem::path savedGamePath(const std::filesystem::path& userDataFolder);

} // namespace tavrin::app
