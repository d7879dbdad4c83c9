// The free game kept aside while the editor uses the board, and given back
// exactly when the editor closes.
#include "tests/game/flow_fixture.h"

#include "game/editor.h"

namespace tavrin::game::testing {
namespace {

class Suspend : public FlowTest {
protected:
    Suspend() : editor(ctl) { ctl.attachEditor(&editor); }
    Editor editor;
};

TEST_F(Suspend, LeavingTheEditorRestoresTheFreeGameExactly)
{
    ctl.StartFreeGame();
    setItems({0, 1});
    for (int c = 0; c < 4; ++c) {
        place(c, 10);
    }
    ctl.trashReleased();
    ctl.timerTick(Timer::AfterDiscard);
    placeDealt(30);
    const GameState before = state;
    const int offered = flow().offeredPiece;
    const std::string status = "ここに何か";
    window.setStatusText(status);

    ctl.command(Command::EditMode, Source::Toolbar);
    ASSERT_TRUE(state.editMode);
    EXPECT_EQ(state.movesUsed, 96);
    EXPECT_EQ(flow().offeredPiece, -1);
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Stopped);
    for (int c = 0; c < kCellCount; ++c) {
        ASSERT_EQ(state.board[c], kEmpty);
        ASSERT_EQ(state.cellItem[c], -1);
    }

    // Edit the puzzle: the collection is then unsaved and leaving asks.
    ctl.palettePressed(7, 0);
    ctl.cellReleased(20);
    runEvaluation();
    ASSERT_EQ(state.board[20], 7);

    window.answers = {Answer::No};
    ctl.command(Command::PlayMode, Source::Toolbar);
    EXPECT_TRUE(state.editMode);
    EXPECT_TRUE(window.command(Command::EditMode).checked);
    EXPECT_EQ(state.board[20], 7);

    window.answers = {Answer::Yes};
    ctl.command(Command::PlayMode, Source::Toolbar);
    ASSERT_FALSE(state.editMode);
    EXPECT_EQ(state.board, before.board);
    EXPECT_EQ(state.cellItem, before.cellItem);
    EXPECT_EQ(state.greenStamp, before.greenStamp);
    EXPECT_EQ(state.greenChanged, before.greenChanged);
    EXPECT_EQ(state.movesUsed, before.movesUsed);
    EXPECT_EQ(state.maxMovesUsed, before.maxMovesUsed);
    EXPECT_EQ(flow().offeredPiece, offered);
    EXPECT_EQ(window.status, status);
    EXPECT_TRUE(window.panels[Panel::FreeGame]);
    EXPECT_FALSE(window.panels[Panel::Palette]);
    EXPECT_FALSE(window.panels[Panel::BoardToolbar]);
    EXPECT_FALSE(window.panels[Panel::EditorOptions]);
    EXPECT_TRUE(window.command(Command::PlayMode).checked);
    EXPECT_FALSE(window.command(Command::EditMode).checked);
    EXPECT_TRUE(window.command(Command::EcoMode).checked);
    EXPECT_FALSE(window.command(Command::Cut).enabled);
    EXPECT_FALSE(window.menuEnabled[Menu::Edit]);
    EXPECT_EQ(window.command(Command::NewGame).toolTip, "新規ゲーム");
    EXPECT_EQ(window.command(Command::NewGame).caption, "新規ゲーム(&N)");
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Playing);

    // The game goes on where it was.
    placeDealt(31);
    EXPECT_EQ(state.movesUsed, before.movesUsed + 1);
}

TEST_F(Suspend, AnEndedGameShowsTheHintAgainAfterTheEditor)
{
    ctl.StartFreeGame();
    ctl.EndGame();
    ctl.command(Command::EditMode, Source::Toolbar);
    EXPECT_EQ(window.status, "");
    ctl.command(Command::PlayMode, Source::Toolbar);
    EXPECT_EQ(window.status, "新規ゲームで遊ぶにはF2キーを押してください。");
    EXPECT_FALSE(flow().freeGameActive);
}

TEST_F(Suspend, NewGameAfterTheEditorStartsAtOneHundred)
{
    ctl.StartFreeGame();
    placeDealt(5);
    ctl.command(Command::EditMode, Source::Toolbar);
    ctl.command(Command::PlayMode, Source::Toolbar);
    ctl.command(Command::NewGame, Source::Toolbar);
    EXPECT_EQ(state.movesUsed, 0);
    EXPECT_EQ(window.label(ScoreLabel::MovesLeft), "100");
}

TEST_F(Suspend, BigLoopTakeBackInTheEditorRestoresThePuzzleCell)
{
    ctl.StartFreeGame();
    ctl.command(Command::EditMode, Source::Toolbar);
    // A ring of four: loop points 16.
    const std::pair<int, int> ring[] = {{0, 4}, {1, 5}, {8, 3}, {9, 2}};
    for (const auto& [cell, shape] : ring) {
        ctl.palettePressed(shape, 0);
        ctl.cellReleased(cell);
        runEvaluation();
    }
    ctl.command(Command::BigLoop, Source::Toolbar);
    ASSERT_TRUE(state.modeSettingActive);
    // A placement that keeps the loop points is taken back, in the puzzle too.
    ctl.palettePressed(1, 0);
    ctl.cellReleased(30);
    runEvaluation();
    EXPECT_EQ(window.status, "現在のループ点16よりループ点を減らしてください。");
    EXPECT_EQ(state.board[30], kEmpty);
    EXPECT_EQ(editor.collection().current().cells[30], kEmpty);
    EXPECT_TRUE(state.modeSettingActive);
}

} // namespace
} // namespace tavrin::game::testing
