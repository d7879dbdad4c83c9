#include "wav_writer.h"

#include "file_out.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tavrin::assets {

namespace {

// Little-endian fields written at fixed offsets of a buffer sized up front.
void put16(unsigned char* at, std::uint32_t v)
{
    at[0] = static_cast<unsigned char>(v & 0xFF);
    at[1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

void put32(unsigned char* at, std::uint32_t v)
{
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
}

void putTag(unsigned char* at, const char (&tag)[5])
{
    std::copy(tag, tag + 4, at);
}

constexpr std::size_t kHeaderSize = 44;

} // namespace

std::vector<unsigned char> wavBytes(const std::vector<short>& pcm)
{
    const auto dataSize = static_cast<std::uint32_t>(pcm.size() * 2);
    std::vector<unsigned char> out(kHeaderSize + dataSize);
    unsigned char* h = out.data();
    putTag(h, "RIFF");
    put32(h + 4, 36 + dataSize);
    putTag(h + 8, "WAVE");
    putTag(h + 12, "fmt ");
    put32(h + 16, 16);
    put16(h + 20, 1);                 // PCM
    put16(h + 22, 1);                 // mono
    put32(h + 24, kSampleRate);
    put32(h + 28, kSampleRate * 2);   // bytes per second
    put16(h + 32, 2);                 // block align
    put16(h + 34, 16);                // bits per sample
    putTag(h + 36, "data");
    put32(h + 40, dataSize);
    unsigned char* sample = h + kHeaderSize;
    for (short s : pcm) {
        put16(sample, static_cast<std::uint16_t>(s));
        sample += 2;
    }
    return out;
}

bool writeWav(const std::string& path, std::vector<double> samples, double peak)
{
    double loudest = 0.0;
    for (double s : samples) loudest = std::max(loudest, std::abs(s));
    const double gain = loudest > 0.0 ? peak / loudest : 0.0;

    const std::size_t fadeIn = std::min<std::size_t>(samples.size(), kSampleRate / 1000);   // 1 ms
    const std::size_t fadeOut = std::min<std::size_t>(samples.size(), kSampleRate / 100);   // 10 ms
    std::vector<short> pcm(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        double v = samples[i] * gain;
        if (i < fadeIn) v *= static_cast<double>(i) / static_cast<double>(fadeIn);
        const std::size_t left = samples.size() - 1 - i;
        if (left < fadeOut) v *= static_cast<double>(left) / static_cast<double>(fadeOut);
        const long q = std::lround(v * 32767.0);
        pcm[i] = static_cast<short>(std::clamp(q, -32767L, 32767L));
    }

    return writeFileSafely(path, wavBytes(pcm));
}

} // namespace tavrin::assets
