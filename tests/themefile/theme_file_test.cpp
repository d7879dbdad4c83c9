// Eco theme files: scrambling, layout, validation of the section positions.
#include "graphics/theme_file.h"
#include "graphics/theme_file_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

namespace tavrin::theme {
namespace {

std::array<std::string, kThemePictures> samplePictures()
{
    return {std::string("BM\x01\x02sheet", 9), "BMnormal-background", std::string("BM\0goal", 7), "BMitems!"};
}

// A file with magic, the given five positions and `len` bytes in all.
std::string withPositions(std::array<std::uint32_t, 5> positions, std::size_t len, std::string_view magic = "KET")
{
    std::string bytes(std::max<std::size_t>(len, 3), 'x');
    bytes.replace(0, 3, magic);
    for (std::size_t k = 0; k < 5; ++k) {
        for (std::size_t b = 0; b < 4 && 3 + 4 * k + b < bytes.size(); ++b) {
            bytes[3 + 4 * k + b] = static_cast<char>((positions[k] >> (8 * b)) & 0xFF);
        }
    }
    bytes.resize(len);
    return bytes;
}

// The keystream byte of position i, from the format's six numbers written out
// again here: theme files in the field depend on them, so the tests do not
// take them from the code under test.
unsigned documentedKeystream(std::size_t i)
{
    unsigned x = static_cast<unsigned>(i % 256);
    x = (x * 73 + 41) % 256;
    x = (x * 29 + 87) % 256;
    return (x * 61 + 17) % 256;
}

std::string scrambled(std::string_view plain)
{
    std::string out;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        out += static_cast<char>(static_cast<std::uint8_t>(plain[i]) ^ documentedKeystream(i));
    }
    return out;
}

// --- scrambling -------------------------------------------------------------

TEST(ThemeScrambling, ConstantsAreSmallPositiveNumbers)
{
    for (const KeystreamStage& s : kKeystreamStages) {
        EXPECT_GT(s.multiplier, 0u);
        EXPECT_LT(s.multiplier, 100u);
        EXPECT_GT(s.addend, 0u);
        EXPECT_LT(s.addend, 100u);
    }
}

TEST(ThemeScrambling, KeystreamFollowsThreeStagesAndUndoesItself)
{
    std::set<int> seen;
    for (std::size_t i = 0; i < 1024; ++i) {
        ASSERT_EQ(themeKeystream(i), documentedKeystream(i)) << i;
        EXPECT_EQ(scrambleByte(scrambleByte(0xC3, i), i), 0xC3);
        seen.insert(themeKeystream(i));
    }
    EXPECT_GT(seen.size(), 200u);
    EXPECT_EQ(themeKeystream(5), themeKeystream(5 + 256 * 1000));
}

// --- writing ----------------------------------------------------------------

TEST(ThemeWriting, GoalABIsFourScrambledBytes)
{
    const auto bytes = encodeThemeFile("AB", samplePictures());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(0, 3), "KET");
    // 41 00 42 00 under the keystream's first four bytes 1D 8E FF 70.
    EXPECT_EQ(bytes->substr(23, 4), std::string("\x5C\x8E\xBD\x70"));
}

// tests/data/small.ket, written byte by byte from the documented layout and
// keystream: the goal "緑の町AB" and four short picture sections.
TEST(GoldenThemeFile, LoadsToItsKnownContent)
{
    const ThemeFileRead read = readThemeFile(TAVRIN_TEST_DATA "/small.ket");
    ASSERT_EQ(read.status, ThemeReadStatus::Loaded);
    EXPECT_EQ(read.theme.goal, "緑の町AB");
    EXPECT_EQ(read.theme.pictures[0], "BM sheet");
    EXPECT_EQ(read.theme.pictures[1], "BM normal background");
    EXPECT_EQ(read.theme.pictures[2], "BM goal");
    // The closing zero byte is read as part of the last section, unscrambled with it.
    EXPECT_EQ(read.theme.pictures[3], std::string("BM items!") + static_cast<char>(documentedKeystream(9)));
}

