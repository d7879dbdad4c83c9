// Giving puzzles their goals in the editor: full connection and big loop,
// the refusals, the replacement question and the comment prompt.
#include "editor_fixture.h"

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
    ctl.command(Command::FullConnection, Source::Toolbar);
    EXPECT_EQ(w.status, "ハイパーロードを２つ以上のグループに分けて設置してください。") << "empty board";
    EXPECT_EQ(current().mode, kNoMode);

    place(10, 0);
    place(11, 0); // joined: one group
    ctl.command(Command::FullConnection, Source::Toolbar);
    EXPECT_EQ(w.status, "ハイパーロードを２つ以上のグループに分けて設置してください。");
    EXPECT_EQ(current().mode, kNoMode);
    EXPECT_FALSE(checked(Command::FullConnection));
    EXPECT_TRUE(w.asked.empty());
}

TEST_F(EditorGoals, FullConnectionOnTwoGroupsAsksForACommentAndSetsTheMode)
{
    enterEditor();
    place(10, 0);
    place(40, 1);
    editor.disableUndo();
    w.inputs.push_back(std::string("つなげてね   "));
    ctl.command(Command::FullConnection, Source::Toolbar);
    EXPECT_EQ(current().mode, kFullConnection);
    ASSERT_EQ(w.asked.size(), 1u);
    EXPECT_EQ(w.asked[0].prompt, "何かこの問題のコメントを書いてください。");
    EXPECT_EQ(w.asked[0].defaultText, "");
    EXPECT_EQ(w.comment, "つなげてね");
    EXPECT_EQ(trimComment(current().comment), "つなげてね");
    EXPECT_TRUE(checked(Command::FullConnection));
    EXPECT_FALSE(checked(Command::BigLoop));
    EXPECT_EQ(w.status, "");
    EXPECT_FALSE(editor.collectionSaved());
    EXPECT_TRUE(enabled(Command::Undo));

    // Pressed again: the mode goes, without a question.
    ctl.command(Command::FullConnection, Source::Toolbar);
    EXPECT_EQ(current().mode, kNoMode);
    EXPECT_FALSE(checked(Command::FullConnection));
    EXPECT_TRUE(w.boxes.empty());
    // Undo brings the mode back.
    ctl.command(Command::Undo, Source::Menu);
    EXPECT_EQ(current().mode, kFullConnection);
    EXPECT_TRUE(checked(Command::FullConnection));
}

TEST_F(EditorGoals, AWrittenCommentIsNotAskedForAndCancelEmptiesTheDefault)
{
    enterEditor();
    place(10, 0);
    place(40, 1);
    typeComment("もう書いた");
    ctl.command(Command::FullConnection, Source::Toolbar);
    EXPECT_TRUE(w.asked.empty());
    EXPECT_EQ(trimComment(current().comment), "もう書いた");

    ctl.command(Command::NewGame, Source::Toolbar);
    place(10, 0);
    place(40, 1);
    ctl.command(Command::FullConnection, Source::Toolbar); // the input box is cancelled
    ASSERT_EQ(w.asked.size(), 1u);
    EXPECT_EQ(w.comment, "");
    EXPECT_EQ(trimComment(current().comment), "");
    EXPECT_EQ(current().mode, kFullConnection);
}

TEST_F(EditorGoals, BigLoopNeedsLoopPoints)
{
    enterEditor();
    place(10, 0);
    place(11, 0);
    ctl.command(Command::BigLoop, Source::Toolbar);
    EXPECT_EQ(w.status, "まずループ点が0より大きくなるようにしてください。");
    EXPECT_FALSE(s.modeSettingActive);
    EXPECT_TRUE(w.spinnerEnabled);
    EXPECT_EQ(current().mode, kNoMode);
}

