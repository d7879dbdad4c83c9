#include "game/crc32.h"

#include <gtest/gtest.h>

#include <string>

using tavrin::game::crc32;

// Values as zlib's crc32() gives them (checked apart with Python's zlib.crc32).
TEST(Crc32, MatchesZlib)
{
    EXPECT_EQ(crc32(""), 0x00000000U);
    EXPECT_EQ(crc32("a"), 0xE8B7BE43U);
    EXPECT_EQ(crc32("123456789"), 0xCBF43926U);
    EXPECT_EQ(crc32("The quick brown fox jumps over the lazy dog"), 0x414FA339U);
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(crc32(all), 0x29058C73U);
}

TEST(Crc32, ContinuesAnEarlierValue)
{
    EXPECT_EQ(crc32("6789", crc32("12345")), 0xCBF43926U);
}
