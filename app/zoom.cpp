#include "app/zoom.h"

#include "app/main_window.h"
#include "scores/settings_store.h"

#include <QGuiApplication>
#include <QScreen>

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

void connectZoomChoice(MainWindow& window, SettingsStore& settings)
{
    QObject::connect(&window, &MainWindow::zoomChosen, &window, [&window, &settings](int zoom) {
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
