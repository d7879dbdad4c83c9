#include "scores/high_score_texts.h"

#include "puzzles/kem_names.h"

namespace tavrin {

namespace {

std::string withNumber(std::string_view prefix, int number)
{
    return std::string(prefix) + std::to_string(number);
}

} // namespace

std::string freeSection(int table)
{
    return withNumber(kFreeSectionPrefix, table + 1);
}

std::string scoreKey(int place)
{
    return withNumber(kScoreKeyPrefix, place + 1);
}

std::string nameKey(int place)
{
    return withNumber(kNameKeyPrefix, place + 1);
}

std::string seriesSection(std::string_view path)
{
    return kem::slashedPath(path);
}

std::string seriesFileTitle(std::string_view path)
{
    const auto slash = path.find_last_of("\\/");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.size() >= 4) {
        const std::string_view ending = name.substr(name.size() - 4);
        auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
        if (ending[0] == '.' && upper(ending[1]) == 'K' && upper(ending[2]) == 'E' && upper(ending[3]) == 'M') {
            name.remove_suffix(4);
        }
    }
    return std::string(name);
}

std::string freeEntryPrompt(int itemCount, int place)
{
    return "あなたはアイテム " + std::to_string(itemCount) + "種類での" + std::to_string(place + 1) +
           "位になりました。\n名前を入力してください。";
}

std::string seriesEntryPrompt(std::string_view path, int place)
{
    return "あなたは\"" + seriesFileTitle(path) + "\"での" + std::to_string(place + 1) +
           "位になりました。\n名前を入力してください。";
}

std::string clearSeriesQuestion(std::string_view path)
{
    return "\"" + std::string(path) + "\"のハイスコアを消去してもよいですか？";
}

std::string freeTableCaption(int itemCount)
{
    return std::string(kShortProductName) + "のﾊｲｽｺｱ アイテム " + std::to_string(itemCount);
}

std::string seriesTableCaption(std::string_view path)
{
    return seriesFileTitle(path) + " - " + std::string(kShortProductName) + "のﾊｲｽｺｱ";
}

std::string nameUpToNul(std::string_view answer)
{
    return std::string(answer.substr(0, answer.find('\0')));
}

} // namespace tavrin
