// Standard MIDI files of type 1: a conductor track and one track per part.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin::assets {

class MidiTrack {
public:
    explicit MidiTrack(std::string name) : name_(std::move(name)) {}

    void program(int channel, int program);
    void control(std::uint32_t tick, int channel, int controller, int value);
    // A note of `length` ticks starting at `tick`.
    void note(std::uint32_t tick, std::uint32_t length, int channel, int pitch, int velocity);
    // Meta events for the conductor track.
    void tempo(std::uint32_t tick, int beatsPerMinute);
    void timeSignature(std::uint32_t tick, int numerator, int denominatorPower);
    void keySignature(std::uint32_t tick, int sharps, bool minor);

    // The MTrk chunk, ending at `endTick` (which must not be before any event).
    std::vector<unsigned char> chunk(std::uint32_t endTick) const;
    std::uint32_t lastTick() const;

private:
    struct Event {
        std::uint32_t tick;
        int order; // at the same tick: set-up first, then note-offs, then note-ons
        std::vector<unsigned char> bytes;
    };
    std::string name_;
    std::vector<Event> events_;
};

struct MidiSong {
    int ticksPerQuarter = 480;
    std::uint32_t lengthTicks = 0; // every track ends here, on a bar line
    std::vector<MidiTrack> tracks;  // tracks[0] is the conductor
};

std::vector<unsigned char> smfBytes(const MidiSong& song);

} // namespace tavrin::assets
