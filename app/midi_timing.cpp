#include "app/midi_timing.h"

#include <cstdint>

namespace tavrin::app {

namespace {

// Microseconds per tick, as a fraction `us / ticks`.
struct TickLength {
    std::int64_t us = 1000;
    std::int64_t ticks = 1;
};

TickLength tickLength(int division, int tempoUsPerQuarter)
{
    if (division > 0) {
        return {tempoUsPerQuarter > 0 ? tempoUsPerQuarter : 500000, division};
    }
    if (division < 0) {
        // High byte: minus the frames per second (29 stands for 29.97); low byte: ticks per frame.
        const int fps = -static_cast<std::int8_t>(static_cast<unsigned>(division) >> 8 & 0xFF);
        const int perFrame = division & 0xFF;
        if (fps > 0 && perFrame > 0) {
            return fps == 29 ? TickLength{100000000, std::int64_t{2997} * perFrame}
                             : TickLength{1000000, std::int64_t{fps} * perFrame};
        }
    }
    return {};
}

} // namespace

int midiDivision(std::string_view bytes)
{
    if (bytes.size() < 14 || bytes.substr(0, 4) != "MThd") {
        return 0;
    }
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const int value = b(12) << 8 | b(13);
    return value >= 0x8000 ? value - 0x10000 : value;
}

long midiTicksToMs(long ticks, int division, int tempoUsPerQuarter)
{
    const TickLength t = tickLength(division, tempoUsPerQuarter);
    return static_cast<long>(static_cast<std::int64_t>(ticks) * t.us / (t.ticks * 1000));
}

long midiMsToTicks(long ms, int division, int tempoUsPerQuarter)
{
    const TickLength t = tickLength(division, tempoUsPerQuarter);
    return static_cast<long>(static_cast<std::int64_t>(ms) * 1000 * t.ticks / t.us);
}

} // namespace tavrin::app
