// Internal to wave/: the arctangent and cosine of four lanes, narrowed to
// single, for the onset mismatches side by side (probe_lanes.h).
//
// The onset mismatch narrows both results at once: a = narrow(atan(t)) and
// c = narrow(cos(a)).  A narrowed value is the library's whenever the
// library's double and ours round to the same single, and that is certain
// wherever every double within a relative 2^-40 of ours rounds to one
// single: the library's arctangent and cosine are within an ulp of the true
// values (2^-52), ours within a few ulps (checked against quad precision in
// the tests).  Lanes where that cannot be shown, a chance of about 2^-15
// each, are marked for the caller to ask std::atan or std::cos itself.
// scripts/check-vector-trig.sh compares both, after the fallback, with the
// library on every single input the onset search can give them.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>

#include <array>
#include <cmath>
#include <cstddef>

namespace saiha::wave::detail {

// Σ c[k]·z^(n−1−k) by Horner's rule, c[0] the highest power's coefficient.
template <std::size_t N>
__attribute__((target("avx2,fma"), always_inline)) inline __m256d hornerWide(
    __m256d z, const std::array<double, N>& c) {
  __m256d p = _mm256_set1_pd(c[0]);
  for (std::size_t k = 1; k < N; ++k) p = _mm256_fmadd_pd(p, z, _mm256_set1_pd(c[k]));
  return p;
}

// atan(t) in each lane, within a few ulps, for finite t (no use is made of
// NaN or ±∞ lanes).  Reduction by atan t = π/2 − atan(1/t) above tan(3π/8)
// and π/4 + atan((t − 1)/(t + 1)) above tan(π/8), then w + w·z·P(z) with
// z = w², P a near-minimax fit of (atan(w)/w − 1)/z on |w| ≤ tan(π/8).
__attribute__((target("avx2,fma"), always_inline)) inline __m256d atanNearWide(__m256d t) {
  const __m256d signBit = _mm256_set1_pd(-0.0);
  const __m256d one = _mm256_set1_pd(1.0);
  const __m256d u = _mm256_andnot_pd(signBit, t);
  const __m256d beyond = _mm256_cmp_pd(u, _mm256_set1_pd(2.414213562373095), _CMP_GT_OQ);
  const __m256d middle = _mm256_andnot_pd(
      beyond, _mm256_cmp_pd(u, _mm256_set1_pd(0.41421356237309503), _CMP_GT_OQ));
  // w = −1/u, (u − 1)/(u + 1) or u, by one division.
  const __m256d numerator = _mm256_blendv_pd(
      _mm256_blendv_pd(u, _mm256_sub_pd(u, one), middle), _mm256_set1_pd(-1.0), beyond);
  const __m256d denominator =
      _mm256_blendv_pd(_mm256_blendv_pd(one, _mm256_add_pd(u, one), middle), u, beyond);
  const __m256d w = _mm256_div_pd(numerator, denominator);
  const __m256d base = _mm256_blendv_pd(
      _mm256_blendv_pd(_mm256_setzero_pd(), _mm256_set1_pd(0x1.921fb54442d18p-1), middle),
      _mm256_set1_pd(0x1.921fb54442d18p+0), beyond);
  const __m256d z = _mm256_mul_pd(w, w);
  const __m256d p = hornerWide(
      z, std::array{0x1.76129dab5ff91p-6, -0x1.6fc4779f38b59p-5, 0x1.d612941add86ep-5,
                    -0x1.1061801a5be9ap-4, 0x1.3b06dfc1b317dp-4, -0x1.745c8421e6734p-4,
                    0x1.c71c6df7cf10ep-4, -0x1.2492491e23488p-3, 0x1.9999999991267p-3,
                    -0x1.555555555553fp-2});
  const __m256d angle = _mm256_add_pd(base, _mm256_fmadd_pd(_mm256_mul_pd(w, z), p, w));
  return _mm256_or_pd(angle, _mm256_and_pd(t, signBit));
}

// cos(a) in each lane, within a few ulps, for |a| ≤ 2 (the onset search
// gives |a| ≤ π/2 rounded to single).  Below π/4 the Taylor series in a² to
// a^18; above, sin(π/2 − |a|) to d^17 with π/2 − |a| formed exactly (π/2's
// high part less |a| is exact there) plus π/2's low part, so that cos keeps
// its relative accuracy next to π/2.
__attribute__((target("avx2,fma"), always_inline)) inline __m256d cosNearWide(__m256d a) {
  const __m256d magnitude = _mm256_andnot_pd(_mm256_set1_pd(-0.0), a);
  const __m256d far = _mm256_cmp_pd(magnitude, _mm256_set1_pd(0x1.921fb54442d18p-1), _CMP_GT_OQ);
  const __m256d d = _mm256_add_pd(_mm256_sub_pd(_mm256_set1_pd(0x1.921fb54442d18p+0), magnitude),
                                  _mm256_set1_pd(0x1.1a62633145c07p-54));
  const __m256d x = _mm256_blendv_pd(magnitude, d, far);
  const __m256d z = _mm256_mul_pd(x, x);
  // cos: Σ (−z)^k/(2k)!, k = 0..9; sin/x: Σ (−z)^k/(2k + 1)!, k = 0..8.
  const __m256d c = hornerWide(
      z, std::array{-1.0 / 6402373705728000.0, 1.0 / 20922789888000.0, -1.0 / 87178291200.0,
                    1.0 / 479001600.0, -1.0 / 3628800.0, 1.0 / 40320.0, -1.0 / 720.0,
                    1.0 / 24.0, -0.5, 1.0});
  const __m256d sine = hornerWide(
      z, std::array{1.0 / 355687428096000.0, -1.0 / 1307674368000.0, 1.0 / 6227020800.0,
                    -1.0 / 39916800.0, 1.0 / 362880.0, -1.0 / 5040.0, 1.0 / 120.0,
                    -1.0 / 6.0});
  const __m256d s = _mm256_fmadd_pd(_mm256_mul_pd(x, z), sine, x);
  return _mm256_blendv_pd(c, s, far);
}

// v narrowed to single and back, where every double within a relative
// 2^-40 of v narrows alike; lanes where that fails (or v is not finite) are
// added to `unsure`, their value unspecified.
__attribute__((target("avx2"), always_inline)) inline __m256d narrowedSurely(__m256d v,
                                                                             __m256d& unsure) {
  const __m256d below = _mm256_mul_pd(v, _mm256_set1_pd(1 - 0x1p-40));
  const __m256d above = _mm256_mul_pd(v, _mm256_set1_pd(1 + 0x1p-40));
  const __m256d low = _mm256_cvtps_pd(_mm256_cvtpd_ps(below));
  const __m256d high = _mm256_cvtps_pd(_mm256_cvtpd_ps(above));
  unsure = _mm256_or_pd(unsure, _mm256_cmp_pd(low, high, _CMP_NEQ_UQ));
  return low;
}

// f(x) lane by lane through the scalar library function.
template <class F>
__attribute__((target("avx2"), always_inline)) inline __m256d eachLane(__m256d x, F&& f) {
  alignas(32) double v[4];
  _mm256_store_pd(v, x);
  for (double& lane : v) lane = f(lane);
  return _mm256_load_pd(v);
}

// narrow(library(x)) lane by lane (as doubles), from `near`, the lanes' own
// value of the function, where its single is sure.
template <class Library>
__attribute__((target("avx2"), always_inline)) inline __m256d surelyNarrowed(__m256d near,
                                                                             __m256d x,
                                                                             Library&& library) {
  __m256d unsure = _mm256_setzero_pd();
  const __m256d single = narrowedSurely(near, unsure);
  if (_mm256_movemask_pd(unsure) == 0) [[likely]] return single;
  const __m256d exact = _mm256_cvtps_pd(_mm256_cvtpd_ps(eachLane(x, library)));
  return _mm256_blendv_pd(single, exact, unsure);
}

// narrow(std::atan(t)) for finite t, and narrow(std::cos(a)) for |a| ≤ 2,
// lane by lane, bit for bit.
__attribute__((target("avx2,fma"), always_inline)) inline __m256d singleAtanWide(__m256d t) {
  return surelyNarrowed(atanNearWide(t), t, [](double x) { return std::atan(x); });
}
__attribute__((target("avx2,fma"), always_inline)) inline __m256d singleCosWide(__m256d a) {
  return surelyNarrowed(cosNearWide(a), a, [](double x) { return std::cos(x); });
}

}  // namespace saiha::wave::detail
#endif
