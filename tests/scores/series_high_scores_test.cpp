#include "scores/high_scores.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

constexpr std::string_view kPath = "C:\\Games\\Tavrin\\Puzzles\\Hard.KeM";
constexpr std::string_view kSection = "C:/Games/Tavrin/Puzzles/Hard.KeM";

class SeriesHighScores : public ::testing::Test {
protected:
    MemorySettingsStore store;
    HighScores scores{store};

    void enter(std::int16_t misses, const std::string& name)
    {
        const auto request = scores.seriesEntryRequest(misses, kPath);
        ASSERT_TRUE(request.has_value()) << misses;
        ASSERT_TRUE(scores.enterSeriesHighScore(*request, name));
    }
};

TEST(SeriesNames, SectionAndFileTitleFromThePath)
{
    EXPECT_EQ(seriesSection("C:\\a\\b.kem"), "C:/a/b.kem");
    EXPECT_EQ(seriesSection("/home/u/b.kem"), "/home/u/b.kem");
    EXPECT_EQ(seriesFileTitle("C:\\a\\Hard.KEM"), "Hard");
    EXPECT_EQ(seriesFileTitle("/home/u/易しい.kem"), "易しい");
    EXPECT_EQ(seriesFileTitle("/home/u/notes.txt"), "notes.txt");
    EXPECT_EQ(seriesFileTitle("plain"), "plain");
    EXPECT_EQ(seriesFileTitle(".kem"), "");
    EXPECT_EQ(seriesFileTitle("dir/"), "");
}

TEST_F(SeriesHighScores, EmptyStoreLoadsDefaultsOf999)
{
    scores.loadSeriesHighScores(kPath);
    for (int r = 0; r < kScorePlaces; ++r) {
        EXPECT_EQ(scores.seriesScores(r), 999);
        EXPECT_EQ(scores.seriesNames(r), "No Name");
    }
    EXPECT_FALSE(scores.hasHighScores());
}

TEST_F(SeriesHighScores, ZeroMissesTakePlaceOneAndEveryResultUpTo999Enters)
{
    scores.loadSeriesHighScores(kPath);
    EXPECT_TRUE(scores.seriesEntryRequest(999, kPath));
    EXPECT_FALSE(scores.seriesEntryRequest(1000, kPath));

    const auto request = scores.seriesEntryRequest(0, kPath);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->place, 0);
    EXPECT_EQ(request->title.japanese(), "Tavrin for Windows");
    EXPECT_EQ(request->prompt.japanese(), "あなたは\"Hard\"での1位になりました。\n名前を入力してください。");
    ASSERT_TRUE(scores.enterSeriesHighScore(*request, "Ken"));
    EXPECT_EQ(scores.lastRank(), 0);
    EXPECT_EQ(store.get(kSection, "Score1", "?"), "0");
    EXPECT_EQ(store.get(kSection, "Name1", "?"), "Ken");
    EXPECT_EQ(store.get(kSection, "Score2", "?"), "999");
}

TEST_F(SeriesHighScores, FewerMissesRankHigherAndTiesGoAbove)
{
    scores.loadSeriesHighScores(kPath);
    enter(5, "five");
    enter(2, "two");
    enter(9, "nine");
    enter(5, "five again");
    EXPECT_EQ(scores.seriesNames(0), "two");
    EXPECT_EQ(scores.seriesNames(1), "five again");
    EXPECT_EQ(scores.seriesNames(2), "five");
    EXPECT_EQ(scores.seriesNames(3), "nine");
    EXPECT_EQ(scores.seriesScores(4), 999);
    EXPECT_EQ(scores.lastRank(), 1);
    enter(1, "one");
    enter(7, "seven");
    EXPECT_EQ(scores.seriesScores(4), 7);
    EXPECT_EQ(scores.seriesNames(4), "seven");
    EXPECT_FALSE(scores.seriesEntryRequest(8, kPath));
}

TEST_F(SeriesHighScores, EmptyAnswerMakesNoEntry)
{
    scores.loadSeriesHighScores(kPath);
    EXPECT_FALSE(scores.enterSeriesHighScore(3, kPath, [](auto, auto) { return std::optional<std::string>(); }));
    EXPECT_FALSE(scores.enterSeriesHighScore(3, kPath, [](auto, auto) { return std::optional<std::string>(""); }));
    EXPECT_EQ(scores.seriesScores(0), 999);
    EXPECT_FALSE(store.hasSection(kSection));
}

