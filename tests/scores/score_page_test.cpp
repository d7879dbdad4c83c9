#include "scores/score_page.h"

#include "puzzles/cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin {
namespace {

// Without a setting the pages post to tavrin-scores on this machine.
const std::string kAddress = "http://127.0.0.1:8932/~kelm/cgi-bin/hello2.cgi";

std::vector<std::string> crlfLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start)); // unterminated tail
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(ScorePageText, EightCrLfLinesExactly)
{
    const PageEntry entry{"Taro", 1234, {2024, 5, 7}, 3};
    const std::string page = scorePage(entry, kAddress);
    const std::string expected =
        "<HTML><HEAD><TITLE>Tavrin for Windowsインターネットハイスコア登録</TITLE><BODY BGCOLOR=\"#f0f0cc\">\r\n"
        "<P><BR><H3>Tavrin for Windowsインターネットハイスコア登録（アイテム3）</H3></P><FORM ACTION=\"" +
        kAddress +
        "\" METHOD=POST><P><BR>お名前（全角16字までが登録されます）<BR>\r\n"
        "Taro<INPUT TYPE=HIDDEN NAME=\"name\" VALUE = \"Taro\"><BR><BR>スコア<BR>\r\n"
        "1234<INPUT TYPE=HIDDEN NAME=\"score\" VALUE = \"1234\"><BR><BR>日付<BR>\r\n"
        "2024/5/7<INPUT TYPE=HIDDEN NAME=\"dates\" VALUE = \"2024/5/7\"><BR><BR>コメント<BR>\r\n"
        "<INPUT TYPE=TEXT NAME=\"comment\" SIZE=24><BR>↑ここに何かコメントを書いてください（全角16字まで）<BR>"
        "未記入の場合No Commentとなります。<BR>\r\n"
        "<INPUT TYPE=HIDDEN NAME=\"gametype\" VALUE = \"3\"><BR>以上の情報が下のボタンを押すとアップロードされます。\r\n"
        "<INPUT TYPE=HIDDEN NAME=\"passwd\" VALUE = \"CYT\"><BR><BR><INPUT TYPE=SUBMIT VALUE=\"ハイスコア登録\">"
        "<BR></P></FORM></BODY></HTML>\r\n";
    EXPECT_EQ(fromCp932(page), expected);
    EXPECT_EQ(crlfLines(page).size(), 8u);
    EXPECT_EQ(page.substr(page.size() - 2), "\r\n");
    // No bare line feeds or carriage returns.
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < page.size(); ++i) {
        if (page[i] == '\n' || page[i] == '\r') {
            ++breaks;
        }
    }
    EXPECT_EQ(breaks, 16u);
}

TEST(ScorePageText, WrittenInShiftJis)
{
    const PageEntry entry{"山田", 5000, {2023, 12, 31}, 4};
    const std::string page = scorePage(entry, kAddress);
    EXPECT_NE(page.find("\x8E\x52\x93\x63<INPUT"), std::string::npos);       // 山田
    EXPECT_NE(page.find("\x83\x58\x83\x52\x83\x41<BR>"), std::string::npos); // スコア
    EXPECT_NE(page.find("<BR>\x81\xAA"), std::string::npos);                 // ↑
    EXPECT_EQ(page.find("スコア"), std::string::npos); // not left in UTF-8
    EXPECT_NE(page.find("VALUE = \"4\""), std::string::npos);
    EXPECT_NE(page.find("2023/12/31<INPUT"), std::string::npos);
}

TEST(ScorePageText, NameIsEscapedInTextAndAttribute)
{
    const PageEntry entry{"<b>\"Tom\" & Jerry</b>", 10, {2024, 1, 1}, 5};
    const std::vector<std::string> lines = crlfLines(scorePage(entry, kAddress));
    ASSERT_EQ(lines.size(), 8u);
    const std::string escaped = "&lt;b&gt;&quot;Tom&quot; &amp; Jerry&lt;/b&gt;";
    EXPECT_EQ(lines[2], escaped + "<INPUT TYPE=HIDDEN NAME=\"name\" VALUE = \"" + escaped +
                            "\"><BR><BR>" + toCp932("スコア") + "<BR>");
    // The code is worked out from the name itself, not its escaped form.
    EXPECT_NE(lines[7].find("VALUE = \"" + scoreCode(entry.name, 10, 2024, 1, 1, 5) + "\""), std::string::npos);
}

TEST(ScorePageText, LineBreaksInANameKeepEightLines)
{
    const PageEntry entry{"a\r\nb\nc", 10, {2024, 1, 1}, 3};
    const std::vector<std::string> lines = crlfLines(scorePage(entry, kAddress));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2].substr(0, 18), "a&#13;&#10;b&#10;c");
}

TEST(ScorePageText, HtmlEscape)
{
    EXPECT_EQ(htmlEscape("plain 名前"), "plain 名前");
    EXPECT_EQ(htmlEscape("&amp;"), "&amp;amp;");
    EXPECT_EQ(htmlEscape("<>\"'"), "&lt;&gt;&quot;'");
}

