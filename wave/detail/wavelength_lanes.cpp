// The wavelength lanes: the passes of waveLengthWith at several depths in
// lock-step, for the onset search's look-ahead.
#include <cmath>

#include "wave/detail/lanes.h"
#include "wave/detail/passes.h"
#include "wave/formulas.h"

namespace saiha::wave::detail {

using rt::Real;

// The passes of waveLengthWith (detail/passes.h), lane by lane in lock-step,
// so that the lanes' exponentials and divisions overlap.  A lane whose y,
// 2x, estimate r, quotient x/r, next x or wavelength (as a double or narrowed
// to single) is ever not finite, or that does not settle, gives nothing.
void WaveLengthLanes::start(Real dispersionFactor, const float* h, int count) {
  count_ = count;
  open_ = 0;
  gaveResult_ = 0;
  pass_ = 1;
  for (int i = 0; i < count; ++i) {
    h_[i] = h[i];
    y_[i] = dispersionFactor.value() * (double(h[i]) * 4) / kGravity;
    x_[i] = y_[i];
    if (std::isfinite(y_[i])) open_ |= 1u << i;
  }
}

std::optional<float> WaveLengthLanes::result(int lane) {
  const unsigned bit = 1u << lane;
  for (; (open_ & bit) && pass_ <= kWaveLengthPassLimit; ++pass_) {
#pragma GCC unroll 4
    for (int i = 0; i < count_; ++i) {
      if (!(open_ & (1u << i))) continue;
      const PassEnd end = waveLengthPass(x_[i], y_[i], h_[i], L_[i]);
      if (end == PassEnd::Open) [[likely]] continue;
      if (end == PassEnd::Settled) gaveResult_ |= 1u << i;
      open_ &= ~(1u << i);
    }
  }
  if (gaveResult_ & bit) return L_[lane];
  return std::nullopt;
}

}  // namespace saiha::wave::detail
