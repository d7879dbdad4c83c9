// A controller with the editor attached, driven through a fake window.
#pragma once

#include "engine/game_state.h"
#include "fake_window.h"
#include "game/controller.h"
#include "game/editor.h"
#include "game/random.h"

#include <gtest/gtest.h>

namespace tavrin::game::testing {

class EditorFixture : public ::testing::Test {
protected:
    EditorFixture() { ctl.attachEditor(&editor); }

    void enterEditor() { ctl.command(Command::EditMode, Source::Toolbar); }

    // Selects `entry` in the palette, clicks `cell` and plays the placement
    // sequence (and a take-back, if any) to its end.
    void place(int cell, int entry)
    {
        ctl.palettePressed(entry, 0);
        ctl.cellReleased(cell);
        finishSequence();
    }
    void finishSequence()
    {
        for (int i = 0; i < 40 && w.isRunning(Timer::Evaluation); ++i) {
            ctl.timerTick(Timer::Evaluation);
        }
    }

    // The user types into the comment box.
    void typeComment(const std::string& text)
    {
        w.comment = text;
        ctl.commentEdited(text);
    }

    // A 2 x 2 ring at the top-left corner: one group, loop points 16.
    void buildRing(int origin = 0)
    {
        place(origin, 4);
        place(origin + 1, 5);
        place(origin + 8, 3);
        place(origin + 9, 2);
    }

    const Puzzle& current() const { return editor.collection().current(); }
    bool enabled(Command c) { return w.command(c).enabled; }
    bool checked(Command c) { return w.command(c).checked; }
    bool boardMatchesPuzzle() const
    {
        for (int i = 0; i < kCellCount; ++i) {
            if (s.board[i] != current().cells[i]) {
                return false;
            }
        }
        return true;
    }

    GameState s;
    FakeWindow w;
    RandomSource rnd{20261208};
    GameController ctl{s, w, rnd};
    Editor editor{ctl};
};

} // namespace tavrin::game::testing
