#include "app/qt_settings_store.h"

#include <QString>
#include <QStringList>

namespace tavrin::app {

namespace {

QString q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// QSettings treats "/" as a group separator, so a section that is a file path
// becomes nested groups; reading, writing and removing it go the same way.
QString fullKey(std::string_view section, std::string_view key)
{
    return q(section) + u'/' + q(key);
}

} // namespace

std::unique_ptr<QSettings> openSettings()
{
    const QString name = q(kSettingsApplication);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, name, name);
}

QtSettingsStore::QtSettingsStore() : settings_(openSettings()) {}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> settings) : settings_(std::move(settings)) {}

std::string QtSettingsStore::get(std::string_view section, std::string_view key,
                                 std::string_view fallback) const
{
    const QVariant value = settings_->value(fullKey(section, key));
    if (!value.isValid()) {
        return std::string(fallback);
    }
    // A hand-edited value with commas comes back as a list: take it as written.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    }
    if (!value.canConvert<QString>()) {
        return std::string(fallback);
    }
    return value.toString().toStdString();
}

void QtSettingsStore::save(std::string_view section, std::string_view key, std::string_view value)
{
    settings_->setValue(fullKey(section, key), q(value));
}

void QtSettingsStore::deleteKey(std::string_view section, std::string_view key)
{
    settings_->remove(fullKey(section, key));
}

void QtSettingsStore::deleteSection(std::string_view section)
{
    if (!section.empty()) {
        settings_->remove(q(section));
    }
}

void QtSettingsStore::sync()
{
    settings_->sync();
}

} // namespace tavrin::app