TEST_F(SeriesHighScores, EachFileHasItsOwnSection)
{
    scores.loadSeriesHighScores(kPath);
    enter(4, "a");
    scores.loadSeriesHighScores("C:\\Other.kem");
    EXPECT_EQ(scores.seriesScores(0), 999);
    scores.loadSeriesHighScores(kPath);
    EXPECT_EQ(scores.seriesScores(0), 4);
    EXPECT_EQ(scores.seriesNames(0), "a");
}

TEST_F(SeriesHighScores, LoadingRemembersTheFreeGameMenuState)
{
    store.save("HighScore3", "Score1", "100");
    store.save("HighScore3", "Name1", "Free");
    scores.loadFreeHighScores();
    ASSERT_TRUE(scores.hasHighScores());
    scores.loadSeriesHighScores(kPath);
    EXPECT_FALSE(scores.hasHighScores());
    EXPECT_TRUE(scores.hasHighScoresSave());

    store.save(kSection, "Score2", "12");
    store.save(kSection, "Name2", "S");
    scores.loadSeriesHighScores(kPath);
    EXPECT_TRUE(scores.hasHighScores());
}

TEST_F(SeriesHighScores, ClosingTheWindowAfterAnEntryRestoresTheFreeGameMenuState)
{
    scores.loadFreeHighScores(); // nothing stored: menu off
    store.save(kSection, "Score1", "3");
    store.save(kSection, "Name1", "S");
    scores.loadSeriesHighScores(kPath);
    ASSERT_TRUE(scores.hasHighScores());
    enter(1, "new");
    const HighScoreView shown = scores.seriesView(kPath);
    EXPECT_EQ(shown.highlighted, 0);
    scores.okPressed(); // OK clears lastRank before the window is gone
    scores.seriesWindowClosed(shown);
    EXPECT_FALSE(scores.hasHighScores());
    EXPECT_EQ(scores.lastRank(), -1);
}

TEST_F(SeriesHighScores, ViewingWithoutAnEntryKeepsTheSeriesMenuState)
{
    store.save(kSection, "Score1", "3");
    store.save(kSection, "Name1", "S");
    scores.loadSeriesHighScores(kPath);
    const HighScoreView shown = scores.seriesView(kPath);
    EXPECT_EQ(shown.highlighted, -1);
    scores.seriesWindowClosed(shown);
    EXPECT_TRUE(scores.hasHighScores());
}

TEST_F(SeriesHighScores, ClearingOnYesDeletesTheWholeSection)
{
    scores.loadSeriesHighScores(kPath);
    enter(3, "a");
    store.save(kSection, "Extra", "kept until the section goes");
    store.save("HighScore3", "Score1", "10");
    EXPECT_EQ(clearSeriesQuestion(kPath).japanese(),
              "\"C:\\Games\\Tavrin\\Puzzles\\Hard.KeM\"のハイスコアを消去してもよいですか？");
    scores.clearSeriesHighScores(kPath, true);
    EXPECT_FALSE(store.hasSection(kSection));
    EXPECT_TRUE(store.contains("HighScore3", "Score1"));
    EXPECT_EQ(scores.seriesTable(), ScoreTable::filled(999));
    EXPECT_FALSE(scores.hasHighScores());
}

TEST_F(SeriesHighScores, ClearingOnNoKeepsTheScores)
{
    scores.loadSeriesHighScores(kPath);
    enter(3, "a");
    store.save(kSection, "Score1", "3");
    scores.loadSeriesHighScores(kPath);
    ASSERT_TRUE(scores.hasHighScores());
    scores.clearSeriesHighScores(kPath, false);
    EXPECT_FALSE(scores.hasHighScores());
    EXPECT_EQ(scores.seriesScores(0), 3);
    EXPECT_EQ(store.get(kSection, "Name1", "?"), "a");
}

TEST_F(SeriesHighScores, UnreadableStoredMissesReadAs999)
{
    store.save(kSection, "Score1", "lots");
    store.save(kSection, "Name1", "Cheater");
    store.save(kSection, "Score2", "40000");
    scores.loadSeriesHighScores(kPath);
    EXPECT_EQ(scores.seriesScores(0), 999);
    EXPECT_EQ(scores.seriesScores(1), 999);
    EXPECT_FALSE(scores.hasHighScores());
}

} // namespace
} // namespace tavrin
