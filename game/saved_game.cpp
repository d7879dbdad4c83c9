// Capturing a free game between two moves and taking it up again.
#include "game/saved_game.h"

#include "engine/analysis.h"
#include "engine/scoring.h"
#include "game/daily_game.h"
#include "game/flow_texts.h"
#include "game/saved_game_file.h"

#include <algorithm>
#include <memory>

namespace tavrin::game {

namespace {

bool inRange(int value, int low, int high) { return value >= low && value <= high; }

// The moves a chain of `n` gives back when it ends.
constexpr int movesBackForChain(int n) { return ((n - 5) / 5) * ((n - 5) / 5) + 1; }

// A chain is a run of placements, and each of them costs a move unless a
// discard ten deals earlier paid for it; only the ten deals before the chain
// can have paid without costing a move inside it. So a chain is never longer
// than the moves used plus the discard window.
constexpr int kLongestChain = kMoveLimit + kDiscardSlots;

// What the board says about the kept values: the cells greening leaves green,
// and the points the board is worth.
bool boardAgrees(const SavedGame& g)
{
    auto probe = std::make_unique<GameState>();
    probe->editMode = true; // groups and loops only: no scoring, no stamps
    std::copy(g.board.begin(), g.board.end(), probe->board.begin());
    networkAnalysis(*probe);
    std::array<int, kCellCount> groupOf{};
    groupOf.fill(-1);
    for (int group = 0; group < probe->groupCount; ++group) {
        for (int m = 0; m < probe->groupSize[group]; ++m) {
            groupOf[probe->groupMembers[group][m]] = group;
        }
    }
    // The items are linked when one group holds every item's cell; exactly
    // that group is green, and nothing is green while they are apart.
    int linked = groupOf[g.itemCells[0]];
    for (int e = 1; e < g.itemCount; ++e) {
        linked = groupOf[g.itemCells[e]] == linked ? linked : -1;
    }
    for (int c = 0; c < kCellCount; ++c) {
        const bool green = g.greenStamp[c] >= 0;
        if (green != (linked >= 0 && groupOf[c] == linked)) {
            return false;
        }
        // A cell turned green at some move up to the highest one played.
        if (green && g.greenStamp[c] < kMoveLimit - g.maxMovesUsed) {
            return false;
        }
    }
    // Every move of a chain raised the points, which start at 0.
    probe->greenStamp.fill(-1);
    std::copy(g.greenStamp.begin(), g.greenStamp.end(), probe->greenStamp.begin());
    probe->maxMovesUsed = g.maxMovesUsed;
    return g.scoreChain <= static_cast<long>(ecoPoints(*probe)) + probe->loopPoints;
}

bool plainLabel(const std::string& label)
{
    return label.size() <= kMaxSavedLabel
           && std::all_of(label.begin(), label.end(), [](char c) { return (c >= '0' && c <= '9') || c == '+' || c == '-'; });
}

} // namespace

std::optional<SavedGame> captureSavedGame(const GameController& controller)
{
    if (!controller.freeGameAtRest()) {
        return std::nullopt;
    }
    const GameState& s = controller.state();
    const FreeGame& free = controller.freeGame();
    SavedGame g;
    std::copy_n(s.board.begin(), kCellCount, g.board.begin());
    std::copy_n(s.greenStamp.begin(), kCellCount, g.greenStamp.begin());
    g.itemCount = s.itemCount;
    for (int e = 0; e < s.itemCount && e < kMaxItems; ++e) {
        g.itemCells[e] = s.itemCells[e];
        g.itemKinds[e] = isCell(s.itemCells[e]) ? s.cellItem[s.itemCells[e]] : std::int16_t{-1};
    }
    g.movesUsed = s.movesUsed;
    g.maxMovesUsed = s.maxMovesUsed;
    g.scoreChain = s.scoreChain;
    g.movesReturnedTotal = s.movesReturnedTotal;
    g.movesReturned = s.movesReturned;
    g.noMovesReturned = s.noMovesReturned;
    g.scoreLabelsDirty = s.scoreLabelsDirty;
    g.labels = s.labels;
    g.offeredPiece = static_cast<std::int16_t>(free.offeredPiece());
    g.discardWindow = free.discards();
    g.random = controller.supply().state();
    g.record = controller.record();
    return g;
}

bool savedGameValid(const SavedGame& g)
{
    for (int c = 0; c < kCellCount; ++c) {
        if (!inRange(g.board[c], kEmpty, kPieceKinds - 1) || !inRange(g.greenStamp[c], -1, kMoveLimit)) {
            return false;
        }
    }
    if (!inRange(g.itemCount, 2, kMaxItems)) {
        return false;
    }
    std::array<bool, kCellCount> itemCell{};
    std::array<bool, kMaxItems> kind{};
    for (int e = 0; e < g.itemCount; ++e) {
        const int cell = g.itemCells[e];
        const int k = g.itemKinds[e];
        if (!isCell(cell) || itemCell[cell] || !inRange(k, 0, g.itemCount - 1) || kind[k]) {
            return false;
        }
        itemCell[cell] = true;
        kind[k] = true;
    }
    // A game with no moves left is over; the highest count never falls below the count.
    if (!inRange(g.movesUsed, 0, kMoveLimit - 1) || !inRange(g.maxMovesUsed, g.movesUsed, kMoveLimit)) {
        return false;
    }
    if (!inRange(g.scoreLabelsDirty, 0, kDirtyEco + kDirtyLoop + kDirtyMoves + kDirtyChain)) {
        return false;
    }
    // The chain and the moves it gave back: the last return is what a chain
    // can give and is told exactly when there was one; the sum still takes
    // another return without overflowing.
    if (!inRange(g.scoreChain, 0, g.movesUsed + kDiscardSlots)
        || !inRange(g.movesReturned, 0, movesBackForChain(kLongestChain))
        || (g.movesReturned > 0) == g.noMovesReturned
        || !inRange(g.movesReturnedTotal, 0, INT16_MAX - kMoveLimit)) {
        return false;
    }
    if (!plainLabel(g.labels.ecoPoints) || !plainLabel(g.labels.movesLeft) || !plainLabel(g.labels.loopPoints)
        || !plainLabel(g.labels.chain)) {
        return false;
    }
    // The deal has aged the window: its newest slot is free, and the offered
    // piece is none of the shapes it still keeps out, so the next deal always
    // finds a shape.
    if (!inRange(g.offeredPiece, 0, kPieceKinds - 1) || g.discardWindow[kDiscardSlots - 1] != -1) {
        return false;
    }
    for (const std::int16_t slot : g.discardWindow) {
        if (!inRange(slot, -1, kPieceKinds - 1) || slot == g.offeredPiece) {
            return false;
        }
    }
    // A record is the game's own: its seed and items, and a daily game's is that date's.
    if (g.record
        && (!recordValid(*g.record) || g.record->seed != g.random.seed || g.record->itemKinds != g.itemCount
            || (g.record->daily && !isDailyGame(*g.record)))) {
        return false;
    }
    return g.random.draws <= RandomSource::kSeedSpan && boardAgrees(g);
}

// --- the controller's side -------------------------------------------------------

bool GameController::freeGameAtRest() const
{
    return s_.freeGame() && free_.active() && !free_.busy() && !timerOn(Timer::Evaluation)
           && !timerOn(Timer::AfterDiscard);
}

bool GameController::settleBeforeSaving()
{
    if (!s_.freeGame() || !free_.active()) {
        return false;
    }
    const bool movesLeft = kMoveLimit - s_.movesUsed > 0;
    const bool placementPlaysOn =
        timerOn(Timer::Evaluation) && !f_.reverseRun
        && (free_.turnResult() == TurnResult::kPlayOn
            || (free_.turnResult() == TurnResult::kFullNotGreen && movesLeft));
    const bool discardPlaysOn = timerOn(Timer::AfterDiscard) && free_.discardPending() && movesLeft;
    if (placementPlaysOn || discardPlaysOn) {
        settlePendingMove();
    }
    return freeGameAtRest();
}

SavedGameProblem GameController::continueFreeGame(const SavedGame& g)
{
    if (!savedGameValid(g)) {
        return SavedGameProblem::Damaged;
    }
    // The daily game has its own item kinds, which a picture of more shows too.
    const bool daily = g.record && g.record->daily;
    if (daily ? g.itemCount > itemKinds_ : g.itemCount != itemKinds_) {
        return SavedGameProblem::ItemsChanged;
    }
    supply_.restore(g.random);
    clearForFreeGame();
    record_ = g.record;
    recordFinished_ = false;

    s_.itemCount = g.itemCount;
    s_.itemCells.fill(0);
    s_.cellItem.fill(-1);
    for (int e = 0; e < g.itemCount; ++e) {
        s_.itemCells[e] = g.itemCells[e];
        s_.cellItem[g.itemCells[e]] = g.itemKinds[e];
    }
    s_.board.fill(kEmpty);
    s_.greenStamp.fill(-1);
    std::copy(g.board.begin(), g.board.end(), s_.board.begin());
    std::copy(g.greenStamp.begin(), g.greenStamp.end(), s_.greenStamp.begin());
    s_.greenChanged.fill(false);

    s_.movesUsed = g.movesUsed;
    s_.maxMovesUsed = g.maxMovesUsed;
    s_.scoreChain = g.scoreChain;
    s_.movesReturnedTotal = g.movesReturnedTotal;
    s_.movesReturned = g.movesReturned;
    s_.noMovesReturned = g.noMovesReturned;
    s_.scoreLabelsDirty = g.scoreLabelsDirty;
    s_.labels = g.labels;

    // Groups, loops and loop points follow from the board alone; they are
    // found on a copy, so that neither the green stamps nor the score move.
    {
        GameState probe = s_;
        probe.editMode = true;
        networkAnalysis(probe);
        s_.loopPoints = probe.loopPoints;
        s_.groupCount = probe.groupCount;
        s_.groupSize = probe.groupSize;
        s_.groupMembers = probe.groupMembers;
        s_.loopCount = probe.loopCount;
        s_.loopLength = probe.loopLength;
        s_.loopCells = probe.loopCells;
    }

    free_.resume(g.offeredPiece, g.discardWindow);
    f_.lastCell = -1;
    f_.animNew = g.offeredPiece;
    f_.animOld = -1;
    f_.hoverRefresh = true;
    out_.screen().setTrash(free_.discardCount());

    showScoreLabels();
    out_.screen().setFrameVisible(ScoreFrame::MovesLeft, true);
    setFreeFrameCaption(ScoreFrame::MovesLeft, kMovesLeftCaption);
    playFreeGameMusic();
    out_.screen().setStatus(themeGoal_);
    showNewBoard();
    refreshHint();
    return SavedGameProblem::None;
}

} // namespace tavrin::game
