#include "wave/breakers.h"

#include <cmath>

#include "runtime/checked.h"
#include "wave/formulas.h"
#include "wave/detail/terms.h"

namespace saiha::wave {

using rt::Real;

double godaHeightRatio(float hr, float tanBeta, double slopeCoef) {
  return detail::breakingHeightRatioWith(hr, detail::breakingSlopeFactor(tanBeta, slopeCoef));
}

double mcCowanHeightRatio(float hr) { return (Real(0.78) * hr).value(); }

double kamphuisHeightRatio(float hr, float tanBeta) {
  return (Real(0.56) * rt::exp(Real(3.5) * tanBeta) * hr).value();
}

double micheHeightRatio(float h, float L, float L0) {
  const float kh = rt::narrow(Real(h) * kTwoPi / L);  // single, as in the orbital motion
  // tanh never overflows: it tends to 1 in deep water.
  const Real tanhKh = std::tanh(double(kh));
  return (Real(0.142) * L / L0 * tanhKh).value();
}

double komarGaughanHeight(float H0prime, float L0) {
  const Real steepness = Real(H0prime) / L0;
  return (Real(0.56) * rt::pow(steepness, -1.0 / 5.0) * H0prime).value();
}

double weggelIndex(float Hb, float T, float tanBeta) {
  const Real a = Real(43.8) * (Real(1) - rt::exp(Real(-19) * tanBeta));
  const Real b = Real(1.56) / (Real(1) + rt::exp(Real(-19.5) * tanBeta));
  return (b - a * Hb / (Real(kGravity) * T * T)).value();
}

}  // namespace saiha::wave
