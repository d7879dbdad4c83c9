// Turning antialiased drawings into the game's image + mask pairs.
//
// The game draws a piece or item as image AND (background OR mask): the image
// is white wherever the sprite is transparent, the mask is white where it is
// opaque and black elsewhere. Pixels at least half covered count as opaque.
#pragma once

#include <QImage>
#include <QPoint>

namespace tavrin::assets {

inline constexpr int kTile = 32;

// A transparent 32 x 32 ARGB canvas to draw one sprite on.
QImage emptySprite();

// Writes the image of `sprite` at `imageAt` and its mask at `maskAt` of `target`.
void putSprite(QImage& target, const QImage& sprite, QPoint imageAt, QPoint maskAt);

// The game's masked copy: image AND (under OR mask), per colour bit.
QImage maskedCopy(const QImage& under, const QImage& image, const QImage& mask);

} // namespace tavrin::assets
