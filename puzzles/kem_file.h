// Reading and writing puzzle files. Reading works on a scratch list: the
// collection in memory changes only when a file was accepted.
#pragma once

#include "engine/game_state.h"
#include "engine/puzzle.h"
#include "engine/ui_text.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::kem {

// Message box (OK button, no icon) for a file that is not a puzzle file or
// holds no valid puzzle.
inline constexpr Phrase kNotPuzzleFileMessage = TAVRIN_TEXT("puzzles", "Tavrinの問題ファイルのファイル形式ではありません。");
// Status-bar text when a puzzle without a game mode blocks saving.
inline constexpr Phrase kModeMissingMessage =
    TAVRIN_TEXT("puzzles", "保存する前に全ての問題のゲームモードをつける必要があります。");
// %1 the path: a file that could not be opened or read.
inline constexpr Phrase kUnreadableMessage = TAVRIN_TEXT("puzzles", "%1を読み込むことができませんでした。");
// %1 the path: a save that could not be completed (the old file is kept).
inline constexpr Phrase kWriteFailedMessage = TAVRIN_TEXT("puzzles", "%1に保存することができませんでした。");

using PuzzleList = std::vector<Puzzle>;

enum class ReadStatus {
    Loaded,        // 1..64 puzzles
    NotPuzzleFile, // wrong magic (a file of 0 or 1 bytes too), or not one valid record
    Unreadable,    // could not be opened or read
};

struct PuzzleFileRead {
    ReadStatus status = ReadStatus::NotPuzzleFile;
    PuzzleList puzzles; // filled only when Loaded
    std::string path;
    std::string error;  // system text when Unreadable

    bool loaded() const { return status == ReadStatus::Loaded; }
    // What the window shows in a message box; empty when nothing is shown.
    Text message() const;
};

// Decodes the bytes of a puzzle file. Reading stops silently at the first
// short or damaged record (the ones before it are kept) and after 64 records.
PuzzleFileRead decodePuzzleFile(std::string_view bytes);

// Reads and decodes the file at `path`.
PuzzleFileRead readPuzzleFile(const std::filesystem::path& path);

// Replaces the collection in `state` by a loaded file and returns true; leaves
// `state` untouched and returns false for any other outcome.
bool applyPuzzleFile(GameState& state, const PuzzleFileRead& read);

// The puzzles 0 .. puzzleCount - 1 of `state`.
PuzzleList collectionOf(const GameState& state);

enum class SaveStatus {
    Saved,
    ModeMissing, // a puzzle without game mode: kModeMissingMessage, nothing written
    Invalid,     // more than 64 puzzles or a cell that is no piece: nothing written
    Cancelled,   // no file name: nothing written
    WriteFailed, // the old file, if any, is unchanged
};

struct PuzzleFileSave {
    SaveStatus status = SaveStatus::Cancelled;
    std::string path;  // the name written to (".kem" added when it was missing)
    std::string error; // system text when WriteFailed

    bool saved() const { return status == SaveStatus::Saved; }
    // Status-bar text for ModeMissing, message-box text for WriteFailed, else empty.
    Text message() const;
};

// Whether `puzzles` can be written: Saved when it can, else the reason.
// The window asks this before showing the save dialog.
SaveStatus checkSavable(const PuzzleList& puzzles);

// The 25-character comment in Shift-JIS: 25 to 50 bytes. A character that
// Shift-JIS cannot hold becomes "?"; a longer text is cut, a shorter padded.
std::string encodeComment(std::string_view utf8);

// The bytes of a puzzle file holding `puzzles` (which must pass checkSavable).
std::string encodePuzzleFile(const PuzzleList& puzzles);

// Checks, then writes `puzzles` to `chosenName` (".kem" appended when it does
// not end in it, in any case) through a temporary file beside it.
PuzzleFileSave savePuzzleFile(std::string_view chosenName, const PuzzleList& puzzles);

} // namespace tavrin::kem
