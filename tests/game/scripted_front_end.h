// A front end for tests: it records every box, drawing, sound, music call,
// wake-up and action, and answers each box at once from a script, as a
// player reading the script would.
#pragma once

#include "game/front_end.h"
#include "game/output.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavrin::game::testing {

class ScriptedFrontEnd : public FrontEnd {
public:
    // --- script ---------------------------------------------------------------
    // Answers to Yes/No questions, in order; a question with none left fails
    // the test and is answered No. Messages and the high-score window take OK.
    std::deque<Answer> answers;
    // What input boxes are answered with, in order (nothing: cancelled). With
    // none left an input box is cancelled.
    std::deque<std::optional<std::string>> inputs;
    // Runs as each box opens, before it is answered.
    std::function<void(const Box&)> beforeBox;

    // --- recorded -------------------------------------------------------------
    std::vector<Box> boxes; // in the order shown, of every kind
    std::vector<Drawing> drawings;
    std::vector<Sound> sounds;
    std::vector<Action> actions;
    std::vector<Millis> wakes;

    struct Piece {
        bool playing = false;
        bool repeats = false;
        int starts = 0; // playMusic calls
    };
    std::array<Piece, kMusicCount> music{};

    // Shows `output` from now on, and answers its boxes.
    void attach(Output& output)
    {
        output_ = &output;
        output.setFrontEnd(this);
    }

    const Piece& piece(Music m) const { return music[static_cast<std::size_t>(m)]; }
    bool playing(Music m) const { return piece(m).playing; }
    // The piece comes to its end: it goes on from its start only while marked to repeat.
    void musicEnds(Music m)
    {
        Piece& p = music[static_cast<std::size_t>(m)];
        p.playing = p.playing && p.repeats;
    }
    // The boxes of one kind, as shown.
    std::vector<Box> shown(Box::Kind kind) const
    {
        std::vector<Box> out;
        for (const Box& b : boxes) {
            if (b.kind == kind) {
                out.push_back(b);
            }
        }
        return out;
    }
    std::vector<Box> messages() const { return shown(Box::Kind::Message); }
    std::vector<Box> inputBoxes() const { return shown(Box::Kind::Input); }
    std::vector<TileDraw> tiles() const
    {
        std::vector<TileDraw> out;
        for (const Drawing& d : drawings) {
            if (d.kind == Drawing::Kind::Tile) {
                out.push_back(d.tile);
            }
        }
        return out;
    }
    int drawingCount(Drawing::Kind kind) const
    {
        int n = 0;
        for (const Drawing& d : drawings) {
            n += d.kind == kind ? 1 : 0;
        }
        return n;
    }
    void clearRecords()
    {
        boxes.clear();
        drawings.clear();
        sounds.clear();
        actions.clear();
        wakes.clear();
    }

    // --- FrontEnd ---------------------------------------------------------------
    void show(const Screen&, const ScreenChanges& changes) override
    {
        drawings.insert(drawings.end(), changes.drawings.begin(), changes.drawings.end());
    }
    void wakeIn(Millis delayMs) override { wakes.push_back(delayMs); }
    void showBox(const Box& box) override
    {
        boxes.push_back(box);
        if (beforeBox) {
            beforeBox(box);
        }
        BoxAnswer reply;
        if (box.kind == Box::Kind::Message && box.buttons == Buttons::YesNo) {
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected question: " << box.text.japanese();
                reply.answer = Answer::No;
            } else {
                reply.answer = answers.front();
                answers.pop_front();
            }
        } else if (box.kind == Box::Kind::Input) {
            std::optional<std::string> text;
            if (!inputs.empty()) {
                text = inputs.front();
                inputs.pop_front();
            }
            reply.answer = text ? Answer::Ok : Answer::Cancel;
            reply.text = text;
        }
        output_->answer(box.id, reply);
    }
    void playSound(Sound sound) override { sounds.push_back(sound); }
    void playMusic(Music m) override
    {
        Piece& p = music[static_cast<std::size_t>(m)];
        p.playing = true;
        ++p.starts;
    }
    void stopMusic(Music m) override { music[static_cast<std::size_t>(m)].playing = false; }
    void repeatMusic(Music m, bool repeat) override { music[static_cast<std::size_t>(m)].repeats = repeat; }
    void act(Action action) override { actions.push_back(action); }

private:
    Output* output_ = nullptr;
};

} // namespace tavrin::game::testing
