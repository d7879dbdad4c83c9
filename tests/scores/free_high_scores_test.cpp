#include "scores/high_scores.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin {
namespace {

// Answers every name box with the next name; records what was asked.
struct ScriptedNames {
    std::vector<std::optional<std::string>> answers;
    std::vector<std::string> prompts;
    std::vector<std::string> titles;

    AskName ask()
    {
        return [this](const Text& title, const Text& prompt) -> std::optional<std::string> {
            titles.push_back(title.japanese());
            prompts.push_back(prompt.japanese());
            if (answers.empty()) {
                return std::nullopt;
            }
            auto a = answers.front();
            answers.erase(answers.begin());
            return a;
        };
    }
};

class FreeHighScores : public ::testing::Test {
protected:
    MemorySettingsStore store;
    HighScores scores{store};

    void enter(std::int16_t score, int itemCount, const std::string& name)
    {
        const auto request = scores.freeEntryRequest(score, itemCount);
        ASSERT_TRUE(request.has_value()) << score;
        ASSERT_TRUE(scores.enterFreeHighScore(*request, name));
    }
};

TEST_F(FreeHighScores, EmptyStoreLoadsDefaultsAndNoMenuItem)
{
    scores.loadFreeHighScores();
    for (int t = 0; t < kFreeTables; ++t) {
        for (int r = 0; r < kScorePlaces; ++r) {
            EXPECT_EQ(scores.freeScores(t, r), 0);
            EXPECT_EQ(scores.freeNames(t, r), "No Name");
        }
    }
    EXPECT_FALSE(scores.hasHighScores());
    EXPECT_EQ(scores.lastRank(), -1);
}

TEST_F(FreeHighScores, FirstGameWithThreeKindsTakesPlaceOneOfHighScore3)
{
    scores.loadFreeHighScores();
    ScriptedNames names{{std::string("Hana")}, {}, {}};
    ASSERT_TRUE(scores.enterFreeHighScore(1234, 3, names.ask()));

    ASSERT_EQ(names.prompts.size(), 1u);
    EXPECT_EQ(names.titles[0], "Tavrin for Windows");
    EXPECT_EQ(names.prompts[0], "あなたはアイテム 3種類での1位になりました。\n名前を入力してください。");
    EXPECT_EQ(scores.lastRank(), 0);
    EXPECT_TRUE(scores.hasHighScores());
    EXPECT_EQ(store.get("HighScore3", "Score1", "?"), "1234");
    EXPECT_EQ(store.get("HighScore3", "Name1", "?"), "Hana");
    EXPECT_EQ(store.get("HighScore3", "Score2", "?"), "0");
    EXPECT_EQ(store.get("HighScore3", "Name5", "?"), "No Name");
    // Every table is written, the untouched ones with their defaults.
    EXPECT_EQ(store.get("HighScore1", "Score5", "?"), "0");
    EXPECT_EQ(store.get("HighScore5", "Name3", "?"), "No Name");

    const HighScoreView view = scores.freeView(3);
    EXPECT_EQ(view.rows[0].name, "1: Hana");
    EXPECT_EQ(view.rows[0].score, "1234");
    EXPECT_TRUE(view.rows[0].bold);
    EXPECT_FALSE(view.rows[1].bold);
    EXPECT_EQ(view.rows[1].name, "2: No Name");
}

TEST_F(FreeHighScores, ZeroScoreStillEntersAnEmptyTable)
{
    const auto request = scores.freeEntryRequest(0, 2);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->place, 0);
}

TEST_F(FreeHighScores, TieGoesAboveTheOldEntry)
{
    enter(3000, 4, "A");
    enter(2000, 4, "B");
    enter(1000, 4, "C");
    const auto request = scores.freeEntryRequest(2000, 4);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->place, 1);
    EXPECT_EQ(request->prompt.japanese(), "あなたはアイテム 4種類での2位になりました。\n名前を入力してください。");
    ASSERT_TRUE(scores.enterFreeHighScore(*request, "New"));
    EXPECT_EQ(scores.freeNames(3, 0), "A");
    EXPECT_EQ(scores.freeNames(3, 1), "New");
    EXPECT_EQ(scores.freeNames(3, 2), "B");
    EXPECT_EQ(scores.freeNames(3, 3), "C");
    EXPECT_EQ(scores.freeScores(3, 2), 2000);
    EXPECT_EQ(scores.lastRank(), 1);
}

TEST_F(FreeHighScores, SixEntriesKeepTheBestFive)
{
    const std::int16_t totals[] = {500, 100, 300, 600, 200, 400};
    for (const std::int16_t s : totals) {
        enter(s, 5, "p" + std::to_string(s));
    }
    const std::int16_t expected[] = {600, 500, 400, 300, 200};
    for (int r = 0; r < kScorePlaces; ++r) {
        EXPECT_EQ(scores.freeScores(4, r), expected[r]);
        EXPECT_EQ(scores.freeNames(4, r), "p" + std::to_string(expected[r]));
        EXPECT_EQ(store.get("HighScore5", scoreKey(r), "?"), std::to_string(expected[r]));
    }
    // A score below the fifth place earns nothing and asks nothing.
    EXPECT_FALSE(scores.freeEntryRequest(199, 5));
    ScriptedNames names{{std::string("x")}, {}, {}};
    EXPECT_FALSE(scores.enterFreeHighScore(150, 5, names.ask()));
    EXPECT_TRUE(names.prompts.empty());
    // Other tables are separate.
    EXPECT_EQ(scores.freeScores(3, 0), 0);
}

