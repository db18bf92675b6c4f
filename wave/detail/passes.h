// Internal to wave/: one pass of the dispersion and of the nonlinear
// shoaling iteration for one lane (or four, as a vector), unchecked.  The
// look-ahead lanes of one search (lanes.h) and the rows side by side of a
// batch (batch.h) both run their lanes through these, so both give the bits
// of the checked formulas in wave/formulas.cpp.
//
// Each pass uses the same IEEE operations in the same order as the checked
// formula's pass.  For finite operands a checked operation faults only by
// giving a value that is not finite, and every such value reaches what the
// pass tests: a lane that meets one ends Broken and gives nothing, and the
// caller asks the checked formula, which raises whatever it raises.
#pragma once

#include <cmath>

#include "runtime/checked.h"
#include "wave/detail/terms.h"
#include "wave/formulas.h"

namespace saiha::wave::detail {

// How a lane's pass ended.
enum class PassEnd { Open, Settled, Broken };

// One pass of waveLengthWith at depth h (m) with y = ω²h/g, from the estimate
// x of kh.  Settled: L holds the wavelength narrowed to single.  Open: x holds
// the next estimate.  The deep-water branch is taken exactly as there.
inline PassEnd waveLengthPass(double& x, double y, float h, float& L) {
  const double e = std::exp(x * 2);
  const double r = deepWater(e, y) ? y : (e + 1) * y / (e - 1);
  int byGap = settledByGap(x, r);
  bool clean = std::isfinite(r) && std::isfinite(x * 2);
  if (byGap < 0 && clean) [[unlikely]] {
    const double q = x / r;
    clean = std::isfinite(q);
    byGap = std::fabs(q - 1) < 0.0001;
  }
  if (clean && byGap == 1) {
    L = static_cast<float>(kTwoPi * h / r);
    return std::isfinite(L) ? PassEnd::Settled : PassEnd::Broken;
  }
  x = (x + r) / 2;
  return clean && std::isfinite(x) ? PassEnd::Open : PassEnd::Broken;
}

// One pass of nonlinearHeightRatioFrom at depth ratio hr (depthFactor =
// hr^(−5/2), inverseDepth = 1/hr) from √U = s (a single value): H is the
// pass's height ratio, s the next √U, averaged with the last where
// `averaging` (the passes after kPlainPasses).  Settled: H is the result.
// Within the domain (finite terms, 0.001 ≤ hr ≤ 1, so hr^(−5/2) ≥ 1) every
// value that is not finite reaches H narrowed to single.
inline PassEnd nonlinearPass(double& s, double& H, double conserved, double depthFactor,
                             double depth, double inverseDepth, bool averaging) {
  const float sPrev = static_cast<float>(s);
  H = depthFactor * (conserved / (double(sPrev) - kTwoRootThree));
  float Hs = static_cast<float>(H);
  const bool finite = std::isfinite(Hs);
  if (Hs < 0) Hs = 0;
  float next = rt::narrowQuotient(std::sqrt(double(Hs) * kTwoPi), depth, inverseDepth);
  const bool settled = static_cast<float>(std::fabs(double(next) - sPrev)) < kUrsellRootTolerance;
  if (averaging) next = static_cast<float>((double(sPrev) + next) / 2);
  s = next;
  if (!finite) return PassEnd::Broken;
  return settled ? PassEnd::Settled : PassEnd::Open;
}

}  // namespace saiha::wave::detail

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>

#include <cstdint>

#include "wave/detail/exp_lanes.h"
#define SAIHA_WIDE_LANES 1

