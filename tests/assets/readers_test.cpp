// The readers behind the asset checks must refuse what they cannot read,
// or the checks would pass on broken files.
#include "asset_readers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace assets_test {
namespace {

Bytes tinyBmp()
{
    // 2 x 1, 24-bit, bottom-up: a blue and a red pixel, rows padded to 8 bytes.
    const unsigned char header[] = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40,
                                    0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0};
    Bytes b(62, 0);
    std::copy(std::begin(header), std::end(header), b.begin());
    b[54] = 0xFF; // blue
    b[59] = 0xFF; // red
    return b;
}

TEST(Readers, ReadA24BitBitmapAndRefuseTruncatedOnes)
{
    const auto bmp = parseBmp(tinyBmp());
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->width, 2);
    EXPECT_EQ(bmp->height, 1);
    EXPECT_EQ(bmp->at(0, 0), 0x0000FFu);
    EXPECT_EQ(bmp->at(1, 0), 0xFF0000u);

    Bytes cut = tinyBmp();
    cut.resize(cut.size() - 3);
    EXPECT_FALSE(parseBmp(cut));
    Bytes eightBit = tinyBmp();
    eightBit[28] = 8;
    EXPECT_FALSE(parseBmp(eightBit));
}

TEST(Readers, ReadMidiRunningStatusAndRefuseOverlongChunks)
{
    Bytes midi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k', 0, 0, 0, 13,
                  0x00, 0x90, 60, 100,  // note on
                  0x60, 60, 0,          // running status: note on, velocity 0
                  0x00, 0xFF, 0x2F, 0x00};
    midi[21] = static_cast<unsigned char>(midi.size() - 22);
    const auto parsed = parseMidi(midi);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->tracks.size(), 1u);
    EXPECT_EQ(parsed->tracks[0].events.size(), 3u);
    EXPECT_EQ(parsed->tracks[0].events[1].status, 0x90);
    EXPECT_EQ(parsed->tracks[0].endTick, 0x60u);
    EXPECT_TRUE(parsed->tracks[0].endsWithEndOfTrack);

    Bytes overlong = midi;
    overlong[21] = static_cast<unsigned char>(overlong[21] + 5);
    EXPECT_FALSE(parseMidi(overlong));
}

TEST(Readers, RefuseAWaveWhoseDataRunsPastTheFile)
{
    Bytes wav = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                 1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0, 'd', 'a', 't', 'a', 4, 0, 0, 0,
                 1, 0, 2, 0};
    const auto ok = parseWav(wav);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->samples.size(), 2u);
    EXPECT_EQ(ok->sampleRate, 22050);
    wav.pop_back();
    EXPECT_FALSE(parseWav(wav));
}

} // namespace
} // namespace assets_test
