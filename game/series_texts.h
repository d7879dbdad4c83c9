// Texts of series play: the score frames while a series runs, the result at
// its end, and the names and comments of the series the game makes.
#pragma once

#include "engine/ui_text.h"

#include <string>

namespace tavrin::game {

// Captions of the four score frames while a series runs.
inline constexpr Phrase kPuzzleNumberCaption = TAVRIN_TEXT("game", "問題");
inline constexpr Phrase kMissesCaption = TAVRIN_TEXT("game", "ミス");
inline constexpr Phrase kGroupsCaption = TAVRIN_TEXT("game", "グループ数");
inline constexpr Phrase kLoopToBeatCaption = TAVRIN_TEXT("game", "超える点");

// The end of a series played from a file named on the command line.
Text seriesResultText(int puzzleCount, int misses);

// The names a generated series is shown under (its stored name stays Japanese).
inline constexpr Phrase kFreshSeriesTitle = TAVRIN_TEXT("game", "おまかせ問題");
// %1 the date as YYYY-MM-DD.
inline constexpr Phrase kDailySeriesTitle = TAVRIN_TEXT("game", "今日の問題 %1");

// The comment of a generated puzzle of `grade` (0 .. 5), as the comment box
// shows it: its grade and stars.
Text gradeCommentText(int grade);

} // namespace tavrin::game
