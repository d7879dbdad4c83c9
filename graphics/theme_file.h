// Eco theme files (".ket"): a goal text and the four replaceable pictures in
// one scrambled file. Plain C++: the window turns the picture bytes into
// pictures itself.
#pragma once

#include "engine/ui_text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin::theme {

inline constexpr std::string_view kThemeExtension = "ket";
// The upper-case extension, one ASCII byte per letter.
inline constexpr std::string_view kThemeMagic = "KET";

// Message box (warning icon) for a file that is not a usable theme file.
inline constexpr Phrase kThemeRefusedMessage = TAVRIN_TEXT("graphics", "エコ・テーマの読み込みに失敗しました。");
// %1 the path: a theme file that could not be opened or read.
inline constexpr Phrase kThemeUnreadableMessage = TAVRIN_TEXT("graphics", "%1を読み込むことができませんでした。");

// Section 0 is the goal text; sections 1..4 are the hyper-road sheet, the
// normal background, the goal-achieved background and the item picture.
inline constexpr int kThemeSections = 5;
inline constexpr int kThemePictures = 4;

// Magic and five 32-bit little-endian section positions. Positions count
// from 1, so the first section behind the header is at position 24.
inline constexpr std::size_t kThemeHeaderSize = 3 + 4 * kThemeSections;
inline constexpr std::uint32_t kFirstSectionPosition = kThemeHeaderSize + 1;

// Files larger than this are not read at all.
inline constexpr std::uintmax_t kMaxThemeFileSize = 256u << 20;

// ---------------------------------------------------------------------------
// Scrambling. Byte i of a section (i counted from 0 in each section) is stored
// XORed with a keystream byte made from i in three stages:
//     x := i;  x := (x * m + a) mod 256  for each stage (m, a) in turn.
// These six numbers are part of the file format: theme files can only be
// exchanged between programs built with the same ones.
// ---------------------------------------------------------------------------
struct KeystreamStage {
    std::uint32_t multiplier;
    std::uint32_t addend;
};
inline constexpr std::array<KeystreamStage, 3> kKeystreamStages{{
    {73, 41},
    {29, 87},
    {61, 17},
}};

constexpr std::uint8_t themeKeystream(std::size_t i)
{
    std::uint32_t x = static_cast<std::uint32_t>(i % 256); // later stages only see x mod 256
    for (const KeystreamStage& stage : kKeystreamStages) {
        x = (x * stage.multiplier + stage.addend) % 256;
    }
    return static_cast<std::uint8_t>(x);
}

// Scrambles and unscrambles alike.
constexpr std::uint8_t scrambleByte(std::uint8_t b, std::size_t i)
{
    return static_cast<std::uint8_t>(b ^ themeKeystream(i));
}

struct EcoTheme {
    std::string goal; // UTF-8
    // The unscrambled bytes of sections 1..4, as the picture loader gets them
    // (the last one ends with the file's closing byte).
    std::array<std::string, kThemePictures> pictures;
};

enum class ThemeReadStatus {
    Loaded,
    Refused,    // not a theme file, or its positions do not fit the file
    Unreadable, // could not be opened or read
};

struct ThemeFileRead {
    ThemeReadStatus status = ThemeReadStatus::Refused;
    EcoTheme theme; // filled only when Loaded
    std::string path;
    std::string error; // system text when Unreadable

    bool loaded() const { return status == ThemeReadStatus::Loaded; }
    // What the window shows (warning icon); "" when Loaded.
    Text message() const;
};

// Checks the header against `bytes` before anything is read, then unpacks
// the five sections.
ThemeFileRead decodeThemeFile(std::string_view bytes);

// Reads and decodes the file at `path`.
ThemeFileRead readThemeFile(const std::filesystem::path& path);

// The bytes of a theme file: header, the goal (UTF-16LE) and the four picture
// files, each section scrambled, then one zero byte. No value when a picture
// is empty or the whole would not fit 31-bit positions.
std::optional<std::string> encodeThemeFile(std::string_view goalUtf8,
                                           const std::array<std::string, kThemePictures>& pictures);

} // namespace tavrin::theme
