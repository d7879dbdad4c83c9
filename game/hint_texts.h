// Status-bar texts of the free game's hint.
#pragma once

#include "engine/hint.h"
#include "engine/ui_text.h"

namespace tavrin::game {

inline constexpr Phrase kNoHintText = TAVRIN_TEXT("game", "ヒント：置ける場所がありません。");

// "ヒント：上から4行目・左から6列目に置くと、エコ点とループ点の合計は120点です。"
// for cell 29 (rows and columns counted from 1) and a total of 120; when no
// cell raises the points, where the roads come closest to joining the items.
inline Text hintText(const PlacementHint& hint)
{
    if (!hint.raises) {
        return TAVRIN_TEXT("game", "ヒント：得点の増える場所はなし。上から%1行目・左から%2列目で道がアイテムに近づきます。")
            .arg(hint.cell / 8 + 1)
            .arg(hint.cell % 8 + 1);
    }
    return TAVRIN_TEXT("game", "ヒント：上から%1行目・左から%2列目に置くと、エコ点とループ点の合計は%3点です。")
        .arg(hint.cell / 8 + 1)
        .arg(hint.cell % 8 + 1)
        .arg(hint.total);
}

} // namespace tavrin::game
