#include "puzzles/collection.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

Puzzle puzzleWith(HyperRoad piece, GameMode mode, std::string_view comment)
{
    Puzzle p = newPuzzle();
    p.mode = mode;
    p.comment = fitComment(comment);
    for (int i = 0; i < kCellCount; i += 3) {
        p.cells[static_cast<std::size_t>(i)] = piece;
    }
    return p;
}

class CollectionTest : public ::testing::Test {
protected:
    CollectionTest() { c.startBlank(); }

    // n puzzles numbered by their first cell's piece (0, 1, 2, ...).
    void fill(int n)
    {
        for (int i = 0; i < n; ++i) {
            s.puzzles[static_cast<std::size_t>(i)] = puzzleWith(static_cast<HyperRoad>(i % 11), kFullConnection,
                                                                 "p" + std::to_string(i));
        }
        s.puzzleCount = static_cast<std::int16_t>(n);
        c.fileLoaded("/tmp/x.kem");
    }
    std::string commentAt(int i) const { return trimComment(s.puzzles[static_cast<std::size_t>(i)].comment); }
    bool boardMatchesCurrent() const
    {
        for (int i = 0; i < kCellCount; ++i) {
            if (s.board[static_cast<std::size_t>(i)] != c.current().cells[static_cast<std::size_t>(i)]) {
                return false;
            }
        }
        return true;
    }

    GameState s;
    Collection c{s};
};

TEST_F(CollectionTest, StartsAsOneBlankSavedPuzzleWithEveryToolDisabled)
{
    EXPECT_EQ(c.count(), 1);
    EXPECT_EQ(c.puzzleNumberText(), "1/1");
    EXPECT_TRUE(isBlankPuzzle(c.current()));
    EXPECT_EQ(trimComment(c.current().comment), "ここにコメントを書いてください。");
    c.refreshEditCommands();
    EXPECT_TRUE(c.collectionSaved());
    EXPECT_EQ(c.commands(), EditCommandStates{});
    EXPECT_EQ(c.editFilePath(), "");
}

TEST_F(CollectionTest, NewInsertsAfterCurrentAndKeepsOrder)
{
    fill(4);
    c.moveTo(1);
    ASSERT_TRUE(c.addPuzzle());
    EXPECT_EQ(c.count(), 5);
    EXPECT_EQ(c.position(), 2);
    EXPECT_TRUE(isBlankPuzzle(s.puzzles[2]));
    EXPECT_EQ(commentAt(0), "p0");
    EXPECT_EQ(commentAt(1), "p1");
    EXPECT_EQ(commentAt(3), "p2");
    EXPECT_EQ(commentAt(4), "p3");
    EXPECT_FALSE(c.collectionSaved());
    EXPECT_TRUE(boardMatchesCurrent());
    EXPECT_EQ(c.puzzleNumberText(), "3/5");
}

TEST_F(CollectionTest, SixtyFourPuzzleLimit)
{
    fill(63);
    c.moveTo(62);
    ASSERT_TRUE(c.addPuzzle()) << "new on the last of 63 gives 64";
    EXPECT_EQ(c.count(), 64);
    EXPECT_EQ(c.puzzleNumberText(), "64/64");
    const auto before = s.puzzles;
    EXPECT_FALSE(c.addPuzzle());
    EXPECT_EQ(c.count(), 64);
    EXPECT_EQ(s.puzzles, before);
    c.moveTo(10);
    EXPECT_FALSE(c.addPuzzle()) << "the limit holds in the middle too";
    EXPECT_EQ(c.position(), 10);
    EXPECT_STREQ(kPuzzleLimitText.source, "一つの問題ファイルに64問までしか保存できません。");
}

TEST_F(CollectionTest, CutLeavesABlankPuzzleAndPasteElsewhereMovesTheContent)
{
    fill(3);
    c.moveTo(0);
    const Puzzle first = s.puzzles[0];
    EXPECT_FALSE(c.commands().paste);
    ASSERT_TRUE(c.cutPuzzle());
    EXPECT_EQ(c.count(), 3) << "cut never removes";
    EXPECT_TRUE(isBlankPuzzle(s.puzzles[0]));
    EXPECT_TRUE(boardMatchesCurrent());
    EXPECT_TRUE(c.commands().paste);
    EXPECT_TRUE(c.commands().undo);
    EXPECT_TRUE(c.undoBlocksPaste());
    EXPECT_FALSE(c.collectionSaved());

    c.disableUndo(); // navigation
    c.moveTo(2);
    ASSERT_TRUE(c.pastePuzzle());
    EXPECT_EQ(s.puzzles[2], first) << "mode, comment and cells all arrive";
    EXPECT_TRUE(boardMatchesCurrent());
    EXPECT_EQ(c.count(), 3);
}

