// Time in a standard MIDI file: ticks as the player counts them, milliseconds
// as the game's music loop counts them.
#pragma once

#include <string_view>

namespace tavrin::app {

// The division field of a MIDI file's header: ticks per quarter note when
// positive, or SMPTE timing (frames per second and ticks per frame) when the
// top bit is set. 0 when `bytes` does not start with a MIDI header.
int midiDivision(std::string_view bytes);

// A tempo of `tempoUsPerQuarter` microseconds per quarter note (what the
// player reports, 500000 = 120 bpm until the file sets its own). SMPTE
// divisions ignore the tempo. Unknown timing (division 0) counts ticks as
// milliseconds.
long midiTicksToMs(long ticks, int division, int tempoUsPerQuarter);
long midiMsToTicks(long ms, int division, int tempoUsPerQuarter);

} // namespace tavrin::app
