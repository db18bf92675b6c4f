// The lanes' narrowed arctangent and cosine against the library's, bit for
// bit, on a sample of the singles the onset search gives them (every single:
// scripts/check-vector-trig.sh), and the accuracy their guard relies on.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "wave/detail/trig_lanes.h"

#ifdef SAIHA_HAVE_QUADMATH
#include <quadmath.h>
#endif

#if defined(__x86_64__) && defined(__GNUC__)
namespace {

namespace detail = saiha::wave::detail;

enum class Function { Atan, Cos };

struct TrigCase {
  const char* name;
  Function function;
  float first, last;  // the singles from which the inputs come
  int stride;         // every stride-th single between them
};

// The input of the function for the single v: the onset search's tangent
// s/√(1 − s²) of the refracted angle from its sine, or the angle itself.
double inputOf(Function f, float v) {
  return f == Function::Atan ? double(v) / std::sqrt(1 - double(v) * double(v)) : double(v);
}

// Singles in the order of their values as integers (negative ones mirrored).
std::int64_t keyOf(float v) {
  const auto bits = std::bit_cast<std::int32_t>(v);
  return bits < 0 ? -std::int64_t(bits & 0x7fffffff) : bits;
}
float singleOf(std::int64_t key) {
  return key < 0 ? std::bit_cast<float>(std::uint32_t(-key) | 0x80000000u)
                 : std::bit_cast<float>(std::uint32_t(key));
}

std::vector<double> inputs(const TrigCase& c) {
  std::vector<double> xs;
  for (std::int64_t k = keyOf(c.first); k <= keyOf(c.last); k += c.stride) {
    xs.push_back(inputOf(c.function, singleOf(k)));
  }
  xs.push_back(inputOf(c.function, c.last));
  while (xs.size() % 4) xs.push_back(xs.front());
  return xs;
}

__attribute__((target("avx2,fma"))) __m256d single(Function f, __m256d x) {
  return f == Function::Atan ? detail::singleAtanWide(x) : detail::singleCosWide(x);
}
__attribute__((target("avx2,fma"))) __m256d nearValue(Function f, __m256d x) {
  return f == Function::Atan ? detail::atanNearWide(x) : detail::cosNearWide(x);
}
double library(Function f, double x) { return f == Function::Atan ? std::atan(x) : std::cos(x); }

class TrigLanes : public testing::TestWithParam<TrigCase> {
 protected:
  void SetUp() override {
    if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("fma"))
      GTEST_SKIP() << "no AVX2/FMA";
  }
};

__attribute__((target("avx2,fma"))) void expectLibrarySingles(const TrigCase& c) {
  const std::vector<double> xs = inputs(c);
  int failures = 0;
  std::size_t unsure = 0;
  for (std::size_t i = 0; i < xs.size() && failures < 10; i += 4) {
    alignas(32) double got[4];
    _mm256_store_pd(got, single(c.function, _mm256_loadu_pd(&xs[i])));
    __m256d flags = _mm256_setzero_pd();
    detail::narrowedSurely(nearValue(c.function, _mm256_loadu_pd(&xs[i])), flags);
    unsure += unsigned(__builtin_popcount(unsigned(_mm256_movemask_pd(flags))));
    for (int j = 0; j < 4; ++j) {
      const double want = double(static_cast<float>(library(c.function, xs[i + j])));
      if (std::bit_cast<std::uint64_t>(got[j]) != std::bit_cast<std::uint64_t>(want)) {
        ++failures;
        ADD_FAILURE() << std::hexfloat << c.name << "(" << xs[i + j] << ") = " << got[j]
                      << ", library " << want;
      }
    }
  }
  // The guard hands over about one lane in 2^15; many more would mean the
  // lanes' own values had lost their accuracy.
  EXPECT_LT(unsure, xs.size() / 1000 + 2) << "lanes left to the library";
}

TEST_P(TrigLanes, GiveTheLibrarysSingles) { expectLibrarySingles(GetParam()); }

#ifdef SAIHA_HAVE_QUADMATH
// The guard's premise: the lanes' values lie within 2^-48 (relative) of the
// true ones, far inside the 2^-40 it allows.
__attribute__((target("avx2,fma"))) void expectAccurate(const TrigCase& c) {
  const std::vector<double> xs = inputs(c);
  double worst = 0;
  for (std::size_t i = 0; i < xs.size(); i += 4) {
    alignas(32) double got[4];
    _mm256_store_pd(got, nearValue(c.function, _mm256_loadu_pd(&xs[i])));
    for (int j = 0; j < 4; ++j) {
      const __float128 x = xs[i + j];
      const __float128 truth = c.function == Function::Atan ? atanq(x) : cosq(x);
      if (truth == 0) continue;
      const double error = double(fabsq((__float128(got[j]) - truth) / truth));
      worst = std::fmax(worst, error);
    }
  }
  EXPECT_LT(worst, 0x1p-48) << c.name;
}

TEST_P(TrigLanes, LieWithinTheirGuard) { expectAccurate(GetParam()); }
#endif

const float kBelowOne = std::nextafter(1.0f, 0.0f);
const float kHalfPi = static_cast<float>(std::atan(INFINITY));

INSTANTIATE_TEST_SUITE_P(
    Onset, TrigLanes,
    testing::Values(
        TrigCase{"atan_every_sine", Function::Atan, -kBelowOne, kBelowOne, 8191},
        TrigCase{"atan_sines_near_one", Function::Atan, 0.999f, kBelowOne, 1},
        TrigCase{"atan_tiny_sines", Function::Atan, 0x1p-149f, 0x1p-120f, 4099},
        TrigCase{"atan_at_reduction_edges", Function::Atan, 0.38f, 0.43f, 7},
        TrigCase{"atan_at_upper_edge", Function::Atan, 0.92f, 0.93f, 3},
        TrigCase{"cos_every_angle", Function::Cos, -kHalfPi, kHalfPi, 8191},
        TrigCase{"cos_next_to_half_pi", Function::Cos, 1.5707f, kHalfPi, 1},
        TrigCase{"cos_at_quarter_pi", Function::Cos, 0.785f, 0.7855f, 1},
        TrigCase{"cos_small_angles", Function::Cos, 0x1p-149f, 0x1p-10f, 4099}),
    [](const testing::TestParamInfo<TrigCase>& info) { return std::string(info.param.name); });

}  // namespace
#endif
