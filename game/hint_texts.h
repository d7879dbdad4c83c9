// Status-bar texts of the free game's hint.
#pragma once

#include "engine/ui_text.h"

namespace tavrin::game {

inline constexpr Phrase kNoHintText = TAVRIN_TEXT("game", "ヒント：置ける場所がありません。");

// "ヒント：上から4行目・左から6列目に置くと、エコ点とループ点の合計は120点です。"
// for cell 29 (rows and columns counted from 1) and a total of 120.
inline Text hintText(int cell, long total)
{
    return TAVRIN_TEXT("game", "ヒント：上から%1行目・左から%2列目に置くと、エコ点とループ点の合計は%3点です。")
        .arg(cell / 8 + 1)
        .arg(cell % 8 + 1)
        .arg(total);
}

} // namespace tavrin::game
