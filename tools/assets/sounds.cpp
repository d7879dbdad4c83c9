#include "sounds.h"

#include "noise.h"
#include "wav_writer.h"

#include <algorithm>
#include <cmath>

namespace tavrin::assets {

namespace {

const double kPi = std::acos(-1.0);
constexpr double kDt = 1.0 / kSampleRate;

std::vector<double> silence(double seconds)
{
    return std::vector<double>(static_cast<std::size_t>(seconds * kSampleRate), 0.0);
}

// Adds a decaying sine partial starting at `start` seconds.
void addPartial(std::vector<double>& out, double start, double freq, double amp, double tau,
                double attack = 0.002, double bend = 0.0, double bendTau = 0.01)
{
    double phase = 0.0;
    const auto first = static_cast<std::size_t>(start * kSampleRate);
    for (std::size_t i = first; i < out.size(); ++i) {
        const double t = static_cast<double>(i - first) * kDt;
        const double env = std::min(1.0, t / attack) * std::exp(-t / tau);
        if (env < 1e-5 && t > attack) break;
        const double f = freq * (1.0 + bend * std::exp(-t / bendTau));
        phase += 2.0 * kPi * f * kDt;
        out[i] += amp * env * std::sin(phase);
    }
}

// A bell-like FM note: carrier `freq`, modulator at `ratio` times it, with
// a modulation index that fades from `index` to a quarter of it.
void addBell(std::vector<double>& out, double start, double freq, double amp, double tau,
             double ratio, double index)
{
    const auto first = static_cast<std::size_t>(start * kSampleRate);
    for (std::size_t i = first; i < out.size(); ++i) {
        const double t = static_cast<double>(i - first) * kDt;
        const double env = std::min(1.0, t / 0.003) * std::exp(-t / tau);
        const double idx = index * (0.25 + 0.75 * std::exp(-t / 0.12));
        const double mod = idx * std::sin(2.0 * kPi * freq * ratio * t);
        out[i] += amp * env * std::sin(2.0 * kPi * freq * t + mod);
    }
}

// A state-variable band-pass filter with a moving centre frequency.
class BandPass {
public:
    explicit BandPass(double q) : damping_(1.0 / q) {}
    double step(double in, double centre)
    {
        const double f = 2.0 * std::sin(kPi * centre * kDt);
        const double high = in - low_ - damping_ * band_;
        band_ += f * high;
        low_ += f * band_;
        return band_;
    }

private:
    double damping_;
    double low_ = 0.0;
    double band_ = 0.0;
};

void lowPass(std::vector<double>& s, double cutoff)
{
    const double a = 1.0 - std::exp(-2.0 * kPi * cutoff * kDt);
    double y = 0.0;
    for (double& v : s) {
        y += a * (v - y);
        v = y;
    }
}

} // namespace

std::vector<double> placementTap()
{
    std::vector<double> out = silence(0.16);
    const double f0 = 660.0;
    addPartial(out, 0.0, f0, 1.0, 0.045, 0.0015, 0.03, 0.006);
    addPartial(out, 0.0, f0 * 3.93, 0.32, 0.012, 0.001);
    addPartial(out, 0.0, f0 * 0.5, 0.35, 0.03, 0.003);
    // A short, dull knock at the very start.
    Random rnd(3);
    std::vector<double> knock = silence(0.16);
    for (std::size_t i = 0; i < knock.size(); ++i) {
        const double t = static_cast<double>(i) * kDt;
        knock[i] = (rnd.uniform() * 2.0 - 1.0) * 0.45 * std::exp(-t / 0.003);
    }
    lowPass(knock, 2500.0);
    for (std::size_t i = 0; i < out.size(); ++i) out[i] += knock[i];
    return out;
}

std::vector<double> trashSwish()
{
    std::vector<double> out = silence(0.56);
    Random rnd(17);
    BandPass swish(2.2);
    const double swishEnd = 0.30;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) * kDt;
        if (t >= swishEnd) break;
        const double x = t / swishEnd;
        const double centre = 2600.0 * std::pow(500.0 / 2600.0, x);
        const double env = std::sin(kPi * std::pow(x, 0.7));
        out[i] += 0.9 * env * swish.step(rnd.uniform() * 2.0 - 1.0, centre);
    }
    // The thump of landing in the bin, with a little hollow ring.
    const double land = 0.25;
    addPartial(out, land, 70.0, 1.0, 0.07, 0.003, 0.6, 0.02);
    addPartial(out, land, 310.0, 0.18, 0.05, 0.002);
    addPartial(out, land, 517.0, 0.12, 0.035, 0.002);
    std::vector<double> rustle = silence(0.56);
    const auto first = static_cast<std::size_t>(land * kSampleRate);
    for (std::size_t i = first; i < rustle.size(); ++i) {
        const double t = static_cast<double>(i - first) * kDt;
        rustle[i] = (rnd.uniform() * 2.0 - 1.0) * 0.35 * std::exp(-t / 0.02);
    }
    lowPass(rustle, 1200.0);
    for (std::size_t i = 0; i < out.size(); ++i) out[i] += rustle[i];
    return out;
}

std::vector<double> rewardJingle()
{
    std::vector<double> out = silence(1.5);
    // G4 C5 E5 G5, then C5 E5 G5 C6 together.
    const double run[] = {392.00, 523.25, 659.26, 783.99};
    for (int k = 0; k < 4; ++k) addBell(out, 0.09 * k, run[k], 0.55, 0.18, 2.0, 1.6);
    const double chord[] = {523.25, 659.26, 783.99, 1046.50};
    for (double f : chord) {
        addBell(out, 0.40, f, 0.42, 0.38, 2.0, 1.4);
        addBell(out, 0.40, f * 1.003, 0.12, 0.30, 3.5, 0.8); // shimmer
    }
    lowPass(out, 6000.0);
    return out;
}

} // namespace tavrin::assets
