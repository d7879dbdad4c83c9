// The modal boxes the game asks the player through: a message or question,
// a line of text, the high-score window. A box is an event: the game shows it
// and goes on from the answer when the window hands it back.
#pragma once

#include "engine/ui_text.h"
#include "scores/high_scores.h"

#include <functional>
#include <optional>
#include <string>

namespace tavrin::game {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Information, Question, Warning, Critical };
// Ok: the OK button (of a message, an input box or the high-score window);
// Yes / No: a question; Cancel: an input box or the high-score window closed
// another way.
enum class Answer { Ok, Yes, No, Cancel };

struct Box {
    enum class Kind { Message, Input, HighScores };
    int id = 0; // a new number for every box
    Kind kind = Kind::Message;
    Text text;  // the message, or the input box's prompt
    Text title; // empty: the program's own title
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    std::string defaultText; // input box
    HighScoreView scores;    // high-score window

    static Box message(const Text& text, const Text& title, Buttons buttons, Icon icon);
    static Box input(const Text& prompt, const Text& title, const std::string& defaultText = {});
    static Box highScores(HighScoreView view);
};

struct BoxAnswer {
    Answer answer = Answer::Ok;
    std::optional<std::string> text; // what an input box held when OK was pressed

    bool yes() const { return answer == Answer::Yes; }
    bool ok() const { return answer == Answer::Ok; }
};

// Boxes waiting for their answers, one shown at a time in the order asked.
// What the game does after a box is the continuation given with it.
class Prompter {
public:
    using Then = std::function<void(const BoxAnswer&)>;

    // Asks `box`; `then` runs with its answer.
    void ask(Box box, Then then = {});
    // The box on screen, or null.
    const Box* current() const { return queue_.empty() ? nullptr : &queue_.front().box; }
    bool waiting() const { return !queue_.empty(); }
    // Hands back the answer to box `id`; false (nothing done) when that box is
    // not the one on screen. The continuation may ask further boxes.
    bool answer(int id, const BoxAnswer& answer);

private:
    struct Waiting {
        Box box;
        Then then;
    };
    std::vector<Waiting> queue_;
    int nextId_ = 1;
};

} // namespace tavrin::game
