// The pictures and themes remember their files ("fn0".."fn3", "Theme File")
// in the program's own section of the game's settings store.
#pragma once

#include "scores/settings_store.h"

#include <QString>

namespace tavrin::graphics {

// "" when the key is absent.
QString programSetting(const SettingsStore& settings, const QString& key);
void setProgramSetting(SettingsStore& settings, const QString& key, const QString& value);

} // namespace tavrin::graphics
