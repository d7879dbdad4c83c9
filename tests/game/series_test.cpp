// Series play through a scripted front end: a full-connection and a big-loop
// puzzle with misses and take-backs, the end of the series and its score.
#include "tests/game/flow_fixture.h"

namespace tavrin::game::testing {
namespace {

class Series : public FlowTest {
protected:
    void SetUp() override
    {
        start({3, 44});
        place(12, 6);
        place(13, 0);
        savedBoard = state.board;
        savedItems = state.cellItem;
        savedGreen = state.greenStamp;
        savedOffered = freeGame().offeredPiece();
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
        front.clearRecords();
    }

    void startSeries(const std::string& path) { input([&] { ctl.startSeries(path); }); }

    // Selects the shape the palette offers (a full-connection puzzle enables one).
    void selectOffered()
    {
        for (int e = 0; e < kPieceKinds; ++e) {
            const PaletteView& entry = screen().palette[static_cast<std::size_t>(e)];
            if (entry.enabled && entry.selected) {
                palette(e);
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
    startSeries("/tmp/puzzles/set.kem");
    EXPECT_TRUE(state.puzzleSeries);
    EXPECT_EQ(state.puzzleIndex, 0);
    EXPECT_EQ(status(), "全てのハイパーロードがつながるようにしてください。");
    EXPECT_EQ(screen().comment.text.japanese(), "つなげよう");
    EXPECT_TRUE(screen().comment.visible);
    EXPECT_TRUE(screen().comment.readOnly);
    EXPECT_FALSE(screen().panel(Panel::FreeGame));
    EXPECT_TRUE(screen().panel(Panel::Palette));
    EXPECT_FALSE(screen().spinner.visible);
    EXPECT_FALSE(enabled(Command::NewGame));
    EXPECT_FALSE(enabled(Command::Open));
    EXPECT_FALSE(enabled(Command::EditMode));
    EXPECT_FALSE(enabled(Command::EcoMode));
    EXPECT_TRUE(checked(Command::FullConnection));
    EXPECT_FALSE(enabled(Command::BigLoop));
    EXPECT_EQ(screen().command(Command::Exit).caption.japanese(), "中断(&P)");
    EXPECT_TRUE(front.playing(Music::Series));
    EXPECT_FALSE(front.playing(Music::FreeGame));
    EXPECT_EQ(state.board[0], 0);
    EXPECT_EQ(state.board[2], 0);
    EXPECT_EQ(state.board[12], kEmpty);

    // Exactly one shape enabled and selected.
    int offeredShapes = 0;
    for (int e = 0; e < kPieceKinds; ++e) {
        const PaletteView& entry = screen().palette[static_cast<std::size_t>(e)];
        offeredShapes += entry.enabled ? 1 : 0;
        EXPECT_EQ(entry.enabled, entry.selected);
    }
    EXPECT_EQ(offeredShapes, 1);
    // A disabled entry cannot be chosen.
    const int offered = state.selectedShape;
    palette(offered == 1 ? 2 : 1);
    EXPECT_EQ(state.selectedShape, offered);
    // Nor the eraser: removing a straight would leave one group and clear the puzzle.
    EXPECT_FALSE(screen().palette[kEraser].enabled);
    palette(kEraser);
    EXPECT_EQ(state.selectedShape, offered);

    // Misses on cell 1 until a shape that joins both straights comes up.
    int misses = 0;
    while (!joinsLeftAndRight(state.selectedShape)) {
        selectOffered();
        const int shape = state.selectedShape;
        front.clearRecords();
        click(1);
        runEvaluation();
        ++misses;
        ASSERT_LT(misses, 50);
        EXPECT_EQ(state.board[1], shape); // the placement stays
        const int groups = 3 - (opensSide(shape, kLeft) ? 1 : 0) - (opensSide(shape, kRight) ? 1 : 0);
        EXPECT_EQ(status(), "全てのハイパーロードをつなげてください。現在のグループ数：" + std::to_string(groups));
        EXPECT_EQ(front.sounds, std::vector<Sound>{Sound::Click});
        EXPECT_NE(state.selectedShape, shape); // a new shape is offered
    }
    EXPECT_GT(misses, 0);
    EXPECT_EQ(ctl.series().misses(), misses);

    selectOffered();
    click(1);
    runEvaluation();
    EXPECT_EQ(status(), "やった！クリアだ");
    EXPECT_TRUE(output.timerOn(Timer::StartUp));
    // The next puzzle comes with the after-clear tick.
    tick(Timer::StartUp);
    EXPECT_EQ(state.puzzleIndex, 1);
    EXPECT_EQ(status(), "ループ点を増やしてください。");
    EXPECT_EQ(state.loopTarget, 16);
    EXPECT_TRUE(checked(Command::BigLoop));
    EXPECT_FALSE(enabled(Command::FullConnection));
    for (const PaletteView& entry : screen().palette) {
        EXPECT_TRUE(entry.enabled);
    }

    // A placement that does not raise the loop points is shown, then taken back.
    palette(0);
    front.clearRecords();
    click(12);
    EXPECT_EQ(state.board[12], 0);
    for (int i = 0; i < 4; ++i) {
        tick(Timer::Evaluation);
    }
    EXPECT_EQ(status(), "ループ点を増やしてください。現在のループ点：16");
    EXPECT_EQ(state.board[12], kEmpty);
    EXPECT_TRUE(output.timerOn(Timer::Evaluation)); // the reverse sequence
    runEvaluation();
    EXPECT_EQ(front.sounds, std::vector<Sound>{Sound::Click}); // none for the take-back
    const TileDraw last = front.tiles().back();
    EXPECT_EQ(last.index, 12);
    EXPECT_EQ(last.piece, -1);
    EXPECT_EQ(last.oldPiece, 0);
    EXPECT_FALSE(flow().reverseRun);
    EXPECT_FALSE(flow().quietRun);
    EXPECT_EQ(ctl.series().misses(), misses + 1);

    // Ctrl-click changes nothing.
    palette(2, 2);
    EXPECT_EQ(state.selectedShape, 0);
    palette(2);
    click(12);
    runEvaluation();
    EXPECT_EQ(status(), "やった！クリアだ");
    EXPECT_EQ(state.board[12], 2);

    // After the last puzzle: back to the free game, exactly as it was.
    tick(Timer::StartUp);
    EXPECT_FALSE(state.puzzleSeries);
    EXPECT_EQ(state.board, savedBoard);
    EXPECT_EQ(state.cellItem, savedItems);
    EXPECT_EQ(state.greenStamp, savedGreen);
    EXPECT_EQ(freeGame().offeredPiece(), savedOffered);
    EXPECT_EQ(state.movesUsed, savedMoves);
    ASSERT_EQ(keeper.series.size(), 1U);
    EXPECT_EQ(keeper.series[0].misses, misses + 1);
    EXPECT_EQ(keeper.series[0].path, "/tmp/puzzles/set.kem");
    EXPECT_FALSE(front.playing(Music::Series));
    EXPECT_TRUE(front.playing(Music::FreeGame));
    EXPECT_TRUE(screen().panel(Panel::FreeGame));
    EXPECT_FALSE(screen().panel(Panel::Palette));
    EXPECT_TRUE(checked(Command::EcoMode));
    EXPECT_TRUE(enabled(Command::NewGame));
    EXPECT_TRUE(enabled(Command::Open));
    EXPECT_TRUE(enabled(Command::EditMode));
    EXPECT_FALSE(screen().comment.visible);
    EXPECT_TRUE(screen().spinner.visible);
    EXPECT_EQ(screen().command(Command::Exit).caption.japanese(), "終了(&X)");
    EXPECT_EQ(status(), "");
    // The resumed game plays on.
    placeDealt(30);
    EXPECT_EQ(state.movesUsed, savedMoves + 1);
}

TEST_F(Series, StartedFromTheCommandLineEndsWithItsResultAndEntryOverTheSeries)
{
    ctl.setLaunchedWithFile(true);
    startSeries("/tmp/one.kem");
    EXPECT_NE(screen().command(Command::Exit).caption.japanese(), "中断(&P)");
    // Four shapes laid apart from both straights: four misses.
    for (int miss = 0; miss < 4; ++miss) {
        selectOffered();
        click(40);
        runEvaluation();
    }
    front.clearRecords();
    state.puzzleIndex = 1; // the last puzzle was cleared
    tick(Timer::StartUp);
    ASSERT_EQ(front.boxes.size(), 1U);
    EXPECT_EQ(front.boxes[0].text.japanese(), "全2問を解きました。ミスは4回でした。");
    EXPECT_EQ(front.boxes[0].icon, Icon::Information);
    ASSERT_EQ(keeper.series.size(), 1U);
    EXPECT_EQ(keeper.series[0].misses, 4);
    EXPECT_EQ(keeper.series[0].path, "/tmp/one.kem");
    // The program ends from there: the free game never comes back on screen.
    EXPECT_EQ(front.actions, std::vector<Action>{Action::Quit});
    EXPECT_TRUE(state.puzzleSeries);
    EXPECT_FALSE(screen().panel(Panel::FreeGame));
    EXPECT_TRUE(front.playing(Music::Series));
}

TEST_F(Series, InterruptReturnsToTheFreeGameAndDropsPendingTicks)
{
    startSeries("/tmp/set.kem");
    selectOffered();
    click(40);
    tick(Timer::Evaluation);
    command(Command::Exit);
    EXPECT_FALSE(state.puzzleSeries);
    EXPECT_TRUE(front.actions.empty());
    EXPECT_FALSE(output.timerOn(Timer::Evaluation));
    EXPECT_FALSE(output.timerOn(Timer::StartUp));
    EXPECT_TRUE(keeper.series.empty());
    EXPECT_EQ(state.board, savedBoard);
    EXPECT_TRUE(front.playing(Music::FreeGame));
    EXPECT_FALSE(front.playing(Music::Series));
}

TEST_F(Series, ModeButtonsOnlyShowTheState)
{
    startSeries("/tmp/set.kem");
    ctl.screen().setCommandChecked(Command::FullConnection, false);
    command(Command::FullConnection, Source::Toolbar);
    EXPECT_TRUE(checked(Command::FullConnection));
    EXPECT_EQ(state.puzzles[0].mode, kFullConnection);
    EXPECT_EQ(state.puzzles[1].mode, kBigLoop);
    // New Game is not available during a series.
    command(Command::NewGame, Source::Toolbar);
    EXPECT_TRUE(state.puzzleSeries);
}

TEST_F(Series, AMoveInProgressIsFinishedBeforeTheSeriesTakesTheBoard)
{
    // Back in the free game with a placement still in its sequence.
    freeGame().setOfferedPiece(9);
    click(50);
    tick(Timer::Evaluation);
    startSeries("/tmp/set.kem");
    EXPECT_EQ(state.boardSave[50], 9);
    EXPECT_FALSE(freeGame().busy());
    command(Command::Exit);
    EXPECT_EQ(state.board[50], 9);
    placeDealt(51);
    EXPECT_NE(state.board[51], kEmpty);
}

TEST_F(Series, LoopLabelAndCaptionFollowTheBoardShown)
{
    state.puzzles[0] = state.puzzles[1]; // the big-loop puzzle: a ring through cell 9
    state.puzzleCount = 1;
    input([&] { ctl.cellHovered(9); });
    EXPECT_EQ(screen().loopLength.japanese(), "最小ループ長：0");
    ctl.screen().setCaption("ring - Tavrin for Windows[実行]");
    startSeries("/tmp/puzzles/ring.kem");
    EXPECT_EQ(screen().loopLength.japanese(), "最小ループ長：4");
    command(Command::Exit); // interrupt: the free board has no loop
    EXPECT_FALSE(state.puzzleSeries);
    EXPECT_EQ(screen().loopLength.japanese(), "最小ループ長：0");
    EXPECT_EQ(screen().caption.japanese(), "Tavrin for Windows");
}

} // namespace
} // namespace tavrin::game::testing
