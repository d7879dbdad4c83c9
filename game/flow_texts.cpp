#include "game/flow_texts.h"

#include "engine/game_state.h"
#include "puzzles/game_series.h"

namespace tavrin::game {

std::string isoDate(const ScoreDate& date)
{
    return tavrin::isoDate(date.year, static_cast<unsigned>(date.month < 0 ? 0 : date.month),
                           static_cast<unsigned>(date.day < 0 ? 0 : date.day));
}

Text goalReachedText(int eco, long loop, int bonus, int total)
{
    return TAVRIN_TEXT("game", "目標は達成されました。\n\n"
                               "エコ点：\t\t%1\n"
                               "ループ点：\t\t%2\n"
                               "ボーナス点：\t%3\n"
                               "総合得点：\t\t%4")
        .arg(eco)
        .arg(loop)
        .arg(bonus)
        .arg(total);
}

Text discardTimeUpText()
{
    return TAVRIN_TEXT("game", "残念！%1手以内で全てのハイパーロードをつなげることができませんでした。\n"
                               "今回の得点は残念ですが、ハイスコアの対象になりません。")
        .arg(kMoveLimit);
}

Text placementTimeUpText()
{
    return TAVRIN_TEXT("game", "%1手以内で目標を達成することができませんでした。\n"
                               "今回の得点はハイスコアの対象になりません。")
        .arg(kMoveLimit);
}

} // namespace tavrin::game
