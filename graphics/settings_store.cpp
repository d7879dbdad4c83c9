#include "graphics/settings_store.h"

#include <QSettings>

namespace tavrin::graphics {

QString programSettingsSection()
{
    return QStringLiteral("Tavrin for Windows");
}

QString QSettingsStore::value(const QString& key) const
{
    return settings_.value(programSettingsSection() + QLatin1Char('/') + key).toString();
}

void QSettingsStore::setValue(const QString& key, const QString& value)
{
    settings_.setValue(programSettingsSection() + QLatin1Char('/') + key, value);
}

} // namespace tavrin::graphics
