// The game's own puzzles: the collection installed with it.
#pragma once

#include <array>
#include <string_view>

namespace tavrin {

// The folder of the data folder that holds the installed collection, and its
// files from the easiest to the hardest.
inline constexpr std::string_view kCollectionFolder = "mondai";
inline constexpr std::array<std::string_view, 3> kCollectionFiles{"入門.kem", "中級.kem", "上級.kem"}; // file names, not for translation

} // namespace tavrin
