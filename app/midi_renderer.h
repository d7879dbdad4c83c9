// Renders MIDI files into memory, once each, on a worker thread of its own:
// one FluidSynth synthesiser for every piece asked for together, whose General
// MIDI soundfont is read when a piece is asked for (never on the way to the
// first frame) and let go once the worker has nothing left to do.
#pragma once

#include "game/sample_loop.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace tavrin::app {

// A piece being rendered or rendered: the worker appends to `samples` and the
// sound output reads from it, both under `mutex`.
struct RenderedPiece {
    std::mutex mutex;
    game::SampleLoop samples{2};
    bool failed = false; // not a MIDI file the synthesiser could play
    std::atomic<bool> abandoned{false};
};

class MidiRenderer {
public:
    // Frames a second of every rendered piece, stereo.
    static constexpr int kSampleRate = 22050;

    MidiRenderer() = default;
    // Abandons the piece in hand and waits for the worker, which stops within
    // one short block (or once a soundfont load in progress is done).
    ~MidiRenderer();
    MidiRenderer(const MidiRenderer&) = delete;
    MidiRenderer& operator=(const MidiRenderer&) = delete;

    // Queues `file`; the piece fills while it renders. Dropping every
    // reference to it abandons the work.
    std::shared_ptr<RenderedPiece> render(const QString& file);

    // The General MIDI soundfont the synthesiser loads.
    static QString soundFont();
    // How many times this renderer has read the soundfont.
    int soundFontReads() const { return soundFontReads_; }

private:
    struct Job {
        QString file;
        std::weak_ptr<RenderedPiece> piece;
    };
    void run();
    bool ensureSynth();
    void renderOne(const Job& job);
    void freeSynth();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool quitting_ = false;
    std::thread worker_;
    std::atomic<int> soundFontReads_{0};

    // Worker thread only.
    struct Synth;
    Synth* synth_ = nullptr;
    bool synthFailed_ = false;
};

} // namespace tavrin::app
