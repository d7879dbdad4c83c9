// One run of the game through the session, as either window drives it: a
// game-ending move that no interruption lets be played again, a series from
// the command line that ends with its result and entry, the series frames,
// and the generated series shown in the player's language.
#include "game/session.h"

#include "engine/scoring.h"
#include "game/flow_texts.h"
#include "game/saved_game_file.h"
#include "game/series_texts.h"
#include "puzzles/game_series.h"
#include "scores/high_score_texts.h"
#include "tests/game/fake_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tavrin::game::testing {
namespace {

class FakePlatform : public Platform {
public:
    std::vector<HighScoreView> shown;
    std::vector<Command> commands;
    std::function<void()> beforeWindow;
    ScoreDate date{2026, 12, 9};

    bool showHighScoreWindow(const HighScoreView& view) override
    {
        if (beforeWindow) {
            beforeWindow();
        }
        shown.push_back(view);
        return true;
    }
    void platformCommand(Command command) override { commands.push_back(command); }
    ScoreDate today() const override { return date; }
};

// What a run of the program left behind: its settings and its kept game.
struct Disk {
    MemorySettingsStore settings;
    MemoryGameStore store;
};

// One start of the program on `disk`.
struct Program {
    explicit Program(Disk& disk, std::uint64_t seed = 7, SessionOptions options = {})
        : random(seed), session(state, window, platform, disk.settings, &disk.store, random, std::move(options))
    {
    }

    GameController& ctl() { return session.controller(); }

    void startUp()
    {
        session.start();
        ctl().timerTick(Timer::StartUp);
    }

    void runTimers()
    {
        for (int guard = 0; guard < 100 && window.isRunning(Timer::Evaluation); ++guard) {
            ctl().timerTick(Timer::Evaluation);
        }
        if (window.isRunning(Timer::AfterDiscard)) {
            ctl().timerTick(Timer::AfterDiscard);
        }
    }

    void place(int cell, int piece)
    {
        ctl().flow().offeredPiece = static_cast<std::int16_t>(piece);
        ctl().cellReleased(cell);
        runTimers();
    }

    void setItems(const std::vector<int>& cells)
    {
        state.cellItem.fill(-1);
        state.itemCount = static_cast<std::int16_t>(cells.size());
        for (std::size_t e = 0; e < cells.size(); ++e) {
            state.itemCells[e] = static_cast<std::int16_t>(cells[e]);
            state.cellItem[static_cast<std::size_t>(cells[e])] = static_cast<std::int16_t>(e);
        }
    }

