#include "game/free_game.h"

#include "engine/analysis.h"
#include "engine/hint.h"
#include "engine/scoring.h"

#include <algorithm>

namespace tavrin::game {

FreeGame::FreeGame(GameState& state, RandomSource& random) : s_(state), random_(random) {}

Deal FreeGame::start(const ItemLayout& layout)
{
    busy_ = false;
    discardPending_ = false;
    result_ = TurnResult::kPlayOn;
    s_.puzzleCount = 0;
    s_.overrunState = 0;
    s_.maxMovesUsed = 0;
    s_.scoreChain = 0;
    s_.scoreLabelsDirty = 0;
    s_.cellItem.fill(-1);
    s_.loopLength.fill(0);
    s_.loopCount = 0;
    s_.labels = ScoreLabels{};

    s_.itemCount = static_cast<std::int16_t>(std::clamp(layout.count, 0, kMaxItems));
    s_.itemCells.fill(0);
    for (int e = 0; e < s_.itemCount; ++e) {
        if (isCell(layout.cells[e])) {
            s_.itemCells[e] = layout.cells[e];
            s_.cellItem[layout.cells[e]] = layout.kinds[e];
        }
    }

    s_.greenStamp.fill(-1);
    s_.board.fill(kEmpty);
    active_ = true;
    s_.movesUsed = 0;
    s_.loopPoints = 0;
    discards_.fill(-1);
    offered_ = -1;
    return dealPiece();
}

Placed FreeGame::place(int cell)
{
    Placed placed;
    placed.cell = cell;
    if (!active_ || busy_ || !isCell(cell)) {
        return placed;
    }
    if (!placementAllowed(s_.board, cell, offered_)) {
        placed.sameShape = true;
        return placed;
    }
    busy_ = true;
    placed.accepted = true;
    placed.oldPiece = s_.board[cell];
    placed.piece = offered_;
    s_.board[cell] = offered_;
    // A discard among the last ten deals makes the move free.
    if (!nextMoveFree()) {
        s_.movesUsed = static_cast<std::int16_t>(s_.movesUsed + 1);
    }
    s_.maxMovesUsed = std::max(s_.maxMovesUsed, s_.movesUsed);
    result_ = networkAnalysis(s_);
    placed.result = result_;
    switch (result_) {
    case TurnResult::kGoalReached:
    case TurnResult::kNoMovesLeft: placed.endsGame = true; break;
    case TurnResult::kFullNotGreen: placed.endsGame = kMoveLimit - s_.movesUsed <= 0; break;
    default: break;
    }
    return placed;
}

Discarded FreeGame::discard()
{
    Discarded discarded;
    if (!active_ || busy_) {
        return discarded;
    }
    busy_ = true;
    discarded.accepted = true;
    discards_[kDiscardSlots - 1] = offered_;

    const std::int16_t before = s_.movesUsed;
    s_.movesUsed = static_cast<std::int16_t>(s_.movesUsed + 1);
    s_.maxMovesUsed = std::max(s_.maxMovesUsed, s_.movesUsed);
    if (discards_[0] >= 0) {
        s_.movesUsed = before;
    }

    // The moves-left label shows the change until the next refresh.
    const long shown = labelNumber(s_.labels.movesLeft);
    const long left = kMoveLimit - s_.movesUsed;
    if (left > shown) {
        s_.labels.movesLeft += "+" + std::to_string(left - shown);
    } else if (left < shown) {
        s_.labels.movesLeft += std::to_string(left - shown);
    }
    s_.scoreLabelsDirty = static_cast<std::int16_t>(s_.scoreLabelsDirty + kDirtyMoves);

    discardPending_ = true;
    discarded.endsGame = kMoveLimit - s_.movesUsed <= 0;
    return discarded;
}

MoveEnd FreeGame::dealUnlessOver()
{
    if (kMoveLimit - s_.movesUsed > 0) {
        dealPiece();
        refreshScoreLabels(s_, true);
        busy_ = false;
        return MoveEnd::Dealt;
    }
    refreshScoreLabels(s_, true);
    return MoveEnd::TimeUp;
}

MoveEnd FreeGame::finishPlacement()
{
    switch (result_) {
    case TurnResult::kGoalReached: {
        s_.labels.movesLeft = std::to_string(pointTotal(s_));
        if (s_.scoreLabelsDirty > 0) {
            refreshScoreLabels(s_, false);
        }
        return MoveEnd::GoalReached;
    }
    case TurnResult::kNoMovesLeft:
        refreshScoreLabels(s_, true);
        return MoveEnd::TimeUp;
    case TurnResult::kFullNotGreen:
        // The board is full and forms one group, yet some cells are not green:
        // play goes on while moves are left.
        return dealUnlessOver();
    default:
        dealPiece();
        refreshScoreLabels(s_, true);
        busy_ = false;
        return MoveEnd::Dealt;
    }
}

std::optional<MoveEnd> FreeGame::finishDiscard()
{
    if (!discardPending_) {
        return std::nullopt;
    }
    discardPending_ = false;
    return dealUnlessOver();
}

Deal FreeGame::dealPiece()
{
    const std::int16_t previous = offered_;
    int piece = 0;
    for (;;) {
        piece = random_.Int(kPieceKinds);
        bool excluded = piece == previous;
        for (int k = 0; k < kDiscardSlots && !excluded; ++k) {
            excluded = discards_[k] == piece;
        }
        if (!excluded) {
            break;
        }
    }
    offered_ = static_cast<std::int16_t>(piece);
    ageDiscards();
    deal_ = {piece, previous};
    return deal_;
}

void FreeGame::ageDiscards()
{
    for (int k = 0; k + 1 < kDiscardSlots; ++k) {
        discards_[k] = discards_[k + 1];
    }
    discards_[kDiscardSlots - 1] = -1;
    s_.discardCount = static_cast<std::int16_t>(discardCount());
}

int FreeGame::discardCount() const
{
    return static_cast<int>(std::count_if(discards_.begin(), discards_.end(), [](std::int16_t d) { return d >= 0; }));
}

void FreeGame::resume(std::int16_t offeredPiece, const DiscardWindow& discards)
{
    s_.puzzleCount = 0;
    s_.overrunState = 0;
    active_ = true;
    busy_ = false;
    discardPending_ = false;
    result_ = TurnResult::kPlayOn;
    offered_ = offeredPiece;
    discards_ = discards;
    deal_ = {offeredPiece, -1};
    s_.discardCount = static_cast<std::int16_t>(discardCount());
}

} // namespace tavrin::game
