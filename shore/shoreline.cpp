#include "shore/shoreline.h"

#include <cmath>

#include "runtime/checked.h"
#include "shore/comparison.h"
#include "shore/internal.h"
#include "wave/formulas.h"

namespace saiha::shore {

using rt::narrow;
using rt::Real;
using namespace saiha::wave;
using namespace saiha::shore::detail;

namespace {

// The breaker type of a surf similarity between two limits: spilling below
// the lower, collapsing or surging above the upper, plunging between them
// (both limits included).
std::optional<BreakerType> typeBetween(float xi, float plunging, float surging) {
  if (std::isnan(xi)) return std::nullopt;
  if (xi < plunging) return BreakerType::Spilling;
  if (xi > surging) return BreakerType::Surging;
  return BreakerType::Plunging;
}

// tanβ/√(H/L0), single.
float iribarren(float tanBeta, float H, float L0) {
  return narrow(Real(tanBeta) / rt::sqrt(Real(H) / L0));
}

// Komar and Inman's coefficient of the mid-surf longshore current.
constexpr double kLongshoreCoefficient = 1.17;

// Stockdon et al. (2006): the coefficients of setup, incident and
// infragravity swash and of the combined swash, then those of the
// dissipative fit and the 2 % exceedance factor.
constexpr double kSetupCoef = 0.35, kIncidentCoef = 0.75, kInfragravityCoef = 0.06;
constexpr double kSwashSlopeCoef = 0.563, kSwashConstant = 0.004;
constexpr double kDissipativeSetupCoef = 0.016, kDissipativeSwashCoef = 0.046;
constexpr double kDissipativeRunupCoef = 0.043;
constexpr double kExceedanceFactor = 1.1;

// A given runup input narrowed to single and checked, or the default.
float runupValue(const std::optional<double>& given, float fallback, Error error) {
  return given ? positiveSingle(*given, error) : fallback;
}

}  // namespace

std::optional<BreakerType> breakerTypeOfXi0(float xi0) noexcept {
  return typeBetween(xi0, kXi0Plunging, kXi0Surging);
}

std::optional<BreakerType> breakerTypeOfXib(float xib) noexcept {
  return typeBetween(xib, kXibPlunging, kXibSurging);
}

SurfSimilarity surfSimilarity(const Breaking& b) noexcept {
  SurfSimilarity s;
  s.error = b.error;
  if (isInvalidWave(b.error)) return s;
  const Error fault = guarded([&] {
    s.xi0 = iribarren(b.tanBeta, b.Ho, b.L0);
    s.type = breakerTypeOfXi0(s.xi0);
    if (!b.ok()) return;
    s.xib = iribarren(b.tanBeta, b.Hb, b.L0);
    s.typeAtBreaking = breakerTypeOfXib(s.xib);
  });
  if (fault != Error::None) s.error = fault;
  return s;
}

Setup waveSetup(const Breaking& b, BreakerDepth depth) noexcept {
  Setup s;
  s.error = b.error;
  s.depth = depth;
  if (!b.ok()) return s;
  s.error = guarded([&] {
    // γ as the model formed it from the ratios Hbr/hbr.
    const Real gamma = b.gamma;
    const Real K = Real(1) / (Real(1) + Real(8) / (Real(3) * gamma * gamma));
    const Real etaB = -gamma * b.Hb / 16;
    // The surf zone runs from the breaker line, still-water depth hs, to the
    // still-water shoreline: the mean level rises K·hs across it.
    const Real hs = depth == BreakerDepth::Mean ? Real(b.hb) - etaB : Real(b.hb);
    const Real etaS = etaB + K * hs;
    s.gamma = b.gamma;
    s.K = narrow(K);
    s.etaB = narrow(etaB);
    s.gradient = narrow(K * b.tanBeta);
    s.surfDepth = narrow(hs);
    // The breaker line where the profile puts the breaking station.
    s.xBreaker = static_cast<float>(b.n * double(s.surfDepth));
    if (b.gamma > kMaxSetupBreakerIndex) s.warnings.add(Warning::BreakerIndexAboveSetupRange);
    // A setdown larger than the whole rise: no setup at the shoreline, no
    // landward shift, no maximum (see shoreline.h).
    if (etaS < 0) throw Rejected{Error::NegativeSetup};
    const Real shift = etaS / ((Real(1) - K) * b.tanBeta);
    s.etaS = narrow(etaS);
    s.shoreShift = narrow(shift);
    s.etaMax = narrow(etaS / (Real(1) - K));
    s.xMeanShoreline = -s.shoreShift;
  });
  return s;
}

Runup runup(const Breaking& b, const RunupInput& input) noexcept {
  Runup r;
  if (isInvalidWave(b.error)) {
    r.error = b.error;
    return r;
  }
  r.error = guarded([&] {
    const float H0 = runupValue(input.H0, b.Ho, Error::InvalidRunupHeight);
    const float Tp = runupValue(input.Tp, b.T, Error::InvalidRunupPeriod);
    const float betaF = runupValue(input.betaF, b.tanBeta, Error::InvalidForeshoreSlope);
    r.H0 = H0;
    r.Tp = Tp;
    r.betaF = betaF;
    r.H0Given = input.H0.has_value();
    r.TpGiven = input.Tp.has_value();
    r.betaFGiven = input.betaF.has_value();
    // Deep-water wavelength of the peak period, formed as the engine's L0.
    r.L0 = narrow(Real(kGravity) / 2 / kPi * Tp * Tp);
    r.xi0 = iribarren(betaF, H0, r.L0);
    const Real root = rt::sqrt(Real(H0) * r.L0);  // √(H0·L0) (m)
    r.dissipative = r.xi0 < kXiDissipative;
    if (rt::abs(Real(r.xi0) / kXiDissipative - 1) <= kStockdonBranchBand) {
      r.warnings.add(Warning::StockdonBranchChange);
    }
    if (r.dissipative) {
      r.setup = narrow(root * kDissipativeSetupCoef);
      r.swashInfragravity = narrow(root * kDissipativeSwashCoef);
      r.swash = r.swashInfragravity;
      r.R2 = narrow(root * kDissipativeRunupCoef);
    } else {
      const Real setup = root * kSetupCoef * betaF;
      const Real swash =
          rt::sqrt(Real(H0) * r.L0 * (Real(kSwashSlopeCoef) * betaF * betaF + kSwashConstant));
      r.setup = narrow(setup);
      r.swashIncident = narrow(root * kIncidentCoef * betaF);
      r.swashInfragravity = narrow(root * kInfragravityCoef);
      r.swash = narrow(swash);
      r.R2 = narrow(Real(kExceedanceFactor) * (setup + swash / 2));
    }
    // On the drawn beach, as the profile places its stations at n·h.
    r.xOnBeach = static_cast<float>(-b.n * double(r.R2));
  });
  return r;
}

LongshoreCurrent longshoreCurrent(const Breaking& b) noexcept {
  LongshoreCurrent c;
  c.error = b.error;
  if (!b.ok()) return c;
  c.error = guarded([&] {
    c.HbRms = b.Hb;  // a regular wave: every height at breaking is Hb
    const Real theta = Real(b.thetaB) / 180 * kPi;  // the engine's π, as θb was formed
    c.V = narrow(Real(kLongshoreCoefficient) * rt::sqrt(Real(kGravity) * c.HbRms) *
                 rt::sin(theta) * rt::cos(theta));
  });
  return c;
}

namespace {
// The runup set against the setup it rises from.
void compareRunupWithSetup(Shoreline& s) {
  if (s.runup.R2 < s.setup.etaMax) s.runup.warnings.add(Warning::RunupBelowSetup);
}
}  // namespace

Warnings Shoreline::warnings() const {
  Warnings all = breaking.warnings;
  all.add(setup.warnings);
  all.add(runup.warnings);
  return all;
}

Shoreline shoreline(const Wave& wave, const Model& model, const RunupInput& input) noexcept {
  Shoreline s;
  s.breaking = findBreaking(wave, model);
  s.surf = surfSimilarity(s.breaking);
  s.setup = waveSetup(s.breaking);
  s.runup = runup(s.breaking, input);
  s.current = longshoreCurrent(s.breaking);
  compareRunupWithSetup(s);
  return s;
}

Shoreline empiricalShoreline(const Wave& wave, const RunupInput& input) noexcept {
  Shoreline s;
  s.empirical = true;
  Breaking& b = s.breaking;
  b.error = guarded([&] { readWave(wave, b); });
  if (b.ok()) {
    const EmpiricalBreaking e = empiricalBreaking(wave);
    b.error = e.error;
    b.reached = e.reached;
    b.Hb = e.Hb;
    b.hb = e.hb;
    b.gamma = e.gamma;
    b.thetaB = e.thetaB;
    b.warnings = e.warnings;
  }
  s.surf = surfSimilarity(b);
  s.setup = waveSetup(b, BreakerDepth::Mean);
  s.runup = runup(b, input);
  s.current = longshoreCurrent(b);
  compareRunupWithSetup(s);
  return s;
}

}  // namespace saiha::shore
