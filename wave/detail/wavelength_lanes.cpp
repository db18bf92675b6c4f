// The wavelength lanes: the passes of waveLengthWith at several depths in
// lock-step, for the onset search's look-ahead.
#include <cmath>

#include "wave/detail/lanes.h"
#include "wave/formulas.h"

namespace saiha::wave::detail {

using rt::Real;

// The passes of waveLengthWith, unchecked, lane by lane in lock-step, so
// that the lanes' exponentials and divisions overlap.  For finite operands a
// checked operation faults only by giving a value that is not finite: a lane
// whose y, 2x, estimate r, quotient x/r, next x or wavelength (as a double or
// narrowed to single) is ever not finite, or that does not settle, gives
// nothing.  The deep-water branch is taken exactly as there.
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
      const double e = std::exp(x_[i] * 2);
      const double r = deepWater(e, y_[i]) ? y_[i] : (e + 1) * y_[i] / (e - 1);
      int byGap = settledByGap(x_[i], r);
      bool clean = std::isfinite(r) && std::isfinite(x_[i] * 2);
      if (byGap < 0 && clean) [[unlikely]] {
        const double q = x_[i] / r;
        clean = std::isfinite(q);
        byGap = std::fabs(q - 1) < 0.0001;
      }
      if (clean && byGap == 1) {
        const float single = static_cast<float>(kTwoPi * h_[i] / r);
        if (std::isfinite(single)) {
          L_[i] = single;
          gaveResult_ |= 1u << i;
        }
        open_ &= ~(1u << i);
        continue;
      }
      x_[i] = (x_[i] + r) / 2;
      if (!clean || !std::isfinite(x_[i])) [[unlikely]] open_ &= ~(1u << i);
    }
  }
  if (gaveResult_ & bit) return L_[lane];
  return std::nullopt;
}

}  // namespace saiha::wave::detail