TEST(ScorePageText, NamesAndDates)
{
    EXPECT_EQ(pageFileName(3), "Upload3.html");
    EXPECT_EQ(pageFileName(5), "Upload5.html");
    EXPECT_EQ(dateText({2024, 1, 9}), "2024/1/9");
    EXPECT_EQ(dateText({1999, 12, 31}), "1999/12/31");
}

TEST(RegistrationAddress, ServerPlusFixedPath)
{
    EXPECT_EQ(registrationAddress(kDefaultScoreServer), kAddress);
    EXPECT_EQ(registrationAddress("http://localhost:8080"), "http://localhost:8080/~kelm/cgi-bin/hello2.cgi");
    EXPECT_EQ(registrationAddress(" http://h.example/ "), "http://h.example/~kelm/cgi-bin/hello2.cgi");
}

TEST(RegistrationAddress, UnusableServerFallsBackToTheDefault)
{
    for (const std::string& bad : {std::string(), std::string("   "), std::string("http://a\"><script>"),
                                  std::string("http://a\r\nb"), std::string("http://a b"),
                                  std::string(5000, 'h')}) {
        EXPECT_EQ(registrationAddress(bad), kAddress) << bad.substr(0, 40);
    }
}

TEST(RegistrationAddress, WhatAPlayerMayStore)
{
    EXPECT_TRUE(usableScoreServer("http://127.0.0.1:8932"));
    EXPECT_TRUE(usableScoreServer(" HTTPS://scores.example.org/club "));
    for (const char* bad : {"", "scores.example.org", "ftp://h", "http://", "http:///x", "http://a b",
                            "http://a\"x", "javascript:alert(1)"}) {
        EXPECT_FALSE(usableScoreServer(bad)) << bad;
    }
}

TEST(RegistrationAddress, AmpersandInTheAddressIsEscapedInThePage)
{
    const PageEntry entry{"x", 1, {2024, 1, 1}, 3};
    const std::string page = scorePage(entry, registrationAddress("http://h.example/?a=1&b=2"));
    EXPECT_NE(page.find("ACTION=\"http://h.example/?a=1&amp;b=2/~kelm/cgi-bin/hello2.cgi\""), std::string::npos);
}

TEST(PageScore, ReadsBackWhatThePageHolds)
{
    for (const std::int16_t score : {0, 1, 999, 1234, 5000, 32767}) {
        const PageEntry entry{"Taro", score, {2024, 5, 7}, 4};
        EXPECT_EQ(pageScore(scorePage(entry, kAddress)), score);
    }
}

TEST(PageScore, AttributeInAnyCase)
{
    EXPECT_EQ(pageScore("<INPUT NAME=\"score\" VALUE = \"5000\">"), 5000);
    EXPECT_EQ(pageScore("<INPUT NAME=\"score\" value = \"5000\">"), 5000);
    EXPECT_EQ(pageScore("<INPUT NAME=\"score\" VaLuE = \"77\">"), 77);
    EXPECT_EQ(pageScore("x\"SCORE\" VALUE = \"12\"\r\n\"score\" VALUE = \"34\""), 34);
}

TEST(PageScore, DigitsStopAtTheFirstNonDigit)
{
    EXPECT_EQ(pageScore("\"score\" VALUE = \"12a34\""), 12);
    EXPECT_EQ(pageScore("\"score\" VALUE = \"0042\""), 42);
    EXPECT_EQ(pageScore("\"score\" VALUE = \"7"), 7);
}

TEST(PageScore, DamagedPagesReadAsZero)
{
    EXPECT_EQ(pageScore(""), 0);
    EXPECT_EQ(pageScore("no score here"), 0);
    EXPECT_EQ(pageScore("\"score\" VALUE = \"\""), 0);
    EXPECT_EQ(pageScore("\"score\" VALUE = \"-5\""), 0);
    EXPECT_EQ(pageScore("\"score\" VALUE=\"5\""), 0);  // spacing differs
    EXPECT_EQ(pageScore("\"score\"\n VALUE = \"5\""), 0); // split across lines
    // Only the first line naming "score" counts.
    EXPECT_EQ(pageScore("NAME=\"score\"\r\n\"score\" VALUE = \"5\""), 0);
    EXPECT_EQ(pageScore(std::string("\0\"score\" VALUE = \"5\"", 20)), 5);
}

TEST(PageScore, TooManyDigitsReadAsZero)
{
    EXPECT_EQ(pageScore("\"score\" VALUE = \"32767\""), 32767);
    EXPECT_EQ(pageScore("\"score\" VALUE = \"32768\""), 0);
    EXPECT_EQ(pageScore("\"score\" VALUE = \"99999\""), 0);
    EXPECT_EQ(pageScore("\"score\" VALUE = \"" + std::string(100000, '9') + "\""), 0);
    EXPECT_EQ(pageScore("\"score\" VALUE = \"" + std::string(1000, '0') + "12\""), 12);
}

} // namespace
} // namespace tavrin