namespace saiha::wave::detail {

// nonlinearPass on four lanes as a vector of four doubles, for code built
// for AVX2.  Every vector operation is the scalar one lane by lane (IEEE
// division, square root, products and conversions round alike), so the lanes
// give the bits of nonlinearPass.  `averaging` is all ones in the lanes past
// kPlainPasses.  Returns the lanes that settled (bits 0..3) in `settledLanes`
// and those whose single height is not finite in `brokenLanes`.
__attribute__((target("avx2"), always_inline)) inline void nonlinearPassWide(
    __m256d& s, __m256d& H, __m256d conserved, __m256d depthFactor, __m256d inverseDepth,
    const double* depth, __m256d averaging, unsigned& settledLanes, unsigned& brokenLanes) {
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

  const __m256d sPrev = s;
  // H = hr^(−5/2)·(conserved/(√U − 2√3)), narrowed; a negative one is 0.
  H = _mm256_mul_pd(depthFactor, _mm256_div_pd(conserved, _mm256_sub_pd(sPrev, twoRootThree)));
  // Where every H lies in the normal single range below the largest single,
  // it is rounded to single in place, on its bits (to nearest, ties to even,
  // at the 29th bit), as the conversion there and back would round it, but
  // sooner; elsewhere it takes the conversion.
  const __m256d normal = _mm256_and_pd(_mm256_cmp_pd(H, smallestNormal, _CMP_GE_OQ),
                                       _mm256_cmp_pd(H, largestSingleWide, _CMP_LT_OQ));
  __m256d Hs;
  int finiteLanes = 0xf;
  if (_mm256_movemask_pd(normal) == 0xf) [[likely]] {
    const __m256i bits = _mm256_castpd_si256(H);
    const __m256i evenUp = _mm256_and_si256(_mm256_srli_epi64(bits, 29), one);
    Hs = _mm256_castsi256_pd(_mm256_andnot_si256(
        droppedBits, _mm256_add_epi64(bits, _mm256_add_epi64(belowHalfway, evenUp))));
  } else {
    __m128 single = _mm256_cvtpd_ps(H);
    finiteLanes =
        _mm_movemask_ps(_mm_cmp_ps(_mm_and_ps(single, absSingle), largestSingle, _CMP_LE_OQ));
    single = _mm_blendv_ps(single, zero, _mm_cmp_ps(single, zero, _CMP_LT_OQ));
    Hs = _mm256_cvtps_pd(single);
  }
  // √U = √(2π·Hs)/hr through the reciprocal of hr where the product narrows
  // as the quotient does (rt::narrowQuotient, lane by lane).
  const __m256d root = _mm256_sqrt_pd(_mm256_mul_pd(Hs, twoPi));
  __m256d q = _mm256_mul_pd(root, inverseDepth);
  const __m256d magnitude = _mm256_and_pd(q, absMask);
  const __m256d inRange = _mm256_and_pd(_mm256_cmp_pd(magnitude, smallestNormal, _CMP_GE_OQ),
                                        _mm256_cmp_pd(magnitude, beyondSingle, _CMP_LT_OQ));
  const __m256i tail =
      _mm256_sub_epi64(_mm256_and_si256(_mm256_castpd_si256(q), droppedBits), nearHalfway);
  const __m256i clearOfBoundary = _mm256_or_si256(_mm256_cmpgt_epi64(tail, sixteen),
                                                  _mm256_cmpgt_epi64(_mm256_setzero_si256(), tail));
  const __m256d quotientNeeded = _mm256_castsi256_pd(
      _mm256_xor_si256(_mm256_and_si256(_mm256_castpd_si256(inRange), clearOfBoundary), allOnes));
  // A product clear of a rounding boundary is rounded to single on its bits
  // (no tie can occur there); else the quotient is converted.
  __m256d sNew;
  if (_mm256_movemask_pd(quotientNeeded) != 0) [[unlikely]] {
    q = _mm256_blendv_pd(q, _mm256_div_pd(root, _mm256_loadu_pd(depth)), quotientNeeded);
    sNew = _mm256_cvtps_pd(_mm256_cvtpd_ps(q));
  } else {
    sNew = _mm256_castsi256_pd(
        _mm256_andnot_si256(droppedBits, _mm256_add_epi64(_mm256_castpd_si256(q), halfway)));
  }
  const __m128 step = _mm256_cvtpd_ps(_mm256_and_pd(_mm256_sub_pd(sNew, sPrev), absMask));
  settledLanes = unsigned(_mm_movemask_ps(_mm_cmp_ps(step, tolerance, _CMP_LT_OQ)));
  brokenLanes = unsigned(~finiteLanes & 0xf);
  s = sNew;
  if (_mm256_movemask_pd(averaging) != 0) [[unlikely]] {
    const __m256d mean = _mm256_cvtps_pd(_mm256_cvtpd_ps(_mm256_div_pd(_mm256_add_pd(sPrev, sNew), two)));
    s = _mm256_blendv_pd(sNew, mean, averaging);
  }
}


// nonlinearPassWide for the common case, where every lane's height |H| lies
// in the normal single range: H is narrowed on its bits (0 where negative),
// √(2π·Hs) is divided by hr itself, and that quotient is narrowed by the
// conversion, a normal single whenever Hs is (hr ≤ 1 and Hs ≥ 2^-126), or 0.  No test in the pass stands
// between the division and the next pass but the one on H, so several
// vectors' passes overlap in the processor.  The same operations as
// nonlinearPass, lane by lane, so the same bits.  Returns false, with s and H
// as they were, where some lane's |H| is not a normal single: the caller runs
// nonlinearPassWide on the vector instead.
__attribute__((target("avx2"), always_inline)) inline bool nonlinearPassWideNormal(
    __m256d& s, __m256d& H, __m256d conserved, __m256d depthFactor, __m256d depth,
    __m256d averaging, unsigned& settledLanes) {
  const __m256i droppedBits = _mm256_set1_epi64x((std::int64_t{1} << 29) - 1);
  const __m256i one = _mm256_set1_epi64x(1);
  const __m256i belowHalfway = _mm256_set1_epi64x((std::int64_t{1} << 28) - 1);
  const __m256d absMask = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffff));
  const __m256d sPrev = s;
  const __m256d h = _mm256_mul_pd(
      depthFactor, _mm256_div_pd(conserved, _mm256_sub_pd(sPrev, _mm256_set1_pd(kTwoRootThree))));
  const __m256d magnitude = _mm256_and_pd(h, absMask);
  const __m256d normal = _mm256_and_pd(
      _mm256_cmp_pd(magnitude, _mm256_set1_pd(0x1p-126), _CMP_GE_OQ),
      _mm256_cmp_pd(magnitude, _mm256_set1_pd(double(0x1.fffffep127f)), _CMP_LT_OQ));
  if (_mm256_movemask_pd(normal) != 0xf) [[unlikely]] return false;
  // To nearest, ties to even, at the 29th bit (the sign bit untouched); a
  // negative height is 0.
  const __m256i bits = _mm256_castpd_si256(h);
  const __m256i evenUp = _mm256_and_si256(_mm256_srli_epi64(bits, 29), one);
  const __m256d Hs = _mm256_max_pd(
      _mm256_castsi256_pd(_mm256_andnot_si256(
          droppedBits, _mm256_add_epi64(bits, _mm256_add_epi64(belowHalfway, evenUp)))),
      _mm256_setzero_pd());
  const __m256d sNew = _mm256_cvtps_pd(_mm256_cvtpd_ps(
      _mm256_div_pd(_mm256_sqrt_pd(_mm256_mul_pd(Hs, _mm256_set1_pd(kTwoPi))), depth)));
  const __m128 step = _mm256_cvtpd_ps(_mm256_and_pd(_mm256_sub_pd(sNew, sPrev), absMask));
  settledLanes = unsigned(
      _mm_movemask_ps(_mm_cmp_ps(step, _mm_set1_ps(kUrsellRootTolerance), _CMP_LT_OQ)));
  H = h;
  s = sNew;
  if (_mm256_movemask_pd(averaging) != 0) [[unlikely]] {
    const __m256d mean = _mm256_cvtps_pd(
        _mm256_cvtpd_ps(_mm256_div_pd(_mm256_add_pd(sPrev, sNew), _mm256_set1_pd(2.0))));
    s = _mm256_blendv_pd(sNew, mean, averaging);
  }
  return true;
}