TEST_F(FreeHighScores, CancelledOrEmptyNameMakesNoEntry)
{
    enter(700, 3, "Old");
    scores.okPressed();
    const auto request = scores.freeEntryRequest(900, 3);
    ASSERT_TRUE(request);
    EXPECT_FALSE(scores.enterFreeHighScore(*request, std::nullopt));
    EXPECT_FALSE(scores.enterFreeHighScore(*request, ""));
    EXPECT_FALSE(scores.enterFreeHighScore(*request, std::string_view("\0Bob", 4)));
    EXPECT_EQ(scores.freeScores(2, 0), 700);
    EXPECT_EQ(scores.freeNames(2, 0), "Old");
    EXPECT_EQ(scores.lastRank(), -1);
    EXPECT_EQ(store.get("HighScore3", "Score1", "?"), "700");
}

TEST_F(FreeHighScores, NameIsKeptUpToItsFirstNul)
{
    const auto request = scores.freeEntryRequest(10, 3);
    ASSERT_TRUE(scores.enterFreeHighScore(*request, std::string_view("Ann\0junk", 8)));
    EXPECT_EQ(scores.freeNames(2, 0), "Ann");
}

TEST_F(FreeHighScores, ItemCountsOutsideTheTablesAreIgnored)
{
    EXPECT_FALSE(scores.freeEntryRequest(100, 0));
    EXPECT_FALSE(scores.freeEntryRequest(100, 6));
    EXPECT_FALSE(scores.freeEntryRequest(100, -3));
    NameRequest forged;
    forged.itemCount = 9;
    EXPECT_FALSE(scores.enterFreeHighScore(forged, "x"));
    EXPECT_EQ(scores.freeScores(99, 0), 0);
    EXPECT_EQ(scores.freeNames(-1, 7), "No Name");
}

TEST_F(FreeHighScores, SavedTablesLoadBack)
{
    enter(1500, 3, "山田");
    enter(800, 4, "Ｔａｒｏ");
    HighScores again(store);
    again.loadFreeHighScores();
    EXPECT_TRUE(again.hasHighScores());
    EXPECT_EQ(again.freeTable(2), scores.freeTable(2));
    EXPECT_EQ(again.freeTable(3), scores.freeTable(3));
    EXPECT_EQ(again.freeNames(2, 0), "山田");
}

TEST_F(FreeHighScores, MenuItemNeedsANamedNonZeroPlace)
{
    store.save("HighScore2", "Score3", "0");
    store.save("HighScore2", "Name3", "Named");
    store.save("HighScore4", "Score1", "55");
    scores.loadFreeHighScores();
    EXPECT_FALSE(scores.hasHighScores());
    store.save("HighScore4", "Name1", "Someone");
    scores.loadFreeHighScores();
    EXPECT_TRUE(scores.hasHighScores());
}

TEST_F(FreeHighScores, ClearingOnYesDeletesEveryKeyAndResetsTheTables)
{
    enter(1234, 3, "A");
    enter(99, 5, "B");
    store.save("Options", "PointMode", "-1");
    scores.clearFreeHighScores(true);
    for (int t = 0; t < kFreeTables; ++t) {
        for (int r = 0; r < kScorePlaces; ++r) {
            EXPECT_FALSE(store.contains(freeSection(t), scoreKey(r)));
            EXPECT_FALSE(store.contains(freeSection(t), nameKey(r)));
            EXPECT_EQ(scores.freeScores(t, r), 0);
            EXPECT_EQ(scores.freeNames(t, r), "No Name");
        }
    }
    EXPECT_FALSE(scores.hasHighScores());
    EXPECT_EQ(store.get("Options", "PointMode", "?"), "-1");
}

TEST_F(FreeHighScores, ClearingOnNoKeepsScoresButTurnsTheMenuItemOff)
{
    enter(1234, 3, "A");
    ASSERT_TRUE(scores.hasHighScores());
    const ScoreTable before = scores.freeTable(2);
    scores.clearFreeHighScores(false);
    EXPECT_FALSE(scores.hasHighScores());
    EXPECT_EQ(scores.freeTable(2), before);
    EXPECT_EQ(store.get("HighScore3", "Score1", "?"), "1234");
    EXPECT_STREQ(kClearFreeQuestion.source, "エコモードのハイスコアを消去してもよいですか？");
}

TEST_F(FreeHighScores, HostileStoreNeverBreaksLoading)
{
    store.save("HighScore1", "Score1", "not a number");
    store.save("HighScore2", "Score2", "99999999999999999999999");
    store.save("HighScore3", "Score3", "-");
    store.save("HighScore3", "Score4", "");
    store.save("HighScore4", "Name1", std::string(2'000'000, 'x'));
    store.save("HighScore4", "Score1", "12.5");
    store.save("HighScore5", "Name2", std::string("a\0b", 3));
    store.save("HighScore5", "Score2", "\xff\xfe");
    scores.loadFreeHighScores();
    EXPECT_EQ(scores.freeScores(0, 0), 0);
    EXPECT_EQ(scores.freeScores(1, 1), 0);
    EXPECT_EQ(scores.freeScores(2, 2), 0);
    EXPECT_EQ(scores.freeScores(2, 3), 0);
    EXPECT_EQ(scores.freeScores(3, 0), 0);
    EXPECT_EQ(scores.freeNames(3, 0), std::string(kMaxNameLength, 'x')); // bounded as it is read
    EXPECT_EQ(scores.freeNames(4, 1), "a");
    EXPECT_FALSE(scores.hasHighScores()); // the named places all read as 0

    // Entering and showing still work over the damaged values.
    enter(5, 4, "ok");
    EXPECT_EQ(scores.freeNames(3, 0), "ok");
    EXPECT_EQ(scores.freeView(4).rows[1].name.size(), 3 + kMaxNameLength);
}

} // namespace
} // namespace tavrin
