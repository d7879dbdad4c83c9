// Whole free games through the fake window: start, moves, discards, chains,
// the goal and the two ways of running out of moves.
#include "tests/game/flow_fixture.h"

#include "engine/analysis.h"
#include "engine/scoring.h"
#include "game/flow_texts.h"
#include "game/item_layout.h"

#include <algorithm>
#include <set>

namespace tavrin::game::testing {
namespace {

// --- the start of a game ----------------------------------------------------------

TEST(ItemLayout, AcceptedLayoutsFollowTheRules)
{
    for (int count = 2; count <= 5; ++count) {
        for (std::uint64_t seed = 1; seed <= 60; ++seed) {
            RandomSource random(seed);
            const ItemLayout layout = drawItemLayout(count, random);
            ASSERT_EQ(layout.count, count);
            ASSERT_TRUE(layoutAccepted(layout.cells, count));
            int sum = 0;
            int distance = 0;
            std::set<int> kinds;
            for (int e = 0; e < count; ++e) {
                sum += layout.cells[e];
                kinds.insert(layout.kinds[e]);
                for (int k = 0; k < e; ++k) {
                    EXPECT_GE(manhattan(layout.cells[e], layout.cells[k]), 5);
                }
            }
            const int centre = sum / count;
            for (int e = 0; e < count; ++e) {
                EXPECT_NE(layout.cells[e], centre);
                distance += manhattan(layout.cells[e], centre);
            }
            EXPECT_EQ(distance / count, 4);
            // A permutation of the kinds.
            EXPECT_EQ(static_cast<int>(kinds.size()), count);
            EXPECT_EQ(*kinds.begin(), 0);
            EXPECT_EQ(*kinds.rbegin(), count - 1);
        }
    }
}

TEST(ItemLayout, TwoItemsNeedDistancesSummingToEightOrNine)
{
    std::array<std::int16_t, kMaxItems> cells{};
    cells[0] = 0;  // row 0, column 0
    cells[1] = 36; // row 4, column 4: distance 8, centre 18 (row 2, column 2): 4 + 4
    EXPECT_TRUE(layoutAccepted(cells, 2));
    cells[1] = 5; // distance 5, centre 2: 2 + 3 = 5, mean 2
    EXPECT_FALSE(layoutAccepted(cells, 2));
    cells[1] = 3; // too close
    EXPECT_FALSE(layoutAccepted(cells, 2));
}

TEST(ItemLayout, EarlierItemsThatBlockEveryCellDoNotHang)
{
    // Four items that leave no cell 5 or more away from all of them exist; the
    // layout is then drawn again. Many seeds with five items must all finish.
    for (std::uint64_t seed = 100; seed < 400; ++seed) {
        RandomSource random(seed);
        const ItemLayout layout = drawItemLayout(5, random);
        ASSERT_TRUE(layoutAccepted(layout.cells, 5));
    }
}

class FreeGame : public FlowTest {};

TEST_F(FreeGame, StartSetsTheBoardLabelsAndFirstPiece)
{
    window.labels = {"1", "2", "3", "4"};
    window.frameCaptions[1] = "総合得点";
    window.frameVisible[1] = false;
    ctl.setItemKindCount(4);
    ctl.StartFreeGame();

    EXPECT_TRUE(flow().freeGameActive);
    EXPECT_FALSE(flow().moveBusy);
    EXPECT_EQ(state.movesUsed, 0);
    EXPECT_EQ(state.itemCount, 4);
    EXPECT_EQ(window.label(ScoreLabel::Eco), "0");
    EXPECT_EQ(window.label(ScoreLabel::MovesLeft), "100");
    EXPECT_EQ(window.label(ScoreLabel::Loop), "0");
    EXPECT_EQ(window.label(ScoreLabel::Chain), "");
    EXPECT_EQ(window.frameCaptions[1], "残り手数");
    EXPECT_TRUE(window.frameVisible[1]);
    EXPECT_EQ(window.status, "水、新芽、太陽をハイパーロードでつないで全ての地域を緑化してください。");
    EXPECT_EQ(window.redrawAllCount, 1);
    EXPECT_EQ(keeper.resets, 1);

    int items = 0;
    for (int c = 0; c < kCellCount; ++c) {
        EXPECT_EQ(state.board[c], kEmpty);
        EXPECT_EQ(state.greenStamp[c], -1);
        items += state.cellItem[c] >= 0 ? 1 : 0;
    }
    EXPECT_EQ(items, 4);
    for (int e = 0; e < 4; ++e) {
        EXPECT_EQ(state.cellItem[state.itemCells[e]] >= 0, true);
    }
    EXPECT_TRUE(isPiece(flow().offeredPiece));
    ASSERT_FALSE(window.tiles.empty());
    const TileDraw& panel = window.tiles.back();
    EXPECT_EQ(panel.target, TileTarget::OfferedPiece);
    EXPECT_EQ(panel.piece, flow().offeredPiece);
    EXPECT_EQ(panel.oldPiece, -1);
    EXPECT_EQ(window.trash, 0);
    // The free-game music starts from its beginning.
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Playing);
    EXPECT_TRUE(window.isRunning(Timer::MusicLoop));
}

TEST_F(FreeGame, ConsecutiveOffersAlwaysDiffer)
{
    ctl.StartFreeGame();
    int previous = flow().offeredPiece;
    for (int move = 0; move < 60; ++move) {
        placeDealt(move % 64);
        ASSERT_FALSE(flow().moveBusy);
        ASSERT_NE(flow().offeredPiece, previous);
        ASSERT_TRUE(isPiece(flow().offeredPiece));
        previous = flow().offeredPiece;
    }
}

// --- placing ----------------------------------------------------------------------

TEST_F(FreeGame, SameShapeOnItselfIsRefusedAndCostsNothing)
{
    ctl.StartFreeGame();
    place(10, 3);
    ASSERT_EQ(state.board[10], 3);
    ASSERT_EQ(state.movesUsed, 1);

    flow().offeredPiece = 3;
    ctl.cellReleased(10);
    EXPECT_EQ(window.status, "同じ形のﾊｲﾊﾟｰﾛｰﾄﾞは重ねて設置できません。");
    EXPECT_EQ(state.movesUsed, 1);
    EXPECT_FALSE(flow().moveBusy);
    EXPECT_FALSE(window.isRunning(Timer::Evaluation));

    // A different shape overwrites and costs a move.
    place(10, 4);
    EXPECT_EQ(state.board[10], 4);
    EXPECT_EQ(state.movesUsed, 2);
}

TEST_F(FreeGame, BoardFullOfTheOfferedShapeAcceptsIt)
{
    ctl.StartFreeGame();
    for (int c = 0; c < kCellCount; ++c) {
        state.board[c] = 1;
    }
    flow().offeredPiece = 1;
    ctl.cellReleased(5);
    EXPECT_TRUE(window.isRunning(Timer::Evaluation));
    EXPECT_EQ(state.movesUsed, 1);
}

TEST_F(FreeGame, PlacementSequenceDrawsFourFramesThenDeals)
{
    ctl.StartFreeGame();
    flow().offeredPiece = 7;
    window.clearRecords();
    ctl.cellReleased(20);
    EXPECT_TRUE(flow().moveBusy);
    // Clicks during the sequence are dropped.
    ctl.cellReleased(21);
    ctl.trashReleased();
    EXPECT_EQ(state.board[21], kEmpty);
    EXPECT_EQ(state.movesUsed, 1);

    for (int step = 0; step < 4; ++step) {
        ctl.timerTick(Timer::Evaluation);
        const TileDraw& t = window.tiles.back();
        if (step < 3) {
            EXPECT_EQ(t.target, TileTarget::BoardCell);
            EXPECT_EQ(t.index, 20);
            EXPECT_EQ(t.piece, 7);
            EXPECT_EQ(t.oldPiece, -1);
            EXPECT_EQ(t.step, step);
            EXPECT_TRUE(t.withItem);
        }
    }
    EXPECT_FALSE(window.isRunning(Timer::Evaluation));
    EXPECT_FALSE(flow().moveBusy);
    EXPECT_EQ(flow().sequenceStep, 0);
    // One click sound on the first frame, then the next piece on the panel.
    EXPECT_EQ(window.soundCount(Device::Click), 1);
    EXPECT_EQ(window.tiles.back().target, TileTarget::OfferedPiece);
    EXPECT_EQ(window.tiles.back().oldPiece, 7);
    EXPECT_EQ(window.label(ScoreLabel::MovesLeft), "99");
}

TEST_F(FreeGame, ClickAfterTheGameEndedDoesNothing)
{
    ctl.StartFreeGame();
    ctl.EndGame();
    flow().offeredPiece = 2;
    ctl.cellReleased(3);
    ctl.trashReleased();
    EXPECT_EQ(state.board[3], kEmpty);
    EXPECT_EQ(state.movesUsed, 0);
}

// --- discards -----------------------------------------------------------------------

TEST_F(FreeGame, DiscardShowsTheChangeThenAPlainNumber)
{
    ctl.StartFreeGame();
    for (int i = 0; i < 5; ++i) {
        placeDealt(i);
    }
    ASSERT_EQ(window.label(ScoreLabel::MovesLeft), "95");
    window.clearRecords();
    ctl.trashReleased();
    EXPECT_EQ(window.label(ScoreLabel::MovesLeft), "95-1");
    EXPECT_EQ(window.soundCount(Device::Trash), 1);
    EXPECT_TRUE(flow().moveBusy);
    ctl.timerTick(Timer::AfterDiscard);
    EXPECT_EQ(window.label(ScoreLabel::MovesLeft), "94");
    EXPECT_FALSE(flow().moveBusy);
    EXPECT_FALSE(window.isRunning(Timer::AfterDiscard));
    EXPECT_EQ(window.trash, 1);
}

TEST_F(FreeGame, DiscardWindowOverElevenDeals)
{
    int offeredAgainAtEleven = 0;
    for (std::uint64_t seed = 1; seed <= 80; ++seed) {
        GameState st;
        FakeWindow w;
        RandomSource rnd(seed);
        GameController c(st, w, rnd);
        c.StartFreeGame();
        const int thrown = c.flow().offeredPiece;
        c.trashReleased();
        c.timerTick(Timer::AfterDiscard);
        ASSERT_EQ(st.movesUsed, 1);
        ASSERT_EQ(st.discardCount, 1);
        // Deals 1 .. 10 after the discard never offer the thrown shape.
        for (int deal = 1; deal <= 10; ++deal) {
            ASSERT_NE(c.flow().offeredPiece, thrown) << "seed " << seed << " deal " << deal;
            ASSERT_EQ(w.trash, deal <= 9 ? 1 : 0) << "deal " << deal;
            const int usedBefore = st.movesUsed;
            const int maxBefore = st.maxMovesUsed;
            c.cellReleased(deal);
            while (w.isRunning(Timer::Evaluation)) {
                c.timerTick(Timer::Evaluation);
            }
            // The shape sits in the oldest slot during the ninth deal: that
            // placement is free.
            if (deal == 9) {
                EXPECT_EQ(st.movesUsed, usedBefore);
                EXPECT_EQ(st.maxMovesUsed, maxBefore);
            } else {
                EXPECT_EQ(st.movesUsed, usedBefore + 1);
            }
        }
        EXPECT_EQ(st.discardCount, 0);
        offeredAgainAtEleven += c.flow().offeredPiece == thrown ? 1 : 0;
    }
    // From the eleventh deal on the shape may come again.
    EXPECT_GT(offeredAgainAtEleven, 0);
}

TEST_F(FreeGame, FreeDiscardStillRaisesTheHighestMoveCount)
{
    ctl.StartFreeGame();
    ctl.trashReleased();
    ctl.timerTick(Timer::AfterDiscard);
    for (int deal = 1; deal <= 8; ++deal) {
        placeDealt(deal);
    }
    ASSERT_GE(flow().discardWindow[0], 0);
    const int used = state.movesUsed;
    ctl.trashReleased();
    EXPECT_EQ(state.movesUsed, used);
    EXPECT_EQ(state.maxMovesUsed, used + 1);
    ctl.timerTick(Timer::AfterDiscard);
    EXPECT_EQ(state.discardCount, 1); // the new discard, the old one aged out
}

// --- chains that return moves ---------------------------------------------------------

TEST_F(FreeGame, ChainOfFiveGivesOneMoveBackWithTheJingle)
{
    ctl.StartFreeGame();
    setItems({0, 1});
    // Crosses along row 0: from the second on every move greens a cell.
    for (int c = 0; c <= 5; ++c) {
        place(c, 10);
    }
    ASSERT_EQ(state.scoreChain, 5);
    ASSERT_EQ(state.movesUsed, 6);
    ASSERT_EQ(window.label(ScoreLabel::Chain), "5");

    window.clearRecords();
    flow().offeredPiece = 10;
    ctl.cellReleased(40); // apart from the group: nothing scores
    EXPECT_EQ(window.status, "残り手数が1手戻されました！");
    EXPECT_EQ(state.movesUsed, 6);
    EXPECT_EQ(window.label(ScoreLabel::Chain), "5-5");
    runEvaluation();
    // The jingle instead of the click, and the text goes with the sequence.
    EXPECT_EQ(window.soundCount(Device::Jingle), 1);
    EXPECT_EQ(window.soundCount(Device::Click), 0);
    EXPECT_EQ(window.status, "");
    EXPECT_EQ(window.label(ScoreLabel::Chain), "");
    EXPECT_EQ(window.label(ScoreLabel::MovesLeft), "94");
}

TEST_F(FreeGame, ChainOfTenGivesTwoMovesBack)
{
    ctl.StartFreeGame();
    setItems({0, 1});
    for (int c = 0; c <= 10; ++c) {
        place(c, 10);
    }
    ASSERT_EQ(state.scoreChain, 10);
    ASSERT_EQ(state.movesUsed, 11);
    flow().offeredPiece = 1;
    ctl.cellReleased(50);
    EXPECT_EQ(window.status, "残り手数が2手戻されました！");
    EXPECT_EQ(state.movesUsed, 10);
    EXPECT_EQ(window.label(ScoreLabel::MovesLeft), "89+1");
    runEvaluation();
    EXPECT_EQ(window.label(ScoreLabel::MovesLeft), "90");
}

// --- the end of a game -----------------------------------------------------------------

TEST_F(FreeGame, PlayedToTheGoal)
{
    ctl.StartFreeGame();
    setItems({0, 1});
    // Crosses in cell order: every one joins the group of the items.
    for (int c = 0; c < kCellCount - 1; ++c) {
        place(c, 10);
        ASSERT_FALSE(flow().moveBusy) << c;
    }
    EXPECT_TRUE(window.boxes.empty());
    place(63, 10);

    // Cells 0 and 1 turned green at move 2 (98 each), cell k at move k + 1
    // (99 - k): 196 + (36 + ... + 97) = 4319. A full board of crosses closes
    // the 49 unit squares: 49 * 16 = 784. No discards: bonus 1000.
    ASSERT_EQ(window.boxes.size(), 1U);
    const ShownBox& box = window.boxes[0];
    EXPECT_EQ(box.text, "目標は達成されました。\n\nエコ点：\t\t4319\nループ点：\t\t784\nボーナス点：\t1000\n総合得点：\t\t6103");
    EXPECT_EQ(box.title, "Tavrin for Windows");
    EXPECT_EQ(box.icon, Icon::Information);
    EXPECT_EQ(window.frameCaptions[1], "総合得点");
    EXPECT_EQ(window.label(ScoreLabel::MovesLeft), "6103");
    EXPECT_EQ(window.clearOfferedCount, 1);
    ASSERT_EQ(keeper.free.size(), 1U);
    EXPECT_EQ(keeper.free[0].total, 6103);
    EXPECT_EQ(keeper.free[0].itemCount, 2);
    EXPECT_FALSE(flow().freeGameActive);
    EXPECT_TRUE(flow().moveBusy);
    EXPECT_EQ(window.status, "新規ゲームで遊ぶにはF2キーを押してください。");
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Stopped);
}

