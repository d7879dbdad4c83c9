// Hostile bytes for the eco theme reader. Whatever it accepts must survive
// being written and read again.
#include "graphics/theme_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tavrin::theme;
    const ThemeFileRead read = decodeThemeFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.loaded()) {
        return 0;
    }
    std::size_t total = 0;
    for (const std::string& picture : read.theme.pictures) {
        total += picture.size();
    }
    if (total > size || read.theme.pictures[3].size() < 2) {
        std::abort(); // pictures can only come out of the file itself
    }
    const auto bytes = encodeThemeFile(read.theme.goal, read.theme.pictures);
    if (!bytes) {
        for (const std::string& picture : read.theme.pictures) {
            if (picture.empty()) {
                return 0;
            }
        }
        std::abort();
    }
    const ThemeFileRead again = decodeThemeFile(*bytes);
    if (!again.loaded() || again.theme.goal != read.theme.goal) {
        std::abort();
    }
    for (std::size_t k = 0; k < 3; ++k) {
        if (again.theme.pictures[k] != read.theme.pictures[k]) {
            std::abort();
        }
    }
    return 0;
}
