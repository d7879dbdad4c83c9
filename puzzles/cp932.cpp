#include "puzzles/cp932.h"

#include "engine/utf8.h"
#include "puzzles/cp932_table.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tavrin {

namespace {

constexpr char32_t kHalfWidthKatakana = 0xFF61; // the character of byte 0xA1
constexpr unsigned kFirstKatakanaByte = 0xA1;
constexpr unsigned kLastKatakanaByte = 0xDF;

std::size_t utf8SequenceLength(unsigned char c)
{
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c < 0xE0) return 2;
    if (c >= 0xE0 && c < 0xF0) return 3;
    if (c >= 0xF0 && c < 0xF5) return 4;
    return 0; // stray continuation or invalid lead byte
}

// The code point of one whole UTF-8 sequence of 2 to 4 bytes (its length as
// its lead byte says), or 0 when it is malformed: a byte that does not
// continue it, an overlong form, a surrogate or beyond U+10FFFF.
char32_t decodeUtf8(std::string_view seq)
{
    constexpr std::array<char32_t, 5> kSmallest{0, 0, 0x80, 0x800, 0x10000};
    char32_t c = static_cast<unsigned char>(seq[0]) & (0x7F >> seq.size());
    for (std::size_t k = 1; k < seq.size(); ++k) {
        const auto b = static_cast<unsigned char>(seq[k]);
        if ((b & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < kSmallest[seq.size()] || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) {
        return 0;
    }
    return c;
}

bool isCp932Lead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The next difference in cp932::kCharacters, from `at` on.
char32_t nextDifference(std::size_t& at)
{
    std::uint32_t zigzag = 0;
    for (unsigned shift = 0; at < cp932::kCharacters.size(); shift += 7) {
        const unsigned char b = cp932::kCharacters[at++];
        zigzag |= std::uint32_t{b & 0x7Fu} << shift;
        if (b < 0x80) {
            break;
        }
    }
    // Unsigned arithmetic wraps, so adding the negated magnitude subtracts.
    return (zigzag & 1) ? ~(zigzag >> 1) : zigzag >> 1;
}

// Both directions as flat lookups, made from the table on first use:
// 0 stands for "no such character" / "no such code".
struct Tables {
    std::array<std::uint16_t, 0x10000> decode{}; // two-byte code -> character
    std::array<std::uint16_t, 0x10000> encode{}; // character -> code

    Tables()
    {
        const auto set = [this](unsigned code, char32_t c) {
            decode[code] = static_cast<std::uint16_t>(c);
            if (code > encode[c]) {
                encode[c] = static_cast<std::uint16_t>(code); // of two codes, the later one
            }
        };
        std::size_t at = 0;
        char32_t character = 0;
        for (const cp932::Row& row : cp932::kRows) {
            for (unsigned code = row.code; code < row.code + row.count; ++code) {
                character += nextDifference(at);
                set(code, character);
            }
        }
        for (const cp932::Run& run : cp932::kRuns) {
            for (unsigned k = 0; k < run.count; ++k) {
                set(run.code + k, run.first + k);
            }
        }
        for (unsigned b = kFirstKatakanaByte; b <= kLastKatakanaByte; ++b) {
            encode[kHalfWidthKatakana + (b - kFirstKatakanaByte)] = static_cast<std::uint16_t>(b);
        }
        for (const cp932::Encoding& e : cp932::kEncodings) {
            encode[e.character] = e.code;
        }
    }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

void appendCode(std::string& out, std::uint16_t code)
{
    if (code > 0xFF) {
        out += static_cast<char>(code >> 8);
    }
    out += static_cast<char>(code & 0xFF);
}

} // namespace

std::string toCp932(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t len = utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
        if (len == 0 || i + len > utf8.size()) {
            out += '?';
            ++i;
            continue;
        }
        const std::string_view ch = utf8.substr(i, len);
        i += len;
        if (len == 1) {
            out += ch; // ASCII maps to itself in CP932, backslash included
            continue;
        }
        const char32_t c = decodeUtf8(ch);
        if (c >= cp932::kIgnored.first && c <= cp932::kIgnored.last) {
            continue; // tag characters carry no text
        }
        const std::uint16_t code = (c != 0 && c < 0x10000) ? tables().encode[c] : 0;
        if (code == 0) {
            out += '?';
        } else {
            appendCode(out, code);
        }
    }
    return out;
}

std::string fromCp932(std::string_view cp932)
{
    std::string out;
    out.reserve(cp932.size() * 2);
    std::size_t i = 0;
    while (i < cp932.size()) {
        const auto c = static_cast<unsigned char>(cp932[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        if (isCp932Lead(c) && i + 1 < cp932.size()) {
            const unsigned code = (unsigned{c} << 8) | static_cast<unsigned char>(cp932[i + 1]);
            i += 2;
            const char32_t ch = tables().decode[code];
            if (ch == 0) {
                out += '?';
            } else {
                appendUtf8(out, ch);
            }
            continue;
        }
        ++i;
        if (c >= kFirstKatakanaByte && c <= kLastKatakanaByte) {
            appendUtf8(out, kHalfWidthKatakana + (c - kFirstKatakanaByte));
        } else {
            out += '?'; // a lead byte at the very end, or a byte CP932 leaves unused
        }
    }
    return out;
}

} // namespace tavrin
