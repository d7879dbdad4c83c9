// The keys of keyboard play and what they mean on the board, apart from any
// widget so that the mapping can be checked on its own.
#pragma once

#include <Qt>

namespace tavrin::app {

enum class KeyAction {
    None,    // not a key of the board
    Move,    // arrow: move the cell cursor by (dx, dy)
    Place,   // Space, Enter: place on the cursor cell
    Discard, // Delete, Backspace: the trash of the free game
    Palette, // 0-9, "-", "=" (or "^"): palette entry 0..11
};

struct BoardKey {
    KeyAction action = KeyAction::None;
    int dx = 0;
    int dy = 0;
    int entry = -1; // palette entry for KeyAction::Palette
};

// What `key` does. Keys held with Ctrl, Alt or Meta are left to the menus
// and shortcuts; Shift and the keypad do not matter.
BoardKey boardKey(int key, Qt::KeyboardModifiers modifiers);

// The cell one step (dx, dy) away from `cell`, held at the board's edges.
int steppedCell(int cell, int dx, int dy);

} // namespace tavrin::app
