// The lanes' narrowed arctangent and cosine (wave/detail/trig_lanes.h)
// against the library's, bit for bit, on every input the onset search can
// give them: atan(t) for t = s/√(1 − s²) with s every single in (−1, 1),
// and cos(a) for a every single in [−π/2, π/2] rounded to single.  Prints how
// many were compared, how many the lanes left to the library, and how many
// differ; exits 1 on any difference.  Usage: saiha-check-trig [STRIDE]
// (default 1: every single; STRIDE n takes every n-th).
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "wave/detail/trig_lanes.h"

#if defined(__x86_64__) && defined(__GNUC__)
namespace {

namespace detail = saiha::wave::detail;

struct Tally {
  std::uint64_t compared = 0, unsure = 0, differ = 0;
};

// Every single from `first` up to `last` by `stride`, four at a time, through
// `wide` and through narrow(library(input(x))).
template <class Input, class Near, class Wide, class Library>
__attribute__((target("avx2,fma"))) Tally check(float first, float last, std::uint32_t stride,
                                                Input&& input, Near&& nearValue, Wide&& wide,
                                                Library&& library, const char* name) {
  Tally t;
  // Singles ordered by their bits: the negative ones downward in bits.
  const auto key = [](float v) {
    const auto b = std::bit_cast<std::int32_t>(v);
    return b < 0 ? -(b & 0x7fffffff) : b;
  };
  const auto single = [](std::int64_t k) {
    return k < 0 ? std::bit_cast<float>(std::uint32_t(-k) | 0x80000000u)
                 : std::bit_cast<float>(std::uint32_t(k));
  };
  const std::int64_t end = key(last);
  for (std::int64_t k = key(first); k <= end;) {
    alignas(32) double x[4], got[4];
    int n = 0;
    for (; n < 4 && k <= end; ++n, k += stride) x[n] = input(single(k));
    for (int j = n; j < 4; ++j) x[j] = x[0];
    _mm256_store_pd(got, wide(_mm256_load_pd(x)));
    __m256d unsure = _mm256_setzero_pd();
    detail::narrowedSurely(nearValue(_mm256_load_pd(x)), unsure);
    t.unsure += unsigned(__builtin_popcount(unsigned(_mm256_movemask_pd(unsure)) & ((1u << n) - 1)));
    for (int j = 0; j < n; ++j) {
      ++t.compared;
      const float want = static_cast<float>(library(x[j]));
      if (std::bit_cast<std::uint64_t>(got[j]) != std::bit_cast<std::uint64_t>(double(want))) {
        if (t.differ++ < 10) std::printf("%s(%a): lanes %a, library %a\n", name, x[j], got[j], double(want));
      }
    }
  }
  return t;
}

// The four functions as callable objects, for check.
__attribute__((target("avx2,fma"))) __m256d atanNear(__m256d t) { return detail::atanNearWide(t); }
__attribute__((target("avx2,fma"))) __m256d cosNear(__m256d a) { return detail::cosNearWide(a); }
__attribute__((target("avx2,fma"))) __m256d atanSingle(__m256d t) { return detail::singleAtanWide(t); }
__attribute__((target("avx2,fma"))) __m256d cosSingle(__m256d a) { return detail::singleCosWide(a); }

}  // namespace

__attribute__((target("avx2,fma"))) int main(int argc, char** argv) {
  if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("fma")) {
    std::printf("no AVX2/FMA: nothing to check\n");
    return 0;
  }
  const std::uint32_t stride = argc > 1 ? std::uint32_t(std::strtoul(argv[1], nullptr, 10)) : 1;
  if (stride == 0) return 2;
  // The onset search's tangent of the refracted angle from its sine s.
  const auto tangent = [](float s) { return double(s) / std::sqrt(1 - double(s) * double(s)); };
  const auto same = [](float a) { return double(a); };
  const float belowOne = std::nextafter(1.0f, 0.0f);
  const float halfPi = static_cast<float>(std::atan(INFINITY));
  const Tally atan = check(-belowOne, belowOne, stride, tangent, atanNear, atanSingle,
                           [](double x) { return std::atan(x); }, "atan");
  const Tally cos = check(-halfPi, halfPi, stride, same, cosNear, cosSingle,
                          [](double x) { return std::cos(x); }, "cos");
  for (const auto& [name, t] : {std::pair{"atan", atan}, std::pair{"cos", cos}}) {
    std::printf("%-5s %llu compared, %llu differ (%llu left to the library)\n", name,
                (unsigned long long)t.compared, (unsigned long long)t.differ,
                (unsigned long long)t.unsure);
  }
  return atan.differ + cos.differ == 0 ? 0 : 1;
}
#else
int main() {
  std::printf("no vector lanes on this processor: nothing to check\n");
  return 0;
}
#endif
