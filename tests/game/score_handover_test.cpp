// Finished games handed to the real high-score tables, the name asked
// through the window's input box.
#include "tests/game/flow_fixture.h"

#include "scores/high_scores.h"
#include "scores/settings_store.h"

namespace tavrin::game::testing {
namespace {

class Handover : public FlowTest {
protected:
    Handover()
        : scores(settings), table(scores, window, [this](bool series) { shown.push_back(series); })
    {
        scores.loadFreeHighScores();
        ctl.attachScoreKeeper(&table);
    }

    void playToTheGoal()
    {
        ctl.StartFreeGame();
        setItems({0, 1});
        for (int c = 0; c < kCellCount; ++c) {
            place(c, 10);
        }
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
    window.setCommandEnabled(Command::ClearHighScores, false); // no table held a score
    window.inputs = {std::string("Tester")};
    playToTheGoal();
    EXPECT_TRUE(window.command(Command::ClearHighScores).enabled);
    ASSERT_EQ(window.asked.size(), 1U);
    EXPECT_EQ(window.asked[0].prompt, "あなたはアイテム 2種類での1位になりました。\n名前を入力してください。");
    EXPECT_EQ(window.asked[0].title, "Tavrin for Windows");
    EXPECT_EQ(window.asked[0].defaultText, "");
    EXPECT_EQ(scores.freeScores(1, 0), 6103);
    EXPECT_EQ(scores.freeNames(1, 0), "Tester");
    EXPECT_EQ(settings.get("HighScore2", "Score1", "?"), "6103");
    EXPECT_EQ(shown, std::vector<bool>{false});
    // The result box came first, the prompt after it.
    EXPECT_EQ(window.boxes.size(), 1U);
}

TEST_F(Handover, AnEntryTheSettingsCannotKeepSaysSo)
{
    settings.keeps = false;
    window.inputs = {std::string("Tester")};
    playToTheGoal();
    EXPECT_EQ(scores.freeNames(1, 0), "Tester"); // kept for this run
    ASSERT_EQ(window.boxes.size(), 2U);         // the result, then the warning
    EXPECT_EQ(window.boxes[1].text, Text(kEntryNotKeptMessage).japanese());
    EXPECT_EQ(window.boxes[1].icon, Icon::Warning);
    EXPECT_EQ(shown, std::vector<bool>{false});
}

TEST_F(Handover, CancelledNameMakesNoEntry)
{
    playToTheGoal(); // the script has no answer: the box is cancelled
    EXPECT_EQ(window.asked.size(), 1U);
    EXPECT_EQ(scores.freeScores(1, 0), 0);
    EXPECT_TRUE(shown.empty());
}

TEST_F(Handover, FinishedSeriesEntersTheMisses)
{
    ctl.StartFreeGame();
    scores.loadSeriesHighScores("C:\\puzzles\\set.kem");
    state.puzzleCount = 1;
    state.puzzles[0] = newPuzzle();
    state.puzzles[0].mode = kBigLoop;
    state.puzzles[0].cells[0] = 4;
    state.puzzles[0].cells[1] = 5;
    state.puzzles[0].cells[8] = 3;
    ctl.StartSeries("C:\\puzzles\\set.kem");
    ctl.palettePressed(0, 0);
    ctl.cellReleased(9); // a straight does not close the ring: a miss
    runEvaluation();
    ctl.palettePressed(2, 0);
    ctl.cellReleased(9);
    runEvaluation();
    ASSERT_EQ(window.status, "やった！クリアだ");
    window.inputs = {std::string("Solver")};
    ctl.timerTick(Timer::StartUp);
    ASSERT_EQ(window.asked.size(), 1U);
    EXPECT_EQ(window.asked[0].prompt, "あなたは\"set\"での1位になりました。\n名前を入力してください。");
    EXPECT_EQ(scores.seriesScores(0), 1);
    EXPECT_EQ(scores.seriesNames(0), "Solver");
    EXPECT_EQ(shown, std::vector<bool>{true});
}

} // namespace
} // namespace tavrin::game::testing
