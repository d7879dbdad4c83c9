#include "engine/analysis.h"
#include "engine/scoring.h"
#include "board_helpers.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

bool isPlainNumber(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

TEST(Points, EcoPointsRewardEarlyGreening)
{
    GameState s;
    EXPECT_EQ(ecoPoints(s), 0);
    s.maxMovesUsed = 40;
    s.greenStamp[0] = 97; // turned green at movesUsed 3
    s.greenStamp[1] = 60; // at movesUsed 40
    EXPECT_EQ(ecoPoints(s), 157);
    s.greenStamp[2] = 59; // stamped later than the highest move reached: not counted
    EXPECT_EQ(ecoPoints(s), 157);
}

TEST(Points, BonusAndTotal)
{
    GameState s;
    EXPECT_EQ(ecoBonus(s), 1000);
    s.discardCount = 10;
    EXPECT_EQ(ecoBonus(s), 0);
    s.discardCount = 3;
    s.loopPoints = 80;
    s.greenStamp[0] = 100;
    EXPECT_EQ(pointTotal(s), 700 + 80 + 100);
}

TEST(Labels, ChangesShowOldValueAndDifference)
{
    GameState s;
    s.labels.ecoPoints = "120";
    s.maxMovesUsed = 20;
    for (int c = 0; c < 1; ++c) s.greenStamp[c] = 85;
    scoreMove(s);
    EXPECT_EQ(s.labels.ecoPoints, "120-35");
    EXPECT_EQ(s.scoreLabelsDirty & kDirtyEco, kDirtyEco);

    GameState t;
    t.loopPoints = 16;
    scoreMove(t);
    EXPECT_EQ(t.labels.loopPoints, "0+16");
    EXPECT_EQ(t.scoreChain, 1) << "raising only the loop points counts for the chain";
    EXPECT_EQ(t.labels.chain, "");
}

TEST(Labels, ReadAsNumbers)
{
    EXPECT_EQ(labelNumber(""), 0);
    EXPECT_EQ(labelNumber("120-35"), 120);
    EXPECT_EQ(labelNumber("-7"), -7);
    EXPECT_EQ(labelNumber("abc"), 0);
    EXPECT_EQ(labelNumber("99999999999999999999"), labelNumber("99999999999999999999")); // no overflow trap
}

TEST(Chain, GrowsAndShowsItsLength)
{
    GameState s;
    s.scoreChain = 1;
    s.loopPoints = 16;
    scoreMove(s);
    EXPECT_EQ(s.scoreChain, 2);
    EXPECT_EQ(s.labels.chain, "2");
    refreshScoreLabels(s, true);
    s.loopPoints = 32;
    scoreMove(s);
    EXPECT_EQ(s.labels.chain, "2+1");
}

TEST(Chain, MixedMoveEndsTheChain)
{
    GameState s;
    s.scoreChain = 3;
    s.labels.chain = "3";
    s.labels.ecoPoints = "0";
    s.labels.loopPoints = "16";
    s.maxMovesUsed = 90;
    s.greenStamp[0] = 10; // eco +10, loop -16
    scoreMove(s);
    EXPECT_EQ(s.scoreChain, 0);
    EXPECT_EQ(s.labels.chain, "3-3");
}

struct ChainCase {
    int chain;
    int movesUsed;
    int returned;
    int movesAfter;
};

void PrintTo(const ChainCase& c, std::ostream* os)
{
    *os << "chain " << c.chain << " at move " << c.movesUsed;
}

class ChainEnd : public ::testing::TestWithParam<ChainCase> {};

TEST_P(ChainEnd, GivesMovesBack)
{
    const auto c = GetParam();
    GameState s;
    s.scoreChain = static_cast<std::int16_t>(c.chain);
    s.movesUsed = static_cast<std::int16_t>(c.movesUsed);
    s.labels.movesLeft = std::to_string(100 - c.movesUsed);
    scoreMove(s);
    EXPECT_EQ(s.movesUsed, c.movesAfter);
    EXPECT_EQ(s.movesReturned, c.returned);
    EXPECT_EQ(s.noMovesReturned, c.returned == 0);
    EXPECT_EQ(s.movesReturnedTotal, c.movesUsed - c.movesAfter);
    EXPECT_EQ(s.scoreChain, 0);
    EXPECT_EQ(s.labels.chain, std::to_string(c.chain) + "-" + std::to_string(c.chain));
    if (c.returned > 0) {
        EXPECT_EQ(s.labels.movesLeft, std::to_string(100 - c.movesUsed) + "+" + std::to_string(c.movesUsed - c.movesAfter));
    }
}

INSTANTIATE_TEST_SUITE_P(Chains, ChainEnd,
                         ::testing::Values(ChainCase{4, 30, 0, 30}, ChainCase{5, 30, 1, 29}, ChainCase{12, 30, 2, 28},
                                           ChainCase{15, 30, 5, 25}, ChainCase{20, 30, 10, 20},
                                           ChainCase{15, 1, 5, 0}));

TEST(Chain, OfOneClearsTheLabel)
{
    GameState s;
    s.scoreChain = 1;
    scoreMove(s);
    EXPECT_EQ(s.labels.chain, "");
    EXPECT_EQ(s.scoreChain, 0);
}

TEST(Labels, RefreshRestoresPlainNumbersForEveryFlagCombination)
{
    for (int flags = 0; flags < 32; ++flags) {
        GameState s;
        s.movesUsed = 7;
        s.loopPoints = 48;
        s.scoreChain = static_cast<std::int16_t>(flags & 1 ? 3 : 1);
        s.maxMovesUsed = 7;
        s.greenStamp[0] = 95;
        s.labels = {"1+2", "93-1", "16+32", "2+1"};
        // Restoring only what is flagged; flags can be doubled (e.g. 4 + 4).
        int dirty = 0;
        if (flags & 2) dirty += kDirtyEco;
        if (flags & 4) dirty += kDirtyLoop;
        if (flags & 8) dirty += kDirtyMoves;
        if (flags & 16) dirty += kDirtyChain + kDirtyMoves; // moves given back ends a chain
        s.scoreLabelsDirty = static_cast<std::int16_t>(dirty);
        refreshScoreLabels(s, true);
        EXPECT_EQ(s.scoreLabelsDirty, 0);
        if (flags & 2) {
            EXPECT_EQ(s.labels.ecoPoints, "95") << flags;
        }
        if (flags & 4) {
            EXPECT_EQ(s.labels.loopPoints, "48") << flags;
        }
        if (flags & (8 | 16)) {
            EXPECT_EQ(s.labels.movesLeft, "93") << flags;
        }
        if (flags & 16) {
            EXPECT_EQ(s.labels.chain, s.scoreChain < 2 ? "" : "3") << flags;
        }
        for (const auto* l : {&s.labels.ecoPoints, &s.labels.movesLeft, &s.labels.loopPoints}) {
            if (*l != "1+2" && *l != "93-1" && *l != "16+32") {
                EXPECT_TRUE(isPlainNumber(*l)) << *l;
            }
        }
    }
}

TEST(Labels, RefreshCanKeepTheMovesLabel)
{
    GameState s;
    s.labels.movesLeft = "総合得点 shown elsewhere";
    s.scoreLabelsDirty = kDirtyMoves;
    refreshScoreLabels(s, false);
    EXPECT_EQ(s.labels.movesLeft, "総合得点 shown elsewhere");
    EXPECT_EQ(s.scoreLabelsDirty, 0);
}

TEST(Scoring, AWholeMoveThroughTheAnalysis)
{
    GameState s;
    test::items(s, {0, 1});
    test::place(s, {{0, 0}, {1, 0}});
    s.movesUsed = 2;
    s.maxMovesUsed = 2;
    s.labels.movesLeft = "98";
    networkAnalysis(s);
    EXPECT_EQ(s.labels.ecoPoints, "0+196");
    EXPECT_EQ(s.scoreChain, 1);
    refreshScoreLabels(s, true);
    EXPECT_EQ(s.labels.ecoPoints, "196");
    EXPECT_EQ(s.labels.movesLeft, "98");
}

TEST(Scoring, LoopTargetText)
{
    GameState s;
    s.loopTarget = 64;
    EXPECT_EQ(showLoopTarget(s).japanese(), "現在のループ点64よりループ点を減らしてください。");
    EXPECT_EQ(movesReturnedText(2).japanese(), "残り手数が2手戻されました！");
}

} // namespace
} // namespace tavrin
