// Free-game points: eco points, bonus, total, the chain and the score labels.
#pragma once

#include "engine/game_state.h"
#include "engine/ui_text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

// Frame captions of the four score labels.
inline constexpr Phrase kEcoPointsCaption = TAVRIN_TEXT("engine", "エコ点");
inline constexpr Phrase kMovesLeftCaption = TAVRIN_TEXT("engine", "残り手数");
inline constexpr Phrase kTotalCaption = TAVRIN_TEXT("engine", "総合得点");
inline constexpr Phrase kLoopPointsCaption = TAVRIN_TEXT("engine", "ループ点");
inline constexpr Phrase kChainCaption = TAVRIN_TEXT("engine", "連続得点");

// Flags summed in scoreLabelsDirty.
inline constexpr int kDirtyEco = 1;
inline constexpr int kDirtyLoop = 2;
inline constexpr int kDirtyMoves = 4;
inline constexpr int kDirtyChain = 8;

std::int16_t ecoPoints(const GameState& state);
std::int16_t ecoBonus(const GameState& state);
std::int16_t pointTotal(const GameState& state);

// The scoring step run inside every free-game analysis.
void scoreMove(GameState& state);

// Puts plain numbers back into the labels flagged in scoreLabelsDirty.
void refreshScoreLabels(GameState& state, bool showMoves);

// A label caption read as a number: its leading (signed) digits, 0 when none.
long labelNumber(std::string_view caption);

// "現在のループ点" & loopTarget & "よりループ点を減らしてください。"
Text showLoopTarget(const GameState& state);

// "残り手数が" & movesReturned & "手戻されました！"
Text movesReturnedText(int movesReturned);

} // namespace tavrin
