// The hint command of the free game: what it marks and says, when it is
// refused, and that it leaves the game exactly as it was.
#include "tests/game/flow_fixture.h"

#include "engine/hint.h"
#include "game/hint_texts.h"

#include <memory>

namespace tavrin::game::testing {
namespace {

class HintCommand : public FlowTest {
protected:
    HintCommand() : FlowTest(11) {}
    int mark() const { return screen().hintCell; }
    bool hintEnabled() const { return enabled(Command::Hint); }
};

TEST_F(HintCommand, MarksTheBestCellAndSaysWhereWithoutChangingTheGame)
{
    start();
    EXPECT_TRUE(hintEnabled());
    placeDealt(9);
    placeDealt(10);
    placeDealt(18);
    ASSERT_FALSE(freeGame().busy());

    const auto expected = bestPlacement(state, freeGame().offeredPiece(), false);
    ASSERT_TRUE(expected.has_value());
    const auto before = std::make_unique<GameState>(state);
    const int offered = freeGame().offeredPiece();
    const DiscardWindow discards = freeGame().discards();

    command(Command::Hint, Source::Menu);
    EXPECT_EQ(mark(), expected->cell);
    EXPECT_EQ(flow().hintCell, expected->cell);
    EXPECT_EQ(screen().status, hintText(*expected));
    EXPECT_EQ(status().rfind("ヒント：", 0), 0U);

    // Nothing of the game moved: board, moves, scores, offered piece, timers.
    EXPECT_EQ(state.board, before->board);
    EXPECT_EQ(state.greenStamp, before->greenStamp);
    EXPECT_EQ(state.movesUsed, before->movesUsed);
    EXPECT_EQ(state.scoreChain, before->scoreChain);
    EXPECT_EQ(state.loopPoints, before->loopPoints);
    EXPECT_EQ(state.labels.ecoPoints, before->labels.ecoPoints);
    EXPECT_EQ(state.labels.movesLeft, before->labels.movesLeft);
    EXPECT_EQ(freeGame().offeredPiece(), offered);
    EXPECT_EQ(freeGame().discards(), discards);
    EXPECT_FALSE(output.timerOn(Timer::Evaluation));
    EXPECT_TRUE(front.boxes.empty());

    // The toolbar button asks for the same, without the goal-setting guard.
    input([&] { ctl.clearHint(); });
    command(Command::Hint, Source::Toolbar);
    EXPECT_EQ(mark(), expected->cell);
    EXPECT_TRUE(front.boxes.empty());
}

TEST_F(HintCommand, MarkGoesWithTheNextPlacementDiscardOrNewGame)
{
    start();
    command(Command::Hint);
    ASSERT_GE(mark(), 0);
    const int hinted = mark();

    // A refused placement (same shape on itself) is no move: the mark stays.
    const int other = hinted == 0 ? 1 : 0;
    state.board[other] = static_cast<HyperRoad>(freeGame().offeredPiece());
    click(other);
    EXPECT_EQ(mark(), hinted);

    placeDealt(hinted);
    EXPECT_EQ(mark(), -1);
    EXPECT_EQ(flow().hintCell, -1);

    command(Command::Hint);
    ASSERT_GE(mark(), 0);
    trash();
    EXPECT_EQ(mark(), -1);
    runTimers();

    command(Command::Hint);
    ASSERT_GE(mark(), 0);
    command(Command::NewGame);
    EXPECT_EQ(mark(), -1);
}

TEST_F(HintCommand, DoesNothingWhileAMoveIsBusy)
{
    start();
    click(20);
    ASSERT_TRUE(freeGame().busy());
    const Text statusBefore = screen().status;
    command(Command::Hint);
    EXPECT_EQ(mark(), -1);
    EXPECT_EQ(screen().status, statusBefore);
    runTimers();
    command(Command::Hint);
    EXPECT_GE(mark(), 0);
}

TEST_F(HintCommand, RefusedOutsideAnActiveFreeGame)
{
    // Before any game.
    command(Command::Hint);
    EXPECT_EQ(mark(), -1);
    EXPECT_FALSE(hintEnabled());

    // In the editor or a series the board is not the free game's.
    start();
    EXPECT_TRUE(hintEnabled());
    state.editMode = true;
    command(Command::Hint);
    EXPECT_EQ(mark(), -1);
    EXPECT_FALSE(hintEnabled());
    state.editMode = false;
    state.puzzleSeries = true;
    command(Command::Hint);
    EXPECT_EQ(mark(), -1);
    state.puzzleSeries = false;

    // A game that is over.
    command(Command::Hint);
    ASSERT_GE(mark(), 0);
    input([&] { ctl.endGame(); });
    EXPECT_EQ(mark(), -1);
    EXPECT_FALSE(hintEnabled());
    command(Command::Hint);
    EXPECT_EQ(mark(), -1);
}

TEST_F(HintCommand, FreeMoveIsTakenFromTheOldestDiscardSlot)
{
    // Two items joined by the hinted straight: the cells turn green, and their
    // worth depends on whether the move costs one.
    start({0, 2});
    state.board[0] = 0;
    state.board[2] = 0;
    state.movesUsed = 30;
    freeGame().setOfferedPiece(0);

    const auto paid = bestPlacement(state, 0, false);
    const auto free = bestPlacement(state, 0, true);
    ASSERT_TRUE(paid && free);
    ASSERT_NE(paid->total, free->total);

    command(Command::Hint);
    EXPECT_EQ(screen().status, hintText(*paid));
    DiscardWindow discards = freeGame().discards();
    discards[0] = 3;
    freeGame().resume(0, discards);
    command(Command::Hint);
    EXPECT_EQ(screen().status, hintText(*free));
}

TEST(HintTexts, RowAndColumnCountFromOne)
{
    EXPECT_EQ(hintText({29, 120, true}).japanese(), "ヒント：上から4行目・左から6列目に置くと、エコ点とループ点の合計は120点です。");
    EXPECT_EQ(hintText({0, 0, true}).japanese(), "ヒント：上から1行目・左から1列目に置くと、エコ点とループ点の合計は0点です。");
    EXPECT_EQ(hintText({63, 5, true}).japanese(), "ヒント：上から8行目・左から8列目に置くと、エコ点とループ点の合計は5点です。");
    EXPECT_EQ(hintText({27, 0, false}).japanese(),
              "ヒント：得点の増える場所はなし。上から4行目・左から4列目で道がアイテムに近づきます。");
}

} // namespace
} // namespace tavrin::game::testing
