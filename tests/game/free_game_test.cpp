// Whole free games through a scripted front end: start, moves, discards, chains,
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

class FreeGamePlay : public FlowTest {
protected:
    // The game is over: the F2 hint, no music, and no piece offered any more.
    void expectOver()
    {
        EXPECT_EQ(status(), "新規ゲームで遊ぶにはF2キーを押してください。");
        EXPECT_FALSE(freeGame().active());
        EXPECT_FALSE(front.playing(Music::FreeGame));
        EXPECT_EQ(freeGame().offeredPiece(), -1);
        EXPECT_EQ(front.drawingCount(Drawing::Kind::EmptyPanel), 1);
        const Board board = state.board;
        const int moves = state.movesUsed;
        click(5);
        trash();
        EXPECT_EQ(state.board, board);
        EXPECT_EQ(state.movesUsed, moves);
    }
};

TEST_F(FreeGamePlay, StartSetsTheBoardFramesAndFirstPiece)
{
    // What the last game left in the frames.
    for (const ScoreFrame f : {ScoreFrame::Eco, ScoreFrame::MovesLeft, ScoreFrame::Loop, ScoreFrame::Chain}) {
        ctl.screen().setFrameValue(f, "7");
    }
    ctl.screen().setFrameCaption(ScoreFrame::MovesLeft, "総合得点");
    ctl.screen().setFrameVisible(ScoreFrame::MovesLeft, false);
    ctl.setItemKindCount(4);
    start();

    EXPECT_TRUE(freeGame().active());
    EXPECT_FALSE(freeGame().busy());
    EXPECT_EQ(state.movesUsed, 0);
    EXPECT_EQ(state.itemCount, 4);
    EXPECT_EQ(frame(ScoreFrame::Eco), "0");
    EXPECT_EQ(frame(ScoreFrame::MovesLeft), "100");
    EXPECT_EQ(frame(ScoreFrame::Loop), "0");
    EXPECT_EQ(frame(ScoreFrame::Chain), "");
    EXPECT_EQ(screen().frame(ScoreFrame::MovesLeft).caption.japanese(), "残り手数");
    EXPECT_TRUE(screen().frame(ScoreFrame::MovesLeft).visible);
    EXPECT_EQ(status(), "水、新芽、太陽をハイパーロードでつないで全ての地域を緑化してください。");
    EXPECT_EQ(front.drawingCount(Drawing::Kind::Everything), 1);
    EXPECT_EQ(keeper.resets, 1);

    int items = 0;
    for (int c = 0; c < kCellCount; ++c) {
        EXPECT_EQ(state.board[c], kEmpty);
        EXPECT_EQ(state.greenStamp[c], -1);
        items += state.cellItem[c] >= 0 ? 1 : 0;
    }
    EXPECT_EQ(items, 4);
    for (int e = 0; e < 4; ++e) {
        EXPECT_GE(state.cellItem[state.itemCells[e]], 0);
    }
    EXPECT_TRUE(isPiece(freeGame().offeredPiece()));
    ASSERT_FALSE(front.tiles().empty());
    const TileDraw panel = front.tiles().back();
    EXPECT_EQ(panel.target, TileTarget::OfferedPiece);
    EXPECT_EQ(panel.piece, freeGame().offeredPiece());
    EXPECT_EQ(panel.oldPiece, -1);
    EXPECT_EQ(screen().trash, 0);
    // The free-game music starts from its beginning and repeats.
    EXPECT_EQ(front.piece(Music::FreeGame).starts, 1);
    EXPECT_TRUE(front.piece(Music::FreeGame).repeats);
}

TEST_F(FreeGamePlay, ASeedReplaysItsGame)
{
    auto play = [this](std::uint64_t seed) {
        input([&] { ctl.startFreeGameFromSeed(seed); });
        std::vector<int> seen(state.itemCells.begin(), state.itemCells.end());
        for (int move = 0; move < 12; ++move) {
            seen.push_back(freeGame().offeredPiece());
            if (move % 5 == 4) {
                discardDealt();
            } else {
                placeDealt(move);
            }
        }
        return seen;
    };
    const std::vector<int> first = play(5);
    play(6);
    EXPECT_EQ(play(5), first);
    EXPECT_NE(play(6), first);
}

TEST_F(FreeGamePlay, ConsecutiveOffersAlwaysDiffer)
{
    start();
    int previous = freeGame().offeredPiece();
    for (int move = 0; move < 60; ++move) {
        placeDealt(move % 64);
        ASSERT_FALSE(freeGame().busy());
        ASSERT_NE(freeGame().offeredPiece(), previous);
        ASSERT_TRUE(isPiece(freeGame().offeredPiece()));
        previous = freeGame().offeredPiece();
    }
}

