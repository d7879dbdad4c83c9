#include "engine/ui_text.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

// A stand-in translation: every marked text becomes its context in brackets
// followed by the placeholders it had.
std::string bracketed(const Phrase& phrase)
{
    std::string out = std::string("[") + phrase.context + "]";
    for (const char* p = phrase.source; *p != '\0'; ++p) {
        if (*p == '%' && p[1] >= '1' && p[1] <= '9') {
            out += std::string(" %") + p[1];
        }
    }
    return out;
}

TEST(UiText, ValuesAreFilledInOncePerPlaceholder)
{
    EXPECT_EQ(fillIn("%2 and %1", {"a", "b"}), "b and a");
    // A value that reads like a placeholder stays as it is.
    EXPECT_EQ(fillIn("%1/%2", {"%2", "x"}), "%2/x");
    // A placeholder without a value, and a lone %, stay.
    EXPECT_EQ(fillIn("%1 %3 100%", {"a"}), "a %3 100%");
}

TEST(UiText, OnlyMarkedTextIsTranslated)
{
    const Phrase loaded = TAVRIN_TEXT("graphics", "%1を開いています...");
    const Text shown = loaded.arg(TAVRIN_TEXT("graphics", "アイテム"));
    EXPECT_EQ(shown.japanese(), "アイテムを開いています...");
    EXPECT_EQ(shown.render(bracketed), "[graphics] [graphics]");

    // Data is shown as it is, even when it reads exactly like one of our texts.
    const Text comment = std::string("アイテム");
    EXPECT_EQ(comment.render(bracketed), "アイテム");
    EXPECT_EQ(loaded.arg(comment).render(bracketed), "[graphics] アイテム");
    EXPECT_NE(comment, Text(TAVRIN_TEXT("graphics", "アイテム")));
    EXPECT_EQ(Text(TAVRIN_TEXT("graphics", "アイテム")), Text(TAVRIN_TEXT("graphics", "アイテム")));

    EXPECT_TRUE(Text().empty());
    EXPECT_TRUE(Text("").empty());
    EXPECT_FALSE(Text(loaded).empty());
}

} // namespace
} // namespace tavrin
