// One run of the game through the session, as either window drives it: a
// game-ending move that no interruption lets be played again, a series from
// the command line that ends with its result and entry, the series frames,
// and the generated series shown in the player's language.
#include "game/session.h"

#include "engine/scoring.h"
#include "game/daily_game.h"
#include "game/editor.h"
#include "game/flow_texts.h"
#include "game/record_replay.h"
#include "game/saved_game_file.h"
#include "game/series_texts.h"
#include "puzzles/game_series.h"
#include "scores/high_score_texts.h"
#include "tests/game/flow_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

namespace tavrin::game::testing {
namespace {

// What a run of the program left behind: its settings and its kept game.
struct Disk {
    MemorySettingsStore settings;
    MemoryGameStore store;
};

// Puzzle files from the test data; no registration pages.
game::Disk& testFiles()
{
    static const MemorySettingsStore noSettings;
    static const std::unique_ptr<game::Disk> files = localDisk({}, noSettings);
    return *files;
}

SessionOptions onClock(SessionOptions options, Millis& now)
{
    options.clock = [&now] { return now; };
    options.today = [] { return ScoreDate{2026, 12, 9}; };
    if (options.disk == nullptr) {
        options.disk = &testFiles();
    }
    if (!options.editor) {
        options.editor = puzzleEditor;
    }
    return options;
}

// One start of the program on `disk`, in a window that wakes the game
// whenever the game asks it to.
struct Program {
    explicit Program(Disk& disk, std::uint64_t seed = 7, SessionOptions options = {})
        : random(seed), session(state, &front, disk.settings, &disk.store, random, onClock(std::move(options), now))
    {
        front.attach(session.output());
    }

    GameController& ctl() { return session.controller(); }
    const Screen& screen() const { return session.screen(); }
    const std::string& frame(ScoreFrame f) const { return screen().frame(f).value; }

    void startUp()
    {
        session.start();
        runTimers();
    }
    // Runs the game's timers until none runs.
    void runTimers()
    {
        for (int guard = 0; guard < 500 && !front.wakes.empty(); ++guard) {
            const Millis delay = front.wakes.back();
            front.wakes.clear();
            if (delay < 0) {
                return;
            }
            now += delay;
            session.tick(now);
        }
    }
    void place(int cell, int piece)
    {
        ctl().freeGame().setOfferedPiece(piece);
        session.cellReleased(cell);
        runTimers();
    }
    void startWithItems(const std::vector<int>& cells)
    {
        session.input([&] { ctl().startFreeGame(itemsOn(cells)); });
    }

    Millis now = 0;
    GameState state;
    ScriptedFrontEnd front;
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
    EXPECT_TRUE(next.ctl().freeGame().active());
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
    run.startWithItems({0, 1});
    run.session.saveGameNow();
    ASSERT_TRUE(disk.store.kept());

