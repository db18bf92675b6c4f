#include "wave/searches.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>

#include "runtime/checked.h"
#include "wave/bisection.h"
#include "wave/errors.h"
#include "wave/formulas.h"
#include "wave/detail/lanes.h"

namespace saiha::wave {

using rt::narrow;
using rt::Real;

double onsetMismatch(float h, float L, float Ho, float L0, float ao) {
  const float x = narrow(Real(h) / L0);  // single
  const Real u = ursell50Height(x);
  const Real l = linearHeightRatio(h, L, Ho, L0, ao);
  return (u - l).value();
}

void findNonlinearOnset(float& Hr50, float& hr50, float Ho, float T, float ao) {
  // The onset search's own deep-water wavelength, 1.56·T² (single).
  const float L0 = detail::onsetDeepWaterLength(T);
  // (π/T)², sin αo and cos αo do not change from probe to probe: each is
  // formed at its first use and kept for the search.
  detail::Once<Real> dispersionFactor;
  detail::Once<float> sinAo;
  detail::Once<Real> cosAo;
  // The wavelengths at the round's candidate depths (and, in the first
  // round, at the lower end) are worked out in lock-step, unchecked
  // (detail::WaveLengthLanes); a probe takes its lane's wavelength where
  // there is one and the checked formula elsewhere.
  constexpr int kLevels = 2;
  constexpr std::size_t kLanes = (std::size_t{1} << kLevels) - 1;
  detail::WaveLengthLanes lanes;
  bool lanesStarted = false;
  const auto depthAt = [&](float r) { return narrow(Real(r) * L0); };  // single; never faults
  const auto lookAhead = [&](const std::array<float, kLanes>& ratios,
                             std::optional<float> lowerEnd) {
    // (π/T)² is the first step of the first probe that can fault: formed
    // here, before that probe, it raises the same fault at the same point.
    const Real factor = dispersionFactor([&] { return detail::dispersionFactor(T); });
    lanesStarted = std::isfinite(factor.value());
    if (!lanesStarted) return;
    std::array<float, kLanes + 1> depths;
    for (std::size_t i = 0; i < kLanes; ++i) depths[i] = depthAt(ratios[i]);
    depths[kLanes] = depthAt(lowerEnd.value_or(ratios[0]));
    lanes.start(factor, depths.data(), int(lowerEnd ? kLanes + 1 : kLanes));
  };
  const BisectionResult result = bisectDepthRatioAhead<kLevels>(lookAhead, [&](float r, int lane) {
    const float h = depthAt(r);
    const Real factor = dispersionFactor([&] { return detail::dispersionFactor(T); });
    const std::optional<float> ahead = lanesStarted ? lanes.result(lane) : std::nullopt;
    const float L = ahead ? *ahead : narrow(detail::waveLengthWith(factor, h));  // single
    // The onset mismatch, as onsetMismatch forms it.
    return detail::onsetProbe(
        h, L, Ho, L0, [&] { return sinAo([&] { return detail::singleSine(ao); }); },
        [&] { return cosAo([&] { return rt::cos(ao); }); });
  });
  requireCrossing(result, Failure::OnsetNotFound);
  hr50 = result.ratio;
  Hr50 = narrow(ursell50Height(result.ratio));
}

double breakingMismatch(float& Hr50, float hr50, float hr, float tanBeta) {
  const Real n = nonlinearHeightRatio(Hr50, hr50, hr);
  const Real k = breakingHeightRatio(hr, tanBeta);
  return (n - k).value();
}

namespace {
// The breaking search looking `Levels` halvings ahead.
template <int Levels>
void findBreakingPointAhead(float& Hr50, float hr50, float& Hbr, float& hbr, float tanBeta) {
  constexpr std::size_t kLanes = (std::size_t{1} << Levels) - 1;
  // The terms of the onset pair and the slope factor of the breaking limit do
  // not change from probe to probe: each is formed at its first use and kept.
  detail::NonlinearOrigin origin(Hr50, hr50);
  detail::Once<Real> slopeFactor;
  const auto breakingLimit = [&](float hr) {
    const Real factor = slopeFactor([&] { return detail::breakingSlopeFactor(tanBeta); });
    return detail::breakingHeightRatioWith(hr, factor);
  };
  // The nonlinear shoaling at the round's candidate depth ratios (and, in
  // the first round, at the lower end) runs in lock-step, unchecked
  // (detail::NonlinearLanes); a probe takes its lane's height where there is
  // one and the checked formula elsewhere.
  detail::NonlinearLanes lanes;
  bool lanesStarted = false;
  const auto lookAhead = [&](const std::array<float, kLanes>& ratios,
                             std::optional<float> lowerEnd) {
    // The terms of the onset pair are the first step of the first probe that
    // can fault: formed here, before that probe, they raise the same fault at
    // the same point.
    const detail::NonlinearStart start = origin.terms();
    lanesStarted = std::isfinite(start.rootU1) && std::isfinite(start.conserved.value());
    if (!lanesStarted) return;
    std::array<float, kLanes + 1> all;
    std::copy(ratios.begin(), ratios.end(), all.begin());
    all[kLanes] = lowerEnd.value_or(0);
    lanes.start(start, all.data(), int(lowerEnd ? kLanes + 1 : kLanes));
  };
  const BisectionResult result = bisectDepthRatioAhead<Levels>(lookAhead, [&](float r, int lane) {
    // The breaking mismatch, as breakingMismatch forms it.
    const std::optional<double> ahead = lanesStarted ? lanes.result(lane) : std::nullopt;
    const double H = ahead ? *ahead : detail::nonlinearHeightRatioFrom(origin, r);
    return detail::breakingProbe(
        H, r, slopeFactor([&] { return detail::breakingSlopeFactor(tanBeta); }));
  });
  float ratio = result.ratio;
  if (!sawCrossing(result)) {
    // Not broken anywhere on 0.001..1 (low swell on a steep beach or at
    // grazing incidence): the same mismatch, by the checked formulas,
    // followed shoreward of the floor.
    const std::optional<float> below = crossingBelowFloor([&](float r) {
      return detail::breakingProbe(detail::nonlinearHeightRatioFrom(origin, r), r,
                                   slopeFactor([&] { return detail::breakingSlopeFactor(tanBeta); }));
    });
    if (!below) throw WaveError(Failure::BreakingNotFound);
    ratio = *below;
  }
  hbr = ratio;
  Hbr = narrow(breakingLimit(ratio));
}
}  // namespace

void findBreakingPoint(float& Hr50, float hr50, float& Hbr, float& hbr, float tanBeta) {
  // Three halvings a round where seven lanes cost about what three do.
  if (detail::wideNonlinearLanes()) {
    findBreakingPointAhead<3>(Hr50, hr50, Hbr, hbr, tanBeta);
  } else {
    findBreakingPointAhead<2>(Hr50, hr50, Hbr, hbr, tanBeta);
  }
}

}  // namespace saiha::wave
