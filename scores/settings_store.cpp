#include "scores/settings_store.h"

namespace tavrin {

std::string MemorySettingsStore::get(std::string_view section, std::string_view key,
                                     std::string_view fallback) const
{
    const auto s = sections_.find(section);
    if (s == sections_.end()) {
        return std::string(fallback);
    }
    const auto k = s->second.find(key);
    return k == s->second.end() ? std::string(fallback) : k->second;
}

void MemorySettingsStore::save(std::string_view section, std::string_view key, std::string_view value)
{
    auto s = sections_.find(section);
    if (s == sections_.end()) {
        s = sections_.emplace(std::string(section), std::map<std::string, std::string, std::less<>>{}).first;
    }
    s->second.insert_or_assign(std::string(key), std::string(value));
}

void MemorySettingsStore::deleteKey(std::string_view section, std::string_view key)
{
    const auto s = sections_.find(section);
    if (s == sections_.end()) {
        return;
    }
    if (const auto k = s->second.find(key); k != s->second.end()) {
        s->second.erase(k);
    }
    if (s->second.empty()) {
        sections_.erase(s);
    }
}

void MemorySettingsStore::deleteSection(std::string_view section)
{
    if (const auto s = sections_.find(section); s != sections_.end()) {
        sections_.erase(s);
    }
}

bool MemorySettingsStore::contains(std::string_view section, std::string_view key) const
{
    const auto s = sections_.find(section);
    return s != sections_.end() && s->second.find(key) != s->second.end();
}

bool MemorySettingsStore::hasSection(std::string_view section) const
{
    return sections_.find(section) != sections_.end();
}

std::size_t MemorySettingsStore::keyCount(std::string_view section) const
{
    const auto s = sections_.find(section);
    return s == sections_.end() ? 0 : s->second.size();
}

} // namespace tavrin
