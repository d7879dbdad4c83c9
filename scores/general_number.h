// Numbers as the settings store holds them: "General Number" text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

// An integer in "General Number" form: plain decimal digits, a leading "-"
// when negative, no grouping.
std::string generalNumber(long long value);

// A stored 16-bit number read back: optional blanks around an optional sign
// and at least one decimal digit. Anything else (empty, letters, fractions,
// out of the 16-bit range, overlong text) reads as `fallback`.
std::int16_t readStoredNumber(std::string_view text, std::int16_t fallback);

} // namespace tavrin
