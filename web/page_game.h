// The game as the browser page runs it: one Session behind the WebWindow,
// with localStorage for settings, high scores and the kept free game.
#pragma once

#include "engine/game_state.h"
#include "game/random.h"
#include "game/session.h"
#include "web/local_storage.h"
#include "web/web_window.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tavrin::web {

class PageGame : public game::Platform {
public:
    PageGame(TilePainter& painter, std::uint64_t seed, bool english);

    void start();
    void setEnglish(bool english);
    bool english() const { return english_; }

    WebWindow& window() { return window_; }
    game::Session& session() { return *session_; }
    game::GameController& controller() { return session_->controller(); }
    // Back to the seed the page started with (tests replay from it).
    void reseed() { random_.reseed(seed_); }

    // game::Platform
    bool showHighScoreWindow(const HighScoreView& view) override;
    void platformCommand(game::Command command) override;

    // The page's own texts in the player's language, as JSON, for its script.
    std::string pageTextsJson() const;

private:
    void storageRefused();
    std::string registrationJson(const HighScoreView& view);

    GameState state_;
    WebWindow window_;
    bool english_ = false;
    bool refusedShown_ = false;
    LocalSettingsStore settings_;
    LocalGameStore store_;
    std::uint64_t seed_;
    game::RandomSource random_;
    std::unique_ptr<game::Session> session_;
};

// A JSON string literal of `text` (UTF-8 kept as it is).
std::string jsonString(const std::string& text);

} // namespace tavrin::web
