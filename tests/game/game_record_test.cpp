#include "game/game_record.h"

#include "game/crc32.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin::game {
namespace {

std::string bytesOf(const std::string& hex)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return out;
}

// Written by hand from the layout in game_record.h (CRC-32 by zlib).
const std::string kDailyGolden = "5456524301040807060504030201ea070c090300003f400e823feb";
const std::string kPlainGolden = "5456524301030700000000000000000000000000758f6e12";

GameRecord daily()
{
    return GameRecord{0x0102030405060708ULL, 4, ScoreDate{2026, 12, 9}, {0, 63, kDiscardMove}};
}

TEST(GameRecord, WritesTheDocumentedBytes)
{
    EXPECT_EQ(encodeRecord(daily()), bytesOf(kDailyGolden));
    EXPECT_EQ(recordText(daily()), kDailyGolden);
    EXPECT_EQ(encodeRecord(GameRecord{7, 3, std::nullopt, {}}), bytesOf(kPlainGolden));

    const RecordRead read = decodeRecord(bytesOf(kDailyGolden));
    ASSERT_TRUE(read.record);
    EXPECT_EQ(*read.record, daily());
    EXPECT_EQ(readRecordText(" 5456524301030700000000000000000000000000758F6E12\n").record,
              (GameRecord{7, 3, std::nullopt, {}}));
}

// Bytes with a checksum that fits whatever was changed before it, so that
// the values behind it are reached.
std::string sealed(std::string bytes)
{
    bytes.resize(bytes.size() - 4);
    const std::uint32_t crc = crc32(bytes);
    for (int k = 0; k < 4; ++k) {
        bytes += static_cast<char>((crc >> (8 * k)) & 0xFFu);
    }
    return bytes;
}

TEST(GameRecord, RefusesWhatNoGameWrites)
{
    const std::string good = bytesOf(kDailyGolden);
    auto problem = [](const std::string& bytes) { return decodeRecord(bytes).problem; };
    EXPECT_EQ(problem(""), RecordProblem::NotARecord);
    EXPECT_EQ(problem("TAVRGAME"), RecordProblem::NotARecord);
    for (std::size_t size = 4; size < good.size(); ++size) {
        EXPECT_EQ(problem(good.substr(0, size)), RecordProblem::Truncated) << size;
    }
    EXPECT_EQ(problem(good + '\0'), RecordProblem::Damaged);
    std::string flipped = good;
    flipped[21] ^= 1;
    EXPECT_EQ(problem(flipped), RecordProblem::Damaged);

    auto with = [&](std::size_t at, std::string replacement) {
        std::string bytes = good;
        bytes.replace(at, replacement.size(), replacement);
        return problem(sealed(bytes));
    };
    EXPECT_EQ(with(4, "\x02"), RecordProblem::NewerVersion);
    EXPECT_EQ(with(4, std::string(1, '\0')), RecordProblem::Damaged);
    EXPECT_EQ(with(5, "\x01"), RecordProblem::BadValue);          // one item kind
    EXPECT_EQ(with(5, "\x06"), RecordProblem::BadValue);          // six
    EXPECT_EQ(with(16, "\x02\x1e"), RecordProblem::BadValue);     // 2026-02-30
    EXPECT_EQ(with(14, std::string("\0\0\x05", 3)), RecordProblem::BadValue); // a month without a year
    EXPECT_EQ(with(22, "\x41"), RecordProblem::BadValue);         // move 65
    EXPECT_EQ(with(18, "\xe9\x03"), RecordProblem::BadValue);     // 1001 moves announced
    EXPECT_EQ(problem(std::string(kRecordMagic) + std::string(kMaxRecordBytes, '\0')), RecordProblem::TooLong);

    EXPECT_EQ(readRecordText(kDailyGolden + "0").problem, RecordProblem::NotARecord);
    EXPECT_EQ(readRecordText("zz" + kDailyGolden.substr(2)).problem, RecordProblem::NotARecord);
    EXPECT_EQ(readRecordText(std::string(2 * kMaxRecordBytes + 2, '0')).problem, RecordProblem::TooLong);
}

TEST(GameRecord, LongestGameRoundTrips)
{
    GameRecord longest{~0ULL, 5, std::nullopt, std::vector<std::uint8_t>(kMaxRecordMoves, kDiscardMove)};
    EXPECT_EQ(encodeRecord(longest).size(), kMaxRecordBytes);
    EXPECT_EQ(readRecordText(recordText(longest)).record, longest);
    longest.moves.push_back(0);
    EXPECT_FALSE(recordValid(longest));
}

} // namespace
} // namespace tavrin::game
