// A free game between two moves, as it is kept across runs of the program:
// everything the next moves depend on and everything the window shows of it.
#pragma once

#include "engine/game_state.h"
#include "game/controller.h"
#include "game/game_record.h"
#include "game/random.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tavrin::game {

struct SavedGame {
    std::array<std::int16_t, kCellCount> board{};      // -1 empty, 0 .. 10
    std::array<std::int16_t, kCellCount> greenStamp{}; // -1 not green, else 0 .. 100
    std::int16_t itemCount = 0;                        // 2 .. 5
    std::array<std::int16_t, kMaxItems> itemCells{};   // the first itemCount entries are used
    std::array<std::int16_t, kMaxItems> itemKinds{};   // a permutation of 0 .. itemCount - 1

    std::int16_t movesUsed = 0; // 0 .. 99: a game with no moves left is over
    std::int16_t maxMovesUsed = 0;
    std::int16_t scoreChain = 0;
    std::int16_t movesReturnedTotal = 0;
    std::int16_t movesReturned = 0;
    bool noMovesReturned = true;
    std::int16_t scoreLabelsDirty = 0;
    ScoreLabels labels;

    std::int16_t offeredPiece = 0;
    std::array<std::int16_t, kDiscardSlots> discardWindow{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

    RandomState random;
    // The game's seed and its moves so far, when it can be played again from them.
    std::optional<GameRecord> record;

    bool operator==(const SavedGame&) const = default;
};

// Why a saved game was not taken up.
enum class SavedGameProblem {
    None,
    Missing,       // no file: nothing to take up, nothing to say
    Unreadable,    // not a plain file, or reading failed
    Foreign,       // no saved game of this program
    FutureVersion, // written by a later version of the program
    Truncated,     // shorter than its header says
    Damaged,       // wrong checksum, trailing bytes, or values no game can have
    ItemsChanged,  // laid out for a different number of items than the item picture holds
};

// The longest score label kept; a plain number or a number and its change.
inline constexpr std::size_t kMaxSavedLabel = 24;

// The free game as it stands, or nothing when there is none at rest to keep
// (no free game, a move still playing, a game that is over, the editor or a
// series on the board).
std::optional<SavedGame> captureSavedGame(const GameController& controller);

// True when every value lies where a game between two moves can put it, so
// that a game continued from it can neither misbehave nor stall.
bool savedGameValid(const SavedGame& game);

} // namespace tavrin::game
