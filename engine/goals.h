// The goals of the three game modes and their status texts.
#pragma once

#include "engine/game_state.h"
#include "engine/ui_text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

inline constexpr Phrase kFullConnectionStartText = TAVRIN_TEXT("engine", "全てのハイパーロードがつながるようにしてください。");
inline constexpr Phrase kBigLoopStartText = TAVRIN_TEXT("engine", "ループ点を増やしてください。");
inline constexpr Phrase kClearedText = TAVRIN_TEXT("engine", "やった！クリアだ");
inline constexpr Phrase kNeedTwoGroupsText = TAVRIN_TEXT("engine", "ハイパーロードを２つ以上のグループに分けて設置してください。");
inline constexpr Phrase kNeedLoopPointsText = TAVRIN_TEXT("engine", "まずループ点が0より大きくなるようにしてください。");
inline constexpr Phrase kDefaultThemeGoal =
    TAVRIN_TEXT("engine", "水、新芽、太陽をハイパーロードでつないで全ての地域を緑化してください。");

// Eco mode: the free-game analysis reported the goal.
constexpr bool ecoGoalReached(std::int16_t turnResult) { return turnResult == TurnResult::kGoalReached; }

// Full connection: after a placement every placed road lies in one group.
constexpr bool fullConnectionReached(int groupCount) { return groupCount == 1; }

// Big loop: a placement raised the loop points above the starting layout's.
constexpr bool bigLoopReached(long loopPoints, int loopTarget) { return loopPoints > loopTarget; }

// Goal setting in the editor completes when a placement lowers the loop points.
constexpr bool bigLoopSettingDone(long loopPoints, int loopTarget) { return loopPoints < loopTarget; }

// A full-connection puzzle must start with its roads in two or more groups.
constexpr bool fullConnectionStartValid(int groupCount) { return groupCount >= 2; }

// A big-loop puzzle's solution must score loop points.
constexpr bool bigLoopStartValid(int loopTarget) { return loopTarget >= 1; }

// "全てのハイパーロードをつなげてください。現在のグループ数：" + groupCount
Text fullConnectionMissText(int groupCount);

// "ループ点を増やしてください。現在のループ点：" + loop points before the placement
Text bigLoopMissText(long loopPointsBefore);

} // namespace tavrin
