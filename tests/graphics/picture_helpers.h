// Pictures with known pixels for the graphics tests.
#pragma once

#include "graphics/graphics_set.h"
#include "graphics/program_settings.h"

#include <QImage>
#include <QString>

#include <cstdint>

namespace tavrin::graphics::test {

// An in-memory settings store seen through the program's section, the way the
// pictures and themes read and write it.
class ProgramSettings : public MemorySettingsStore {
public:
    QString value(const QString& key) const { return programSetting(*this, key); }
    void setValue(const QString& key, const QString& value) { setProgramSetting(*this, key, value); }
    bool contains(const QString& key) const
    {
        return MemorySettingsStore::contains(kSettingsApplication, key.toStdString());
    }
};

// Every pixel a different, reproducible colour.
inline QImage noiseImage(int w, int h, std::uint32_t seed)
{
    QImage image(w, h, QImage::Format_RGB32);
    std::uint32_t x = seed * 2654435761u + 1u;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
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
inline QImage coordinateImage(int w, int h, int tag = 0)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, tag));
        }
    }
    return image;
}

inline QRgb px(const QImage& image, int x, int y)
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

inline bool saveBmp(const QImage& image, const QString& path)
{
    return image.save(path, "BMP");
}

} // namespace tavrin::graphics::test
