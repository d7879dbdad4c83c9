// Entering and leaving the editor, navigation, the collection commands and
// the board tools as the window sees them.
#include "editor_fixture.h"

#include "game/editor_texts.h"
#include "puzzles/collection.h"

namespace tavrin::game::testing {
namespace {

using EditorMode = EditorFixture;

TEST_F(EditorMode, EnteringShowsOneBlankPuzzleWithTheToolsOff)
{
    w.setStatusText("水をつないでください");
    enterEditor();
    EXPECT_TRUE(s.editMode);
    EXPECT_EQ(w.spinnerLabel, "1/1");
    EXPECT_EQ(w.spinnerMax, 0);
    EXPECT_EQ(w.spinner, 0);
    EXPECT_TRUE(w.spinnerEnabled);
    EXPECT_EQ(w.comment, "ここにコメントを書いてください。");
    EXPECT_TRUE(w.commentVisible);
    EXPECT_FALSE(w.commentReadOnly);
    EXPECT_EQ(w.status, "");
    for (Command c : {Command::Cut, Command::Copy, Command::Delete, Command::Save, Command::SaveAs, Command::Undo,
                      Command::Paste}) {
        EXPECT_FALSE(enabled(c)) << static_cast<int>(c);
    }
    EXPECT_FALSE(w.boardToolbarEnabled);
    EXPECT_TRUE(w.panels[Panel::Palette]);
    EXPECT_TRUE(w.panels[Panel::BoardToolbar]);
    EXPECT_TRUE(w.panels[Panel::EditorOptions]);
    EXPECT_FALSE(w.panels[Panel::FreeGame]);
    EXPECT_TRUE(w.menuEnabled[Menu::Edit]);
    EXPECT_TRUE(checked(Command::EditMode));
    EXPECT_FALSE(checked(Command::PlayMode));
    EXPECT_FALSE(checked(Command::EcoMode));
    EXPECT_FALSE(enabled(Command::EcoMode));
    EXPECT_TRUE(enabled(Command::FullConnection));
    EXPECT_TRUE(enabled(Command::BigLoop));
    EXPECT_FALSE(checked(Command::FullConnection));
    EXPECT_FALSE(checked(Command::BigLoop));
    EXPECT_EQ(w.command(Command::NewGame).caption, "新規問題(&N)");
    EXPECT_EQ(w.command(Command::NewGame).toolTip, "新規問題の作成");
    EXPECT_EQ(w.command(Command::NewGame).image, 19); // its own picture, not the folder of button 2
    EXPECT_FALSE(w.command(Command::GameSeparator).visible);
    EXPECT_EQ(s.movesUsed, 96);
    EXPECT_TRUE(editor.collectionSaved());
    EXPECT_EQ(editor.editFilePath(), "");
    EXPECT_GE(w.redrawAllCount, 1);
}

TEST_F(EditorMode, LeavingAtOnceAsksNothingAndRestoresTheFreeGame)
{
    ctl.StartFreeGame();
    ctl.cellReleased(27);
    finishSequence();
    const Board board = s.board;
    const auto green = s.greenStamp;
    const auto items = s.cellItem;
    const std::int16_t offered = ctl.flow().offeredPiece;
    const std::int16_t moves = s.movesUsed;
    const std::string status = w.status;

    enterEditor();
    EXPECT_EQ(ctl.flow().offeredPiece, -1);
    place(5, 7);
    editor.editCommand(Command::Undo); // back to blank: nothing to save
    ASSERT_TRUE(editor.collectionSaved());

    ctl.command(Command::PlayMode, Source::Toolbar); // FakeWindow throws on an unexpected question
    EXPECT_FALSE(s.editMode);
    EXPECT_EQ(s.board, board);
    EXPECT_EQ(s.greenStamp, green);
    EXPECT_EQ(s.cellItem, items);
    EXPECT_EQ(ctl.flow().offeredPiece, offered);
    EXPECT_EQ(s.movesUsed, moves);
    EXPECT_EQ(w.status, status);
}

TEST_F(EditorMode, EnteringTwiceKeepsTheCollectionAndTheSuspendedGame)
{
    ctl.StartFreeGame();
    const Board freeBoard = s.board;
    enterEditor();
    place(9, 3);
    editor.enterEditMode();
    ctl.command(Command::EditMode, Source::Menu);
    EXPECT_EQ(s.board[9], 3);
    EXPECT_EQ(current().cells[9], 3);
    EXPECT_EQ(s.boardSave, freeBoard);
    EXPECT_TRUE(checked(Command::EditMode));
}

TEST_F(EditorMode, AnEditMakesLeavingAskAndNoKeepsTheEditorOpen)
{
    enterEditor();
    place(20, 1);
    EXPECT_FALSE(editor.collectionSaved());
    EXPECT_TRUE(enabled(Command::Cut));
    EXPECT_TRUE(enabled(Command::Save));
    EXPECT_TRUE(enabled(Command::SaveAs));
    EXPECT_TRUE(enabled(Command::Undo));
    EXPECT_TRUE(w.boardToolbarEnabled);
    EXPECT_EQ(current().cells[20], 1);

    w.answers.push_back(Answer::No);
    ctl.command(Command::PlayMode, Source::Toolbar);
    ASSERT_EQ(w.boxes.size(), 1u);
    EXPECT_EQ(w.boxes[0].text, "続行するとこれまでの変更内容が破棄されますが、よろしいですか？");
    EXPECT_TRUE(s.editMode);
    EXPECT_TRUE(checked(Command::EditMode));
    EXPECT_EQ(s.board[20], 1);
}

TEST_F(EditorMode, PlacementWritesBoardAndPuzzleAndSameContentIsRefused)
{
    enterEditor();
    place(12, 6);
    EXPECT_EQ(s.board[12], 6);
    EXPECT_TRUE(boardMatchesPuzzle());
    editor.disableUndo();
    place(12, 6); // holdsSelectedShape: nothing happens
    EXPECT_FALSE(enabled(Command::Undo)) << "a refused placement takes no snapshot";
    place(13, kEraser); // erasing an empty cell changes nothing either
    EXPECT_FALSE(enabled(Command::Undo));
    place(12, kEraser);
    EXPECT_EQ(s.board[12], kEmpty);
    EXPECT_TRUE(boardMatchesPuzzle());
    EXPECT_FALSE(enabled(Command::Cut)) << "the board is blank again";
    EXPECT_TRUE(editor.collectionSaved()) << "a blank single puzzle has nothing to save";
}

TEST_F(EditorMode, NewPuzzlesUpToTheLimit)
{
    enterEditor();
    place(0, 0);
    for (int i = 1; i < 64; ++i) {
        ctl.command(Command::NewGame, Source::Toolbar);
    }
    EXPECT_EQ(w.spinnerLabel, "64/64");
    EXPECT_EQ(w.spinnerMax, 63);
    EXPECT_EQ(s.puzzleCount, 64);
    EXPECT_TRUE(w.boxes.empty());
    ctl.command(Command::NewGame, Source::Menu);
    ASSERT_EQ(w.boxes.size(), 1u);
    EXPECT_EQ(w.boxes[0].text, "一つの問題ファイルに64問までしか保存できません。");
    EXPECT_EQ(w.boxes[0].icon, Icon::Warning);
    EXPECT_EQ(w.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(s.puzzleCount, 64);
    EXPECT_EQ(w.spinnerLabel, "64/64");
}

TEST_F(EditorMode, NewInTheMiddleMovesToTheInsertedBlankPuzzle)
{
    enterEditor();
    place(0, 0);
    ctl.command(Command::NewGame, Source::Toolbar);
    place(1, 1);
    ctl.spinnerChanged(0);
    EXPECT_EQ(s.board[0], 0);
    EXPECT_EQ(w.spinnerLabel, "1/2");
    ctl.command(Command::NewGame, Source::Toolbar);
    EXPECT_EQ(w.spinner, 1);
    EXPECT_EQ(w.spinnerLabel, "2/3");
    EXPECT_EQ(s.board[0], kEmpty);
    EXPECT_EQ(s.puzzles[2].cells[1], 1) << "the later puzzle moved up and kept its content";
    EXPECT_FALSE(editor.collectionSaved());
}

TEST_F(EditorMode, NavigationShowsThePuzzleAndClearsUndoAndStatus)
{
    enterEditor();
    place(3, 2);
    typeComment("一問目");
    ctl.command(Command::NewGame, Source::Toolbar);
    w.setStatusText("何か");
    ctl.spinnerChanged(0);
    EXPECT_EQ(s.board[3], 2);
    EXPECT_EQ(w.comment, "一問目");
    EXPECT_EQ(w.status, "");
    EXPECT_FALSE(enabled(Command::Undo));
    EXPECT_EQ(w.spinnerLabel, "1/2");
    ctl.spinnerChanged(99); // out of range: the last puzzle
    EXPECT_EQ(w.spinner, 1);
    EXPECT_EQ(w.comment, "ここにコメントを書いてください。");
}

TEST_F(EditorMode, CutPasteAndUndoThroughTheCommands)
{
    enterEditor();
    buildRing();
    typeComment("輪");
    ctl.command(Command::NewGame, Source::Toolbar);
    place(40, 0);
    ctl.spinnerChanged(0);

    ctl.command(Command::Cut, Source::Menu);
    EXPECT_EQ(w.comment, "ここにコメントを書いてください。");
    EXPECT_EQ(s.board[0], kEmpty);
    EXPECT_TRUE(enabled(Command::Paste));
    EXPECT_TRUE(enabled(Command::Undo));
    EXPECT_EQ(s.puzzleCount, 2);

    ctl.command(Command::Undo, Source::Menu);
    EXPECT_EQ(s.board[0], 4);
    EXPECT_EQ(w.comment, "輪");
    EXPECT_FALSE(enabled(Command::Paste)) << "undoing a cut withdraws the clipboard";
    EXPECT_FALSE(enabled(Command::Undo));

    ctl.command(Command::Copy, Source::Toolbar);
    EXPECT_TRUE(enabled(Command::Paste));
    ctl.spinnerChanged(1);
    ctl.command(Command::Paste, Source::Toolbar);
    EXPECT_EQ(s.board[0], 4);
    EXPECT_EQ(s.board[40], kEmpty);
    EXPECT_EQ(w.comment, "輪");
    ctl.command(Command::Undo, Source::Toolbar);
    EXPECT_EQ(s.board[40], 0) << "the overwritten puzzle is back";
    EXPECT_TRUE(enabled(Command::Paste));
    EXPECT_TRUE(boardMatchesPuzzle());
}

TEST_F(EditorMode, DeleteAndUndoOfTheLastPuzzle)
{
    enterEditor();
    place(0, 0);
    ctl.command(Command::NewGame, Source::Toolbar);
    place(1, 1);
    ctl.command(Command::NewGame, Source::Toolbar);
    place(2, 2);
    ctl.command(Command::Delete, Source::Toolbar);
    EXPECT_EQ(w.spinnerMax, 1);
    EXPECT_EQ(w.spinner, 1);
    EXPECT_EQ(w.spinnerLabel, "2/2");
    EXPECT_EQ(s.board[1], 1);
    ctl.command(Command::Undo, Source::Toolbar);
    EXPECT_EQ(w.spinnerMax, 2);
    EXPECT_EQ(w.spinnerLabel, "2/3");
    ctl.spinnerChanged(2);
    EXPECT_EQ(w.spinnerLabel, "3/3");
    EXPECT_EQ(s.board[2], 2);
}

TEST_F(EditorMode, DisabledCommandsDoNothing)
{
    enterEditor();
    ctl.command(Command::Paste, Source::Menu);
    ctl.command(Command::Undo, Source::Menu);
    ctl.command(Command::Cut, Source::Menu);
    ctl.command(Command::ShiftLeft, Source::Toolbar);
    EXPECT_EQ(s.puzzleCount, 1);
    EXPECT_FALSE(enabled(Command::Undo));
    EXPECT_TRUE(editor.collectionSaved());
}

TEST_F(EditorMode, BoardToolsTransformBoardAndPuzzleAndCanBeUndone)
{
    enterEditor();
    place(7, 0); // row 0, column 7, horizontal
    ctl.command(Command::ShiftRight, Source::Toolbar);
    EXPECT_EQ(s.board[0], 0);
    EXPECT_EQ(s.board[7], kEmpty);
    EXPECT_TRUE(boardMatchesPuzzle());
    ctl.command(Command::TurnRight, Source::Toolbar);
    EXPECT_EQ(s.board[7], 1) << "row 0 column 0 turns to row 0 column 7, vertical";
    ctl.command(Command::Undo, Source::Toolbar);
    EXPECT_EQ(s.board[0], 0);
    EXPECT_EQ(s.board[7], kEmpty);
    EXPECT_TRUE(boardMatchesPuzzle());
    for (int i = 0; i < 4; ++i) {
        ctl.command(Command::TurnLeft, Source::Toolbar);
    }
    EXPECT_EQ(s.board[0], 0);
    ctl.command(Command::MirrorLeftRight, Source::Toolbar);
    EXPECT_EQ(s.board[7], 0);
    ctl.command(Command::MirrorTopBottom, Source::Toolbar);
    EXPECT_EQ(s.board[63], 0);
    EXPECT_TRUE(boardMatchesPuzzle());
}

TEST_F(EditorMode, ATypedCommentIsKeptAndCountsAsAChange)
{
    enterEditor();
    typeComment("とても長いコメントを書いてみるとどうなるでしょうか、二十五文字を超えます");
    EXPECT_EQ(utf8Length(current().comment), 25u);
    EXPECT_FALSE(editor.collectionSaved());
    w.answers.push_back(Answer::Yes);
    ctl.command(Command::PlayMode, Source::Toolbar);
    EXPECT_EQ(w.boxes.size(), 1u);
    EXPECT_FALSE(s.editMode);
}

TEST_F(EditorMode, RandomOptionPicksAnotherShapeAfterEachPlacement)
{
    enterEditor();
    w.option = EditorOption::Random;
    ctl.palettePressed(4, 0);
    for (int cell = 0; cell < 30; ++cell) {
        const std::int16_t before = s.selectedShape;
        ctl.cellReleased(cell);
        finishSequence();
        EXPECT_NE(s.selectedShape, before);
        EXPECT_TRUE(isPiece(s.selectedShape));
        EXPECT_TRUE(w.paletteBorder[static_cast<std::size_t>(s.selectedShape)]);
        EXPECT_FALSE(w.paletteBorder[static_cast<std::size_t>(before)]);
    }
    ctl.palettePressed(kEraser, 0);
    EXPECT_EQ(w.option, EditorOption::Normal);
    ctl.palettePressed(3, 2); // Ctrl-click
    EXPECT_EQ(s.selectedShape, kEraser);
}

TEST_F(EditorMode, FileLoadAndSaveHooks)
{
    enterEditor();
    for (int i = 0; i < 3; ++i) {
        s.puzzles[i] = newPuzzle();
        s.puzzles[i].mode = kFullConnection;
        s.puzzles[i].cells[i] = 10;
        s.puzzles[i].comment = fitComment("問" + std::to_string(i));
    }
    s.puzzleCount = 3;
    editor.fileLoaded("/home/u/問題集.kem");
    EXPECT_EQ(w.caption, "問題集 - Tavrin for Windows[編集]");
    EXPECT_EQ(w.command(Command::Exit).caption, "閉じる(&C)");
    EXPECT_EQ(w.spinnerLabel, "1/3");
    EXPECT_EQ(w.comment, "問0");
    EXPECT_EQ(s.board[0], 10);
    EXPECT_TRUE(checked(Command::FullConnection));
    EXPECT_TRUE(editor.collectionSaved());
    EXPECT_TRUE(enabled(Command::Save));
    EXPECT_FALSE(enabled(Command::Undo));

    w.answers.push_back(Answer::Yes); // the puzzle has a mode: clear it
    place(30, 1);
    EXPECT_FALSE(checked(Command::FullConnection));
    place(31, 1);
    EXPECT_FALSE(editor.collectionSaved());
    editor.fileSaved("/home/u/別名.kem");
    EXPECT_TRUE(editor.collectionSaved());
    EXPECT_EQ(editor.editFilePath(), "/home/u/別名.kem");
    EXPECT_EQ(w.caption, "別名 - Tavrin for Windows[編集]");
    EXPECT_FALSE(enabled(Command::Undo));
}

TEST_F(EditorMode, TypingIsAnUndoStepOfItsOwn)
{
    enterEditor();
    place(5, 7);
    typeComment("ど");
    typeComment("どこ");
    EXPECT_EQ(current().comment, fitComment("どこ"));
    EXPECT_TRUE(enabled(Command::Undo));
    // Undo takes back the typing, not the placement made before it.
    ctl.command(Command::Undo, Source::Menu);
    EXPECT_EQ(w.comment, "ここにコメントを書いてください。");
    EXPECT_EQ(s.board[5], 7);
    EXPECT_EQ(current().cells[5], 7);
    EXPECT_FALSE(enabled(Command::Undo));

    // Typing after an undo is a new step, and undo after a later edit keeps it.
    typeComment("角");
    place(6, 2);
    ctl.command(Command::Undo, Source::Menu);
    EXPECT_EQ(s.board[6], kEmpty);
    EXPECT_EQ(w.comment, "角");
    EXPECT_EQ(current().comment, fitComment("角"));
}

} // namespace
} // namespace tavrin::game::testing