    GameState state;
    FakeWindow window;
    FakePlatform platform;
    RandomSource random;
    Session session;
};

int entriesIn(const HighScores& scores, int table)
{
    int n = 0;
    for (int place = 0; place < kScorePlaces; ++place) {
        n += scores.freeNames(table, place) != kNoName ? 1 : 0;
    }
    return n;
}

// Starts again from what was on disk when a box was up: a fresh game, and
// at most the one entry the finished game made.
void expectNoReplayFrom(const Disk& snapshot, const std::string& box)
{
    SCOPED_TRACE(box);
    Disk disk = snapshot;
    EXPECT_FALSE(disk.store.kept());
    Program next(disk);
    next.ctl().setItemKindCount(2);
    next.startUp();
    EXPECT_TRUE(next.ctl().flow().freeGameActive);
    EXPECT_EQ(next.state.movesUsed, 0);
    for (int c = 0; c < kCellCount; ++c) {
        EXPECT_EQ(next.state.board[c], kEmpty);
    }
    EXPECT_LE(entriesIn(next.session.highScores(), 1), 1);
}

TEST(Session, AGoalReachedLeavesNoGameToReplayAtAnyOfItsBoxes)
{
    Disk disk;
    Program run(disk);
    run.ctl().setItemKindCount(2);
    run.startUp();
    run.setItems({0, 1});
    run.session.saveGameNow();
    ASSERT_TRUE(disk.store.kept());

    std::vector<std::pair<std::string, Disk>> snapshots;
    auto snapshot = [&](const std::string& box) {
        run.session.saveGameNow(); // the desktop logging out while the box is up
        snapshots.emplace_back(box, disk);
    };
    run.window.beforeBox = [&] { snapshot(run.window.boxes.empty() ? "result box" : "name prompt"); };
    run.platform.beforeWindow = [&] { snapshot("high-score window"); };
    run.window.inputs = {std::string("Tester")};
    for (int c = 0; c < kCellCount; ++c) {
        run.place(c, 10);
    }
    ASSERT_EQ(run.window.boxes.size(), 1U);
    ASSERT_EQ(run.window.asked.size(), 1U);
    ASSERT_EQ(run.platform.shown.size(), 1U);
    ASSERT_EQ(snapshots.size(), 3U);
    EXPECT_EQ(snapshots[0].first, "result box");
    EXPECT_EQ(snapshots[1].first, "name prompt");
    for (const auto& [box, saved] : snapshots) {
        expectNoReplayFrom(saved, box);
    }
    EXPECT_EQ(entriesIn(run.session.highScores(), 1), 1);
}

TEST(Session, MovesRunningOutLeaveNoGameToReplayAtTheTimeUpBox)
{
    for (const bool byDiscard : {false, true}) {
        SCOPED_TRACE(byDiscard ? "discard" : "placement");
        Disk disk;
        Program run(disk);
        run.ctl().setItemKindCount(2);
        run.startUp();
        run.state.movesUsed = 99;
        run.state.maxMovesUsed = 99;
        run.session.saveGameNow();
        ASSERT_TRUE(decodeSavedGame(disk.store.bytes()).game);
        std::vector<Disk> snapshots;
        run.window.beforeBox = [&] {
            run.session.saveGameNow();
            snapshots.push_back(disk);
        };
        if (byDiscard) {
            run.ctl().trashReleased();
            run.runTimers();
        } else {
            run.place(20, run.ctl().flow().offeredPiece);
        }
        ASSERT_EQ(snapshots.size(), 1U);
        expectNoReplayFrom(snapshots[0], "time-up box");
    }
}

TEST(Session, ASeriesFromTheCommandLineEndsWithItsResultAndEntry)
{
    Disk disk;
    SessionOptions options;
    options.commandLineFile = TAVRIN_TEST_DATA "/two.kem";
    Program run(disk, 7, options);
    run.startUp();
    ASSERT_TRUE(run.state.puzzleSeries);
    EXPECT_TRUE(run.ctl().flow().launchedWithFile);
    EXPECT_EQ(run.window.caption, "two - Tavrin for Windows[実行]");
    run.ctl().flow().seriesMisses = 3;
    run.window.inputs = {std::string("Tester")};
    run.state.puzzleIndex = 1; // the last puzzle was cleared
    run.ctl().timerTick(Timer::StartUp);

    ASSERT_EQ(run.window.boxes.size(), 1U);
    EXPECT_EQ(run.window.boxes[0].text, seriesResultText(2, 3).japanese());
    EXPECT_EQ(run.window.boxes[0].text, "全2問を解きました。ミスは3回でした。");
    ASSERT_EQ(run.window.asked.size(), 1U);
    EXPECT_EQ(run.window.asked[0].prompt, "あなたは\"two\"での1位になりました。\n名前を入力してください。");
    ASSERT_EQ(run.platform.shown.size(), 1U);
    EXPECT_EQ(run.platform.shown[0].rows[0].score, "3");
    EXPECT_EQ(run.platform.shown[0].note, Text(kSeriesTableNote));
    const std::string section = seriesSection(TAVRIN_TEST_DATA "/two.kem");
    EXPECT_EQ(disk.settings.get(section, "Score1", "?"), "3");
    EXPECT_EQ(disk.settings.get(section, "Name1", "?"), "Tester");
    EXPECT_TRUE(run.window.quit);
}

TEST(Session, SeriesFramesShowTheCountAndGiveTheFreeGameItsOwnBack)
{
    Disk disk;
    Program run(disk);
    run.startUp();
    run.place(20, 3);
    const auto freeLabels = run.window.labels;
    const auto freeCaptions = run.window.frameCaptions;

    ASSERT_TRUE(run.session.openPuzzleFile(TAVRIN_TEST_DATA "/two.kem"));
    // Puzzle 1 joins every road: number and count, misses, groups.
    EXPECT_EQ(run.window.frameCaptions[0], "問題");
    EXPECT_EQ(run.window.label(ScoreLabel::Eco), "1/2");
    EXPECT_EQ(run.window.frameCaptions[1], "ミス");
    EXPECT_EQ(run.window.label(ScoreLabel::MovesLeft), "0");
    EXPECT_EQ(run.window.frameCaptions[2], "グループ数");
    const std::string groupsBefore = run.window.label(ScoreLabel::Loop);
    EXPECT_EQ(groupsBefore, std::to_string(run.state.groupCount));
    EXPECT_FALSE(run.window.frameVisible[3]);

    // A lonely piece in the corner makes one more group: a miss.
    run.ctl().cellReleased(56);
    run.runTimers();
    EXPECT_EQ(run.window.label(ScoreLabel::MovesLeft), "1");
    EXPECT_EQ(run.window.label(ScoreLabel::Loop), std::to_string(run.state.groupCount));

    // Puzzle 2 raises the loop points: the points to beat and the board's.
    run.state.puzzleIndex = 0;
    run.ctl().NextPuzzle();
    EXPECT_EQ(run.window.label(ScoreLabel::Eco), "2/2");
    EXPECT_EQ(run.window.label(ScoreLabel::MovesLeft), "1");
    EXPECT_EQ(run.window.frameCaptions[2], "ループ点");
    EXPECT_TRUE(run.window.frameVisible[3]);
    EXPECT_EQ(run.window.frameCaptions[3], "超える点");
    EXPECT_EQ(run.window.label(ScoreLabel::Chain), std::to_string(run.state.loopTarget));
    EXPECT_EQ(run.window.label(ScoreLabel::Loop), std::to_string(run.state.loopTarget));

    run.ctl().command(Command::Exit); // interrupt
    EXPECT_FALSE(run.state.puzzleSeries);
    EXPECT_EQ(run.window.labels, freeLabels);
    EXPECT_EQ(run.window.frameCaptions, freeCaptions);
    EXPECT_TRUE(run.window.frameVisible[3]);
}

// Marks every text of ours, so that a test can see what the window would
// translate and what it would show as data.
std::string marked(const Text& text)
{
    return text.render([](const Phrase& phrase) { return std::string("<") + phrase.source + ">"; });
}

TEST(Session, GeneratedSeriesAreShownInThePlayersLanguageAndKeptUnderTheirStoredName)
{
    Disk disk;
    Program run(disk);
    run.startUp();
    run.session.shellCommand(Command::FreshSeries);
    ASSERT_TRUE(run.state.puzzleSeries);
    EXPECT_EQ(run.ctl().flow().playFilePath, std::string(kFreshSeriesName));
    EXPECT_EQ(marked(run.window.captionShown), "<<おまかせ問題> - Tavrin for Windows[実行]>");
    // The comment box: the grade's words are ours, its stars are not.
    const std::string comment = marked(run.window.commentShown);
    EXPECT_EQ(comment.rfind("<難易度", 0), 0U) << comment;
    EXPECT_EQ(run.window.comment, trimComment(run.state.puzzles[0].comment));

    run.window.inputs = {std::string("Tester")};
    run.state.puzzleIndex = static_cast<std::int16_t>(run.state.puzzleCount - 1);
    run.ctl().timerTick(Timer::StartUp);
    ASSERT_EQ(run.window.asked.size(), 1U);
    EXPECT_EQ(marked(run.window.asked[0].promptShown),
              "<あなたは\"<おまかせ問題>\"での1位になりました。\n名前を入力してください。>");
    ASSERT_EQ(run.platform.shown.size(), 1U);
    EXPECT_EQ(marked(run.platform.shown[0].caption), "<<おまかせ問題> - Tavrinのﾊｲｽｺｱ>");
    EXPECT_EQ(disk.settings.get("おまかせ問題", "Name1", "?"), "Tester");

    run.session.shellCommand(Command::DailySeries);
    EXPECT_EQ(run.ctl().flow().playFilePath, "今日の問題 2026-12-09");
    EXPECT_EQ(marked(run.window.captionShown), "<<今日の問題 2026-12-09> - Tavrin for Windows[実行]>");
}

TEST(Session, PuzzleBytesOfAForeignFileAreRefusedWithTheDesktopsMessage)
{
    Disk disk;
    Program run(disk);
    run.startUp();
    const auto board = run.state.board;
    EXPECT_FALSE(run.session.openPuzzleBytes("picture.kem", "GIF89a"));
    ASSERT_EQ(run.window.boxes.size(), 1U);
    EXPECT_EQ(run.window.boxes[0].text, "Tavrinの問題ファイルのファイル形式ではありません。");
    EXPECT_FALSE(run.state.puzzleSeries);
    EXPECT_EQ(run.state.board, board);
    EXPECT_EQ(Session::puzzleFileProblem(TAVRIN_TEST_DATA "/small.ket").japanese(),
              "問題ファイルを開けません：問題ファイル(KEMファイル)ではありません。");
    EXPECT_EQ(Session::puzzleFileProblem(TAVRIN_TEST_DATA "/none.kem").japanese(),
              "問題ファイルを開けません：ファイルが見つかりません。");
}

} // namespace
} // namespace tavrin::game::testing
