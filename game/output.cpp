#include "game/output.h"

#include <algorithm>
#include <ctime>

namespace tavrin::game {

namespace {

// The monotonic clock read directly: std::chrono's steady clock would throw
// (and bring the error texts along) where it cannot be read, which never
// happens here.
Millis steadyNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<Millis>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace

std::string_view soundFile(Sound sound)
{
    switch (sound) {
    case Sound::Click: return "B.wav";
    case Sound::Trash: return "trush.wav";
    case Sound::Jingle: return "jan.wav";
    }
    return {};
}

std::string_view musicFile(Music piece)
{
    return piece == Music::Series ? "mondai.mid" : "ecomode.mid";
}

Output::Output(FrontEnd* frontEnd, Clock clock) : frontEnd_(frontEnd), clock_(std::move(clock))
{
    if (!clock_) {
        clock_ = steadyNow;
    }
}

void Output::ask(Box box, Prompter::Then then) { prompter_.ask(std::move(box), std::move(then)); }

bool Output::answer(int id, const BoxAnswer& answer)
{
    const bool taken = prompter_.answer(id, answer);
    flush();
    return taken;
}

void Output::playSound(Sound sound)
{
    if (frontEnd_ != nullptr) {
        frontEnd_->playSound(sound);
    }
}

void Output::playMusic(Music piece)
{
    if (frontEnd_ != nullptr) {
        frontEnd_->playMusic(piece);
    }
}

void Output::stopMusic(Music piece)
{
    if (frontEnd_ != nullptr) {
        frontEnd_->stopMusic(piece);
    }
}

void Output::repeatMusic(Music piece, bool repeat)
{
    if (frontEnd_ != nullptr) {
        frontEnd_->repeatMusic(piece, repeat);
    }
}

void Output::act(Action action)
{
    if (frontEnd_ != nullptr) {
        frontEnd_->act(action);
    }
}

void Output::flush()
{
    // A window that answers a box at once comes back here from inside
    // showBox: the outer call shows what that answer changed.
    if (flushing_) {
        again_ = true;
        return;
    }
    flushing_ = true;
    do {
        again_ = false;
        if (screen_.changed()) {
            const ScreenChanges changes = screen_.takeChanges();
            if (frontEnd_ != nullptr) {
                frontEnd_->show(screen_.screen(), changes);
            }
        }
        const Box* next = prompter_.current();
        if (next != nullptr && next->id != shownBox_) {
            shownBox_ = next->id;
            if (frontEnd_ != nullptr) {
                frontEnd_->showBox(*next);
            }
        }
    } while (again_);
    flushing_ = false;
    requestWake();
}

void Output::showEverything()
{
    screen_.markAll();
    flush();
}

void Output::requestWake()
{
    std::optional<Millis> due = prompter_.waiting() ? std::nullopt : timers_.nextDue();
    if (due == wakeAsked_ || frontEnd_ == nullptr) {
        return;
    }
    wakeAsked_ = due;
    frontEnd_->wakeIn(due ? std::max<Millis>(*due - now(), 0) : -1);
}

} // namespace tavrin::game
