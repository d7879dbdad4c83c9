#include "game/timers.h"

#include <algorithm>

namespace tavrin::game {

void Timers::start(Timer timer, int intervalMs, Millis now)
{
    Slot& s = slot(timer);
    s.interval = std::max(intervalMs, 0);
    s.due = now + s.interval;
}

void Timers::stop(Timer timer) { slot(timer).due.reset(); }

std::optional<Timer> Timers::takeDue(Millis now)
{
    std::optional<Timer> first;
    for (int i = 0; i < kTimerCount; ++i) {
        const auto timer = static_cast<Timer>(i);
        const Slot& s = slot(timer);
        if (s.due && *s.due <= now && (!first || *s.due < *slot(*first).due)) {
            first = timer;
        }
    }
    if (first) {
        // A late tick is not made up for: the next one comes an interval after this one.
        Slot& s = slot(*first);
        s.due = now + std::max(s.interval, 1);
    }
    return first;
}

std::optional<Millis> Timers::nextDue() const
{
    std::optional<Millis> next;
    for (const Slot& s : slots_) {
        if (s.due && (!next || *s.due < *next)) {
            next = s.due;
        }
    }
    return next;
}

} // namespace tavrin::game
