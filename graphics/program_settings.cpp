#include "graphics/program_settings.h"

#include <climits>

namespace tavrin::graphics {

QString programSetting(const SettingsStore& settings, const QString& key)
{
    // Every value here is a file path: one longer than the system takes is
    // cut there (it names no file, and is reported and forgotten as such).
    std::string value = settings.get(kSettingsApplication, key.toStdString(), "");
    if (value.size() >= PATH_MAX) {
        std::size_t end = PATH_MAX - 1;
        while (end > 0 && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80) {
            --end; // not inside a character
        }
        value.resize(end);
    }
    return QString::fromStdString(value);
}

void setProgramSetting(SettingsStore& settings, const QString& key, const QString& value)
{
    settings.save(kSettingsApplication, key.toStdString(), value.toStdString());
}

} // namespace tavrin::graphics
