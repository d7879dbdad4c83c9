#include "notation.h"

#include <sstream>
#include <stdexcept>

namespace tavrin::assets {

namespace {

int letterClass(char c)
{
    switch (c) {
    case 'C': return 0;
    case 'D': return 2;
    case 'E': return 4;
    case 'F': return 5;
    case 'G': return 7;
    case 'A': return 9;
    case 'B': return 11;
    default: throw std::invalid_argument(std::string("bad note letter ") + c);
    }
}

// Root pitch class and the length of the root spelling.
std::pair<int, std::size_t> rootOf(const std::string& s)
{
    if (s.empty()) throw std::invalid_argument("empty note");
    int pc = letterClass(s[0]);
    std::size_t used = 1;
    if (s.size() > 1 && s[1] == '#') { ++pc; ++used; }
    else if (s.size() > 1 && s[1] == 'b') { --pc; ++used; }
    return {(pc + 12) % 12, used};
}

int durationTicks(const std::string& d, int tpq)
{
    if (d.empty()) throw std::invalid_argument("missing duration");
    int base = 0;
    switch (d[0]) {
    case 'w': base = 4 * tpq; break;
    case 'h': base = 2 * tpq; break;
    case 'q': base = tpq; break;
    case 'e': base = tpq / 2; break;
    case 's': base = tpq / 4; break;
    default: throw std::invalid_argument("bad duration " + d);
    }
    if (d.size() == 2 && d[1] == '.') return base + base / 2;
    if (d.size() != 1) throw std::invalid_argument("bad duration " + d);
    return base;
}

} // namespace

int pitchOf(const std::string& name)
{
    const std::size_t used = rootOf(name).second;
    if (used >= name.size()) throw std::invalid_argument("missing octave in " + name);
    const int octave = std::stoi(name.substr(used));
    const int accidental = used == 2 ? (name[1] == '#' ? 1 : -1) : 0;
    // The octave belongs to the letter, so Cb4 is just below C4.
    return (octave + 1) * 12 + letterClass(name[0]) + accidental;
}

std::vector<NoteValue> parseBar(const std::string& bar, int tpq, int barTicks)
{
    std::vector<NoteValue> notes;
    std::istringstream in(bar);
    std::string token;
    int total = 0;
    while (in >> token) {
        const auto colon = token.find(':');
        if (colon == std::string::npos) throw std::invalid_argument("no duration in " + token);
        const std::string what = token.substr(0, colon);
        const int ticks = durationTicks(token.substr(colon + 1), tpq);
        notes.push_back({what == "r" ? -1 : pitchOf(what), ticks});
        total += ticks;
    }
    if (total != barTicks) {
        throw std::invalid_argument("bar \"" + bar + "\" lasts " + std::to_string(total) + " ticks, not " +
                                    std::to_string(barTicks));
    }
    return notes;
}

std::vector<int> chordTones(const std::string& symbol)
{
    const auto [root, used] = rootOf(symbol);
    const std::string quality = symbol.substr(used);
    std::vector<int> steps;
    if (quality.empty()) steps = {0, 4, 7};
    else if (quality == "m") steps = {0, 3, 7};
    else if (quality == "7") steps = {0, 4, 7, 10};
    else if (quality == "maj7") steps = {0, 4, 7, 11};
    else if (quality == "m7") steps = {0, 3, 7, 10};
    else if (quality == "sus4") steps = {0, 5, 7};
    else throw std::invalid_argument("unknown chord " + symbol);
    std::vector<int> tones;
    for (int s : steps) tones.push_back((root + s) % 12);
    return tones;
}

int atOrAbove(int pc, int low)
{
    return low + ((pc - low) % 12 + 12) % 12;
}

} // namespace tavrin::assets