TEST_F(EditorGoals, BigLoopSettingRunsToCompletion)
{
    enterEditor();
    buildRing();
    place(20, 0); // a stray road
    ctl.command(Command::BigLoop, Source::Toolbar);
    EXPECT_EQ(w.status, "現在のループ点16よりループ点を減らしてください。");
    EXPECT_TRUE(s.modeSettingActive);
    EXPECT_FALSE(w.spinnerEnabled);
    EXPECT_EQ(s.loopTarget, 16);

    // A placement that leaves the loop points as they are is taken back.
    place(40, 10);
    EXPECT_EQ(s.board[40], kEmpty);
    EXPECT_EQ(current().cells[40], kEmpty) << "the puzzle loses the rejected piece too";
    EXPECT_EQ(w.status, "現在のループ点16よりループ点を減らしてください。");
    EXPECT_TRUE(s.modeSettingActive);
    EXPECT_FALSE(w.spinnerEnabled);
    EXPECT_EQ(current().mode, kNoMode);

    // Overwriting a ring piece with a straight breaks the loop: done.
    w.inputs.push_back(std::string("輪を作れ"));
    place(1, 0);
    EXPECT_FALSE(s.modeSettingActive);
    EXPECT_TRUE(w.spinnerEnabled);
    EXPECT_EQ(current().mode, kBigLoop);
    EXPECT_TRUE(checked(Command::BigLoop));
    EXPECT_FALSE(checked(Command::FullConnection));
    EXPECT_EQ(w.status, "");
    EXPECT_EQ(trimComment(current().comment), "輪を作れ");
    EXPECT_EQ(current().cells[1], 0) << "the board after the placement is the starting layout";
    EXPECT_TRUE(boardMatchesPuzzle());
    EXPECT_FALSE(editor.collectionSaved());

    // The same command again clears the mode without asking.
    ctl.command(Command::BigLoop, Source::Toolbar);
    EXPECT_EQ(current().mode, kNoMode);
    EXPECT_TRUE(w.boxes.empty());
}

TEST_F(EditorGoals, ChangingAModeAsksFirstAndNoKeepsIt)
{
    enterEditor();
    buildRing();
    place(30, 0);
    ctl.command(Command::FullConnection, Source::Toolbar);
    ASSERT_EQ(current().mode, kFullConnection);

    w.answers.push_back(Answer::No);
    ctl.command(Command::BigLoop, Source::Toolbar);
    ASSERT_EQ(w.boxes.size(), 1u);
    EXPECT_EQ(w.boxes[0].text, kReplaceQuestion);
    EXPECT_EQ(w.boxes[0].icon, Icon::Question);
    EXPECT_EQ(current().mode, kFullConnection);
    EXPECT_TRUE(checked(Command::FullConnection));
    EXPECT_FALSE(checked(Command::BigLoop));
    EXPECT_FALSE(s.modeSettingActive);

    w.answers.push_back(Answer::Yes);
    ctl.command(Command::BigLoop, Source::Toolbar);
    EXPECT_EQ(current().mode, kNoMode);
    EXPECT_TRUE(s.modeSettingActive) << "the ring has loop points: the setting starts";
}

TEST_F(EditorGoals, BoardToolOnAPuzzleWithAModeAsks)
{
    enterEditor();
    place(10, 0);
    place(40, 1);
    ctl.command(Command::FullConnection, Source::Toolbar);
    const Board before = s.board;
    editor.disableUndo();

    w.answers.push_back(Answer::No);
    ctl.command(Command::ShiftDown, Source::Toolbar);
    EXPECT_EQ(s.board, before);
    EXPECT_EQ(current().mode, kFullConnection);
    EXPECT_FALSE(enabled(Command::Undo)) << "a declined edit takes no snapshot";

    w.answers.push_back(Answer::Yes);
    ctl.command(Command::ShiftDown, Source::Toolbar);
    EXPECT_EQ(current().mode, kNoMode);
    EXPECT_EQ(s.board[18], 0);
    EXPECT_EQ(s.board[48], 1);
    EXPECT_TRUE(boardMatchesPuzzle());
    EXPECT_EQ(w.boxes.size(), 2u);
    for (const auto& box : w.boxes) {
        EXPECT_EQ(box.text, kReplaceQuestion);
    }
}

