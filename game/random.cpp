#include "game/random.h"

#include <chrono>

namespace tavrin::game {

RandomSource::RandomSource()
    : engine_(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())
              ^ static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()))
{
}

double RandomSource::next()
{
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

} // namespace tavrin::game
