// The program's one random source: uniform numbers in [0, 1).
#pragma once

#include <cstdint>
#include <random>

namespace tavrin::game {

// Where a source's sequence stands: the seed it started from and the numbers
// drawn since. A source put back to a state draws exactly what the source it
// came from would have drawn next.
struct RandomState {
    std::uint64_t seed = 0;
    std::uint64_t draws = 0;
    bool operator==(const RandomState&) const = default;
};

class RandomSource {
public:
    // Seeded from the clock.
    RandomSource();
    // Seeded from `seed`, for tests and replays: the same seed gives the same draws.
    explicit RandomSource(std::uint64_t seed) : engine_(seed), seed_(seed) {}

    void reseed(std::uint64_t seed);

    // Uniform in [0, 1).
    double next();

    // Int(Rnd * n): uniform integer 0 .. n - 1 (0 when n <= 0).
    int Int(int n);

    // A seed for a source of its own (a game's supply, a generated series):
    // 90 random bits folded into 64, three draws.
    std::uint64_t drawSeed();

    RandomState state() const { return {seed_, draws_}; }
    // Puts the source back to `state`; false (and nothing changed) when no
    // source can be in it (more draws than kSeedSpan).
    bool restore(const RandomState& state);

    // After this many draws the source seeds itself from its own next number,
    // so that restoring a state never replays more than this many draws
    // (10 to 30 ms). A game draws a few hundred.
    static constexpr std::uint64_t kSeedSpan = std::uint64_t{1} << 20;

private:
    std::mt19937_64 engine_;
    std::uint64_t seed_ = 0;
    std::uint64_t draws_ = 0;
};

} // namespace tavrin::game
