// expWide against std::exp, bit for bit, over many inputs, and the time of
// each per exponential.  Usage: saiha-check-exp [N] (default 100 million).
// The inputs: consecutive doubles across 0, ±2^−54 and ±512 (where the lanes
// change method or hand over to std::exp), a tenth of N spread over the
// binades from 2^−60 to 512, and the rest uniform over (−512, 512).  Prints
// how many were compared and how many differ; exits 1 on any difference.
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "wave/detail/exp_lanes.h"

#if defined(__x86_64__) && defined(__GNUC__)
namespace {

namespace detail = saiha::wave::detail;

struct Tally {
  std::uint64_t compared = 0, differ = 0, scalar = 0, misflagged = 0;
};

// Compares the first n of a block (padded to a multiple of four) lane by lane.
__attribute__((target("avx2,fma"))) void check(const std::vector<double>& xs, std::size_t n,
                                               Tally& t) {
  for (std::size_t i = 0; i < xs.size(); i += 4) {
    unsigned scalarLanes = 0;
    alignas(32) double y[4];
    _mm256_store_pd(y, detail::expWide(_mm256_loadu_pd(&xs[i]), scalarLanes));
    for (std::size_t j = 0; j < 4 && i + j < n; ++j) {
      const double x = xs[i + j];
      const bool scalar = !(std::fabs(x) < 512);
      t.misflagged += scalar != bool(scalarLanes >> j & 1);
      if (scalar) {
        ++t.scalar;
        continue;
      }
      ++t.compared;
      const double want = std::exp(x);
      if (std::bit_cast<std::uint64_t>(y[j]) != std::bit_cast<std::uint64_t>(want)) {
        if (t.differ++ < 10) std::printf("differs: e^%a = %a, std::exp %a\n", x, y[j], want);
      }
    }
  }
}

// Nanoseconds per exponential over xs, by std::exp one by one and by the
// lanes, repeated until each has run for a while.
__attribute__((target("avx2,fma"))) void time(const std::vector<double>& xs) {
  using Clock = std::chrono::steady_clock;
  const int rounds = 300;
  volatile double sink = 0;
  auto t0 = Clock::now();
  for (int r = 0; r < rounds; ++r) {
    double sum = 0;
    for (double x : xs) sum += std::exp(x);
    sink = sink + sum;
  }
  auto t1 = Clock::now();
  for (int r = 0; r < rounds; ++r) {
    __m256d sum = _mm256_setzero_pd();
    unsigned scalarLanes = 0, any = 0;
    for (std::size_t i = 0; i < xs.size(); i += 4) {
      sum = _mm256_add_pd(sum, detail::expWide(_mm256_loadu_pd(&xs[i]), scalarLanes));
      any |= scalarLanes;
    }
    alignas(32) double s[4];
    _mm256_store_pd(s, sum);
    sink = sink + s[0] + s[1] + s[2] + s[3] + any;
  }
  auto t2 = Clock::now();
  const double n = double(rounds) * double(xs.size());
  std::printf("ns per exp over (-40, 40): std::exp %.2f, expWide %.2f\n",
              std::chrono::duration<double, std::nano>(t1 - t0).count() / n,
              std::chrono::duration<double, std::nano>(t2 - t1).count() / n);
}

}  // namespace

int main(int argc, char** argv) {
  if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("fma")) {
    std::puts("no AVX2/FMA on this CPU: nothing to check");
    return 0;
  }
  const std::uint64_t n = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100'000'000;
  const std::uint64_t run = n / 100;  // consecutive doubles about each edge
  const std::uint64_t spread = n / 10;
  std::mt19937_64 random(16);
  std::uniform_real_distribution<double> uniform(-512, 512), binade(-60, 9);
  Tally t;
  std::vector<double> xs;
  xs.reserve(1 << 16);
  auto flush = [&](bool last) {
    if (xs.size() < (1u << 16) && !last) return;
    const std::size_t n = xs.size();
    while (xs.size() % 4) xs.push_back(0);
    check(xs, n, t);
    xs.clear();
  };
  for (double edge : {0.0, 0x1p-54, -0x1p-54, 512.0, -512.0}) {
    double x = edge;
    for (std::uint64_t i = 0; i < run / 2; ++i) x = std::nextafter(x, -INFINITY);
    for (std::uint64_t i = 0; i < run; ++i, x = std::nextafter(x, INFINITY)) {
      xs.push_back(x);
      flush(false);
    }
  }
  for (std::uint64_t i = 0; i < spread; ++i) {
    xs.push_back((i % 2 ? -1 : 1) * std::exp2(binade(random)));
    flush(false);
  }
  for (std::uint64_t i = 5 * run + spread; i < n; ++i) {
    xs.push_back(uniform(random));
    flush(false);
  }
  flush(true);
  std::printf("%llu inputs: %llu compared with std::exp, %llu differ; %llu left to std::exp, "
              "%llu wrongly flagged\n",
              (unsigned long long)(t.compared + t.scalar), (unsigned long long)t.compared,
              (unsigned long long)t.differ, (unsigned long long)t.scalar,
              (unsigned long long)t.misflagged);
  const bool agrees = detail::expWideAgrees();
  std::printf("quick check expWideAgrees(): %s\n", agrees ? "agrees" : "DISAGREES");

  std::vector<double> timed(1 << 14);
  std::uniform_real_distribution<double> moderate(-40, 40);
  for (double& x : timed) x = moderate(random);
  time(timed);
  return t.differ || t.misflagged || !agrees ? 1 : 0;
}
#else
int main() {
  std::puts("expWide is built for x86-64 only: nothing to check");
  return 0;
}
#endif
