// Road-network analysis: groups, greening, loops and loop points.
#pragma once

#include "engine/game_state.h"

#include <array>
#include <cstdint>

namespace tavrin {

// One analysis of the live board. The results go into the shared state
// (groups, loops, loop points, green stamps, and in the free game the score
// labels). The work arrays live inside the object: an analysis never allocates.
class NetworkAnalysis {
public:
    explicit NetworkAnalysis(GameState& state) : s_(state) {}

    // Runs the whole analysis and returns the result the caller asked for:
    // in the editor the group count or loop points (by analysisKind), in series
    // play the goal test, in the free game a TurnResult code.
    std::int16_t networkAnalysis();

    bool findGroups();
    void updateGreening();
    bool allCellsGreen() const;
    void linkGroupMembers(int g);
    void markDeadEnds(int g);
    void cutDeadEnds(int g);
    void searchLoops(int g);

    // Work arrays, readable for tests.
    std::int16_t memberLink(int m, int d) const { return memberLink_[m][d]; }
    std::int16_t memberDegree(int m) const { return memberDegree_[m]; }
    bool deadEnd(int m) const { return deadEnd_[m]; }

private:
    static constexpr int kMembers = 65;
    using Path = std::array<std::int16_t, kMembers + 1>;

    bool traceLoop(int s, Path& path, int& length);
    void mergeGroups(int keep, int drop);
    bool runsClockwise(int g, const Path& path, int length) const;
    void acceptLoop(int g, const Path& path, int length);
    void clearUsedEdges(int size);
    std::int16_t resultCode(bool full);

    GameState& s_;
    std::array<std::array<std::int16_t, 4>, kMembers> memberLink_{};
    std::array<std::int16_t, kMembers> memberDegree_{};
    std::array<bool, kMembers> deadEnd_{};
    std::array<std::array<std::int16_t, kMembers>, kMembers> usedEdge_{};
    std::array<bool, kMembers> visited_{};
    std::array<bool, kMembers> onPath_{};
    std::array<std::int16_t, kCellCount> memberOfCell_{};
    std::array<std::int16_t, kCellCount> groupOfCell_{};
    // Loops found from the current start member (at most one per start
    // direction), in member numbers and in stored order.
    std::array<Path, kDirections> startLoops_{};
    std::array<std::int16_t, kDirections> startLoopLength_{};
    int startLoopCount_ = 0;
};

// Copies from `from` what an analysis reads and then changes (the board, green
// stamps, moves, chain and score labels), so that the next analysis of `into`
// finds the state that `from` holds, as a move would. Nothing else is copied.
void restoreAnalysisInput(GameState& into, const GameState& from);

// Convenience: one analysis of `state`.
std::int16_t networkAnalysis(GameState& state);

} // namespace tavrin
