// The screen model as the page's script reads it: what changed, as JSON with
// named parts, texts in the player's language; the boxes; and the tables the
// page builds its menus and toolbar from. The script keeps no numbers of its
// own: every command, menu and surface number comes from here.
#pragma once

#include "engine/ui_text.h"
#include "game/box.h"
#include "game/screen.h"

#include <string>

namespace tavrin::web {

// Whether the page offers `command` (the editor, the eco themes and the
// registration address stay on the desktop).
bool pageOffers(game::Command command);

std::string screenJson(const game::Screen& screen, const game::ScreenChanges& changes,
                       const Text::Translate& translate);

// A box; `registration` is JSON already (the entry to register), or empty.
std::string boxJson(const game::Box& box, const Text::Translate& translate, const std::string& registration);

// Menus, toolbar, commands with their shortcuts, surfaces, sounds.
std::string pageTablesJson();

} // namespace tavrin::web
