#include "scores/general_number.h"

namespace tavrin {

std::string generalNumber(long long value)
{
    return std::to_string(value);
}

std::int16_t readStoredNumber(std::string_view text, std::int16_t fallback)
{
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return fallback;
    }
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return fallback;
        }
        value = value * 10 + (c - '0');
        if (value > 32768) { // stops long before a long could overflow
            return fallback;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value < INT16_MIN || value > INT16_MAX) {
        return fallback;
    }
    return static_cast<std::int16_t>(value);
}

} // namespace tavrin