TEST_F(FreeGame, LastMoveByAPlacementEndsWithTimeUpAndTheHint)
{
    ctl.StartFreeGame();
    for (int move = 0; move < 99; ++move) {
        placeDealt(27); // every new offer differs from the piece lying there
    }
    ASSERT_EQ(state.movesUsed, 99);
    ASSERT_TRUE(window.boxes.empty());
    placeDealt(27);
    ASSERT_EQ(window.boxes.size(), 1U);
    EXPECT_EQ(window.boxes[0].text, "100手以内で目標を達成することができませんでした。\n今回の得点はハイスコアの対象になりません。");
    EXPECT_EQ(window.boxes[0].icon, Icon::None);
    EXPECT_EQ(window.boxes[0].title, "");
    EXPECT_EQ(window.status, "新規ゲームで遊ぶにはF2キーを押してください。");
    EXPECT_FALSE(flow().freeGameActive);
    EXPECT_TRUE(keeper.free.empty());
    EXPECT_EQ(window.label(ScoreLabel::MovesLeft), "0");
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Stopped);
}

TEST_F(FreeGame, LoopLabelFollowsAMoveUnderTheRestingPointer)
{
    ctl.StartFreeGame();
    ctl.cellHovered(9);
    place(0, 4);
    place(1, 5);
    place(8, 3);
    EXPECT_EQ(window.loopLengthText, "最小ループ長：0");
    place(9, 2); // closes a ring of four under the pointer
    EXPECT_EQ(window.loopLengthText, "最小ループ長：4");
}

