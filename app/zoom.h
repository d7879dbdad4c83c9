// The window's zoom: how many screen pixels each pixel of the 32 x 32 tiles
// takes (1, 2 or 3), remembered in the settings under "Options" / "Zoom".
// Without a remembered choice it follows the screen: Qt measures screens in
// logical pixels (the device pixel ratio already applied), so a high-density
// screen that the desktop scales is not counted twice.
#pragma once

#include <QRect>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QScreen;
class QWidget;

namespace tavrin {
class SettingsStore;
}

namespace tavrin::app {

class MainWindow;

inline constexpr std::string_view kZoomSection = "Options";
inline constexpr std::string_view kZoomKey = "Zoom";

// ×3 from 2800 logical pixels of available height (and 2400 of width), ×2
// from 1900 (and 1600 of width), else ×1.
int defaultZoom(int availableWidth, int availableHeight);
// The same for a screen; ×1 without one.
int defaultZoom(const QScreen* screen);

// A remembered value "1", "2" or "3"; nothing for anything else.
std::optional<int> parseZoom(std::string_view text);
std::string zoomText(int zoom);

// The zoom to start with: the remembered one, else the screen's default.
// The window may still take a smaller one when this does not fit its screen
// (fitZoomToScreen).
int startZoom(const SettingsStore& settings, const QScreen* screen);

// The area the window may fill: its screen's available geometry (the desktop
// without its panels). A hook set here answers instead (tests pick a screen).
using ScreenAreaHook = std::function<QRect(const QWidget&)>;
void setScreenAreaHook(ScreenAreaHook hook);
QRect screenArea(const QWidget& window);

// Whether the whole window, frame included, fits the screen's area at `zoom`.
bool zoomFits(const MainWindow& window, int zoom);
// Offers in the menu only the zooms whose window fits (×1 always).
void offerFittingZooms(MainWindow& window);
// Steps down to the largest zoom that fits when the current one does not
// (a window moved to a smaller screen, a kept choice from a larger one). The
// kept choice in the settings stays as it is.
void fitZoomToScreen(MainWindow& window);

// Applies and remembers the zoom the player picks in the window's menu,
// keeping the window on its screen; offers only the zooms that fit, and
// follows the window to another screen.
void connectZoomChoice(MainWindow& window, SettingsStore& settings);

} // namespace tavrin::app
