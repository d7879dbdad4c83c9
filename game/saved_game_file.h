// The saved-game file: one free game between two moves, kept in the user's
// data folder so that the next start takes it up again.
//
// Little-endian throughout:
//   0   8  magic "TAVRGAME"
//   8   2  format version (1, or 2 for a game with its record)
//   10  4  length n of the body
//   14  n  body (version 1):
//          random seed u64, draws since the seed u64,
//          moves used, highest moves used, chain, moves returned in all,
//          moves returned by the last move, label flags: i16 each,
//          no moves returned by the last move u8 (0/1), offered piece i8,
//          discard window 10 × i8 (oldest first, -1 empty),
//          item count u8, 5 × (item cell u8, item kind u8) (0xFF 0xFF unused),
//          board 64 × i8 (-1 empty), green stamps 64 × i8 (-1 not green),
//          the four score labels (eco, moves left, loop, chain), each a
//          length u8 (0 .. 24) and that many characters out of "0-9+-"
//          version 2 only: the length u16 of the game's record, then the
//          record itself (game/game_record.h)
//   14+n 4 CRC-32 (as zlib computes it) of every byte before it
#pragma once

#include "engine/ui_text.h"
#include "game/saved_game.h"
#include "puzzles/atomic_file.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin::game {

inline constexpr std::string_view kSavedGameMagic = "TAVRGAME";
// The version of a game without its record; one with it is version 2.
inline constexpr std::uint16_t kSavedGameVersion = 1;
inline constexpr std::uint16_t kSavedGameWithRecordVersion = 2;
// No saved game comes near this; a longer file is not one.
inline constexpr std::size_t kMaxSavedGameBytes = 4096 + kMaxRecordBytes;

struct SavedGameRead {
    std::optional<SavedGame> game;
    SavedGameProblem problem = SavedGameProblem::None;
};

std::string encodeSavedGame(const SavedGame& game);
// Accepts exactly the bytes encodeSavedGame writes for a valid game.
SavedGameRead decodeSavedGame(std::string_view bytes);

// Reads a plain file only, so that a pipe or a device in its place cannot
// stall the start.
SavedGameRead readSavedGameFile(const std::filesystem::path& path);
FileWriteResult writeSavedGameFile(const std::filesystem::path& path, const SavedGame& game);
// Moves a file that was not taken up out of the way (to `path` + ".refused",
// replacing an older one), so that the next game's save does not destroy it.
void setRefusedSavedGameAside(const std::filesystem::path& path);
// Removes the saved game of a game that is over.
void removeSavedGameFile(const std::filesystem::path& path);

// The status-bar note for a saved game that was not taken up ("" for None
// and Missing).
Text savedGameNote(SavedGameProblem problem);
// The status-bar note when the game could not be saved.
Text savedGameWriteFailedNote();

} // namespace tavrin::game
