// Entering and leaving the editor, navigation, the collection commands and
// the board tools as the screen shows them.
#include "tests/game/editor_fixture.h"

#include "game/editor_texts.h"
#include "puzzles/collection.h"

namespace tavrin::game::testing {
namespace {

using EditorMode = EditorFixture;

TEST_F(EditorMode, EnteringShowsOneBlankPuzzleWithTheToolsOff)
{
    ctl.screen().setStatus("水をつないでください");
    enterEditor();
    EXPECT_TRUE(state.editMode);
    EXPECT_EQ(screen().spinner.label, "1/1");
    EXPECT_EQ(screen().spinner.maximum, 0);
    EXPECT_EQ(screen().spinner.value, 0);
    EXPECT_TRUE(screen().spinner.enabled);
    EXPECT_EQ(comment(), "ここにコメントを書いてください。");
    EXPECT_TRUE(screen().comment.visible);
    EXPECT_FALSE(screen().comment.readOnly);
    EXPECT_EQ(status(), "");
    for (Command c : {Command::Cut, Command::Copy, Command::Delete, Command::Save, Command::SaveAs, Command::Undo,
                      Command::Paste}) {
        EXPECT_FALSE(enabled(c)) << static_cast<int>(c);
    }
    EXPECT_FALSE(screen().boardToolbarEnabled);
    EXPECT_TRUE(screen().panel(Panel::Palette));
    EXPECT_TRUE(screen().panel(Panel::BoardToolbar));
    EXPECT_TRUE(screen().panel(Panel::EditorOptions));
    EXPECT_FALSE(screen().panel(Panel::FreeGame));
    EXPECT_TRUE(menu(Menu::Edit));
    EXPECT_TRUE(checked(Command::EditMode));
    EXPECT_FALSE(checked(Command::PlayMode));
    EXPECT_FALSE(checked(Command::EcoMode));
    EXPECT_FALSE(enabled(Command::EcoMode));
    EXPECT_TRUE(enabled(Command::FullConnection));
    EXPECT_TRUE(enabled(Command::BigLoop));
    EXPECT_FALSE(checked(Command::FullConnection));
    EXPECT_FALSE(checked(Command::BigLoop));
    EXPECT_EQ(screen().command(Command::NewGame).caption.japanese(), "新規問題(&N)");
    EXPECT_EQ(screen().command(Command::NewGame).toolTip.japanese(), "新規問題の作成");
    EXPECT_EQ(screen().command(Command::NewGame).image, 19); // its own picture, not the folder of button 2
    EXPECT_FALSE(screen().command(Command::GameSeparator).visible);
    EXPECT_EQ(state.movesUsed, 96);
    EXPECT_TRUE(editor.collectionSaved());
    EXPECT_EQ(editor.editFilePath(), "");
    EXPECT_GE(front.drawingCount(Drawing::Kind::Everything), 1);
}

TEST_F(EditorMode, LeavingAtOnceAsksNothingAndRestoresTheFreeGame)
{
    start();
    click(27);
    runEvaluation();
    const Board board = state.board;
    const auto green = state.greenStamp;
    const auto items = state.cellItem;
    const std::int16_t offered = freeGame().offeredPiece();
    const std::int16_t moves = state.movesUsed;
    const std::string statusBefore = status();

    enterEditor();
    EXPECT_EQ(freeGame().offeredPiece(), -1);
    place(5, 7);
    input([&] { editor.editCommand(Command::Undo); }); // back to blank: nothing to save
    ASSERT_TRUE(editor.collectionSaved());

    command(Command::PlayMode, Source::Toolbar); // an unexpected question fails the test
    EXPECT_FALSE(state.editMode);
    EXPECT_EQ(state.board, board);
    EXPECT_EQ(state.greenStamp, green);
    EXPECT_EQ(state.cellItem, items);
    EXPECT_EQ(freeGame().offeredPiece(), offered);
    EXPECT_EQ(state.movesUsed, moves);
    EXPECT_EQ(status(), statusBefore);
}

TEST_F(EditorMode, EnteringTwiceKeepsTheCollectionAndTheSuspendedGame)
{
    start();
    const Board freeBoard = state.board;
    enterEditor();
    place(9, 3);
    input([&] { editor.enterEditMode(); });
    command(Command::EditMode, Source::Menu);
    EXPECT_EQ(state.board[9], 3);
    EXPECT_EQ(current().cells[9], 3);
    EXPECT_EQ(state.boardSave, freeBoard);
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
    EXPECT_TRUE(screen().boardToolbarEnabled);
    EXPECT_EQ(current().cells[20], 1);

    front.answers.push_back(Answer::No);
    command(Command::PlayMode, Source::Toolbar);
    ASSERT_EQ(front.messages().size(), 1u);
    EXPECT_EQ(front.messages()[0].text.japanese(), "続行するとこれまでの変更内容が破棄されますが、よろしいですか？");
    EXPECT_TRUE(state.editMode);
    EXPECT_TRUE(checked(Command::EditMode));
    EXPECT_EQ(state.board[20], 1);
}

TEST_F(EditorMode, PlacementWritesBoardAndPuzzleAndSameContentIsRefused)
{
    enterEditor();
    place(12, 6);
    EXPECT_EQ(state.board[12], 6);
    EXPECT_TRUE(boardMatchesPuzzle());
    input([&] { editor.disableUndo(); });
    place(12, 6); // holdsSelectedShape: nothing happens
    EXPECT_FALSE(enabled(Command::Undo)) << "a refused placement takes no snapshot";
    place(13, kEraser); // erasing an empty cell changes nothing either
    EXPECT_FALSE(enabled(Command::Undo));
    place(12, kEraser);
    EXPECT_EQ(state.board[12], kEmpty);
    EXPECT_TRUE(boardMatchesPuzzle());
    EXPECT_FALSE(enabled(Command::Cut)) << "the board is blank again";
    EXPECT_TRUE(editor.collectionSaved()) << "a blank single puzzle has nothing to save";
}

TEST_F(EditorMode, NewPuzzlesUpToTheLimit)
{
    enterEditor();
    place(0, 0);
    for (int i = 1; i < 64; ++i) {
        command(Command::NewGame, Source::Toolbar);
    }
    EXPECT_EQ(screen().spinner.label, "64/64");
    EXPECT_EQ(screen().spinner.maximum, 63);
    EXPECT_EQ(state.puzzleCount, 64);
    EXPECT_TRUE(front.messages().empty());
    command(Command::NewGame, Source::Menu);
    ASSERT_EQ(front.messages().size(), 1u);
    EXPECT_EQ(front.messages()[0].text.japanese(), "一つの問題ファイルに64問までしか保存できません。");
    EXPECT_EQ(front.messages()[0].icon, Icon::Warning);
    EXPECT_EQ(front.messages()[0].buttons, Buttons::Ok);
    EXPECT_EQ(state.puzzleCount, 64);
    EXPECT_EQ(screen().spinner.label, "64/64");
}

TEST_F(EditorMode, NewInTheMiddleMovesToTheInsertedBlankPuzzle)
{
    enterEditor();
    place(0, 0);
    command(Command::NewGame, Source::Toolbar);
    place(1, 1);
    spin(0);
    EXPECT_EQ(state.board[0], 0);
    EXPECT_EQ(screen().spinner.label, "1/2");
    command(Command::NewGame, Source::Toolbar);
    EXPECT_EQ(screen().spinner.value, 1);
    EXPECT_EQ(screen().spinner.label, "2/3");
    EXPECT_EQ(state.board[0], kEmpty);
    EXPECT_EQ(state.puzzles[2].cells[1], 1) << "the later puzzle moved up and kept its content";
    EXPECT_FALSE(editor.collectionSaved());
}

TEST_F(EditorMode, NavigationShowsThePuzzleAndClearsUndoAndStatus)
{
    enterEditor();
    place(3, 2);
    typeComment("一問目");
    command(Command::NewGame, Source::Toolbar);
    ctl.screen().setStatus("何か");
    spin(0);
    EXPECT_EQ(state.board[3], 2);
    EXPECT_EQ(comment(), "一問目");
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(enabled(Command::Undo));
    EXPECT_EQ(screen().spinner.label, "1/2");
    spin(99); // out of range: the last puzzle
    EXPECT_EQ(screen().spinner.value, 1);
    EXPECT_EQ(comment(), "ここにコメントを書いてください。");
}

TEST_F(EditorMode, CutPasteAndUndoThroughTheCommands)
{
    enterEditor();
    buildRing();
    typeComment("輪");
    command(Command::NewGame, Source::Toolbar);
    place(40, 0);
    spin(0);

    command(Command::Cut, Source::Menu);
    EXPECT_EQ(comment(), "ここにコメントを書いてください。");
    EXPECT_EQ(state.board[0], kEmpty);
    EXPECT_TRUE(enabled(Command::Paste));
    EXPECT_TRUE(enabled(Command::Undo));
    EXPECT_EQ(state.puzzleCount, 2);

    command(Command::Undo, Source::Menu);
    EXPECT_EQ(state.board[0], 4);
    EXPECT_EQ(comment(), "輪");
    EXPECT_FALSE(enabled(Command::Paste)) << "undoing a cut withdraws the clipboard";
    EXPECT_FALSE(enabled(Command::Undo));

    command(Command::Copy, Source::Toolbar);
    EXPECT_TRUE(enabled(Command::Paste));
    spin(1);
    command(Command::Paste, Source::Toolbar);
    EXPECT_EQ(state.board[0], 4);
    EXPECT_EQ(state.board[40], kEmpty);
    EXPECT_EQ(comment(), "輪");
    command(Command::Undo, Source::Toolbar);
    EXPECT_EQ(state.board[40], 0) << "the overwritten puzzle is back";
    EXPECT_TRUE(enabled(Command::Paste));
    EXPECT_TRUE(boardMatchesPuzzle());
}

TEST_F(EditorMode, DeleteAndUndoOfTheLastPuzzle)
{
    enterEditor();
    place(0, 0);
    command(Command::NewGame, Source::Toolbar);
    place(1, 1);
    command(Command::NewGame, Source::Toolbar);
    place(2, 2);
    command(Command::Delete, Source::Toolbar);
    EXPECT_EQ(screen().spinner.maximum, 1);
    EXPECT_EQ(screen().spinner.value, 1);
    EXPECT_EQ(screen().spinner.label, "2/2");
    EXPECT_EQ(state.board[1], 1);
    command(Command::Undo, Source::Toolbar);
    EXPECT_EQ(screen().spinner.maximum, 2);
    EXPECT_EQ(screen().spinner.label, "2/3");
    spin(2);
    EXPECT_EQ(screen().spinner.label, "3/3");
    EXPECT_EQ(state.board[2], 2);
}

TEST_F(EditorMode, DisabledCommandsDoNothing)
{
    enterEditor();
    command(Command::Paste, Source::Menu);
    command(Command::Undo, Source::Menu);
    command(Command::Cut, Source::Menu);
    command(Command::ShiftLeft, Source::Toolbar);
    EXPECT_EQ(state.puzzleCount, 1);
    EXPECT_FALSE(enabled(Command::Undo));
    EXPECT_TRUE(editor.collectionSaved());
}

TEST_F(EditorMode, BoardToolsTransformBoardAndPuzzleAndCanBeUndone)
{
    enterEditor();
    place(7, 0); // row 0, column 7, horizontal
    command(Command::ShiftRight, Source::Toolbar);
    EXPECT_EQ(state.board[0], 0);
    EXPECT_EQ(state.board[7], kEmpty);
    EXPECT_TRUE(boardMatchesPuzzle());
    command(Command::TurnRight, Source::Toolbar);
    EXPECT_EQ(state.board[7], 1) << "row 0 column 0 turns to row 0 column 7, vertical";
    command(Command::Undo, Source::Toolbar);
    EXPECT_EQ(state.board[0], 0);
    EXPECT_EQ(state.board[7], kEmpty);
    EXPECT_TRUE(boardMatchesPuzzle());
    for (int i = 0; i < 4; ++i) {
        command(Command::TurnLeft, Source::Toolbar);
    }
    EXPECT_EQ(state.board[0], 0);
    command(Command::MirrorLeftRight, Source::Toolbar);
    EXPECT_EQ(state.board[7], 0);
    command(Command::MirrorTopBottom, Source::Toolbar);
    EXPECT_EQ(state.board[63], 0);
    EXPECT_TRUE(boardMatchesPuzzle());
}

TEST_F(EditorMode, ATypedCommentIsKeptAndCountsAsAChange)
{
    enterEditor();
    typeComment("とても長いコメントを書いてみるとどうなるでしょうか、二十五文字を超えます");
    EXPECT_EQ(utf8Length(current().comment), 25u);
    EXPECT_FALSE(editor.collectionSaved());
    front.answers.push_back(Answer::Yes);
    command(Command::PlayMode, Source::Toolbar);
    EXPECT_EQ(front.messages().size(), 1u);
    EXPECT_FALSE(state.editMode);
}

TEST_F(EditorMode, RandomOptionPicksAnotherShapeAfterEachPlacement)
{
    enterEditor();
    input([&] { ctl.editorOptionClicked(EditorOption::Random); });
    palette(4);
    for (int cell = 0; cell < 30; ++cell) {
        const std::int16_t before = state.selectedShape;
        click(cell);
        runEvaluation();
        EXPECT_NE(state.selectedShape, before);
        EXPECT_TRUE(isPiece(state.selectedShape));
        EXPECT_TRUE(screen().palette[static_cast<std::size_t>(state.selectedShape)].selected);
        EXPECT_FALSE(screen().palette[static_cast<std::size_t>(before)].selected);
    }
    palette(kEraser, 0);
    EXPECT_EQ(screen().editorOption, EditorOption::Normal);
    palette(3, 2); // Ctrl-click
    EXPECT_EQ(state.selectedShape, kEraser);
}

TEST_F(EditorMode, FileLoadAndSaveHooks)
{
    enterEditor();
    for (int i = 0; i < 3; ++i) {
        state.puzzles[i] = newPuzzle();
        state.puzzles[i].mode = kFullConnection;
        state.puzzles[i].cells[i] = 10;
        state.puzzles[i].comment = fitComment("問" + std::to_string(i));
    }
    state.puzzleCount = 3;
    input([&] { editor.fileLoaded("/home/u/問題集.kem"); });
    EXPECT_EQ(screen().caption.japanese(), "問題集 - Tavrin for Windows[編集]");
    EXPECT_EQ(screen().command(Command::Exit).caption.japanese(), "閉じる(&C)");
    EXPECT_EQ(screen().spinner.label, "1/3");
    EXPECT_EQ(comment(), "問0");
    EXPECT_EQ(state.board[0], 10);
    EXPECT_TRUE(checked(Command::FullConnection));
    EXPECT_TRUE(editor.collectionSaved());
    EXPECT_TRUE(enabled(Command::Save));
    EXPECT_FALSE(enabled(Command::Undo));

    front.answers.push_back(Answer::Yes); // the puzzle has a mode: clear it
    place(30, 1);
    EXPECT_FALSE(checked(Command::FullConnection));
    place(31, 1);
    EXPECT_FALSE(editor.collectionSaved());
    input([&] { editor.fileSaved("/home/u/別名.kem"); });
    EXPECT_TRUE(editor.collectionSaved());
    EXPECT_EQ(editor.editFilePath(), "/home/u/別名.kem");
    EXPECT_EQ(screen().caption.japanese(), "別名 - Tavrin for Windows[編集]");
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
    command(Command::Undo, Source::Menu);
    EXPECT_EQ(comment(), "ここにコメントを書いてください。");
    EXPECT_EQ(state.board[5], 7);
    EXPECT_EQ(current().cells[5], 7);
    EXPECT_FALSE(enabled(Command::Undo));

    // Typing after an undo is a new step, and undo after a later edit keeps it.
    typeComment("角");
    place(6, 2);
    command(Command::Undo, Source::Menu);
    EXPECT_EQ(state.board[6], kEmpty);
    EXPECT_EQ(comment(), "角");
    EXPECT_EQ(current().comment, fitComment("角"));
}

} // namespace
} // namespace tavrin::game::testing
