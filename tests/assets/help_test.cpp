// The help pages beside the program: every topic is there, is UTF-8 HTML,
// and every link and picture on it leads to a file that exists.
#include "asset_readers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace assets_test {
namespace {

const char* const kPages[] = {"index.html",   "basics.html", "free_game.html", "scoring.html", "series.html",
                              "editor.html",  "themes.html", "pictures.html",  "keys.html"};

std::string readText(const std::string& path)
{
    const auto bytes = readFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

bool validUtf8(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (extra < 0) return false;
        if (i + static_cast<std::size_t>(extra) >= s.size() && extra > 0) return false;
        for (int k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return false;
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

// Values of attr="..." in the page.
std::vector<std::string> attributeValues(const std::string& page, const std::string& attr)
{
    std::vector<std::string> out;
    const std::string key = attr + "=\"";
    for (std::size_t at = page.find(key); at != std::string::npos; at = page.find(key, at + 1)) {
        const std::size_t start = at + key.size();
        const std::size_t end = page.find('"', start);
        if (end == std::string::npos) break;
        out.push_back(page.substr(start, end - start));
    }
    return out;
}

std::string helpPath(const std::string& name) { return assetPath("help/" + name); }

// The Japanese pages and the English ones in help/en.
const char* const kLanguageFolders[] = {"", "en/"};

TEST(Help, EveryTopicIsAUtf8HtmlPage)
{
    for (const std::string folder : kLanguageFolders)
    for (const std::string name : kPages) {
        const std::string page = readText(helpPath(folder + name));
        ASSERT_FALSE(page.empty()) << "missing help page " << name;
        EXPECT_TRUE(validUtf8(page)) << name;
        EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u) << name;
        EXPECT_NE(page.find("charset=\"utf-8\""), std::string::npos) << name;
        EXPECT_NE(page.find("<h1>"), std::string::npos) << name;
        EXPECT_GT(page.size(), 1500u) << name << " looks empty";
    }
}

TEST(Help, LinksAndPicturesLeadToExistingFiles)
{
    for (const std::string folder : kLanguageFolders)
    for (const std::string name : kPages) {
        const std::string page = readText(helpPath(folder + name));
        for (const std::string& target : attributeValues(page, "href")) {
            EXPECT_TRUE(std::filesystem::exists(helpPath(folder + target))) << folder << name << " links to missing " << target;
        }
        for (const std::string& picture : attributeValues(page, "src")) {
            const auto bytes = readFile(helpPath(folder + picture));
            ASSERT_TRUE(bytes) << name << " shows missing " << picture;
            EXPECT_TRUE(pngSize(*bytes)) << picture << " is not a PNG";
        }
    }
}

TEST(Help, TheContentsReachEveryTopic)
{
    for (const std::string folder : kLanguageFolders) {
        const auto links = attributeValues(readText(helpPath(folder + "index.html")), "href");
        const std::set<std::string> linked(links.begin(), links.end());
        for (const char* name : kPages) {
            if (std::string(name) != "index.html") {
                EXPECT_TRUE(linked.count(name)) << folder << "index.html does not link " << name;
            }
        }
    }
}

TEST(Help, ThePicturesTopicGivesTheSizesTheGameChecks)
{
    const std::string page = readText(helpPath("pictures.html"));
    EXPECT_NE(page.find("352"), std::string::npos);
    EXPECT_NE(page.find("128"), std::string::npos);
    EXPECT_NE(page.find("64"), std::string::npos);
    EXPECT_NE(page.find("ファイルがビットマップ形式ではありません。"), std::string::npos);
    EXPECT_NE(readText(helpPath("en/pictures.html")).find("The file is not a bitmap."), std::string::npos);
}

TEST(Help, TheRulesPagesUseTheGameMessages)
{
    EXPECT_NE(readText(helpPath("free_game.html")).find("同じ形のﾊｲﾊﾟｰﾛｰﾄﾞは重ねて設置できません。"), std::string::npos);
    EXPECT_NE(readText(helpPath("series.html")).find("やった！クリアだ"), std::string::npos);
    EXPECT_NE(readText(helpPath("editor.html")).find("ハイパーロードを２つ以上のグループに分けて設置してください。"),
              std::string::npos);
}

} // namespace
} // namespace assets_test
