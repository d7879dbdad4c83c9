// Composes the tiles with the shared renderer on plain pixel buffers and
// shows the finished buffers on the page's canvases.
#pragma once

#include "engine/game_state.h"
#include "game/screen.h"
#include "graphics/graphics_set.h"
#include "graphics/renderer.h"

#include <memory>
#include <vector>

namespace tavrin::web {

class PagePainter {
public:
    PagePainter();

    // A bundled picture of `kind` read by the page; a picture that is not a
    // BMP of the kind's size keeps the plain drawn one.
    bool adoptPicture(int kind, const unsigned char* bytes, std::size_t size);
    // The pictures are in: tiles are drawn from `state` from now on.
    void attach(const GameState& state);
    const graphics::GraphicsSet& graphics() const { return graphics_; }

    void paint(const std::vector<game::Drawing>& drawings);

private:
    void present(graphics::TileTarget target) const;

    graphics::GraphicsSet graphics_;
    std::unique_ptr<graphics::Renderer> renderer_;
};

} // namespace tavrin::web
