// Finished games handed to the real high-score tables, the name asked in an
// input box.
#include "tests/game/flow_fixture.h"

#include "scores/high_scores.h"
#include "scores/settings_store.h"

namespace tavrin::game::testing {
namespace {

class Handover : public FlowTest {
protected:
    Handover()
        : scores(settings), table(scores, output, [this](bool series, ScoreKeeper::Done done) {
              shown.push_back(series);
              done();
          })
    {
        scores.loadFreeHighScores();
        ctl.attachScoreKeeper(&table);
    }

    void playToTheGoal()
    {
        start({0, 1});
        for (int c = 0; c < kCellCount; ++c) {
            place(c, 10);
        }
    }

    std::vector<Box::Kind> kinds() const
    {
        std::vector<Box::Kind> out;
        for (const Box& b : front.boxes) {
            out.push_back(b.kind);
        }
        return out;
    }

    // A store that can be told it cannot write anything down.
    struct Store : MemorySettingsStore {
        bool keeps = true;
        bool flush() override { return keeps; }
    };

    Store settings;
    HighScores scores;
    std::vector<bool> shown;
    TableScoreKeeper table;
};

TEST_F(Handover, ClearedGameAsksForTheNameAndEntersTheTotal)
{
    ctl.screen().setCommandEnabled(Command::ClearHighScores, false); // no table held a score
    front.inputs = {std::string("Tester")};
    playToTheGoal();
    EXPECT_TRUE(enabled(Command::ClearHighScores));
    // The result box first, the prompt after it; the game is over after both.
    ASSERT_EQ(kinds(), (std::vector<Box::Kind>{Box::Kind::Message, Box::Kind::Input}));
    const Box& asked = front.boxes[1];
    EXPECT_EQ(asked.text.japanese(), "あなたはアイテム 2種類での1位になりました。\n名前を入力してください。");
    EXPECT_EQ(asked.title.japanese(), "Tavrin for Windows");
    EXPECT_EQ(asked.defaultText, "");
    EXPECT_EQ(scores.freeScores(1, 0), 6103);
    EXPECT_EQ(scores.freeNames(1, 0), "Tester");
    EXPECT_EQ(settings.get("HighScore2", "Score1", "?"), "6103");
    EXPECT_EQ(shown, std::vector<bool>{false});
    EXPECT_FALSE(freeGame().active());
    EXPECT_EQ(status(), "新規ゲームで遊ぶにはF2キーを押してください。");
}

TEST_F(Handover, AnEntryTheSettingsCannotKeepSaysSo)
{
    settings.keeps = false;
    front.inputs = {std::string("Tester")};
    playToTheGoal();
    EXPECT_EQ(scores.freeNames(1, 0), "Tester"); // kept for this run
    // The result, the prompt, then the warning.
    ASSERT_EQ(kinds(), (std::vector<Box::Kind>{Box::Kind::Message, Box::Kind::Input, Box::Kind::Message}));
    EXPECT_EQ(front.boxes[2].text, Text(kEntryNotKeptMessage));
    EXPECT_EQ(front.boxes[2].icon, Icon::Warning);
    EXPECT_EQ(shown, std::vector<bool>{false});
}

TEST_F(Handover, CancelledNameMakesNoEntry)
{
    playToTheGoal(); // the script has no answer: the box is cancelled
    EXPECT_EQ(front.inputBoxes().size(), 1U);
    EXPECT_EQ(scores.freeScores(1, 0), 0);
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(freeGame().active());
}

TEST_F(Handover, FinishedSeriesEntersTheMisses)
{
    start();
    scores.loadSeriesHighScores("C:\\puzzles\\set.kem");
    state.puzzleCount = 1;
    state.puzzles[0] = newPuzzle();
    state.puzzles[0].mode = kBigLoop;
    state.puzzles[0].cells[0] = 4;
    state.puzzles[0].cells[1] = 5;
    state.puzzles[0].cells[8] = 3;
    input([&] { ctl.startSeries("C:\\puzzles\\set.kem"); });
    palette(0);
    click(9); // a straight does not close the ring: a miss
    runEvaluation();
    palette(2);
    click(9);
    runEvaluation();
    ASSERT_EQ(status(), "やった！クリアだ");
    front.inputs = {std::string("Solver")};
    tick(Timer::StartUp);
    ASSERT_EQ(front.inputBoxes().size(), 1U);
    EXPECT_EQ(front.inputBoxes()[0].text.japanese(), "あなたは\"set\"での1位になりました。\n名前を入力してください。");
    EXPECT_EQ(scores.seriesScores(0), 1);
    EXPECT_EQ(scores.seriesNames(0), "Solver");
    EXPECT_EQ(shown, std::vector<bool>{true});
}

} // namespace
} // namespace tavrin::game::testing
