// Series play through the fake window: a full-connection and a big-loop
// puzzle with misses and take-backs, the end of the series and its score.
#include "tests/game/flow_fixture.h"

namespace tavrin::game::testing {
namespace {

class Series : public FlowTest {
protected:
    void SetUp() override
    {
        ctl.StartFreeGame();
        setItems({3, 44});
        place(12, 6);
        place(13, 0);
        savedBoard = state.board;
        savedItems = state.cellItem;
        savedGreen = state.greenStamp;
        savedOffered = flow().offeredPiece;
        savedMoves = state.movesUsed;

        state.puzzleCount = 2;
        // Puzzle 0, full connection: two horizontal straights with a gap at cell 1.
        Puzzle& p0 = state.puzzles[0];
        p0 = newPuzzle();
        p0.mode = kFullConnection;
        p0.comment = fitComment("つなげよう");
        p0.cells[0] = 0;
        p0.cells[2] = 0;
        // Puzzle 1, big loop: a ring of four (16 points) and three quarters of another.
        Puzzle& p1 = state.puzzles[1];
        p1 = newPuzzle();
        p1.mode = kBigLoop;
        p1.comment = fitComment("輪を作ろう");
        p1.cells[0] = 4;
        p1.cells[1] = 5;
        p1.cells[8] = 3;
        p1.cells[9] = 2;
        p1.cells[3] = 4;
        p1.cells[4] = 5;
        p1.cells[11] = 3;
        window.clearRecords();
    }

    // Selects the shape the palette offers (a full-connection puzzle enables one).
    void selectOffered()
    {
        for (int e = 0; e < kPieceKinds; ++e) {
            if (window.paletteEnabled[e] && window.paletteBorder[e]) {
                ctl.palettePressed(e, 0);
                return;
            }
        }
        FAIL() << "no shape offered";
    }

    Board savedBoard{};
    std::array<std::int16_t, kBoardSlots> savedItems{};
    std::array<std::int16_t, kBoardSlots> savedGreen{};
    int savedOffered = -1;
    int savedMoves = 0;
};

bool joinsLeftAndRight(int shape) { return shape == 0 || shape == 6 || shape == 8 || shape == 10; }

TEST_F(Series, FullConnectionThenBigLoopWithMissesAndTakeBacks)
{
    ctl.StartSeries("/tmp/puzzles/set.kem");
    EXPECT_TRUE(state.puzzleSeries);
    EXPECT_EQ(state.puzzleIndex, 0);
    EXPECT_EQ(window.status, "全てのハイパーロードがつながるようにしてください。");
    EXPECT_EQ(window.comment, "つなげよう");
    EXPECT_TRUE(window.commentVisible);
    EXPECT_TRUE(window.commentReadOnly);
    EXPECT_FALSE(window.panels[Panel::FreeGame]);
    EXPECT_TRUE(window.panels[Panel::Palette]);
    EXPECT_FALSE(window.spinnerShown);
    EXPECT_FALSE(window.command(Command::NewGame).enabled);
    EXPECT_FALSE(window.command(Command::Open).enabled);
    EXPECT_FALSE(window.command(Command::EditMode).enabled);
    EXPECT_FALSE(window.command(Command::EcoMode).enabled);
    EXPECT_TRUE(window.command(Command::FullConnection).checked);
    EXPECT_FALSE(window.command(Command::BigLoop).enabled);
    EXPECT_EQ(window.command(Command::Exit).caption, "中断(&P)");
    EXPECT_EQ(window.device(Device::SeriesMusic).mode, DeviceMode::Playing);
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Stopped);
    EXPECT_EQ(state.board[0], 0);
    EXPECT_EQ(state.board[2], 0);
    EXPECT_EQ(state.board[12], kEmpty);

    // Exactly one shape enabled and bordered.
    int enabled = 0;
    for (int e = 0; e < kPieceKinds; ++e) {
        enabled += window.paletteEnabled[e] ? 1 : 0;
    }
    EXPECT_EQ(enabled, 1);
    // A disabled entry cannot be chosen.
    const int offered = state.selectedShape;
    ctl.palettePressed(offered == 1 ? 2 : 1, 0);
    EXPECT_EQ(state.selectedShape, offered);
    // Nor the eraser: removing a straight would leave one group and clear the puzzle.
    EXPECT_FALSE(window.paletteEnabled[kEraser]);
    ctl.palettePressed(kEraser, 0);
    EXPECT_EQ(state.selectedShape, offered);

