// The per-user settings store: string values by section and key.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tavrin {

// The application name under which every setting of the game is stored.
inline constexpr std::string_view kSettingsApplication = "Tavrin for Windows";

// Section -> key -> string. The window backs it with the platform's store;
// tests use MemorySettingsStore. Values read back may be anything a user or
// another program put there: callers treat them as untrusted text.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored value, or `fallback` when the section or the key is absent.
    virtual std::string get(std::string_view section, std::string_view key,
                            std::string_view fallback) const = 0;
    virtual void save(std::string_view section, std::string_view key, std::string_view value) = 0;
    virtual void deleteKey(std::string_view section, std::string_view key) = 0;
    virtual void deleteSection(std::string_view section) = 0;
    // Writes what was saved so far where it outlasts the program; false when
    // it could not be kept.
    virtual bool flush() { return true; }
};

// A store that lives in memory only.
class MemorySettingsStore : public SettingsStore {
public:
    std::string get(std::string_view section, std::string_view key,
                    std::string_view fallback) const override;
    void save(std::string_view section, std::string_view key, std::string_view value) override;
    void deleteKey(std::string_view section, std::string_view key) override;
    void deleteSection(std::string_view section) override;

    bool contains(std::string_view section, std::string_view key) const;
    bool hasSection(std::string_view section) const;
    std::size_t keyCount(std::string_view section) const;

private:
    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> sections_;
};

} // namespace tavrin
