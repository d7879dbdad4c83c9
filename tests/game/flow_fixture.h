// A controller on a fake window with a seeded random source, and helpers that
// play moves the way the window would: click, then let the timers run.
#pragma once

#include "engine/game_state.h"
#include "game/controller.h"
#include "game/random.h"
#include "tests/game/fake_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin::game::testing {

class RecordingScoreKeeper : public ScoreKeeper {
public:
    struct Free {
        int total;
        int itemCount;
    };
    struct Series {
        int misses;
        std::string path;
    };
    std::vector<Free> free;
    std::vector<Series> series;
    int resets = 0;
    bool has = false;

    void enterFreeHighScore(std::int16_t total, int itemCount) override { free.push_back({total, itemCount}); }
    void enterSeriesHighScore(std::int16_t misses, const std::string& path) override { series.push_back({misses, path}); }
    void resetLastRank() override { ++resets; }
    bool hasHighScores() const override { return has; }
};

class FlowTest : public ::testing::Test {
protected:
    explicit FlowTest(std::uint64_t seed = 1) : random(seed), ctl(state, window, random)
    {
        ctl.attachScoreKeeper(&keeper);
        ctl.OpenSoundDevices();
    }

    FlowState& flow() { return ctl.flow(); }

    // Runs the evaluation timer until it stops (a take-back included).
    int runEvaluation()
    {
        int ticks = 0;
        while (window.isRunning(Timer::Evaluation) && ticks < 100) {
            ctl.timerTick(Timer::Evaluation);
            ++ticks;
        }
        return ticks;
    }

    // Offers `piece` as if it had just been dealt, clicks `cell`, and lets the
    // placement sequence run.
    void place(int cell, int piece)
    {
        flow().offeredPiece = static_cast<std::int16_t>(piece);
        ctl.cellReleased(cell);
        runEvaluation();
    }

    // Places the piece that was dealt.
    void placeDealt(int cell)
    {
        ctl.cellReleased(cell);
        runEvaluation();
    }

    void discardDealt()
    {
        ctl.trashReleased();
        if (window.isRunning(Timer::AfterDiscard)) {
            ctl.timerTick(Timer::AfterDiscard);
        }
    }

    // Puts the items on the given cells with kinds 0, 1, ... (after StartFreeGame).
    void setItems(std::vector<int> cells)
    {
        state.cellItem.fill(-1);
        state.itemCount = static_cast<std::int16_t>(cells.size());
        for (std::size_t e = 0; e < cells.size(); ++e) {
            state.itemCells[e] = static_cast<std::int16_t>(cells[e]);
            state.cellItem[cells[e]] = static_cast<std::int16_t>(e);
        }
    }

    GameState state;
    FakeWindow window;
    RandomSource random;
    GameController ctl;
    RecordingScoreKeeper keeper;
};

} // namespace tavrin::game::testing
