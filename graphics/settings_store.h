// The few string settings the pictures and themes remember ("fn0".."fn3",
// "Theme File"), behind a small interface so the logic runs without a window.
#pragma once

#include <QMap>
#include <QString>

class QSettings;

namespace tavrin::graphics {

// The settings section every key of this library lives in.
QString programSettingsSection();

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // "" when the key is absent.
    virtual QString value(const QString& key) const = 0;
    virtual void setValue(const QString& key, const QString& value) = 0;
};

// Keys of the program's section of an application QSettings.
class QSettingsStore final : public SettingsStore {
public:
    explicit QSettingsStore(QSettings& settings) : settings_(settings) {}
    QString value(const QString& key) const override;
    void setValue(const QString& key, const QString& value) override;

private:
    QSettings& settings_;
};

// Kept in memory only.
class MemorySettingsStore final : public SettingsStore {
public:
    QString value(const QString& key) const override { return values_.value(key); }
    void setValue(const QString& key, const QString& value) override { values_.insert(key, value); }
    bool contains(const QString& key) const { return values_.contains(key); }

private:
    QMap<QString, QString> values_;
};

} // namespace tavrin::graphics
