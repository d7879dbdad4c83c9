// Small UTF-8 helpers shared by the text readers.
#pragma once

#include <string>

namespace tavrin {

// Appends code point `c` (at most U+10FFFF) as UTF-8.
void appendUtf8(std::string& out, char32_t c);

} // namespace tavrin
