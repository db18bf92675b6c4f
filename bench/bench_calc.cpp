// Time of one whole calculation: reading the inputs, both searches, and the
// twelve results written as text.  Run: build/bench/saiha-bench
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "sheet/calc.h"
#include "sheet/sheet.h"

namespace {

using namespace saiha::sheet;

Sheet sheetWith(const std::string& Ho, const std::string& T, const std::string& degrees,
                const std::string& n, const std::string& depth) {
  Sheet sheet;
  loadDefaults(sheet);
  sheet.setText(kHeightBox, Ho);
  sheet.setText(kPeriodBox, T);
  sheet.setText(kAngleBox, degrees);
  sheet.setText(kSlopeBox, n);
  sheet.setText(kDepthBox, depth);
  return sheet;
}

// Varied realistic inputs: swell and wind sea, steep and gentle beaches,
// normal and oblique incidence, depths inside and outside the surf zone.
std::vector<Sheet> sweep() {
  std::vector<Sheet> sheets;
  for (const char* Ho : {"0.5", "1", "2.5", "5"})
    for (const char* T : {"5", "8", "12", "16"})
      for (const char* degrees : {"0", "25", "-50"})
        for (const char* n : {"20", "60", "150"})
          for (const char* depth : {"", "1.5", "12"}) sheets.push_back(sheetWith(Ho, T, degrees, n, depth));
  return sheets;
}

void perCalculation(benchmark::State& state, std::size_t calculations) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * calculations));
  state.counters["us_per_calc"] = benchmark::Counter(
      static_cast<double>(state.iterations() * calculations) * 1e-6,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_DefaultInputs(benchmark::State& state) {
  const Sheet start = sheetWith("1", "10", "30", "60", "");
  for (auto _ : state) {
    Sheet sheet = start;  // the depth box starts empty every time
    benchmark::DoNotOptimize(calc(sheet));
    benchmark::DoNotOptimize(sheet);
  }
  perCalculation(state, 1);
}
BENCHMARK(BM_DefaultInputs);

void BM_Sweep(benchmark::State& state) {
  const std::vector<Sheet> start = sweep();
  std::size_t failed = 0;
  for (auto _ : state) {
    for (const Sheet& s : start) {
      Sheet sheet = s;
      failed += calc(sheet).ok() ? 0 : 1;
      benchmark::DoNotOptimize(sheet);
    }
  }
  perCalculation(state, start.size());
  state.counters["failed_cases"] = static_cast<double>(failed) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Sweep);

}  // namespace

BENCHMARK_MAIN();
