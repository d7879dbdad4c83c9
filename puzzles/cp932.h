// Shift-JIS (code page 932) text, as puzzle files and score pages store it.
#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// UTF-8 -> CP932. A character that CP932 cannot hold (or a malformed byte)
// becomes "?", so every input character gives one or two output bytes.
std::string toCp932(std::string_view utf8);

// CP932 -> UTF-8. An undecodable byte (or pair) becomes "?".
std::string fromCp932(std::string_view cp932);

} // namespace tavrin
