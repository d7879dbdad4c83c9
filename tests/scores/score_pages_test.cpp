#include "scores/score_pages.h"

#include "puzzles/cp932.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

using test::readAll;
using test::TempFolder;
using test::writeAll;

class ScorePagesTest : public ::testing::Test {
protected:
    TempFolder folder;
    MemorySettingsStore store;
    HighScores scores{store};
    ScoreDate today{2024, 5, 7};
    ScorePages pages{folder.path(), store, [this] { return today; }};

    // A free-game entry, as after a cleared game.
    void enter(std::int16_t score, int itemCount, const std::string& name = "Taro")
    {
        const auto request = scores.freeEntryRequest(score, itemCount);
        ASSERT_TRUE(request);
        ASSERT_TRUE(scores.enterFreeHighScore(*request, name));
    }

    std::filesystem::path page(int n) const { return folder.path() / ("Upload" + std::to_string(n) + ".html"); }
};

TEST_F(ScorePagesTest, EntryWithThreeKindsWritesUpload3)
{
    enter(1234, 3);
    EXPECT_EQ(pages.writeScorePage(scores, 3), PageStep::Written);
    const std::string bytes = readAll(page(3));
    EXPECT_EQ(bytes, scorePage({"Taro", 1234, {2024, 5, 7}, 3}, registrationAddress(kDefaultScoreServer)));
    EXPECT_EQ(pages.pageScore(3), 1234);
    const RegistrationSlot& slot = pages.slot(3);
    EXPECT_EQ(slot.name, "Taro");
    EXPECT_EQ(slot.score, 1234);
    EXPECT_EQ(slot.dateText, "2024/5/7");
    EXPECT_EQ(slot.code, "CYT");
    // Nothing else lands in the folder (no temporary file is left behind).
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(ScorePagesTest, TwoItemKindsNeverWriteAPage)
{
    enter(5000, 2);
    EXPECT_EQ(pages.writeScorePage(scores, 2), PageStep::NoEntry);
    EXPECT_FALSE(std::filesystem::exists(page(2)));
}

TEST_F(ScorePagesTest, NoEntryJustMadeWritesNothing)
{
    EXPECT_EQ(pages.writeScorePage(scores, 4), PageStep::NoEntry);
    enter(100, 4);
    scores.okPressed();
    EXPECT_EQ(pages.writeScorePage(scores, 4), PageStep::NoEntry);
    EXPECT_FALSE(std::filesystem::exists(page(4)));
}

TEST_F(ScorePagesTest, NotHigherThanThisRunsBestLeavesThePage)
{
    enter(3000, 4, "First");
    ASSERT_EQ(pages.writeScorePage(scores, 4), PageStep::Written);
    const std::string before = readAll(page(4));
    enter(3000, 4, "Tie");
    EXPECT_EQ(pages.writeScorePage(scores, 4), PageStep::NotHigher);
    enter(2000, 4, "Lower");
    EXPECT_EQ(pages.writeScorePage(scores, 4), PageStep::NotHigher);
    EXPECT_EQ(readAll(page(4)), before);
    EXPECT_EQ(pages.slot(4).name, "First");
    enter(3001, 4, "Higher");
    EXPECT_EQ(pages.writeScorePage(scores, 4), PageStep::Written);
    EXPECT_EQ(pages.pageScore(4), 3001);
}

TEST_F(ScorePagesTest, EarlierRunsBetterPageIsKept)
{
    writeAll(page(5), scorePage({"Old", 5000, {2020, 1, 1}, 5}, registrationAddress(kDefaultScoreServer)));
    const std::string before = readAll(page(5));
    enter(4000, 5);
    EXPECT_EQ(pages.writeScorePage(scores, 5), PageStep::PageBetter);
    EXPECT_EQ(readAll(page(5)), before);
    enter(5000, 5);
    EXPECT_EQ(pages.writeScorePage(scores, 5), PageStep::PageBetter);
    enter(5001, 5, "Best");
    EXPECT_EQ(pages.writeScorePage(scores, 5), PageStep::Written);
    EXPECT_EQ(pages.pageScore(5), 5001);
    EXPECT_NE(fromCp932(readAll(page(5))).find("Best<INPUT"), std::string::npos);
}

TEST_F(ScorePagesTest, UnreadablePageIsOverwritten)
{
    writeAll(page(3), "garbage \"score\" VALUE = \"99999999\"");
    EXPECT_EQ(pages.pageScore(3), 0);
    enter(10, 3);
    EXPECT_EQ(pages.writeScorePage(scores, 3), PageStep::Written);
    EXPECT_EQ(pages.pageScore(3), 10);
}

TEST_F(ScorePagesTest, MissingPageReadsZero)
{
    EXPECT_EQ(pages.pageScore(3), 0);
    std::filesystem::create_directory(page(4));
    EXPECT_EQ(pages.pageScore(4), 0);
}

TEST_F(ScorePagesTest, FailedWriteKeepsOldFolderStateAndLetsALaterEntryRetry)
{
    // A folder in the page's place cannot be replaced by a file.
    std::filesystem::create_directory(page(3));
    enter(700, 3);
    EXPECT_EQ(pages.writeScorePage(scores, 3), PageStep::WriteFailed);
    EXPECT_TRUE(std::filesystem::is_directory(page(3)));
    EXPECT_EQ(pages.slot(3).score, 0);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1); // no temporary file left
    std::filesystem::remove(page(3));
    enter(600, 3);
    EXPECT_EQ(pages.writeScorePage(scores, 3), PageStep::Written);
    EXPECT_EQ(pages.pageScore(3), 600);
}

