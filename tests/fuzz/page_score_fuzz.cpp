// Hostile bytes for the score read back from a registration page.
#include "scores/score_page.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::int16_t score = tavrin::pageScore(std::string_view(reinterpret_cast<const char*>(data), size));
    if (score < 0) {
        std::abort(); // a score is digits only
    }
    return 0;
}