// waveLengthPass on four lanes, for code built for AVX2 and FMA, with e^(2x)
// from expWide (bit for bit std::exp's) and the rest the same IEEE operations
// lane by lane, so the same bits.  A lane the vector cannot settle exactly as
// waveLengthPass would is left to the caller, its x as it was, with its bit
// in `scalarLanes`: 2x outside expWide's range, deep water, a value that is
// not finite, or estimates so near the settling threshold that the quotient
// x/r must decide.  The caller runs waveLengthPass on those.  Elsewhere:
// `settledLanes` with L holding their wavelengths, the others' x the next
// estimate.
__attribute__((target("avx2,fma"), always_inline)) inline void waveLengthPassWide(
    __m256d& x, __m256d y, __m256d h, __m128& L, unsigned& settledLanes, unsigned& scalarLanes) {
  const __m256d one = _mm256_set1_pd(1.0);
  const __m256d absMask = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffff));
  const __m256d twoX = _mm256_mul_pd(x, _mm256_set1_pd(2.0));
  unsigned outside;
  const __m256d e = expWide(twoX, outside);
  // (e + 1)·y/(e − 1), y·coth x: the next estimate of kh.
  const __m256d r =
      _mm256_div_pd(_mm256_mul_pd(_mm256_add_pd(e, one), y), _mm256_sub_pd(e, one));
  // settledByGap: decided where x > 0, 0 < r ≤ 2^1000 and |x − r| lies
  // clear of 0.0001·r by 0.1 %.  Those bounds keep r, 2x and the next x finite.
  const __m256d gap = _mm256_and_pd(_mm256_sub_pd(x, r), absMask);
  const __m256d threshold = _mm256_mul_pd(r, _mm256_set1_pd(0.0001));
  const __m256d below = _mm256_cmp_pd(gap, _mm256_mul_pd(threshold, _mm256_set1_pd(0.999)), _CMP_LT_OQ);
  const __m256d above = _mm256_cmp_pd(gap, _mm256_mul_pd(threshold, _mm256_set1_pd(1.001)), _CMP_GT_OQ);
  const __m256d inRange = _mm256_and_pd(
      _mm256_and_pd(_mm256_cmp_pd(x, _mm256_setzero_pd(), _CMP_GT_OQ),
                    _mm256_cmp_pd(x, _mm256_set1_pd(0x1p1000), _CMP_LE_OQ)),
      _mm256_and_pd(_mm256_cmp_pd(r, _mm256_setzero_pd(), _CMP_GT_OQ),
                    _mm256_cmp_pd(r, _mm256_set1_pd(0x1p1000), _CMP_LE_OQ)));
  const unsigned decided = unsigned(_mm256_movemask_pd(_mm256_and_pd(inRange, _mm256_or_pd(below, above))));
  const unsigned settled = unsigned(_mm256_movemask_pd(below));
  // 2π·h/r narrowed to single, formed only when a lane settles; a lane whose
  // wavelength is not finite goes to the caller.
  __m128 lengths = _mm_setzero_ps();
  unsigned finiteLengths = 0xf;
  if ((settled & decided & ~outside & 0xf) != 0) [[unlikely]] {
    lengths = _mm256_cvtpd_ps(_mm256_div_pd(_mm256_mul_pd(_mm256_set1_pd(kTwoPi), h), r));
    finiteLengths = unsigned(_mm_movemask_ps(_mm_cmp_ps(
        _mm_and_ps(lengths, _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff))),
        _mm_set1_ps(0x1.fffffep127f), _CMP_LE_OQ)));
  }
  scalarLanes = (outside | ~decided | (settled & ~finiteLengths)) & 0xf;
  settledLanes = settled & ~scalarLanes & 0xf;
  L = lengths;
  // (x + r)/2, as x·0.5 (the same rounding of the same exact value).
  const __m256d next = _mm256_mul_pd(_mm256_add_pd(x, r), _mm256_set1_pd(0.5));
  // Lanes that go on take the next estimate; the others keep theirs.
  const unsigned keep = scalarLanes | settledLanes;
  const __m256i laneBits = _mm256_set_epi64x(8, 4, 2, 1);
  const __m256d kept = _mm256_castsi256_pd(_mm256_cmpeq_epi64(
      _mm256_and_si256(_mm256_set1_epi64x(keep), laneBits), laneBits));
  x = _mm256_blendv_pd(next, x, kept);
}

}  // namespace saiha::wave::detail
#endif
