#include "web/local_storage.h"

#include "web/page_bridge.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

namespace tavrin::web {

namespace {

struct FreeString {
    void operator()(char* p) const { std::free(p); }
};

std::optional<std::string> storedValue(const std::string& key)
{
    const std::unique_ptr<char, FreeString> value(tavrin_js_storage_get(key.c_str()));
    if (!value) {
        return std::nullopt;
    }
    return std::string(value.get());
}

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int sextet(char c)
{
    const auto at = kAlphabet.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

} // namespace

std::string LocalSettingsStore::storageKey(std::string_view section, std::string_view key)
{
    std::string out(kStoragePrefix);
    for (const char c : section) {
        if (c == '%') {
            out += "%25";
        } else if (c == '/') {
            out += "%2F";
        } else {
            out += c;
        }
    }
    out += '/';
    out += key;
    return out;
}

std::string LocalSettingsStore::get(std::string_view section, std::string_view key,
                                    std::string_view fallback) const
{
    if (memory_.contains(section, key)) {
        return memory_.get(section, key, fallback);
    }
    return storedValue(storageKey(section, key)).value_or(std::string(fallback));
}

void LocalSettingsStore::save(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string text(value);
    if (tavrin_js_storage_set(storageKey(section, key).c_str(), text.c_str()) != 0) {
        memory_.deleteKey(section, key);
        return;
    }
    memory_.save(section, key, value);
    if (!failed_) {
        failed_ = true;
        if (refused_) {
            refused_();
        }
    }
}

void LocalSettingsStore::deleteKey(std::string_view section, std::string_view key)
{
    memory_.deleteKey(section, key);
    tavrin_js_storage_remove(storageKey(section, key).c_str());
}

void LocalSettingsStore::deleteSection(std::string_view section)
{
    memory_.deleteSection(section);
    tavrin_js_storage_remove_prefix(storageKey(section, "").c_str());
}

// --- the kept free game ---------------------------------------------------------

std::string LocalGameStore::key()
{
    return std::string(kStoragePrefix) + "free-game.sav";
}

game::GameStore::Read LocalGameStore::read()
{
    Read result;
    const auto text = storedValue(key());
    if (!text) {
        return result;
    }
    result.status = fromBase64(*text, result.bytes) ? ReadStatus::Read : ReadStatus::Unreadable;
    return result;
}

bool LocalGameStore::write(std::string_view bytes)
{
    if (tavrin_js_storage_set(key().c_str(), toBase64(bytes).c_str()) != 0) {
        return true;
    }
    if (refused_) {
        refused_();
    }
    return false;
}

void LocalGameStore::remove()
{
    tavrin_js_storage_remove(key().c_str());
}

void LocalGameStore::setAside()
{
    if (const auto text = storedValue(key())) {
        tavrin_js_storage_set((key() + ".refused").c_str(), text->c_str());
    }
    remove();
}

// --- base64 -----------------------------------------------------------------------

std::string toBase64(std::string_view bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            group = (group << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        }
        for (std::size_t k = 0; k < 4; ++k) {
            out += k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 63u] : '=';
        }
    }
    return out;
}

bool fromBase64(std::string_view text, std::string& bytes)
{
    bytes.clear();
    if (text.size() % 4 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); i += 4) {
        std::uint32_t group = 0;
        int pad = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            int v = 0;
            if (c == '=' && i + 4 == text.size() && k >= 2) {
                ++pad;
            } else if (pad > 0 || (v = sextet(c)) < 0) {
                return false;
            }
            group = (group << 6) | static_cast<std::uint32_t>(v);
        }
        for (int k = 0; k < 3 - pad; ++k) {
            bytes += static_cast<char>((group >> (16 - 8 * k)) & 0xFFu);
        }
    }
    return true;
}

} // namespace tavrin::web
