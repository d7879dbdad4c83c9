#include "tools/cli/kem_check.h"

#include "puzzles/kem_file.h"
#include "puzzles/puzzle_rating.h"

#include <cstdio>
#include <iostream>

namespace tavrin::cli {

namespace {

const char* modeName(GameMode mode)
{
    switch (mode) {
    case kFullConnection: return "full connection";
    case kBigLoop: return "big loop";
    default: return "no mode";
    }
}

// Hundredths as a decimal: 123 -> "1.23".
std::string hundredths(int value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%d.%02d", value / 100, value % 100);
    return text;
}

} // namespace

int kemCheck(const std::string& path)
{
    const kem::PuzzleFileRead read = kem::readPuzzleFile(path);
    if (!read.loaded()) {
        const Text message = read.message();
        std::cerr << (message.empty() ? Text(kem::kNotPuzzleFileMessage) : message).japanese() << "\n";
        return 1;
    }
    int unplayable = 0;
    const std::size_t count = read.puzzles.size();
    for (std::size_t i = 0; i < count; ++i) {
        const PuzzleRating c = ratePuzzle(read.puzzles[i]);
        std::cout << "puzzle " << i + 1 << "/" << count << ": mode " << c.mode << " (" << modeName(c.mode) << "), "
                  << c.groups << (c.groups == 1 ? " group" : " groups") << ", loop points " << c.loopPoints;
        if (c.mode == kFullConnection) {
            std::cout << ", roads in " << (c.groups >= 2 ? "two or more groups" : "fewer than two groups");
            if (c.playable) {
                std::cout << ", " << c.clearingShapes << " of " << kPieceKinds << " shapes clear at once";
            }
        } else if (c.mode == kBigLoop) {
            std::cout << ", " << c.clearingPlacements << " clearing placement"
                      << (c.clearingPlacements == 1 ? "" : "s");
        }
        if (c.beyondModel) {
            std::cout << ", beyond the rated player, grade " << c.grade;
        } else if (c.playable) {
            std::cout << ", expected misses " << hundredths(c.expectedMisses100);
            if (c.mode == kFullConnection) {
                std::cout << ", laid ahead " << hundredths(c.laidAhead100);
            }
            std::cout << ", grade " << c.grade;
        }
        std::cout << "\n";
        if (!c.playable) {
            ++unplayable;
            std::cout << "FAIL puzzle " << i + 1 << ": " << c.problem << "\n";
        }
    }
    std::cout << (unplayable == 0 ? "all " + std::to_string(count) + " puzzles are playable"
                                  : std::to_string(unplayable) + " of " + std::to_string(count) +
                                        " puzzles cannot be played")
              << "\n";
    return unplayable == 0 ? 0 : 1;
}

} // namespace tavrin::cli
