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

    // A bundled picture of `kind` as the browser decoded it: `width` x
    // `height` pixels of R, G, B, A bytes. One that does not fit the kind is
    // refused; a kind without a picture at attach is drawn plainly.
    bool adoptPicture(int kind, const unsigned char* rgba, int width, int height);
    // Whether the board shows the goal background: the page fetches that
    // picture only then (or once the player is there).
    bool goalPictureWanted() const;
    // The pictures are in: tiles are drawn from `state` from now on.
    void attach(const GameState& state);
    const graphics::GraphicsSet& graphics() const { return graphics_; }

    void paint(const std::vector<game::Drawing>& drawings);

private:
    void present(graphics::TileTarget target) const;

    graphics::GraphicsSet graphics_;
    std::unique_ptr<graphics::Renderer> renderer_;
    const GameState* state_ = nullptr;
    bool goalPicture_ = false;  // adopted
    mutable bool goalAsked_ = false;
};

} // namespace tavrin::web
