// The record of one free game: what it takes to play it again move for move
// and so prove its score. The game's random source draws the item layout and
// every dealt piece from the seed; the moves are the player's clicks. A hint
// changes nothing in the game and is not recorded.
//
// Little-endian throughout (version 1):
//   0   4  magic "TVRC"
//   4   1  format version (1)
//   5   1  number of item kinds, 2 .. 5
//   6   8  seed of the game's random source, u64
//   14  2  year of the daily game (今日の一局), 0 for any other game
//   16  1  its month, 1 .. 12 (0 when the year is 0)
//   17  1  its day, 1 .. 31 (0 when the year is 0)
//   18  2  number of moves n, 0 .. 1000
//   20  n  the moves, one byte each: 0 .. 63 a piece laid on that cell
//          (row × 8 + column), 64 the piece thrown into the trash
//   20+n 4 CRC-32 (as zlib computes it) of every byte before it
//
// As text (a registration, a file to mail) the same bytes are written as
// lower-case hexadecimal digits, two a byte.
#pragma once

#include "scores/score_page.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::game {

inline constexpr std::string_view kRecordMagic = "TVRC";
inline constexpr std::uint8_t kRecordVersion = 1;
// A free game runs out of moves long before this; longer is no record.
inline constexpr std::size_t kMaxRecordMoves = 1000;
inline constexpr std::size_t kRecordOverheadBytes = 24;
inline constexpr std::size_t kMaxRecordBytes = kRecordOverheadBytes + kMaxRecordMoves;
// The move byte of a discard; 0 .. 63 are cells.
inline constexpr std::uint8_t kDiscardMove = 64;

struct GameRecord {
    std::uint64_t seed = 0;
    int itemKinds = 3;
    std::optional<ScoreDate> daily; // the date of a daily game
    std::vector<std::uint8_t> moves;
    bool operator==(const GameRecord&) const = default;
};

enum class RecordProblem {
    None,
    NotARecord,   // another magic, or no bytes at all
    NewerVersion, // a format version this program does not know
    Truncated,    // shorter than its header says
    Damaged,      // wrong checksum, or bytes after the end
    BadValue,     // a value no game can have (kinds, date, move, count)
    TooLong,      // more than kMaxRecordBytes (text: twice that in digits)
};

struct RecordRead {
    std::optional<GameRecord> record;
    RecordProblem problem = RecordProblem::None;
};

// The bytes of a record; the record must be valid (recordValid).
std::string encodeRecord(const GameRecord& record);
// Accepts exactly the bytes encodeRecord writes for a valid record.
RecordRead decodeRecord(std::string_view bytes);

// The text form: hexadecimal digits of the bytes.
std::string recordText(const GameRecord& record);
// Lower- or upper-case digits, nothing else (surrounding blanks aside).
RecordRead readRecordText(std::string_view text);

// Kinds 2 .. 5, a real date or none, at most kMaxRecordMoves moves of 0 .. 64.
bool recordValid(const GameRecord& record);

// One line of English for tools and logs.
std::string_view recordProblemText(RecordProblem problem);

} // namespace tavrin::game