TEST_F(FreeGame, LastMoveByADiscardSaysTooBadThenEndsTheGame)
{
    ctl.StartFreeGame();
    for (int move = 0; move < 99; ++move) {
        placeDealt(27);
    }
    discardDealt();
    ASSERT_EQ(window.boxes.size(), 1U);
    EXPECT_EQ(window.boxes[0].text,
              "残念！100手以内で全てのハイパーロードをつなげることができませんでした。\n"
              "今回の得点は残念ですが、ハイスコアの対象になりません。");
    EXPECT_EQ(window.boxes[0].icon, Icon::Information);
    // Then the game is over the way a spent placement ends it.
    EXPECT_EQ(window.status, "新規ゲームで遊ぶにはF2キーを押してください。");
    EXPECT_FALSE(flow().freeGameActive);
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Stopped);
    EXPECT_TRUE(keeper.free.empty());
    const int offered = flow().offeredPiece;
    ctl.cellReleased(5);
    EXPECT_EQ(state.board[5], kEmpty);
    EXPECT_EQ(flow().offeredPiece, offered);
    // A new game starts afresh.
    ctl.command(Command::NewGame);
    EXPECT_FALSE(flow().moveBusy);
    EXPECT_EQ(state.movesUsed, 0);
    EXPECT_EQ(window.label(ScoreLabel::MovesLeft), "100");
}

