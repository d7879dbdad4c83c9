// The rules of series play, apart from anything shown: the puzzles in order,
// placements judged by the puzzle's goal, the misses, and the one shape a
// full-connection puzzle offers at a time.
#pragma once

#include "engine/game_state.h"
#include "game/random.h"

#include <cstdint>

namespace tavrin::game {

// A placement of the palette's shape (or the eraser) in series play.
struct SeriesMove {
    int cell = -1;
    int oldPiece = -1;
    int piece = -1;
    std::int16_t scoreBefore = 0; // the analysis before and after: loop points or groups
    std::int16_t scoreAfter = 0;
    std::int16_t groupsAfter = 0;
};

enum class Judgement {
    Cleared,       // the puzzle's goal is reached
    Missed,        // a miss; the placement stays (full connection)
    MissTakenBack, // a miss; the placement is taken back (big loop)
};

class SeriesPlay {
public:
    SeriesPlay(GameState& state, RandomSource& random);

    // A new series of the puzzles in the state: no misses, before the first puzzle.
    void start();
    // The next puzzle onto the board; false when the series is over.
    bool nextPuzzle();

    int misses() const { return misses_; }
    // The current puzzle's mode, and what its frames show of the board:
    // the loop points (big loop) or the number of groups (full connection).
    GameMode mode() const;
    long boardValue() const { return boardValue_; }

    SeriesMove place(int cell);
    Judgement judge(const SeriesMove& move);
    // Another shape than the one selected, chosen at random; it becomes the selected one.
    int drawShape();

private:
    GameState& s_;
    RandomSource& random_;
    std::int16_t misses_ = 0;
    long boardValue_ = 0;
};

} // namespace tavrin::game