TEST_F(CollectionTest, UndoAfterCutRestoresAndWithdrawsPaste)
{
    fill(2);
    const auto before = s.puzzles;
    ASSERT_TRUE(c.cutPuzzle());
    ASSERT_TRUE(c.undoEdit());
    EXPECT_EQ(s.puzzles[0], before[0]);
    EXPECT_TRUE(boardMatchesCurrent());
    EXPECT_FALSE(c.commands().paste) << "the cut's clipboard is withdrawn";
    EXPECT_FALSE(c.commands().undo) << "one step only";
    EXPECT_FALSE(c.undoEdit());
    EXPECT_FALSE(c.pastePuzzle());
}

TEST_F(CollectionTest, UndoAfterCopyAndPasteRestoresOverwrittenAndKeepsPaste)
{
    fill(3);
    c.moveTo(0);
    ASSERT_TRUE(c.copyPuzzle());
    EXPECT_TRUE(c.collectionSaved()) << "copy changes nothing";
    EXPECT_FALSE(c.commands().undo) << "copy takes no snapshot";
    c.moveTo(1);
    const Puzzle overwritten = s.puzzles[1];
    ASSERT_TRUE(c.pastePuzzle());
    EXPECT_EQ(s.puzzles[1], s.puzzles[0]);
    ASSERT_TRUE(c.undoEdit());
    EXPECT_EQ(s.puzzles[1], overwritten);
    EXPECT_TRUE(boardMatchesCurrent());
    EXPECT_TRUE(c.commands().paste);
    EXPECT_TRUE(c.pastePuzzle()) << "paste stays usable";
}

TEST_F(CollectionTest, DeleteInTheMiddleShiftsTheRest)
{
    fill(4);
    c.moveTo(1);
    ASSERT_TRUE(c.deletePuzzle());
    EXPECT_EQ(c.count(), 3);
    EXPECT_EQ(c.position(), 1);
    EXPECT_EQ(commentAt(0), "p0");
    EXPECT_EQ(commentAt(1), "p2");
    EXPECT_EQ(commentAt(2), "p3");
    EXPECT_TRUE(boardMatchesCurrent());
    EXPECT_FALSE(c.collectionSaved());
}

TEST_F(CollectionTest, UndoAfterDeletingTheLastPuzzleBringsItBack)
{
    fill(3);
    c.moveTo(2);
    const Puzzle last = s.puzzles[2];
    ASSERT_TRUE(c.deletePuzzle());
    EXPECT_EQ(c.count(), 2);
    EXPECT_EQ(c.position(), 1) << "the position becomes the new last puzzle";
    EXPECT_EQ(c.puzzleNumberText(), "2/2");
    EXPECT_TRUE(boardMatchesCurrent());
    ASSERT_TRUE(c.undoEdit());
    EXPECT_EQ(c.count(), 3);
    EXPECT_EQ(s.puzzles[2], last);
    EXPECT_EQ(c.puzzleNumberText(), "2/3");
    c.moveTo(2);
    EXPECT_EQ(c.puzzleNumberText(), "3/3") << "the spinner reaches it again as the last of all";
    EXPECT_TRUE(boardMatchesCurrent());
}

TEST_F(CollectionTest, DeleteOfTheOnlyPuzzleBlanksIt)
{
    s.puzzles[0] = puzzleWith(4, kBigLoop, "only");
    c.moveTo(0);
    c.markEdited();
    c.refreshEditCommands();
    EXPECT_FALSE(c.collectionSaved());
    ASSERT_TRUE(c.deletePuzzle());
    EXPECT_EQ(c.count(), 1);
    EXPECT_TRUE(isBlankPuzzle(s.puzzles[0]));
    EXPECT_TRUE(boardMatchesCurrent());
    EXPECT_TRUE(c.collectionSaved()) << "a single blank puzzle has nothing to save";
    EXPECT_FALSE(c.commands().remove);
    EXPECT_FALSE(c.commands().saveButton);

    // Undo brings the content back, and it is again something to save.
    ASSERT_TRUE(c.undoEdit());
    EXPECT_EQ(trimComment(s.puzzles[0].comment), "only");
    EXPECT_FALSE(c.collectionSaved());
    EXPECT_TRUE(c.commands().remove);
}

