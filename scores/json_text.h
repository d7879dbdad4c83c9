// JSON string literals, for the programs' JSON output and requests.
#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// `text` as a JSON string literal: quotes, backslashes and control
// characters escaped, UTF-8 kept as it is.
std::string jsonString(std::string_view text);

} // namespace tavrin
