// Between Qt's pictures and the plain pixel buffers the tiles are composed on.
#pragma once

#include "graphics/graphics_set.h"
#include "graphics/pixel_buffer.h"

#include <QImage>
#include <QString>

namespace tavrin::graphics {

// The pixels of `image`, opaque (a null image gives the null buffer).
PixelBuffer toPixelBuffer(const QImage& image);
// A copy of `pixels` as a Format_RGB32 image.
QImage toQImage(const PixelBuffer& pixels);
// A read-only Format_RGB32 image on the memory of `pixels`, no copy: it shows
// whatever is drawn into the buffer later, and must not outlive it.
QImage wrapInQImage(const PixelBuffer& pixels);

// The built-in pictures read with Qt's picture loader from `folder`
// (builtinFileName); any that is missing or does not meet its rule is the
// plain drawn one.
GraphicsSet loadGraphicsSet(const QString& folder);

} // namespace tavrin::graphics
