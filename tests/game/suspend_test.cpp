// The free game kept aside while the editor uses the board, and given back
// exactly when the editor closes.
#include "tests/game/editor_fixture.h"

namespace tavrin::game::testing {
namespace {

using Suspend = EditorFixture;

TEST_F(Suspend, LeavingTheEditorRestoresTheFreeGameExactly)
{
    start({0, 1});
    for (int c = 0; c < 4; ++c) {
        Flow::place(c, 10);
    }
    discardDealt();
    placeDealt(30);
    const GameState before = state;
    const int offered = freeGame().offeredPiece();
    ctl.screen().setStatus("ここに何か");

    enterEditor();
    ASSERT_TRUE(state.editMode);
    EXPECT_EQ(state.movesUsed, 96);
    EXPECT_EQ(freeGame().offeredPiece(), -1);
    EXPECT_FALSE(front.playing(Music::FreeGame));
    for (int c = 0; c < kCellCount; ++c) {
        ASSERT_EQ(state.board[c], kEmpty);
        ASSERT_EQ(state.cellItem[c], -1);
    }

    // Edit the puzzle: the collection is then unsaved and leaving asks.
    place(20, 7);
    ASSERT_EQ(state.board[20], 7);

    front.answers = {Answer::No};
    command(Command::PlayMode, Source::Toolbar);
    EXPECT_TRUE(state.editMode);
    EXPECT_TRUE(checked(Command::EditMode));
    EXPECT_EQ(state.board[20], 7);

    front.answers = {Answer::Yes};
    command(Command::PlayMode, Source::Toolbar);
    ASSERT_FALSE(state.editMode);
    EXPECT_EQ(state.board, before.board);
    EXPECT_EQ(state.cellItem, before.cellItem);
    EXPECT_EQ(state.greenStamp, before.greenStamp);
    EXPECT_EQ(state.greenChanged, before.greenChanged);
    EXPECT_EQ(state.movesUsed, before.movesUsed);
    EXPECT_EQ(state.maxMovesUsed, before.maxMovesUsed);
    EXPECT_EQ(freeGame().offeredPiece(), offered);
    EXPECT_EQ(status(), "ここに何か");
    EXPECT_TRUE(screen().panel(Panel::FreeGame));
    EXPECT_FALSE(screen().panel(Panel::Palette));
    EXPECT_FALSE(screen().panel(Panel::BoardToolbar));
    EXPECT_FALSE(screen().panel(Panel::EditorOptions));
    EXPECT_TRUE(checked(Command::PlayMode));
    EXPECT_FALSE(checked(Command::EditMode));
    EXPECT_TRUE(checked(Command::EcoMode));
    EXPECT_FALSE(enabled(Command::Cut));
    EXPECT_FALSE(menu(Menu::Edit));
    EXPECT_EQ(screen().command(Command::NewGame).toolTip.japanese(), "新規ゲーム");
    EXPECT_EQ(screen().command(Command::NewGame).caption.japanese(), "新規ゲーム(&N)");
    EXPECT_TRUE(front.playing(Music::FreeGame));
    EXPECT_TRUE(front.piece(Music::FreeGame).repeats);

    // The game goes on where it was.
    placeDealt(31);
    EXPECT_EQ(state.movesUsed, before.movesUsed + 1);
}

TEST_F(Suspend, AnEndedGameShowsTheHintAgainAfterTheEditor)
{
    start();
    input([&] { ctl.endGame(); });
    enterEditor();
    EXPECT_EQ(status(), "");
    command(Command::PlayMode, Source::Toolbar);
    EXPECT_EQ(status(), "新規ゲームで遊ぶにはF2キーを押してください。");
    EXPECT_FALSE(freeGame().active());
    EXPECT_FALSE(front.playing(Music::FreeGame));
}

TEST_F(Suspend, NewGameAfterTheEditorStartsAtOneHundred)
{
    start();
    placeDealt(5);
    enterEditor();
    command(Command::PlayMode, Source::Toolbar);
    command(Command::NewGame, Source::Toolbar);
    EXPECT_EQ(state.movesUsed, 0);
    EXPECT_EQ(frame(ScoreFrame::MovesLeft), "100");
}

} // namespace
} // namespace tavrin::game::testing
