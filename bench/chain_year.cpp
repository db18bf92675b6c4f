// The hindcast chain over a year of hourly sea states (8760) on a 161-point
// profile, in blocks on every core as the faces run it:
// saiha-chain-year [threads].  Prints the wall time and the summary.
#include <tbb/global_control.h>
#include <tbb/parallel_for.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "structure/chain.h"

int main(int argc, char** argv) {
  namespace st = saiha::structure;
  namespace shore = saiha::shore;
  const int threads = argc > 1 ? std::atoi(argv[1]) : 2;
  tbb::global_control limit(tbb::global_control::max_allowed_parallelism, std::size_t(threads));
  std::vector<double> x, z;
  for (int i = 0; i <= 160; ++i) {
    x.push_back(10.0 * i);
    z.push_back(-12 + 0.01 * 10.0 * i);
  }
  const shore::BedProfile profile{x, z};
  std::vector<shore::SeaCondition> sea(8760);
  for (std::size_t i = 0; i < sea.size(); ++i) {
    const double t = double(i);
    sea[i].Hrms0 = 0.8 + 0.6 * std::sin(t / 97.0) + 0.3 * std::sin(t / 13.0);
    sea[i].Tp = 8 + 2 * std::sin(t / 151.0);
    sea[i].theta0 = 20 * std::sin(t / 71.0);
    sea[i].tide = 1.2 * std::sin(2 * 3.14159265358979 * t / 12.42);
  }
  st::ChainOptions o;
  o.xToe = 905;
  o.crest = 4;
  o.structure.cotAlpha = 3;
  std::vector<st::ChainRow> rows(sea.size());
  const auto start = std::chrono::steady_clock::now();
  constexpr std::size_t kBlock = 256;
  tbb::parallel_for(std::size_t(0), (sea.size() + kBlock - 1) / kBlock, [&](std::size_t b) {
    const std::size_t first = b * kBlock, count = std::min(kBlock, sea.size() - first);
    st::overtoppingChain(profile, std::span(sea).subspan(first, count),
                         std::span(rows).subspan(first, count), o);
  });
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double limits[] = {1e-3, 1e-2, 5e-2};
  const st::ChainSummary s = st::summarize(rows, limits);
  std::printf("%zu conditions, %d threads: %.3f s; q computed %zu, failed %zu, above 1/10/50 l/s/m: "
              "%zu %zu %zu, largest q %.6g m3/s/m at %zu\n",
              rows.size(), threads, seconds, s.computed, s.failed, s.above[0], s.above[1],
              s.above[2], double(s.qMax), s.qMaxIndex);
  return 0;
}
