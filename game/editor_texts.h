// Texts of the puzzle editor: questions, prompts, captions and tool tips.
#pragma once

#include "engine/ui_text.h"

namespace tavrin::game {

inline constexpr Phrase kReplaceModeQuestion = TAVRIN_TEXT(
    "game", "この問題には既にゲームモードが指定されています。\n続行するとゲームモードは取り消されますがよろしいですか？");
inline constexpr Phrase kCommentPrompt = TAVRIN_TEXT("game", "何かこの問題のコメントを書いてください。");
// Button 1 and the first Game menu item while the editor is open.
inline constexpr Phrase kNewPuzzleCaption = TAVRIN_TEXT("menu", "新規問題(&N)");
inline constexpr Phrase kNewPuzzleToolTip = TAVRIN_TEXT("menu", "新規問題の作成");
// Its own picture: a page with a road tile, not the folder of 開く.
inline constexpr int kNewPuzzleImage = 19;
// Game menu item 10 while a puzzle file is open in the editor.
inline constexpr Phrase kCloseCaption = TAVRIN_TEXT("menu", "閉じる(&C)");

} // namespace tavrin::game
