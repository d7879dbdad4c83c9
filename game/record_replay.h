// Playing a recorded free game again by the real rules, to prove its score:
// the free game's rules on the record's seed, nothing shown.
#pragma once

#include "engine/game_state.h"
#include "game/game_record.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace tavrin::game {

// One free game played move by move as the window plays it, each move
// played out at once. The verifier and the tools that make records both play
// through it.
class FreeGamePlay {
public:
    FreeGamePlay(std::uint64_t seed, int itemKinds);
    ~FreeGamePlay();
    FreeGamePlay(const FreeGamePlay&) = delete;
    FreeGamePlay& operator=(const FreeGamePlay&) = delete;

    enum class Outcome {
        Played,  // the rules took the move and it was played out
        Refused, // the rules refused it (the offered shape laid on itself)
        Over,    // the game had already ended
    };
    // A record move: 0 .. 63 lays the offered piece on that cell,
    // kDiscardMove throws it into the trash.
    Outcome play(std::uint8_t move);

    // The game goes on (not yet ended by the goal or by the move limit).
    bool active() const;
    bool goalReached() const;
    // The total the game gives at the goal (pointTotal); 0 before it.
    int score() const { return score_; }
    int offeredPiece() const;
    // The next move costs nothing (a discard among the last ten deals).
    bool nextMoveFree() const;
    const GameState& state() const;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
    int score_ = 0;
    bool goal_ = false;
};

enum class Verdict {
    Finished,       // the record replays to the goal (and to the claimed score)
    Malformed,      // not a valid record
    NotDailyGame,   // a daily record whose seed or kinds are not that date's
    MoveRefused,    // the rules refuse one of its moves
    MovesAfterEnd,  // moves left over once the game ended
    GoalNotReached, // it runs out of moves, or stops before the goal
    ScoreDiffers,   // finished, with another score than the one claimed
};

struct Verification {
    Verdict verdict = Verdict::Malformed;
    int score = 0;  // Finished and ScoreDiffers: the score the game gives
    int move = -1;  // MoveRefused, MovesAfterEnd: the move at fault, from 0
    RecordProblem problem = RecordProblem::None; // Malformed: why
    bool finished() const { return verdict == Verdict::Finished; }
};

// Replays `record`; with `claimedScore`, a finished game must give exactly it.
// Costs one analysis of the board per move, at most kMaxRecordMoves of them.
Verification verifyRecord(const GameRecord& record, std::optional<int> claimedScore = std::nullopt);
// The same from the record's bytes.
Verification verifyRecordBytes(std::string_view bytes, std::optional<int> claimedScore = std::nullopt);

// One line of English for tools and logs.
std::string_view verdictText(Verdict verdict);

} // namespace tavrin::game
