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
#include "wave/detail/lanes.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define SAIHA_WIDE_LANES 1
#endif

namespace saiha::wave::detail {

bool wideNonlinearLanes() {
#ifdef SAIHA_WIDE_LANES
  static const bool wide = __builtin_cpu_supports("avx2");
  return wide;
#else
  return false;
#endif
}

void NonlinearLanes::start(const NonlinearStart& terms, const float* hr, int count) {
  count_ = count;
  conserved_ = terms.conserved.value();
  for (int i = 0; i < kMaxLanes; ++i) {
    if (i < count) {
      depthFactor_[i] = std::pow(double(hr[i]), -5.0 / 2.0);
      depth_[i] = hr[i];
      inverseDepth_[i] = 1 / double(hr[i]);
    } else {  // a spare lane repeats the first
      depthFactor_[i] = depthFactor_[0];
      depth_[i] = depth_[0];
      inverseDepth_[i] = inverseDepth_[0];
    }
    s_[i] = terms.rootU1;
    H_[i] = 0;
  }
  pass_ = 1;
  open_ = (1u << count) - 1;
  gaveResult_ = 0;
  wide_ = count > 4 && wideNonlinearLanes();
}

std::optional<double> NonlinearLanes::result(int lane) {
  const unsigned bit = 1u << lane;
  if ((open_ & bit) && pass_ <= kNonlinearPassLimit) {
    if (wide_) {
      runWide(bit);
    } else {
      runPortable(bit);
    }
  }
  if (gaveResult_ & bit) return result_[lane];
  return std::nullopt;
}

// Passes of every lane, as nonlinearHeightRatioFrom makes them, until the
// lanes of `wanted` have closed or the pass limit is reached.
void NonlinearLanes::runPortable(unsigned wanted) {
  for (; (open_ & wanted) && pass_ <= kNonlinearPassLimit; ++pass_) {
#pragma GCC unroll 4
    for (int i = 0; i < count_; ++i) {
      const float sPrev = static_cast<float>(s_[i]);
      H_[i] = depthFactor_[i] * (conserved_ / (double(sPrev) - kTwoRootThree));
      float Hs = static_cast<float>(H_[i]);
      const bool finite = std::isfinite(Hs);
      if (Hs < 0) Hs = 0;
      float s = rt::narrowQuotient(std::sqrt(double(Hs) * kTwoPi), depth_[i], inverseDepth_[i]);
      const bool settled = static_cast<float>(std::fabs(double(s) - sPrev)) < kUrsellRootTolerance;
      if (pass_ > kPlainPasses) s = static_cast<float>((double(sPrev) + s) / 2);
      s_[i] = s;
      const unsigned bit = 1u << i;
      if ((!finite || settled) && (open_ & bit)) [[unlikely]] {
        open_ &= ~bit;
        if (finite) {
          result_[i] = H_[i];
          gaveResult_ |= bit;
        }
      }
    }
  }
}

#ifdef SAIHA_WIDE_LANES
// The same with eight lanes as two vectors of four doubles.  Every vector
// operation is the scalar one lane by lane (IEEE division, square root,
// products and conversions round alike), so the lanes give the bits of
// runPortable.
__attribute__((target("avx2"))) void NonlinearLanes::runWide(unsigned wanted) {
  const __m256d conserved = _mm256_set1_pd(conserved_);
  const __m256d twoRootThree = _mm256_set1_pd(kTwoRootThree);
  const __m256d twoPi = _mm256_set1_pd(kTwoPi);
  const __m256d two = _mm256_set1_pd(2.0);
  const __m256d absMask = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffff));
  const __m256d smallestNormal = _mm256_set1_pd(0x1p-126);
  const __m256d beyondSingle = _mm256_set1_pd(0x1p127);
  const __m256i droppedBits = _mm256_set1_epi64x((std::int64_t{1} << 29) - 1);
  const __m256i nearHalfway = _mm256_set1_epi64x((std::int64_t{1} << 28) - 8);
  const __m256i sixteen = _mm256_set1_epi64x(16);
  const __m256i allOnes = _mm256_set1_epi64x(-1);
  const __m128 zero = _mm_setzero_ps();
  const __m128 largestSingle = _mm_set1_ps(0x1.fffffep127f);
  const __m128 absSingle = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
  const __m128 tolerance = _mm_set1_ps(kUrsellRootTolerance);
  const __m256d largestSingleWide = _mm256_set1_pd(double(0x1.fffffep127f));
  const __m256i one = _mm256_set1_epi64x(1);
  const __m256i halfway = _mm256_set1_epi64x(std::int64_t{1} << 28);
  const __m256i belowHalfway = _mm256_set1_epi64x((std::int64_t{1} << 28) - 1);
  __m256d s[2], H[2], depthFactor[2], inverseDepth[2];
  for (int v = 0; v < 2; ++v) {
    s[v] = _mm256_load_pd(&s_[4 * v]);
    H[v] = _mm256_load_pd(&H_[4 * v]);
    depthFactor[v] = _mm256_load_pd(&depthFactor_[4 * v]);
    inverseDepth[v] = _mm256_load_pd(&inverseDepth_[4 * v]);
  }
  for (; (open_ & wanted) && pass_ <= kNonlinearPassLimit; ++pass_) {
    unsigned settledLanes = 0, brokenLanes = 0;
#pragma GCC unroll 2
    for (int v = 0; v < 2; ++v) {
      const __m256d sPrev = s[v];
      // H = hr^(−5/2)·(conserved/(√U − 2√3)), narrowed; a negative one is 0.
      H[v] = _mm256_mul_pd(depthFactor[v],
                           _mm256_div_pd(conserved, _mm256_sub_pd(sPrev, twoRootThree)));
      // Where every H lies in the normal single range below the largest
      // single, it is rounded to single in place, on its bits (to nearest,
      // ties to even, at the 29th bit), as the conversion there and back
      // would round it, but sooner; elsewhere it takes the conversion.
      const __m256d normal = _mm256_and_pd(_mm256_cmp_pd(H[v], smallestNormal, _CMP_GE_OQ),
                                           _mm256_cmp_pd(H[v], largestSingleWide, _CMP_LT_OQ));
      __m256d Hs;
      int finiteLanes = 0xf;
      if (_mm256_movemask_pd(normal) == 0xf) [[likely]] {
        const __m256i bits = _mm256_castpd_si256(H[v]);
        const __m256i evenUp = _mm256_and_si256(_mm256_srli_epi64(bits, 29), one);
        Hs = _mm256_castsi256_pd(_mm256_andnot_si256(
            droppedBits, _mm256_add_epi64(bits, _mm256_add_epi64(belowHalfway, evenUp))));
      } else {
        __m128 single = _mm256_cvtpd_ps(H[v]);
        finiteLanes = _mm_movemask_ps(
            _mm_cmp_ps(_mm_and_ps(single, absSingle), largestSingle, _CMP_LE_OQ));
        single = _mm_blendv_ps(single, zero, _mm_cmp_ps(single, zero, _CMP_LT_OQ));
        Hs = _mm256_cvtps_pd(single);
      }
      // √U = √(2π·Hs)/hr through the reciprocal of hr where the product
      // narrows as the quotient does (rt::narrowQuotient, lane by lane).
      const __m256d root = _mm256_sqrt_pd(_mm256_mul_pd(Hs, twoPi));
      __m256d q = _mm256_mul_pd(root, inverseDepth[v]);
      const __m256d magnitude = _mm256_and_pd(q, absMask);
      const __m256d inRange = _mm256_and_pd(_mm256_cmp_pd(magnitude, smallestNormal, _CMP_GE_OQ),
                                            _mm256_cmp_pd(magnitude, beyondSingle, _CMP_LT_OQ));
      const __m256i tail =
          _mm256_sub_epi64(_mm256_and_si256(_mm256_castpd_si256(q), droppedBits), nearHalfway);
      const __m256i clearOfBoundary = _mm256_or_si256(
          _mm256_cmpgt_epi64(tail, sixteen), _mm256_cmpgt_epi64(_mm256_setzero_si256(), tail));
      const __m256d quotientNeeded = _mm256_castsi256_pd(_mm256_xor_si256(
          _mm256_and_si256(_mm256_castpd_si256(inRange), clearOfBoundary), allOnes));
      // A product clear of a rounding boundary is rounded to single on its
      // bits (no tie can occur there); else the quotient is converted.
      __m256d sNew;
      if (_mm256_movemask_pd(quotientNeeded) != 0) [[unlikely]] {
        q = _mm256_blendv_pd(q, _mm256_div_pd(root, _mm256_load_pd(&depth_[4 * v])),
                             quotientNeeded);
        sNew = _mm256_cvtps_pd(_mm256_cvtpd_ps(q));
      } else {
        sNew = _mm256_castsi256_pd(
            _mm256_andnot_si256(droppedBits, _mm256_add_epi64(_mm256_castpd_si256(q), halfway)));
      }
      const __m128 step = _mm256_cvtpd_ps(_mm256_and_pd(_mm256_sub_pd(sNew, sPrev), absMask));
      const __m128 settled = _mm_cmp_ps(step, tolerance, _CMP_LT_OQ);
      s[v] = pass_ > kPlainPasses
                 ? _mm256_cvtps_pd(_mm256_cvtpd_ps(_mm256_div_pd(_mm256_add_pd(sPrev, sNew), two)))
                 : sNew;
      settledLanes |= unsigned(_mm_movemask_ps(settled)) << (4 * v);
      brokenLanes |= unsigned(~finiteLanes & 0xf) << (4 * v);
    }
    const unsigned closing = open_ & (settledLanes | brokenLanes);
    if (closing != 0) [[unlikely]] {
      alignas(32) double heights[kMaxLanes];
      _mm256_store_pd(&heights[0], H[0]);
      _mm256_store_pd(&heights[4], H[1]);
      const unsigned giving = closing & ~brokenLanes;
      for (int i = 0; i < kMaxLanes; ++i) {
        if (giving & (1u << i)) result_[i] = heights[i];
      }
      gaveResult_ |= giving;
      open_ &= ~closing;
    }
  }
  for (int v = 0; v < 2; ++v) {
    _mm256_store_pd(&s_[4 * v], s[v]);
    _mm256_store_pd(&H_[4 * v], H[v]);
  }
}
#else
void NonlinearLanes::runWide(unsigned wanted) { runPortable(wanted); }
#endif

}  // namespace saiha::wave::detail
