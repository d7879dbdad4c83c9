// Deterministic noise for the generated art: every build draws the same
// pictures, and the noise wraps around so that backgrounds tile seamlessly.
#pragma once

#include <cstdint>

namespace tavrin::assets {

// A small, fixed pseudo-random generator (splitmix64).
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // Uniform in [0, 1).
    double uniform();
    // Uniform in [lo, hi).
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform integer in [0, n).
    int below(int n);

private:
    std::uint64_t state_;
};

// Hash of a lattice point to [0, 1).
double latticeValue(int x, int y, std::uint32_t seed);

// Value noise in [0, 1] with `cells` lattice cells across `size` pixels; the
// lattice wraps, so noise(x + size, y) == noise(x, y).
double tiledNoise(double x, double y, int size, int cells, std::uint32_t seed);

// Fractal sum of tiledNoise octaves, starting with `cells` lattice cells and
// doubling each octave; result in [0, 1].
double tiledFbm(double x, double y, int size, int cells, int octaves, std::uint32_t seed);

} // namespace tavrin::assets
