#include "wave/formulas.h"

#include <cmath>

#include "runtime/checked.h"
#include "wave/errors.h"
#include "wave/terms.h"

namespace saiha::wave {

using detail::kNonlinearPassLimit;
using detail::kPlainPasses;
using detail::kTwoRootThree;
using detail::kUrsellRootTolerance;
using rt::narrow;
using rt::Real;

static_assert(kTwoPi == 2 * kPi && kFourPi == 4 * kPi);
static_assert(kMinusOneAndHalfPi == -1.5 * kPi);

namespace {
// Pass limit of the dispersion iteration: a safety net against a hang, far
// above the handful of passes any physical input needs.
constexpr int kWaveLengthPassLimit = 1000;

// Whether successive estimates x and r of kh agree: |x/r − 1| < 0.0001 as
// doubles.  Away from the threshold the answer follows from |x − r| against
// 0.0001·r with a 0.1 % margin, far wider than any rounding, which saves a
// division a pass; near it the quotient decides.  A NaN never passes.
// settledByGap gives 1 or 0 where the gap decides, −1 where the quotient must.
inline int settledByGap(double a, double b) {
  if (a > 0 && b > 0 && b <= 0x1p1000) [[likely]] {
    const double gap = std::fabs(a - b), threshold = b * 0.0001;
    if (gap < threshold * 0.999) return 1;
    if (gap > threshold * 1.001) return 0;
  }
  return -1;
}
inline bool settled(Real x, Real r) {
  const int byGap = settledByGap(x.value(), r.value());
  if (byGap >= 0) [[likely]] return byGap == 1;
  return rt::abs(x / r - 1) < 0.0001;
}

// Whether e = e^(2x) or (e + 1)·y overflows in the dispersion iteration: the
// deep-water side of the relation, where coth x = 1.  A NaN is not deep water
// (it takes the checked path and its fate there).
inline bool deepWater(Real e, Real y) {
  return std::isinf(e.value()) || std::isinf((e.value() + 1) * y.value());
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
    const Real r = deepWater(e, y) ? y : (e + 1) * y / (e - 1);
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

// The passes of waveLengthWith, unchecked, lane by lane in lock-step, so
// that the lanes' exponentials and divisions overlap.  For finite operands a
// checked operation faults only by giving a value that is not finite: a lane
// whose y, 2x, estimate r, quotient x/r, next x or wavelength (as a double or
// narrowed to single) is ever not finite, or that does not settle, gives
// nothing.  The deep-water branch is taken exactly as there.
void detail::WaveLengthLanes::start(Real dispersionFactor, const float* h, int count) {
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

std::optional<float> detail::WaveLengthLanes::result(int lane) {
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
