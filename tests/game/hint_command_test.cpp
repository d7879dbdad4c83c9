// The hint command of the free game: what it marks and says, when it is
// refused, and that it leaves the game exactly as it was.
#include "tests/game/flow_fixture.h"

#include "engine/hint.h"
#include "game/hint_texts.h"

#include <memory>

namespace tavrin::game::testing {
namespace {

// Records the hint marks the controller sets.
class HintWindow : public FakeWindow {
public:
    std::vector<int> marks;
    void setHintCell(int cell) override { marks.push_back(cell); }
    int mark() const { return marks.empty() ? -1 : marks.back(); }
};

class HintCommand : public ::testing::Test {
protected:
    HintCommand() : random(11), ctl(state, window, random) { ctl.OpenSoundDevices(); }

    void runTimers()
    {
        for (int tick = 0; tick < 100 && window.isRunning(Timer::Evaluation); ++tick) {
            ctl.timerTick(Timer::Evaluation);
        }
        if (window.isRunning(Timer::AfterDiscard)) {
            ctl.timerTick(Timer::AfterDiscard);
        }
    }
    void placeDealt(int cell)
    {
        ctl.cellReleased(cell);
        runTimers();
    }
    bool enabled() { return window.command(Command::Hint).enabled; }

    GameState state;
    HintWindow window;
    RandomSource random;
    GameController ctl;
};

TEST_F(HintCommand, MarksTheBestCellAndSaysWhereWithoutChangingTheGame)
{
    ctl.StartFreeGame();
    EXPECT_TRUE(enabled());
    placeDealt(9);
    placeDealt(10);
    placeDealt(18);
    ASSERT_FALSE(ctl.flow().moveBusy);

    const auto expected = bestPlacement(state, ctl.flow().offeredPiece, false);
    ASSERT_TRUE(expected.has_value());
    const auto before = std::make_unique<GameState>(state);
    const FlowState flowBefore = ctl.flow();

    ctl.command(Command::Hint, Source::Menu);
    EXPECT_EQ(window.mark(), expected->cell);
    EXPECT_EQ(ctl.flow().hintCell, expected->cell);
    EXPECT_EQ(window.status, hintText(*expected).japanese());
    EXPECT_EQ(window.status.rfind("ヒント：", 0), 0U);

    // Nothing of the game moved: board, moves, scores, offered piece, timers.
    EXPECT_EQ(state.board, before->board);
    EXPECT_EQ(state.greenStamp, before->greenStamp);
    EXPECT_EQ(state.movesUsed, before->movesUsed);
    EXPECT_EQ(state.scoreChain, before->scoreChain);
    EXPECT_EQ(state.loopPoints, before->loopPoints);
    EXPECT_EQ(state.labels.ecoPoints, before->labels.ecoPoints);
    EXPECT_EQ(state.labels.movesLeft, before->labels.movesLeft);
    EXPECT_EQ(ctl.flow().offeredPiece, flowBefore.offeredPiece);
    EXPECT_EQ(ctl.flow().discardWindow, flowBefore.discardWindow);
    EXPECT_FALSE(window.isRunning(Timer::Evaluation));
    EXPECT_TRUE(window.boxes.empty());

    // The toolbar button asks for the same, without the goal-setting guard.
    window.marks.clear();
    ctl.command(Command::Hint, Source::Toolbar);
    EXPECT_EQ(window.mark(), expected->cell);
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(HintCommand, MarkGoesWithTheNextPlacementDiscardOrNewGame)
{
    ctl.StartFreeGame();
    ctl.command(Command::Hint);
    ASSERT_GE(window.mark(), 0);
    const int hinted = window.mark();

    // A refused placement (same shape on itself) is no move: the mark stays.
    state.board[hinted == 0 ? 1 : 0] = ctl.flow().offeredPiece;
    ctl.cellReleased(hinted == 0 ? 1 : 0);
    EXPECT_EQ(window.mark(), hinted);

    placeDealt(hinted);
    EXPECT_EQ(window.mark(), -1);
    EXPECT_EQ(ctl.flow().hintCell, -1);

    ctl.command(Command::Hint);
    ASSERT_GE(window.mark(), 0);
    ctl.trashReleased();
    EXPECT_EQ(window.mark(), -1);
    runTimers();

    ctl.command(Command::Hint);
    ASSERT_GE(window.mark(), 0);
    ctl.command(Command::NewGame);
    EXPECT_EQ(window.mark(), -1);
}

TEST_F(HintCommand, DoesNothingWhileAMoveIsBusy)
{
    ctl.StartFreeGame();
    ctl.cellReleased(20);
    ASSERT_TRUE(ctl.flow().moveBusy);
    const std::string status = window.status;
    ctl.command(Command::Hint);
    EXPECT_TRUE(window.marks.empty());
    EXPECT_EQ(window.status, status);
    runTimers();
    ctl.command(Command::Hint);
    EXPECT_EQ(window.marks.size(), 1U);
}

TEST_F(HintCommand, RefusedOutsideAnActiveFreeGame)
{
    // Before any game.
    ctl.command(Command::Hint);
    EXPECT_TRUE(window.marks.empty());
    EXPECT_FALSE(enabled());

    // In the editor or a series the board is not the free game's.
    ctl.StartFreeGame();
    EXPECT_TRUE(enabled());
    state.editMode = true;
    ctl.command(Command::Hint);
    EXPECT_TRUE(window.marks.empty());
    EXPECT_FALSE(enabled());
    state.editMode = false;
    state.puzzleSeries = true;
    ctl.command(Command::Hint);
    EXPECT_TRUE(window.marks.empty());
    state.puzzleSeries = false;

    // A game that is over.
    ctl.command(Command::Hint);
    ASSERT_EQ(window.marks.size(), 1U);
    ctl.EndGame();
    EXPECT_EQ(window.mark(), -1);
    EXPECT_FALSE(enabled());
    ctl.command(Command::Hint);
    EXPECT_EQ(window.mark(), -1);
}

TEST_F(HintCommand, FreeMoveIsTakenFromTheOldestDiscardSlot)
{
    ctl.StartFreeGame();
    // Two items joined by the hinted straight: the cells turn green, and their
    // worth depends on whether the move costs one.
    state.cellItem.fill(-1);
    state.itemCount = 2;
    state.itemCells[0] = 0;
    state.itemCells[1] = 2;
    state.cellItem[0] = 0;
    state.cellItem[2] = 1;
    state.board.fill(kEmpty);
    state.board[0] = 0;
    state.board[2] = 0;
    state.movesUsed = 30;
    ctl.flow().offeredPiece = 0;

    const auto paid = bestPlacement(state, 0, false);
    const auto free = bestPlacement(state, 0, true);
    ASSERT_TRUE(paid && free);
    ASSERT_NE(paid->total, free->total);

    ctl.command(Command::Hint);
    EXPECT_EQ(window.status, hintText(*paid).japanese());
    ctl.flow().discardWindow[0] = 3;
    ctl.command(Command::Hint);
    EXPECT_EQ(window.status, hintText(*free).japanese());
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
