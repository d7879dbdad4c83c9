// Texts the game flow shows in the status bar and in message boxes.
#pragma once

#include <string>
#include <string_view>

namespace tavrin::game {

inline constexpr std::string_view kProductTitle = "Tavrin for Windows";
inline constexpr std::string_view kSameShapeText = "同じ形のﾊｲﾊﾟｰﾛｰﾄﾞは重ねて設置できません。";
inline constexpr std::string_view kPressF2Text = "新規ゲームで遊ぶにはF2キーを押してください。";
inline constexpr std::string_view kLoopLengthPrefix = "最小ループ長：";
inline constexpr std::string_view kGoalSettingQuestion =
    "現在ゲームモードの設定途中です。\n続行するとこれまでの操作が取り消されますがよろしいですか？";
inline constexpr std::string_view kDiscardChangesQuestion =
    "続行するとこれまでの変更内容が破棄されますが、よろしいですか？";

// Menu captions and tool tips the flow changes.
inline constexpr std::string_view kExitCaption = "終了(&X)";
inline constexpr std::string_view kInterruptCaption = "中断(&P)";
inline constexpr std::string_view kNewGameCaption = "新規ゲーム(&N)";
inline constexpr std::string_view kNewGameToolTip = "新規ゲーム";
// Image of toolbar button 1 in play mode (the editor shows image 2).
inline constexpr int kNewGameImage = 1;

// "目標は達成されました。" and the four score lines.
std::string goalReachedText(int eco, long loop, int bonus, int total);
// The last move was a discard.
std::string discardTimeUpText();
// The last move was a placement.
std::string placementTimeUpText();

} // namespace tavrin::game
