// A MIDI-music device: one file played through its own FluidSynth synthesiser.
#pragma once

#include <QString>

#include <fluidsynth/types.h>

namespace tavrin::app {

class MidiDevice {
public:
    static constexpr int kModeStopped = 525;
    static constexpr int kModePlaying = 526;

    MidiDevice() = default;
    ~MidiDevice();
    MidiDevice(const MidiDevice&) = delete;
    MidiDevice& operator=(const MidiDevice&) = delete;

    // Opens the synthesiser (audio driver pulseaudio, then alsa) and remembers
    // `file`. Without a driver, soundfont or file the device cannot play.
    void open(const QString& file);
    void close();

    // Positions and lengths are milliseconds at the tempo the player is at.
    // Plays from `from` to the end, asynchronously.
    void play(long from = 0);
    void stop();
    void seek(long ms);

    bool canPlay() const { return player_ != nullptr; }
    long startPosition() const { return 0; }
    long length() const;
    long position() const;
    int mode() const;

    // The General MIDI soundfont the synthesiser loads.
    static QString soundFont();

private:
    bool newPlayer();
    int lengthTicks() const;
    long toMs(long ticks) const;
    int toTicks(long ms) const;

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    fluid_player_t* player_ = nullptr;
    QString file_;
    int knownLength_ = 0;
    int stoppedAt_ = 0;
    bool stopped_ = false; // stopped by a command, not by reaching the end
    bool started_ = false;
    int division_ = 0; // from the file's header
};

} // namespace tavrin::app
