#include "game/random.h"

#include <chrono>

namespace tavrin::game {

RandomSource::RandomSource()
    : RandomSource(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())
                   ^ static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()))
{
}

void RandomSource::reseed(std::uint64_t seed)
{
    engine_.seed(seed);
    seed_ = seed;
    draws_ = 0;
}

double RandomSource::next()
{
    if (draws_ == kSeedSpan) {
        reseed(engine_());
    }
    ++draws_;
    // 53 random bits give every double in [0, 1) on a 2^-53 grid; never 1.0.
    return static_cast<double>(engine_() >> 11) * (1.0 / 9007199254740992.0);
}

int RandomSource::Int(int n)
{
    if (n <= 0) {
        return 0;
    }
    const int v = static_cast<int>(next() * n);
    return v < n ? v : n - 1;
}

std::uint64_t RandomSource::drawSeed()
{
    std::uint64_t seed = 0;
    for (int part = 0; part < 3; ++part) {
        seed = (seed << 30) ^ static_cast<std::uint64_t>(Int(1 << 30));
    }
    return seed;
}

bool RandomSource::restore(const RandomState& state)
{
    if (state.draws > kSeedSpan) {
        return false;
    }
    reseed(state.seed);
    engine_.discard(state.draws);
    draws_ = state.draws;
    return true;
}

} // namespace tavrin::game
