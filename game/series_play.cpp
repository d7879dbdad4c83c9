#include "game/series_play.h"

#include "engine/analysis.h"
#include "engine/goals.h"

namespace tavrin::game {

SeriesPlay::SeriesPlay(GameState& state, RandomSource& random) : s_(state), random_(random) {}

void SeriesPlay::start()
{
    misses_ = 0;
    boardValue_ = 0;
    s_.puzzleIndex = -1;
}

bool SeriesPlay::nextPuzzle()
{
    s_.puzzleIndex = static_cast<std::int16_t>(s_.puzzleIndex + 1);
    if (s_.puzzleIndex >= s_.puzzleCount || s_.puzzleIndex >= kMaxPuzzles) {
        return false;
    }
    Puzzle& p = s_.puzzles[s_.puzzleIndex];
    p.comment = fitComment(trimComment(p.comment));
    for (int c = 0; c < kCellCount; ++c) {
        s_.board[c] = p.cells[c];
    }
    if (p.mode == kBigLoop) {
        s_.analysisKind = 1;
        s_.loopTarget = networkAnalysis(s_);
        boardValue_ = s_.loopTarget;
    } else if (p.mode == kFullConnection) {
        s_.analysisKind = 0;
        networkAnalysis(s_);
        boardValue_ = s_.groupCount;
    }
    return true;
}

GameMode SeriesPlay::mode() const
{
    if (s_.puzzleIndex < 0 || s_.puzzleIndex >= kPuzzleSlots) {
        return kNoMode;
    }
    return s_.puzzles[s_.puzzleIndex].mode;
}

SeriesMove SeriesPlay::place(int cell)
{
    SeriesMove move;
    move.cell = cell;
    move.oldPiece = s_.board[cell];
    move.scoreBefore = networkAnalysis(s_);
    s_.board[cell] = s_.selectedShape == kEraser ? kEmpty : s_.selectedShape;
    move.piece = s_.board[cell];
    move.scoreAfter = networkAnalysis(s_);
    move.groupsAfter = s_.groupCount;
    return move;
}

Judgement SeriesPlay::judge(const SeriesMove& move)
{
    if (mode() == kFullConnection) {
        boardValue_ = move.groupsAfter;
        if (fullConnectionReached(move.groupsAfter)) {
            return Judgement::Cleared;
        }
        misses_ = static_cast<std::int16_t>(misses_ + 1);
        return Judgement::Missed;
    }
    // A miss is taken back: the board keeps the points it had.
    const bool reached = bigLoopReached(move.scoreAfter, s_.loopTarget);
    boardValue_ = reached ? move.scoreAfter : move.scoreBefore;
    if (reached) {
        return Judgement::Cleared;
    }
    misses_ = static_cast<std::int16_t>(misses_ + 1);
    return Judgement::MissTakenBack;
}

int SeriesPlay::drawShape()
{
    int shape = random_.Int(kPieceKinds);
    while (shape == s_.selectedShape) {
        shape = random_.Int(kPieceKinds);
    }
    s_.selectedShape = static_cast<std::int16_t>(shape);
    return shape;
}

} // namespace tavrin::game
