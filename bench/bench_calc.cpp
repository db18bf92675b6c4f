// Time of one whole calculation, in two forms: through the sheet (reading the
// inputs, both searches, the twelve results written as text) and through the
// engine alone (numbers in, single-precision results out: the breaking point,
// then the state at the default depth).  Run: build/bench/saiha-bench
#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

#include "report/case.h"
#include "sheet/calc.h"
#include "sheet/sheet.h"
#include "shore/engine.h"

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

// The engine's share of a row: the breaking point, then the state at the
// depth the window would take for an empty box (or the one given).
float engineRow(const saiha::shore::Wave& wave, double depth) {
  const saiha::shore::Breaking b = saiha::shore::findBreaking(wave);
  if (!b.ok()) return b.Hb;
  if (!(depth > 0)) {
    const std::optional<float> shown = saiha::report::defaultDepth(b);
    if (!shown) return b.Hb;
    depth = *shown;
  }
  const saiha::shore::State s = saiha::shore::stateAt(b, depth);
  return s.H + s.uSurface;
}

void BM_EngineDefaultInputs(benchmark::State& state) {
  const saiha::shore::Wave wave{1, 10, 30, 60};
  for (auto _ : state) {
    saiha::shore::Wave w = wave;
    benchmark::DoNotOptimize(w);
    benchmark::DoNotOptimize(engineRow(w, 0));
  }
  perCalculation(state, 1);
}
BENCHMARK(BM_EngineDefaultInputs);

// The same 432 cases as BM_Sweep, as numbers; depth 0 stands for an empty box.
void BM_EngineSweep(benchmark::State& state) {
  struct Row {
    saiha::shore::Wave wave;
    double depth;
  };
  std::vector<Row> rows;
  for (double Ho : {0.5, 1.0, 2.5, 5.0})
    for (double T : {5.0, 8.0, 12.0, 16.0})
      for (double degrees : {0.0, 25.0, -50.0})
        for (double n : {20.0, 60.0, 150.0})
          for (double depth : {0.0, 1.5, 12.0}) rows.push_back({{Ho, T, degrees, n}, depth});
  for (auto _ : state) {
    for (const Row& row : rows) benchmark::DoNotOptimize(engineRow(row.wave, row.depth));
  }
  perCalculation(state, rows.size());
}
BENCHMARK(BM_EngineSweep);

}  // namespace

BENCHMARK_MAIN();
