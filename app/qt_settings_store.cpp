#include "app/qt_settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

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

// Whether a new settings file can be written in the folder of `file` (the
// store replaces the file by a new one) and the file itself be replaced.
bool folderWritable(const QString& file)
{
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder)) {
        return false;
    }
    QTemporaryFile probe(folder + QStringLiteral("/.probe-XXXXXX"));
    return probe.open();
}

} // namespace

QString settingsFilePath()
{
    const QString name = q(kSettingsApplication);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty()) {
        folder = QDir::homePath() + QStringLiteral("/.config");
    }
    return folder + u'/' + name + u'/' + name + QStringLiteral(".conf");
}

std::unique_ptr<QSettings> openSettings()
{
    return std::make_unique<QSettings>(settingsFilePath(), QSettings::IniFormat);
}

QtSettingsStore::QtSettingsStore() : QtSettingsStore(settingsFilePath()) {}

QtSettingsStore::QtSettingsStore(const QString& file) : file_(file)
{
    const QFileInfo info(file);
    if (info.exists() && (!info.isFile() || info.size() > kMaxSettingsFileBytes)) {
        keeping_ = Keeping::FileUnusable;
        return;
    }
    settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
    if (!settings_->isWritable() || !folderWritable(file)) {
        keeping_ = Keeping::FolderNotWritable;
    }
}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> settings)
    : settings_(std::move(settings)), file_(settings_->fileName())
{
}

std::string QtSettingsStore::get(std::string_view section, std::string_view key,
                                 std::string_view fallback) const
{
    if (!settings_) {
        return memory_.get(section, key, fallback);
    }
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
    if (!settings_) {
        memory_.save(section, key, value);
        return;
    }
    const QString name = fullKey(section, key);
    const QString text = q(value);
    const QVariant old = settings_->value(name);
    if (old.typeId() == QMetaType::QString && old.toString() == text) {
        return;
    }
    settings_->setValue(name, text);
}

void QtSettingsStore::deleteKey(std::string_view section, std::string_view key)
{
    if (!settings_) {
        memory_.deleteKey(section, key);
        return;
    }
    const QString name = fullKey(section, key);
    if (settings_->contains(name)) {
        settings_->remove(name);
    }
}

void QtSettingsStore::deleteSection(std::string_view section)
{
    if (section.empty()) {
        return;
    }
    if (!settings_) {
        memory_.deleteSection(section);
        return;
    }
    settings_->beginGroup(q(section));
    const bool present = !settings_->allKeys().isEmpty();
    settings_->endGroup();
    if (present) {
        settings_->remove(q(section));
    }
}

bool QtSettingsStore::sync()
{
    if (!settings_) {
        return false;
    }
    settings_->sync();
    // A format error while reading stays in the status after a good write.
    return keeping_ == Keeping::Kept && settings_->status() != QSettings::AccessError;
}

} // namespace tavrin::app
