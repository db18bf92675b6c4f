#include "wave/formulas.h"

#include <cmath>

#include "runtime/checked.h"
#include "wave/errors.h"
#include "wave/detail/terms.h"

namespace saiha::wave {

using detail::deepWater;
using detail::kNonlinearPassLimit;
using detail::kWaveLengthPassLimit;
using detail::kPlainPasses;
using detail::kTwoRootThree;
using detail::kUrsellRootTolerance;
using detail::settledByGap;
using rt::narrow;
using rt::Real;

static_assert(kTwoPi == 2 * kPi && kFourPi == 4 * kPi);
static_assert(kMinusOneAndHalfPi == -1.5 * kPi);

namespace {
inline bool settled(Real x, Real r) {
  const int byGap = settledByGap(x.value(), r.value());
  if (byGap >= 0) [[likely]] return byGap == 1;
  return rt::abs(x / r - 1) < 0.0001;
}

// Whether e^|x| overflows: beyond |x| ≈ 709.78 the hyperbolic functions of x
// take their limits (coth → ±1, cosech and x/sinh x → 0).  Tested against
// ln of the largest double, 709.782712893384: the floats either side of it
// (709.78265 and 709.78272) lie far further from it than any rounding of e^x,
// so this is the overflow of e^|x| itself, without forming it.  A NaN is not
// beyond.
constexpr double kLargestExponent = 709.782712893384;
inline bool beyondExponent(float x) { return double(std::fabs(x)) > kLargestExponent; }

// √U = √(2π·Hr)/hr, zeroing a negative Hr first; inline for the nonlinear
// shoaling iteration, which calls it once a pass.
inline Real ursellRootOf(float& Hr, float hr) {
  if (Hr < 0) Hr = 0;
  return rt::sqrt(Real(Hr) * kTwoPi) / hr;
}
}  // namespace

double waveLength(float T, float h) {
  return detail::waveLengthWith(detail::dispersionFactor(T), h);
}

double detail::waveLengthWith(Real dispersionFactor, float h) {
  // y = ω²h/g = (π/T)²·4h/g, the deep-water kh.
  const Real y = dispersionFactor * (Real(h) * 4) / kGravity;
  Real x = y;
  for (int pass = 1; pass <= kWaveLengthPassLimit; ++pass) {
    const Real e = std::exp((x * 2).value());
    // y·coth x, the next estimate of kh.  Where e^(2x) or (e + 1)·y
    // overflows (h/L0 above about 56), coth x is 1 to every digit a double
    // holds: the deep-water limit kh = y is taken instead of the fault.
    const Real r = deepWater(e.value(), y.value()) ? y : (e + 1) * y / (e - 1);
    if (settled(x, r)) return (Real(kTwoPi) * h / r).value();
    x = (x + r) / 2;
  }
  throw WaveError(Failure::WaveLengthLimit);
}

double waveCosech(float x) {
  if (beyondExponent(x)) return x > 0 ? 0.0 : -0.0;  // deep-water limit
  const Real a = rt::exp(x);
  const Real b = rt::exp(-Real(x));
  return (Real(2) / (a - b)).value();
}

double waveCoth(float x) {
  if (beyondExponent(x)) return x > 0 ? 1.0 : -1.0;  // deep-water limit
  const Real a = rt::exp(x);
  const Real b = rt::exp(-Real(x));
  return ((a + b) / (a - b)).value();
}

double waveSinh(float x) {
  const Real a = rt::exp(x);
  const Real b = rt::exp(-Real(x));
  return ((a - b) / 2).value();
}

double refractedAngle(float L, float L0, float ao) {
  return detail::refractedAngleWith(L, L0, detail::singleSine(ao));
}

double detail::refractedAngleWith(float L, float L0, float sinAo) {
  const float s = narrow(Real(L) / L0 * sinAo);  // single
  // |s| ≥ 1: no refracted direction (total reflection); ±1 included.
  if (s <= -1 || s >= 1) return 0;
  const Real oneMinusSquare = Real(1) - Real(s) * s;
  return rt::atan(Real(s) / rt::sqrt(oneMinusSquare)).value();
}

double refractionCoef(float a, float ao) {
  return detail::refractionCoefWith(a, [&] { return rt::cos(ao); });
}

double groupRatio(float h, float L) {
  const float x = narrow(Real(h) * kFourPi / L);  // single: 2kh
  // x/sinh x → 0 in deep water, where sinh x itself overflows.
  const Real q = beyondExponent(x) ? Real(0) : Real(x) / waveSinh(x);
  return ((Real(1) + q) / 2).value();
}

double shoalingCoef(float L, float L0, float n) {
  if (L == 0) throw WaveError(Failure::CoefficientDivisor);
  if (n == 0) throw WaveError(Failure::CoefficientDivisor);
  return rt::sqrt(Real(L0) / L / 2 / n).value();
}

double ursell50Height(float hr) { return (Real(50) / 2 / kPi * hr * hr).value(); }

double linearHeightRatio(float h, float L, float Ho, float L0, float ao) {
  return detail::linearHeightRatioWith(
      h, L, Ho, L0, [&] { return detail::singleSine(ao); }, [&] { return rt::cos(ao); });
}

double ursellRoot(float& Hr, float hr) { return ursellRootOf(Hr, hr).value(); }

detail::NonlinearStart detail::nonlinearStart(float& Hr1, float hr1) {
  const float s1 = narrow(ursellRootOf(Hr1, hr1));  // single; may zero the caller's Hr1
  // hr1^(5/2)·Hr1·(√U1 − 2√3), the conserved quantity: the same in every pass,
  // so formed once.  Its faults are those the first pass would raise first.
  const Real conserved = rt::pow(hr1, 5.0 / 2.0) * Hr1 * (Real(s1) - kTwoRootThree);
  return {s1, conserved};
}

double nonlinearHeightRatio(float& Hr1, float hr1, float hr) {
  detail::NonlinearOrigin origin(Hr1, hr1);
  return detail::nonlinearHeightRatioFrom(origin, hr);
}

double detail::nonlinearHeightRatioFrom(NonlinearOrigin& origin, float hr) {
  // hr^(−5/2) is independent of everything before it, so it is started first
  // to overlap that work; its fault test stays in the first pass, after A's.
  const double depthPower = std::pow(double(hr), -5.0 / 2.0);
  const auto [s1, conserved] = origin.terms();
  const Real twoRootThree = kTwoRootThree;
  Real depthFactor = 0;  // hr^(−5/2), once tested
  const double inverseDepth = 1 / double(hr);  // unchecked: a zero hr takes the checked division
  float s = s1;
  for (int pass = 1;; ++pass) {
    const float sPrev = s;
    const Real A = conserved / (Real(s) - twoRootThree);
    if (pass == 1) depthFactor = rt::checkedPower(depthPower, hr, -5.0 / 2.0);
    const Real H = depthFactor * A;
    // √U at hr from H narrowed to single (the copy ursellRoot may zero),
    // dividing by hr through its reciprocal where that gives the same float.
    float Hs = narrow(H);
    if (Hs < 0) Hs = 0;
    s = rt::narrowQuotient(rt::sqrt(Real(Hs) * kTwoPi), hr, inverseDepth);
    if (narrow(rt::abs(Real(s) - sPrev)) < kUrsellRootTolerance) return H.value();
    if (pass > kPlainPasses) s = narrow((Real(sPrev) + s) / 2);
    if (pass == kNonlinearPassLimit) throw WaveError(Failure::NonlinearShoalingLimit);
  }
}

double breakingHeightRatio(float hr, float tanBeta) {
  return detail::breakingHeightRatioWith(hr, detail::breakingSlopeFactor(tanBeta));
}

}  // namespace saiha::wave
