#include "app/pulse_output.h"

#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>

namespace tavrin::app {

namespace {

constexpr pa_usec_t kBufferUs = 1000 * 1000; // what the server holds for us
constexpr pa_usec_t kRequestUs = 250 * 1000; // the least it asks for at a time
// While the piece is still being rendered, the stream looks again after this.
constexpr pa_usec_t kRetryUs = 20 * 1000;

} // namespace

void PulseOutput::contextChanged(pa_context*, void* self)
{
    pa_threaded_mainloop_signal(static_cast<PulseOutput*>(self)->loop_, 0);
}

void PulseOutput::streamChanged(pa_stream* stream, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    const pa_stream_state_t state = pa_stream_get_state(stream);
    if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) {
        out->finished_ = true; // lost: the piece counts as played
    }
}

void PulseOutput::writable(pa_stream*, std::size_t bytes, void* self)
{
    static_cast<PulseOutput*>(self)->feed(bytes);
}

void PulseOutput::drained(pa_stream*, int success, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    if (out->drain_ != nullptr) {
        pa_operation_unref(out->drain_);
        out->drain_ = nullptr;
    }
    if (success != 0) {
        out->finished_ = true;
    }
}

bool PulseOutput::start(int sampleRate, Pull pull)
{
    stop();
    sampleRate_ = sampleRate;
    pull_ = std::move(pull);
    ending_ = false;
    finished_ = false;
    loop_ = pa_threaded_mainloop_new();
    if (loop_ == nullptr) {
        return false;
    }
    pa_threaded_mainloop_set_name(loop_, "tavrin-music");
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Tavrin");
    if (context_ == nullptr || pa_threaded_mainloop_start(loop_) < 0) {
        stop();
        return false;
    }
    pa_threaded_mainloop_lock(loop_);
    pa_context_set_state_callback(context_, contextChanged, this);
    bool ready = pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0;
    while (ready) {
        const pa_context_state_t state = pa_context_get_state(context_);
        if (state == PA_CONTEXT_READY) {
            break;
        }
        if (!PA_CONTEXT_IS_GOOD(state)) {
            ready = false;
            break;
        }
        pa_threaded_mainloop_wait(loop_);
    }
    if (ready) {
        const pa_sample_spec format{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(sampleRate_), 2};
        stream_ = pa_stream_new(context_, "Tavrin music", &format, nullptr);
        if (stream_ != nullptr) {
            pa_stream_set_state_callback(stream_, streamChanged, this);
            pa_stream_set_write_callback(stream_, writable, this);
            pa_buffer_attr attr{};
            attr.maxlength = static_cast<std::uint32_t>(-1);
            attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kBufferUs, &format));
            attr.prebuf = static_cast<std::uint32_t>(-1);
            attr.minreq = static_cast<std::uint32_t>(pa_usec_to_bytes(kRequestUs, &format));
            attr.fragsize = static_cast<std::uint32_t>(-1);
            ready = pa_stream_connect_playback(stream_, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) >= 0;
        } else {
            ready = false;
        }
    }
    pa_threaded_mainloop_unlock(loop_);
    if (!ready) {
        stop();
    }
    return ready;
}

void PulseOutput::stop()
{
    if (loop_ == nullptr) {
        return;
    }
    pa_threaded_mainloop_lock(loop_);
    if (retry_ != nullptr) {
        pa_threaded_mainloop_get_api(loop_)->time_free(retry_);
        retry_ = nullptr;
    }
    if (drain_ != nullptr) {
        pa_operation_cancel(drain_);
        pa_operation_unref(drain_);
        drain_ = nullptr;
    }
    if (stream_ != nullptr) {
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_ != nullptr) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    pa_threaded_mainloop_unlock(loop_);
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
    pull_ = {};
}

void PulseOutput::feed(std::size_t bytes)
{
    if (ending_ || stream_ == nullptr || pa_stream_get_state(stream_) != PA_STREAM_READY) {
        return;
    }
    const std::size_t frames = bytes / (2 * sizeof(std::int16_t));
    if (frames == 0) {
        return;
    }
    buffer_.resize(frames * 2);
    const game::SampleLoop::Read got = pull_(buffer_.data(), frames);
    if (got.frames > 0) {
        pa_stream_write(stream_, buffer_.data(), got.frames * 2 * sizeof(std::int16_t), nullptr, 0, PA_SEEK_RELATIVE);
    }
    if (got.ended) {
        ending_ = true;
        // A piece shorter than the buffer plays without waiting to fill it.
        if (pa_operation* o = pa_stream_trigger(stream_, nullptr, nullptr)) {
            pa_operation_unref(o);
        }
        drain_ = pa_stream_drain(stream_, drained, this);
    } else if (got.frames < frames) {
        retryLater(); // the rest is still being rendered
    }
}

void PulseOutput::retryLater()
{
    if (retry_ != nullptr) {
        return;
    }
    retry_ = pa_context_rttime_new(
        context_, pa_rtclock_now() + kRetryUs,
        [](pa_mainloop_api* api, pa_time_event* event, const struct timeval*, void* self) {
            auto* out = static_cast<PulseOutput*>(self);
            api->time_free(event);
            out->retry_ = nullptr;
            const std::size_t bytes = out->stream_ != nullptr ? pa_stream_writable_size(out->stream_) : 0;
            if (bytes != static_cast<std::size_t>(-1)) {
                out->feed(bytes);
            }
        },
        this);
}

} // namespace tavrin::app