    // Misses on cell 1 until a shape that joins both straights comes up.
    int misses = 0;
    while (!joinsLeftAndRight(state.selectedShape)) {
        selectOffered();
        const int shape = state.selectedShape;
        window.clearRecords();
        ctl.cellReleased(1);
        runEvaluation();
        ++misses;
        ASSERT_LT(misses, 50);
        EXPECT_EQ(state.board[1], shape); // the placement stays
        const int groups = 3 - (opensSide(shape, kLeft) ? 1 : 0) - (opensSide(shape, kRight) ? 1 : 0);
        EXPECT_EQ(window.status, "全てのハイパーロードをつなげてください。現在のグループ数：" + std::to_string(groups));
        EXPECT_EQ(window.soundCount(Device::Click), 1);
        EXPECT_NE(state.selectedShape, shape); // a new shape is offered
    }
    EXPECT_GT(misses, 0);
    EXPECT_EQ(flow().seriesMisses, misses);

    selectOffered();
    ctl.cellReleased(1);
    runEvaluation();
    EXPECT_EQ(window.status, "やった！クリアだ");
    EXPECT_TRUE(window.isRunning(Timer::StartUp));
    // The next puzzle comes with the after-clear tick.
    ctl.timerTick(Timer::StartUp);
    EXPECT_EQ(state.puzzleIndex, 1);
    EXPECT_EQ(window.status, "ループ点を増やしてください。");
    EXPECT_EQ(state.loopTarget, 16);
    EXPECT_TRUE(window.command(Command::BigLoop).checked);
    EXPECT_FALSE(window.command(Command::FullConnection).enabled);
    for (int e = 0; e <= kEraser; ++e) {
        EXPECT_TRUE(window.paletteEnabled[e]);
    }

    // A placement that does not raise the loop points is shown, then taken back.
    ctl.palettePressed(0, 0);
    window.clearRecords();
    ctl.cellReleased(12);
    EXPECT_EQ(state.board[12], 0);
    for (int i = 0; i < 4; ++i) {
        ctl.timerTick(Timer::Evaluation);
    }
    EXPECT_EQ(window.status, "ループ点を増やしてください。現在のループ点：16");
    EXPECT_EQ(state.board[12], kEmpty);
    EXPECT_TRUE(window.isRunning(Timer::Evaluation)); // the reverse sequence
    runEvaluation();
    EXPECT_EQ(window.soundCount(Device::Click), 1); // none for the take-back
    const TileDraw& last = window.tiles.back();
    EXPECT_EQ(last.index, 12);
    EXPECT_EQ(last.piece, -1);
    EXPECT_EQ(last.oldPiece, 0);
    EXPECT_FALSE(flow().reverseRun);
    EXPECT_FALSE(flow().quietRun);
    EXPECT_EQ(flow().seriesMisses, misses + 1);

    // Ctrl-click changes nothing.
    ctl.palettePressed(2, 2);
    EXPECT_EQ(state.selectedShape, 0);
    ctl.palettePressed(2, 0);
    ctl.cellReleased(12);
    runEvaluation();
    EXPECT_EQ(window.status, "やった！クリアだ");
    EXPECT_EQ(state.board[12], 2);

    // After the last puzzle: back to the free game, exactly as it was.
    ctl.timerTick(Timer::StartUp);
    EXPECT_FALSE(state.puzzleSeries);
    EXPECT_EQ(state.board, savedBoard);
    EXPECT_EQ(state.cellItem, savedItems);
    EXPECT_EQ(state.greenStamp, savedGreen);
    EXPECT_EQ(flow().offeredPiece, savedOffered);
    EXPECT_EQ(state.movesUsed, savedMoves);
    ASSERT_EQ(keeper.series.size(), 1U);
    EXPECT_EQ(keeper.series[0].misses, misses + 1);
    EXPECT_EQ(keeper.series[0].path, "/tmp/puzzles/set.kem");
    EXPECT_EQ(window.device(Device::SeriesMusic).mode, DeviceMode::Stopped);
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Playing);
    EXPECT_TRUE(window.panels[Panel::FreeGame]);
    EXPECT_FALSE(window.panels[Panel::Palette]);
    EXPECT_TRUE(window.command(Command::EcoMode).checked);
    EXPECT_TRUE(window.command(Command::NewGame).enabled);
    EXPECT_TRUE(window.command(Command::Open).enabled);
    EXPECT_TRUE(window.command(Command::EditMode).enabled);
    EXPECT_FALSE(window.commentVisible);
    EXPECT_TRUE(window.spinnerShown);
    EXPECT_EQ(window.command(Command::Exit).caption, "終了(&X)");
    EXPECT_EQ(window.status, "");
    // The resumed game plays on.
    placeDealt(30);
    EXPECT_EQ(state.movesUsed, savedMoves + 1);
}

