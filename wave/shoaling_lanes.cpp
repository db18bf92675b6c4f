// Nonlinear shoaling at several depth ratios in lock-step, for the breaking
// search's look-ahead.  Each pass of the iteration is a chain of a division
// and a square root that waits on the pass before; independent lanes fill
// each other's waits, so a round of several probes costs about one probe.
//
// A lane runs the passes of nonlinearHeightRatioFrom with the same IEEE
// operations in the same order, unchecked.  Within the domain (finite terms,
// 0.001 ≤ hr ≤ 1, so hr^(−5/2) ≥ 1) an operation can fault only by giving a
// value that is not finite, and every such value reaches the height narrowed
// to single (H = hr^(−5/2)·A, √U from it): a lane whose single height is ever
// not finite, or that does not settle, gives nothing, and the caller asks the
// checked formula.
#include <cmath>
#include <cstdint>

#include "runtime/checked.h"
#include "wave/formulas.h"
#include "wave/terms.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define SAIHA_WIDE_LANES 1
#endif

namespace saiha::wave::detail {

namespace {

template <std::size_t N>
void lanesPortable(const NonlinearStart& start, const std::array<float, N>& hr,
                   std::array<std::optional<double>, N>& outlook) {
  double depthFactor[N], inverseDepth[N], H[N];
  float s[N];
  bool open[N];
  std::size_t openLanes = N;
  for (std::size_t i = 0; i < N; ++i) {
    depthFactor[i] = std::pow(double(hr[i]), -5.0 / 2.0);
    inverseDepth[i] = 1 / double(hr[i]);
    s[i] = start.rootU1;
    H[i] = 0;
    open[i] = true;
    outlook[i].reset();
  }
  const double conserved = start.conserved.value();
  for (int pass = 1; pass <= kNonlinearPassLimit && openLanes > 0; ++pass) {
#pragma GCC unroll 8
    for (std::size_t i = 0; i < N; ++i) {
      const float sPrev = s[i];
      H[i] = depthFactor[i] * (conserved / (double(sPrev) - kTwoRootThree));
      float Hs = static_cast<float>(H[i]);
      const bool finite = std::isfinite(Hs);
      if (Hs < 0) Hs = 0;
      s[i] = rt::narrowQuotient(std::sqrt(double(Hs) * kTwoPi), hr[i], inverseDepth[i]);
      const bool settled =
          static_cast<float>(std::fabs(double(s[i]) - sPrev)) < kUrsellRootTolerance;
      if (pass > kPlainPasses) s[i] = static_cast<float>((double(sPrev) + s[i]) / 2);
      if ((!finite || settled) && open[i]) [[unlikely]] {
        open[i] = false;
        --openLanes;
        if (finite) outlook[i] = H[i];
      }
    }
  }
}

#ifdef SAIHA_WIDE_LANES
// Eight lanes as two vectors of four doubles.  Every vector operation is the
// scalar one lane by lane (IEEE division, square root, products and
// conversions round alike), so the lanes give the bits of lanesPortable.
__attribute__((target("avx2"))) void lanesWide(const NonlinearStart& start, const float (&hr)[8],
                                               double (&result)[8], unsigned& gaveResult) {
  constexpr int kHalf = 2;
  __m256d depthFactor[kHalf], inverseDepth[kHalf], depth[kHalf], s[kHalf], H[kHalf];
  for (int v = 0; v < kHalf; ++v) {
    alignas(32) double factors[4];
    for (int i = 0; i < 4; ++i) factors[i] = std::pow(double(hr[4 * v + i]), -5.0 / 2.0);
    depthFactor[v] = _mm256_load_pd(factors);
    depth[v] = _mm256_cvtps_pd(_mm_loadu_ps(&hr[4 * v]));
    inverseDepth[v] = _mm256_div_pd(_mm256_set1_pd(1.0), depth[v]);
    s[v] = _mm256_set1_pd(double(start.rootU1));
    H[v] = _mm256_setzero_pd();
  }
  const __m256d conserved = _mm256_set1_pd(start.conserved.value());
  const __m256d twoRootThree = _mm256_set1_pd(kTwoRootThree);
  const __m256d twoPi = _mm256_set1_pd(kTwoPi);
  const __m256d two = _mm256_set1_pd(2.0);
  const __m256d absMask = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffff));
  const __m256d smallestNormal = _mm256_set1_pd(0x1p-126);
  const __m256d beyondSingle = _mm256_set1_pd(0x1p127);
  const __m256i droppedBits = _mm256_set1_epi64x((std::int64_t{1} << 29) - 1);
  const __m256i nearHalfway = _mm256_set1_epi64x((std::int64_t{1} << 28) - 8);
  const __m256i sixteen = _mm256_set1_epi64x(16);
  const __m256i minusOne = _mm256_set1_epi64x(-1);
  const __m128 zero = _mm_setzero_ps();
  const __m128 largestSingle = _mm_set1_ps(0x1.fffffep127f);
  const __m128 absSingle = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
  const __m128 tolerance = _mm_set1_ps(kUrsellRootTolerance);
  unsigned open = 0xff;
  gaveResult = 0;
  for (int pass = 1; pass <= kNonlinearPassLimit && open != 0; ++pass) {
    unsigned settledLanes = 0, brokenLanes = 0;
#pragma GCC unroll 2
    for (int v = 0; v < kHalf; ++v) {
      const __m256d sPrev = s[v];
      // H = hr^(−5/2)·(conserved/(√U − 2√3)), narrowed; a negative one is 0.
      H[v] = _mm256_mul_pd(depthFactor[v],
                           _mm256_div_pd(conserved, _mm256_sub_pd(sPrev, twoRootThree)));
      __m128 Hs = _mm256_cvtpd_ps(H[v]);
      const __m128 finite = _mm_cmp_ps(_mm_and_ps(Hs, absSingle), largestSingle, _CMP_LE_OQ);
      Hs = _mm_blendv_ps(Hs, zero, _mm_cmp_ps(Hs, zero, _CMP_LT_OQ));
      // √U = √(2π·Hs)/hr through the reciprocal of hr where the product
      // narrows as the quotient does (rt::narrowQuotient, lane by lane).
      const __m256d root = _mm256_sqrt_pd(_mm256_mul_pd(_mm256_cvtps_pd(Hs), twoPi));
      __m256d q = _mm256_mul_pd(root, inverseDepth[v]);
      const __m256d magnitude = _mm256_and_pd(q, absMask);
      const __m256d inRange = _mm256_and_pd(_mm256_cmp_pd(magnitude, smallestNormal, _CMP_GE_OQ),
                                            _mm256_cmp_pd(magnitude, beyondSingle, _CMP_LT_OQ));
      const __m256i tail = _mm256_sub_epi64(
          _mm256_and_si256(_mm256_castpd_si256(q), droppedBits), nearHalfway);
      const __m256i nearBoundary = _mm256_andnot_si256(
          _mm256_or_si256(_mm256_cmpgt_epi64(tail, sixteen), _mm256_cmpgt_epi64(_mm256_setzero_si256(), tail)),
          minusOne);
      const __m256d quotientNeeded =
          _mm256_or_pd(_mm256_andnot_pd(inRange, _mm256_castsi256_pd(minusOne)),
                       _mm256_castsi256_pd(nearBoundary));
      if (_mm256_movemask_pd(quotientNeeded) != 0) [[unlikely]] {
        q = _mm256_blendv_pd(q, _mm256_div_pd(root, depth[v]), quotientNeeded);
      }
      const __m128 single = _mm256_cvtpd_ps(q);
      const __m256d sNew = _mm256_cvtps_pd(single);
      const __m128 step = _mm256_cvtpd_ps(_mm256_and_pd(_mm256_sub_pd(sNew, sPrev), absMask));
      const __m128 settled = _mm_cmp_ps(step, tolerance, _CMP_LT_OQ);
      s[v] = pass > kPlainPasses
                 ? _mm256_cvtps_pd(_mm256_cvtpd_ps(_mm256_div_pd(_mm256_add_pd(sPrev, sNew), two)))
                 : sNew;
      settledLanes |= unsigned(_mm_movemask_ps(settled)) << (4 * v);
      brokenLanes |= unsigned(~_mm_movemask_ps(finite) & 0xf) << (4 * v);
    }
    const unsigned closing = open & (settledLanes | brokenLanes);
    if (closing != 0) [[unlikely]] {
      alignas(32) double heights[8];
      _mm256_store_pd(heights, H[0]);
      _mm256_store_pd(heights + 4, H[1]);
      const unsigned giving = closing & ~brokenLanes;
      for (int i = 0; i < 8; ++i) {
        if (giving & (1u << i)) result[i] = heights[i];
      }
      gaveResult |= giving;
      open &= ~closing;
    }
  }
}
#endif

}  // namespace

