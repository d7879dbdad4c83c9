// The game's sounds and music: three wave sounds and two MIDI pieces, which
// share one renderer. Everything is opened once, beside the program.
#pragma once

#include "app/midi_renderer.h"
#include "app/music_device.h"
#include "app/wave_device.h"
#include "game/front_end.h"

#include <QString>

#include <array>
#include <memory>

namespace tavrin::app {

class MediaBank {
public:
    // Files are looked up in `folder` (the program folder).
    explicit MediaBank(QString folder);

    void playSound(game::Sound sound);
    // From the piece's start.
    void playMusic(game::Music piece);
    void stopMusic(game::Music piece);
    // Whether a piece repeats by itself at its end.
    void repeatMusic(game::Music piece, bool repeat);
    bool musicPlaying(game::Music piece) const;
    void closeAll();

    const MidiRenderer& renderer() const { return renderer_; }

private:
    QString path(std::string_view file) const;

    QString folder_;
    MidiRenderer renderer_; // outlives the devices that use it
    std::array<std::unique_ptr<WaveDevice>, 3> sounds_;
    std::array<std::unique_ptr<MusicDevice>, game::kMusicCount> music_;
};

} // namespace tavrin::app
