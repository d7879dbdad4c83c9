// A MIDI-music device: its file rendered once into memory (on the renderer's
// worker) and played from there on a stream of its own, which repeats the
// piece without a gap when asked to. Nothing of it runs while it is silent.
#pragma once

#include "app/midi_renderer.h"
#include "app/pulse_output.h"

#include <QString>

#include <memory>

namespace tavrin::app {

class MusicDevice {
public:
    explicit MusicDevice(MidiRenderer& renderer) : renderer_(renderer) {}
    ~MusicDevice() { close(); }
    MusicDevice(const MusicDevice&) = delete;
    MusicDevice& operator=(const MusicDevice&) = delete;

    // Remembers `file`: the device can play when it is a MIDI file and the
    // soundfont is there. Nothing is read beyond the file's header until the
    // piece first plays; a file replaced meanwhile plays as it is then.
    void open(const QString& file);
    void close();

    // Positions and lengths are milliseconds of the rendered piece. Plays from
    // `from` to the end (or round and round), asynchronously.
    void play(long from = 0);
    void stop();
    void seek(long ms);
    void setLooping(bool on);
    // Forgets the rendered samples while the device is silent; they are
    // rendered again when it next plays.
    void release();

    bool canPlay() const { return canPlay_; }
    long startPosition() const { return 0; }
    // 0 while the piece is still being rendered.
    long length() const;
    long position() const;
    bool playing() const;

private:
    bool startOutput();

    MidiRenderer& renderer_;
    QString file_;
    bool canPlay_ = false;
    bool looping_ = false;
    bool playing_ = false; // asked to play and not stopped
    bool stopped_ = false; // stopped by a command, not by its end
    std::shared_ptr<RenderedPiece> piece_;
    PulseOutput output_;
};

} // namespace tavrin::app
