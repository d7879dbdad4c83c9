#include "scores/high_score_texts.h"

#include "puzzles/kem_names.h"
#include "scores/registration_form.h"

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

Text freeEntryPrompt(int itemCount, int place)
{
    return TAVRIN_TEXT("scores", "あなたはアイテム %1種類での%2位になりました。\n名前を入力してください。")
        .arg(itemCount)
        .arg(place + 1);
}

Text seriesEntryPrompt(std::string_view path, int place)
{
    return seriesEntryPromptFor(Text(seriesFileTitle(path)), place);
}

Text seriesEntryPromptFor(const Text& title, int place)
{
    return TAVRIN_TEXT("scores", "あなたは\"%1\"での%2位になりました。\n名前を入力してください。").arg(title).arg(place + 1);
}

Text clearSeriesQuestion(std::string_view path)
{
    return clearSeriesQuestionFor(Text(path));
}

Text clearSeriesQuestionFor(const Text& name)
{
    return TAVRIN_TEXT("scores", "\"%1\"のハイスコアを消去してもよいですか？").arg(name);
}

Text freeTableCaption(int itemCount)
{
    return TAVRIN_TEXT("scores", "Tavrinのﾊｲｽｺｱ アイテム %1").arg(itemCount);
}

Text seriesTableCaption(std::string_view path)
{
    return seriesTableCaptionFor(Text(seriesFileTitle(path)));
}

Text seriesTableCaptionFor(const Text& title)
{
    return TAVRIN_TEXT("scores", "%1 - Tavrinのﾊｲｽｺｱ").arg(title);
}

std::string nameUpToNul(std::string_view answer)
{
    return std::string(answer.substr(0, answer.find('\0')));
}

std::string keptName(std::string_view text)
{
    return utf8Prefix(nameUpToNul(text), kMaxNameLength);
}

} // namespace tavrin