TEST(GoldenThemeFile, WritingItsContentGivesTheSameBytes)
{
    std::ifstream in(TAVRIN_TEST_DATA "/small.ket", std::ios::binary);
    const std::string golden((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(golden.size(), 78U);
    const auto bytes = encodeThemeFile("緑の町AB", {"BM sheet", "BM normal background", "BM goal", "BM items!"});
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, golden);
}

TEST(ThemeWriting, SectionsBackToBackWithAClosingZero)
{
    const auto pictures = samplePictures();
    const auto bytes = encodeThemeFile("緑", pictures);
    ASSERT_TRUE(bytes);
    std::size_t expectedPosition = 24;
    std::array<std::size_t, 5> sizes{2, pictures[0].size(), pictures[1].size(), pictures[2].size(), pictures[3].size()};
    for (std::size_t k = 0; k < 5; ++k) {
        std::uint32_t p = 0;
        for (std::size_t b = 0; b < 4; ++b) {
            p |= static_cast<std::uint32_t>(static_cast<unsigned char>((*bytes)[3 + 4 * k + b])) << (8 * b);
        }
        EXPECT_EQ(p, expectedPosition) << "section " << k;
        if (k > 0) {
            EXPECT_EQ(bytes->substr(p - 1, sizes[k]), scrambled(pictures[k - 1])) << "section " << k;
        }
        expectedPosition += sizes[k];
    }
    EXPECT_EQ(bytes->size(), expectedPosition);
    EXPECT_EQ(bytes->back(), '\0');
}

TEST(ThemeWriting, RefusesAnEmptyPicture)
{
    auto pictures = samplePictures();
    pictures[3].clear();
    EXPECT_FALSE(encodeThemeFile("x", pictures));
}

// --- reading ----------------------------------------------------------------

TEST(ThemeReading, RoundTripGivesGoalAndPictures)
{
    const auto pictures = samplePictures();
    const std::string goal = std::string("水、新芽、太陽をハイパーロードでつないで全ての地域を緑化してください。") + "🌱";
    const ThemeFileRead read = decodeThemeFile(*encodeThemeFile(goal, pictures));
    ASSERT_TRUE(read.loaded());
    EXPECT_EQ(read.message().japanese(), "");
    EXPECT_EQ(read.theme.goal, goal);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(read.theme.pictures[k], pictures[k]) << k;
    }
    // The closing byte belongs to the last section and is unscrambled with it.
    EXPECT_EQ(read.theme.pictures[3], pictures[3] + static_cast<char>(scrambleByte(0, pictures[3].size())));
}

TEST(ThemeReading, NonDecreasingPositionsWithAnEmptyGoal)
{
    const ThemeFileRead read = decodeThemeFile(withPositions({24, 24, 30, 40, 45}, 50));
    ASSERT_TRUE(read.loaded());
    EXPECT_EQ(read.theme.goal, "");
    EXPECT_EQ(read.theme.pictures[0].size(), 6u);
    EXPECT_EQ(read.theme.pictures[1].size(), 10u);
    EXPECT_EQ(read.theme.pictures[2].size(), 5u);
    EXPECT_EQ(read.theme.pictures[3].size(), 6u);
    EXPECT_EQ(read.theme.pictures[3], scrambled("xxxxxx"));
}

TEST(ThemeReading, PositionsMustStayBelowTheFileLength)
{
    const ThemeFileRead read = decodeThemeFile(withPositions({24, 24, 24, 24, 49}, 50));
    ASSERT_TRUE(read.loaded());
    EXPECT_EQ(read.theme.pictures[3].size(), 2u);
    EXPECT_FALSE(decodeThemeFile(withPositions({24, 24, 24, 24, 50}, 50)).loaded());
}

TEST(ThemeReading, OddGoalLengthDropsTheHalfCharacter)
{
    std::string bytes = withPositions({24, 27, 30, 31, 32}, 40);
    bytes.replace(23, 3, scrambled(std::string("A\0B", 3)));
    const ThemeFileRead read = decodeThemeFile(bytes);
    ASSERT_TRUE(read.loaded());
    EXPECT_EQ(read.theme.goal, "A");
}

struct BadHeader {
    const char* name;
    std::string bytes;
};

class RefusedThemes : public ::testing::TestWithParam<BadHeader> {};

