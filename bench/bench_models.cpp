// Time of the comparison of every model on one wave (ten breaking searches,
// the empirical breaking point and eleven transports), and of one breaking
// search per model.  Run: build/bench/saiha-bench-models
#include <benchmark/benchmark.h>

#include <string>

#include "shore/engine.h"
#include "shore/comparison.h"

namespace {

using namespace saiha::shore;

constexpr Wave kDefaultWave{1, 10, 30, 60};

void BM_Compare(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(compare(kDefaultWave));
  state.counters["us_per_compare"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 1e-6,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Compare);

// One breaking search under the model numbered by the argument:
// breaker limit (kBreakerLimits) × 2 + shoaling rule (kShoalings).
void BM_FindBreaking(benchmark::State& state) {
  const auto index = static_cast<std::size_t>(state.range(0));
  const Model model{kBreakerLimits[index / 2], kShoalings[index % 2]};
  for (auto _ : state) benchmark::DoNotOptimize(findBreaking(kDefaultWave, model));
  state.SetLabel(std::string(breakerName(model.breaker)) + "/" +
                 std::string(shoalingName(model.shoaling)));
}
BENCHMARK(BM_FindBreaking)->DenseRange(0, 9);

}  // namespace

BENCHMARK_MAIN();
