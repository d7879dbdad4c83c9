#include "noise.h"

#include <cmath>

namespace tavrin::assets {

std::uint64_t Random::next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::uniform()
{
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}

int Random::below(int n)
{
    return n <= 0 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n));
}

double latticeValue(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u
                    ^ static_cast<std::uint32_t>(y) * 0xD8163841u
                    ^ seed * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<double>(h & 0xFFFFFFu) / static_cast<double>(0x1000000);
}

namespace {

double smooth(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

int wrap(int v, int n) { return ((v % n) + n) % n; }

} // namespace

double tiledNoise(double x, double y, int size, int cells, std::uint32_t seed)
{
    const double scale = static_cast<double>(cells) / static_cast<double>(size);
    const double fx = x * scale;
    const double fy = y * scale;
    const int x0 = static_cast<int>(std::floor(fx));
    const int y0 = static_cast<int>(std::floor(fy));
    const double tx = smooth(fx - x0);
    const double ty = smooth(fy - y0);
    const int ax = wrap(x0, cells), bx = wrap(x0 + 1, cells);
    const int ay = wrap(y0, cells), by = wrap(y0 + 1, cells);
    const double v00 = latticeValue(ax, ay, seed);
    const double v10 = latticeValue(bx, ay, seed);
    const double v01 = latticeValue(ax, by, seed);
    const double v11 = latticeValue(bx, by, seed);
    const double top = v00 + (v10 - v00) * tx;
    const double bottom = v01 + (v11 - v01) * tx;
    return top + (bottom - top) * ty;
}

double tiledFbm(double x, double y, int size, int cells, int octaves, std::uint32_t seed)
{
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * tiledNoise(x, y, size, cells << o, seed + static_cast<std::uint32_t>(o) * 101u);
        total += weight;
        weight *= 0.5;
    }
    return total > 0.0 ? sum / total : 0.0;
}

} // namespace tavrin::assets
