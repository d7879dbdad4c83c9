#include "songs.h"

#include "notation.h"

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavrin::assets {

namespace {

constexpr int kTpq = 480;
constexpr int kBar = 4 * kTpq; // both pieces are in 4/4
constexpr int kDrums = 9;

std::uint32_t barStart(std::size_t bar) { return static_cast<std::uint32_t>(bar * kBar); }

MidiTrack conductor(const char* title, int bpm, int sharps, bool minor)
{
    MidiTrack t(title);
    t.tempo(0, bpm);
    t.timeSignature(0, 4, 2);
    t.keySignature(0, sharps, minor);
    return t;
}

MidiTrack part(const char* name, int channel, int program, int volume, int pan, int reverb)
{
    MidiTrack t(name);
    if (channel != kDrums) t.program(channel, program);
    t.control(0, channel, 7, volume);
    t.control(0, channel, 10, pan);
    t.control(0, channel, 91, reverb);
    return t;
}

// A melody line, one string per bar. Notes are held slightly short of their
// full length so that repeated notes are heard.
void melody(MidiTrack& t, int channel, const std::vector<std::string>& bars, int velocity)
{
    for (std::size_t b = 0; b < bars.size(); ++b) {
        std::uint32_t tick = barStart(b);
        for (const NoteValue& n : parseBar(bars[b], kTpq, kBar)) {
            if (n.pitch >= 0) {
                const bool downbeat = (tick % kBar) == 0;
                t.note(tick, static_cast<std::uint32_t>(n.ticks * 15 / 16), channel, n.pitch,
                       velocity + (downbeat ? 6 : 0));
            }
            tick += static_cast<std::uint32_t>(n.ticks);
        }
    }
}

// Sustained chords, voiced closely from `low` upwards.
void pad(MidiTrack& t, int channel, const std::vector<std::string>& chords, int low, int velocity)
{
    for (std::size_t b = 0; b < chords.size(); ++b) {
        for (int pc : chordTones(chords[b])) t.note(barStart(b), kBar, channel, atOrAbove(pc, low), velocity);
    }
}

// Eighth-note broken chords. `shape` picks, for each eighth of the bar, an
// entry of the voicing: the root from `low`, then chord tones above it.
void brokenChords(MidiTrack& t, int channel, const std::vector<std::string>& chords, int low,
                  const std::vector<int>& shape, int strong, int weak)
{
    for (std::size_t b = 0; b < chords.size(); ++b) {
        const std::vector<int> tones = chordTones(chords[b]);
        const int root = atOrAbove(tones[0], low);
        const int third = atOrAbove(tones[1], root + 1);
        const int fifth = atOrAbove(tones[2], root + 1);
        const int top = tones.size() > 3 ? atOrAbove(tones[3], fifth + 1) : root + 12;
        const int voicing[] = {root, fifth, top, third + 12};
        for (std::size_t k = 0; k < shape.size() && k < 8; ++k) {
            const std::uint32_t tick = barStart(b) + static_cast<std::uint32_t>(k * kTpq / 2);
            t.note(tick, kTpq / 2, channel, voicing[shape[k] % 4], k % 2 == 0 ? strong : weak);
        }
    }
}

// "q. e" as the bar of rests "r:q. r:e", to read a bare rhythm.
std::string asRests(const std::string& rhythm)
{
    std::istringstream in(rhythm);
    std::string token, out;
    while (in >> token) out += "r:" + token + " ";
    return out;
}

// A bass line: for each bar a rhythm (as in melody) over chord degrees,
// 0 = root, 1 = fifth, 2 = octave.
void bassLine(MidiTrack& t, int channel, const std::vector<std::string>& chords, int low,
              const std::string& rhythm, const std::vector<int>& degrees, int velocity)
{
    for (std::size_t b = 0; b < chords.size(); ++b) {
        const std::vector<int> tones = chordTones(chords[b]);
        const int root = atOrAbove(tones[0], low);
        const int choices[] = {root, atOrAbove(tones[2], root + 1), root + 12};
        std::uint32_t tick = barStart(b);
        std::size_t k = 0;
        for (const NoteValue& n : parseBar(asRests(rhythm), kTpq, kBar)) {
            const int degree = degrees[k++ % degrees.size()];
            t.note(tick, static_cast<std::uint32_t>(n.ticks * 7 / 8), channel, choices[degree % 3],
                   velocity - (tick % kBar == 0 ? 0 : 8));
            tick += static_cast<std::uint32_t>(n.ticks);
        }
    }
}

MidiSong finish(std::vector<MidiTrack> tracks, std::size_t bars)
{
    MidiSong song;
    song.ticksPerQuarter = kTpq;
    song.lengthTicks = barStart(bars);
    song.tracks = std::move(tracks);
    for (const MidiTrack& t : song.tracks) {
        if (t.lastTick() > song.lengthTicks) throw std::logic_error("a part runs past the last bar");
    }
    return song;
}

} // namespace

MidiSong freeGameSong()
{
    const std::vector<std::string> chords = {
        "F", "C", "Dm", "Bb", "F", "Bb", "C7", "C",
        "Dm", "Am", "Bb", "F", "Gm", "C7", "F", "C"};
    const std::vector<std::string> tune = {
        "A4:q C5:q F5:h",       "E5:q. D5:e C5:h",      "D5:q F5:q A5:q. G5:e", "F5:q. E5:e D5:h",
        "C5:q A4:q C5:q F5:q",  "G5:q. F5:e D5:h",      "E5:q G5:q C6:q. Bb5:e", "G5:h. r:q",
        "F5:q. E5:e D5:q A4:q", "C5:q. D5:e E5:h",      "D5:q F5:q Bb5:q. A5:e", "A5:h. r:q",
        "G5:q. F5:e D5:q Bb4:q", "C5:q E5:q G5:q C6:q", "A5:q. G5:e F5:h",       "E5:q G5:q C5:h"};

    MidiTrack flute = part("Flute", 0, 73, 96, 74, 70);
    melody(flute, 0, tune, 80);
    MidiTrack guitar = part("Nylon guitar", 1, 24, 92, 48, 50);
    brokenChords(guitar, 1, chords, 45, {0, 1, 2, 3, 2, 1, 2, 1}, 62, 50);
    MidiTrack strings = part("Strings", 2, 48, 70, 80, 80);
    pad(strings, 2, chords, 57, 44);
    MidiTrack bass = part("Bass", 3, 32, 96, 60, 30);
    bassLine(bass, 3, chords, 36, "h h", {0, 1}, 74);

    std::vector<MidiTrack> tracks;
    tracks.push_back(conductor("Tavrin - eco mode", 84, -1, false));
    tracks.push_back(std::move(flute));
    tracks.push_back(std::move(guitar));
    tracks.push_back(std::move(strings));
    tracks.push_back(std::move(bass));
    return finish(std::move(tracks), chords.size());
}

MidiSong seriesSong()
{
    const std::vector<std::string> chords = {
        "Am", "Fmaj7", "Dm7", "E", "Am", "Fmaj7", "G", "E",
        "Dm7", "Am", "Bbmaj7", "G", "Am", "Dm7", "Fmaj7", "E7"};
    const std::vector<std::string> tune = {
        "r:w",                  "r:h E5:q C5:q",        "D5:h. A4:q",           "B4:w",
        "A4:q C5:q E5:q. D5:e", "C5:h A4:h",            "B4:q D5:q G5:q F5:q",  "E5:h. r:q",
        "F5:q. E5:e D5:q C5:q", "E5:h A4:h",            "D5:q F5:q A5:q. G5:e", "G5:h D5:h",
        "E5:q. D5:e C5:q B4:q", "A4:q C5:q F5:q E5:q",  "E5:h. C5:q",           "B4:h G#4:h"};

    MidiTrack vibes = part("Vibraphone", 0, 11, 100, 70, 60);
    melody(vibes, 0, tune, 78);
    MidiTrack marimba = part("Marimba", 1, 12, 84, 52, 40);
    brokenChords(marimba, 1, chords, 57, {0, 2, 1, 3, 0, 2, 1, 3}, 60, 46);
    MidiTrack warm = part("Warm pad", 2, 89, 72, 76, 90);
    pad(warm, 2, chords, 52, 40);
    MidiTrack bass = part("Bass", 3, 33, 98, 64, 20);
    bassLine(bass, 3, chords, 33, "q. e q q", {0, 0, 1, 2}, 78);

    // Shaker from bar 5, a soft side stick on the third beat from bar 9.
    MidiTrack drums = part("Percussion", kDrums, 0, 80, 64, 30);
    for (std::size_t b = 4; b < chords.size(); ++b) {
        for (int k = 0; k < 8; ++k) {
            drums.note(barStart(b) + static_cast<std::uint32_t>(k * kTpq / 2), kTpq / 4, kDrums, 82,
                       k % 2 == 0 ? 34 : 22);
        }
        if (b >= 8) drums.note(barStart(b) + 2 * kTpq, kTpq / 4, kDrums, 37, 44);
    }

    std::vector<MidiTrack> tracks;
    tracks.push_back(conductor("Tavrin - puzzle series", 80, 0, true));
    tracks.push_back(std::move(vibes));
    tracks.push_back(std::move(marimba));
    tracks.push_back(std::move(warm));
    tracks.push_back(std::move(bass));
    tracks.push_back(std::move(drums));
    return finish(std::move(tracks), chords.size());
}

} // namespace tavrin::assets
