#include "graphics/raster.h"

#include <QPainter>

#include <array>
#include <cstdint>

namespace tavrin::graphics {

namespace {

QPainter::CompositionMode modeOf(RasterOp op)
{
    switch (op) {
    case RasterOp::NotSourceOrDest: return QPainter::RasterOp_NotSourceAndNotDestination;
    case RasterOp::SourceAndNotDest: return QPainter::RasterOp_SourceAndNotDestination;
    case RasterOp::Copy: break;
    }
    return QPainter::CompositionMode_Source;
}

} // namespace

void bitBlt(QImage& dst, QPoint at, const QImage& src, QRect srcRect, RasterOp op)
{
    if (dst.isNull() || src.isNull()) {
        return;
    }
    // Clip the source rectangle to the source image, moving the destination along.
    const QRect clippedSrc = srcRect.intersected(src.rect());
    at += clippedSrc.topLeft() - srcRect.topLeft();
    // Then clip the destination rectangle to the destination image.
    QRect dstRect(at, clippedSrc.size());
    const QRect clippedDst = dstRect.intersected(dst.rect());
    if (clippedDst.isEmpty()) {
        return;
    }
    const QRect finalSrc(clippedSrc.topLeft() + (clippedDst.topLeft() - dstRect.topLeft()), clippedDst.size());

    QPainter painter(&dst);
    painter.setCompositionMode(modeOf(op));
    painter.drawImage(clippedDst.topLeft(), src, finalSrc);
}

QImage makeDissolveMask(int k)
{
    static constexpr std::array<std::uint8_t, 8> kPattern{0xFF, 0xD5, 0xFF, 0x55, 0xFF, 0x5D, 0xFF, 0x55};
    QImage mask(kTile, kTile, QImage::Format_RGB32);
    for (int y = 0; y < kTile; ++y) {
        auto* line = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < kTile; ++x) {
            bool white = false;
            switch (k & 3) {
            case 0: white = ((kPattern[y % 8] >> (7 - x % 8)) & 1u) != 0; break;
            case 1: white = (x + y) % 2 == 1; break;
            case 2: white = ((kPattern[y % 8] >> (7 - x % 8)) & 1u) == 0; break;
            default: white = (x + y) % 2 == 0; break;
            }
            line[x] = white ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }
    return mask;
}

QImage toRgb32(const QImage& image)
{
    if (image.isNull() || image.format() == QImage::Format_RGB32) {
        return image;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace tavrin::graphics
