#include "graphics/pixel_buffer.h"

namespace tavrin::graphics {

PixelBuffer::PixelBuffer(int width, int height, Rgb fill)
{
    if (width <= 0 || height <= 0) {
        return;
    }
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

Rgb PixelBuffer::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    return line(y)[x];
}

void PixelBuffer::setPixel(int x, int y, Rgb colour)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    line(y)[x] = colour;
}

void PixelBuffer::fill(Rgb colour)
{
    std::fill(pixels_.begin(), pixels_.end(), colour);
}

void PixelBuffer::fillRect(Rect area, Rgb colour)
{
    const Rect r = area.intersected(rect());
    if (r.isEmpty()) {
        return;
    }
    for (int y = r.y; y < r.y + r.height; ++y) {
        Rgb* row = line(y) + r.x;
        std::fill(row, row + r.width, colour);
    }
}

PixelBuffer PixelBuffer::copy(Rect area) const
{
    const Rect r = area.intersected(rect());
    if (r.isEmpty()) {
        return PixelBuffer();
    }
    PixelBuffer part(r.width, r.height);
    for (int y = 0; y < r.height; ++y) {
        const Rgb* from = line(r.y + y) + r.x;
        std::copy(from, from + r.width, part.line(y));
    }
    return part;
}

} // namespace tavrin::graphics
