// Where everything the game shows goes: the screen model, the boxes waiting
// for answers, the timers, sound and the platform's actions. The game flow
// writes here; flush() hands what changed to the window, if there is one.
// Without a window (tests, replays, the score server) the model is all there is.
#pragma once

#include "game/box.h"
#include "game/front_end.h"
#include "game/screen.h"
#include "game/timers.h"

#include <functional>
#include <optional>

namespace tavrin::game {

class Output {
public:
    using Clock = std::function<Millis()>;

    // `clock` tells the time the timers start from; a steady clock by default.
    explicit Output(FrontEnd* frontEnd = nullptr, Clock clock = {});

    void setFrontEnd(FrontEnd* frontEnd) { frontEnd_ = frontEnd; }
    FrontEnd* frontEnd() const { return frontEnd_; }

    ScreenModel& screen() { return screen_; }
    const Screen& shown() const { return screen_.screen(); }

    // --- boxes ------------------------------------------------------------------
    void ask(Box box, Prompter::Then then = {});
    bool boxOpen() const { return prompter_.waiting(); }
    const Box* box() const { return prompter_.current(); }
    // The answer to box `id`: its continuation runs, then what it changed is
    // shown. False when `id` is not the box on screen.
    bool answer(int id, const BoxAnswer& answer);

    // --- timers -----------------------------------------------------------------
    Millis now() const { return clock_(); }
    void startTimer(Timer timer, int intervalMs) { timers_.start(timer, intervalMs, now()); }
    void stopTimer(Timer timer) { timers_.stop(timer); }
    bool timerOn(Timer timer) const { return timers_.running(timer); }
    Timers& timers() { return timers_; }

    // --- sound, music, platform ---------------------------------------------------
    void playSound(Sound sound);
    void playMusic(Music piece);
    void stopMusic(Music piece);
    void repeatMusic(Music piece, bool repeat);
    void act(Action action);

    // Shows the changes and the next box, and asks to be woken for the next
    // timer tick (none while a box waits: the game holds still behind it).
    void flush();
    // Everything again (a change of language, a window that starts).
    void showEverything();
    // The window woke the game: the wake-up asked for has been spent.
    void woke() { wakeAsked_.reset(); }

private:
    void requestWake();

    FrontEnd* frontEnd_;
    Clock clock_;
    ScreenModel screen_;
    Prompter prompter_;
    Timers timers_;
    int shownBox_ = 0;
    std::optional<Millis> wakeAsked_;
    bool flushing_ = false;
    bool again_ = false;
};

} // namespace tavrin::game
