#include "wave/errors.h"

namespace saiha::wave {

const char* WaveError::what() const noexcept {
  switch (failure_) {
    case Failure::CoefficientDivisor: return "zero divisor in a refraction or shoaling coefficient";
    case Failure::NonlinearShoalingLimit: return "nonlinear shoaling did not converge";
    case Failure::WaveLengthLimit: return "dispersion relation did not converge";
    case Failure::OnsetNotFound: return "no onset of nonlinear shoaling on 0.001 <= h/L0 <= 1";
    case Failure::BreakingNotFound: return "no breaking point on 0.00001 <= h/L0 <= 1";
    case Failure::IntermediateEndNotFound:
      return "the H*h^(2/7) shoaling law reaches no Ursell number 50 on 0.001 <= h/L0 <= 1";
  }
  return "wave calculation failed";
}

}  // namespace saiha::wave