TEST_F(Series, StartedFromTheCommandLineShowsTheResultAndEntersTheMissesBeforeTheProgramEnds)
{
    ctl.setLaunchedWithFile(true);
    ctl.StartSeries("/tmp/one.kem");
    EXPECT_NE(window.command(Command::Exit).caption, "中断(&P)");
    flow().seriesMisses = 4;
    window.clearRecords();
    state.puzzleIndex = 1; // the last puzzle was cleared
    ctl.timerTick(Timer::StartUp);
    EXPECT_TRUE(window.quit);
    ASSERT_EQ(window.boxes.size(), 1U);
    EXPECT_EQ(window.boxes[0].text, "全2問を解きました。ミスは4回でした。");
    EXPECT_EQ(window.boxes[0].icon, Icon::Information);
    ASSERT_EQ(keeper.series.size(), 1U);
    EXPECT_EQ(keeper.series[0].misses, 4);
    EXPECT_EQ(keeper.series[0].path, "/tmp/one.kem");
}

TEST_F(Series, InterruptReturnsToTheFreeGameAndDropsPendingTicks)
{
    ctl.StartSeries("/tmp/set.kem");
    selectOffered();
    ctl.cellReleased(40);
    ctl.timerTick(Timer::Evaluation);
    ctl.command(Command::Exit);
    EXPECT_FALSE(state.puzzleSeries);
    EXPECT_FALSE(window.quit);
    EXPECT_FALSE(window.isRunning(Timer::Evaluation));
    EXPECT_FALSE(window.isRunning(Timer::StartUp));
    EXPECT_TRUE(keeper.series.empty());
    EXPECT_EQ(state.board, savedBoard);
    EXPECT_EQ(window.device(Device::FreeMusic).mode, DeviceMode::Playing);
    EXPECT_EQ(window.device(Device::SeriesMusic).mode, DeviceMode::Stopped);
}

TEST_F(Series, ModeButtonsOnlyShowTheState)
{
    ctl.StartSeries("/tmp/set.kem");
    window.command(Command::FullConnection).checked = false;
    ctl.command(Command::FullConnection, Source::Toolbar);
    EXPECT_TRUE(window.command(Command::FullConnection).checked);
    EXPECT_EQ(state.puzzles[0].mode, kFullConnection);
    EXPECT_EQ(state.puzzles[1].mode, kBigLoop);
    // New Game is not available during a series.
    ctl.command(Command::NewGame, Source::Toolbar);
    EXPECT_TRUE(state.puzzleSeries);
}

TEST_F(Series, AMoveInProgressIsFinishedBeforeTheSeriesTakesTheBoard)
{
    // Back in the free game with a placement still in its sequence.
    flow().offeredPiece = 9;
    ctl.cellReleased(50);
    ctl.timerTick(Timer::Evaluation);
    ctl.StartSeries("/tmp/set.kem");
    EXPECT_EQ(state.boardSave[50], 9);
    EXPECT_FALSE(flow().moveBusy);
    ctl.command(Command::Exit);
    EXPECT_EQ(state.board[50], 9);
    placeDealt(51);
    EXPECT_NE(state.board[51], kEmpty);
}

TEST_F(Series, LoopLabelAndCaptionFollowTheBoardShown)
{
    state.puzzles[0] = state.puzzles[1]; // the big-loop puzzle: a ring through cell 9
    state.puzzleCount = 1;
    ctl.cellHovered(9);
    EXPECT_EQ(window.loopLengthText, "最小ループ長：0");
    ctl.StartSeries("/tmp/puzzles/ring.kem");
    window.caption = "ring - Tavrin for Windows[実行]";
    EXPECT_EQ(window.loopLengthText, "最小ループ長：4");
    ctl.command(Command::Exit); // interrupt: the free board has no loop
    EXPECT_FALSE(state.puzzleSeries);
    EXPECT_EQ(window.loopLengthText, "最小ループ長：0");
    EXPECT_EQ(window.caption, "Tavrin for Windows");
}

} // namespace
} // namespace tavrin::game::testing
