#include "scores/high_scores.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

class HighScoreWindow : public ::testing::Test {
protected:
    MemorySettingsStore store;
    HighScores scores{store};

    void enter(std::int16_t score, int itemCount, const std::string& name)
    {
        const auto request = scores.freeEntryRequest(score, itemCount);
        ASSERT_TRUE(request);
        ASSERT_TRUE(scores.enterFreeHighScore(*request, name));
    }
};

TEST_F(HighScoreWindow, FreeCaptionRowsAndButtons)
{
    enter(300, 4, "Ai");
    enter(200, 4, "Bo");
    const HighScoreView view = scores.freeView(4);
    EXPECT_FALSE(view.series);
    EXPECT_EQ(view.caption.japanese(), "Tavrinのﾊｲｽｺｱ アイテム 4");
    EXPECT_EQ(view.rows[0].name, "1: Ai");
    EXPECT_EQ(view.rows[1].name, "2: Bo");
    EXPECT_EQ(view.rows[4].name, "5: No Name");
    EXPECT_EQ(view.rows[4].score, "0");
    EXPECT_EQ(view.highlighted, 1);
    EXPECT_TRUE(view.rows[1].bold);
    EXPECT_FALSE(view.rows[0].bold);
    EXPECT_FALSE(view.registerVisible);
    EXPECT_TRUE(view.copyEnabled);
    EXPECT_EQ(kOkButton, "OK");
    EXPECT_STREQ(kRegisterButton.source, "ハイスコア登録");
    EXPECT_STREQ(kCopyButton.source, "クリップボードへコピー");
}

TEST_F(HighScoreWindow, CopyOnlyForThreeAndFourItemKinds)
{
    EXPECT_FALSE(scores.freeView(2).copyEnabled);
    EXPECT_TRUE(scores.freeView(3).copyEnabled);
    EXPECT_TRUE(scores.freeView(4).copyEnabled);
    EXPECT_FALSE(scores.freeView(5).copyEnabled);
    EXPECT_FALSE(scores.freeView(5).registerEnabled);
}

TEST_F(HighScoreWindow, OkEndsTheHighlight)
{
    enter(300, 3, "Ai");
    scores.okPressed();
    const HighScoreView view = scores.freeView(3);
    EXPECT_EQ(view.highlighted, -1);
    for (const auto& row : view.rows) {
        EXPECT_FALSE(row.bold);
    }
}

TEST_F(HighScoreWindow, ClipboardTextListsTheRows)
{
    enter(1234, 3, "Hana");
    const std::string expected = "Tavrin for Windows(アイテム3)ハイスコア報告です。\n"
                                 "1: Hana\n\t\t1234\n"
                                 "2: No Name\n\t\t0\n"
                                 "3: No Name\n\t\t0\n"
                                 "4: No Name\n\t\t0\n"
                                 "5: No Name\n\t\t0\n";
    EXPECT_EQ(clipboardText(scores.freeView(3)).japanese(), expected);
}

TEST_F(HighScoreWindow, SeriesCaptionAndRows)
{
    const std::string path = "/home/u/puzzles/Hard.kem";
    scores.loadSeriesHighScores(path);
    const auto request = scores.seriesEntryRequest(12, path);
    ASSERT_TRUE(scores.enterSeriesHighScore(*request, "Ken"));
    const HighScoreView view = scores.seriesView(path);
    EXPECT_TRUE(view.series);
    EXPECT_EQ(view.caption.japanese(), "Hard - Tavrinのﾊｲｽｺｱ");
    EXPECT_EQ(view.rows[0].name, "1: Ken");
    EXPECT_EQ(view.rows[0].score, "12");
    EXPECT_TRUE(view.rows[0].bold);
    EXPECT_EQ(view.rows[1].score, "999");
    EXPECT_FALSE(view.copyEnabled);
}

} // namespace
} // namespace tavrin
