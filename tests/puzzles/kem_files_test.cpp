// Puzzle files on disk: names, overwriting, failed saves, unreadable files.
#include "kem_test_support.h"

#include "puzzles/atomic_file.h"
#include "puzzles/kem_file.h"
#include "puzzles/kem_names.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <map>

namespace tavrin::kem {
namespace {

using testing::fileCount;
using testing::samplePuzzle;
using tavrin::test::readAll;
using tavrin::test::TempFolder;
using tavrin::test::writeAll;

PuzzleList samples(int n)
{
    PuzzleList list;
    for (int i = 0; i < n; ++i) {
        list.push_back(samplePuzzle(i));
    }
    return list;
}

TEST(PuzzleFileNames, ExtensionInAnyCase)
{
    EXPECT_TRUE(hasPuzzleExtension("a.kem"));
    EXPECT_TRUE(hasPuzzleExtension("a.KeM"));
    EXPECT_TRUE(hasPuzzleExtension(".KEM"));
    EXPECT_FALSE(hasPuzzleExtension("a.kemx"));
    EXPECT_FALSE(hasPuzzleExtension("akem"));
    EXPECT_FALSE(hasPuzzleExtension("kem"));
    EXPECT_FALSE(hasPuzzleExtension("a.ket"));
}

TEST(PuzzleFileNames, SaveNameAddsTheExtensionOnlyWhenMissing)
{
    EXPECT_EQ(puzzleSaveName("/d/問題集"), "/d/問題集.kem");
    EXPECT_EQ(puzzleSaveName("/d/x.KEM"), "/d/x.KEM");
    EXPECT_EQ(puzzleSaveName("/d/x.kEm"), "/d/x.kEm");
    EXPECT_EQ(puzzleSaveName("/d/x.kem.bak"), "/d/x.kem.bak.kem");
}

TEST(PuzzleFileNames, CaptionsAndSections)
{
    EXPECT_EQ(stripPuzzleExtension("easy.KEM"), "easy");
    EXPECT_EQ(stripPuzzleExtension("easy.txt"), "easy.txt");
    EXPECT_EQ(puzzleWindowCaption("/home/u/かんたん.Kem", true).japanese(), "かんたん - Tavrin for Windows[編集]");
    EXPECT_EQ(puzzleWindowCaption("C:\\q\\hard.kem", false).japanese(), "hard - Tavrin for Windows[実行]");
    EXPECT_EQ(slashedPath("C:\\q\\hard.kem"), "C:/q/hard.kem");
}

TEST(PuzzleFileSaving, NameWithoutExtensionGetsDotKem)
{
    TempFolder dir;
    const PuzzleFileSave save = savePuzzleFile((dir / "collection").string(), samples(2));
    ASSERT_TRUE(save.saved()) << save.error;
    EXPECT_EQ(save.path, (dir / "collection.kem").string());
    EXPECT_EQ(readAll(dir / "collection.kem").size(), 3u + 2 * 115u);
    EXPECT_EQ(fileCount(dir.path()), 1u);
}

TEST(PuzzleFileSaving, NameWithExtensionInMixedCaseIsUsedAsTyped)
{
    TempFolder dir;
    const PuzzleFileSave save = savePuzzleFile((dir / "Mixed.KeM").string(), samples(1));
    ASSERT_TRUE(save.saved()) << save.error;
    EXPECT_TRUE(std::filesystem::exists(dir / "Mixed.KeM"));
    EXPECT_EQ(fileCount(dir.path()), 1u);
}

TEST(PuzzleFileSaving, OverwritingALongerFileLeavesExactlyTheNewBytes)
{
    TempFolder dir;
    const auto path = dir / "x.kem";
    ASSERT_TRUE(savePuzzleFile(path.string(), samples(10)).saved());
    const PuzzleList shorter = samples(2);
    ASSERT_TRUE(savePuzzleFile(path.string(), shorter).saved());
    EXPECT_EQ(readAll(path), encodePuzzleFile(shorter));
    const PuzzleFileRead read = readPuzzleFile(path);
    ASSERT_TRUE(read.loaded());
    EXPECT_EQ(read.puzzles.size(), 2u);
    EXPECT_EQ(fileCount(dir.path()), 1u); // no temporary file left behind
}

TEST(PuzzleFileSaving, PuzzleWithoutModeWritesNothing)
{
    TempFolder dir;
    PuzzleList list = samples(2);
    list[0].mode = kNoMode;
    const PuzzleFileSave save = savePuzzleFile((dir / "x.kem").string(), list);
    EXPECT_EQ(save.status, SaveStatus::ModeMissing);
    EXPECT_EQ(save.message(), Text(kModeMissingMessage));
    EXPECT_EQ(fileCount(dir.path()), 0u);
}

TEST(PuzzleFileSaving, EmptyNameMeansCancelled)
{
    EXPECT_EQ(savePuzzleFile("", samples(1)).status, SaveStatus::Cancelled);
}

TEST(PuzzleFileSaving, MissingFolderReportsFailure)
{
    TempFolder dir;
    const PuzzleFileSave save = savePuzzleFile((dir / "no-such-folder" / "x.kem").string(), samples(1));
    EXPECT_EQ(save.status, SaveStatus::WriteFailed);
    EXPECT_FALSE(save.error.empty());
    EXPECT_EQ(save.message().japanese(), save.path + "に保存することができませんでした。");
}

TEST(PuzzleFileSaving, TargetThatIsAFolderFailsAndStays)
{
    TempFolder dir;
    std::filesystem::create_directory(dir / "taken.kem");
    writeAll(dir / "taken.kem" / "inside", "keep");
    EXPECT_EQ(savePuzzleFile((dir / "taken.kem").string(), samples(1)).status, SaveStatus::WriteFailed);
    EXPECT_EQ(readAll(dir / "taken.kem" / "inside"), "keep");
    EXPECT_EQ(fileCount(dir.path()), 1u);
}

// A write that fails half-way (the disk is "full" after 200 bytes) must not
// touch the old file.
TEST(PuzzleFileSaving, WriteFailingHalfWayKeepsTheOldFile)
{
    TempFolder dir;
    const auto path = dir / "x.kem";
    const std::string old = encodePuzzleFile(samples(1));
    writeAll(path, old);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 200;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const PuzzleFileSave save = savePuzzleFile(path.string(), samples(20));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(save.status, SaveStatus::WriteFailed);
    EXPECT_FALSE(save.saved());
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(fileCount(dir.path()), 1u);
}

// tests/data/two.kem, written byte by byte from the documented layout and
// masks: a change to the format's numbers would leave every saved file
// unreadable, and these two tests with it.
TEST(GoldenPuzzleFile, LoadsToItsKnownPuzzles)
{
    const PuzzleFileRead read = readPuzzleFile(TAVRIN_TEST_DATA "/two.kem");
    ASSERT_EQ(read.status, ReadStatus::Loaded);
    ASSERT_EQ(read.puzzles.size(), 2U);
    const Puzzle& full = read.puzzles[0];
    EXPECT_EQ(full.mode, kFullConnection);
    EXPECT_EQ(full.comment, fitComment("全部つなげよう"));
    const Puzzle& loop = read.puzzles[1];
    EXPECT_EQ(loop.mode, kBigLoop);
    EXPECT_EQ(loop.comment, fitComment("Loop ループを大きく"));
    const std::map<int, HyperRoad> fullCells{{0, 0}, {2, 0}, {9, 7}, {27, 10}, {36, 1}, {63, 5}};
    const std::map<int, HyperRoad> loopCells{{0, 4}, {1, 5}, {8, 3}, {9, 2}, {20, 6}, {21, 8}, {44, 9}};
    for (int c = 0; c < kCellCount; ++c) {
        const auto cell = static_cast<std::size_t>(c);
        EXPECT_EQ(full.cells[cell], fullCells.contains(c) ? fullCells.at(c) : kEmpty) << "cell " << c;
        EXPECT_EQ(loop.cells[cell], loopCells.contains(c) ? loopCells.at(c) : kEmpty) << "cell " << c;
    }
}

TEST(GoldenPuzzleFile, SavingItsPuzzlesWritesTheSameBytes)
{
    const std::string golden = readAll(TAVRIN_TEST_DATA "/two.kem");
    ASSERT_EQ(golden.size(), 3U + 2 * 115);
    const PuzzleFileRead read = readPuzzleFile(TAVRIN_TEST_DATA "/two.kem");
    ASSERT_TRUE(read.loaded());
    TempFolder dir;
    const PuzzleFileSave saved = savePuzzleFile((dir / "copy.kem").string(), read.puzzles);
    ASSERT_TRUE(saved.saved());
    EXPECT_EQ(readAll(saved.path), golden);
}

TEST(PuzzleFileReading, MissingOrFolderIsUnreadable)
{
    TempFolder dir;
    const PuzzleFileRead missing = readPuzzleFile(dir / "nothing.kem");
    EXPECT_EQ(missing.status, ReadStatus::Unreadable);
    EXPECT_EQ(missing.message().japanese(), (dir / "nothing.kem").string() + "を読み込むことができませんでした。");
    EXPECT_EQ(readPuzzleFile(dir.path()).status, ReadStatus::Unreadable);
}

TEST(PuzzleFileReading, HugeFileReadsOnlyItsFirstSixtyFourRecords)
{
    TempFolder dir;
    std::string bytes = encodePuzzleFile(samples(64));
    bytes += std::string(1 << 20, 'x');
    writeAll(dir / "big.kem", bytes);
    const PuzzleFileRead read = readPuzzleFile(dir / "big.kem");
    ASSERT_TRUE(read.loaded());
    EXPECT_EQ(read.puzzles.size(), 64u);
}

TEST(AtomicFile, WritesExactBytesAndReadsAPrefix)
{
    TempFolder dir;
    const std::string bytes("a\0b\xff", 4);
    ASSERT_TRUE(writeFileAtomically(dir / "f", bytes));
    EXPECT_EQ(readAll(dir / "f"), bytes);
    const FileReadResult prefix = readFileBytes(dir / "f", 2);
    ASSERT_TRUE(prefix.bytes);
    EXPECT_EQ(*prefix.bytes, std::string("a\0", 2));
    EXPECT_FALSE(writeFileAtomically("", bytes));
}

TEST(AtomicFile, KeepsPermissionsAndWritesThroughLinks)
{
    namespace fs = std::filesystem;
    TempFolder dir;
    fs::create_directory(dir / "real");
    writeAll(dir / "real" / "f.kem", "old");
    fs::permissions(dir / "real" / "f.kem", fs::perms(0640));
    fs::create_symlink("real/f.kem", dir / "link.kem");
    fs::create_symlink("link.kem", dir / "chain.kem");
    fs::create_symlink("real/new.kem", dir / "dangling.kem");

    ASSERT_TRUE(writeFileAtomically(dir / "chain.kem", "new bytes"));
    ASSERT_TRUE(writeFileAtomically(dir / "dangling.kem", "made"));

    EXPECT_TRUE(fs::is_symlink(dir / "chain.kem"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.kem"));
    EXPECT_EQ(readAll(dir / "real" / "f.kem"), "new bytes");
    EXPECT_EQ(fs::status(dir / "real" / "f.kem").permissions(), fs::perms(0640));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.kem"));
    EXPECT_EQ(readAll(dir / "real" / "new.kem"), "made");
    EXPECT_EQ(fileCount(dir.path()), 4u);          // the folder and the links, no temporary file
    EXPECT_EQ(fileCount(dir / "real"), 2u); // the old and the new target
}

} // namespace
} // namespace tavrin::kem
