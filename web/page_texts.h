// Texts of the page itself (its boxes, menus and notes).
#pragma once

#include "engine/ui_text.h"

namespace tavrin::web {

inline constexpr Phrase kOkText = TAVRIN_TEXT("web", "OK");
inline constexpr Phrase kYesText = TAVRIN_TEXT("web", "はい");
inline constexpr Phrase kNoText = TAVRIN_TEXT("web", "いいえ");
inline constexpr Phrase kCancelText = TAVRIN_TEXT("web", "キャンセル");
inline constexpr Phrase kLanguageText = TAVRIN_TEXT("web", "English");
inline constexpr Phrase kStorageRefusedText =
    TAVRIN_TEXT("web", "このブラウザーには保存できないため、ハイスコアとゲームは残りません。このまま遊ぶことはできます。");
inline constexpr Phrase kOpenTitle = TAVRIN_TEXT("web", "問題ファイルを開く");
inline constexpr Phrase kOpenDeviceText = TAVRIN_TEXT("web", "この端末のファイル...");
inline constexpr Phrase kDropText = TAVRIN_TEXT("web", "問題ファイル(*.kem)をここにドロップしても開けます。");
inline constexpr Phrase kDesktopOnlyText =
    TAVRIN_TEXT("web", "ブラウザー版には問題の編集とエコ・テーマはありません。デスクトップ版でお使いください。");
inline constexpr Phrase kHelpText = TAVRIN_TEXT("web", "ヘルプ");
inline constexpr Phrase kCloseText = TAVRIN_TEXT("web", "閉じる");
inline constexpr Phrase kTrashText = TAVRIN_TEXT("web", "ゴミ箱");
inline constexpr Phrase kRankingFailedText = TAVRIN_TEXT("web", "ランキングに登録できませんでした。サーバーにつながりません。");
inline constexpr Phrase kFetchFailedText =
    TAVRIN_TEXT("web", "ファイルを読み込めませんでした。ネットワークにつながっているか確かめてください。");

} // namespace tavrin::web
