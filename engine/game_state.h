// The board and engine state that the game flow, the editor and the renderer share.
#pragma once

#include "engine/board.h"
#include "engine/puzzle.h"

#include <array>
#include <cstdint>
#include <string>

namespace tavrin {

inline constexpr int kMaxItems = 5;
inline constexpr int kMoveLimit = 100;
inline constexpr int kGroupSlots = 129;
inline constexpr int kListSlots = 65;

// Turn result codes of a free-game analysis.
namespace TurnResult {
inline constexpr std::int16_t kPlayOn = 0;
inline constexpr std::int16_t kGoalReached = -1;
inline constexpr std::int16_t kNoMovesLeft = -2;
inline constexpr std::int16_t kFullNotGreen = -3;
} // namespace TurnResult

// The four score labels of the main window. The engine writes their captions;
// the window only shows them.
struct ScoreLabels {
    std::string ecoPoints = "0";   // eco points
    std::string movesLeft = "100"; // moves left
    std::string loopPoints = "0";   // loop points
    std::string chain;         // chain, blank below 2
    bool operator==(const ScoreLabels&) const = default;
};

struct GameState {
    Board board{};
    std::array<Puzzle, kPuzzleSlots> puzzles{};
    std::int16_t puzzleCount = 0;
    std::int16_t puzzleIndex = -1; // the puzzle being played in series play

    bool editMode = false;
    bool puzzleSeries = false;
    std::int16_t selectedShape = 0;

    std::int16_t movesUsed = 0;
    std::int16_t maxMovesUsed = 0;

    std::int16_t itemCount = 0;
    std::array<std::int16_t, kMaxItems> itemCells{};
    std::array<std::int16_t, kBoardSlots> cellItem{};

    std::array<std::int16_t, kBoardSlots> greenStamp{};
    std::array<bool, kBoardSlots> greenChanged{};

    std::int16_t analysisKind = 0; // 1 = loop points, 0 = number of groups
    bool modeSettingActive = false;
    std::int16_t loopTarget = 0;

    // Results of the last analysis.
    std::int32_t loopPoints = 0;
    std::int16_t groupCount = 0;
    std::array<std::int16_t, kGroupSlots> groupSize{};
    std::array<std::array<std::int16_t, kListSlots>, kListSlots> groupMembers{};
    std::int16_t loopCount = 0;
    std::array<std::int16_t, kListSlots> loopLength{};
    std::array<std::array<std::int16_t, kListSlots>, kListSlots> loopCells{};

    // Free-game scoring.
    std::int16_t scoreChain = 0;
    std::int16_t movesReturnedTotal = 0;
    std::int16_t scoreLabelsDirty = 0;
    std::int16_t movesReturned = 0;
    bool noMovesReturned = true;
    std::int16_t discardCount = 0; // occupied slots of the ten-deal discard window
    std::int16_t overrunState = 0; // 0 normal, 1 advance automatically, 2 finished
    ScoreLabels labels;

    // The free game kept aside while the editor or a series uses the board.
    Board boardSave{};
    std::array<std::int16_t, kBoardSlots> greenStampSave{};
    std::array<bool, kBoardSlots> greenChangedSave{};
    std::array<std::int16_t, kBoardSlots> cellItemSave{};

    GameState();

    bool freeGame() const { return !editMode && !puzzleSeries; }
};

// True when cell `Index` already holds what the palette would put there.
bool holdsSelectedShape(const GameState& state, int Index);

} // namespace tavrin
