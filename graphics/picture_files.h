// Reading the bundled pictures and writing PNG files without a window
// toolkit: the command-line tool and the browser use these, the game window
// reads pictures through its own loader.
#pragma once

#include "graphics/graphics_set.h"
#include "graphics/pixel_buffer.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tavrin::graphics {

// Largest picture file read (bytes) and picture accepted (pixels a side).
inline constexpr std::size_t kMaxPictureFileBytes = 64u << 20;
inline constexpr int kMaxPictureSide = 16384;

// A BMP file's pixels, opaque; the null picture when the bytes are not a BMP
// picture this reader understands.
PixelBuffer decodeBmp(const unsigned char* bytes, std::size_t size);
PixelBuffer decodeBmp(const std::vector<unsigned char>& bytes);
// The same from a file; only a plain file is read (never a pipe or device).
PixelBuffer readBmpFile(const std::string& path);

// The built-in pictures from `folder` (builtinFileName); any that is missing
// or does not meet its rule is the plain drawn one, so the set is always
// usable. All current pictures start as the built-ins.
GraphicsSet readBuiltinGraphics(const std::string& folder);

// The picture as a PNG file (8-bit RGB, no alpha).
std::vector<unsigned char> encodePng(const PixelBuffer& image);
// Writes encodePng(image) to `path` through a temporary file renamed over it.
// An empty string on success, else a one-line reason.
std::string writePngFile(const std::string& path, const PixelBuffer& image);

} // namespace tavrin::graphics
