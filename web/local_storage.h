// The browser's localStorage behind the game's two storage interfaces: the
// settings (options and high scores) and the kept free game. When the browser
// refuses to store (storage full, private browsing), play goes on from memory
// and `refused()` says so, so that the page can tell the player once.
#pragma once

#include "game/kept_game.h"
#include "scores/settings_store.h"

#include <functional>
#include <string>
#include <string_view>

namespace tavrin::web {

// Every key of the game begins with this.
inline constexpr std::string_view kStoragePrefix = "Tavrin for Windows/";

// Told the first time the browser refuses to keep something.
using RefusedHandler = std::function<void()>;

class LocalSettingsStore : public SettingsStore {
public:
    explicit LocalSettingsStore(RefusedHandler refused) : refused_(std::move(refused)) {}

    std::string get(std::string_view section, std::string_view key, std::string_view fallback) const override;
    void save(std::string_view section, std::string_view key, std::string_view value) override;
    void deleteKey(std::string_view section, std::string_view key) override;
    void deleteSection(std::string_view section) override;
    bool flush() override { return !failed_; }

    // "Tavrin for Windows/" + section + "/" + key, the section's "%" and "/"
    // written as "%25" and "%2F" so that no section's keys begin another's.
    static std::string storageKey(std::string_view section, std::string_view key);

private:
    RefusedHandler refused_;
    // What could not be stored is kept here for the rest of the visit.
    MemorySettingsStore memory_;
    bool failed_ = false;
};

// The kept free game: the saved-game bytes in base64 under one key; a refused
// game is moved to the same key + ".refused".
class LocalGameStore : public game::GameStore {
public:
    explicit LocalGameStore(RefusedHandler refused) : refused_(std::move(refused)) {}

    Read read() override;
    bool write(std::string_view bytes) override;
    void remove() override;
    void setAside() override;

    static std::string key();

private:
    RefusedHandler refused_;
};

std::string toBase64(std::string_view bytes);
// Nothing when `text` is not base64.
bool fromBase64(std::string_view text, std::string& bytes);

} // namespace tavrin::web
