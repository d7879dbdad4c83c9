// 16-bit PCM mono WAV files at 22050 Hz.
#pragma once

#include <string>
#include <vector>

namespace tavrin::assets {

inline constexpr int kSampleRate = 22050;

// Scales `samples` so that the loudest one reaches `peak` of full scale
// (0 < peak < 1), fades the first and last few milliseconds to silence, and
// writes the file. Returns false when the file cannot be written.
bool writeWav(const std::string& path, std::vector<double> samples, double peak);

// The bytes of such a file (header and data), for writing or checking.
std::vector<unsigned char> wavBytes(const std::vector<short>& pcm);

} // namespace tavrin::assets