// --- placing ----------------------------------------------------------------------

TEST_F(FreeGamePlay, SameShapeOnItselfIsRefusedAndCostsNothing)
{
    start();
    place(10, 3);
    ASSERT_EQ(state.board[10], 3);
    ASSERT_EQ(state.movesUsed, 1);

    freeGame().setOfferedPiece(3);
    click(10);
    EXPECT_EQ(status(), "同じ形のﾊｲﾊﾟｰﾛｰﾄﾞは重ねて設置できません。");
    EXPECT_EQ(state.movesUsed, 1);
    EXPECT_FALSE(freeGame().busy());
    EXPECT_FALSE(output.timerOn(Timer::Evaluation));

    // A different shape overwrites and costs a move.
    place(10, 4);
    EXPECT_EQ(state.board[10], 4);
    EXPECT_EQ(state.movesUsed, 2);
}

TEST_F(FreeGamePlay, BoardFullOfTheOfferedShapeAcceptsIt)
{
    start();
    for (int c = 0; c < kCellCount; ++c) {
        state.board[c] = 1;
    }
    freeGame().setOfferedPiece(1);
    click(5);
    EXPECT_TRUE(output.timerOn(Timer::Evaluation));
    EXPECT_EQ(state.movesUsed, 1);
}

TEST_F(FreeGamePlay, PlacementSequenceDrawsFourFramesThenDeals)
{
    start();
    freeGame().setOfferedPiece(7);
    front.clearRecords();
    click(20);
    EXPECT_TRUE(freeGame().busy());
    // Clicks during the sequence are dropped.
    click(21);
    trash();
    EXPECT_EQ(state.board[21], kEmpty);
    EXPECT_EQ(state.movesUsed, 1);

    for (int step = 0; step < 4; ++step) {
        tick(Timer::Evaluation);
        const TileDraw t = front.tiles().back();
        if (step < 3) {
            EXPECT_EQ(t.target, TileTarget::BoardCell);
            EXPECT_EQ(t.index, 20);
            EXPECT_EQ(t.piece, 7);
            EXPECT_EQ(t.oldPiece, -1);
            EXPECT_EQ(t.step, step);
            EXPECT_TRUE(t.withItem);
        }
    }
    EXPECT_FALSE(output.timerOn(Timer::Evaluation));
    EXPECT_FALSE(freeGame().busy());
    EXPECT_EQ(flow().sequenceStep, 0);
    // One click sound on the first frame, then the next piece on the panel.
    EXPECT_EQ(front.sounds, std::vector<Sound>{Sound::Click});
    EXPECT_EQ(front.tiles().back().target, TileTarget::OfferedPiece);
    EXPECT_EQ(front.tiles().back().oldPiece, 7);
    EXPECT_EQ(frame(ScoreFrame::MovesLeft), "99");
}

TEST_F(FreeGamePlay, ClickAfterTheGameEndedDoesNothing)
{
    start();
    input([&] { ctl.endGame(); });
    freeGame().setOfferedPiece(2);
    click(3);
    trash();
    EXPECT_EQ(state.board[3], kEmpty);
    EXPECT_EQ(state.movesUsed, 0);
}

// --- discards -----------------------------------------------------------------------

TEST_F(FreeGamePlay, DiscardShowsTheChangeThenAPlainNumber)
{
    start();
    for (int i = 0; i < 5; ++i) {
        placeDealt(i);
    }
    ASSERT_EQ(frame(ScoreFrame::MovesLeft), "95");
    front.clearRecords();
    trash();
    EXPECT_EQ(frame(ScoreFrame::MovesLeft), "95-1");
    EXPECT_EQ(front.sounds, std::vector<Sound>{Sound::Trash});
    EXPECT_TRUE(freeGame().busy());
    tick(Timer::AfterDiscard);
    EXPECT_EQ(frame(ScoreFrame::MovesLeft), "94");
    EXPECT_FALSE(freeGame().busy());
    EXPECT_FALSE(output.timerOn(Timer::AfterDiscard));
    EXPECT_EQ(screen().trash, 1);
}

