#include "game/kept_game.h"

#include "game/controller.h"
#include "game/saved_game.h"
#include "game/saved_game_file.h"
#include "puzzles/atomic_file.h"

#include <system_error>

namespace tavrin::game {

// --- the saved-game file ---------------------------------------------------------

GameStore::Read FileGameStore::read()
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path_, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return {ReadStatus::Missing, {}};
    }
    // Only a plain file is read: a pipe or a device in its place would stall the start.
    if (error || status.type() != std::filesystem::file_type::regular) {
        return {ReadStatus::Unreadable, {}};
    }
    // One byte more than any saved game tells a longer file apart.
    FileReadResult read = readFileBytes(path_, kMaxSavedGameBytes + 1);
    if (!read.bytes) {
        return {ReadStatus::Unreadable, {}};
    }
    return {ReadStatus::Read, std::move(*read.bytes)};
}

bool FileGameStore::write(std::string_view bytes)
{
    std::error_code error;
    std::filesystem::create_directories(path_.parent_path(), error);
    return static_cast<bool>(writeFileAtomically(path_, bytes));
}

void FileGameStore::remove() { removeSavedGameFile(path_); }

void FileGameStore::setAside() { setRefusedSavedGameAside(path_); }

// --- in memory -----------------------------------------------------------------------

GameStore::Read MemoryGameStore::read()
{
    if (!kept_) {
        return {ReadStatus::Missing, {}};
    }
    return {ReadStatus::Read, bytes_};
}

bool MemoryGameStore::write(std::string_view bytes)
{
    if (failing_) {
        return false;
    }
    bytes_ = std::string(bytes);
    kept_ = true;
    return true;
}

void MemoryGameStore::remove()
{
    bytes_.clear();
    kept_ = false;
}

void MemoryGameStore::setAside()
{
    if (kept_) {
        asideBytes_ = bytes_;
    }
    remove();
}

std::filesystem::path savedGamePath(const std::filesystem::path& userDataFolder)
{
    return userDataFolder.empty() ? std::filesystem::path() : userDataFolder / "free-game.sav";
}

// --- when the game is kept -------------------------------------------------------------

KeptGame::KeptGame(GameController& controller, GameStore* store) : controller_(controller), store_(store)
{
    if (store_ != nullptr) {
        controller_.setFreeGameListener([this](FreeGameEvent event) { changed(event); });
    }
}

KeptGame::~KeptGame()
{
    if (store_ != nullptr) {
        controller_.setFreeGameListener({});
    }
}

bool KeptGame::resume(Text& note)
{
    note = Text();
    if (store_ == nullptr) {
        return false;
    }
    const GameStore::Read kept = store_->read();
    SavedGameProblem problem = SavedGameProblem::Missing;
    if (kept.status == GameStore::ReadStatus::Unreadable) {
        problem = SavedGameProblem::Unreadable;
    } else if (kept.status == GameStore::ReadStatus::Read) {
        const SavedGameRead read = decodeSavedGame(kept.bytes);
        problem = read.problem;
        if (read.game) {
            problem = controller_.continueFreeGame(*read.game);
        }
    }
    if (problem == SavedGameProblem::None) {
        return true;
    }
    if (problem != SavedGameProblem::Missing) {
        store_->setAside();
        note = savedGameNote(problem);
    }
    return false;
}

void KeptGame::saveNow()
{
    if (store_ == nullptr || ending_) {
        return;
    }
    if (controller_.settleBeforeSaving()) {
        write();
    }
}

void KeptGame::keepForNextStart()
{
    saveNow();
    ending_ = true;
}

void KeptGame::changed(FreeGameEvent event)
{
    if (ending_) {
        return;
    }
    switch (event) {
    case FreeGameEvent::Started:
    case FreeGameEvent::MoveDone: write(); break;
    case FreeGameEvent::Ending:
    case FreeGameEvent::Over: store_->remove(); break;
    }
}

void KeptGame::write()
{
    const auto game = captureSavedGame(controller_);
    if (!game) {
        return;
    }
    if (store_->write(encodeSavedGame(*game))) {
        failureShown_ = false;
    } else if (!failureShown_) {
        // Said once, not after every move, until a save succeeds again.
        failureShown_ = true;
        controller_.screen().setStatus(savedGameWriteFailedNote());
    }
}

} // namespace tavrin::game
