#include "game/record_replay.h"

#include "engine/scoring.h"
#include "game/daily_game.h"
#include "game/free_game.h"
#include "game/item_layout.h"
#include "game/random.h"

namespace tavrin::game {

// The rules alone, as the game window plays them: the supply seeded with the
// record's seed draws the items, then every piece.
struct FreeGamePlay::Parts {
    Parts(std::uint64_t seed, int itemKinds) : supply(seed), game(state, supply)
    {
        game.start(drawItemLayout(std::clamp(itemKinds, 2, kMaxItems), supply));
    }
    GameState state;
    RandomSource supply;
    FreeGame game;
};

FreeGamePlay::FreeGamePlay(std::uint64_t seed, int itemKinds) : parts_(std::make_unique<Parts>(seed, itemKinds)) {}

FreeGamePlay::~FreeGamePlay() = default;

FreeGamePlay::Outcome FreeGamePlay::play(std::uint8_t move)
{
    FreeGame& game = parts_->game;
    if (!game.active()) {
        return Outcome::Over;
    }
    MoveEnd end = MoveEnd::Dealt;
    if (move == kDiscardMove) {
        if (!game.discard().accepted) {
            return Outcome::Refused;
        }
        end = game.finishDiscard().value_or(MoveEnd::Dealt);
    } else if (move < kCellCount && game.place(move).accepted) {
        end = game.finishPlacement();
    } else {
        return Outcome::Refused;
    }
    if (end == MoveEnd::GoalReached) {
        goal_ = true;
        score_ = pointTotal(parts_->state);
    }
    if (end != MoveEnd::Dealt) {
        game.end();
    }
    return Outcome::Played;
}

bool FreeGamePlay::active() const { return parts_->game.active(); }

bool FreeGamePlay::goalReached() const { return goal_; }

int FreeGamePlay::offeredPiece() const { return parts_->game.offeredPiece(); }

bool FreeGamePlay::nextMoveFree() const { return parts_->game.nextMoveFree(); }

const GameState& FreeGamePlay::state() const { return parts_->state; }

Verification verifyRecord(const GameRecord& record, std::optional<int> claimedScore)
{
    Verification result;
    if (!recordValid(record)) {
        result.problem = RecordProblem::BadValue;
        return result;
    }
    if (record.daily && !isDailyGame(record)) {
        result.verdict = Verdict::NotDailyGame;
        return result;
    }
    FreeGamePlay game(record.seed, record.itemKinds);
    for (std::size_t i = 0; i < record.moves.size(); ++i) {
        const FreeGamePlay::Outcome outcome = game.play(record.moves[i]);
        if (outcome != FreeGamePlay::Outcome::Played) {
            result.verdict = outcome == FreeGamePlay::Outcome::Over ? Verdict::MovesAfterEnd : Verdict::MoveRefused;
            result.move = static_cast<int>(i);
            return result;
        }
    }
    if (!game.goalReached()) {
        result.verdict = Verdict::GoalNotReached;
        return result;
    }
    result.score = game.score();
    result.verdict = claimedScore && *claimedScore != result.score ? Verdict::ScoreDiffers : Verdict::Finished;
    return result;
}

Verification verifyRecordBytes(std::string_view bytes, std::optional<int> claimedScore)
{
    const RecordRead read = decodeRecord(bytes);
    if (!read.record) {
        Verification result;
        result.problem = read.problem;
        return result;
    }
    return verifyRecord(*read.record, claimedScore);
}

std::string_view verdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Finished: return "the game reaches the goal";
    case Verdict::Malformed: return "not a valid record";
    case Verdict::NotDailyGame: return "not the daily game of its date";
    case Verdict::MoveRefused: return "the rules refuse a move";
    case Verdict::MovesAfterEnd: return "moves after the end of the game";
    case Verdict::GoalNotReached: return "the game does not reach the goal";
    case Verdict::ScoreDiffers: return "the game gives another score";
    }
    return "";
}

} // namespace tavrin::game
