// The goal text of an eco theme file is UTF-16LE; the program keeps UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tavrin::theme {

// UTF-8 -> UTF-16LE bytes (two per code unit, no byte-order mark). A malformed
// byte becomes U+FFFD.
std::string utf8ToUtf16le(std::string_view utf8);

// UTF-16LE bytes -> UTF-8. A lone surrogate becomes U+FFFD; an odd last byte
// (half a code unit) is dropped.
std::string utf16leToUtf8(std::string_view bytes);

// The part of `s` before its first NUL character (all of `s` without one).
std::string cutAtNul(std::string_view s);

} // namespace tavrin::theme
