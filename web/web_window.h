// The browser page as the game's front end: the screen model's changes go to
// the page's script as JSON, the tiles are composed here and shown on its
// canvases, and boxes, sounds, wake-ups and the page's own dialogs are asked
// of the script. Texts are rendered in the page's language on the way out.
#pragma once

#include "engine/ui_text.h"
#include "game/front_end.h"
#include "web/tile_painter.h"

#include <functional>
#include <string>

namespace tavrin::web {

class WebWindow : public game::FrontEnd {
public:
    using Translate = Text::Translate;
    // The entry a high-score window may offer to register, as JSON, or "".
    using Registration = std::function<std::string(const HighScoreView&)>;

    explicit WebWindow(PagePainter& painter);

    void setTranslate(Translate translate) { translate_ = std::move(translate); }
    std::string shown(const Text& text) const { return text.render(translate_); }
    void setRegistration(Registration registration) { registration_ = std::move(registration); }

    void show(const game::Screen& screen, const game::ScreenChanges& changes) override;
    void wakeIn(game::Millis delayMs) override;
    void showBox(const game::Box& box) override;
    void playSound(game::Sound sound) override;
    void playMusic(game::Music piece) override;
    void stopMusic(game::Music piece) override;
    void repeatMusic(game::Music piece, bool repeat) override;
    void act(game::Action action) override;

private:
    PagePainter& painter_;
    Translate translate_;
    Registration registration_;
};

} // namespace tavrin::web
