#include "game/series_texts.h"

#include <algorithm>
#include <array>

namespace tavrin::game {

Text seriesResultText(int puzzleCount, int misses)
{
    return TAVRIN_TEXT("game", "全%1問を解きました。ミスは%2回でした。").arg(puzzleCount).arg(misses);
}

Text gradeCommentText(int grade)
{
    // One text per grade: the Japanese writes its digit full-width.
    static constexpr std::array<Phrase, 6> kGrades{
        TAVRIN_TEXT("game", "難易度０ %1"), TAVRIN_TEXT("game", "難易度１ %1"), TAVRIN_TEXT("game", "難易度２ %1"),
        TAVRIN_TEXT("game", "難易度３ %1"), TAVRIN_TEXT("game", "難易度４ %1"), TAVRIN_TEXT("game", "難易度５ %1"),
    };
    const int g = std::clamp(grade, 0, static_cast<int>(kGrades.size()) - 1);
    std::string stars;
    for (int i = 1; i < static_cast<int>(kGrades.size()); ++i) {
        stars += i <= g ? "★" : "☆"; // not for translation
    }
    return kGrades[static_cast<std::size_t>(g)].arg(Text(stars));
}

} // namespace tavrin::game
