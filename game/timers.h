// The game's three timers on one clock. Windows do not run timers of their
// own: they wake the game when asked (FrontEnd::wakeIn) and call
// Session::tick with the time, and every timer that is due runs then.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace tavrin::game {

enum class Timer {
    Evaluation,   // 50 ms: the placement sequence and the turn evaluation
    AfterDiscard, // 400 ms: finishes a discard
    StartUp,      // 300 ms: start-up, and the next puzzle after a clear
};
inline constexpr int kTimerCount = 3;
inline constexpr int kEvaluationIntervalMs = 50;
inline constexpr int kAfterDiscardIntervalMs = 400;
inline constexpr int kStartUpIntervalMs = 300;

// Milliseconds on a steady clock.
using Millis = std::int64_t;

class Timers {
public:
    // A running timer ticks every `intervalMs` from `now` until stopped;
    // starting a running timer starts it over.
    void start(Timer timer, int intervalMs, Millis now);
    void stop(Timer timer);
    bool running(Timer timer) const { return slot(timer).due.has_value(); }

    // The timer due first at `now` (the earliest due time, then the lowest
    // number), moved on to its next tick; nothing when none is due.
    std::optional<Timer> takeDue(Millis now);
    // When the next tick is due, if any timer runs.
    std::optional<Millis> nextDue() const;

private:
    struct Slot {
        std::optional<Millis> due;
        int interval = 0;
    };
    Slot& slot(Timer t) { return slots_[static_cast<std::size_t>(t)]; }
    const Slot& slot(Timer t) const { return slots_[static_cast<std::size_t>(t)]; }

    std::array<Slot, kTimerCount> slots_{};
};

} // namespace tavrin::game