TEST_F(ScorePagesTest, ServerAddressComesFromTheSettings)
{
    store.save(kScoreServerSection, kScoreServerKey, "http://127.0.0.1:8000/");
    EXPECT_EQ(pages.registrationAddress(), "http://127.0.0.1:8000/~kelm/cgi-bin/hello2.cgi");
    enter(50, 4);
    ASSERT_EQ(pages.writeScorePage(scores, 4), PageStep::Written);
    EXPECT_NE(readAll(page(4)).find("ACTION=\"http://127.0.0.1:8000/~kelm/cgi-bin/hello2.cgi\""), std::string::npos);
}

TEST_F(ScorePagesTest, NameFromTheTableIsEscapedOnThePage)
{
    enter(80, 3, "<i>&\"");
    ASSERT_EQ(pages.writeScorePage(scores, 3), PageStep::Written);
    const std::string bytes = readAll(page(3));
    EXPECT_NE(bytes.find("&lt;i&gt;&amp;&quot;<INPUT TYPE=HIDDEN NAME=\"name\" VALUE = \"&lt;i&gt;&amp;&quot;\">"),
              std::string::npos);
    EXPECT_EQ(bytes.find("<i>"), std::string::npos);
    EXPECT_EQ(pages.slot(3).name, "<i>&\"");
}

TEST_F(ScorePagesTest, ResetEmptiesTheSlots)
{
    enter(100, 3);
    ASSERT_EQ(pages.writeScorePage(scores, 3), PageStep::Written);
    pages.resetScores();
    EXPECT_EQ(pages.slot(3).score, 0);
    EXPECT_EQ(pages.slot(9).score, 0);
}

TEST_F(ScorePagesTest, ShowingTheFreeTableRunsThePageStepFirst)
{
    enter(900, 4, "Ai");
    const FreeHighScoreWindow window = showFreeHighScores(scores, pages, 4);
    EXPECT_EQ(window.page, PageStep::Written);
    EXPECT_EQ(window.view.caption.japanese(), "Tavrinのﾊｲｽｺｱ アイテム 4");
    EXPECT_EQ(window.view.highlighted, 0);
    EXPECT_TRUE(std::filesystem::exists(page(4)));
    // The page just written is offered through the registration button.
    EXPECT_TRUE(window.view.registerVisible);
    EXPECT_TRUE(window.view.registerEnabled);
    EXPECT_EQ(window.pagePath, page(4));
    // Shown again (say from the menu, after closing with the close box): no
    // new page, and the button is hidden again.
    const FreeHighScoreWindow again = showFreeHighScores(scores, pages, 4);
    EXPECT_EQ(again.page, PageStep::NotHigher);
    EXPECT_FALSE(again.view.registerVisible);
    EXPECT_TRUE(again.pagePath.empty());
}

TEST_F(ScorePagesTest, ClearingDeletesThePagesForThreeAndFourOnly)
{
    for (const int n : {2, 3, 4, 5}) {
        writeAll(page(n), "page");
    }
    EXPECT_TRUE(pages.deletePagesAfterClear());
    EXPECT_TRUE(std::filesystem::exists(page(2)));
    EXPECT_FALSE(std::filesystem::exists(page(3)));
    EXPECT_FALSE(std::filesystem::exists(page(4)));
    EXPECT_TRUE(std::filesystem::exists(page(5)));
    // Nothing to delete is fine too.
    EXPECT_TRUE(pages.deletePagesAfterClear());
}

TEST_F(ScorePagesTest, ShowingASeriesTableWritesNoPage)
{
    scores.loadSeriesHighScores("/p/Easy.kem");
    const auto request = scores.seriesEntryRequest(0, "/p/Easy.kem");
    ASSERT_TRUE(scores.enterSeriesHighScore(*request, "S"));
    const HighScoreView view = showSeriesHighScores(scores, "/p/Easy.kem");
    EXPECT_EQ(view.caption.japanese(), "Easy - Tavrinのﾊｲｽｺｱ");
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(ScorePagesTest, ClearCommandDeletesPagesOnlyOnYes)
{
    enter(100, 3);
    for (const int n : {3, 4}) {
        writeAll(page(n), "page");
    }
    EXPECT_TRUE(clearFreeHighScoresAndPages(scores, pages, false));
    EXPECT_TRUE(std::filesystem::exists(page(3)));
    EXPECT_TRUE(std::filesystem::exists(page(4)));
    EXPECT_EQ(scores.freeScores(2, 0), 100);
    EXPECT_FALSE(scores.hasHighScores());

    EXPECT_TRUE(clearFreeHighScoresAndPages(scores, pages, true));
    EXPECT_FALSE(std::filesystem::exists(page(3)));
    EXPECT_FALSE(std::filesystem::exists(page(4)));
    EXPECT_EQ(scores.freeScores(2, 0), 0);
}

} // namespace
} // namespace tavrin
