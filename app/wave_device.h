// A wave-sound device: one short sound file played with QSoundEffect.
#pragma once

#include <QString>

#include <memory>

class QSoundEffect;

namespace tavrin::app {

class WaveDevice {
public:
    WaveDevice();
    ~WaveDevice();
    WaveDevice(const WaveDevice&) = delete;
    WaveDevice& operator=(const WaveDevice&) = delete;

    // Opens `file`; a missing file or no sound output leaves the device unable to play.
    void open(const QString& file);
    void close();
    void play();
    void stop();

    bool isOpen() const { return effect_ != nullptr; }
    bool canPlay() const;
    bool isPlaying() const;

private:
    std::unique_ptr<QSoundEffect> effect_;
};

// True unless TAVRIN_NO_AUDIO is set: then no audio device is ever opened.
bool audioAllowed();

} // namespace tavrin::app
