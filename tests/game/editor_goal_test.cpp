// Giving puzzles their goals in the editor: full connection and big loop,
// the refusals, the replacement question and the comment prompt.
#include "tests/game/editor_fixture.h"

namespace tavrin::game::testing {
namespace {

using EditorGoals = EditorFixture;

constexpr const char* kReplaceQuestion =
    "この問題には既にゲームモードが指定されています。\n続行するとゲームモードは取り消されますがよろしいですか？";
constexpr const char* kGoalSettingQuestion =
    "現在ゲームモードの設定途中です。\n続行するとこれまでの操作が取り消されますがよろしいですか？";

TEST_F(EditorGoals, FullConnectionNeedsTwoGroups)
{
    enterEditor();
    command(Command::FullConnection, Source::Toolbar);
    EXPECT_EQ(status(), "ハイパーロードを２つ以上のグループに分けて設置してください。") << "empty board";
    EXPECT_EQ(current().mode, kNoMode);

    place(10, 0);
    place(11, 0); // joined: one group
    command(Command::FullConnection, Source::Toolbar);
    EXPECT_EQ(status(), "ハイパーロードを２つ以上のグループに分けて設置してください。");
    EXPECT_EQ(current().mode, kNoMode);
    EXPECT_FALSE(checked(Command::FullConnection));
    EXPECT_TRUE(front.inputBoxes().empty());
}

TEST_F(EditorGoals, FullConnectionOnTwoGroupsAsksForACommentAndSetsTheMode)
{
    enterEditor();
    place(10, 0);
    place(40, 1);
    input([&] { editor.disableUndo(); });
    front.inputs.push_back(std::string("つなげてね   "));
    command(Command::FullConnection, Source::Toolbar);
    EXPECT_EQ(current().mode, kFullConnection);
    ASSERT_EQ(front.inputBoxes().size(), 1u);
    EXPECT_EQ(front.inputBoxes()[0].text.japanese(), "何かこの問題のコメントを書いてください。");
    EXPECT_EQ(front.inputBoxes()[0].defaultText, "");
    EXPECT_EQ(comment(), "つなげてね");
    EXPECT_EQ(trimComment(current().comment), "つなげてね");
    EXPECT_TRUE(checked(Command::FullConnection));
    EXPECT_FALSE(checked(Command::BigLoop));
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(editor.collectionSaved());
    EXPECT_TRUE(enabled(Command::Undo));

    // Pressed again: the mode goes, without a question.
    command(Command::FullConnection, Source::Toolbar);
    EXPECT_EQ(current().mode, kNoMode);
    EXPECT_FALSE(checked(Command::FullConnection));
    EXPECT_TRUE(front.messages().empty());
    // Undo brings the mode back.
    command(Command::Undo, Source::Menu);
    EXPECT_EQ(current().mode, kFullConnection);
    EXPECT_TRUE(checked(Command::FullConnection));
}

TEST_F(EditorGoals, AWrittenCommentIsNotAskedForAndCancelEmptiesTheDefault)
{
    enterEditor();
    place(10, 0);
    place(40, 1);
    typeComment("もう書いた");
    command(Command::FullConnection, Source::Toolbar);
    EXPECT_TRUE(front.inputBoxes().empty());
    EXPECT_EQ(trimComment(current().comment), "もう書いた");

    command(Command::NewGame, Source::Toolbar);
    place(10, 0);
    place(40, 1);
    command(Command::FullConnection, Source::Toolbar); // the input box is cancelled
    ASSERT_EQ(front.inputBoxes().size(), 1u);
    EXPECT_EQ(comment(), "");
    EXPECT_EQ(trimComment(current().comment), "");
    EXPECT_EQ(current().mode, kFullConnection);
}

TEST_F(EditorGoals, BigLoopNeedsLoopPoints)
{
    enterEditor();
    place(10, 0);
    place(11, 0);
    command(Command::BigLoop, Source::Toolbar);
    EXPECT_EQ(status(), "まずループ点が0より大きくなるようにしてください。");
    EXPECT_FALSE(state.modeSettingActive);
    EXPECT_TRUE(screen().spinner.enabled);
    EXPECT_EQ(current().mode, kNoMode);
}

TEST_F(EditorGoals, BigLoopSettingRunsToCompletion)
{
    enterEditor();
    buildRing();
    place(20, 0); // a stray road
    command(Command::BigLoop, Source::Toolbar);
    EXPECT_EQ(status(), "現在のループ点16よりループ点を減らしてください。");
    EXPECT_TRUE(state.modeSettingActive);
    EXPECT_FALSE(screen().spinner.enabled);
    EXPECT_EQ(state.loopTarget, 16);

    // A placement that leaves the loop points as they are is taken back.
    place(40, 10);
    EXPECT_EQ(state.board[40], kEmpty);
    EXPECT_EQ(current().cells[40], kEmpty) << "the puzzle loses the rejected piece too";
    EXPECT_EQ(status(), "現在のループ点16よりループ点を減らしてください。");
    EXPECT_TRUE(state.modeSettingActive);
    EXPECT_FALSE(screen().spinner.enabled);
    EXPECT_EQ(current().mode, kNoMode);

    // Overwriting a ring piece with a straight breaks the loop: done.
    front.inputs.push_back(std::string("輪を作れ"));
    place(1, 0);
    EXPECT_FALSE(state.modeSettingActive);
    EXPECT_TRUE(screen().spinner.enabled);
    EXPECT_EQ(current().mode, kBigLoop);
    EXPECT_TRUE(checked(Command::BigLoop));
    EXPECT_FALSE(checked(Command::FullConnection));
    EXPECT_EQ(status(), "");
    EXPECT_EQ(trimComment(current().comment), "輪を作れ");
    EXPECT_EQ(current().cells[1], 0) << "the board after the placement is the starting layout";
    EXPECT_TRUE(boardMatchesPuzzle());
    EXPECT_FALSE(editor.collectionSaved());

    // The same command again clears the mode without asking.
    command(Command::BigLoop, Source::Toolbar);
    EXPECT_EQ(current().mode, kNoMode);
    EXPECT_TRUE(front.messages().empty());
}

TEST_F(EditorGoals, ChangingAModeAsksFirstAndNoKeepsIt)
{
    enterEditor();
    buildRing();
    place(30, 0);
    command(Command::FullConnection, Source::Toolbar);
    ASSERT_EQ(current().mode, kFullConnection);

    front.answers.push_back(Answer::No);
    command(Command::BigLoop, Source::Toolbar);
    ASSERT_EQ(front.messages().size(), 1u);
    EXPECT_EQ(front.messages()[0].text.japanese(), kReplaceQuestion);
    EXPECT_EQ(front.messages()[0].icon, Icon::Question);
    EXPECT_EQ(current().mode, kFullConnection);
    EXPECT_TRUE(checked(Command::FullConnection));
    EXPECT_FALSE(checked(Command::BigLoop));
    EXPECT_FALSE(state.modeSettingActive);

    front.answers.push_back(Answer::Yes);
    command(Command::BigLoop, Source::Toolbar);
    EXPECT_EQ(current().mode, kNoMode);
    EXPECT_TRUE(state.modeSettingActive) << "the ring has loop points: the setting starts";
}

TEST_F(EditorGoals, BoardToolOnAPuzzleWithAModeAsks)
{
    enterEditor();
    place(10, 0);
    place(40, 1);
    command(Command::FullConnection, Source::Toolbar);
    const Board before = state.board;
    input([&] { editor.disableUndo(); });

    front.answers.push_back(Answer::No);
    command(Command::ShiftDown, Source::Toolbar);
    EXPECT_EQ(state.board, before);
    EXPECT_EQ(current().mode, kFullConnection);
    EXPECT_FALSE(enabled(Command::Undo)) << "a declined edit takes no snapshot";

    front.answers.push_back(Answer::Yes);
    command(Command::ShiftDown, Source::Toolbar);
    EXPECT_EQ(current().mode, kNoMode);
    EXPECT_EQ(state.board[18], 0);
    EXPECT_EQ(state.board[48], 1);
    EXPECT_TRUE(boardMatchesPuzzle());
    EXPECT_EQ(front.messages().size(), 2u);
    for (const auto& box : front.messages()) {
        EXPECT_EQ(box.text.japanese(), kReplaceQuestion);
    }
}

TEST_F(EditorGoals, PlacingOnAPuzzleWithAModeAsksAndNoChangesNothing)
{
    enterEditor();
    place(10, 0);
    place(40, 1);
    command(Command::FullConnection, Source::Toolbar);
    front.answers.push_back(Answer::No);
    place(50, 3);
    EXPECT_EQ(state.board[50], kEmpty);
    EXPECT_EQ(current().mode, kFullConnection);
}

TEST_F(EditorGoals, CommandsDuringGoalSettingAskToAbandonIt)
{
    enterEditor();
    buildRing();
    command(Command::Copy, Source::Menu);
    command(Command::BigLoop, Source::Toolbar);
    ASSERT_TRUE(state.modeSettingActive);
    const Board ring = state.board;

    // The Edit menu's cut and the board tools ask too; No leaves everything.
    front.answers.push_back(Answer::No);
    command(Command::Cut, Source::Menu);
    front.answers.push_back(Answer::No);
    command(Command::ShiftRight, Source::Toolbar);
    ASSERT_EQ(front.messages().size(), 2u);
    EXPECT_EQ(front.messages()[0].text.japanese(), kGoalSettingQuestion);
    EXPECT_EQ(front.messages()[1].text.japanese(), kGoalSettingQuestion);
    EXPECT_EQ(state.board, ring);
    EXPECT_TRUE(state.modeSettingActive);

    // Copy changes nothing and asks nothing.
    command(Command::Copy, Source::Menu);
    EXPECT_EQ(front.messages().size(), 2u);

    // Yes abandons the setting, gives the spinner back and runs the command.
    front.answers.push_back(Answer::Yes);
    command(Command::Cut, Source::Menu);
    EXPECT_FALSE(state.modeSettingActive);
    EXPECT_TRUE(screen().spinner.enabled);
    EXPECT_EQ(state.board[0], kEmpty);
    EXPECT_EQ(current().mode, kNoMode);
}

TEST_F(EditorGoals, NavigationRefusedDuringGoalSettingStaysOnThePuzzle)
{
    enterEditor();
    command(Command::NewGame, Source::Toolbar);
    buildRing();
    command(Command::BigLoop, Source::Toolbar);
    ASSERT_TRUE(state.modeSettingActive);
    front.answers.push_back(Answer::No);
    spin(0);
    EXPECT_EQ(screen().spinner.value, 1);
    EXPECT_EQ(screen().spinner.label, "2/2");
    EXPECT_EQ(state.board[0], 4);
    EXPECT_TRUE(state.modeSettingActive);
}

TEST_F(EditorGoals, ModeButtonsInPlayChangeNoPuzzle)
{
    enterEditor();
    place(10, 0);
    place(40, 1);
    command(Command::FullConnection, Source::Toolbar);
    front.answers.push_back(Answer::Yes); // discard the unsaved collection
    command(Command::PlayMode, Source::Toolbar);
    ASSERT_FALSE(state.editMode);
    const auto puzzles = state.puzzles;
    command(Command::FullConnection, Source::Toolbar);
    command(Command::BigLoop, Source::Toolbar);
    command(Command::EcoMode, Source::Toolbar);
    EXPECT_EQ(state.puzzles, puzzles);
    EXPECT_FALSE(checked(Command::FullConnection));
    EXPECT_FALSE(checked(Command::BigLoop));
    EXPECT_TRUE(checked(Command::EcoMode));
}

} // namespace
} // namespace tavrin::game::testing
