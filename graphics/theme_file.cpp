#include "graphics/theme_file.h"

#include "graphics/theme_file_text.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

namespace tavrin::theme {

namespace {

constexpr std::uint32_t kTopBit = 0x80000000u;

std::uint32_t readPosition(std::string_view bytes, std::size_t offset)
{
    std::uint32_t v = 0;
    for (std::size_t b = 0; b < 4; ++b) {
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + b])) << (8 * b);
    }
    return v;
}

void writePosition(std::string& out, std::size_t offset, std::uint32_t v)
{
    for (std::size_t b = 0; b < 4; ++b) {
        out[offset + b] = static_cast<char>((v >> (8 * b)) & 0xFF);
    }
}

std::string unscramble(std::string_view section)
{
    std::string out(section.size(), '\0');
    for (std::size_t i = 0; i < section.size(); ++i) {
        out[i] = static_cast<char>(scrambleByte(static_cast<std::uint8_t>(section[i]), i));
    }
    return out;
}

void appendScrambled(std::string& out, std::string_view section)
{
    for (std::size_t i = 0; i < section.size(); ++i) {
        out += static_cast<char>(scrambleByte(static_cast<std::uint8_t>(section[i]), i));
    }
}

ThemeFileRead refused()
{
    ThemeFileRead read;
    read.status = ThemeReadStatus::Refused;
    return read;
}

} // namespace

Text ThemeFileRead::message() const
{
    switch (status) {
    case ThemeReadStatus::Refused: return kThemeRefusedMessage;
    case ThemeReadStatus::Unreadable: return kThemeUnreadableMessage.arg(path);
    case ThemeReadStatus::Loaded: break;
    }
    return {};
}

ThemeFileRead decodeThemeFile(std::string_view bytes)
{
    const std::size_t len = bytes.size();
    if (len < 4 || bytes.substr(0, kThemeMagic.size()) != kThemeMagic) {
        return refused();
    }
    // Every position must lie behind the header and inside the file, and
    // they must not decrease; nothing is read before all five are checked.
    std::array<std::uint32_t, kThemeSections> position{};
    for (std::size_t k = 0; k < kThemeSections; ++k) {
        if (len <= 4 * k + 6) {
            return refused();
        }
        const std::uint32_t p = readPosition(bytes, 3 + 4 * k);
        if ((p & kTopBit) != 0 || p < kFirstSectionPosition || p >= len || (k > 0 && p < position[k - 1])) {
            return refused();
        }
        position[k] = p;
    }
    // Section k spans positions P(k) .. P(k+1) - 1; the last one runs to the end.
    auto section = [&](std::size_t k) {
        const std::size_t begin = position[k] - 1;
        const std::size_t end = k + 1 < kThemeSections ? position[k + 1] - 1 : len;
        return bytes.substr(begin, end - begin);
    };
    ThemeFileRead read;
    read.status = ThemeReadStatus::Loaded;
    read.theme.goal = utf16leToUtf8(unscramble(section(0)));
    for (std::size_t k = 1; k < kThemeSections; ++k) {
        read.theme.pictures[k - 1] = unscramble(section(k));
    }
    return read;
}

ThemeFileRead readThemeFile(const std::filesystem::path& path)
{
    ThemeFileRead read;
    read.path = path.string();
    read.status = ThemeReadStatus::Unreadable;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        read.error = "it is a folder";
        return read;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        read.error = ec.message();
        return read;
    }
    if (size > kMaxThemeFileSize) {
        read.error = "the file is too large";
        return read;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        read.error = std::strerror(errno);
        return read;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    char buf[65536];
    while (in && bytes.size() <= kMaxThemeFileSize) {
        in.read(buf, sizeof buf);
        bytes.append(buf, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        read.error = "read error";
        return read;
    }
    if (bytes.size() > kMaxThemeFileSize) {
        read.error = "the file is too large";
        return read;
    }
    ThemeFileRead decoded = decodeThemeFile(bytes);
    decoded.path = read.path;
    return decoded;
}

std::optional<std::string> encodeThemeFile(std::string_view goalUtf8,
                                           const std::array<std::string, kThemePictures>& pictures)
{
    const std::string goal = utf8ToUtf16le(goalUtf8);
    std::uintmax_t total = kThemeHeaderSize + goal.size() + 1;
    for (const std::string& picture : pictures) {
        if (picture.empty()) {
            return std::nullopt;
        }
        total += picture.size();
    }
    if (total >= kTopBit) {
        return std::nullopt;
    }
    std::string out(kThemeHeaderSize, '\0');
    out.replace(0, kThemeMagic.size(), kThemeMagic);
    out.reserve(static_cast<std::size_t>(total));
    auto addSection = [&](std::size_t k, std::string_view bytes) {
        writePosition(out, 3 + 4 * k, static_cast<std::uint32_t>(out.size() + 1));
        appendScrambled(out, bytes);
    };
    addSection(0, goal);
    for (std::size_t k = 1; k < kThemeSections; ++k) {
        addSection(k, pictures[k - 1]);
    }
    out += '\0'; // closing byte, not scrambled; readers take it as part of the last section
    return out;
}

} // namespace tavrin::theme