TEST_F(CollectionTest, RefreshEnablesToolsForContentAndSaveItemOnlyWithAFile)
{
    s.board[10] = 3;
    c.storeBoard();
    c.refreshEditCommands();
    EXPECT_TRUE(c.commands().cut);
    EXPECT_TRUE(c.commands().copy);
    EXPECT_TRUE(c.commands().remove);
    EXPECT_TRUE(c.commands().boardTools);
    EXPECT_TRUE(c.commands().saveButton);
    EXPECT_TRUE(c.commands().saveAsItem);
    EXPECT_FALSE(c.commands().saveItem) << "no file name yet";
    c.fileSaved("/tmp/a.kem");
    EXPECT_TRUE(c.collectionSaved());
    EXPECT_EQ(c.editFilePath(), "/tmp/a.kem");
    c.refreshEditCommands();
    EXPECT_TRUE(c.commands().saveItem);
}

TEST_F(CollectionTest, ACommentAloneMakesThePuzzleNonBlank)
{
    c.setComment("私の問題");
    EXPECT_FALSE(c.collectionSaved()) << "a typed comment is not thrown away silently";
    c.refreshEditCommands();
    EXPECT_TRUE(c.commands().cut);
    EXPECT_FALSE(c.collectionSaved());
    EXPECT_EQ(c.current().comment, fitComment("私の問題"));
}

TEST_F(CollectionTest, SettingTheSameCommentChangesNothing)
{
    c.setComment("ここにコメントを書いてください。");
    EXPECT_TRUE(c.collectionSaved());
    c.setComment("ここにコメントを書いてください。   ");
    EXPECT_TRUE(c.collectionSaved());
}

TEST_F(CollectionTest, MovingToABlankSecondPuzzleOfABlankCollectionCountsAsSaved)
{
    ASSERT_TRUE(c.addPuzzle());
    EXPECT_FALSE(c.collectionSaved()) << "a new puzzle is a change";
    c.disableUndo();
    c.moveTo(0);
    c.refreshEditCommands();
    c.moveTo(1);
    c.refreshEditCommands();
    EXPECT_TRUE(c.collectionSaved());
}

TEST_F(CollectionTest, BlankSecondPuzzleDoesNotHideTheFirstPuzzlesChanges)
{
    s.board[5] = 1;
    c.storeBoard();
    c.markEdited();
    ASSERT_TRUE(c.addPuzzle());
    c.moveTo(1);
    c.refreshEditCommands();
    EXPECT_FALSE(c.commands().cut) << "the current puzzle is blank";
    EXPECT_FALSE(c.collectionSaved()) << "but puzzle 1 still holds unsaved pieces";
}

TEST_F(CollectionTest, CopyOfTheBlankCollectionPastedBackIsHarmless)
{
    c.copyPuzzle();
    EXPECT_TRUE(c.pastePuzzle());
    c.refreshEditCommands();
    EXPECT_TRUE(c.collectionSaved()) << "pasting a blank puzzle into a blank collection leaves it blank";
}

TEST_F(CollectionTest, FileLoadStartsAtTheFirstPuzzleWithUndoOff)
{
    s.board[3] = 2;
    c.storeBoard();
    c.takeUndoSnapshot(false);
    fill(5);
    EXPECT_EQ(c.position(), 0);
    EXPECT_FALSE(c.commands().undo);
    EXPECT_TRUE(c.collectionSaved());
    EXPECT_TRUE(c.commands().saveItem);
    EXPECT_TRUE(boardMatchesCurrent());
    EXPECT_EQ(c.puzzleNumberText(), "1/5");
}

TEST_F(CollectionTest, StartBlankKeepsTheClipboardButDisablesPaste)
{
    fill(2);
    c.copyPuzzle();
    c.startBlank();
    ASSERT_TRUE(c.clipboard().has_value());
    EXPECT_FALSE(c.pastePuzzle());
    c.refreshEditCommands();
    EXPECT_TRUE(c.collectionSaved());
}

TEST(BlankPuzzle, DefaultCommentPrefixAndCells)
{
    EXPECT_TRUE(startsWithDefaultComment("ここにコメントを書いてください。"));
    EXPECT_TRUE(startsWithDefaultComment("ここにコメントを書いてください。追加"));
    EXPECT_FALSE(startsWithDefaultComment("ここにコメントを書いて"));
    EXPECT_FALSE(startsWithDefaultComment(""));
    Puzzle p = newPuzzle();
    EXPECT_TRUE(isBlankPuzzle(p));
    p.cells[63] = 0;
    EXPECT_FALSE(isBlankPuzzle(p));
    p = newPuzzle();
    p.mode = kFullConnection;
    EXPECT_FALSE(isBlankPuzzle(p));
}

} // namespace
} // namespace tavrin
