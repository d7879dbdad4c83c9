// Pictures with known pixels for the graphics tests.
#pragma once

#include "graphics/graphics_set.h"
#include "graphics/program_settings.h"
#include "graphics/qt_pixels.h"
#include "render/pixel_helpers.h"

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

inline QRgb px(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

inline bool saveBmp(const QImage& image, const QString& path)
{
    return image.save(path, "BMP");
}

inline bool saveBmp(const PixelBuffer& image, const QString& path)
{
    return saveBmp(toQImage(image), path);
}

} // namespace tavrin::graphics::test
