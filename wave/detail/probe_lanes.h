// Internal to wave/: the onset mismatch of four probes at once, for the onset
// searches side by side (batch.cpp).  A probe's mismatch takes two
// exponentials, an arctangent, a cosine, three square roots and a dozen
// divisions; four probes of four rows go through them as vectors.
//
// Why the bits are onsetProbe's: every step is the IEEE operation the
// checked formula performs, on the same operands in the same order (vector
// lanes round as scalar operations do), narrowed to single where it narrows;
// e^x comes from expWide, the narrowed arctangent and cosine from
// trig_lanes.h (the library's singles, bit for bit).  The checked formula
// faults only where a value is not finite, a narrowing overflows, or a
// coefficient's divisor is 0: a lane that meets any of these is left to the
// caller, which runs onsetProbe itself, as is a lane whose exponential lies
// outside expWide's range.
#pragma once

#include "wave/detail/passes.h"

#ifdef SAIHA_WIDE_LANES
#include <cmath>

#include "wave/detail/exp_lanes.h"
#include "wave/detail/trig_lanes.h"

namespace saiha::wave::detail {

// Four probes' inputs, lane by lane: the depth h and the wavelength L there
// (m), Ho and the onset search's L0 (m), sin αo (single) and cos αo.
struct OnsetProbes {
  alignas(32) double h[4], L[4], Ho[4], L0[4], sinAo[4], cosAo[4];
};

// Lanes where v is not finite.
__attribute__((target("avx2"), always_inline)) inline __m256d notFinite(__m256d v) {
  const __m256d magnitude =
      _mm256_and_pd(v, _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffff)));
  return _mm256_cmp_pd(magnitude, _mm256_set1_pd(HUGE_VAL), _CMP_NLT_UQ);
}

// v narrowed to single and back; `bad` gains the lanes where v or the single
// is not finite (the checked narrowing faults or its operand did).
__attribute__((target("avx2"), always_inline)) inline __m256d narrowed(__m256d v, __m256d& bad) {
  const __m256d single = _mm256_cvtps_pd(_mm256_cvtpd_ps(v));
  bad = _mm256_or_pd(bad, _mm256_or_pd(notFinite(v), notFinite(single)));
  return single;
}

