// Sounds, the two looping music pieces and the sound switch.
#include "game/controller.h"

#include "scores/settings_store.h"

#include <algorithm>

namespace tavrin::game {

namespace {

struct DeviceFile {
    Device device;
    DeviceType type;
    const char* file;
};

constexpr DeviceFile kDevices[kDeviceCount] = {
    {Device::Click, DeviceType::WaveAudio, "B.wav"},
    {Device::Trash, DeviceType::WaveAudio, "trush.wav"},
    {Device::FreeMusic, DeviceType::Sequencer, "ecomode.mid"},
    {Device::SeriesMusic, DeviceType::Sequencer, "mondai.mid"},
    {Device::Jingle, DeviceType::WaveAudio, "jan.wav"},
};

// How long the loop timer waits when the device cannot say how long it plays.
constexpr long kUnknownLengthPollMs = 1000;
// Slack after the expected end, and the shortest wait.
constexpr long kEndSlackMs = 30;
constexpr long kShortestWaitMs = 100;
constexpr long kLongestWaitMs = 600000;

void openDevice(Window& w, const DeviceFile& d) { w.mediaOpen(d.device, d.type, d.file); }

} // namespace

void GameController::setSoundSwitch(bool on)
{
    f_.soundOn = on;
    w_.setCommandChecked(Command::SoundOn, on);
    w_.setCommandChecked(Command::SoundOff, !on);
}

void GameController::OpenSoundDevices()
{
    for (const auto& d : kDevices) {
        openDevice(w_, d);
    }
}

void GameController::playMusic(Device device)
{
    if (w_.mediaCanPlay(device) && f_.soundOn) {
        w_.mediaPlay(device, w_.mediaStart(device), -1);
    }
    markLoopingMusic();
    armMusicLoop(device);
}

void GameController::PlayFreeGameMusic()
{
    if (!f_.freeGameActive) {
        EndGame();
        return;
    }
    playMusic(Device::FreeMusic);
}

void GameController::PlaySeriesMusic() { playMusic(Device::SeriesMusic); }

void GameController::StopFreeGameMusic() { w_.mediaStop(Device::FreeMusic); }

void GameController::StopSeriesMusic() { w_.mediaStop(Device::SeriesMusic); }

void GameController::PlaySound(Device device) { w_.mediaSound(device); }

// The music of the current activity; none in the editor.
static bool musicDevice(const GameState& s, Device& device)
{
    if (s.editMode && !s.puzzleSeries) {
        return false;
    }
    device = s.puzzleSeries ? Device::SeriesMusic : Device::FreeMusic;
    return true;
}

// The piece the loop timer would restart at its end is told to repeat by
// itself, so that it goes on without a gap; any other piece ends.
void GameController::markLoopingMusic()
{
    Device current = Device::FreeMusic;
    const bool any = musicDevice(s_, current);
    for (const Device device : {Device::FreeMusic, Device::SeriesMusic}) {
        w_.mediaLoop(device, any && device == current);
    }
}

void GameController::LoopMusic()
{
    markLoopingMusic();
    Device device = Device::FreeMusic;
    if (musicDevice(s_, device)) {
        const long length = w_.mediaLength(device);
        if (w_.mediaMode(device) == DeviceMode::Stopped && length > 0 && w_.mediaPosition(device) >= length) {
            const long start = w_.mediaStart(device);
            w_.mediaSeek(device, start);
            w_.mediaPlay(device, start, length);
        }
        armMusicLoop(device);
    } else {
        stopTimer(Timer::MusicLoop);
    }
}

// Instead of polling every millisecond the loop timer sleeps until the piece
// of the current activity is due to end, and stays off while nothing plays.
void GameController::armMusicLoop(Device device)
{
    if (w_.mediaMode(device) != DeviceMode::Playing) {
        stopTimer(Timer::MusicLoop);
        return;
    }
    const long length = w_.mediaLength(device);
    long wait = kUnknownLengthPollMs;
    if (length > 0) {
        wait = std::clamp(length - w_.mediaPosition(device) + kEndSlackMs, kShortestWaitMs, kLongestWaitMs);
    }
    startTimer(Timer::MusicLoop, static_cast<int>(wait));
}

bool GameController::soundSwitch(bool on)
{
    if (on == f_.soundOn) {
        return false;
    }
    setSoundSwitch(on);
    if (!on) {
        w_.mediaClose(Device::Click);
        w_.mediaClose(Device::Trash);
        w_.mediaClose(Device::FreeMusic);
    } else {
        for (int k = 0; k < 3; ++k) {
            openDevice(w_, kDevices[k]);
        }
        if (w_.mediaCanPlay(Device::FreeMusic)) {
            w_.mediaPlay(Device::FreeMusic, w_.mediaStart(Device::FreeMusic), -1);
        }
    }
    markLoopingMusic();
    if (settings_ != nullptr) {
        settings_->save("Options", "PointMode", on ? "-1" : "0");
    }
    Device device = Device::FreeMusic;
    if (musicDevice(s_, device)) {
        armMusicLoop(device);
    }
    return true;
}

} // namespace tavrin::game
