// Bit-block transfers between 32-bit images with the three raster operations
// the tile composer needs, and the four fixed dissolve masks.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

namespace tavrin::graphics {

inline constexpr int kTile = 32;

enum class RasterOp {
    Copy,                  // dst := src
    NotSourceOrDest,       // dst := NOT (src OR dst)
    SourceAndNotDest,      // dst := src AND NOT dst
};

// Transfers `srcRect` of `src` to `dst` at `at` with `op`. Both images must be
// Format_RGB32; the rectangle is clipped against both images, so a transfer
// never reads or writes outside them.
void bitBlt(QImage& dst, QPoint at, const QImage& src, QRect srcRect, RasterOp op);

// Dissolve mask k (0..3) as a 32 x 32 black-and-white Format_RGB32 image.
// Mask 0: 8 x 8 pattern with 200 of every 256 pixels white; mask 1: white where
// x + y is odd; mask 2 and 3 are the complements of 0 and 1.
QImage makeDissolveMask(int k);

// A copy of `image` in Format_RGB32 (a null image stays null).
QImage toRgb32(const QImage& image);

} // namespace tavrin::graphics
