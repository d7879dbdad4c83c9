#include "game/box.h"

namespace tavrin::game {

Box Box::message(const Text& text, const Text& title, Buttons buttons, Icon icon)
{
    Box box;
    box.text = text;
    box.title = title;
    box.buttons = buttons;
    box.icon = icon;
    return box;
}

Box Box::input(const Text& prompt, const Text& title, const std::string& defaultText)
{
    Box box;
    box.kind = Kind::Input;
    box.text = prompt;
    box.title = title;
    box.defaultText = defaultText;
    return box;
}

Box Box::highScores(HighScoreView view)
{
    Box box;
    box.kind = Kind::HighScores;
    box.scores = std::move(view);
    return box;
}

void Prompter::ask(Box box, Then then)
{
    box.id = nextId_++;
    queue_.push_back({std::move(box), std::move(then)});
}

bool Prompter::answer(int id, const BoxAnswer& answer)
{
    if (queue_.empty() || queue_.front().box.id != id) {
        return false;
    }
    // An answer outside what the box offers counts as its last button.
    BoxAnswer given = answer;
    const Box& box = queue_.front().box;
    if (box.kind == Box::Kind::Message) {
        if (box.buttons == Buttons::Ok) {
            given.answer = Answer::Ok;
        } else if (given.answer != Answer::Yes) {
            given.answer = Answer::No;
        }
        given.text.reset();
    } else if (given.answer != Answer::Ok) {
        given.answer = Answer::Cancel;
        given.text.reset();
    } else if (box.kind == Box::Kind::Input && !given.text) {
        given.text = std::string();
    }
    Then then = std::move(queue_.front().then);
    queue_.erase(queue_.begin());
    if (then) {
        then(given);
    }
    return true;
}

} // namespace tavrin::game
