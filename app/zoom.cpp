#include "app/zoom.h"

#include "app/main_window.h"
#include "scores/settings_store.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace tavrin::app {

int defaultZoom(int availableWidth, int availableHeight)
{
    if (availableHeight >= 2800 && availableWidth >= 2400) {
        return 3;
    }
    if (availableHeight >= 1900 && availableWidth >= 1600) {
        return 2;
    }
    return 1;
}

int defaultZoom(const QScreen* screen)
{
    if (screen == nullptr) {
        return 1;
    }
    const QRect area = screen->availableGeometry();
    return defaultZoom(area.width(), area.height());
}

std::optional<int> parseZoom(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    if (text.size() != 1 || text[0] < '0' + kMinZoom || text[0] > '0' + kMaxZoom) {
        return std::nullopt;
    }
    return text[0] - '0';
}

std::string zoomText(int zoom)
{
    return std::to_string(std::clamp(zoom, kMinZoom, kMaxZoom));
}

int startZoom(const SettingsStore& settings, const QScreen* screen)
{
    if (const auto stored = parseZoom(settings.get(kZoomSection, kZoomKey, ""))) {
        return *stored;
    }
    return defaultZoom(screen);
}

namespace {

ScreenAreaHook& areaHook()
{
    static ScreenAreaHook hook;
    return hook;
}

} // namespace

void setScreenAreaHook(ScreenAreaHook hook)
{
    areaHook() = std::move(hook);
}

QRect screenArea(const QWidget& window)
{
    if (areaHook()) {
        return areaHook()(window);
    }
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

bool zoomFits(const MainWindow& window, int zoom)
{
    const QRect area = screenArea(window);
    if (area.isEmpty()) {
        return true; // nothing to measure against
    }
    const QSize needed = window.frameSizeAtZoom(zoom);
    return needed.width() <= area.width() && needed.height() <= area.height();
}

void offerFittingZooms(MainWindow& window)
{
    for (int z = kMinZoom; z <= kMaxZoom; ++z) {
        window.zoomAction(z)->setEnabled(z == kMinZoom || z == window.zoom() || zoomFits(window, z));
    }
}

void fitZoomToScreen(MainWindow& window)
{
    while (window.zoom() > kMinZoom && !zoomFits(window, window.zoom())) {
        int next = window.zoom() - 1;
        while (next > kMinZoom && !zoomFits(window, next)) {
            --next;
        }
        window.setZoom(next);
    }
    offerFittingZooms(window);
}

void connectZoomChoice(MainWindow& window, SettingsStore& settings)
{
    QObject::connect(window.zoomMenu(), &QMenu::aboutToShow, &window, [&window] { offerFittingZooms(window); });
    // Once the window is on a screen, it follows the window from one to another.
    QObject::connect(&window, &MainWindow::shown, &window, [&window] {
        if (QWindow* handle = window.windowHandle()) {
            QObject::connect(handle, &QWindow::screenChanged, &window, [&window] { fitZoomToScreen(window); });
        }
        fitZoomToScreen(window);
    });
    QObject::connect(&window, &MainWindow::zoomChosen, &window, [&window, &settings](int zoom) {
        if (!zoomFits(window, zoom) && zoom > window.zoom()) {
            return; // the screen has no room for it
        }
        window.setZoom(zoom);
        settings.save(kZoomSection, kZoomKey, zoomText(window.zoom()));
        // A window grown past its screen comes back onto it.
        const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
        if (screen == nullptr) {
            return;
        }
        const QRect area = screen->availableGeometry();
        const QRect frame = window.frameGeometry();
        QPoint at = frame.topLeft();
        at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - frame.width())));
        at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - frame.height())));
        if (at != frame.topLeft()) {
            window.move(at);
        }
    });
}

} // namespace tavrin::app
