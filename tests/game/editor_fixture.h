// A controller with the editor attached, driven through a scripted front end.
#pragma once

#include "game/editor.h"
#include "tests/game/flow_fixture.h"

namespace tavrin::game::testing {

class EditorFixture : public ::testing::Test, public Flow {
protected:
    EditorFixture() : Flow(20261208) { ctl.attachEditor(&editor); }

    void enterEditor() { command(Command::EditMode, Source::Toolbar); }

    // Selects `entry` in the palette, clicks `cell` and plays the placement
    // sequence (and a take-back, if any) to its end.
    void place(int cell, int entry)
    {
        palette(entry);
        click(cell);
        runEvaluation();
    }

    // The player types into the comment box.
    void typeComment(const std::string& text) { input([&] { ctl.commentEdited(text); }); }
    void spin(int value) { input([&] { ctl.spinnerChanged(value); }); }
    std::string comment() const { return screen().comment.text.japanese(); }

    // A 2 x 2 ring at the top-left corner: one group, loop points 16.
    void buildRing(int origin = 0)
    {
        place(origin, 4);
        place(origin + 1, 5);
        place(origin + 8, 3);
        place(origin + 9, 2);
    }

    const Puzzle& current() const { return editor.collection().current(); }
    bool boardMatchesPuzzle() const
    {
        for (int i = 0; i < kCellCount; ++i) {
            if (state.board[i] != current().cells[i]) {
                return false;
            }
        }
        return true;
    }

    Editor editor{ctl};
};

} // namespace tavrin::game::testing
