// The per-user settings store of the game, kept by QSettings under the
// application name "Tavrin for Windows".
#pragma once

#include "scores/settings_store.h"

#include <QSettings>

#include <memory>

namespace tavrin::app {

// The QSettings object every part of the window uses.
std::unique_ptr<QSettings> openSettings();

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    explicit QtSettingsStore(std::unique_ptr<QSettings> settings);

    std::string get(std::string_view section, std::string_view key,
                    std::string_view fallback) const override;
    void save(std::string_view section, std::string_view key, std::string_view value) override;
    void deleteKey(std::string_view section, std::string_view key) override;
    void deleteSection(std::string_view section) override;

    // Writes pending changes to disk.
    void sync();
    QSettings& qsettings() { return *settings_; }

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace tavrin::app
