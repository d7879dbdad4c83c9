#include "scores/score_page.h"

#include "puzzles/cp932.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

namespace tavrin {
namespace {

// The code worked out in 16-bit integers, as the score server's original
// client did; nullopt where that arithmetic overflows or ends negative.
std::optional<std::string> code16(const CodeKey& key, std::string_view cp932Name, std::int16_t score,
                                  std::int16_t year, std::int16_t month, std::int16_t day, std::int16_t kinds)
{
    std::int16_t sum = 0;
    for (const char c : cp932Name) {
        sum = static_cast<std::int16_t>((sum + static_cast<unsigned char>(c)) % 256);
    }
    const std::int16_t d[9] = {static_cast<std::int16_t>(score / 1000), static_cast<std::int16_t>(score % 1000 / 100),
                               static_cast<std::int16_t>(score % 100 / 10), static_cast<std::int16_t>(score % 10),
                               year, month, day, kinds, sum};
    std::int16_t h = 1;
    for (int i = 0; i < 9; ++i) {
        std::int16_t wd = 0;
        std::int16_t inner = 0;
        std::int16_t outer = 0;
        if (__builtin_mul_overflow(key.weights[i], d[i], &wd) || __builtin_add_overflow(h, wd, &inner) ||
            __builtin_mul_overflow(key.multipliers[i], inner, &outer)) {
            return std::nullopt;
        }
        h = static_cast<std::int16_t>(outer % 32767);
    }
    if (h < 0) {
        return std::nullopt;
    }
    std::string code;
    while (h >= 27) {
        code.insert(code.begin(), static_cast<char>('A' + h % 26));
        h = static_cast<std::int16_t>(h / 26);
    }
    code.insert(code.begin(), static_cast<char>('A' + h));
    return code;
}

TEST(ScoreCode, KnownValues)
{
    // Worked out independently from the key tables.
    EXPECT_EQ(scoreCode("Taro", 1234, 2024, 5, 7, 3), "CYT");
    EXPECT_EQ(scoreCode("山田", 32767, 2024, 12, 31, 5), "KZP");
    EXPECT_EQ(scoreCode("", 0, 2000, 1, 1, 4), "MBN");
    EXPECT_EQ(scoreCode("A&B", 5000, 2023, 2, 3, 4), "BTUQ");
}

TEST(ScoreCode, LeadingDigitMayBeTheCharacterAfterZ)
{
    EXPECT_EQ(scoreCode("x", 101, 2024, 1, 1, 3), "[RB"); // 18019 = 26·26·26 + 17·26 + 1
    EXPECT_EQ(scoreCode("x", 1139, 2024, 1, 1, 3), "B");  // a value below 26 is one letter
}

TEST(ScoreCode, EveryInputGivesLettersWithoutOverflow)
{
    for (const std::int16_t score : {std::int16_t{-32768}, std::int16_t{-1}, std::int16_t{0}, std::int16_t{32767}}) {
        for (const std::int16_t year : {std::int16_t{-32768}, std::int16_t{0}, std::int16_t{32767}}) {
            const std::string code = scoreCode(std::string(300, '\xff'), score, year, 32767, -32768, 32767);
            ASSERT_FALSE(code.empty());
            for (const char c : code) {
                EXPECT_TRUE(c >= 'A' && c <= '[') << code;
            }
        }
    }
}

TEST(ScoreCode, NameCountsByItsShiftJisBytes)
{
    // Same byte sum modulo 256 gives the same code; a different one does not.
    EXPECT_EQ(scoreCode("ab", 100, 2024, 1, 1, 3), scoreCode("ba", 100, 2024, 1, 1, 3));
    EXPECT_NE(scoreCode("ab", 100, 2024, 1, 1, 3), scoreCode("ac", 100, 2024, 1, 1, 3));
    // A character Shift-JIS cannot hold counts as "?".
    EXPECT_EQ(scoreCode("😀", 100, 2024, 1, 1, 3), scoreCode("?", 100, 2024, 1, 1, 3));
    // 山田 is 8E 52 93 63: sum 0x1D6, i.e. 0xD6 = 214 modulo 256, like "\xd6" alone.
    EXPECT_EQ(scoreCode("山田", 100, 2024, 1, 1, 3), scoreCode(fromCp932("\x95\x41"), 100, 2024, 1, 1, 3));
}

TEST(ScoreCode, MatchesSixteenBitArithmeticWhereverThatDoesNotOverflow)
{
    std::mt19937 random(20240507);
    auto pick = [&](int lo, int hi) { return static_cast<std::int16_t>(std::uniform_int_distribution<int>(lo, hi)(random)); };
    const char* names[] = {"", "Taro", "山田花子", "ｶﾀｶﾅ", "A&B<>"};
    int compared = 0;
    int overflowed = 0;
    for (int round = 0; round < 4000; ++round) {
        CodeKey key{};
        for (int i = 0; i < 9; ++i) {
            key.weights[i] = pick(1, 6);
            key.multipliers[i] = pick(1, 3);
        }
        const std::string name = names[round % 5];
        const std::int16_t score = pick(0, 32767);
        const std::int16_t year = pick(1990, 2100);
        const std::int16_t month = pick(1, 12);
        const std::int16_t day = pick(1, 31);
        const std::int16_t kinds = pick(3, 5);
        const std::string wide = scoreCode(key, name, score, year, month, day, kinds);
        const auto narrow = code16(key, toCp932(name), score, year, month, day, kinds);
        if (narrow) {
            ++compared;
            ASSERT_EQ(wide, *narrow) << "round " << round;
        } else {
            ++overflowed;
            ASSERT_FALSE(wide.empty());
        }
    }
    EXPECT_GT(compared, 200);
    EXPECT_GT(overflowed, 200);
}

TEST(ScoreCode, DefaultKeyIsTheSharedOne)
{
    EXPECT_EQ(scoreCode("Taro", 1234, 2024, 5, 7, 3), scoreCode(kScoreCodeKey, "Taro", 1234, 2024, 5, 7, 3));
    CodeKey other = kScoreCodeKey;
    other.weights[3] = static_cast<std::int16_t>(other.weights[3] + 1);
    EXPECT_NE(scoreCode("Taro", 1234, 2024, 5, 7, 3), scoreCode(other, "Taro", 1234, 2024, 5, 7, 3));
}

TEST(ScoreCode, ExtremeKeysStayInLetters)
{
    CodeKey key{};
    key.weights.fill(-32768);
    key.multipliers.fill(32767);
    for (const std::int16_t v : {std::int16_t{-32768}, std::int16_t{32767}}) {
        const std::string code = scoreCode(key, "x", v, v, v, v, v);
        ASSERT_FALSE(code.empty());
        for (const char c : code) {
            EXPECT_TRUE(c >= 'A' && c <= '[') << code;
        }
    }
}

} // namespace
} // namespace tavrin
