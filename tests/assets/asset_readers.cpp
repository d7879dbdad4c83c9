#include "asset_readers.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace assets_test {

namespace {

std::uint32_t le16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
std::uint32_t le32(const Bytes& b, std::size_t at) { return le16(b, at) | (le16(b, at + 2) << 16); }
std::uint32_t be16(const Bytes& b, std::size_t at) { return (b[at] << 8) | b[at + 1]; }
std::uint32_t be32(const Bytes& b, std::size_t at) { return (be16(b, at) << 16) | be16(b, at + 2); }
bool tagAt(const Bytes& b, std::size_t at, const char* tag)
{
    if (at + 4 > b.size()) return false;
    for (int i = 0; i < 4; ++i) {
        if (b[at + i] != static_cast<unsigned char>(tag[i])) return false;
    }
    return true;
}

} // namespace

std::string assetDir()
{
    // TAVRIN_ASSET_DIR in the environment points the checks at another copy
    // of the files; the build tells them where it generated its own.
    if (const char* dir = std::getenv("TAVRIN_ASSET_DIR"); dir != nullptr && *dir != '\0') return dir;
#ifdef TAVRIN_ASSET_DIR
    return TAVRIN_ASSET_DIR;
#else
    return ".";
#endif
}

std::string assetPath(const std::string& name) { return assetDir() + "/" + name; }

std::optional<Bytes> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<Bitmap> parseBmp(const Bytes& b)
{
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
    Bitmap bmp;
    bmp.fileSizeField = le32(b, 2);
    const std::uint32_t offset = le32(b, 10);
    const std::uint32_t headerSize = le32(b, 14);
    if (headerSize < 40) return std::nullopt;
    const auto width = static_cast<std::int32_t>(le32(b, 18));
    const auto rawHeight = static_cast<std::int32_t>(le32(b, 22));
    const std::uint32_t planes = le16(b, 26);
    bmp.bitsPerPixel = static_cast<int>(le16(b, 28));
    const std::uint32_t compression = le32(b, 30);
    if (planes != 1 || compression != 0 || bmp.bitsPerPixel != 24) return std::nullopt;
    if (width <= 0 || width > 4096 || rawHeight == 0 || rawHeight > 4096 || rawHeight < -4096) return std::nullopt;
    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    if (offset > b.size() || b.size() - offset < stride * static_cast<std::size_t>(height)) return std::nullopt;
    bmp.width = width;
    bmp.height = height;
    bmp.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const int fileRow = bottomUp ? height - 1 - y : y;
        const std::size_t row = offset + stride * static_cast<std::size_t>(fileRow);
        for (int x = 0; x < width; ++x) {
            const std::size_t p = row + static_cast<std::size_t>(x) * 3;
            bmp.pixels[static_cast<std::size_t>(y) * width + x] =
                (static_cast<std::uint32_t>(b[p + 2]) << 16) | (b[p + 1] << 8) | b[p];
        }
    }
    return bmp;
}

std::optional<Wave> parseWav(const Bytes& b)
{
    if (!tagAt(b, 0, "RIFF") || !tagAt(b, 8, "WAVE")) return std::nullopt;
    Wave w;
    w.riffSize = le32(b, 4);
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= b.size()) {
        const std::uint32_t size = le32(b, at + 4);
        const std::size_t body = at + 8;
        if (size > b.size() - body) return std::nullopt;
        if (tagAt(b, at, "fmt ")) {
            if (size < 16) return std::nullopt;
            w.format = static_cast<int>(le16(b, body));
            w.channels = static_cast<int>(le16(b, body + 2));
            w.sampleRate = static_cast<int>(le32(b, body + 4));
            w.byteRate = static_cast<int>(le32(b, body + 8));
            w.blockAlign = static_cast<int>(le16(b, body + 12));
            w.bitsPerSample = static_cast<int>(le16(b, body + 14));
            haveFormat = true;
        } else if (tagAt(b, at, "data")) {
            if (!haveFormat || w.bitsPerSample != 16 || size % 2 != 0) return std::nullopt;
            for (std::size_t i = 0; i < size; i += 2) {
                w.samples.push_back(static_cast<std::int16_t>(le16(b, body + i)));
            }
            return w;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

std::optional<MidiFile> parseMidi(const Bytes& b)
{
    if (!tagAt(b, 0, "MThd") || b.size() < 14 || be32(b, 4) != 6) return std::nullopt;
    MidiFile m;
    m.format = static_cast<int>(be16(b, 8));
    m.declaredTracks = static_cast<int>(be16(b, 10));
    m.division = static_cast<int>(be16(b, 12));
    std::size_t at = 14;
    while (at < b.size()) {
        if (at + 8 > b.size() || !tagAt(b, at, "MTrk")) return std::nullopt;
        const std::uint32_t length = be32(b, at + 4);
        const std::size_t end = at + 8 + length;
        if (length > b.size() - (at + 8)) return std::nullopt;
        MidiTrackData track;
        std::size_t p = at + 8;
        std::uint32_t tick = 0;
        int running = 0;
        const auto varLen = [&](std::uint32_t& out) {
            out = 0;
            for (int i = 0; i < 4; ++i) {
                if (p >= end) return false;
                const unsigned char c = b[p++];
                out = (out << 7) | (c & 0x7F);
                if ((c & 0x80) == 0) return true;
            }
            return false;
        };
        while (p < end) {
            std::uint32_t delta = 0;
            if (!varLen(delta)) return std::nullopt;
            tick += delta;
            if (p >= end) return std::nullopt;
            MidiEvent e;
            e.tick = tick;
            int status = b[p];
            if (status & 0x80) ++p;
            else if (running != 0) status = running;
            else return std::nullopt;
            e.status = status;
            if (status == 0xFF) {
                if (p >= end) return std::nullopt;
                e.data1 = b[p++];
                std::uint32_t len = 0;
                if (!varLen(len) || len > end - p) return std::nullopt;
                e.meta.assign(b.begin() + static_cast<std::ptrdiff_t>(p), b.begin() + static_cast<std::ptrdiff_t>(p + len));
                p += len;
                if (e.data1 == 0x2F) track.endsWithEndOfTrack = (p == end);
            } else if (status == 0xF0 || status == 0xF7) {
                std::uint32_t len = 0;
                if (!varLen(len) || len > end - p) return std::nullopt;
                p += len;
            } else {
                running = status;
                const int kind = status & 0xF0;
                const int count = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
                if (p + static_cast<std::size_t>(count) > end) return std::nullopt;
                e.data1 = b[p++];
                if (count == 2) e.data2 = b[p++];
            }
            track.events.push_back(std::move(e));
        }
        track.endTick = tick;
        m.tracks.push_back(std::move(track));
        at = end;
    }
    return m;
}

std::optional<std::pair<int, int>> pngSize(const Bytes& b)
{
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (b.size() < 24) return std::nullopt;
    for (int i = 0; i < 8; ++i) {
        if (b[i] != signature[i]) return std::nullopt;
    }
    if (!tagAt(b, 12, "IHDR")) return std::nullopt;
    return std::make_pair(static_cast<int>(be32(b, 16)), static_cast<int>(be32(b, 20)));
}

} // namespace assets_test
