// What Selvora's own moon costs: the common windows over a week (the sked-ahead window
// searches them each time its date or stations change; the target is under 20 ms), one
// instant's moon with its range rate, and a day of the moon's course for the plot.
#include <chrono>

#include <benchmark/benchmark.h>

#include "astro/moon_doppler.h"
#include "astro/moon_windows.h"

namespace selvora::bench {
namespace {

using namespace std::chrono;

const GeoPosition kHere{55.73, 12.46}, kDx{40.5, -75.0};  // JO65fr, FN20
const UtcInstant kFrom{sys_days{2026y / December / 9d}};

void BM_CommonMoonWindowsWeek(benchmark::State& state) {
    for (auto _ : state) {
        auto windows = commonMoonWindows(kHere, kDx, kFrom, kFrom + days{7}, 0.0);
        benchmark::DoNotOptimize(windows.data());
    }
    state.SetLabel("target < 20 ms");
}
BENCHMARK(BM_CommonMoonWindowsWeek)->Unit(benchmark::kMillisecond);

void BM_MutualDoppler(benchmark::State& state) {
    seconds offset{0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(mutualDopplerHz(kHere, kDx, kFrom + offset, 10368.0));
        offset += seconds{1};
    }
}
BENCHMARK(BM_MutualDoppler)->Unit(benchmark::kMicrosecond);

void BM_MoonSamplesDay(benchmark::State& state) {
    for (auto _ : state) {
        auto samples = moonSamples(kHere, kFrom, kFrom + days{1});
        benchmark::DoNotOptimize(samples.data());
    }
}
BENCHMARK(BM_MoonSamplesDay)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace selvora::bench

BENCHMARK_MAIN();
