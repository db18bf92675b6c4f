#include "shore/comparison.h"

#include <cmath>
#include <limits>

#include "runtime/checked.h"
#include "shore/internal.h"
#include "shore/random_waves.h"
#include "shore/shoreline.h"
#include "wave/breakers.h"
#include "wave/formulas.h"

namespace saiha::shore {

using rt::narrow;
using rt::Real;
using namespace saiha::wave;
using namespace saiha::shore::detail;

namespace {
// The refraction iteration of the empirical breaking point: settled when Kr
// moves by less than this, given up after the pass limit.
constexpr double kKrTolerance = 1e-6;
constexpr int kEmpiricalPassLimit = 50;
}  // namespace

EmpiricalBreaking empiricalBreaking(const Wave& wave) noexcept {
  EmpiricalBreaking e;
  e.error = guarded([&] {
    Breaking in;
    readWave(wave, in);
    if (in.n < kSteepestFittedSlope) e.warnings.add(Warning::SteepSlope);
    float Kr = 1;  // deep-water start: no refraction
    for (int pass = 1; pass <= kEmpiricalPassLimit; ++pass) {
      const float H0prime = narrow(Real(Kr) * in.Ho);
      const float Hb = narrow(komarGaughanHeight(H0prime, in.L0));
      const float gamma = narrow(weggelIndex(Hb, in.T, in.tanBeta));
      if (!(gamma > 0)) throw Rejected{Error::WeggelIndexNotPositive};
      const float hb = narrow(Real(Hb) / gamma);
      const float Lb = narrow(waveLength(in.T, hb));
      const double thetaB = refractedAngle(Lb, in.L0, in.ao);
      const float next = narrow(refractionCoef(narrow(thetaB), in.ao));
      if (rt::abs(Real(next) - Kr) < kKrTolerance) {
        e.Hb = Hb;
        e.hb = hb;
        e.gamma = gamma;
        e.thetaB = degreesOf(thetaB);
        e.H0prime = H0prime;
        e.Kr = Kr;
        e.passes = pass;
        e.reached = 4;
        if (double(H0prime) / double(in.L0) < kKomarGaughanMinSteepness) {
          e.warnings.add(Warning::LowSteepness);
        }
        return;
      }
      Kr = next;
    }
    throw Rejected{Error::EmpiricalNotSettled};
  });
  return e;
}

Error checkTransport(const TransportParams& p) noexcept {
  if (!(std::isfinite(p.K) && p.K > 0)) return Error::InvalidTransportCoefficient;
  if (!(std::isfinite(p.rho) && p.rho > 0)) return Error::InvalidWaterDensity;
  if (!(std::isfinite(p.rhoS) && p.rhoS > p.rho)) return Error::InvalidSedimentDensity;
  if (!(std::isfinite(p.porosity) && p.porosity >= 0 && p.porosity < 1)) {
    return Error::InvalidPorosity;
  }
  return Error::None;
}

bool transportAlwaysOverflows(const TransportParams& p) noexcept {
  const double scale = p.K * p.rho * std::sqrt(wave::kGravity) /
                       (16 * (p.rhoS - p.rho) * (1 - p.porosity));
  return !(scale * kSecondsPerYear * 1e-5 <= std::numeric_limits<float>::max());
}

float breakerIndex(float Hb, float hb, float gamma) noexcept {
  if (!std::isnan(gamma)) return gamma;
  return static_cast<float>(static_cast<double>(Hb) / static_cast<double>(hb));
}

Transport longshoreTransport(float Hb, float kappa, float thetaB,
                             const TransportParams& p) noexcept {
  Transport t;
  t.error = checkTransport(p);
  if (t.error != Error::None) return t;
  if (!(std::isfinite(Hb) && Hb > 0 && std::isfinite(kappa) && kappa > 0 && thetaB > -90 &&
        thetaB < 90)) {
    t.error = Error::InvalidBreakingPoint;
    return t;
  }
  t.error = guarded([&] {
    const Real coefficient = Real(p.K) * p.rho * rt::sqrt(kGravity) /
                             (Real(16) * rt::sqrt(kappa) * (Real(p.rhoS) - p.rho) *
                              (Real(1) - p.porosity));
    const Real twoTheta = Real(thetaB) / 180 * kPi * 2;  // the engine's π, as θb was formed
    const Real Q = coefficient * rt::pow(Hb, 2.5) * rt::sin(twoTheta);
    t.perSecond = narrow(Q);
    t.perYear = narrow(Q * kSecondsPerYear);
  });
  return t;
}

namespace {
// Fills a row's transport from its breaking point.
void addTransport(ComparisonRow& row, Error paramsError, const TransportParams& params) {
  if (paramsError != Error::None) {
    row.error = paramsError;
    return;
  }
  const Transport t = longshoreTransport(row.Hb, row.gamma, row.thetaB, params);
  row.Q = t.perSecond;
  row.Qyear = t.perYear;
  row.error = t.error;
}

// Every model's breaking point and transport, and the empirical row.
std::vector<ComparisonRow> breakingRows(const Wave& wave, const TransportParams& params) noexcept {
  const Error paramsError = checkTransport(params);
  std::vector<ComparisonRow> rows;
  rows.reserve(kBreakerLimits.size() * kShoalings.size() + 1);
  for (BreakerLimit breaker : kBreakerLimits) {
    for (Shoaling shoaling : kShoalings) {
      const Model model{breaker, shoaling};
      const Breaking b = findBreaking(wave, model);
      ComparisonRow row{model, b.Hb, b.hb, b.gamma, b.thetaB};
      row.warnings = b.warnings;
      if (b.ok()) addTransport(row, paramsError, params);
      else row.error = b.error;
      const SurfSimilarity surf = surfSimilarity(b);
      row.xi0 = surf.xi0;
      row.breakerType = surf.type;
      rows.push_back(row);
    }
  }
  const EmpiricalBreaking e = empiricalBreaking(wave);
  ComparisonRow row{std::nullopt, e.Hb, e.hb, e.gamma, e.thetaB};
  row.warnings = e.warnings;
  if (e.ok()) addTransport(row, paramsError, params);
  else row.error = e.error;
  row.xi0 = rows.front().xi0;  // ξ0 is the wave's own
  row.breakerType = rows.front().breakerType;
  rows.push_back(row);
  return rows;
}
}  // namespace

std::vector<ComparisonRow> compare(const Wave& wave, const TransportParams& params,
                                   HeightBasis basis) noexcept {
  if (basis == HeightBasis::Regular) return compare(wave, params);
  std::vector<ComparisonRow> rows = breakingRows(wave, params);
  const Error paramsError = checkTransport(params);
  for (ComparisonRow& row : rows) {
    if (std::isnan(row.hb) || std::isnan(row.thetaB)) continue;  // no breaking point
    RandomState sea;
    const Error kr = guarded([&] {
      const float thetaB = narrow(Real(row.thetaB) / 180 * kPi);
      const float ao = narrow(Real(wave.alpha0) / 180 * kPi);
      const float H0p = narrow(Real(refractionCoef(thetaB, ao)) * wave.Ho);
      sea = randomWaves(H0p, wave.T, wave.n, row.hb);
    });
    // The sea's own warnings (Goda's range, H1/3 above hb) join the
    // breaking point's.
    row.warnings.add(sea.warnings);
    row.Q = row.Qyear = row.Hb = row.gamma = kNotReached;
    row.error = kr != Error::None ? kr : sea.error;
    if (row.error != Error::None) continue;
    row.Hb = sea.H13;
    row.gamma = narrow(Real(sea.H13) / row.hb);
    addTransport(row, paramsError, params);
  }
  return rows;
}

std::vector<ComparisonRow> compare(const Wave& wave, const TransportParams& params) noexcept {
  std::vector<ComparisonRow> rows = breakingRows(wave, params);
  // A breaker higher than the water is deep (γ > 1, steep beaches), as the
  // state at the breaking depth says it.
  for (ComparisonRow& r : rows) {
    if (r.Hb > r.hb) r.warnings.add(Warning::HeightAboveDepth);
  }
  return rows;
}

}  // namespace saiha::shore
