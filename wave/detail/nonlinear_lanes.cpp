// Nonlinear shoaling at several depth ratios in lock-step, for the breaking
// search's look-ahead.  Each pass of the iteration is a chain of a division
// and a square root that waits on the pass before; independent lanes fill
// each other's waits, so a round of several probes costs about one probe.
//
// A lane runs the passes of nonlinearHeightRatioFrom (detail/passes.h): a
// lane whose single height is ever not finite, or that does not settle, gives
// nothing, and the caller asks the checked formula.
#include <cmath>

#include "wave/detail/lanes.h"
#include "wave/detail/passes.h"

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
      const PassEnd end = nonlinearPass(s_[i], H_[i], conserved_, depthFactor_[i], depth_[i],
                                        inverseDepth_[i], pass_ > kPlainPasses);
      const unsigned bit = 1u << i;
      if (end != PassEnd::Open && (open_ & bit)) [[unlikely]] {
        open_ &= ~bit;
        if (end == PassEnd::Settled) {
          result_[i] = H_[i];
          gaveResult_ |= bit;
        }
      }
    }
  }
}

#ifdef SAIHA_WIDE_LANES
// The same with eight lanes as two vectors of four doubles.
__attribute__((target("avx2"))) void NonlinearLanes::runWide(unsigned wanted) {
  const __m256d conserved = _mm256_set1_pd(conserved_);
  __m256d s[2], H[2], depthFactor[2], inverseDepth[2];
  for (int v = 0; v < 2; ++v) {
    s[v] = _mm256_load_pd(&s_[4 * v]);
    H[v] = _mm256_load_pd(&H_[4 * v]);
    depthFactor[v] = _mm256_load_pd(&depthFactor_[4 * v]);
    inverseDepth[v] = _mm256_load_pd(&inverseDepth_[4 * v]);
  }
  for (; (open_ & wanted) && pass_ <= kNonlinearPassLimit; ++pass_) {
    const __m256d averaging =
        pass_ > kPlainPasses ? _mm256_castsi256_pd(_mm256_set1_epi64x(-1)) : _mm256_setzero_pd();
    unsigned settledLanes = 0, brokenLanes = 0;
#pragma GCC unroll 2
    for (int v = 0; v < 2; ++v) {
      unsigned settled, broken;
      nonlinearPassWide(s[v], H[v], conserved, depthFactor[v], inverseDepth[v], &depth_[4 * v],
                        averaging, settled, broken);
      settledLanes |= settled << (4 * v);
      brokenLanes |= broken << (4 * v);
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