    std::vector<std::pair<Box::Kind, Disk>> snapshots;
    run.front.beforeBox = [&](const Box& box) {
        run.session.saveGameNow(); // the desktop logging out while the box is up
        snapshots.emplace_back(box.kind, disk);
    };
    run.front.inputs = {std::string("Tester")};
    for (int c = 0; c < kCellCount; ++c) {
        run.place(c, 10);
    }
    // The result box, the name prompt, the high-score window.
    ASSERT_EQ(snapshots.size(), 3U);
    EXPECT_EQ(snapshots[0].first, Box::Kind::Message);
    EXPECT_EQ(snapshots[1].first, Box::Kind::Input);
    EXPECT_EQ(snapshots[2].first, Box::Kind::HighScores);
    for (const auto& [kind, saved] : snapshots) {
        expectNoReplayFrom(saved, "box " + std::to_string(static_cast<int>(kind)));
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
        run.front.beforeBox = [&](const Box&) {
            run.session.saveGameNow();
            snapshots.push_back(disk);
        };
        if (byDiscard) {
            run.session.trashReleased();
            run.runTimers();
        } else {
            run.place(20, run.ctl().freeGame().offeredPiece());
        }
        ASSERT_EQ(snapshots.size(), 1U);
        expectNoReplayFrom(snapshots[0], "time-up box");
    }
}

TEST(Session, ASeriesFromTheCommandLineEndsWithItsResultAndEntryThenTheProgram)
{
    Disk disk;
    SessionOptions options;
    options.commandLineFile = TAVRIN_TEST_DATA "/two.kem";
    Program run(disk, 7, options);
    run.startUp();
    ASSERT_TRUE(run.state.puzzleSeries);
    EXPECT_TRUE(run.ctl().flow().launchedWithFile);
    EXPECT_EQ(run.screen().caption.japanese(), "two - Tavrin for Windows[実行]");
    // Three lonely pieces in the corner: three misses.
    for (int miss = 0; miss < 3; ++miss) {
        run.session.cellReleased(56);
        run.runTimers();
    }
    ASSERT_EQ(run.ctl().series().misses(), 3);
    run.front.clearRecords();
    run.front.inputs = {std::string("Tester")};
    run.state.puzzleIndex = 1; // the last puzzle was cleared
    run.session.input([&] { run.ctl().nextPuzzle(); });

    const std::vector<Box>& boxes = run.front.boxes;
    ASSERT_EQ(boxes.size(), 3U);
    EXPECT_EQ(boxes[0].text.japanese(), "全2問を解きました。ミスは3回でした。");
    EXPECT_EQ(boxes[1].text.japanese(), "あなたは\"two\"での1位になりました。\n名前を入力してください。");
    ASSERT_EQ(boxes[2].kind, Box::Kind::HighScores);
    EXPECT_EQ(boxes[2].scores.rows[0].score, "3");
    EXPECT_EQ(boxes[2].scores.note, Text(kSeriesTableNote));
    const std::string section = seriesSection(TAVRIN_TEST_DATA "/two.kem");
    EXPECT_EQ(disk.settings.get(section, "Score1", "?"), "3");
    EXPECT_EQ(disk.settings.get(section, "Name1", "?"), "Tester");
    // Then the program ends, the series still on screen behind the boxes.
    EXPECT_EQ(run.front.actions, std::vector<Action>{Action::Quit});
    EXPECT_TRUE(run.state.puzzleSeries);
    EXPECT_FALSE(run.ctl().freeGame().active());
}

TEST(Session, SeriesFramesShowTheCountAndGiveTheFreeGameItsOwnBack)
{
    Disk disk;
    Program run(disk);
    run.startUp();
    run.place(20, 3);
    const auto freeFrames = run.screen().frames;

    run.session.openPuzzleFile(TAVRIN_TEST_DATA "/two.kem");
    ASSERT_TRUE(run.state.puzzleSeries);
    // Puzzle 1 joins every road: number and count, misses, groups.
    const auto caption = [&](ScoreFrame f) { return run.screen().frame(f).caption.japanese(); };
    EXPECT_EQ(caption(ScoreFrame::Eco), "問題");
    EXPECT_EQ(run.frame(ScoreFrame::Eco), "1/2");
    EXPECT_EQ(caption(ScoreFrame::MovesLeft), "ミス");
    EXPECT_EQ(run.frame(ScoreFrame::MovesLeft), "0");
    EXPECT_EQ(caption(ScoreFrame::Loop), "グループ数");
    EXPECT_EQ(run.frame(ScoreFrame::Loop), std::to_string(run.state.groupCount));
    EXPECT_FALSE(run.screen().frame(ScoreFrame::Chain).visible);

    // A lonely piece in the corner makes one more group: a miss.
    run.session.cellReleased(56);
    run.runTimers();
    EXPECT_EQ(run.frame(ScoreFrame::MovesLeft), "1");
    EXPECT_EQ(run.frame(ScoreFrame::Loop), std::to_string(run.state.groupCount));

    // Puzzle 2 raises the loop points: the points to beat and the board's.
    run.state.puzzleIndex = 0;
    run.session.input([&] { run.ctl().nextPuzzle(); });
    EXPECT_EQ(run.frame(ScoreFrame::Eco), "2/2");
    EXPECT_EQ(run.frame(ScoreFrame::MovesLeft), "1");
    EXPECT_EQ(caption(ScoreFrame::Loop), "ループ点");
    EXPECT_TRUE(run.screen().frame(ScoreFrame::Chain).visible);
    EXPECT_EQ(caption(ScoreFrame::Chain), "超える点");
    EXPECT_EQ(run.frame(ScoreFrame::Chain), std::to_string(run.state.loopTarget));
    EXPECT_EQ(run.frame(ScoreFrame::Loop), std::to_string(run.state.loopTarget));

    run.session.command(Command::Exit); // interrupt
    EXPECT_FALSE(run.state.puzzleSeries);
    EXPECT_EQ(run.screen().frames, freeFrames);
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
    run.session.command(Command::FreshSeries);
    ASSERT_TRUE(run.state.puzzleSeries);
    EXPECT_EQ(run.ctl().flow().playFilePath, std::string(kFreshSeriesName));
    EXPECT_EQ(marked(run.screen().caption), "<<おまかせ問題> - Tavrin for Windows[実行]>");
    // The comment box: the grade's words are ours, its stars are not.
    const std::string comment = marked(run.screen().comment.text);
    EXPECT_EQ(comment.rfind("<難易度", 0), 0U) << comment;
    EXPECT_EQ(run.screen().comment.text.japanese(), trimComment(run.state.puzzles[0].comment));

    run.front.inputs = {std::string("Tester")};
    run.state.puzzleIndex = static_cast<std::int16_t>(run.state.puzzleCount - 1);
    run.session.input([&] { run.ctl().nextPuzzle(); });
    const std::vector<Box> asked = run.front.inputBoxes();
    ASSERT_EQ(asked.size(), 1U);
    EXPECT_EQ(marked(asked[0].text), "<あなたは\"<おまかせ問題>\"での1位になりました。\n名前を入力してください。>");
    const std::vector<Box> tables = run.front.shown(Box::Kind::HighScores);
    ASSERT_EQ(tables.size(), 1U);
    EXPECT_EQ(marked(tables[0].scores.caption), "<<おまかせ問題> - Tavrinのﾊｲｽｺｱ>");
    EXPECT_EQ(disk.settings.get("おまかせ問題", "Name1", "?"), "Tester");

    run.session.command(Command::DailySeries);
    EXPECT_EQ(run.ctl().flow().playFilePath, "今日の問題 2026-12-09");
    EXPECT_EQ(marked(run.screen().caption), "<<今日の問題 2026-12-09> - Tavrin for Windows[実行]>");
}

// The page's session: no disk to find files on by name and no editor.
TEST(Session, WithoutADiskOrAnEditorFilesComeOnlyAsBytes)
{
    Disk disk;
    GameState state;
    ScriptedFrontEnd front;
    RandomSource random(7);
    Millis now = 0;
    SessionOptions options;
    options.clock = [&now] { return now; };
    options.today = [] { return ScoreDate{2026, 12, 9}; };
    Session session(state, &front, disk.settings, &disk.store, random, std::move(options));
    front.attach(session.output());
    session.start();
    EXPECT_EQ(session.editor(), nullptr);
    EXPECT_EQ(session.openHandedOverFile(TAVRIN_TEST_DATA "/two.kem", false).japanese(),
              "問題ファイルを開けません：ファイルが見つかりません。");
    session.openPuzzleFile(TAVRIN_TEST_DATA "/two.kem");
    EXPECT_FALSE(state.puzzleSeries);
    session.command(Command::EditMode);
    EXPECT_FALSE(state.editMode);
}

TEST(Session, PuzzleBytesOfAForeignFileAreRefusedWithTheDesktopsMessage)
{
    Disk disk;
    Program run(disk);
    run.startUp();
    const auto board = run.state.board;
    run.session.openPuzzleBytes("picture.kem", "GIF89a");
    ASSERT_EQ(run.front.boxes.size(), 1U);
    EXPECT_EQ(run.front.boxes[0].text.japanese(), "Tavrinの問題ファイルのファイル形式ではありません。");
    EXPECT_FALSE(run.state.puzzleSeries);
    EXPECT_EQ(run.state.board, board);
    EXPECT_EQ(testFiles().puzzleFileProblem(TAVRIN_TEST_DATA "/small.ket").japanese(),
              "問題ファイルを開けません：問題ファイル(KEMファイル)ではありません。");
    EXPECT_EQ(testFiles().puzzleFileProblem(TAVRIN_TEST_DATA "/none.kem").japanese(),
              "問題ファイルを開けません：ファイルが見つかりません。");
}

} // namespace
} // namespace tavrin::game::testing

