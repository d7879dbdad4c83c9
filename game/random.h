// The program's one random source: uniform numbers in [0, 1).
#pragma once

#include <cstdint>
#include <random>

namespace tavrin::game {

class RandomSource {
public:
    // Seeded from the clock.
    RandomSource();
    // Seeded from `seed`, for tests and replays: the same seed gives the same draws.
    explicit RandomSource(std::uint64_t seed) : engine_(seed) {}

    void reseed(std::uint64_t seed) { engine_.seed(seed); }

    // Uniform in [0, 1).
    double next();

    // Int(Rnd * n): uniform integer 0 .. n - 1 (0 when n <= 0).
    int Int(int n);

private:
    std::mt19937_64 engine_;
};

} // namespace tavrin::game
