// The game's own puzzles: the collection installed with it, and the series
// it generates from the menu (a fresh one, and the one of the day).
#pragma once

#include "puzzles/puzzle_generator.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

// The folder of the data folder that holds the installed collection, and its
// files from the easiest to the hardest.
inline constexpr std::string_view kCollectionFolder = "mondai";
inline constexpr std::array<std::string_view, 3> kCollectionFiles{"入門.kem", "中級.kem", "上級.kem"}; // file names, not for translation

// The name a generated series is played under: its window caption and the
// settings section of its high-score table, as a file's path would be.
inline constexpr std::string_view kFreshSeriesName = "おまかせ問題"; // a stored name, not for translation

// The daily series of a date is played as "今日の問題 YYYY-MM-DD", so that
// every day has a high-score table of its own.
std::string dailySeriesName(int year, unsigned month, unsigned day);
// "YYYY-MM-DD", a negative year as 0000.
std::string isoDate(int year, unsigned month, unsigned day);

// A fresh series: 10 puzzles of rising grade, both modes, from `seed`.
GeneratorRequest freshSeriesRequest(std::uint64_t seed);

} // namespace tavrin
