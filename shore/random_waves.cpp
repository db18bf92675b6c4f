// Goda's random-wave surf zone (Goda 1975; Goda 2000, §3.6).
#include "shore/random_waves.h"

#include <algorithm>

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
  findShutoBoundaries(b.Hr30, b.hr30, b.Hr50, b.hr50, b.Ho, b.T, b.ao, b.L0);
  const Real s = Real(b.Ho) / b.L0;
  const Real tanTheta = b.tanBeta;
  sea.significant = coefficients(kSignificant, s, tanTheta);
  sea.maximum = coefficients(kMaximum, s, tanTheta);
  return sea;
}

// The least of a height's three terms, and which one it is; the shoaled
// term wins a tie (the sea has not broken), then the breaking line.
struct Governed {
  Real H;
  RandomTerm term;
};
Governed least(const Coefficients& c, Real H0p, Real h, Real Ks, bool surfZone) {
  const Real shoaled = c.shoaled * Ks * H0p;
  if (!surfZone) return {shoaled, RandomTerm::Shoaling};
  const Real line = c.intercept * H0p + c.depthFactor * h;
  const Real cap = c.cap * H0p;
  if (shoaled <= line && shoaled <= cap) return {shoaled, RandomTerm::Shoaling};
  if (line <= cap) return {line, RandomTerm::Breaking};
  return {cap, RandomTerm::Cap};
}

// The state at depth h (single, > 0) of a sea that was read.
void fill(const Sea& sea, float h, RandomState& r) {
  const Breaking& b = sea.wave;
  r.h = h;
  const float hr = narrow(Real(h) / b.L0);
  Depth depth(hr, h, b.T);
  HeightRule rule{};
  const Real Ks = shoaledHeightRatio(b, depth, rule) * b.L0 / b.Ho;
  r.Ks = narrow(Ks);
  const bool surfZone = double(hr) < kSurfZoneDepthRatio;
  const Real H0p = b.Ho;
  const Governed significant = least(sea.significant, H0p, h, Ks, surfZone);
  r.H13 = narrow(significant.H);
  r.H13Term = significant.term;
  const Governed maximum = least(sea.maximum, H0p, h, Ks, surfZone);
  r.Hmax = narrow(maximum.H);
  r.HmaxTerm = maximum.term;
}

// The outer edge of the surf zone as a depth (m): where the breaking terms
// of H1/3 fall below Ks·H0′ coming from deep water.
float edgeDepth(const Sea& sea) {
  const Breaking& b = sea.wave;
  const BisectionResult result = bisectDepthRatio([&](float r) -> float {
    if (!(double(r) < kSurfZoneDepthRatio)) return 1;  // unbroken: same sign as deep water
    RandomState probe;
    fill(sea, narrow(Real(r) * b.L0), probe);
    return probe.H13Term == RandomTerm::Shoaling ? 1.0f : -1.0f;
  });
  requireCrossing(result, Failure::BreakingNotFound);
  return narrow(Real(result.ratio) * b.L0);
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
    fill(sea, edgeDepth(sea), r);
  });
  return r;
}

RandomProfile randomProfile(double H0p, double T13, double n,
                            const ProfileOptions& options) noexcept {
  RandomProfile p;
  Sea sea;
  p.error = guarded([&] { sea = readSea(H0p, T13, n, p.edge.warnings); });
  if (!p.ok()) {
    p.edge.error = p.error;
    return p;
  }
  // Without an edge the profile still runs to a seaward end that was given.
  p.edge.error = guarded([&] { fill(sea, edgeDepth(sea), p.edge); });
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
    station.state.warnings = p.edge.warnings;
    station.state.error = guarded([&] { fill(sea, positiveSingle(h, Error::InvalidDepth), station.state); });
    station.state.h = h;
    station.x = planned.x.value_or(static_cast<float>(n * double(h)));
    station.mark = planned.mark;
    p.stations.push_back(station);
  }
  return p;
}

}  // namespace saiha::shore
