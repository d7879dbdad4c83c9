#include "web/tile_painter.h"

#include "graphics/picture_files.h"
#include "graphics/screen_drawings.h"
#include "web/page_bridge.h"

namespace tavrin::web {

using graphics::Surface;
using graphics::TileTarget;

PagePainter::PagePainter() : graphics_(graphics::GraphicsSet::fallback()) {}

bool PagePainter::adoptPicture(int kind, const unsigned char* bytes, std::size_t size)
{
    return graphics_.adoptBuiltin(kind, graphics::decodeBmp(bytes, size));
}

void PagePainter::attach(const GameState& state)
{
    renderer_ = std::make_unique<graphics::Renderer>(graphics_, state);
    renderer_->setPresenter([this](TileTarget target) { present(target); });
}

// Sends the part of a surface that changed: one cell of the board, or the
// whole picture of the board, the panel or a palette entry.
void PagePainter::present(TileTarget target) const
{
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
