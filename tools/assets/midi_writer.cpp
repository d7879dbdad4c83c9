#include "midi_writer.h"

#include <algorithm>
#include <stdexcept>

namespace tavrin::assets {

namespace {

void putVarLen(std::vector<unsigned char>& out, std::uint32_t v)
{
    unsigned char buf[5];
    int n = 0;
    buf[n++] = static_cast<unsigned char>(v & 0x7F);
    while ((v >>= 7) != 0) buf[n++] = static_cast<unsigned char>((v & 0x7F) | 0x80);
    while (n > 0) out.push_back(buf[--n]);
}

void put32(std::vector<unsigned char>& out, std::uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<unsigned char>((v >> s) & 0xFF));
}

unsigned char byte7(int v) { return static_cast<unsigned char>(std::clamp(v, 0, 127)); }

unsigned char statusByte(int kind, int channel)
{
    return static_cast<unsigned char>(kind | (channel & 0x0F));
}

} // namespace

void MidiTrack::program(int channel, int prog)
{
    events_.push_back({0, 0, {statusByte(0xC0, channel), byte7(prog)}});
}

void MidiTrack::control(std::uint32_t tick, int channel, int controller, int value)
{
    events_.push_back({tick, 0, {statusByte(0xB0, channel), byte7(controller), byte7(value)}});
}

void MidiTrack::note(std::uint32_t tick, std::uint32_t length, int channel, int pitch, int velocity)
{
    if (length == 0) throw std::invalid_argument("note without length");
    events_.push_back({tick, 2, {statusByte(0x90, channel), byte7(pitch), byte7(std::max(1, velocity))}});
    events_.push_back({tick + length, 1, {statusByte(0x80, channel), byte7(pitch), 64}});
}

void MidiTrack::tempo(std::uint32_t tick, int bpm)
{
    const std::uint32_t us = 60000000u / static_cast<std::uint32_t>(bpm);
    events_.push_back({tick, 0, {0xFF, 0x51, 0x03, static_cast<unsigned char>(us >> 16),
                                 static_cast<unsigned char>((us >> 8) & 0xFF), static_cast<unsigned char>(us & 0xFF)}});
}

void MidiTrack::timeSignature(std::uint32_t tick, int numerator, int denominatorPower)
{
    events_.push_back({tick, 0, {0xFF, 0x58, 0x04, byte7(numerator), byte7(denominatorPower), 24, 8}});
}

void MidiTrack::keySignature(std::uint32_t tick, int sharps, bool minor)
{
    events_.push_back({tick, 0, {0xFF, 0x59, 0x02, static_cast<unsigned char>(static_cast<signed char>(sharps)),
                                 static_cast<unsigned char>(minor ? 1 : 0)}});
}

std::uint32_t MidiTrack::lastTick() const
{
    std::uint32_t last = 0;
    for (const Event& e : events_) last = std::max(last, e.tick);
    return last;
}

std::vector<unsigned char> MidiTrack::chunk(std::uint32_t endTick) const
{
    if (lastTick() > endTick) throw std::logic_error("track '" + name_ + "' runs past the end of the song");
    std::vector<Event> sorted = events_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });

    std::vector<unsigned char> body;
    putVarLen(body, 0);
    body.push_back(0xFF);
    body.push_back(0x03);
    putVarLen(body, static_cast<std::uint32_t>(name_.size()));
    body.insert(body.end(), name_.begin(), name_.end());
    std::uint32_t now = 0;
    for (const Event& e : sorted) {
        putVarLen(body, e.tick - now);
        now = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    putVarLen(body, endTick - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<unsigned char> out = {'M', 'T', 'r', 'k'};
    put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<unsigned char> smfBytes(const MidiSong& song)
{
    std::vector<unsigned char> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    out.push_back(static_cast<unsigned char>(song.tracks.size() >> 8));
    out.push_back(static_cast<unsigned char>(song.tracks.size() & 0xFF));
    out.push_back(static_cast<unsigned char>(song.ticksPerQuarter >> 8));
    out.push_back(static_cast<unsigned char>(song.ticksPerQuarter & 0xFF));
    for (const MidiTrack& t : song.tracks) {
        const std::vector<unsigned char> c = t.chunk(song.lengthTicks);
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}

} // namespace tavrin::assets
