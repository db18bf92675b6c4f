#include "wave/searches.h"

#include <cmath>
#include <cstddef>
#include <optional>

#include "runtime/checked.h"
#include "wave/bisection.h"
#include "wave/errors.h"
#include "wave/formulas.h"
#include "wave/terms.h"

namespace saiha::wave {

using rt::narrow;
using rt::Real;

namespace {
// A search that ended on its width test without ever moving its upper end
// has seen one sign only: the point lies outside 0.001..1 and the midpoint
// just below 1 is no answer.
void requireCrossing(const BisectionResult& result, Failure failure) {
  if (!result.zeroProduct && !result.upperMoved) throw WaveError(failure);
}
}  // namespace

double onsetMismatch(float h, float L, float Ho, float L0, float ao) {
  const float x = narrow(Real(h) / L0);  // single
  const Real u = ursell50Height(x);
  const Real l = linearHeightRatio(h, L, Ho, L0, ao);
  return (u - l).value();
}

void findNonlinearOnset(float& Hr50, float& hr50, float Ho, float T, float ao) {
  // The onset search's own deep-water wavelength, 1.56·T² (single).
  const float L0 = narrow(Real(T) * 1.56 * T);
  // (π/T)², sin αo and cos αo do not change from probe to probe: each is
  // formed at its first use and kept for the search.
  detail::Once<Real> dispersionFactor;
  detail::Once<float> sinAo;
  detail::Once<Real> cosAo;
  // The wavelengths at the next two probes' candidate depths are worked out
  // together, unchecked (detail::waveLengthsAhead); a probe takes its lane's
  // wavelength where there is one and the checked formula elsewhere.
  detail::Lengths lengths;
  const auto lookAhead = [&](const detail::DepthRatios& ratios) {
    lengths = {};
    const std::optional<Real>& factor = dispersionFactor.formed();  // by the first probe
    if (!factor || !std::isfinite(factor->value())) return;
    detail::Depths depths;
    for (std::size_t i = 0; i < depths.size(); ++i) depths[i] = narrow(Real(ratios[i]) * L0);
    detail::waveLengthsAhead(*factor, depths, lengths);
  };
  const BisectionResult result = bisectDepthRatioAhead(lookAhead, [&](float r, int lane) {
    const float h = narrow(Real(r) * L0);  // single
    const Real factor = dispersionFactor([&] { return detail::dispersionFactor(T); });
    const std::optional<float> ahead = lane >= 0 ? lengths[std::size_t(lane)] : std::nullopt;
    const float L = ahead ? *ahead : narrow(detail::waveLengthWith(factor, h));  // single
    // The onset mismatch, as onsetMismatch forms it.
    const float x = narrow(Real(h) / L0);  // single
    const Real u = ursell50Height(x);
    const Real l = detail::linearHeightRatioWith(
        h, L, Ho, L0, [&] { return sinAo([&] { return detail::singleSine(ao); }); },
        [&] { return cosAo([&] { return rt::cos(ao); }); });
    return narrow(u - l);
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

void findBreakingPoint(float& Hr50, float hr50, float& Hbr, float& hbr, float tanBeta) {
  // The terms of the onset pair and the slope factor of the breaking limit do
  // not change from probe to probe: each is formed at its first use and kept.
  detail::NonlinearOrigin origin(Hr50, hr50);
  detail::Once<Real> slopeFactor;
  const auto breakingLimit = [&](float hr) {
    const Real factor = slopeFactor([&] { return detail::breakingSlopeFactor(tanBeta); });
    return detail::breakingHeightRatioWith(hr, factor);
  };
  // The nonlinear shoaling of the next two probes' candidates is worked out
  // together, unchecked (detail::nonlinearHeightRatiosAhead); a probe takes
  // its lane's height where there is one and the checked formula elsewhere.
  detail::Outlook outlook;
  const auto lookAhead = [&](const detail::DepthRatios& ratios) {
    const detail::NonlinearStart start = origin.terms();  // formed by the first probe
    if (std::isfinite(start.rootU1) && std::isfinite(start.conserved.value())) {
      detail::nonlinearHeightRatiosAhead(start, ratios, outlook);
    } else {
      outlook = {};
    }
  };
  const BisectionResult result = bisectDepthRatioAhead(lookAhead, [&](float r, int lane) {
    // The breaking mismatch, as breakingMismatch forms it.
    const std::optional<double> ahead = lane >= 0 ? outlook[std::size_t(lane)] : std::nullopt;
    const Real n = ahead ? Real(*ahead) : Real(detail::nonlinearHeightRatioFrom(origin, r));
    const Real k = breakingLimit(r);
    return narrow(n - k);
  });
  requireCrossing(result, Failure::BreakingNotFound);
  hbr = result.ratio;
  Hbr = narrow(breakingLimit(result.ratio));
}

}  // namespace saiha::wave
