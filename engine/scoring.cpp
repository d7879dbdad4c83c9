#include "engine/scoring.h"

#include <cctype>

namespace tavrin {

namespace {

// The label's caption followed by the signed change: "120+35" or "120-35".
void showChange(std::string& label, long change)
{
    if (change > 0) {
        label += '+';
    }
    label += std::to_string(change);
}

} // namespace

std::int16_t ecoPoints(const GameState& state)
{
    const int floor = kMoveLimit - state.maxMovesUsed;
    int sum = 0;
    for (int c = 0; c < kCellCount; ++c) {
        const int stamp = state.greenStamp[c];
        if (stamp != -1 && stamp >= floor) {
            sum += stamp;
        }
    }
    return static_cast<std::int16_t>(sum);
}

std::int16_t ecoBonus(const GameState& state)
{
    return static_cast<std::int16_t>(1000 - 100 * state.discardCount);
}

std::int16_t pointTotal(const GameState& state)
{
    return static_cast<std::int16_t>(ecoBonus(state) + ecoPoints(state) + state.loopPoints);
}

long labelNumber(std::string_view caption)
{
    std::size_t i = 0;
    while (i < caption.size() && (caption[i] == ' ' || caption[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < caption.size() && (caption[i] == '-' || caption[i] == '+')) {
        negative = caption[i] == '-';
        ++i;
    }
    long value = 0;
    for (; i < caption.size() && std::isdigit(static_cast<unsigned char>(caption[i])); ++i) {
        if (value < 100000000L) { // captions are short; never overflow on junk
            value = value * 10 + (caption[i] - '0');
        }
    }
    return negative ? -value : value;
}

void scoreMove(GameState& s)
{
    ScoreLabels& l = s.labels;
    int dirty = s.scoreLabelsDirty;

    const long w = ecoPoints(s);
    const long f = labelNumber(l.ecoPoints);
    if (w != f) {
        showChange(l.ecoPoints, w - f);
        dirty += kDirtyEco;
    }

    const long v = s.loopPoints;
    const long g = labelNumber(l.loopPoints);
    if (v != g) {
        showChange(l.loopPoints, v - g);
        dirty += kDirtyLoop;
    }

    const long u = (w - f) + (v - g);
    if (u > 0) {
        s.scoreChain = static_cast<std::int16_t>(s.scoreChain + 1);
        dirty += kDirtyChain;
        if (s.scoreChain >= 3) {
            l.chain += "+1";
        } else if (s.scoreChain == 2) {
            l.chain = "2";
        } else {
            l.chain.clear();
        }
    }

    s.movesReturned = 0;
    if (u <= 0) {
        const int n = s.scoreChain;
        if (n >= 5) {
            const int step = (n - 5) / 5;
            const int r = step * step + 1;
            s.movesReturned = static_cast<std::int16_t>(r);
            if (s.movesUsed < r) {
                s.movesReturnedTotal = static_cast<std::int16_t>(s.movesReturnedTotal + s.movesUsed);
                s.movesUsed = 0;
            } else {
                s.movesReturnedTotal = static_cast<std::int16_t>(s.movesReturnedTotal + r);
                s.movesUsed = static_cast<std::int16_t>(s.movesUsed - r);
            }
            s.noMovesReturned = false;
            dirty += kDirtyMoves;
        }
        if (n >= 1) {
            l.chain = n < 2 ? std::string() : std::to_string(n) + "-" + std::to_string(n);
            s.scoreChain = 0;
            dirty += kDirtyChain;
        }
    }

    const long t = kMoveLimit - s.movesUsed;
    const long o = labelNumber(l.movesLeft);
    if (t != o) {
        showChange(l.movesLeft, t - o);
        dirty += kDirtyMoves;
    }
    s.scoreLabelsDirty = static_cast<std::int16_t>(dirty);
}

void refreshScoreLabels(GameState& s, bool showMoves)
{
    int a = s.scoreLabelsDirty;
    ScoreLabels& l = s.labels;
    if (a > 7) {
        l.chain = s.scoreChain < 2 ? std::string() : std::to_string(s.scoreChain);
        a -= 8;
    }
    if (a > 3) {
        if (showMoves) {
            l.movesLeft = std::to_string(kMoveLimit - s.movesUsed);
        }
        a -= 4;
    }
    if (a > 1) {
        l.loopPoints = std::to_string(s.loopPoints);
        a -= 2;
    }
    if (a > 0) {
        l.ecoPoints = std::to_string(ecoPoints(s));
    }
    s.scoreLabelsDirty = 0;
}

Text showLoopTarget(const GameState& state)
{
    return TAVRIN_TEXT("engine", "現在のループ点%1よりループ点を減らしてください。").arg(state.loopTarget);
}

Text movesReturnedText(int movesReturned)
{
    return TAVRIN_TEXT("engine", "残り手数が%1手戻されました！").arg(movesReturned);
}

} // namespace tavrin
