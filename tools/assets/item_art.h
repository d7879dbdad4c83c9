// The three built-in items the roads must link: water, a sprout and the sun.
#pragma once

#include <QImage>
#include <QPainter>

namespace tavrin::assets {

inline constexpr int kItemKinds = 3;

// Paints item `kind` (0 water, 1 sprout, 2 sun) in a 32 x 32 coordinate system.
void paintItem(QPainter& painter, int kind);

// The 96 x 64 strip: column k is item k, image on top, mask below.
QImage makeItemStrip();

} // namespace tavrin::assets
