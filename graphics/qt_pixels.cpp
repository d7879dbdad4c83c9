#include "graphics/qt_pixels.h"

#include <QDir>

namespace tavrin::graphics {

PixelBuffer toPixelBuffer(const QImage& image)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
        return PixelBuffer();
    }
    const QImage rgb32 =
        image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    PixelBuffer pixels(rgb32.width(), rgb32.height());
    for (int y = 0; y < rgb32.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        Rgb* to = pixels.line(y);
        for (int x = 0; x < rgb32.width(); ++x) {
            to[x] = from[x] | kOpaque;
        }
    }
    return pixels;
}

QImage toQImage(const PixelBuffer& pixels)
{
    return wrapInQImage(pixels).copy();
}

QImage wrapInQImage(const PixelBuffer& pixels)
{
    if (pixels.isNull()) {
        return QImage();
    }
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), pixels.width(), pixels.height(),
                  pixels.bytesPerLine(), QImage::Format_RGB32);
}

GraphicsSet loadGraphicsSet(const QString& folder)
{
    GraphicsSet set = GraphicsSet::fallback();
    const QDir dir(folder);
    for (int k = 0; k < kGraphicsKinds; ++k) {
        set.adoptBuiltin(k, toPixelBuffer(QImage(dir.filePath(QString::fromLatin1(builtinFileName(k))))));
    }
    return set;
}

} // namespace tavrin::graphics
