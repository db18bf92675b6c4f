// Failures of the wave formulas and searches other than arithmetic faults.
#pragma once

#include <exception>

namespace saiha::wave {

enum class Failure {
  // cos α narrowed to single is 0 in the refraction coefficient, or the
  // wavelength or group-velocity ratio is 0 in the shoaling coefficient.
  CoefficientDivisor,
  // The nonlinear shoaling iteration has not settled in 100 passes.
  NonlinearShoalingLimit,
  // The dispersion-relation iteration has not settled in its pass limit.
  WaveLengthLimit,
  // The onset search found no crossing of the Ursell-50 line on 0.001..1.
  OnsetNotFound,
  // The breaking search found no crossing of the breaking limit on 0.001..1,
  // nor continued shoreward of it down to 1e-5.
  BreakingNotFound,
  // Shuto's H·h^(2/7) law found no depth of U = 50 on 0.001..1.
  IntermediateEndNotFound,
};

// Ends a calculation that cannot give a meaningful result.  Thrown by the
// wave formulas and searches; the caller decides how to tell the user.
class WaveError : public std::exception {
 public:
  explicit WaveError(Failure failure) noexcept : failure_(failure) {}
  Failure failure() const noexcept { return failure_; }
  const char* what() const noexcept override;

 private:
  Failure failure_;
};

}  // namespace saiha::wave
