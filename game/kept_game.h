// Keeping the free game across runs of the program: where the bytes of the
// saved-game file live (a file beside the settings on the desktop, the
// browser's storage in the page), and when they are written or dropped.
#pragma once

#include "engine/ui_text.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tavrin::game {

class GameController;
enum class FreeGameEvent;

// The place one saved game is kept. Every call stands alone: nothing is held
// open between them.
class GameStore {
public:
    enum class ReadStatus {
        Missing,    // nothing kept
        Read,       // `bytes` holds what was kept (perhaps damaged: the reader checks)
        Unreadable, // something is there but could not be read
    };
    struct Read {
        ReadStatus status = ReadStatus::Missing;
        std::string bytes;
    };

    virtual ~GameStore() = default;
    virtual Read read() = 0;
    // All or nothing: after a failed write the previous bytes are still kept.
    virtual bool write(std::string_view bytes) = 0;
    // Drops what is kept (a game that is over). Nothing kept is no error.
    virtual void remove() = 0;
    // Moves what was refused out of the way, so that the next game's save
    // does not destroy it (the player may want to look at it).
    virtual void setAside() = 0;
};

// The saved-game file `path`; refused files go to `path` + ".refused".
class FileGameStore : public GameStore {
public:
    explicit FileGameStore(std::filesystem::path path) : path_(std::move(path)) {}
    const std::filesystem::path& path() const { return path_; }

    Read read() override;
    bool write(std::string_view bytes) override;
    void remove() override;
    void setAside() override;

private:
    std::filesystem::path path_;
};

// A store that lives in memory only (tests, and a page whose storage is refused).
class MemoryGameStore : public GameStore {
public:
    Read read() override;
    bool write(std::string_view bytes) override;
    void remove() override;
    void setAside() override;

    bool kept() const { return kept_; }
    const std::string& bytes() const { return bytes_; }
    const std::string& setAsideBytes() const { return asideBytes_; }
    // Writes fail from now on while `failing` (storage full).
    void setFailing(bool failing) { failing_ = failing; }

private:
    std::string bytes_;
    std::string asideBytes_;
    bool kept_ = false;
    bool failing_ = false;
};

// The saved-game file in the user's data folder ("free-game.sav"); empty
// when there is no folder.
std::filesystem::path savedGamePath(const std::filesystem::path& userDataFolder);

// Keeps the free game: written when a game starts and after every move,
// dropped as soon as a move that ends the game is accepted (before any box
// waits for the player, so that no interruption lets it be played again),
// written once more when the program ends, and taken up at the next start.
class KeptGame {
public:
    // Nothing is kept without a store.
    KeptGame(GameController& controller, GameStore* store);
    ~KeptGame();
    KeptGame(const KeptGame&) = delete;
    KeptGame& operator=(const KeptGame&) = delete;

    // At start-up, instead of a new game: takes up the kept game. False when
    // a new game has to start; `note` then tells why a kept game was not
    // taken up (empty when there was none). A refused game is set aside.
    bool resume(Text& note);
    // Writes the game now (the desktop is logging out); a move still playing
    // is finished first unless it ends the game.
    void saveNow();
    // The program is ending: saveNow(), and nothing is written or removed
    // after, whatever the game does while the program winds down.
    void keepForNextStart();

private:
    void changed(FreeGameEvent event);
    void write();

    GameController& controller_;
    GameStore* store_;
    bool ending_ = false;
    bool failureShown_ = false;
};

} // namespace tavrin::game
