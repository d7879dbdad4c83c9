#include "web/tile_painter.h"

#include "graphics/picture_files.h"
#include "graphics/screen_drawings.h"
#include "web/page_bridge.h"

#include <cstring>

namespace tavrin::web {

using graphics::Surface;
using graphics::TileTarget;

namespace {

graphics::PixelBuffer drawnPicture(int kind)
{
    switch (kind) {
    case graphics::kHyperRoadSheet: return graphics::drawFallbackSheet();
    case graphics::kNormalBackground: return graphics::drawFallbackBackground(false);
    case graphics::kGoalBackground: return graphics::drawFallbackBackground(true);
    default: return graphics::drawFallbackItems();
    }
}

// 0xAARRGGBB and the canvas's R, G, B, A bytes read as one little-endian
// word differ in the places of red and blue; the pixels are opaque either way.
constexpr std::uint32_t swapRedBlue(std::uint32_t pixel)
{
    return 0xFF000000u | ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

} // namespace

// The pictures come from the page; only those it could not give are drawn
// (attach), so a start with all of them draws none.
PagePainter::PagePainter() = default;

bool PagePainter::adoptPicture(int kind, const unsigned char* rgba, int width, int height)
{
    if (rgba == nullptr || width <= 0 || height <= 0 || width > graphics::kMaxPictureSide ||
        height > graphics::kMaxPictureSide) {
        return false;
    }
    graphics::PixelBuffer image(width, height);
    const unsigned char* p = rgba;
    for (int y = 0; y < height; ++y) {
        graphics::Rgb* line = image.line(y);
        for (int x = 0; x < width; ++x, p += 4) {
            std::uint32_t bytes = 0;
            std::memcpy(&bytes, p, 4);
            line[x] = swapRedBlue(bytes);
        }
    }
    if (!graphics_.adoptBuiltin(kind, std::move(image))) {
        return false;
    }
    goalPicture_ = goalPicture_ || kind == graphics::kGoalBackground;
    return true;
}

void PagePainter::drawPicture(int kind)
{
    if (kind >= 0 && kind < graphics::kGraphicsKinds && graphics_.current(kind).isNull()) {
        graphics_.adoptBuiltin(kind, drawnPicture(kind));
    }
}

bool PagePainter::goalPictureWanted() const
{
    if (goalPicture_ || state_ == nullptr) {
        return false;
    }
    for (int cell = 0; cell < kCellCount; ++cell) {
        if (graphics::onGoalBackground(*state_, cell)) {
            return true;
        }
    }
    return false;
}

void PagePainter::attach(const GameState& state)
{
    state_ = &state;
    // (The goal background comes later; it is drawn only if it cannot be had.)
    for (int kind = 0; kind < graphics::kGraphicsKinds; ++kind) {
        if (kind != graphics::kGoalBackground) {
            drawPicture(kind);
        }
    }
    renderer_ = std::make_unique<graphics::Renderer>(graphics_, state);
    renderer_->setPresenter([this](TileTarget target) { present(target); });
}

// Sends the part of a surface that changed: one cell of the board, or the
// whole picture of the board, the panel or a palette entry.
void PagePainter::present(TileTarget target) const
{
    if (target.surface == Surface::Board && !goalAsked_ && goalPictureWanted()) {
        goalAsked_ = true;
        tavrin_js_want_picture(graphics::kGoalBackground);
    }
    const graphics::PixelBuffer* image = &renderer_->boardImage();
    graphics::Rect area = image->rect();
    if (target.surface == Surface::Board && target.index >= 0) {
        area = {(target.index % 8) * graphics::kTile, (target.index / 8) * graphics::kTile, graphics::kTile,
                graphics::kTile};
    } else if (target.surface == Surface::Panel) {
        image = &renderer_->panelImage();
        area = image->rect();
    } else if (target.surface == Surface::Palette) {
        image = &renderer_->paletteImage(target.index);
        area = image->rect();
    }
    // Sent as the canvas takes them, so that the page shows them as they are.
    shown_.resize(static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height));
    std::uint32_t* out = shown_.data();
    for (int y = area.y; y < area.y + area.height; ++y) {
        const graphics::Rgb* line = image->line(y) + area.x;
        for (int x = 0; x < area.width; ++x) {
            *out++ = swapRedBlue(line[x]);
        }
    }
    tavrin_js_present(static_cast<int>(target.surface), target.index,
                      reinterpret_cast<const std::uint8_t*>(shown_.data()), area.x, area.y, area.width,
                      area.height);
}

void PagePainter::paint(const std::vector<game::Drawing>& drawings)
{
    if (renderer_) {
        graphics::paintDrawings(*renderer_, drawings);
    }
}

} // namespace tavrin::web
