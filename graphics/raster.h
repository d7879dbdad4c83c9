// Bit-block transfers between 32-bit pictures with the three raster operations
// the tile composer needs, and the four fixed dissolve masks.
#pragma once

#include "graphics/pixel_buffer.h"

namespace tavrin::graphics {

inline constexpr int kTile = 32;

enum class RasterOp {
    Copy,                  // dst := src
    NotSourceOrDest,       // dst := NOT (src OR dst)
    SourceAndNotDest,      // dst := src AND NOT dst
};

// Transfers `srcRect` of `src` to `dst` at `at` with `op` on the colour bits;
// the result stays opaque. The rectangle is clipped against both pictures, so
// a transfer never reads or writes outside them.
void bitBlt(PixelBuffer& dst, Point at, const PixelBuffer& src, Rect srcRect, RasterOp op);

// Dissolve mask k (0..3) as a 32 x 32 black-and-white picture.
// Mask 0: 8 x 8 pattern with 200 of every 256 pixels white; mask 1: white where
// x + y is odd; mask 2 and 3 are the complements of 0 and 1.
PixelBuffer makeDissolveMask(int k);

} // namespace tavrin::graphics
