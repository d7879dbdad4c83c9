// The page's running game, for the test build's hooks.
#pragma once

namespace tavrin::web {

class PageGame;

// Null before tavrin_start.
PageGame* runningPage();

} // namespace tavrin::web
