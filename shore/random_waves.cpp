// Goda's random-wave surf zone (Goda 1975; Goda 2000, §3.6).
#include "shore/random_waves.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "runtime/checked.h"
#include "shore/internal.h"
#include "wave/bisection.h"
#include "wave/errors.h"
#include "wave/shuto.h"

namespace saiha::shore {

using rt::narrow;
using rt::Real;
using namespace saiha::wave;
using namespace saiha::shore::detail;

namespace {

// Beyond this depth ratio the sea is taken as unbroken: H1/3 = Ks·H0′.
constexpr double kSurfZoneDepthRatio = 0.2;

// The gentlest slope denominator of the method's fitted range: Goda's
// formulas were fitted on slopes of about 1/10 to 1/100 (Goda 1975; Goda
// 2000, §3.6); a larger n is GentleSlope.
constexpr double kGentlestFittedSlope = 100;

// The smallest relative depth h/H0′ of Goda's diagrams of H1/3/H0′ and
// Hmax/H0′ across the surf zone (Goda 1975, Goda 2000 §3.6, reproduced in
// the Japanese technical standards for port facilities): their abscissa
// h/H0′ starts at 0.5.  Shoreward of it the formulas are extrapolated
// towards the shoreline, where they keep a finite height at h = 0.
constexpr double kShallowestDiagramDepth = 0.5;

// Goda's constants of one height, s = H0′/L0:
//   β0 = c0·s^−0.38·e^(20·tan^1.5 θ),  β1 = c1·e^(e1·tanθ),
//   βmax = max{capFloor, cMax·s^−0.29·e^(2.4·tanθ)},  unbroken shoaled·Ks·H0′.
struct Constants {
  double c0, c1, e1, cMax, capFloor, shoaled;
};
constexpr Constants kSignificant{0.028, 0.52, 4.2, 0.32, 0.92, 1};  // H1/3
constexpr Constants kMaximum{0.052, 0.63, 3.8, 0.53, 1.65, 1.8};    // Hmax

// The coefficients of one height's three terms at the sea's steepness and
// slope: intercept·H0′ + depthFactor·h (β0, β1), cap·H0′ (βmax), and
// shoaled·Ks·H0′.
struct Coefficients {
  Real intercept = 0, depthFactor = 0, cap = 0, shoaled = 0;
};

// The sea and its beach, read and checked once: the working quantities of a
// regular wave of height H0′, period T1/3 at normal incidence under Shuto's
// shoaling, with its regime boundaries found.
struct Sea {
  Breaking wave;
  Coefficients significant, maximum;
};

// Goda's coefficients for steepness s = H0′/L0 on slope tanθ.
Coefficients coefficients(const Constants& k, Real s, Real tanTheta) {
  const Real slopeGrowth = rt::exp(Real(20) * rt::pow(tanTheta, 1.5));
  const Real cap = Real(k.cMax) * rt::pow(s, -0.29) * rt::exp(Real(2.4) * tanTheta);
  return {Real(k.c0) * rt::pow(s, -0.38) * slopeGrowth, Real(k.c1) * rt::exp(Real(k.e1) * tanTheta),
          std::max(Real(k.capFloor), cap), Real(k.shoaled)};
}

Sea readSea(double H0p, double T13, double n, Warnings& warnings) {
  Sea sea;
  Breaking& b = sea.wave;
  b.model = Model{BreakerLimit::Goda1970, Shoaling::Shuto};
  readWave(Wave{H0p, T13, 0, n}, b);
  if (b.n < kSteepestFittedSlope) warnings.add(Warning::SteepSlope);
  if (b.n > kGentlestFittedSlope) warnings.add(Warning::GentleSlope);
  findShutoBoundaries(b.Hr30, b.hr30, b.Hr50, b.hr50, b.Ho, b.T, b.ao, b.L0);
  const Real s = Real(b.Ho) / b.L0;
  const Real tanTheta = b.tanBeta;
  sea.significant = coefficients(kSignificant, s, tanTheta);
  sea.maximum = coefficients(kMaximum, s, tanTheta);
  return sea;
}

// The least of a height's terms, and which one it is; the shoaled term
// wins a tie (the sea has not broken), then the breaking line.  Without Ks
// (it cannot be formed at the depth) the shoaled term is out of the minimum.
struct Governed {
  Real H;
  RandomTerm term;
};
Governed least(const Coefficients& c, Real H0p, Real h, std::optional<Real> Ks, bool surfZone) {
  if (!surfZone) return {c.shoaled * *Ks * H0p, RandomTerm::Shoaling};
  const Real line = c.intercept * H0p + c.depthFactor * h;
  const Real cap = c.cap * H0p;
  if (Ks) {
    const Real shoaled = c.shoaled * *Ks * H0p;
    if (shoaled <= line && shoaled <= cap) return {shoaled, RandomTerm::Shoaling};
  }
  if (line <= cap) return {line, RandomTerm::Breaking};
  return {cap, RandomTerm::Cap};
}

// Shuto's Ks at the depth, or nothing where his nonlinear law cannot be
// solved for the height: its iteration does not settle in very shallow
// water, where the height it tends to is many times the depth.
std::optional<Real> shoalingCoefficient(const Breaking& b, Depth& depth) {
  HeightRule rule{};
  try {
    return shoaledHeightRatio(b, depth, rule) * b.L0 / b.Ho;
  } catch (const WaveError& failure) {
    if (failure.failure() != Failure::NonlinearShoalingLimit) throw;
    return std::nullopt;
  }
}

// A lower bound on Ks at a depth ratio hr where it cannot be formed: Ks at
// the nearest of the depths 2·hr, 4·hr, … where it can, or at the start of
// the nonlinear law (Hr50, hr50).  Along H·h^(5/2)·(√U − 2√3) = const with
// U = 2π·H/h² ≥ 50 the left side grows with both H and h, so the height
// grows as the depth falls: Ks shoreward of any of these depths is larger.
Real shoalingFloor(const Breaking& b, float hr) {
  for (float probe = 2 * hr; probe < b.hr50; probe *= 2) {
    Depth depth(probe, narrow(Real(probe) * b.L0), b.T);
    if (const std::optional<Real> Ks = shoalingCoefficient(b, depth)) return *Ks;
  }
  return Real(b.Hr50) / b.Ho * b.L0;
}

// The state at depth h (single, > 0) of a sea that was read; adds the
// depth's own warnings to r.warnings.
void fill(const Sea& sea, float h, RandomState& r) {
  const Breaking& b = sea.wave;
  r.h = h;
  const float hr = narrow(Real(h) / b.L0);
  Depth depth(hr, h, b.T);
  const std::optional<Real> Ks = shoalingCoefficient(b, depth);
  const bool surfZone = double(hr) < kSurfZoneDepthRatio;
  const Real H0p = b.Ho;
  const Governed significant = least(sea.significant, H0p, h, Ks, surfZone);
  const Governed maximum = least(sea.maximum, H0p, h, Ks, surfZone);
  if (!Ks) {
    // Ks is needed only where the shoaled term could govern: a depth where
    // even the bound below it already exceeds both heights' other terms can
    // do without it.  Elsewhere the nonlinear shoaling is the failure.
    const Real floor = surfZone ? shoalingFloor(b, hr) : Real(0);
    if (!(surfZone && sea.significant.shoaled * floor * H0p >= significant.H &&
          sea.maximum.shoaled * floor * H0p >= maximum.H)) {
      throw WaveError(Failure::NonlinearShoalingLimit);
    }
    r.warnings.add(Warning::ShoalingNotFormed);
  }
  r.Ks = Ks ? narrow(*Ks) : kNotReached;
  r.H13 = narrow(significant.H);
  r.H13Term = significant.term;
  r.Hmax = narrow(maximum.H);
  r.HmaxTerm = maximum.term;
  if (double(h) / double(b.Ho) < kShallowestDiagramDepth) r.warnings.add(Warning::ShallowForRandomWaves);
  // A height above the still-water depth is kept and flagged.  Goda's
  // formulas keep a finite height at the shoreline (β0·H0′ at h = 0): they
  // were fitted to heights measured over the raised mean level of the surf
  // zone (wave setup and surf beat; Goda 1975, Goda 2000 §3.6), so near the
  // shoreline they exceed the still-water depth, without bound as h → 0
  // (H1/3 = 141·h at h = 0.05 m for 2 m, 17 s on 1/50).  They stay the
  // method's numbers; but a still-water depth h carries no wave above the
  // breaker limit, about 0.8·h on gentle slopes (Goda 1970; McCowan 0.78),
  // so a height above h is one to weigh, not to design with.
  if (r.H13 > h || r.Hmax > h) r.warnings.add(Warning::HeightAboveDepth);
}

// The shallowest depth ratio the edge search goes down to once the sea is
// still unbroken at h/L0 = 0.001 (low swell on a steep slope): where single
// precision still holds h/L0 and the formulas are still those of a depth.
constexpr double kShallowestEdgeRatio = 1e-5;

// The outer edge of the surf zone as a depth (m): where the breaking terms
// of H1/3 fall below Ks·H0′ coming from deep water.  Searched on the
// engine's h/L0 = 0.001..1 first; a sea unbroken all the way to 0.001 is
// searched on down to kShallowestEdgeRatio, its edge then BelowSearchFloor.
float edgeDepth(const Sea& sea, Warnings& warnings) {
  const Breaking& b = sea.wave;
  const auto unbroken = [&](double r) {
    if (!(r < kSurfZoneDepthRatio)) return true;
    RandomState probe;
    fill(sea, narrow(Real(r) * b.L0), probe);
    return probe.H13Term == RandomTerm::Shoaling;
  };
  const BisectionResult result =
      bisectDepthRatio([&](float r) -> float { return unbroken(double(r)) ? 1.0f : -1.0f; });
  if (result.zeroProduct || result.upperMoved) return narrow(Real(result.ratio) * b.L0);
  // Below the engine's floor: bisection in log h/L0 to the same 0.1 %.
  double seaward = 0.001, shoreward = kShallowestEdgeRatio;
  if (!unbroken(seaward) || unbroken(shoreward)) throw WaveError(Failure::BreakingNotFound);
  while (seaward - shoreward > 0.001 * seaward) {
    const double middle = std::sqrt(seaward * shoreward);
    (unbroken(middle) ? seaward : shoreward) = middle;
  }
  warnings.add(Warning::BelowSearchFloor);
  return narrow(Real(seaward) * b.L0);
}

}  // namespace

RandomState randomWaves(double H0p, double T13, double n, double h) noexcept {
  RandomState r;
  r.error = guarded([&] {
    const Sea sea = readSea(H0p, T13, n, r.warnings);
    fill(sea, positiveSingle(h, Error::InvalidDepth), r);
  });
  return r;
}

RandomState randomBreaking(double H0p, double T13, double n) noexcept {
  RandomState r;
  r.error = guarded([&] {
    const Sea sea = readSea(H0p, T13, n, r.warnings);
    fill(sea, edgeDepth(sea, r.warnings), r);
  });
  return r;
}

RandomProfile randomProfile(double H0p, double T13, double n,
                            const ProfileOptions& options) noexcept {
  RandomProfile p;
  Sea sea;
  Warnings seaWarnings;  // the slope's; each station adds its depth's
  p.error = guarded([&] { sea = readSea(H0p, T13, n, seaWarnings); });
  p.edge.warnings = seaWarnings;
  if (!p.ok()) {
    p.edge.error = p.error;
    return p;
  }
  // Without an edge the profile still runs to a seaward end that was given.
  p.edge.error = guarded([&] { fill(sea, edgeDepth(sea, p.edge.warnings), p.edge); });
  if (!p.edge.ok() && !options.fromDepth) {
    p.error = p.edge.error;
    return p;
  }
  std::vector<PlannedStation> marks;
  if (p.edge.ok()) marks.push_back({double(p.edge.h), Mark::Breaking});
  std::vector<PlannedStation> plan;
  p.error = planStations(options.fromDepth.value_or(2 * double(p.edge.h)), n, options, marks, plan);
  if (!p.ok()) return p;
  p.stations.reserve(plan.size());
  for (const PlannedStation& planned : plan) {
    RandomStation station;
    const float h = static_cast<float>(planned.h);
    station.state.warnings = seaWarnings;
    station.state.error = guarded([&] { fill(sea, positiveSingle(h, Error::InvalidDepth), station.state); });
    station.state.h = h;
    station.x = planned.x.value_or(static_cast<float>(n * double(h)));
    station.mark = planned.mark;
    // The edge's station says where its depth was found.
    if (station.mark == Mark::Breaking && p.edge.warnings.has(Warning::BelowSearchFloor)) {
      station.state.warnings.add(Warning::BelowSearchFloor);
    }
    p.stations.push_back(station);
  }
  return p;
}

}  // namespace saiha::shore
