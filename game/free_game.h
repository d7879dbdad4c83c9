// The rules of the free game, apart from anything shown: the items, the
// supply of pieces, placements and discards, the moves, the end. Each step
// says what happened; the controller shows it. The replay tool and the score
// server's verification play games with these rules alone.
#pragma once

#include "engine/game_state.h"
#include "game/item_layout.h"
#include "game/random.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tavrin::game {

inline constexpr int kDiscardSlots = 10;
using DiscardWindow = std::array<std::int16_t, kDiscardSlots>;

// A placement on the board, accepted or refused.
struct Placed {
    bool accepted = false;
    bool sameShape = false; // refused: the cell holds the offered shape already
    int cell = -1;
    int oldPiece = -1;
    int piece = -1;
    std::int16_t result = TurnResult::kPlayOn; // the turn result of the analysis
    bool endsGame = false; // the game is over once the move has played out
};

// A discard into the trash.
struct Discarded {
    bool accepted = false;
    bool endsGame = false;
};

// How a move ends once it has played out.
enum class MoveEnd {
    Dealt,       // the next piece is offered
    GoalReached, // the board is full, one group and green: the game is won
    TimeUp,      // no moves are left
};

// A piece dealt: the one offered now and the one it replaced (-1 for none).
struct Deal {
    int piece = -1;
    int previous = -1;
};

class FreeGame {
public:
    FreeGame(GameState& state, RandomSource& random);

    // A game is on the board and not over.
    bool active() const { return active_; }
    // A move was accepted and has not played out yet (also after the last
    // move of a game that is over).
    bool busy() const { return busy_; }
    int offeredPiece() const { return offered_; }
    const DiscardWindow& discards() const { return discards_; }
    // The last placement's turn result.
    std::int16_t turnResult() const { return result_; }
    // A discard that has not played out yet.
    bool discardPending() const { return discardPending_; }
    // A placement now costs no move: a discard lies in the window of the last ten deals.
    bool nextMoveFree() const { return discards_[0] >= 0; }

    // A new game with `layout`'s items: everything of the last game cleared,
    // the first piece dealt.
    Deal start(const ItemLayout& layout);
    // Lays the offered piece on `cell` and analyses the board.
    Placed place(int cell);
    // Throws the offered piece into the trash.
    Discarded discard();
    // The placement has played out: the next piece, or the end.
    MoveEnd finishPlacement();
    // The discard has played out; nothing when none was pending.
    std::optional<MoveEnd> finishDiscard();
    // The last deal (after start, finishPlacement or finishDiscard dealt).
    const Deal& lastDeal() const { return deal_; }
    // The game is over.
    void end() { active_ = false; }
    // A move in progress is taken as played out (another activity takes the board).
    void setBusy(bool busy) { busy_ = busy; }

    // Takes up a kept game where it was left (its values checked before).
    void resume(std::int16_t offeredPiece, const DiscardWindow& discards);
    // Discards in the window, as the trash counts them.
    int discardCount() const;

    // Stands in for the piece the supply would offer next (replays of
    // recorded pieces and tests).
    void setOfferedPiece(int piece) { offered_ = static_cast<std::int16_t>(piece); }

private:
    Deal dealPiece();
    void ageDiscards();
    MoveEnd dealUnlessOver();

    GameState& s_;
    RandomSource& random_;
    bool active_ = false;
    bool busy_ = false;
    bool discardPending_ = false;
    std::int16_t offered_ = -1;
    DiscardWindow discards_{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    std::int16_t result_ = TurnResult::kPlayOn;
    Deal deal_;
};

} // namespace tavrin::game
