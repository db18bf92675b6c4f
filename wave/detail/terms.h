// Internal to wave/: what the two searches need beyond wave/formulas.h.
//
// The formulas split at the terms that stay the same through a whole search,
// so that a search forms each such term once, at its first use, and reuses it
// in every later probe.  A term is formed exactly where the one-call formula
// forms it, by the same operations, so its value is the same to the last bit
// and its fault, if it has one, is raised at the same moment: at the first
// probe that reaches it.
//
// The lanes that run these iterations at several depths in lock-step are in
// wave/detail/lanes.h.
//
// Nothing outlives one search; nothing is shared between calculations.
#pragma once

#include <array>
#include <cstddef>
#include <cmath>
#include <optional>

#include "runtime/checked.h"
#include "wave/errors.h"
#include "wave/formulas.h"

namespace saiha::wave::detail {

// A term formed by `form` the first time it is asked for, then kept.
template <class T>
class Once {
 public:
  template <class Form>
  T operator()(Form&& form) {
    if (!value_) [[unlikely]] value_.emplace(form());
    return *value_;
  }

 private:
  std::optional<T> value_;
};

// The onset search's own deep-water wavelength 1.56·T² (single).
inline float onsetDeepWaterLength(float T) { return rt::narrow(rt::Real(T) * 1.56 * T); }

// (π/T)², the factor of the deep-water kh ω²h/g = (π/T)²·4h/g.  Fault: T = 0.
inline rt::Real dispersionFactor(float T) { return rt::pow(rt::Real(kPi) / T, 2.0); }

// waveLength(T, h) given dispersionFactor(T), formed by the caller before
// anything else of that call.
double waveLengthWith(rt::Real dispersionFactor, float h);

// Pass limit of the dispersion iteration: a safety net against a hang, far
// above the handful of passes any physical input needs.
inline constexpr int kWaveLengthPassLimit = 1000;

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
// Whether e = e^(2x) or (e + 1)·y overflows in the dispersion iteration: the
// deep-water side of the relation, where coth x = 1.  A NaN is not deep water
// (it takes the checked path and its fate there).
inline bool deepWater(double e, double y) {
  return std::isinf(e) || std::isinf((e + 1) * y);
}

// sin αo narrowed to single, the first step of refractedAngle.
inline float singleSine(float ao) { return rt::narrow(rt::sin(ao)); }

// refractedAngle(L, L0, ao) given singleSine(ao), formed by the caller before
// anything else of that call.
double refractedAngleWith(float L, float L0, float sinAo);

// refractionCoef(a, ao), with cos αo asked of `cosAo` where it is first used:
// after cos α is narrowed and tested.
template <class CosAo>
double refractionCoefWith(float a, CosAo&& cosAo) {
  const float c = rt::narrow(rt::cos(a));  // single
  if (c == 0) throw WaveError(Failure::CoefficientDivisor);
  return rt::sqrt(cosAo() / c).value();
}

// linearHeightRatio(h, L, Ho, L0, ao), with sin αo (single) and cos αo asked
// of `sinAo` and `cosAo` where they are first used.
template <class SinAo, class CosAo>
double linearHeightRatioWith(float h, float L, float Ho, float L0, SinAo&& sinAo, CosAo&& cosAo) {
  using rt::narrow;
  const float n = narrow(groupRatio(h, L));                    // single
  const float a = narrow(refractedAngleWith(L, L0, sinAo()));  // single
  const rt::Real Ks = shoalingCoef(L, L0, n);                  // double, not narrowed
  const rt::Real Kr = refractionCoefWith(a, cosAo);            // double, not narrowed
  return (Ks * Kr * Ho / L0).value();
}

// The onset mismatch (single) of a probe at depth h (m) with wavelength L (m)
// there, L0 = onsetDeepWaterLength(T), as the onset search forms it; sin αo
// (single) and cos αo asked of `sinAo` and `cosAo` where first used.
template <class SinAo, class CosAo>
float onsetProbe(float h, float L, float Ho, float L0, SinAo&& sinAo, CosAo&& cosAo) {
  const float x = rt::narrow(rt::Real(h) / L0);  // single
  const rt::Real u = ursell50Height(x);
  const rt::Real l = linearHeightRatioWith(h, L, Ho, L0, sinAo, cosAo);
  return rt::narrow(u - l);
}

// Pass limits of the nonlinear shoaling iteration: plain substitution up to
// the first, averaged substitution after it, given up at the second.
inline constexpr int kPlainPasses = 80;
inline constexpr int kNonlinearPassLimit = 100;
// 0.001 narrowed to single: 0.0010000000474974513.
inline constexpr float kUrsellRootTolerance = 0.001f;
// 2√3 as a double (twice the rounded √3).  No single equals it, so √U − 2√3
// is never 0.
inline constexpr double kTwoRootThree = 3.4641016151377544;
static_assert(double(float(kTwoRootThree)) != kTwoRootThree);

// The terms of nonlinear shoaling that depend only on the known pair
// (Hr1, hr1): √U1 (single) and the conserved quantity
// hr1^(5/2)·Hr1·(√U1 − 2√3).  Forming them may zero a negative Hr1.
struct NonlinearStart {
  float rootU1;
  rt::Real conserved;
};
NonlinearStart nonlinearStart(float& Hr1, float hr1);

// The known pair of a nonlinear shoaling, and its terms once formed.
class NonlinearOrigin {
 public:
  NonlinearOrigin(float& Hr1, float hr1) : Hr1_(Hr1), hr1_(hr1) {}
  NonlinearStart terms() {
    return start_([&] { return nonlinearStart(Hr1_, hr1_); });
  }

 private:
  float& Hr1_;
  float hr1_;
  Once<NonlinearStart> start_;
};

// nonlinearHeightRatio(Hr1, hr1, hr) from the pair held by `origin`, its
// terms formed there (if not yet) where the one-call formula forms them.
double nonlinearHeightRatioFrom(NonlinearOrigin& origin, float hr);

// 1 + c·tanβ^(4/3), the slope factor of Goda's breaking limit (c = 15, or 11
// in the 2010 revision).  Fault: tanβ < 0.
inline rt::Real breakingSlopeFactor(float tanBeta, double slopeCoef = 15) {
  return rt::Real(1) + rt::Real(slopeCoef) * rt::pow(tanBeta, 4.0 / 3.0);
}

// breakingHeightRatio(hr, tanβ) given breakingSlopeFactor(tanβ), formed by
// the caller before anything else of that call.
inline double breakingHeightRatioWith(float hr, rt::Real slopeFactor) {
  const rt::Real E = rt::exp(slopeFactor * (rt::Real(kMinusOneAndHalfPi) * hr));
  return ((rt::Real(1) - E) * 0.17).value();
}

// The breaking mismatch (single) of a probe at depth ratio hr where the
// nonlinear height ratio is H, on a slope with breakingSlopeFactor(tanβ).
inline float breakingProbe(double H, float hr, rt::Real slopeFactor) {
  return rt::narrow(rt::Real(H) - breakingHeightRatioWith(hr, slopeFactor));
}

}  // namespace saiha::wave::detail
