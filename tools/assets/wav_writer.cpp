#include "wav_writer.h"

#include "file_out.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tavrin::assets {

namespace {

void put16(std::vector<unsigned char>& out, std::uint32_t v)
{
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void put32(std::vector<unsigned char>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putTag(std::vector<unsigned char>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

std::vector<unsigned char> wavBytes(const std::vector<short>& pcm)
{
    const auto dataSize = static_cast<std::uint32_t>(pcm.size() * 2);
    std::vector<unsigned char> out;
    out.reserve(44 + dataSize);
    putTag(out, "RIFF");
    put32(out, 36 + dataSize);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);                 // PCM
    put16(out, 1);                 // mono
    put32(out, kSampleRate);
    put32(out, kSampleRate * 2);   // bytes per second
    put16(out, 2);                 // block align
    put16(out, 16);                // bits per sample
    putTag(out, "data");
    put32(out, dataSize);
    for (short s : pcm) put16(out, static_cast<std::uint16_t>(s));
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
