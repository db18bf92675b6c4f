// expWide against std::exp, to the last bit, where the lanes answer, and the
// lanes left to std::exp exactly where they must be.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "wave/detail/exp_lanes.h"

#ifdef SAIHA_HAVE_QUADMATH
#include <quadmath.h>
#endif

#if defined(__x86_64__) && defined(__GNUC__)
namespace {

namespace detail = saiha::wave::detail;

// Runs xs through the lanes four at a time; every failure is reported.
__attribute__((target("avx2,fma"))) void expectAsStdExp(const std::vector<double>& xs) {
  int failures = 0;
  for (std::size_t i = 0; i + 4 <= xs.size() && failures < 10; i += 4) {
    unsigned scalarLanes = 0;
    alignas(32) double y[4];
    _mm256_store_pd(y, detail::expWide(_mm256_loadu_pd(&xs[i]), scalarLanes));
    for (int j = 0; j < 4; ++j) {
      const double x = xs[i + j];
      const bool scalar = !(std::fabs(x) < 512);
      if (scalar != bool(scalarLanes >> j & 1)) {
        ++failures;
        ADD_FAILURE() << std::hexfloat << x << ": scalar lane " << !scalar;
      } else if (!scalar && std::bit_cast<std::uint64_t>(y[j]) !=
                                std::bit_cast<std::uint64_t>(std::exp(x))) {
        ++failures;
        ADD_FAILURE() << std::hexfloat << "e^" << x << " = " << y[j] << ", not " << std::exp(x);
      }
    }
  }
}

// n consecutive doubles from x upward.
void appendRun(std::vector<double>& xs, double x, int n) {
  for (int i = 0; i < n; ++i, x = std::nextafter(x, INFINITY)) xs.push_back(x);
}

TEST(ExpWide, GivesStdExpsBitsAndLeavesTheRestToIt) {
  if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("fma"))
    GTEST_SKIP() << "no AVX2/FMA";
#ifndef __GLIBC__
  if (!detail::expWideAgrees()) GTEST_SKIP() << "this C library's exp rounds otherwise";
#endif
  std::mt19937_64 random(16);
  std::uniform_real_distribution<double> wide(-40, 710), magnitude(-60, 4);
  std::vector<double> xs;
  for (int i = 0; i < 200000; ++i) xs.push_back(wide(random));
  for (int i = 0; i < 100000; ++i) xs.push_back((i % 2 ? -1 : 1) * std::exp2(magnitude(random)));
  for (double edge : {0.0, -0.0, 0x1p-54, -0x1p-54, 512.0, -512.0, 709.78, -708.4, -745.2})
    appendRun(xs, std::nextafter(edge, -INFINITY) - std::fabs(edge) * 0x1p-45, 2000);
  const double inf = std::numeric_limits<double>::infinity();
  for (double x : {inf, -inf, std::nan(""), -std::nan(""), 0x1p-1074, -0x1p-1074, 1e308, -1e308})
    xs.push_back(x);
  while (xs.size() % 4) xs.push_back(1);
  expectAsStdExp(xs);
  EXPECT_TRUE(detail::expWideAgrees());
}

#if defined(SAIHA_HAVE_QUADMATH) && defined(__GLIBC__)
// The start-up check keeps its power: at each of its inputs std::exp gives
// the neighbour of e^x that is not the nearest, so a correctly rounded exp,
// or one that computes otherwise, fails it.  The inputs lie where the lanes
// answer, over many magnitudes of either sign.
TEST(ExpWide, StartUpCheckIsWhereStdExpRoundsItsOwnWay) {
  const auto inputs = detail::expWideRoundingChecks();
  ASSERT_GE(inputs.size(), 40u);
  int negative = 0, belowOne = 0, beyondHundred = 0;
  for (const double x : inputs) {
    ASSERT_LT(std::fabs(x), 512) << std::hexfloat << x;
    const double nearest = double(expq(__float128(x)));
    const double given = std::exp(x);
    EXPECT_NE(std::bit_cast<std::uint64_t>(given), std::bit_cast<std::uint64_t>(nearest))
        << std::hexfloat << "e^" << x << " = " << given << " is the nearest";
    EXPECT_EQ(std::nextafter(nearest, given), given) << std::hexfloat << "e^" << x;
    negative += x < 0;
    belowOne += std::fabs(x) < 1;
    beyondHundred += std::fabs(x) > 100;
  }
  EXPECT_GE(negative, 10);
  EXPECT_GE(int(inputs.size()) - negative, 10);
  EXPECT_GE(belowOne, 10);
  EXPECT_GE(beyondHundred, 10);
}
#endif

}  // namespace
#endif
