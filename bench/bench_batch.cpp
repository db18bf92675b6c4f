// Breaking points of many waves: one findBreaking call per wave against the
// waves side by side (findBreaking over a span), for each model, in rows
// per second of one core (items_per_second).  The waves follow the
// command-line benchmark's file: Ho 0.2–6 m, T 4–16 s, αo −60…60°,
// n in {10, 20, 30, 50, 80, 100, 200}.  BM_LanePassFloor gives the fewest
// nanoseconds a lane-pass of nonlinear shoaling can take on this processor.
// Run: build/bench/saiha-bench-batch
#include <benchmark/benchmark.h>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include <random>
#include <string>
#include <vector>

#include "shore/engine.h"

namespace {

using namespace saiha::shore;

const std::vector<Wave>& waves() {
  static const std::vector<Wave> generated = [] {
    std::mt19937_64 random(16);
    std::uniform_real_distribution<double> unit(0, 1);
    const double slopes[] = {10, 20, 30, 50, 80, 100, 200};
    std::vector<Wave> w(4096);
    for (Wave& wave : w) {
      wave = {0.2 + 5.8 * unit(random), 4 + 12 * unit(random), -60 + 120 * unit(random),
              slopes[random() % 7]};
    }
    return w;
  }();
  return generated;
}

// The model numbered by the argument: breaker limit × 2 + shoaling rule.
Model modelOf(benchmark::State& state) {
  const auto index = static_cast<std::size_t>(state.range(0));
  const Model model{kBreakerLimits[index / 2], kShoalings[index % 2]};
  state.SetLabel(std::string(breakerName(model.breaker)) + "/" +
                 std::string(shoalingName(model.shoaling)));
  return model;
}

void BM_RowsOneByOne(benchmark::State& state) {
  const Model model = modelOf(state);
  std::vector<Breaking> out(waves().size());
  for (auto _ : state) {
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = findBreaking(waves()[i], model);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(out.size()));
}
BENCHMARK(BM_RowsOneByOne)->DenseRange(0, 9);

void BM_RowsSideBySide(benchmark::State& state) {
  const Model model = modelOf(state);
  std::vector<Breaking> out(waves().size());
  for (auto _ : state) {
    findBreaking(waves(), out, model);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(out.size()));
}
BENCHMARK(BM_RowsSideBySide)->DenseRange(0, 9);

#if defined(__x86_64__) && defined(__GNUC__)
// The floor under the breaking searches: a pass of nonlinear shoaling is two
// divisions and a square root, in a chain; here eight independent chains of
// four-lane vectors keep the divider as busy as it can be, with nothing else
// to do.  Items are lane-passes: a row's breaking search runs about 430.
__attribute__((target("avx2"))) void BM_LanePassFloor(benchmark::State& state) {
  if (!__builtin_cpu_supports("avx2")) {
    state.SkipWithError("no AVX2 on this processor");
    return;
  }
  constexpr int kChains = 8;
  constexpr long kRounds = 4096;
  const __m256d conserved = _mm256_set1_pd(1.0000001), depth = _mm256_set1_pd(0.9999999);
  for (auto _ : state) {
    __m256d s[kChains];
    for (int i = 0; i < kChains; ++i) s[i] = _mm256_set1_pd(1.0 + i * 1e-3);
    for (long round = 0; round < kRounds; ++round) {
#pragma GCC unroll 8
      for (int i = 0; i < kChains; ++i) {
        s[i] = _mm256_sqrt_pd(_mm256_div_pd(_mm256_div_pd(conserved, s[i]), depth));
      }
    }
    for (int i = 0; i < kChains; ++i) benchmark::DoNotOptimize(s[i]);
  }
  state.SetItemsProcessed(state.iterations() * kRounds * kChains * 4);
}
BENCHMARK(BM_LanePassFloor);
#endif

}  // namespace

BENCHMARK_MAIN();
