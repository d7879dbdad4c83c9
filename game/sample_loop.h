// A rendered music piece as interleaved 16-bit frames, read out by the sound
// output in order: it can grow while it is still being rendered, and once
// complete it either wraps around to its first frame without a gap (looping)
// or ends. The sound that rings on after the last frame (reverb, releases) is
// kept apart as a tail and mixed into the beginning of every repeat, never into
// the first pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrin::game {

class SampleLoop {
public:
    explicit SampleLoop(int channels = 2);

    int channels() const { return channels_; }

    // --- filled by the renderer ---------------------------------------------
    void append(const std::int16_t* samples, std::size_t frames);
    // The piece is whole: `tail` (interleaved, any length) rings on after it.
    void finish(std::vector<std::int16_t> tail);
    // Drops every frame: the piece is to be rendered again.
    void clear();

    // --- read by the output -------------------------------------------------
    struct Read {
        std::size_t frames = 0; // frames written to `out`
        bool ended = false;     // a complete piece that does not loop has no more
    };
    // Writes up to `frames` frames; fewer while the renderer is behind.
    Read read(std::int16_t* out, std::size_t frames);

    void setLooping(bool on) { looping_ = on; }
    bool looping() const { return looping_; }
    // The next frame to read; a seek past what is there stops at its end.
    void seek(std::size_t frame);

    bool complete() const { return complete_; }
    std::size_t length() const { return samples_.size() / static_cast<std::size_t>(channels_); }
    std::size_t position() const { return position_; }
    // How many times the piece has wrapped around since the last seek.
    std::size_t repeats() const { return repeats_; }
    std::size_t memoryBytes() const { return (samples_.capacity() + tail_.capacity()) * sizeof(std::int16_t); }

private:
    int channels_;
    std::vector<std::int16_t> samples_;
    std::vector<std::int16_t> tail_;
    std::size_t position_ = 0;
    std::size_t repeats_ = 0;
    bool complete_ = false;
    bool looping_ = false;
};

} // namespace tavrin::game
