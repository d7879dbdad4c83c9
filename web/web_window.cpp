#include "web/web_window.h"

#include "web/page_bridge.h"
#include "web/screen_json.h"

#include <algorithm>
#include <limits>

namespace tavrin::web {

WebWindow::WebWindow(PagePainter& painter) : painter_(painter)
{
    translate_ = [](const Phrase& phrase) { return std::string(phrase.source); };
}

void WebWindow::show(const game::Screen& screen, const game::ScreenChanges& changes)
{
    if (changes.parts.any()) {
        tavrin_js_show(screenJson(screen, changes, translate_).c_str());
    }
    painter_.paint(changes.drawings);
}

void WebWindow::wakeIn(game::Millis delayMs)
{
    const game::Millis longest = std::numeric_limits<int>::max();
    tavrin_js_wake(delayMs < 0 ? -1 : static_cast<int>(std::min(delayMs, longest)));
}

void WebWindow::showBox(const game::Box& box)
{
    std::string registration;
    if (box.kind == game::Box::Kind::HighScores && registration_) {
        registration = registration_(box.scores);
    }
    tavrin_js_box(boxJson(box, translate_, registration).c_str());
}

void WebWindow::playSound(game::Sound sound) { tavrin_js_sound(static_cast<int>(sound)); }
void WebWindow::playMusic(game::Music piece) { tavrin_js_music(static_cast<int>(piece), 0); }
void WebWindow::stopMusic(game::Music piece) { tavrin_js_music(static_cast<int>(piece), 1); }
void WebWindow::repeatMusic(game::Music piece, bool repeat) { tavrin_js_music(static_cast<int>(piece), repeat ? 2 : 3); }

void WebWindow::act(game::Action action)
{
    switch (action) {
    case game::Action::ChooseFile: tavrin_js_act("open"); break;
    case game::Action::Help: tavrin_js_act("help"); break;
    case game::Action::About: tavrin_js_act("about"); break;
    default: break; // the editor, the themes and the end of the program are the desktop's
    }
}

} // namespace tavrin::web
