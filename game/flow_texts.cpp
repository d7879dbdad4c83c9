#include "game/flow_texts.h"

#include "engine/game_state.h"

namespace tavrin::game {

std::string goalReachedText(int eco, long loop, int bonus, int total)
{
    std::string t = "目標は達成されました。\n\n";
    t += "エコ点：\t\t" + std::to_string(eco) + "\n";
    t += "ループ点：\t\t" + std::to_string(loop) + "\n";
    t += "ボーナス点：\t" + std::to_string(bonus) + "\n";
    t += "総合得点：\t\t" + std::to_string(total);
    return t;
}

std::string discardTimeUpText()
{
    return "残念！" + std::to_string(kMoveLimit) + "手以内で全てのハイパーロードをつなげることができませんでした。\n"
           "今回の得点は残念ですが、ハイスコアの対象になりません。";
}

std::string placementTimeUpText()
{
    return std::to_string(kMoveLimit) + "手以内で目標を達成することができませんでした。\n"
           "今回の得点はハイスコアの対象になりません。";
}

} // namespace tavrin::game
