#include "graphics/theme_file_text.h"

#include "engine/utf8.h"

#include <cstdint>

namespace tavrin::theme {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUnit(std::string& out, std::uint16_t unit)
{
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Decodes one UTF-8 character at `i` and advances; malformed input gives
// U+FFFD and consumes one byte.
char32_t nextCodePoint(std::string_view s, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        extra = 1, c = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        extra = 2, c = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        extra = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) {
        ++i;
        return kReplacement;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || isSurrogate(c)) {
        ++i;
        return kReplacement;
    }
    i += 1 + static_cast<std::size_t>(extra);
    return c;
}

} // namespace

std::string utf8ToUtf16le(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size() * 2);
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t c = nextCodePoint(utf8, i);
        if (c >= 0x10000) {
            const char32_t v = c - 0x10000;
            appendUnit(out, static_cast<std::uint16_t>(0xD800 + (v >> 10)));
            appendUnit(out, static_cast<std::uint16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            appendUnit(out, static_cast<std::uint16_t>(c));
        }
    }
    return out;
}

std::string utf16leToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t u) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[2 * u]) | (static_cast<unsigned char>(bytes[2 * u + 1]) << 8));
    };
    for (std::size_t u = 0; u < units; ++u) {
        const char32_t c = unitAt(u);
        if (c >= 0xD800 && c <= 0xDBFF && u + 1 < units) {
            const char32_t low = unitAt(u + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
                ++u;
                continue;
            }
        }
        appendUtf8(out, isSurrogate(c) ? kReplacement : c);
    }
    return out;
}

std::string cutAtNul(std::string_view s)
{
    return std::string(s.substr(0, s.find('\0')));
}

} // namespace tavrin::theme