TEST_P(RefusedThemes, AreRefusedWithTheThemeMessage)
{
    const ThemeFileRead read = decodeThemeFile(GetParam().bytes);
    EXPECT_EQ(read.status, ThemeReadStatus::Refused);
    EXPECT_EQ(read.message().japanese(), "エコ・テーマの読み込みに失敗しました。");
    EXPECT_EQ(read.theme.goal, "");
}

INSTANTIATE_TEST_SUITE_P(
    Headers, RefusedThemes,
    ::testing::Values(
        BadHeader{"empty", ""},
        BadHeader{"magicOnly", "KET"},
        BadHeader{"twentyThreeBytesAllAt24", withPositions({24, 24, 24, 24, 24}, 23)},
        BadHeader{"decreasing", withPositions({24, 30, 28, 40, 45}, 50)},
        BadHeader{"lowerCaseMagic", withPositions({24, 24, 30, 40, 45}, 50, "ket")},
        BadHeader{"otherMagic", withPositions({24, 24, 30, 40, 45}, 50, "KEM")},
        BadHeader{"positionEntryCut", withPositions({24, 24, 30, 40, 45}, 22)},
        BadHeader{"positionAtLength", withPositions({24, 24, 30, 40, 50}, 50)},
        BadHeader{"positionInsideHeader", withPositions({10, 24, 30, 40, 45}, 50)},
        BadHeader{"positionZero", withPositions({0, 0, 0, 0, 0}, 50)},
        BadHeader{"topBitSet", withPositions({24, 24, 30, 40, 0x80000020u}, 50)},
        BadHeader{"hugePosition", withPositions({24, 0xFFFFFFFFu, 30, 40, 45}, 50)}),
    [](const ::testing::TestParamInfo<BadHeader>& param) { return std::string(param.param.name); });

TEST(ThemeReading, EveryTruncationOfAValidFileIsHandled)
{
    const std::string full = *encodeThemeFile("目標", samplePictures());
    const std::size_t lastPosition = full.size() - samplePictures()[3].size() - 1 + 1;
    for (std::size_t len = 0; len < full.size(); ++len) {
        const ThemeFileRead read = decodeThemeFile(full.substr(0, len));
        EXPECT_EQ(read.loaded(), len > lastPosition) << "length " << len;
    }
}

TEST(ThemeReading, MissingFileIsUnreadable)
{
    const ThemeFileRead read = readThemeFile("/nonexistent-folder/x.ket");
    EXPECT_EQ(read.status, ThemeReadStatus::Unreadable);
    EXPECT_EQ(read.message().japanese(), "/nonexistent-folder/x.ketを読み込むことができませんでした。");
}

TEST(ThemeReading, FileOnDiskRoundTrip)
{
    std::string dir = (std::filesystem::temp_directory_path() / "tavrin-ket-XXXXXX").string();
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    const std::filesystem::path path = std::filesystem::path(dir) / "t.ket";
    const std::string bytes = *encodeThemeFile("水", samplePictures());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const ThemeFileRead read = readThemeFile(path);
    std::filesystem::remove_all(dir);
    ASSERT_TRUE(read.loaded());
    EXPECT_EQ(read.theme.goal, "水");
}

// --- goal text ----------------------------------------------------------------

TEST(ThemeText, Utf16Conversions)
{
    EXPECT_EQ(utf8ToUtf16le("AB"), std::string("A\0B\0", 4));
    EXPECT_EQ(utf8ToUtf16le("水"), "\x34\x6C");
    EXPECT_EQ(utf8ToUtf16le("🌱"), "\x3C\xD8\x31\xDF");
    EXPECT_EQ(utf8ToUtf16le("\xFF"), "\xFD\xFF");
    EXPECT_EQ(utf16leToUtf8("\x3C\xD8\x31\xDF"), "🌱");
    EXPECT_EQ(utf16leToUtf8(std::string("\x3C\xD8" "A\0", 4)), "\xEF\xBF\xBD" "A");
    EXPECT_EQ(cutAtNul(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(cutAtNul("abc"), "abc");
}

} // namespace
} // namespace tavrin::theme
