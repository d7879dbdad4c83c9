#include "engine/analysis.h"

#include "engine/scoring.h"

#include <algorithm>

namespace tavrin {

namespace {

// Directions to try from a member, by the side its predecessor lies on:
// turn right, else straight on, else turn left (as seen walking on screen).
constexpr int kWalkOrder[kDirections][3] = {
    {kLeft, kDown, kRight}, // came from above
    {kDown, kRight, kUp},   // came from the left
    {kUp, kLeft, kDown},    // came from the right
    {kRight, kUp, kLeft},   // came from below
};

// Start directions of the loop search: up, left, down, right.
constexpr int kStartOrder[kDirections] = {kUp, kLeft, kDown, kRight};

} // namespace

std::int16_t NetworkAnalysis::networkAnalysis()
{
    std::fill(s_.loopLength.begin(), s_.loopLength.begin() + kCellCount, std::int16_t{0});
    s_.loopCount = 0;
    s_.loopPoints = 0;
    s_.noMovesReturned = true;

    const bool full = findGroups();
    updateGreening();

    for (int g = 0; g < s_.groupCount; ++g) {
        if (s_.groupSize[g] < 4) {
            continue; // a loop needs at least four cells
        }
        linkGroupMembers(g);
        markDeadEnds(g);
        cutDeadEnds(g);
        clearUsedEdges(s_.groupSize[g]);
        searchLoops(g);
    }

    if (s_.freeGame()) {
        scoreMove(s_);
    }
    return resultCode(full);
}

std::int16_t NetworkAnalysis::resultCode(bool full)
{
    if (s_.editMode) {
        if (s_.analysisKind == 0) {
            return s_.groupCount;
        }
        return s_.analysisKind == 1 ? static_cast<std::int16_t>(s_.loopPoints) : std::int16_t{0};
    }
    if (s_.puzzleSeries) {
        const int p = s_.puzzleIndex;
        const GameMode mode = (p >= 0 && p < kPuzzleSlots) ? s_.puzzles[p].mode : kNoMode;
        if (mode == kFullConnection) {
            return full ? std::int16_t{-1} : std::int16_t{0};
        }
        return s_.analysisKind == 1 ? static_cast<std::int16_t>(s_.loopPoints) : std::int16_t{0};
    }
    if (full) {
        if (s_.movesUsed <= kMoveLimit || s_.overrunState == 1 || s_.overrunState == 2) {
            return allCellsGreen() ? TurnResult::kGoalReached : TurnResult::kFullNotGreen;
        }
        return TurnResult::kNoMovesLeft;
    }
    if (kMoveLimit - s_.movesUsed > 0) {
        s_.overrunState = 0;
        return TurnResult::kPlayOn;
    }
    return TurnResult::kNoMovesLeft;
}

void NetworkAnalysis::mergeGroups(int keep, int drop)
{
    // Members of `drop` go to the end of `keep`, then later groups move down.
    auto& members = s_.groupMembers;
    int size = s_.groupSize[keep];
    for (int k = 0; k < s_.groupSize[drop]; ++k) {
        const std::int16_t cell = members[drop][k];
        members[keep][size++] = cell;
        groupOfCell_[cell] = static_cast<std::int16_t>(keep);
    }
    s_.groupSize[keep] = static_cast<std::int16_t>(size);
    for (int g = drop; g + 1 < s_.groupCount; ++g) {
        s_.groupSize[g] = s_.groupSize[g + 1];
        for (int k = 0; k < s_.groupSize[g]; ++k) {
            members[g][k] = members[g + 1][k];
            groupOfCell_[members[g][k]] = static_cast<std::int16_t>(g);
        }
    }
    s_.groupCount = static_cast<std::int16_t>(s_.groupCount - 1);
    s_.groupSize[s_.groupCount] = 0;
}

bool NetworkAnalysis::findGroups()
{
    std::fill(s_.groupSize.begin(), s_.groupSize.begin() + kCellCount, std::int16_t{0});
    s_.groupCount = 0;
    groupOfCell_.fill(-1);
    bool full = true;

    for (int a = 0; a < kCellCount; ++a) {
        if (s_.board[a] < 0) {
            full = false;
            continue;
        }
        // Cells are scanned in order, so only the neighbours above and to the
        // left already belong to groups. Collect their groups in ascending order.
        int found[2];
        int n = 0;
        for (const int d : {kUp, kLeft}) {
            const int b = neighbour(a, d);
            if (b >= 0 && cellsLinked(s_.board, a, b)) {
                const int g = groupOfCell_[b];
                if (n == 0 || found[0] != g) {
                    found[n++] = g;
                }
            }
        }
        int target;
        if (n == 0) {
            target = s_.groupCount;
            s_.groupCount = static_cast<std::int16_t>(s_.groupCount + 1);
        } else {
            if (n == 2 && found[1] < found[0]) {
                std::swap(found[0], found[1]);
            }
            target = found[0];
            if (n == 2) {
                mergeGroups(found[0], found[1]);
            }
        }
        s_.groupMembers[target][s_.groupSize[target]] = static_cast<std::int16_t>(a);
        s_.groupSize[target] = static_cast<std::int16_t>(s_.groupSize[target] + 1);
        groupOfCell_[a] = static_cast<std::int16_t>(target);
    }
    return full && s_.groupCount == 1;
}

void NetworkAnalysis::updateGreening()
{
    const bool writeStamps = s_.freeGame();
    int linkedGroup = -1;
    bool linked = s_.itemCount > 0;
    for (int k = 0; k < s_.itemCount && linked; ++k) {
        const int cell = s_.itemCells[k];
        const int g = isCell(cell) ? groupOfCell_[cell] : -1;
        if (g < 0 || (k > 0 && g != linkedGroup)) {
            linked = false;
        }
        linkedGroup = g;
    }

    const std::int16_t stampNow = static_cast<std::int16_t>(kMoveLimit - s_.movesUsed);
    for (int c = 0; c < kCellCount; ++c) {
        const bool inG = linked && groupOfCell_[c] == linkedGroup;
        const bool green = s_.greenStamp[c] != -1;
        if (!green) {
            s_.greenChanged[c] = inG;
            if (inG && writeStamps) {
                s_.greenStamp[c] = stampNow;
            }
        } else {
            s_.greenChanged[c] = !inG;
            if (!inG && writeStamps) {
                s_.greenStamp[c] = -1;
            }
        }
    }

    // Cells that turned green exactly three moves ago are drawn again.
    const int threeAgo = kMoveLimit + 3 - s_.movesUsed;
    for (int c = 0; c < kCellCount; ++c) {
        if (!s_.greenChanged[c] && s_.greenStamp[c] >= 0 && s_.greenStamp[c] == threeAgo) {
            s_.greenChanged[c] = true;
        }
    }
}

bool NetworkAnalysis::allCellsGreen() const
{
    for (int c = 0; c < kCellCount; ++c) {
        if (s_.greenStamp[c] == -1) {
            return false;
        }
    }
    return true;
}

void NetworkAnalysis::linkGroupMembers(int g)
{
    const int size = s_.groupSize[g];
    memberOfCell_.fill(-1);
    for (int m = 0; m < size; ++m) {
        memberOfCell_[s_.groupMembers[g][m]] = static_cast<std::int16_t>(m);
    }
    for (int m = 0; m < size; ++m) {
        const int c = s_.groupMembers[g][m];
        memberDegree_[m] = 0;
        memberLink_[m].fill(-1);
        for (int d = 0; d < kDirections; ++d) {
            const int n = neighbour(c, d);
            if (n >= 0 && memberOfCell_[n] >= 0 && cellsLinked(s_.board, c, n)) {
                memberLink_[m][d] = memberOfCell_[n];
                ++memberDegree_[m];
            }
        }
    }
}

void NetworkAnalysis::markDeadEnds(int g)
{
    const int size = s_.groupSize[g];
    std::fill(deadEnd_.begin(), deadEnd_.end(), false);
    for (int j = 0; j < size; ++j) {
        if (memberDegree_[j] != 1 || deadEnd_[j]) {
            continue;
        }
        deadEnd_[j] = true;
        int prev = j;
        int a = -1;
        for (int d = 0; d < kDirections; ++d) {
            if (memberLink_[j][d] >= 0) {
                a = memberLink_[j][d];
                break;
            }
        }
        // A walk along degree-2 members ends at a junction or another end; the
        // step bound only guards against a damaged link table.
        for (int steps = 0; a >= 0 && memberDegree_[a] == 2 && steps < kMembers; ++steps) {
            deadEnd_[a] = true;
            int next = -1;
            for (int d = 0; d < kDirections; ++d) {
                const int x = memberLink_[a][d];
                if (x >= 0 && x != prev) {
                    next = x;
                    break;
                }
            }
            prev = a;
            a = next;
        }
    }
}

void NetworkAnalysis::cutDeadEnds(int g)
{
    const int size = s_.groupSize[g];
    for (int i = 0; i < size; ++i) {
        for (int d = 0; d < kDirections; ++d) {
            const int x = memberLink_[i][d];
            if (x >= 0 && deadEnd_[x]) {
                memberLink_[i][d] = -1;
                if (memberDegree_[i] > 0) {
                    --memberDegree_[i];
                }
            }
        }
    }
    for (int i = 0; i < size; ++i) {
        if (deadEnd_[i]) {
            memberLink_[i].fill(-1);
            memberDegree_[i] = 0;
        }
    }
}

void NetworkAnalysis::clearUsedEdges(int size)
{
    for (int a = 0; a < size; ++a) {
        std::fill(usedEdge_[a].begin(), usedEdge_[a].begin() + size, std::int16_t{0});
    }
}

void NetworkAnalysis::searchLoops(int g)
{
    const int size = s_.groupSize[g];
    for (const int wanted : {4, 3, 2}) {
        for (int st = 0; st < size; ++st) {
            if (memberDegree_[st] != wanted || deadEnd_[st]) {
                continue;
            }
            startLoopCount_ = 0;
            for (const int d : kStartOrder) {
                const int n = memberLink_[st][d];
                if (n < 0 || memberDegree_[n] < 2 || usedEdge_[st][n] != 0) {
                    continue;
                }
                std::fill(visited_.begin(), visited_.end(), false);
                std::fill(onPath_.begin(), onPath_.end(), false);
                Path path;
                path[0] = static_cast<std::int16_t>(st);
                path[1] = static_cast<std::int16_t>(n);
                onPath_[st] = true;
                onPath_[n] = true;
                int length = 2;
                if (!traceLoop(st, path, length) || !runsClockwise(g, path, length)) {
                    continue;
                }
                acceptLoop(g, path, length);
            }
            // Every step of the loops found from this start is now taken.
            for (int i = 0; i < startLoopCount_; ++i) {
                const Path& loop = startLoops_[i];
                const int len = startLoopLength_[i];
                for (int k = 0; k < len; ++k) {
                    const int a = loop[k];
                    const int b = loop[(k + 1) % len];
                    if (usedEdge_[a][b] == 0) {
                        usedEdge_[a][b] = static_cast<std::int16_t>(len);
                        usedEdge_[b][a] = static_cast<std::int16_t>(len);
                    }
                }
            }
        }
    }
}

bool NetworkAnalysis::traceLoop(int s, Path& path, int& length)
{
    const int c = path[length - 1];
    const int prev = path[length - 2];
    if (memberDegree_[c] < 2) {
        return false;
    }
    int from = -1;
    for (int d = 0; d < kDirections; ++d) {
        if (memberLink_[c][d] == prev) {
            from = d;
            break;
        }
    }
    if (from < 0) {
        return false;
    }
    const int* order = kWalkOrder[from];

    // Closing: only the first open direction may lead back to the start.
    for (int i = 0; i < 3; ++i) {
        const int x = memberLink_[c][order[i]];
        if (x >= 0) {
            if (x == s && prev != s) {
                return true;
            }
            break;
        }
    }

    for (int i = 0; i < 3; ++i) {
        const int x = memberLink_[c][order[i]];
        if (x < 0 || visited_[x] || onPath_[x] || length >= kMembers) {
            continue;
        }
        path[length++] = static_cast<std::int16_t>(x);
        onPath_[x] = true;
        if (traceLoop(s, path, length)) {
            return true;
        }
        onPath_[x] = false;
        --length;
    }
    if (length > 2) {
        visited_[c] = true;
    }
    return false;
}

bool NetworkAnalysis::runsClockwise(int g, const Path& path, int length) const
{
    // Twice the signed area of the polygon through the cell centres, in screen
    // coordinates (y grows downwards): positive for a clockwise walk.
    long area2 = 0;
    for (int k = 0; k < length; ++k) {
        const int a = s_.groupMembers[g][path[k]];
        const int b = s_.groupMembers[g][path[(k + 1) % length]];
        area2 += static_cast<long>(cellColumn(a)) * cellRow(b) - static_cast<long>(cellColumn(b)) * cellRow(a);
    }
    return area2 > 0;
}

void NetworkAnalysis::acceptLoop(int g, const Path& path, int length)
{
    // Stored from the member that closed the loop back to the start.
    Path& own = startLoops_[startLoopCount_];
    for (int k = 0; k < length; ++k) {
        own[k] = path[length - 1 - k];
    }
    startLoopLength_[startLoopCount_] = static_cast<std::int16_t>(length);
    ++startLoopCount_;

    s_.loopPoints += static_cast<std::int32_t>(length) * length;
    if (s_.loopCount >= kListSlots) {
        return; // cannot happen on an 8 x 8 board; keep the list in bounds
    }
    // After every loop of equal or smaller length; loops mostly arrive in
    // ascending order, so look from the end.
    int pos = s_.loopCount;
    while (pos > 0 && s_.loopLength[pos - 1] > length) {
        --pos;
    }
    for (int i = s_.loopCount; i > pos; --i) {
        s_.loopLength[i] = s_.loopLength[i - 1];
        s_.loopCells[i] = s_.loopCells[i - 1];
    }
    s_.loopLength[pos] = static_cast<std::int16_t>(length);
    for (int k = 0; k < length; ++k) {
        s_.loopCells[pos][k] = s_.groupMembers[g][own[k]];
    }
    s_.loopCount = static_cast<std::int16_t>(s_.loopCount + 1);
}

void restoreAnalysisInput(GameState& into, const GameState& from)
{
    into.board = from.board;
    into.greenStamp = from.greenStamp;
    into.movesUsed = from.movesUsed;
    into.scoreChain = from.scoreChain;
    into.movesReturnedTotal = from.movesReturnedTotal;
    into.scoreLabelsDirty = from.scoreLabelsDirty;
    into.overrunState = from.overrunState;
    into.labels = from.labels;
}

std::int16_t networkAnalysis(GameState& state)
{
    NetworkAnalysis a(state);
    return a.networkAnalysis();
}

} // namespace tavrin
