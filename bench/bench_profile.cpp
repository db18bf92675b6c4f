// Time of one whole profile: the breaking point (both searches) and the
// state at 200 evenly spaced stations plus the onset and breaking stations.
// Run: build/bench/saiha-bench --benchmark_filter=Profile
#include <benchmark/benchmark.h>

#include "shore/engine.h"

namespace {

using namespace saiha::shore;

// Times the default profile of `wave` and reports µs per profile.
void timeProfile(benchmark::State& state, const Wave& wave) {
  for (auto _ : state) {
    Profile profile = saiha::shore::profile(wave);
    benchmark::DoNotOptimize(profile.stations.data());
  }
  state.counters["us_per_profile"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * 1e-6,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Profile200(benchmark::State& state) { timeProfile(state, {1, 10, 30, 60}); }
BENCHMARK(BM_Profile200);

// A steep wave on a gentle slope: a long surf zone, the onset shoreward of
// the breaking point.
void BM_Profile200Steep(benchmark::State& state) { timeProfile(state, {4, 6, 0, 100}); }
BENCHMARK(BM_Profile200Steep);

}  // namespace
