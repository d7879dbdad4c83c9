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
#include <string>

namespace tavrin::web {

class PageGame {
public:
    PageGame(PagePainter& painter, std::uint64_t seed, bool english);

    void start();
    // The page's language; everything on it is shown again.
    void setEnglish(bool english);
    bool english() const { return english_; }

    WebWindow& window() { return window_; }
    game::Session& session() { return *session_; }
    game::GameController& controller() { return session_->controller(); }
    // The seed the page started with (tests replay from it).
    std::uint64_t seed() const { return seed_; }

    // The page's own texts in the player's language, as JSON, for its script.
    std::string pageTextsJson() const;

private:
    void storageRefused();
    std::string registrationJson(const HighScoreView& view);
    void translateTo(bool english);

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

} // namespace tavrin::web
