// One stereo 16-bit stream to the PulseAudio sound server, fed from a pull
// function on the stream's own thread. The stream asks for a large buffer at
// a time, so that neither this process nor the server wakes more than a few
// times a second while music plays; while nothing plays there is no stream and
// no thread at all.
#pragma once

#include "game/sample_loop.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

struct pa_context;
struct pa_operation;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;

namespace tavrin::app {

class PulseOutput {
public:
    // Called on the stream's thread for up to `frames` frames.
    using Pull = std::function<game::SampleLoop::Read(std::int16_t* out, std::size_t frames)>;

    PulseOutput() = default;
    ~PulseOutput() { stop(); }
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    // Connects and starts playing what `pull` gives; false (and nothing
    // running) when there is no sound server to play on.
    bool start(int sampleRate, Pull pull);
    // Drops what is buffered and ends the stream and its thread at once.
    void stop();
    bool running() const { return loop_ != nullptr; }
    // The pull function said the end and everything before it has been played.
    bool finished() const { return finished_; }

private:
    static void contextChanged(pa_context* context, void* self);
    static void streamChanged(pa_stream* stream, void* self);
    static void writable(pa_stream* stream, std::size_t bytes, void* self);
    static void drained(pa_stream* stream, int success, void* self);
    void feed(std::size_t bytes);
    void retryLater();

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    pa_time_event* retry_ = nullptr;
    pa_operation* drain_ = nullptr;
    Pull pull_;
    std::vector<std::int16_t> buffer_;
    int sampleRate_ = 0;
    bool ending_ = false;
    std::atomic<bool> finished_{false};
};

} // namespace tavrin::app
