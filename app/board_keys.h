// The Qt keys of keyboard play: which of the game's keys each one is. What
// the keys do is the game's (game/keys.h), the same in every window.
#pragma once

#include "game/keys.h"

#include <Qt>

#include <optional>

namespace tavrin::app {

// The game's key for `key`; nothing for keys that play no part, or that are
// held with Ctrl, Alt or Meta (those are left to the menus and shortcuts).
// Shift and the keypad do not matter.
std::optional<game::Key> boardKey(int key, Qt::KeyboardModifiers modifiers);

} // namespace tavrin::app
