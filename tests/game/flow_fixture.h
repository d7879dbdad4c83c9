// A controller on a scripted front end with a seeded random source, and
// helpers that act the way a window would: one input, then what it changed
// shown; moves are played out by running the timers.
#pragma once

#include "engine/game_state.h"
#include "game/controller.h"
#include "game/random.h"
#include "tests/game/scripted_front_end.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin::game::testing {

// Records the entries and goes on at once.
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

    void enterFreeHighScore(std::int16_t total, int itemCount, Done done) override
    {
        free.push_back({total, itemCount});
        done();
    }
    void enterSeriesHighScore(std::int16_t misses, const std::string& path, Done done) override
    {
        series.push_back({misses, path});
        done();
    }
    void resetLastRank() override { ++resets; }
    bool hasHighScores() const override { return false; }
};

// Items of kinds 0, 1, ... on the given cells.
inline ItemLayout itemsOn(const std::vector<int>& cells)
{
    ItemLayout layout;
    layout.count = static_cast<int>(cells.size());
    for (std::size_t e = 0; e < cells.size(); ++e) {
        layout.cells[e] = static_cast<std::int16_t>(cells[e]);
        layout.kinds[e] = static_cast<std::int16_t>(e);
    }
    return layout;
}

// The flow of one controller: the model, its boxes and its timers.
struct Flow {
    explicit Flow(std::uint64_t seed) : random(seed), ctl(state, output, random)
    {
        front.attach(output);
        ctl.attachScoreKeeper(&keeper);
        ctl.setSessionCommands([this](Command c) { sessionCommands.push_back(c); });
    }

    const Screen& screen() const { return output.shown(); }
    std::string status() const { return screen().status.japanese(); }
    const std::string& frame(ScoreFrame f) const { return screen().frame(f).value; }
    bool enabled(Command c) const { return screen().command(c).enabled; }
    bool checked(Command c) const { return screen().command(c).checked; }
    bool menu(Menu m) const { return screen().menus[static_cast<std::size_t>(m)]; }
    FreeGame& freeGame() { return ctl.freeGame(); }
    FlowState& flow() { return ctl.flow(); }

    // One input: `handle` runs, then its changes and boxes are shown.
    template <typename F> void input(F handle)
    {
        handle();
        output.flush();
    }
    void start() { input([&] { ctl.startFreeGame(); }); }
    void start(const std::vector<int>& items) { input([&] { ctl.startFreeGame(itemsOn(items)); }); }
    void click(int cell) { input([&] { ctl.cellReleased(cell); }); }
    void trash() { input([&] { ctl.trashReleased(); }); }
    void palette(int entry, int shift = 0) { input([&] { ctl.palettePressed(entry, shift); }); }
    void command(Command c, Source source = Source::Menu) { input([&] { ctl.command(c, source); }); }
    void tick(Timer t) { input([&] { ctl.timerTick(t); }); }

    // Runs the evaluation timer until it stops (a take-back included).
    int runEvaluation()
    {
        int ticks = 0;
        while (output.timerOn(Timer::Evaluation) && ticks < 100) {
            tick(Timer::Evaluation);
            ++ticks;
        }
        return ticks;
    }
    // Plays out whatever move is pending.
    void runTimers()
    {
        runEvaluation();
        if (output.timerOn(Timer::AfterDiscard)) {
            tick(Timer::AfterDiscard);
        }
    }
    // Offers `piece` as if it had just been dealt, clicks `cell`, and lets the
    // placement sequence run.
    void place(int cell, int piece)
    {
        freeGame().setOfferedPiece(piece);
        placeDealt(cell);
    }
    void placeDealt(int cell)
    {
        click(cell);
        runEvaluation();
    }
    void discardDealt()
    {
        trash();
        runTimers();
    }

    GameState state;
    ScriptedFrontEnd front;
    Output output{nullptr, [] { return Millis{0}; }};
    RandomSource random;
    GameController ctl;
    RecordingScoreKeeper keeper;
    std::vector<Command> sessionCommands;
};

class FlowTest : public ::testing::Test, public Flow {
protected:
    explicit FlowTest(std::uint64_t seed = 1) : Flow(seed) {}
};

} // namespace tavrin::game::testing
