#include "graphics/program_settings.h"

namespace tavrin::graphics {

QString programSetting(const SettingsStore& settings, const QString& key)
{
    return QString::fromStdString(settings.get(kSettingsApplication, key.toStdString(), ""));
}

void setProgramSetting(SettingsStore& settings, const QString& key, const QString& value)
{
    settings.save(kSettingsApplication, key.toStdString(), value.toStdString());
}

} // namespace tavrin::graphics