TEST_F(FreeGamePlay, DiscardWindowOverElevenDeals)
{
    int offeredAgainAtEleven = 0;
    for (std::uint64_t seed = 1; seed <= 80; ++seed) {
        input([&] { ctl.startFreeGameFromSeed(seed); });
        const int thrown = freeGame().offeredPiece();
        discardDealt();
        ASSERT_EQ(state.movesUsed, 1);
        ASSERT_EQ(state.discardCount, 1);
        // Deals 1 .. 10 after the discard never offer the thrown shape.
        for (int deal = 1; deal <= 10; ++deal) {
            ASSERT_NE(freeGame().offeredPiece(), thrown) << "seed " << seed << " deal " << deal;
            ASSERT_EQ(screen().trash, deal <= 9 ? 1 : 0) << "deal " << deal;
            const int usedBefore = state.movesUsed;
            const int maxBefore = state.maxMovesUsed;
            placeDealt(deal);
            // The shape sits in the oldest slot during the ninth deal: that
            // placement is free.
            if (deal == 9) {
                EXPECT_EQ(state.movesUsed, usedBefore);
                EXPECT_EQ(state.maxMovesUsed, maxBefore);
            } else {
                EXPECT_EQ(state.movesUsed, usedBefore + 1);
            }
        }
        EXPECT_EQ(state.discardCount, 0);
        offeredAgainAtEleven += freeGame().offeredPiece() == thrown ? 1 : 0;
    }
    // From the eleventh deal on the shape may come again.
    EXPECT_GT(offeredAgainAtEleven, 0);
}

TEST_F(FreeGamePlay, FreeDiscardStillRaisesTheHighestMoveCount)
{
    start();
    discardDealt();
    for (int deal = 1; deal <= 8; ++deal) {
        placeDealt(deal);
    }
    ASSERT_TRUE(freeGame().nextMoveFree());
    const int used = state.movesUsed;
    trash();
    EXPECT_EQ(state.movesUsed, used);
    EXPECT_EQ(state.maxMovesUsed, used + 1);
    tick(Timer::AfterDiscard);
    EXPECT_EQ(state.discardCount, 1); // the new discard, the old one aged out
}

// --- chains that return moves ---------------------------------------------------------

TEST_F(FreeGamePlay, ChainOfFiveGivesOneMoveBackWithTheJingle)
{
    start({0, 1});
    // Crosses along row 0: from the second on every move greens a cell.
    for (int c = 0; c <= 5; ++c) {
        place(c, 10);
    }
    ASSERT_EQ(state.scoreChain, 5);
    ASSERT_EQ(state.movesUsed, 6);
    ASSERT_EQ(frame(ScoreFrame::Chain), "5");

    front.clearRecords();
    freeGame().setOfferedPiece(10);
    click(40); // apart from the group: nothing scores
    EXPECT_EQ(status(), "残り手数が1手戻されました！");
    EXPECT_EQ(state.movesUsed, 6);
    EXPECT_EQ(frame(ScoreFrame::Chain), "5-5");
    runEvaluation();
    // The jingle instead of the click, and the text goes with the sequence.
    EXPECT_EQ(front.sounds, std::vector<Sound>{Sound::Jingle});
    EXPECT_EQ(status(), "");
    EXPECT_EQ(frame(ScoreFrame::Chain), "");
    EXPECT_EQ(frame(ScoreFrame::MovesLeft), "94");
}

TEST_F(FreeGamePlay, ChainOfTenGivesTwoMovesBack)
{
    start({0, 1});
    for (int c = 0; c <= 10; ++c) {
        place(c, 10);
    }
    ASSERT_EQ(state.scoreChain, 10);
    ASSERT_EQ(state.movesUsed, 11);
    freeGame().setOfferedPiece(1);
    click(50);
    EXPECT_EQ(status(), "残り手数が2手戻されました！");
    EXPECT_EQ(state.movesUsed, 10);
    EXPECT_EQ(frame(ScoreFrame::MovesLeft), "89+1");
    runEvaluation();
    EXPECT_EQ(frame(ScoreFrame::MovesLeft), "90");
}

// --- the end of a game -----------------------------------------------------------------

TEST_F(FreeGamePlay, PlayedToTheGoal)
{
    start({0, 1});
    // Crosses in cell order: every one joins the group of the items.
    for (int c = 0; c < kCellCount - 1; ++c) {
        place(c, 10);
        ASSERT_FALSE(freeGame().busy()) << c;
    }
    EXPECT_TRUE(front.boxes.empty());
    place(63, 10);

    // Cells 0 and 1 turned green at move 2 (98 each), cell k at move k + 1
    // (99 - k): 196 + (36 + ... + 97) = 4319. A full board of crosses closes
    // the 49 unit squares: 49 * 16 = 784. No discards: bonus 1000.
    ASSERT_EQ(front.boxes.size(), 1U);
    const Box& box = front.boxes[0];
    EXPECT_EQ(box.text.japanese(),
              "目標は達成されました。\n\nエコ点：\t\t4319\nループ点：\t\t784\nボーナス点：\t1000\n総合得点：\t\t6103");
    EXPECT_EQ(box.title.japanese(), "Tavrin for Windows");
    EXPECT_EQ(box.icon, Icon::Information);
    EXPECT_EQ(screen().frame(ScoreFrame::MovesLeft).caption.japanese(), "総合得点");
    EXPECT_EQ(frame(ScoreFrame::MovesLeft), "6103");
    ASSERT_EQ(keeper.free.size(), 1U);
    EXPECT_EQ(keeper.free[0].total, 6103);
    EXPECT_EQ(keeper.free[0].itemCount, 2);
    expectOver();
}

