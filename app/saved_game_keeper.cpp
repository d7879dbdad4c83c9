#include "app/saved_game_keeper.h"

#include "game/saved_game.h"
#include "game/saved_game_file.h"

namespace tavrin::app {

SavedGameKeeper::SavedGameKeeper(game::GameController& controller, std::filesystem::path path)
    : controller_(controller), path_(std::move(path))
{
    if (!path_.empty()) {
        controller_.setFreeGameListener([this](game::FreeGameEvent event) { changed(event); });
    }
}

SavedGameKeeper::~SavedGameKeeper()
{
    if (!path_.empty()) {
        controller_.setFreeGameListener({});
    }
}

bool SavedGameKeeper::resume(Text& note)
{
    note = Text();
    if (path_.empty()) {
        return false;
    }
    const game::SavedGameRead read = game::readSavedGameFile(path_);
    game::SavedGameProblem problem = read.problem;
    if (read.game) {
        problem = controller_.continueFreeGame(*read.game);
    }
    if (problem == game::SavedGameProblem::None) {
        return true;
    }
    if (problem != game::SavedGameProblem::Missing) {
        game::setRefusedSavedGameAside(path_);
        note = game::savedGameNote(problem);
    }
    return false;
}

void SavedGameKeeper::saveNow()
{
    if (path_.empty() || ending_) {
        return;
    }
    if (controller_.settleBeforeSaving()) {
        write();
    }
}

void SavedGameKeeper::keepForNextStart()
{
    saveNow();
    ending_ = true;
}

void SavedGameKeeper::changed(game::FreeGameEvent event)
{
    if (ending_) {
        return;
    }
    if (event == game::FreeGameEvent::Over) {
        game::removeSavedGameFile(path_);
    } else {
        write();
    }
}

void SavedGameKeeper::write()
{
    const auto game = game::captureSavedGame(controller_);
    if (!game) {
        return;
    }
    if (game::writeSavedGameFile(path_, *game)) {
        failureShown_ = false;
    } else if (!failureShown_) {
        // Said once, not after every move, until a save succeeds again.
        failureShown_ = true;
        controller_.window().setStatusText(game::savedGameWriteFailedNote());
    }
}

std::filesystem::path savedGamePath(const std::filesystem::path& userDataFolder)
{
    return userDataFolder.empty() ? std::filesystem::path() : userDataFolder / "free-game.sav";
}

} // namespace tavrin::app
