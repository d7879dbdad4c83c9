#include "scores/general_number.h"
#include "scores/settings_store.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

TEST(MemorySettingsStore, GetFallsBackUntilSavedAndAfterDeletion)
{
    MemorySettingsStore store;
    EXPECT_EQ(store.get("HighScore3", "Score1", "0"), "0");
    store.save("HighScore3", "Score1", "1234");
    EXPECT_EQ(store.get("HighScore3", "Score1", "0"), "1234");
    EXPECT_EQ(store.get("HighScore3", "Score2", "0"), "0");
    EXPECT_EQ(store.get("HighScore4", "Score1", "0"), "0");

    store.save("HighScore3", "Score1", "77");
    EXPECT_EQ(store.get("HighScore3", "Score1", "0"), "77");

    store.save("HighScore3", "Name1", "Hana");
    store.deleteKey("HighScore3", "Score1");
    EXPECT_FALSE(store.contains("HighScore3", "Score1"));
    EXPECT_TRUE(store.contains("HighScore3", "Name1"));

    store.deleteSection("HighScore3");
    EXPECT_FALSE(store.hasSection("HighScore3"));
    EXPECT_EQ(store.get("HighScore3", "Name1", "No Name"), "No Name");
}

TEST(MemorySettingsStore, DeletingWhatIsMissingIsHarmless)
{
    MemorySettingsStore store;
    store.deleteKey("nowhere", "nothing");
    store.deleteSection("nowhere");
    store.save("a", "k", "v");
    store.deleteKey("a", "other");
    EXPECT_EQ(store.keyCount("a"), 1u);
}

TEST(GeneralNumber, PlainDigitsWithSignAndNoGrouping)
{
    EXPECT_EQ(generalNumber(0), "0");
    EXPECT_EQ(generalNumber(999), "999");
    EXPECT_EQ(generalNumber(1234), "1234");
    EXPECT_EQ(generalNumber(32767), "32767");
    EXPECT_EQ(generalNumber(-32768), "-32768");
}

TEST(StoredNumber, ReadsWhatGeneralNumberWrites)
{
    for (const int v : {0, 1, 999, 1234, 32767, -1, -32768}) {
        EXPECT_EQ(readStoredNumber(generalNumber(v), 42), v) << v;
    }
    EXPECT_EQ(readStoredNumber(" 12 ", 42), 12);
    EXPECT_EQ(readStoredNumber("+7", 42), 7);
    EXPECT_EQ(readStoredNumber("007", 42), 7);
}

TEST(StoredNumber, UnreadableTextGivesTheFallback)
{
    for (const char* text : {"", " ", "-", "+", "abc", "12abc", "1.5", "1,234", "1e3", "&H10", "32768", "-32769",
                             "99999999999999999999999999", "１２"}) {
        EXPECT_EQ(readStoredNumber(text, 999), 999) << text;
    }
    EXPECT_EQ(readStoredNumber(std::string(1'000'000, '9'), 0), 0);
    EXPECT_EQ(readStoredNumber(std::string("12\0", 3), 5), 5);
}

} // namespace
} // namespace tavrin
