// The drawings a screen change set asks for, composed by the renderer: the
// one mapping from the game's tile targets to the renderer's surfaces, shared
// by the desktop window and the page. The renderer's presenter is told which
// surface to show after each.
#pragma once

#include "game/screen.h"
#include "graphics/renderer.h"

#include <optional>
#include <vector>

namespace tavrin::graphics {

// The surface a tile goes to, or nothing when its index is out of range.
std::optional<TileTarget> tileTarget(const game::TileDraw& tile);

// Composes every drawing in order.
void paintDrawings(Renderer& renderer, const std::vector<game::Drawing>& drawings);

} // namespace tavrin::graphics
