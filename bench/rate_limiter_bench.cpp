// The score server's per-address limit with many addresses remembered: a
// registration must cost about the same with 1 000 addresses in the table as
// with 200 000 (compare the two figures of one run).
#include "scoreserver/rate_limiter.h"

#include <benchmark/benchmark.h>

namespace {

QHostAddress nth(quint32 n) { return QHostAddress(0x0A000000u + n); }

void BM_RateLimiterAllow(benchmark::State& bs)
{
    const auto remembered = static_cast<quint32>(bs.range(0));
    tavrin::RateLimiter limiter(10);
    int retry = 0;
    // All within the same second, so none of them is full again yet.
    for (quint32 i = 0; i < remembered; ++i) {
        limiter.allow(nth(i), 1000, retry);
    }
    // Registrations from 1 000 further addresses in turn, so that the table
    // stays at the size asked.
    quint32 next = 0;
    for (auto _ : bs) {
        benchmark::DoNotOptimize(limiter.allow(nth(remembered + next), 1000, retry));
        next = (next + 1) % 1000;
    }
    bs.counters["remembered"] = static_cast<double>(limiter.trackedAddresses());
}

} // namespace

BENCHMARK(BM_RateLimiterAllow)->Arg(1000)->Arg(200000)->Unit(benchmark::kMicrosecond);
