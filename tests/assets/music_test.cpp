// The two music loops: Standard MIDI files of type 1 that a General MIDI
// player can loop cleanly (every track ends together on a bar line).
#include "asset_readers.h"

#include <gtest/gtest.h>

#include <map>

namespace assets_test {
namespace {

struct Song {
    MidiFile midi;
    std::uint32_t barTicks = 0;
    double microsPerQuarter = 0;
};

std::optional<Song> loadSong(const std::string& name)
{
    const auto bytes = readFile(assetPath(name));
    if (!bytes) return std::nullopt;
    const auto midi = parseMidi(*bytes);
    if (!midi || midi->tracks.empty()) return std::nullopt;
    Song song{*midi, 0, 0};
    for (const MidiEvent& e : midi->tracks[0].events) {
        if (e.status == 0xFF && e.data1 == 0x58 && e.meta.size() == 4) {
            song.barTicks = static_cast<std::uint32_t>(midi->division * 4 * e.meta[0] / (1 << e.meta[1]));
        }
        if (e.status == 0xFF && e.data1 == 0x51 && e.meta.size() == 3) {
            song.microsPerQuarter = (e.meta[0] << 16) | (e.meta[1] << 8) | e.meta[2];
        }
    }
    return song;
}

class MusicFile : public ::testing::TestWithParam<const char*> {};

TEST_P(MusicFile, HasAType1HeaderMatchingItsTracks)
{
    const auto bytes = readFile(assetPath(GetParam()));
    ASSERT_TRUE(bytes) << GetParam();
    ASSERT_GE(bytes->size(), 14u);
    EXPECT_EQ(std::string(bytes->begin(), bytes->begin() + 4), "MThd");
    const auto midi = parseMidi(*bytes);
    ASSERT_TRUE(midi) << GetParam() << " has a chunk or event running past its end";
    EXPECT_EQ(midi->format, 1);
    EXPECT_GE(midi->declaredTracks, 4);
    EXPECT_EQ(static_cast<std::size_t>(midi->declaredTracks), midi->tracks.size());
    EXPECT_GT(midi->division, 0);
    EXPECT_LT(midi->division, 0x8000) << "ticks per quarter, not SMPTE";
    for (const MidiTrackData& t : midi->tracks) EXPECT_TRUE(t.endsWithEndOfTrack);
}

TEST_P(MusicFile, LoopsOnABarLineWithinHalfAMinute)
{
    const auto song = loadSong(GetParam());
    ASSERT_TRUE(song);
    ASSERT_GT(song->barTicks, 0u) << "no time signature";
    ASSERT_GT(song->microsPerQuarter, 0) << "no tempo";
    const std::uint32_t end = song->midi.tracks[0].endTick;
    for (const MidiTrackData& t : song->midi.tracks) EXPECT_EQ(t.endTick, end) << "tracks end at different times";
    EXPECT_EQ(end % song->barTicks, 0u) << "the loop does not end on a bar line";
    const double seconds = end / static_cast<double>(song->midi.division) * song->microsPerQuarter / 1e6;
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 60.0);
}

TEST_P(MusicFile, EveryPartHasAnInstrumentAndEveryNoteEnds)
{
    const auto song = loadSong(GetParam());
    ASSERT_TRUE(song);
    int notes = 0;
    for (std::size_t t = 1; t < song->midi.tracks.size(); ++t) {
        bool program = false;
        bool drums = false;
        std::map<int, int> sounding; // channel * 128 + pitch -> count
        for (const MidiEvent& e : song->midi.tracks[t].events) {
            const int kind = e.status & 0xF0;
            const int ch = e.status & 0x0F;
            if (e.status == 0xFF) continue;
            if (kind == 0xC0) program = true;
            if (kind == 0x90 && e.data2 > 0) {
                drums = drums || ch == 9;
                EXPECT_TRUE(program || ch == 9) << "track " << t << " plays before choosing an instrument";
                ++sounding[ch * 128 + e.data1];
                ++notes;
            } else if (kind == 0x80 || (kind == 0x90 && e.data2 == 0)) {
                EXPECT_GT(sounding[ch * 128 + e.data1], 0) << "track " << t << " ends a note never started";
                --sounding[ch * 128 + e.data1];
            }
        }
        EXPECT_TRUE(program || drums) << "track " << t;
        for (const auto& [key, count] : sounding) EXPECT_EQ(count, 0) << "track " << t << " leaves note " << key % 128 << " hanging";
    }
    EXPECT_GT(notes, 100);
}

INSTANTIATE_TEST_SUITE_P(Loops, MusicFile, ::testing::Values("ecomode.mid", "mondai.mid"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             std::string name = param.param;
                             return name.substr(0, name.find('.'));
                         });

TEST(Music, TheTwoPiecesDiffer)
{
    const auto eco = readFile(assetPath("ecomode.mid"));
    const auto series = readFile(assetPath("mondai.mid"));
    ASSERT_TRUE(eco && series);
    EXPECT_NE(*eco, *series);
}

} // namespace
} // namespace assets_test
