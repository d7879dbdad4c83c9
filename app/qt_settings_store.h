// The per-user settings store of the game, kept by QSettings under the
// application name "Tavrin for Windows".
#pragma once

#include "scores/settings_store.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace tavrin::app {

// <config folder>/Tavrin for Windows/Tavrin for Windows.conf
QString settingsFilePath();

// The QSettings object on the game's settings file.
std::unique_ptr<QSettings> openSettings();

// A settings file larger than this is neither read nor written: the game
// itself never writes more than a few kilobytes.
inline constexpr qint64 kMaxSettingsFileBytes = 4 * 1024 * 1024;

class QtSettingsStore : public SettingsStore {
public:
    // Why changes may not outlast the program.
    enum class Keeping { Kept, FolderNotWritable, FileUnusable };

    // The game's own settings file.
    QtSettingsStore();
    // A settings file of the given path. One that is too large or not a
    // plain file is left alone: the values then live in memory only.
    explicit QtSettingsStore(const QString& file);
    explicit QtSettingsStore(std::unique_ptr<QSettings> settings);

    std::string get(std::string_view section, std::string_view key,
                    std::string_view fallback) const override;
    // Saving a value the store already holds changes nothing, so a file is
    // only rewritten when something in it changed.
    void save(std::string_view section, std::string_view key, std::string_view value) override;
    void deleteKey(std::string_view section, std::string_view key) override;
    void deleteSection(std::string_view section) override;
    bool flush() override { return sync(); }

    // Writes pending changes to disk; false when they could not be written.
    bool sync();
    Keeping keeping() const { return keeping_; }
    // The settings file, for messages.
    const QString& fileName() const { return file_; }

private:
    std::unique_ptr<QSettings> settings_; // null when the values live in memory only
    MemorySettingsStore memory_;
    QString file_;
    Keeping keeping_ = Keeping::Kept;
};

} // namespace tavrin::app
