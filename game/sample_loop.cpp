#include "game/sample_loop.h"

#include <algorithm>
#include <limits>

namespace tavrin::game {

SampleLoop::SampleLoop(int channels) : channels_(std::max(channels, 1)) {}

void SampleLoop::append(const std::int16_t* samples, std::size_t frames)
{
    if (complete_ || frames == 0) {
        return;
    }
    samples_.insert(samples_.end(), samples, samples + frames * static_cast<std::size_t>(channels_));
}

void SampleLoop::finish(std::vector<std::int16_t> tail)
{
    tail.resize(tail.size() - tail.size() % static_cast<std::size_t>(channels_));
    tail_ = std::move(tail);
    samples_.shrink_to_fit();
    complete_ = true;
}

void SampleLoop::clear()
{
    samples_ = {};
    tail_ = {};
    position_ = 0;
    repeats_ = 0;
    complete_ = false;
}

void SampleLoop::seek(std::size_t frame)
{
    position_ = std::min(frame, length());
    repeats_ = 0;
}

SampleLoop::Read SampleLoop::read(std::int16_t* out, std::size_t frames)
{
    const auto ch = static_cast<std::size_t>(channels_);
    const std::size_t tailFrames = tail_.size() / ch;
    Read result;
    while (result.frames < frames) {
        if (position_ >= length()) {
            // An empty piece never wraps: it would spin here for ever.
            if (!complete_ || !looping_ || length() == 0) {
                result.ended = complete_;
                break;
            }
            position_ = 0;
            ++repeats_;
        }
        const std::size_t n = std::min(frames - result.frames, length() - position_);
        std::int16_t* to = out + result.frames * ch;
        std::copy_n(samples_.data() + position_ * ch, n * ch, to);
        // On a repeat the previous pass still rings into the first frames.
        if (repeats_ > 0 && position_ < tailFrames) {
            const std::size_t mixed = std::min(n, tailFrames - position_);
            const std::int16_t* from = tail_.data() + position_ * ch;
            for (std::size_t i = 0; i < mixed * ch; ++i) {
                const int sum = to[i] + from[i];
                to[i] = static_cast<std::int16_t>(std::clamp(sum, int{std::numeric_limits<std::int16_t>::min()},
                                                             int{std::numeric_limits<std::int16_t>::max()}));
            }
        }
        position_ += n;
        result.frames += n;
    }
    return result;
}

} // namespace tavrin::game
