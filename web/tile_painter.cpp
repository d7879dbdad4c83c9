#include "web/tile_painter.h"

#include "graphics/picture_files.h"
#include "graphics/screen_drawings.h"
#include "web/page_bridge.h"

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
            line[x] = graphics::rgb(p[0], p[1], p[2]);
        }
    }
    if (!graphics_.adoptBuiltin(kind, std::move(image))) {
        return false;
    }
    goalPicture_ = goalPicture_ || kind == graphics::kGoalBackground;
    return true;
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
    for (int kind = 0; kind < graphics::kGraphicsKinds; ++kind) {
        if (graphics_.current(kind).isNull()) {
            graphics_.adoptBuiltin(kind, drawnPicture(kind));
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
    tavrin_js_present(static_cast<int>(target.surface), target.index,
                      reinterpret_cast<const std::uint8_t*>(image->data()), image->width(), area.x, area.y,
                      area.width, area.height);
}

void PagePainter::paint(const std::vector<game::Drawing>& drawings)
{
    if (renderer_) {
        graphics::paintDrawings(*renderer_, drawings);
    }
}

} // namespace tavrin::web
