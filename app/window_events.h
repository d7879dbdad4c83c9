// What the window reports to the game: commands, mouse actions, timer ticks
// and edits. The game controller receives them through this interface.
#pragma once

#include "game/window.h"

#include <string>

namespace tavrin::app {

class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void command(game::Command command, bool fromToolbar) = 0;
    virtual void cellReleased(int cell) = 0;
    virtual void cellHovered(int cell) = 0;
    // `shiftState`: 1 Shift, 2 Ctrl, 4 Alt, summed.
    virtual void palettePressed(int entry, int shiftState) = 0;
    virtual void trashReleased() = 0;
    virtual void timerTick(game::Timer timer) = 0;
    virtual void commentEdited(const std::string& text) = 0;
    virtual void spinnerChanged(int value) = 0;
    virtual void editorOptionClicked(game::EditorOption option) = 0;
};

} // namespace tavrin::app
