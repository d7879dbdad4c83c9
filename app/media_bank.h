// The five media devices of the game: three wave sounds and two MIDI pieces,
// which share one renderer.
#pragma once

#include "app/midi_renderer.h"
#include "app/music_device.h"
#include "app/wave_device.h"
#include "game/window.h"

#include <QString>

#include <array>
#include <memory>

namespace tavrin::app {

class MediaBank {
public:
    // Files are looked up in `folder` (the program folder).
    explicit MediaBank(QString folder);

    void open(game::Device device, game::DeviceType type, const std::string& file);
    void close(game::Device device);
    void closeAll();
    void play(game::Device device, long from, long to);
    void sound(game::Device device);
    void stop(game::Device device);
    void seek(game::Device device, long position);
    long start(game::Device device) const;
    long length(game::Device device) const;
    long position(game::Device device) const;
    game::DeviceMode mode(game::Device device) const;
    bool canPlay(game::Device device) const;
    // Whether a music piece repeats by itself at its end; kept across reopening.
    void setLooping(game::Device device, bool on);

    const MidiRenderer& renderer() const { return renderer_; }

private:
    struct Slot {
        game::DeviceType type = game::DeviceType::WaveAudio;
        bool open = false;
        bool looping = false;
        std::unique_ptr<WaveDevice> wave;
        std::unique_ptr<MusicDevice> midi;
    };
    Slot* slot(game::Device device);
    const Slot* slot(game::Device device) const;

    QString folder_;
    MidiRenderer renderer_; // outlives the devices that use it
    std::array<Slot, game::kDeviceCount> slots_;
};

} // namespace tavrin::app
