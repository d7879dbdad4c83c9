// Pictures with known pixels for the renderer and picture tests.
#pragma once

#include "graphics/graphics_set.h"
#include "graphics/pixel_buffer.h"

#include <cstdint>

namespace tavrin::graphics::test {

// Every pixel a different, reproducible colour.
inline PixelBuffer noiseImage(int w, int h, std::uint32_t seed)
{
    PixelBuffer image(w, h);
    std::uint32_t x = seed * 2654435761u + 1u;
    for (int y = 0; y < h; ++y) {
        Rgb* line = image.line(y);
        for (int i = 0; i < w; ++i) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            line[i] = 0xFF000000u | (x & 0xFFFFFFu);
        }
    }
    return image;
}

// A background whose pixel (x, y) encodes its own coordinates.
inline PixelBuffer coordinateImage(int w, int h, int tag = 0)
{
    PixelBuffer image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y, rgb(x & 0xFF, y & 0xFF, tag));
        }
    }
    return image;
}

inline Rgb px(const PixelBuffer& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

// A set made of noise pictures in the right sizes.
inline GraphicsSet noiseSet(int items = 3)
{
    GraphicsSet set;
    set.builtinSheet = noiseImage(kSheetWidth, kSheetHeight, 1);
    set.builtinNormalBackground = noiseImage(256, 256, 2);
    set.builtinGoalBackground = noiseImage(256, 256, 3);
    set.builtinItemStrip = noiseImage(32 * items, 64, 4);
    for (int k = 0; k < kGraphicsKinds; ++k) {
        set.useBuiltin(k);
    }
    return set;
}

} // namespace tavrin::graphics::test