TEST_F(EditorGoals, PlacingOnAPuzzleWithAModeAsksAndNoChangesNothing)
{
    enterEditor();
    place(10, 0);
    place(40, 1);
    ctl.command(Command::FullConnection, Source::Toolbar);
    w.answers.push_back(Answer::No);
    place(50, 3);
    EXPECT_EQ(s.board[50], kEmpty);
    EXPECT_EQ(current().mode, kFullConnection);
}

TEST_F(EditorGoals, CommandsDuringGoalSettingAskToAbandonIt)
{
    enterEditor();
    buildRing();
    ctl.command(Command::Copy, Source::Menu);
    ctl.command(Command::BigLoop, Source::Toolbar);
    ASSERT_TRUE(s.modeSettingActive);
    const Board ring = s.board;

    // The Edit menu's cut and the board tools ask too; No leaves everything.
    w.answers.push_back(Answer::No);
    ctl.command(Command::Cut, Source::Menu);
    w.answers.push_back(Answer::No);
    ctl.command(Command::ShiftRight, Source::Toolbar);
    ASSERT_EQ(w.boxes.size(), 2u);
    EXPECT_EQ(w.boxes[0].text, kGoalSettingQuestion);
    EXPECT_EQ(w.boxes[1].text, kGoalSettingQuestion);
    EXPECT_EQ(s.board, ring);
    EXPECT_TRUE(s.modeSettingActive);

    // Copy changes nothing and asks nothing.
    ctl.command(Command::Copy, Source::Menu);
    EXPECT_EQ(w.boxes.size(), 2u);

    // Yes abandons the setting, gives the spinner back and runs the command.
    w.answers.push_back(Answer::Yes);
    ctl.command(Command::Cut, Source::Menu);
    EXPECT_FALSE(s.modeSettingActive);
    EXPECT_TRUE(w.spinnerEnabled);
    EXPECT_EQ(s.board[0], kEmpty);
    EXPECT_EQ(current().mode, kNoMode);
}

TEST_F(EditorGoals, NavigationRefusedDuringGoalSettingStaysOnThePuzzle)
{
    enterEditor();
    ctl.command(Command::NewGame, Source::Toolbar);
    buildRing();
    ctl.command(Command::BigLoop, Source::Toolbar);
    ASSERT_TRUE(s.modeSettingActive);
    w.answers.push_back(Answer::No);
    ctl.spinnerChanged(0);
    EXPECT_EQ(w.spinner, 1);
    EXPECT_EQ(w.spinnerLabel, "2/2");
    EXPECT_EQ(s.board[0], 4);
    EXPECT_TRUE(s.modeSettingActive);
}

TEST_F(EditorGoals, ModeButtonsInPlayChangeNoPuzzle)
{
    enterEditor();
    place(10, 0);
    place(40, 1);
    ctl.command(Command::FullConnection, Source::Toolbar);
    w.answers.push_back(Answer::Yes); // discard the unsaved collection
    ctl.command(Command::PlayMode, Source::Toolbar);
    ASSERT_FALSE(s.editMode);
    const auto puzzles = s.puzzles;
    ctl.command(Command::FullConnection, Source::Toolbar);
    ctl.command(Command::BigLoop, Source::Toolbar);
    ctl.command(Command::EcoMode, Source::Toolbar);
    EXPECT_EQ(s.puzzles, puzzles);
    EXPECT_FALSE(checked(Command::FullConnection));
    EXPECT_FALSE(checked(Command::BigLoop));
    EXPECT_TRUE(checked(Command::EcoMode));
}

} // namespace
} // namespace tavrin::game::testing
