// The application icon and the small pictures of the help pages, drawn
// from the same road, land and item art as the game's pictures.
#pragma once

#include <QImage>

namespace tavrin::assets {

// A square icon of `size` pixels: a lit road crossing on green land with
// water, sun and a sprout in its corners.
QImage makeIcon(int size);

// Every piece on dry land in the plain look above the same piece on green
// land in the lit look, at twice the size.
QImage makePiecesChart(const QImage& sheet, const QImage& normalLand, const QImage& greenLand);

// The items on dry land, at twice the size.
QImage makeItemsChart(const QImage& items, const QImage& normalLand);

// A sheet or item strip cut into its 32 x 32 cells with a thin gap between
// them, at twice the size, so each cell can be told apart.
QImage makeCellChart(const QImage& picture);

// A picture enlarged `factor` times without smoothing, so every pixel stays visible.
QImage enlarged(const QImage& image, int factor);

} // namespace tavrin::assets
