// Internal to wave/: e^x on four lanes of a vector, each lane the bits that
// std::exp gives for it on this system's C library (glibc on x86-64, whose
// exp a CPU with AVX2 and FMA runs in its FMA build).
//
// The function is that exp's own main path, operation for operation:
//   x = k·ln2/128 + r with k = round(x·128/ln2) and |r| ≤ ln2/256,
//   e^x = 2^(k/128) · e^r ≈ s + s·(t + r + r²(C2 + r·C3) + r⁴(C4 + r·C5)),
// where s·(1 + t) is 2^(k/128) from a table of 128 pairs (t, the bits of s
// less k's share of the exponent).  Why the bits are the library's: every
// step is one IEEE operation on the same operands in the same order (vector
// lanes round as scalar operations do), with the same constants and table,
// and the multiply-adds that library fused (read from its machine code) are
// fused here and no others: x·128/ln2 + shift, r = x − k·ln2hi − k·ln2lo,
// C2 + r·C3, C4 + r·C5, the two terms added to t + r, and s + s·tmp.
//
// Range: the library takes that path for 2^−54 ≤ |x| < 512, and returns
// 1 + x below it, which the lanes do too.  From 512 on (where the result
// may leave the normal range and the library rescales) and for NaN and ±∞
// a lane gives an unspecified value and is marked for the caller to ask
// std::exp itself.  Only round-to-nearest is assumed, as everywhere here.
//
// Another C library may round some results otherwise: expWideAgrees()
// compares the lanes with std::exp once, on sixty inputs where that exp's
// rounding is its own (it is not correctly rounded there) and at the edges
// of the lanes' range, and the lanes are used only where it holds.  The
// tests compare them on a few hundred thousand more.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>

#include <cstdint>
#include <span>

namespace saiha::wave::detail {

// The 2^(k/128) pairs: tail t, then the bits of s with k·2^45 taken off.
extern const std::uint64_t kExpTable[256];

// e^x in each lane as std::exp(x) gives it, for 2^−54 ≤ |x| < 512 and below
// (1 + x).  Bit i of `scalarLanes` is set where lane i is NaN, ±∞ or
// |x| ≥ 512: there the lane's value is unspecified and the caller calls
// std::exp.
__attribute__((target("avx2,fma"))) inline __m256d expWide(__m256d x, unsigned& scalarLanes) {
  const __m256d invLn2N = _mm256_set1_pd(0x1.71547652b82fep+7);    // 128/ln2
  const __m256d shift = _mm256_set1_pd(0x1.8p+52);                 // rounds to an integer
  const __m256d negLn2HiN = _mm256_set1_pd(-0x1.62e42fefa0000p-8);  // −ln2/128, high part
  const __m256d negLn2LoN = _mm256_set1_pd(-0x1.cf79abc9e3b3ap-47);  // and the rest
  const __m256d c2 = _mm256_set1_pd(0x1.ffffffffffdbdp-2);
  const __m256d c3 = _mm256_set1_pd(0x1.555555555543cp-3);
  const __m256d c4 = _mm256_set1_pd(0x1.55555cf172b91p-5);
  const __m256d c5 = _mm256_set1_pd(0x1.1111167a4d017p-7);
  const __m256d one = _mm256_set1_pd(1.0);
  const __m256i exponentMask = _mm256_set1_epi64x(0x7ff);
  const __m256i indexMask = _mm256_set1_epi64x(127);
  // The biased exponent of |x|: below 2^−54 it is under 0x3c9, from 512 on
  // 0x408 or more (0x7ff for NaN and ±∞).
  const __m256i tinyTop = _mm256_set1_epi64x(0x3c9);
  const __m256i lastMainTop = _mm256_set1_epi64x(0x407);

  const __m256i top =
      _mm256_and_si256(_mm256_srli_epi64(_mm256_castpd_si256(x), 52), exponentMask);
  const __m256i tiny = _mm256_cmpgt_epi64(tinyTop, top);
  const __m256i beyond = _mm256_cmpgt_epi64(top, lastMainTop);
  scalarLanes = unsigned(_mm256_movemask_pd(_mm256_castsi256_pd(beyond)));

  // x·128/ln2 + shift holds k = round(x·128/ln2) in its low bits (ki), and
  // less the shift it is k as a double; r = x − k·ln2/128 in two parts.
  __m256d kd = _mm256_fmadd_pd(x, invLn2N, shift);
  const __m256i ki = _mm256_castpd_si256(kd);
  kd = _mm256_sub_pd(kd, shift);
  __m256d r = _mm256_fmadd_pd(kd, negLn2HiN, x);
  r = _mm256_fmadd_pd(kd, negLn2LoN, r);

  // The pair of k mod 128, one 16-byte load a lane; k's whole part goes
  // into the exponent of s.
  alignas(32) std::int64_t index[4];
  _mm256_store_si256(reinterpret_cast<__m256i*>(index), _mm256_and_si256(ki, indexMask));
  const auto pairAt = [](std::int64_t i) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(kExpTable + 2 * i));
  };
  // Lanes 0 and 2 in one vector, 1 and 3 in the other, so that unpacking
  // (within each 128-bit half) gives every tail, then every s, in order.
  const __m256i pairs02 = _mm256_set_m128i(pairAt(index[2]), pairAt(index[0]));
  const __m256i pairs13 = _mm256_set_m128i(pairAt(index[3]), pairAt(index[1]));
  const __m256d tail = _mm256_castsi256_pd(_mm256_unpacklo_epi64(pairs02, pairs13));
  const __m256i sBits = _mm256_add_epi64(_mm256_unpackhi_epi64(pairs02, pairs13),
                                         _mm256_slli_epi64(ki, 45));
  const __m256d scale = _mm256_castsi256_pd(sBits);

  // tmp = t + r + r²(C2 + r·C3) + r⁴(C4 + r·C5), then s + s·tmp.
  const __m256d r2 = _mm256_mul_pd(r, r);
  const __m256d low = _mm256_fmadd_pd(_mm256_fmadd_pd(r, c3, c2), r2, _mm256_add_pd(r, tail));
  const __m256d tmp = _mm256_fmadd_pd(_mm256_mul_pd(r2, r2), _mm256_fmadd_pd(r, c5, c4), low);
  const __m256d result = _mm256_fmadd_pd(scale, tmp, scale);
  return _mm256_blendv_pd(result, _mm256_add_pd(one, x), _mm256_castsi256_pd(tiny));
}

// The inputs of expWideAgrees' check in (−512, 512) beyond its edges: each
// one where this system's std::exp is not correctly rounded.
std::span<const double> expWideRoundingChecks() noexcept;

}  // namespace saiha::wave::detail
#endif

namespace saiha::wave::detail {

// Whether expWide may be used here: the CPU has AVX2 and FMA and the lanes
// gave std::exp's bits on every input of the check (made once, in about a
// microsecond).
bool expWideAgrees() noexcept;

}  // namespace saiha::wave::detail
