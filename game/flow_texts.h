// Texts the game flow shows in the status bar and in message boxes.
#pragma once

#include "engine/ui_text.h"
#include "scores/score_page.h"

#include <string>

#include <string_view>

namespace tavrin::game {

// The product name: the window caption and the message boxes' title.
inline constexpr std::string_view kProductTitle = "Tavrin for Windows";
inline constexpr Phrase kSameShapeText = TAVRIN_TEXT("game", "同じ形のﾊｲﾊﾟｰﾛｰﾄﾞは重ねて設置できません。");
inline constexpr Phrase kPressF2Text = TAVRIN_TEXT("game", "新規ゲームで遊ぶにはF2キーを押してください。");
// "最小ループ長：" + the shortest loop's length.
inline constexpr Phrase kLoopLengthText = TAVRIN_TEXT("game", "最小ループ長：%1");
inline constexpr Phrase kGoalSettingQuestion = TAVRIN_TEXT(
    "game", "現在ゲームモードの設定途中です。\n続行するとこれまでの操作が取り消されますがよろしいですか？");
inline constexpr Phrase kDiscardChangesQuestion =
    TAVRIN_TEXT("game", "続行するとこれまでの変更内容が破棄されますが、よろしいですか？");

// The status bar as the daily game starts: its date and the goal.
inline constexpr Phrase kDailyGameStatus = TAVRIN_TEXT("game", "今日の一局（%1）　%2");
// "YYYY-MM-DD".
std::string isoDate(const ScoreDate& date);

// Menu captions and tool tips the flow changes.
inline constexpr Phrase kExitCaption = TAVRIN_TEXT("menu", "終了(&X)");
inline constexpr Phrase kInterruptCaption = TAVRIN_TEXT("menu", "中断(&P)");
inline constexpr Phrase kNewGameCaption = TAVRIN_TEXT("menu", "新規ゲーム(&N)");
inline constexpr Phrase kNewGameToolTip = TAVRIN_TEXT("menu", "新規ゲーム");
// Image of toolbar button 1 in play mode (the editor shows image 2).
inline constexpr int kNewGameImage = 1;

// "目標は達成されました。" and the four score lines.
Text goalReachedText(int eco, long loop, int bonus, int total);
// The last move was a discard.
Text discardTimeUpText();
// The last move was a placement.
Text placementTimeUpText();

} // namespace tavrin::game
