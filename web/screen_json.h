// The screen model as the page's script reads it: what changed, as JSON with
// named parts, texts in the player's language; and the boxes.
#pragma once

#include "engine/ui_text.h"
#include "game/box.h"
#include "game/screen.h"

#include <string>

namespace tavrin::web {

std::string screenJson(const game::Screen& screen, const game::ScreenChanges& changes,
                       const Text::Translate& translate);

// A box; `registration` is JSON already (the entry to register), or empty.
std::string boxJson(const game::Box& box, const Text::Translate& translate, const std::string& registration);

} // namespace tavrin::web
