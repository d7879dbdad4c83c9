// Names, keys and texts of the high-score tables.
#pragma once

#include "engine/ui_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

inline constexpr std::string_view kProductName = "Tavrin for Windows";

inline constexpr int kScorePlaces = 5;
inline constexpr int kFreeTables = 5; // table t holds the games with t + 1 item kinds
inline constexpr std::int16_t kFreeDefaultScore = 0;
inline constexpr std::int16_t kSeriesDefaultScore = 999;
inline constexpr std::string_view kNoName = "No Name";

inline constexpr std::string_view kFreeSectionPrefix = "HighScore";
inline constexpr std::string_view kScoreKeyPrefix = "Score";
inline constexpr std::string_view kNameKeyPrefix = "Name";

inline constexpr Phrase kClearFreeQuestion = TAVRIN_TEXT("scores", "エコモードのハイスコアを消去してもよいですか？");

// The three buttons of the high-score window: OK, registration and copy.
inline constexpr std::string_view kOkButton = "OK";
inline constexpr Phrase kRegisterButton = TAVRIN_TEXT("scores", "ハイスコア登録");
inline constexpr Phrase kCopyButton = TAVRIN_TEXT("scores", "クリップボードへコピー");
// Sends the game's record to the score server, which replays it to prove the score.
inline constexpr Phrase kRegisterRecordButton = TAVRIN_TEXT("scores", "ランキングに登録");

// "HighScore1" ... "HighScore5" for tables 0 ... 4.
std::string freeSection(int table);
// "Score1" ... "Score5" and "Name1" ... "Name5" for places 0 ... 4.
std::string scoreKey(int place);
std::string nameKey(int place);

// The settings section of a puzzle file's table: its path with every "\"
// turned into "/".
std::string seriesSection(std::string_view path);
// The file name of `path` without its folder and without a ".kem" ending
// (any case).
std::string seriesFileTitle(std::string_view path);

// The name prompts shown in an input box titled kProductName; `place` counts
// from 0.
Text freeEntryPrompt(int itemCount, int place);
Text seriesEntryPrompt(std::string_view path, int place);
// The same for a series shown under `title` (a series the game makes).
Text seriesEntryPromptFor(const Text& title, int place);

Text clearSeriesQuestion(std::string_view path);
Text clearSeriesQuestionFor(const Text& name);

// Captions of the high-score window.
Text freeTableCaption(int itemCount);
Text seriesTableCaption(std::string_view path);
Text seriesTableCaptionFor(const Text& title);

// Under the rows of a series table: what its numbers count.
inline constexpr Phrase kSeriesTableNote = TAVRIN_TEXT("scores", "数字はミスの回数です。少ないほど上位です。");

// A typed name up to its first NUL character.
std::string nameUpToNul(std::string_view answer);

// Names are kept to this many characters, as typed and as read back from the
// settings (which anyone may have edited).
inline constexpr std::size_t kMaxNameLength = 32;
// A name as the tables keep it: up to its first NUL, at most kMaxNameLength
// characters.
std::string keptName(std::string_view text);

// Said when a high-score entry could not be written to the settings.
inline constexpr Phrase kEntryNotKeptMessage =
    TAVRIN_TEXT("scores", "ハイスコアを保存できませんでした。この記録はゲームを終了すると消えます。");

} // namespace tavrin
