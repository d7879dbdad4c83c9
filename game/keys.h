// The keys of keyboard play and what they mean, the same on every window:
// each window only says which key was pressed.
#pragma once

#include <optional>
#include <string_view>

namespace tavrin::game {

enum class Key {
    Left, Right, Up, Down, // move the cell cursor
    Space, Enter,          // place on the cursor's cell
    Delete, Backspace,     // the free game's trash
    Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9, // palette entries 0..9
    Minus,                 // palette entry 10
    Equal, Caret,          // palette entry 11, the eraser ("^" beside "-" on Japanese keyboards)
    F1, F2, F3,            // the commands of the same shortcut
};
inline constexpr int kKeyCount = static_cast<int>(Key::F3) + 1;

// Keys held with these are left to the menus and shortcuts; Shift does not matter.
inline constexpr int kCtrlModifier = 2;
inline constexpr int kAltModifier = 4;
inline constexpr int kMetaModifier = 8;

struct KeyMeaning {
    enum class Kind { MoveCursor, Place, Discard, Palette, Shortcut };
    Kind kind = Kind::MoveCursor;
    int dx = 0;
    int dy = 0;
    int entry = -1;             // Palette
    std::string_view shortcut;  // Shortcut: "F1", "F2", "F3" as the command table writes them
};

KeyMeaning keyMeaning(Key key);

// The key a browser names in KeyboardEvent.key ("ArrowLeft", " ", "Enter",
// "0", "-", "F2", ...); nothing for a key that plays no part.
std::optional<Key> browserKey(std::string_view name);

// The cell one step (dx, dy) away from `cell`, held at the board's edges.
int steppedCell(int cell, int dx, int dy);

} // namespace tavrin::game
