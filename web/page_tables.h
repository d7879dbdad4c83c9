// The tables the page's script builds its menus and toolbar from and reads
// every number by: the commands the page offers in the desktop's order, the
// toolbar, the shortcuts, the drawing surfaces, the sounds. The script keeps
// no numbers of its own; these are written into the site when it is built
// (tools/page_tables.cpp).
#pragma once

#include "game/command.h"

#include <string>

namespace tavrin::web {

// Whether the page offers `command` (the editor, the eco themes and the
// registration address stay on the desktop).
bool pageOffers(game::Command command);

// The tables as JSON.
std::string pageTablesJson();

} // namespace tavrin::web
