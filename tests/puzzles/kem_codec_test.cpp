// Puzzle files in memory: layout, mask, comments, damaged and odd files.
#include "kem_test_support.h"

#include "puzzles/kem_file.h"
#include "puzzles/kem_format.h"

#include <gtest/gtest.h>

#include <set>

namespace tavrin::kem {
namespace {

using testing::rawRecord;
using testing::samplePuzzle;

PuzzleList samples(int n)
{
    PuzzleList list;
    for (int i = 0; i < n; ++i) {
        list.push_back(samplePuzzle(i, "問題" + std::to_string(i)));
    }
    return list;
}

// --- layout and round trips -------------------------------------------------

class RoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(RoundTrip, SizeIsMagicPlusRecordsAndEverythingComesBack)
{
    const int n = GetParam();
    const PuzzleList original = samples(n);
    const std::string bytes = encodePuzzleFile(original);
    ASSERT_EQ(bytes.size(), 3u + 115u * static_cast<std::size_t>(n));
    EXPECT_EQ(bytes.substr(0, 3), "KEM");

    const PuzzleFileRead read = decodePuzzleFile(bytes);
    ASSERT_EQ(read.status, ReadStatus::Loaded);
    ASSERT_EQ(read.puzzles.size(), original.size());
    for (std::size_t j = 0; j < original.size(); ++j) {
        EXPECT_EQ(read.puzzles[j].mode, original[j].mode) << "puzzle " << j;
        EXPECT_EQ(read.puzzles[j].cells, original[j].cells) << "puzzle " << j;
        EXPECT_EQ(trimComment(read.puzzles[j].comment), trimComment(original[j].comment)) << "puzzle " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, RoundTrip, ::testing::Values(1, 2, 7, 64));

TEST(PuzzleFileLayout, EncoderWritesTheDocumentedBytes)
{
    PuzzleList list = samples(3);
    list[2].comment = fitComment("ABC");
    const std::string bytes = encodePuzzleFile(list);
    for (int j = 0; j < 3; ++j) {
        const std::string record = bytes.substr(recordOffset(j), kRecordSize);
        const std::string want = rawRecord(encodeComment(list[static_cast<std::size_t>(j)].comment), list[static_cast<std::size_t>(j)].mode,
                                           list[static_cast<std::size_t>(j)].cells, j);
        EXPECT_EQ(record, want) << "record " << j;
    }
    // The comment is not masked: plain ASCII, blank-padded, then zeros.
    EXPECT_EQ(bytes.substr(recordOffset(2), 50), "ABC" + std::string(22, ' ') + std::string(25, '\0'));
}

TEST(PuzzleFileLayout, HeaderAndCellsAreMaskedPerRecordAndPosition)
{
    std::set<int> masks;
    for (int j = 0; j < kMaxPuzzles; ++j) {
        for (int i = 0; i < static_cast<int>(kMaskedBytes); ++i) {
            EXPECT_EQ(maskPuzzleByte(maskPuzzleByte(0x5A, i, j), i, j), 0x5A);
            masks.insert(puzzleMask(i, j));
        }
    }
    // Not a constant: the mask moves with position and record.
    EXPECT_GT(masks.size(), 100u);

    // An all-empty record does not store its cells as plain 1s.
    Puzzle p;
    p.mode = kFullConnection;
    const std::string bytes = encodePuzzleFile({p});
    int plainOnes = 0;
    for (std::size_t k = 1; k <= 64; ++k) {
        plainOnes += bytes[3 + 50 + k] == '\x01';
    }
    EXPECT_LT(plainOnes, 10);
}

// --- comments ---------------------------------------------------------------

TEST(PuzzleComments, TwentyFiveDoubleByteCharactersFillTheWholeArea)
{
    Puzzle p = samplePuzzle(1);
    std::string text;
    for (int i = 0; i < 25; ++i) {
        text += "あ";
    }
    p.comment = fitComment(text);
    const std::string bytes = encodePuzzleFile({p});
    std::string expected;
    for (int i = 0; i < 25; ++i) {
        expected += "\x82\xA0";
    }
    EXPECT_EQ(bytes.substr(3, 50), expected);
    const PuzzleFileRead read = decodePuzzleFile(bytes);
    ASSERT_TRUE(read.loaded());
    EXPECT_EQ(read.puzzles[0].comment, text);
}

TEST(PuzzleComments, TwentyFiveSingleByteCharactersLeaveTwentyFiveZeros)
{
    Puzzle p = samplePuzzle(0);
    p.comment = "abcdefghijklmnopqrstuvwxy";
    const std::string bytes = encodePuzzleFile({p});
    EXPECT_EQ(bytes.substr(3, 25), p.comment);
    EXPECT_EQ(bytes.substr(28, 25), std::string(25, '\0'));
    EXPECT_EQ(decodePuzzleFile(bytes).puzzles.at(0).comment, p.comment);
}

TEST(PuzzleComments, HalfWidthKatakanaAndBackslashAreSingleBytes)
{
    EXPECT_EQ(encodeComment("ｴｺ\\"), std::string("\xB4\xBA\\") + std::string(22, ' '));
}

TEST(PuzzleComments, UnmappableCharactersBecomeQuestionMarksWithoutShiftingTheRecord)
{
    Puzzle p = samplePuzzle(3);
    // Hangul, an emoji and a malformed byte: none has a Shift-JIS form.
    p.comment = fitComment("한😀\xC0\x80表示");
    const std::string comment = encodeComment(p.comment);
    EXPECT_EQ(comment.substr(0, 3), "???");
    const std::string bytes = encodePuzzleFile({p, samplePuzzle(4)});
    ASSERT_EQ(bytes.size(), 3u + 2 * 115u);
    const PuzzleFileRead read = decodePuzzleFile(bytes);
    ASSERT_EQ(read.puzzles.size(), 2u);
    EXPECT_EQ(read.puzzles[0].cells, p.cells);
    EXPECT_EQ(utf8Length(read.puzzles[0].comment), 25u);
    EXPECT_NE(read.puzzles[0].comment.find("表示"), std::string::npos);
}

TEST(PuzzleComments, LongTextIsCutAndAnyInputStaysWithinFiftyBytes)
{
    EXPECT_EQ(encodeComment(std::string(40, 'x')), std::string(25, 'x'));
    std::string worst;
    for (int i = 0; i < 60; ++i) {
        worst += "\xF5\x80\x80\x80"; // each byte alone becomes "?"
    }
    EXPECT_EQ(encodeComment(worst), std::string(25, '?'));
    std::string kanji;
    for (int i = 0; i < 40; ++i) {
        kanji += "漢";
    }
    EXPECT_EQ(encodeComment(kanji).size(), 50u);
}

// --- damaged, short and foreign files ----------------------------------------

std::string threeRecords()
{
    return encodePuzzleFile(samples(3));
}

TEST(DamagedPuzzleFiles, AlteredCellInThirdRecordKeepsTheFirstTwo)
{
    std::string bytes = threeRecords();
    // Changing a cell by one changes the sum, so the checksum no longer holds.
    bytes[recordOffset(2) + 50 + 10] ^= 0x01;
    const PuzzleFileRead read = decodePuzzleFile(bytes);
    ASSERT_EQ(read.status, ReadStatus::Loaded);
    EXPECT_EQ(read.puzzles.size(), 2u);
    EXPECT_EQ(read.message().japanese(), "");
}

TEST(DamagedPuzzleFiles, CellValueOutsideTheRangeEndsTheCollection)
{
    for (const int stored : {0, 13, 255}) {
        std::string bytes = threeRecords();
        bytes[recordOffset(2) + 50 + 5] = static_cast<char>(maskPuzzleByte(static_cast<std::uint8_t>(stored), 5, 2));
        EXPECT_EQ(decodePuzzleFile(bytes).puzzles.size(), 2u) << "stored value " << stored;
    }
}

TEST(DamagedPuzzleFiles, ModeNibbleOtherThanZeroOrOneEndsTheCollection)
{
    std::string bytes = threeRecords();
    const std::uint8_t header = maskPuzzleByte(static_cast<std::uint8_t>(bytes[recordOffset(1) + 50]), 0, 1);
    bytes[recordOffset(1) + 50] = static_cast<char>(maskPuzzleByte(static_cast<std::uint8_t>((header & 0xF0) | 2), 0, 1));
    EXPECT_EQ(decodePuzzleFile(bytes).puzzles.size(), 1u);
}

TEST(DamagedPuzzleFiles, DamagedFirstRecordIsNotAPuzzleFile)
{
    std::string bytes = threeRecords();
    bytes[3 + 50 + 64] ^= 0x03;
    const PuzzleFileRead read = decodePuzzleFile(bytes);
    EXPECT_EQ(read.status, ReadStatus::NotPuzzleFile);
    EXPECT_TRUE(read.puzzles.empty());
    EXPECT_EQ(read.message().japanese(), "Tavrinの問題ファイルのファイル形式ではありません。");
}

TEST(DamagedPuzzleFiles, TruncatedRecordIsDroppedSilently)
{
    const std::string bytes = threeRecords();
    for (std::size_t cut = 1; cut < 115; cut += 19) {
        const PuzzleFileRead read = decodePuzzleFile(bytes.substr(0, bytes.size() - cut));
        EXPECT_EQ(read.puzzles.size(), 2u) << "cut " << cut;
    }
    EXPECT_EQ(decodePuzzleFile(bytes + "garbage").puzzles.size(), 3u);
}

TEST(DamagedPuzzleFiles, CommentThatRunsPastTheEndOfTheFile)
{
    // A lone lead byte at the very end: the second byte is missing.
    std::string bytes = encodePuzzleFile(samples(1));
    EXPECT_EQ(decodePuzzleFile(bytes + "\x82").puzzles.size(), 1u);
}

TEST(DamagedPuzzleFiles, SixtyFiveRecordsLoadSixtyFour)
{
    const PuzzleList list = samples(64);
    std::string bytes = encodePuzzleFile(list);
    const Puzzle extra = samplePuzzle(99);
    bytes += rawRecord("EXTRA", extra.mode, extra.cells, 64);
    ASSERT_EQ(bytes.size(), 3u + 65 * 115u);
    const PuzzleFileRead read = decodePuzzleFile(bytes);
    ASSERT_EQ(read.puzzles.size(), 64u);
    EXPECT_EQ(read.puzzles[63].cells, list[63].cells);
}

TEST(ForeignFiles, MagicIsComparedByteByByte)
{
    const std::string good = threeRecords();
    for (const char* magic : {"kem", "Kem", "KEm", "KET", "KE\0"}) {
        std::string bytes = good;
        bytes.replace(0, 3, std::string(magic, 3));
        const PuzzleFileRead read = decodePuzzleFile(bytes);
        EXPECT_EQ(read.status, ReadStatus::NotPuzzleFile) << magic;
        EXPECT_EQ(read.message(), Text(kNotPuzzleFileMessage));
    }
}

TEST(ForeignFiles, TinyFiles)
{
    EXPECT_EQ(decodePuzzleFile("").status, ReadStatus::NotPuzzleFile);
    EXPECT_EQ(decodePuzzleFile("K").message().japanese(), "Tavrinの問題ファイルのファイル形式ではありません。");
    EXPECT_EQ(decodePuzzleFile("KE").status, ReadStatus::NotPuzzleFile);
    EXPECT_EQ(decodePuzzleFile("KEM").status, ReadStatus::NotPuzzleFile);
    EXPECT_EQ(decodePuzzleFile(std::string("KEM") + std::string(114, '\0')).status, ReadStatus::NotPuzzleFile);
}

TEST(ForeignFiles, ReadPuzzlesNeverHaveModeMinusOne)
{
    // Every stored header nibble pattern: only 0 and 1 load.
    const Puzzle p = samplePuzzle(2);
    for (int mode = 0; mode < 16; ++mode) {
        const std::string bytes = "KEM" + rawRecord("x", mode, p.cells, 0);
        const PuzzleFileRead read = decodePuzzleFile(bytes);
        if (mode <= 1) {
            ASSERT_TRUE(read.loaded());
            EXPECT_EQ(read.puzzles[0].mode, mode);
        } else {
            EXPECT_EQ(read.status, ReadStatus::NotPuzzleFile) << mode;
        }
    }
}

// --- saving rules that need no file -----------------------------------------

TEST(SaveChecks, PuzzleWithoutModeBlocksTheSave)
{
    PuzzleList list = samples(3);
    EXPECT_EQ(checkSavable(list), SaveStatus::Saved);
    list[1].mode = kNoMode;
    EXPECT_EQ(checkSavable(list), SaveStatus::ModeMissing);
    PuzzleFileSave save;
    save.status = SaveStatus::ModeMissing;
    EXPECT_EQ(save.message().japanese(), "保存する前に全ての問題のゲームモードをつける必要があります。");
    EXPECT_EQ(checkSavable({}), SaveStatus::Saved);
}

TEST(SaveChecks, CollectionsThatCouldNotBeReadBackAreRefused)
{
    EXPECT_EQ(checkSavable(samples(65)), SaveStatus::Invalid);
    PuzzleList list = samples(1);
    list[0].cells[3] = 11; // the eraser is never stored
    EXPECT_EQ(checkSavable(list), SaveStatus::Invalid);
}

// --- the collection in memory ------------------------------------------------

TEST(CollectionInMemory, OnlyALoadedFileReplacesIt)
{
    GameState state;
    state.puzzles[0] = samplePuzzle(5, "元の問題");
    state.puzzleCount = 1;
    const GameState before = state;

    std::string damaged = threeRecords();
    damaged[3 + 60] ^= 0x01;
    EXPECT_FALSE(applyPuzzleFile(state, decodePuzzleFile(damaged)));
    EXPECT_FALSE(applyPuzzleFile(state, decodePuzzleFile("K")));
    EXPECT_EQ(state.puzzleCount, 1);
    EXPECT_EQ(state.puzzles[0], before.puzzles[0]);

    const PuzzleList list = samples(3);
    ASSERT_TRUE(applyPuzzleFile(state, decodePuzzleFile(encodePuzzleFile(list))));
    EXPECT_EQ(state.puzzleCount, 3);
    EXPECT_EQ(collectionOf(state), list);
}

} // namespace
} // namespace tavrin::kem
