// Hostile bytes for the puzzle-file reader. Whatever it accepts must survive
// being written and read again unchanged.
#include "puzzles/kem_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tavrin::kem;
    const PuzzleFileRead read = decodePuzzleFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.loaded()) {
        if (!read.puzzles.empty()) {
            std::abort();
        }
        return 0;
    }
    if (read.puzzles.empty() || read.puzzles.size() > 64 || checkSavable(read.puzzles) != SaveStatus::Saved) {
        std::abort();
    }
    const std::string bytes = encodePuzzleFile(read.puzzles);
    if (bytes.size() != 3 + 115 * read.puzzles.size()) {
        std::abort();
    }
    const PuzzleFileRead again = decodePuzzleFile(bytes);
    if (!again.loaded() || again.puzzles != read.puzzles) {
        std::abort();
    }
    return 0;
}