namespace tavrin::game::testing {
namespace {

// A real finished game (tests/data/records/finished.txt): kinds, seed, moves.
GameRecord finishedRecord()
{
    std::ifstream in(std::string(TAVRIN_TEST_DATA) + "/records/finished.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] != '#') {
            std::istringstream fields(line);
            std::string score, kinds, seed, text;
            fields >> score >> kinds >> seed >> text;
            return *readRecordText(text).record;
        }
    }
    return {};
}

void play(Program& run, const std::vector<std::uint8_t>& moves)
{
    for (const std::uint8_t move : moves) {
        if (move == kDiscardMove) {
            run.session.trashReleased();
        } else {
            run.session.cellReleased(move);
        }
        run.runTimers();
    }
}

// The game keeps its seed and moves, across a restart too, and once it has
// reached the goal its high-score window offers it to the server's ranking
// with the record that replays to its score.
TEST(Session, AGameKeepsItsRecordAndOffersItForTheRanking)
{
    const GameRecord real = finishedRecord();
    const std::size_t half = real.moves.size() / 2;
    Disk disk;
    {
        Program run(disk);
        run.ctl().setItemKindCount(real.itemKinds);
        run.startUp();
        run.session.input([&] { run.ctl().startFreeGameFromSeed(real.seed); });
        play(run, {real.moves.begin(), real.moves.begin() + static_cast<std::ptrdiff_t>(half)});
        run.session.shutDown();
    }
    const SavedGameRead kept = decodeSavedGame(disk.store.bytes());
    ASSERT_TRUE(kept.game && kept.game->record);
    EXPECT_EQ(kept.game->record->moves.size(), half);

    Program next(disk);
    next.ctl().setItemKindCount(real.itemKinds);
    next.startUp();
    ASSERT_TRUE(next.ctl().record());
    next.front.inputs = {std::string("Tester")};
    play(next, {real.moves.begin() + static_cast<std::ptrdiff_t>(half), real.moves.end()});
    EXPECT_EQ(*next.ctl().record(), real);
    const std::vector<Box> windows = next.front.shown(Box::Kind::HighScores);
    ASSERT_EQ(windows.size(), 1u);
    const std::string& offer = windows[0].scores.recordRegistration;
    EXPECT_NE(offer.find("\"name\": \"Tester\""), std::string::npos) << offer;
    EXPECT_NE(offer.find("\"record\": \"" + recordText(real) + "\""), std::string::npos) << offer;
    EXPECT_EQ(windows[0].scores.registrationServer, std::string(kDefaultScoreServer));
    const Verification proof = verifyRecord(real);
    EXPECT_NE(offer.find("\"score\": " + std::to_string(proof.score)), std::string::npos) << offer;
}

// 今日の一局 is the date's game: the record's seed and kinds, the same
// items and pieces as the rules alone deal from them.
TEST(Session, TheDailyGameIsTheDatesOwn)
{
    Disk disk;
    Program run(disk);
    run.ctl().setItemKindCount(5);
    run.startUp();
    run.session.command(Command::DailyGame);
    const GameRecord daily = dailyGame({2026, 12, 9});
    ASSERT_TRUE(run.ctl().record());
    EXPECT_EQ(*run.ctl().record(), daily);
    const FreeGamePlay alone(daily.seed, daily.itemKinds);
    EXPECT_EQ(run.state.itemCount, kDailyGameItemKinds);
    EXPECT_EQ(run.state.itemCells, alone.state().itemCells);
    EXPECT_EQ(run.ctl().freeGame().offeredPiece(), alone.offeredPiece());
    EXPECT_NE(run.screen().status.japanese().find("今日の一局（2026-12-09）"), std::string::npos);
}

} // namespace
} // namespace tavrin::game::testing
