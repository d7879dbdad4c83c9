// The game's two music loops, written note by note.
#pragma once

#include "midi_writer.h"

namespace tavrin::assets {

// "ecomode.mid": the free game. A calm pastoral tune in F major for flute,
// nylon guitar, strings and bass; 16 bars at 84 beats a minute.
MidiSong freeGameSong();

// "mondai.mid": series play. A thoughtful A-minor piece for vibraphone over
// a marimba figure, warm pad, bass and light percussion; 16 bars at 80.
MidiSong seriesSong();

} // namespace tavrin::assets