// onsetProbe for the four probes of `p`: each lane's mismatch (single) in f,
// and bit i of `scalarLanes` set where lane i must be computed by onsetProbe
// itself (its f is then unspecified).
__attribute__((target("avx2,fma"))) inline void onsetProbeWide(const OnsetProbes& p, float f[4],
                                                              unsigned& scalarLanes) {
  const __m256d zero = _mm256_setzero_pd();
  const __m256d one = _mm256_set1_pd(1.0);
  const __m256d two = _mm256_set1_pd(2.0);
  const __m256d h = _mm256_load_pd(p.h), L = _mm256_load_pd(p.L), L0 = _mm256_load_pd(p.L0);
  __m256d bad = zero;  // lanes where the checked formula may fault

  // u = ursell50Height(h/L0): (25/π)·x·x with x = h/L0 narrowed.
  const __m256d x = narrowed(_mm256_div_pd(h, L0), bad);
  const __m256d u =
      _mm256_mul_pd(_mm256_mul_pd(_mm256_set1_pd(50.0 / 2 / kPi), x), x);
  bad = _mm256_or_pd(bad, notFinite(u));

  // n = groupRatio(h, L): (1 + x2/sinh x2)/2 with x2 = 4πh/L narrowed, and
  // x2/sinh x2 = 0 where e^|x2| overflows.
  const __m256d x2 = narrowed(_mm256_div_pd(_mm256_mul_pd(h, _mm256_set1_pd(kFourPi)), L), bad);
  const __m256d deep = _mm256_cmp_pd(
      _mm256_and_pd(x2, _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffff))),
      _mm256_set1_pd(709.782712893384), _CMP_GT_OQ);
  unsigned outsideUp, outsideDown;
  const __m256d up = expWide(x2, outsideUp);
  const __m256d down = expWide(_mm256_sub_pd(zero, x2), outsideDown);
  const unsigned shallow = ~unsigned(_mm256_movemask_pd(deep)) & 0xf;
  unsigned scalar = (outsideUp | outsideDown) & shallow;
  const __m256d sinh = _mm256_div_pd(_mm256_sub_pd(up, down), two);
  const __m256d ratio = _mm256_div_pd(x2, sinh);
  bad = _mm256_or_pd(bad, _mm256_andnot_pd(deep, _mm256_or_pd(notFinite(up), notFinite(down))));
  bad = _mm256_or_pd(bad, _mm256_andnot_pd(deep, _mm256_or_pd(notFinite(sinh), notFinite(ratio))));
  const __m256d q = _mm256_blendv_pd(ratio, zero, deep);
  const __m256d n = narrowed(_mm256_div_pd(_mm256_add_pd(one, q), two), bad);

  // a = refractedAngle: atan(s/√(1 − s²)) with s = (L/L0)·sin αo narrowed,
  // 0 where |s| ≥ 1.
  const __m256d s = narrowed(_mm256_mul_pd(_mm256_div_pd(L, L0), _mm256_load_pd(p.sinAo)), bad);
  const __m256d reflected = _mm256_or_pd(_mm256_cmp_pd(s, _mm256_set1_pd(-1.0), _CMP_LE_OQ),
                                         _mm256_cmp_pd(s, one, _CMP_GE_OQ));
  const __m256d tangent = _mm256_div_pd(
      s, _mm256_sqrt_pd(_mm256_sub_pd(one, _mm256_mul_pd(s, s))));
  bad = _mm256_or_pd(bad, _mm256_andnot_pd(reflected, notFinite(tangent)));
  const __m256d a = narrowed(_mm256_blendv_pd(singleAtanWide(tangent), zero, reflected), bad);

  // Ks = √(L0/L/2/n): its divisors L and n may not be 0.
  const __m256d Ks = _mm256_sqrt_pd(_mm256_div_pd(_mm256_div_pd(_mm256_div_pd(L0, L), two), n));
  bad = _mm256_or_pd(bad, notFinite(Ks));
  // Kr = √(cos αo / c) with c = cos a narrowed, which may not be 0.
  const __m256d c = narrowed(singleCosWide(a), bad);
  const __m256d Kr = _mm256_sqrt_pd(_mm256_div_pd(_mm256_load_pd(p.cosAo), c));
  bad = _mm256_or_pd(bad, notFinite(Kr));
  const __m256d divisorZero = _mm256_or_pd(
      _mm256_or_pd(_mm256_cmp_pd(L, zero, _CMP_EQ_OQ), _mm256_cmp_pd(n, zero, _CMP_EQ_OQ)),
      _mm256_cmp_pd(c, zero, _CMP_EQ_OQ));

  // l = Ks·Kr·Ho/L0; f = u − l narrowed.
  const __m256d KsKr = _mm256_mul_pd(Ks, Kr);
  const __m256d withHeight = _mm256_mul_pd(KsKr, _mm256_load_pd(p.Ho));
  const __m256d l = _mm256_div_pd(withHeight, L0);
  bad = _mm256_or_pd(bad, notFinite(KsKr));
  bad = _mm256_or_pd(bad, notFinite(withHeight));
  bad = _mm256_or_pd(bad, notFinite(l));
  const __m256d mismatch = _mm256_sub_pd(u, l);
  bad = _mm256_or_pd(bad, notFinite(mismatch));
  const __m128 single = _mm256_cvtpd_ps(mismatch);
  bad = _mm256_or_pd(bad, notFinite(_mm256_cvtps_pd(single)));
  _mm_storeu_ps(f, single);
  scalar |= unsigned(_mm256_movemask_pd(_mm256_or_pd(bad, divisorZero)));
  scalarLanes = scalar & 0xf;
}

}  // namespace saiha::wave::detail
#endif
