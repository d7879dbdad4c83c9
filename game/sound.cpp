// Sounds, the two looping music pieces and the sound switch.
#include "game/controller.h"

#include "scores/settings_store.h"

namespace tavrin::game {

void GameController::setSoundSwitch(bool on)
{
    f_.soundOn = on;
    out_.screen().setCommandChecked(Command::SoundOn, on);
    out_.screen().setCommandChecked(Command::SoundOff, !on);
}

void GameController::playMusic(Music piece)
{
    if (f_.soundOn) {
        out_.playMusic(piece);
    }
    markLoopingMusic();
}

void GameController::playFreeGameMusic()
{
    if (!free_.active()) {
        endGame();
        return;
    }
    playMusic(Music::FreeGame);
}

void GameController::playSeriesMusic() { playMusic(Music::Series); }

void GameController::stopFreeGameMusic() { out_.stopMusic(Music::FreeGame); }

void GameController::stopSeriesMusic() { out_.stopMusic(Music::Series); }

// The piece of the current activity repeats without a gap; any other piece
// that still plays ends at its end. The editor has no music of its own.
void GameController::markLoopingMusic()
{
    const bool any = !(s_.editMode && !s_.puzzleSeries);
    const Music current = s_.puzzleSeries ? Music::Series : Music::FreeGame;
    for (const Music piece : {Music::FreeGame, Music::Series}) {
        const bool repeat = any && piece == current;
        bool& told = musicRepeats_[static_cast<std::size_t>(piece)];
        if (repeat != told) {
            told = repeat;
            out_.repeatMusic(piece, repeat);
        }
    }
}

bool GameController::soundSwitch(bool on)
{
    if (on == f_.soundOn) {
        return false;
    }
    setSoundSwitch(on);
    f_.trashSoundOpen = on;
    if (!on) {
        // Series music that plays goes on until the series ends.
        out_.stopMusic(Music::FreeGame);
    } else {
        // The free-game music starts on every switch to sound on, in series
        // play and in the editor too.
        out_.playMusic(Music::FreeGame);
    }
    markLoopingMusic();
    if (settings_ != nullptr) {
        settings_->save("Options", "PointMode", on ? "-1" : "0");
    }
    return true;
}

} // namespace tavrin::game
