// Whether the program has anything to show its window on.
#pragma once

namespace tavrin::app {

// True when DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set and not empty.
// Without any of them Qt would abort while creating the application object.
bool hasDisplay();

} // namespace tavrin::app