TEST_F(FreeGamePlay, LastMoveByAPlacementSaysTimeUpThenEndsTheGame)
{
    start();
    for (int move = 0; move < 99; ++move) {
        placeDealt(27); // every new offer differs from the piece lying there
    }
    ASSERT_EQ(state.movesUsed, 99);
    ASSERT_TRUE(front.boxes.empty());
    placeDealt(27);
    ASSERT_EQ(front.boxes.size(), 1U);
    EXPECT_EQ(front.boxes[0].text.japanese(),
              "100手以内で目標を達成することができませんでした。\n今回の得点はハイスコアの対象になりません。");
    EXPECT_EQ(front.boxes[0].icon, Icon::None);
    EXPECT_TRUE(front.boxes[0].title.empty());
    EXPECT_TRUE(keeper.free.empty());
    EXPECT_EQ(frame(ScoreFrame::MovesLeft), "0");
    expectOver();
}

TEST_F(FreeGamePlay, LastMoveByADiscardSaysTooBadThenEndsTheGame)
{
    start();
    for (int move = 0; move < 99; ++move) {
        placeDealt(27);
    }
    discardDealt();
    ASSERT_EQ(front.boxes.size(), 1U);
    EXPECT_EQ(front.boxes[0].text.japanese(),
              "残念！100手以内で全てのハイパーロードをつなげることができませんでした。\n"
              "今回の得点は残念ですが、ハイスコアの対象になりません。");
    EXPECT_EQ(front.boxes[0].icon, Icon::Information);
    EXPECT_TRUE(keeper.free.empty());
    expectOver();
    // A new game starts afresh.
    command(Command::NewGame);
    EXPECT_FALSE(freeGame().busy());
    EXPECT_TRUE(isPiece(freeGame().offeredPiece()));
    EXPECT_EQ(state.movesUsed, 0);
    EXPECT_EQ(frame(ScoreFrame::MovesLeft), "100");
}

TEST_F(FreeGamePlay, FullBoardNotAllGreenPlaysOnWhileMovesAreLeft)
{
    // Without items no cell turns green: a full board of one group is not the goal.
    for (const int used : {50, 99}) {
        SCOPED_TRACE(used);
        front.clearRecords();
        start({});
        for (int c = 0; c < kCellCount; ++c) {
            state.board[c] = c == 9 ? kEmpty : 10;
        }
        state.movesUsed = static_cast<std::int16_t>(used);
        place(9, 5);
        ASSERT_EQ(freeGame().turnResult(), TurnResult::kFullNotGreen);
        if (used < 99) {
            EXPECT_TRUE(front.boxes.empty());
            EXPECT_TRUE(freeGame().active());
            EXPECT_FALSE(freeGame().busy());
            EXPECT_TRUE(isPiece(freeGame().offeredPiece()));
        } else {
            ASSERT_EQ(front.boxes.size(), 1U);
            EXPECT_EQ(front.boxes[0].text, placementTimeUpText());
            EXPECT_FALSE(freeGame().active());
            EXPECT_EQ(status(), "新規ゲームで遊ぶにはF2キーを押してください。");
        }
    }
}

TEST_F(FreeGamePlay, NewGameDuringASequenceDropsTheOldMove)
{
    start();
    freeGame().setOfferedPiece(5);
    click(9);
    tick(Timer::Evaluation);
    command(Command::NewGame);
    EXPECT_FALSE(output.timerOn(Timer::Evaluation));
    EXPECT_EQ(flow().sequenceStep, 0);
    EXPECT_EQ(state.board[9], kEmpty);
    EXPECT_FALSE(freeGame().busy());
}

// --- the pointer ------------------------------------------------------------------------

TEST_F(FreeGamePlay, LoopLabelShowsTheShortestLoopUnderThePointerAndFollowsMoves)
{
    start({40, 47});
    auto hover = [this](int cell) { input([&] { ctl.cellHovered(cell); }); };
    auto label = [this] { return screen().loopLength.japanese(); };
    hover(9);
    place(0, 4);
    place(1, 5);
    place(8, 3);
    EXPECT_EQ(label(), "最小ループ長：0");
    place(9, 2); // closes a ring of four under the resting pointer
    EXPECT_EQ(label(), "最小ループ長：4");
    hover(30);
    EXPECT_EQ(label(), "最小ループ長：0");
    hover(1);
    EXPECT_EQ(label(), "最小ループ長：4");
}

} // namespace
} // namespace tavrin::game::testing