TEST_F(FreeGame, FullBoardNotAllGreenDealsOnWhileMovesAreLeft)
{
    ctl.StartFreeGame();
    flow().offeredPiece = 5;
    ctl.cellReleased(9);
    flow().turnResult = TurnResult::kFullNotGreen;
    const int offered = flow().offeredPiece;
    runEvaluation();
    EXPECT_FALSE(flow().moveBusy);
    EXPECT_TRUE(flow().freeGameActive);
    EXPECT_NE(flow().offeredPiece, offered);
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(FreeGame, FullBoardNotAllGreenOnTheLastMoveIsTimeUp)
{
    ctl.StartFreeGame();
    state.movesUsed = 99;
    flow().offeredPiece = 5;
    ctl.cellReleased(9);
    ASSERT_EQ(state.movesUsed, 100);
    flow().turnResult = TurnResult::kFullNotGreen;
    runEvaluation();
    ASSERT_EQ(window.boxes.size(), 1U);
    EXPECT_EQ(window.boxes[0].text, placementTimeUpText().japanese());
    EXPECT_FALSE(flow().freeGameActive);
    EXPECT_EQ(window.status, "新規ゲームで遊ぶにはF2キーを押してください。");
}

TEST_F(FreeGame, NewGameDuringASequenceDropsTheOldMove)
{
    ctl.StartFreeGame();
    flow().offeredPiece = 5;
    ctl.cellReleased(9);
    ctl.timerTick(Timer::Evaluation);
    ctl.command(Command::NewGame);
    EXPECT_FALSE(window.isRunning(Timer::Evaluation));
    EXPECT_EQ(flow().sequenceStep, 0);
    EXPECT_EQ(state.board[9], kEmpty);
    EXPECT_FALSE(flow().moveBusy);
}

// --- hovering -------------------------------------------------------------------------

TEST_F(FreeGame, HoverShowsTheShortestLoopThroughTheCell)
{
    ctl.StartFreeGame();
    setItems({40, 47});
    place(0, 4);
    place(1, 5);
    place(8, 3);
    place(9, 2);
    ctl.cellHovered(9);
    EXPECT_EQ(window.loopLengthText, "最小ループ長：4");
    ctl.cellHovered(30);
    EXPECT_EQ(window.loopLengthText, "最小ループ長：0");
    // The same cell again shows nothing new until a move asks for a refresh.
    window.loopLengthText.clear();
    ctl.cellHovered(30);
    EXPECT_EQ(window.loopLengthText, "");
    placeDealt(60);
    ctl.cellHovered(30);
    EXPECT_EQ(window.loopLengthText, "最小ループ長：0");
}

} // namespace
} // namespace tavrin::game::testing