bool wideNonlinearLanes() {
#ifdef SAIHA_WIDE_LANES
  static const bool wide = __builtin_cpu_supports("avx2");
  return wide;
#else
  return false;
#endif
}

template <std::size_t N>
void nonlinearHeightRatiosAhead(const NonlinearStart& start, const std::array<float, N>& hr,
                                std::array<std::optional<double>, N>& outlook) {
#ifdef SAIHA_WIDE_LANES
  if constexpr (N <= 8) {
    if (N > 4 && wideNonlinearLanes()) {
      float ratios[8];
      for (std::size_t i = 0; i < 8; ++i) ratios[i] = hr[i < N ? i : 0];
      double result[8];
      unsigned gaveResult = 0;
      lanesWide(start, ratios, result, gaveResult);
      for (std::size_t i = 0; i < N; ++i) {
        outlook[i].reset();
        if (gaveResult & (1u << i)) outlook[i] = result[i];
      }
      return;
    }
  }
#endif
  lanesPortable<N>(start, hr, outlook);
}

template void nonlinearHeightRatiosAhead<3>(const NonlinearStart&, const std::array<float, 3>&,
                                            std::array<std::optional<double>, 3>&);
template void nonlinearHeightRatiosAhead<4>(const NonlinearStart&, const std::array<float, 4>&,
                                            std::array<std::optional<double>, 4>&);
template void nonlinearHeightRatiosAhead<8>(const NonlinearStart&, const std::array<float, 8>&,
                                            std::array<std::optional<double>, 8>&);
template void nonlinearHeightRatiosAhead<7>(const NonlinearStart&, const std::array<float, 7>&,
                                            std::array<std::optional<double>, 7>&);

}  // namespace saiha::wave::detail
