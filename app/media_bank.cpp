#include "app/media_bank.h"

#include "app/command_line.h"

namespace tavrin::app {

namespace {

constexpr std::size_t at(auto e) { return static_cast<std::size_t>(e); }

} // namespace

MediaBank::MediaBank(QString folder) : folder_(std::move(folder))
{
    for (const game::Sound sound : {game::Sound::Click, game::Sound::Trash, game::Sound::Jingle}) {
        auto& device = sounds_[at(sound)];
        device = std::make_unique<WaveDevice>();
        device->open(path(game::soundFile(sound)));
    }
    for (const game::Music piece : {game::Music::FreeGame, game::Music::Series}) {
        auto& device = music_[at(piece)];
        device = std::make_unique<MusicDevice>(renderer_);
        device->open(path(game::musicFile(piece)));
    }
}

QString MediaBank::path(std::string_view file) const
{
    return folder_ + pathSeparator(folder_) + QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
}

void MediaBank::playSound(game::Sound sound)
{
    if (const auto& device = sounds_[at(sound)]) {
        device->play();
    }
}

void MediaBank::playMusic(game::Music piece)
{
    MusicDevice* device = music_[at(piece)].get();
    if (device == nullptr) {
        return;
    }
    // One rendered piece in memory at a time, besides any still playing.
    for (const auto& other : music_) {
        if (other.get() != device && other) {
            other->release();
        }
    }
    device->play(device->startPosition());
}

void MediaBank::stopMusic(game::Music piece)
{
    if (const auto& device = music_[at(piece)]) {
        device->stop();
    }
}

void MediaBank::repeatMusic(game::Music piece, bool repeat)
{
    if (const auto& device = music_[at(piece)]) {
        device->setLooping(repeat);
    }
}

bool MediaBank::musicPlaying(game::Music piece) const
{
    const auto& device = music_[at(piece)];
    return device && device->playing();
}

void MediaBank::closeAll()
{
    for (auto& device : sounds_) {
        device.reset();
    }
    for (auto& device : music_) {
        device.reset();
    }
}

} // namespace tavrin::app
