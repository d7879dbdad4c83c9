// The desktop's files as the session sees them: puzzle files opened and
// saved by name, and the registration pages written beside the program. The
// page has none: files reach it as bytes, and it keeps only its own store.
#pragma once

#include "engine/ui_text.h"
#include "puzzles/kem_file.h"
#include "scores/high_scores.h"
#include "scores/score_pages.h"
#include "scores/settings_store.h"

#include <filesystem>
#include <memory>
#include <string>

namespace tavrin::game {

// Why a named puzzle file cannot be played when it is not there (or there is
// no disk to find it on).
inline constexpr Phrase kPuzzleFileNotFound = TAVRIN_TEXT("app", "問題ファイルを開けません：ファイルが見つかりません。");

class Disk {
public:
    virtual ~Disk() = default;

    // Why `path` cannot be played as a puzzle file (not found, not a plain
    // ".kem" file), or nothing when it may be read.
    virtual Text puzzleFileProblem(const std::string& path) const = 0;
    // The file at `path`, named by its full path (the name its high scores
    // are kept under) when `absolute`.
    virtual kem::PuzzleFileRead readPuzzleFile(const std::string& path, bool absolute) const = 0;
    virtual kem::PuzzleFileSave savePuzzleFile(const std::string& name, const kem::PuzzleList& puzzles) const = 0;

    // The free game's high-score window after the registration page step.
    virtual FreeHighScoreWindow freeHighScores(HighScores& scores, int itemCount) = 0;
    // The free-game tables were cleared: their registration pages go too.
    virtual void scoresCleared() = 0;
};

// Files on the local file system; registration pages in `pageFolder` (none
// are written when it is empty).
std::unique_ptr<Disk> localDisk(const std::filesystem::path& pageFolder, const SettingsStore& settings);

} // namespace tavrin::game
