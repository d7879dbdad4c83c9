// Status-bar texts of the free game's hint.
#pragma once

#include <string>
#include <string_view>

namespace tavrin::game {

inline constexpr std::string_view kHintPrefix = "ヒント：";
inline constexpr std::string_view kNoHintText = "ヒント：置ける場所がありません。";

// "ヒント：上から4行目・左から6列目に置くと、エコ点とループ点の合計は120点です。"
// for cell 29 (rows and columns counted from 1) and a total of 120.
inline std::string hintText(int cell, long total)
{
    return std::string(kHintPrefix) + "上から" + std::to_string(cell / 8 + 1) + "行目・左から"
           + std::to_string(cell % 8 + 1) + "列目に置くと、エコ点とループ点の合計は" + std::to_string(total)
           + "点です。";
}

} // namespace tavrin::game
