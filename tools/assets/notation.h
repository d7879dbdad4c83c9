// A compact way to write music by hand: notes as "A4:q", "Bb5:q.", rests
// as "r:h", chords as "Dm7", all checked bar by bar.
#pragma once

#include <string>
#include <vector>

namespace tavrin::assets {

struct NoteValue {
    int pitch;  // MIDI note number, -1 for a rest
    int ticks;
};

// Parses one bar of notes separated by spaces. Durations: w h q e s, a dot
// adds half. Throws std::invalid_argument on a bad token or when the bar
// does not add up to `barTicks`.
std::vector<NoteValue> parseBar(const std::string& bar, int ticksPerQuarter, int barTicks);

// MIDI number of a note name such as "C4" (middle C, 60), "F#3", "Bb5".
int pitchOf(const std::string& name);

// Pitch classes (0 = C) of a chord symbol: root, then third, fifth and any
// seventh. Understands "", "m", "7", "maj7", "m7", "sus4" after the root.
std::vector<int> chordTones(const std::string& symbol);

// The pitch of pitch class `pc` at or above `low`.
int atOrAbove(int pc, int low);

} // namespace tavrin::assets
