// The three sound effects: the WAV format the game opens, sensible lengths,
// full but unclipped level, and no click at either end.
#include "asset_readers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>

namespace assets_test {
namespace {

struct SoundCase {
    const char* file;
    double minSeconds;
    double maxSeconds;
};

void PrintTo(const SoundCase& c, std::ostream* os) { *os << c.file; }

class SoundFile : public ::testing::TestWithParam<SoundCase> {};

TEST_P(SoundFile, IsMono16BitPcmAt22050)
{
    const auto bytes = readFile(assetPath(GetParam().file));
    ASSERT_TRUE(bytes) << GetParam().file;
    const auto wav = parseWav(*bytes);
    ASSERT_TRUE(wav) << GetParam().file << " is not a readable WAV";
    EXPECT_EQ(wav->format, 1);
    EXPECT_EQ(wav->channels, 1);
    EXPECT_EQ(wav->sampleRate, 22050);
    EXPECT_EQ(wav->bitsPerSample, 16);
    EXPECT_EQ(wav->blockAlign, 2);
    EXPECT_EQ(wav->byteRate, 44100);
    EXPECT_EQ(wav->riffSize + 8, bytes->size());
}

TEST_P(SoundFile, HasItsLengthAndAFullUnclippedLevel)
{
    const auto bytes = readFile(assetPath(GetParam().file));
    ASSERT_TRUE(bytes);
    const auto wav = parseWav(*bytes);
    ASSERT_TRUE(wav);
    ASSERT_FALSE(wav->samples.empty());
    const double seconds = static_cast<double>(wav->samples.size()) / 22050.0;
    EXPECT_GE(seconds, GetParam().minSeconds);
    EXPECT_LE(seconds, GetParam().maxSeconds);

    int peak = 0;
    int atFullScale = 0;
    for (std::int16_t s : wav->samples) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
        if (std::abs(static_cast<int>(s)) >= 32767) ++atFullScale;
    }
    EXPECT_EQ(atFullScale, 0) << "clipped samples";
    EXPECT_GT(peak, 16000) << "too quiet";
    EXPECT_LT(peak, 32000) << "no headroom";

    EXPECT_LT(std::abs(static_cast<int>(wav->samples.front())), 300) << "click at the start";
    EXPECT_LT(std::abs(static_cast<int>(wav->samples.back())), 300) << "click at the end";
}

INSTANTIATE_TEST_SUITE_P(Effects, SoundFile,
                         ::testing::Values(SoundCase{"B.wav", 0.05, 0.4}, SoundCase{"trush.wav", 0.2, 1.0},
                                           SoundCase{"jan.wav", 1.2, 2.0}),
                         [](const ::testing::TestParamInfo<SoundCase>& param) {
                             std::string name = param.param.file;
                             name.erase(name.find('.'));
                             return name;
                         });

TEST(Sounds, ThePlacementTapIsShorterThanTheJingle)
{
    const auto tap = parseWav(readFile(assetPath("B.wav")).value_or(Bytes{}));
    const auto jingle = parseWav(readFile(assetPath("jan.wav")).value_or(Bytes{}));
    ASSERT_TRUE(tap && jingle);
    EXPECT_LT(tap->samples.size() * 4, jingle->samples.size());
}

} // namespace
} // namespace assets_test
