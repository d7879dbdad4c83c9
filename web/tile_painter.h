// Composes the tiles with the shared renderer on plain pixel buffers and
// shows the finished buffers on the page's canvases.
#pragma once

#include "engine/game_state.h"
#include "game/screen.h"
#include "graphics/graphics_set.h"
#include "graphics/renderer.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tavrin::web {

class PagePainter {
public:
    PagePainter();

    // A bundled picture of `kind` as the browser decoded it: `width` x
    // `height` pixels of R, G, B, A bytes. One that does not fit the kind is
    // refused; a kind without a picture at attach (but the goal background,
    // which may come later) is drawn plainly.
    bool adoptPicture(int kind, const unsigned char* rgba, int width, int height);
    // The page could not give the picture of `kind`: it is drawn plainly.
    void drawPicture(int kind);
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
    mutable std::vector<std::uint32_t> shown_; // the part being shown, as R, G, B, A bytes
    bool goalPicture_ = false;  // adopted
    mutable bool goalAsked_ = false;
};

} // namespace tavrin::web
