// Small, bounds-checked readers for the generated asset files, so the
// checks look at what the game will actually load.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace assets_test {

using Bytes = std::vector<unsigned char>;

// The program folder the assets were generated into.
std::string assetDir();
std::string assetPath(const std::string& name);
std::optional<Bytes> readFile(const std::string& path);

struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::uint32_t fileSizeField = 0;
    std::vector<std::uint32_t> pixels; // 0xRRGGBB, top row first

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Uncompressed 24-bit BMP only; anything else gives no value.
std::optional<Bitmap> parseBmp(const Bytes& bytes);

struct Wave {
    int format = 0;
    int channels = 0;
    int sampleRate = 0;
    int byteRate = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
    std::uint32_t riffSize = 0;
    std::vector<std::int16_t> samples;
};

std::optional<Wave> parseWav(const Bytes& bytes);

struct MidiEvent {
    std::uint32_t tick = 0;
    int status = 0;       // 0xFF for meta events
    int data1 = 0;        // meta type for meta events
    int data2 = 0;
    Bytes meta;
};

struct MidiTrackData {
    std::vector<MidiEvent> events;
    std::uint32_t endTick = 0;
    bool endsWithEndOfTrack = false;
};

struct MidiFile {
    int format = -1;
    int declaredTracks = 0;
    int division = 0;
    std::vector<MidiTrackData> tracks;
};

// Parses chunks and events (running status included); no value when any
// chunk or event runs past its end.
std::optional<MidiFile> parseMidi(const Bytes& bytes);

// PNG width and height from the IHDR chunk.
std::optional<std::pair<int, int>> pngSize(const Bytes& bytes);

} // namespace assets_test
