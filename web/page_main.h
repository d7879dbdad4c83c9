// The one game the page runs, for the parts of the page built around
// page_main.cpp's entry points.
#pragma once

#include "web/page_game.h"

#include <string>

namespace tavrin::web {

// The game started by tavrin_start (only valid after it).
PageGame& runningPage();
// Keeps `text` until the next call and returns it for the page's script.
const char* keepReply(std::string text);

} // namespace tavrin::web
