#include "graphics/raster.h"

#include <array>
#include <cstring>

namespace tavrin::graphics {

void bitBlt(PixelBuffer& dst, Point at, const PixelBuffer& src, Rect srcRect, RasterOp op)
{
    if (dst.isNull() || src.isNull()) {
        return;
    }
    // Clip the source rectangle to the source picture, moving the destination along.
    const Rect clippedSrc = srcRect.intersected(src.rect());
    at = at + (clippedSrc.topLeft() - srcRect.topLeft());
    // Then clip the destination rectangle to the destination picture.
    const Rect dstRect{at.x, at.y, clippedSrc.width, clippedSrc.height};
    const Rect clippedDst = dstRect.intersected(dst.rect());
    if (clippedDst.isEmpty()) {
        return;
    }
    const Point from = clippedSrc.topLeft() + (clippedDst.topLeft() - dstRect.topLeft());
    const int w = clippedDst.width;
    const auto bytes = static_cast<std::size_t>(w) * sizeof(Rgb);
    for (int row = 0; row < clippedDst.height; ++row) {
        const Rgb* s = src.line(from.y + row) + from.x;
        Rgb* d = dst.line(clippedDst.y + row) + clippedDst.x;
        switch (op) {
        case RasterOp::Copy: std::memmove(d, s, bytes); break;
        case RasterOp::NotSourceOrDest:
            for (int i = 0; i < w; ++i) {
                d[i] = ~(s[i] | d[i]) | kOpaque;
            }
            break;
        case RasterOp::SourceAndNotDest:
            for (int i = 0; i < w; ++i) {
                d[i] = (s[i] & ~d[i]) | kOpaque;
            }
            break;
        }
    }
}

PixelBuffer makeDissolveMask(int k)
{
    static constexpr std::array<std::uint8_t, 8> kPattern{0xFF, 0xD5, 0xFF, 0x55, 0xFF, 0x5D, 0xFF, 0x55};
    PixelBuffer mask(kTile, kTile);
    for (int y = 0; y < kTile; ++y) {
        Rgb* line = mask.line(y);
        for (int x = 0; x < kTile; ++x) {
            bool white = false;
            switch (k & 3) {
            case 0: white = ((kPattern[static_cast<std::size_t>(y % 8)] >> (7 - x % 8)) & 1u) != 0; break;
            case 1: white = (x + y) % 2 == 1; break;
            case 2: white = ((kPattern[static_cast<std::size_t>(y % 8)] >> (7 - x % 8)) & 1u) == 0; break;
            default: white = (x + y) % 2 == 0; break;
            }
            line[x] = white ? kWhitePixel : kBlackPixel;
        }
    }
    return mask;
}

} // namespace tavrin::graphics
