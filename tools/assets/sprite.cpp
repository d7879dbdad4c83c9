#include "sprite.h"

namespace tavrin::assets {

QImage emptySprite()
{
    QImage img(kTile, kTile, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void putSprite(QImage& target, const QImage& sprite, QPoint imageAt, QPoint maskAt)
{
    const QImage src = sprite.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            const QRgb p = src.pixel(x, y);
            const bool opaque = qAlpha(p) >= 128;
            const QRgb colour = opaque ? qRgb(qRed(p), qGreen(p), qBlue(p)) : qRgb(255, 255, 255);
            target.setPixel(imageAt.x() + x, imageAt.y() + y, colour);
            target.setPixel(maskAt.x() + x, maskAt.y() + y, opaque ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
    }
}

QImage maskedCopy(const QImage& under, const QImage& image, const QImage& mask)
{
    QImage out = under.convertToFormat(QImage::Format_RGB32);
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    const QImage msk = mask.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height() && y < img.height() && y < msk.height(); ++y) {
        for (int x = 0; x < out.width() && x < img.width() && x < msk.width(); ++x) {
            const QRgb v = img.pixel(x, y) & (out.pixel(x, y) | msk.pixel(x, y));
            out.setPixel(x, y, v | 0xFF000000u);
        }
    }
    return out;
}

} // namespace tavrin::assets
