// Texts of the puzzle editor: questions, prompts, captions and tool tips.
#pragma once

#include <string_view>

namespace tavrin::game {

inline constexpr std::string_view kReplaceModeQuestion =
    "この問題には既にゲームモードが指定されています。\n続行するとゲームモードは取り消されますがよろしいですか？";
inline constexpr std::string_view kCommentPrompt = "何かこの問題のコメントを書いてください。";

// Button 1 and the first Game menu item while the editor is open.
inline constexpr std::string_view kNewPuzzleCaption = "新規問題(&N)";
inline constexpr std::string_view kNewPuzzleToolTip = "新規問題の作成";
inline constexpr int kNewPuzzleImage = 2;

// Game menu item 10 while a puzzle file is open in the editor.
inline constexpr std::string_view kCloseCaption = "閉じる(&C)";

} // namespace tavrin::game
