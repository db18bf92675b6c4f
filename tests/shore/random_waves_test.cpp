// Goda's random-wave surf zone against its formulas, written out here
// independently in double precision, on a grid of slopes, steepnesses and
// depths; its branch at h/L0 = 0.2, its errors and its profile.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "shore/engine.h"
#include "shore/random_waves.h"

namespace {

namespace shore = saiha::shore;
using shore::Error;
using shore::RandomTerm;

constexpr double kT = 10;
const double kL0 = 9.81 * kT * kT / (2 * 3.141592);

// Goda's H1/3 (significant) or Hmax from Ks, as the formulas are published.
struct Expected {
  double H;
  RandomTerm term;
};
Expected goda(bool maximum, double Ks, double H0p, double h, double n) {
  const double s = H0p / kL0, t = 1 / n;
  const double shoaled = (maximum ? 1.8 : 1.0) * Ks * H0p;
  if (h / kL0 >= 0.2) return {shoaled, RandomTerm::Shoaling};
  const double b0 = (maximum ? 0.052 : 0.028) * std::pow(s, -0.38) * std::exp(20 * std::pow(t, 1.5));
  const double b1 = maximum ? 0.63 * std::exp(3.8 * t) : 0.52 * std::exp(4.2 * t);
  const double bMax = maximum ? std::max(1.65, 0.53 * std::pow(s, -0.29) * std::exp(2.4 * t))
                              : std::max(0.92, 0.32 * std::pow(s, -0.29) * std::exp(2.4 * t));
  const double line = b0 * H0p + b1 * h, cap = bMax * H0p;
  if (shoaled <= line && shoaled <= cap) return {shoaled, RandomTerm::Shoaling};
  return line <= cap ? Expected{line, RandomTerm::Breaking} : Expected{cap, RandomTerm::Cap};
}

TEST(RandomWaves, ReproduceGodasFormulasOnAGridOfSlopesSteepnessesAndDepths) {
  std::set<RandomTerm> seen13, seenMax;
  for (double n : {10.0, 20.0, 50.0, 100.0}) {
    for (double steepness : {0.005, 0.02, 0.08}) {
      for (double depthRatio : {0.005, 0.01, 0.02, 0.05, 0.1, 0.19, 0.2, 0.3}) {
        const double H0p = steepness * kL0, h = depthRatio * kL0;
        const shore::RandomState r = shore::randomWaves(H0p, kT, n, h);
        SCOPED_TRACE(testing::Message() << "n " << n << " H0'/L0 " << steepness << " h/L0 " << depthRatio);
        ASSERT_TRUE(r.ok()) << int(r.error);
        const Expected e13 = goda(false, r.Ks, H0p, h, n), eMax = goda(true, r.Ks, H0p, h, n);
        EXPECT_NEAR(r.H13 / e13.H, 1, 1e-3);
        EXPECT_NEAR(r.Hmax / eMax.H, 1, 1e-3);
        EXPECT_EQ(r.H13Term, e13.term);
        EXPECT_EQ(r.HmaxTerm, eMax.term);
        seen13.insert(*r.H13Term);
        seenMax.insert(*r.HmaxTerm);
      }
    }
  }
  // The grid reaches every term of both minima.
  EXPECT_EQ(seen13.size(), 3u);
  EXPECT_EQ(seenMax.size(), 3u);
}

// Ks is Shuto's rule for the regular wave H0′, T1/3 at normal incidence:
// linear theory in deep water, the engine's own shoaling seaward of breaking.
TEST(RandomWaves, ShoalingCoefficientIsShutosRuleForTheSignificantWave) {
  const double H0p = 2, n = 50;
  const shore::Breaking b = shore::findBreaking({H0p, kT, 0, n}, {shore::BreakerLimit::Goda1970, shore::Shoaling::Shuto});
  ASSERT_TRUE(b.ok());
  for (double h : {60.0, 20.0, 8.0, 1.2 * b.hb}) {
    const shore::State s = shore::stateAt(b, h);
    ASSERT_NE(s.rule, shore::HeightRule::Surf) << h;
    EXPECT_NEAR(shore::randomWaves(H0p, kT, n, h).Ks, s.H / H0p, 2e-6) << h;
  }
  // Linear shoaling in deep water, from the dispersion relation in double.
  const double h = 0.3 * kL0;
  double k = 2 * 3.141592 / kL0;
  for (int i = 0; i < 200; ++i) k = std::pow(2 * 3.141592 / kT, 2) / 9.81 / std::tanh(k * h);
  const double Ks = 1 / std::sqrt(std::tanh(k * h) * (1 + 2 * k * h / std::sinh(2 * k * h)));
  const shore::RandomState r = shore::randomWaves(H0p, kT, n, h);
  EXPECT_NEAR(r.Ks / Ks, 1, 1e-4);
  EXPECT_FLOAT_EQ(r.H13, r.Ks * float(H0p));
}

TEST(RandomWaves, InputsAreCheckedInOrderAndSteepSeasRefused) {
  const double nan = std::nan("");
  const struct {
    const char* name;
    double H0p, T, n, h;
    Error error;
  } rows[] = {
      {"no height", 0, kT, 50, 5, Error::InvalidHeight},
      {"no period", 2, nan, 50, 5, Error::InvalidPeriod},
      {"no slope", 2, kT, -1, 5, Error::InvalidSlope},
      {"steeper than 0.142, before the depth", 0.1421 * kL0, kT, 50, 0, Error::SteepnessLimit},
      {"at the steepness limit", 0.1419 * kL0, kT, 50, 5, Error::None},
      {"no depth", 2, kT, 50, 0, Error::InvalidDepth},
      {"depth beyond single precision", 2, kT, 50, 1e39, Error::InvalidDepth},
  };
  for (const auto& row : rows) {
    const shore::RandomState r = shore::randomWaves(row.H0p, row.T, row.n, row.h);
    EXPECT_EQ(r.error, row.error) << row.name;
    EXPECT_EQ(std::isnan(r.H13), row.error != Error::None) << row.name;
  }
  EXPECT_TRUE(shore::randomWaves(2, kT, 8, 5).warnings.has(shore::Warning::SteepSlope));
  EXPECT_FALSE(shore::randomWaves(2, kT, 10, 5).warnings.any());
}

// Each range warning on both sides of its bound: the fitted slopes 1/10 to
// 1/100, and h/H0′ = 0.5 at the shallow end of Goda's diagrams.
TEST(RandomWaves, RangeWarningsStartAtTheirBounds) {
  using shore::Warning;
  EXPECT_FALSE(shore::randomWaves(2, kT, 100, 5).warnings.has(Warning::GentleSlope));
  EXPECT_TRUE(shore::randomWaves(2, kT, 100.5, 5).warnings.has(Warning::GentleSlope));
  EXPECT_FALSE(shore::randomWaves(2, kT, 100.5, 5).warnings.has(Warning::SteepSlope));
  EXPECT_FALSE(shore::randomWaves(2, kT, 50, 1).warnings.has(Warning::ShallowForRandomWaves));
  EXPECT_TRUE(shore::randomWaves(2, kT, 50, 0.999).warnings.has(Warning::ShallowForRandomWaves));
}

// Very shallow water where Shuto's nonlinear law cannot be solved: the
// shoaled term is out of Goda's minimum, Ks is NaN, the row computes.
TEST(RandomWaves, ShoalingTermDropsOutWhereShutosKsCannotBeFormed) {
  const struct {
    double H0p, T, n, h;
  } shallow[] = {{2, 17, 50, 0.05}, {8, 20, 50, 0.1}, {3, 10, 50, 0.03}};
  for (const auto& sea : shallow) {
    SCOPED_TRACE(testing::Message() << sea.H0p << " m, " << sea.T << " s, h " << sea.h);
    const shore::RandomState r = shore::randomWaves(sea.H0p, sea.T, sea.n, sea.h);
    ASSERT_TRUE(r.ok()) << int(r.error);
    EXPECT_TRUE(std::isnan(r.Ks));
    EXPECT_TRUE(r.warnings.has(shore::Warning::ShoalingNotFormed));
    EXPECT_NE(r.H13Term, RandomTerm::Shoaling);
    EXPECT_NE(r.HmaxTerm, RandomTerm::Shoaling);
    // The breaking line β0·H0′ + β1·h or the cap, as published.
    const double L0 = 9.81 * sea.T * sea.T / (2 * 3.141592), s = sea.H0p / L0, t = 1 / sea.n;
    const double line = 0.028 * std::pow(s, -0.38) * std::exp(20 * std::pow(t, 1.5)) * sea.H0p +
                        0.52 * std::exp(4.2 * t) * sea.h;
    const double cap = std::max(0.92, 0.32 * std::pow(s, -0.29) * std::exp(2.4 * t)) * sea.H0p;
    EXPECT_NEAR(r.H13 / std::min(line, cap), 1, 1e-3);
  }
  // Where Ks can be formed (Ks = 360 at 5 cm) it stays in the minimum.
  const shore::RandomState formed = shore::randomWaves(8, 20, 50, 0.05);
  ASSERT_TRUE(formed.ok());
  EXPECT_GT(formed.Ks, 300);
  EXPECT_FALSE(formed.warnings.has(shore::Warning::ShoalingNotFormed));
}

// A coarse sweep of seas, slopes and depths down to 1 cm: no row fails but
// for the steepness limit, and every warning holds exactly where its rule
// says: a height above the depth, Ks not formed, h/H0′ below 0.5.
TEST(RandomWaves, SweepDownToOneCentimetreFailsNowhereAndFlagsEachHeightAboveTheDepth) {
  using shore::Warning;
  int aboveDepth = 0, withoutKs = 0;
  for (double H0p : {0.1, 1.0, 3.0, 8.0}) {
    for (double T : {3.0, 8.0, 14.0, 20.0}) {
      if (H0p / (9.81 * T * T / (2 * 3.141592)) > 0.142) continue;
      for (double n : {2.0, 10.0, 50.0, 100.0, 500.0}) {
        for (double h : {0.01, 0.02, 0.05, 0.1, 0.3, 1.0, 3.0, 10.0, 40.0}) {
          SCOPED_TRACE(testing::Message() << H0p << " m, " << T << " s, 1/" << n << ", h " << h);
          const shore::RandomState r = shore::randomWaves(H0p, T, n, h);
          ASSERT_TRUE(r.ok()) << int(r.error);
          const bool above = r.H13 > float(h) || r.Hmax > float(h);
          EXPECT_EQ(r.warnings.has(Warning::HeightAboveDepth), above);
          EXPECT_EQ(r.warnings.has(Warning::ShoalingNotFormed), std::isnan(r.Ks));
          EXPECT_EQ(r.warnings.has(Warning::ShallowForRandomWaves), h / H0p < 0.5);
          EXPECT_GE(r.Hmax, r.H13);
          aboveDepth += above;
          withoutKs += std::isnan(r.Ks);
        }
        SCOPED_TRACE(testing::Message() << H0p << " m, " << T << " s, 1/" << n << " profile");
        const shore::RandomProfile p = shore::randomProfile(H0p, T, n);
        ASSERT_TRUE(p.ok()) << int(p.error);
        for (const shore::RandomStation& station : p.stations) {
          ASSERT_TRUE(station.state.ok()) << station.state.h << " " << int(station.state.error);
        }
      }
    }
  }
  // The sweep reaches both sides of both rules.
  EXPECT_GT(aboveDepth, 0);
  EXPECT_GT(withoutKs, 0);
}

// Low swell on a steep slope stays unbroken to h/L0 = 0.001: its surf
// zone's edge is searched on below, and flagged; an ordinary sea's is not.
TEST(RandomWaves, EdgeOfTheSurfZoneBelowTheSearchFloor) {
  const shore::RandomState swell = shore::randomBreaking(0.1, 20, 5);
  ASSERT_TRUE(swell.ok()) << int(swell.error);
  const double L0 = 9.81 * 20 * 20 / (2 * 3.141592);
  EXPECT_LT(swell.h / L0, 0.001);
  EXPECT_TRUE(swell.warnings.has(shore::Warning::BelowSearchFloor));
  EXPECT_EQ(shore::randomWaves(0.1, 20, 5, 1.01 * swell.h).H13Term, RandomTerm::Shoaling);
  EXPECT_NE(shore::randomWaves(0.1, 20, 5, 0.99 * swell.h).H13Term, RandomTerm::Shoaling);
  const shore::RandomState sea = shore::randomBreaking(2, kT, 100);
  ASSERT_TRUE(sea.ok());
  EXPECT_FALSE(sea.warnings.has(shore::Warning::BelowSearchFloor));
}

TEST(RandomProfile, PeaksAtTheMarkedEdgeAndRunsOnSmoothlyAcrossTheDeepWaterBranch) {
  const shore::RandomProfile p = shore::randomProfile(2, kT, 100);
  ASSERT_TRUE(p.ok());
  ASSERT_EQ(p.stations.size(), 200u);  // the edge is the middle station
  EXPECT_FLOAT_EQ(p.stations.front().state.h, 2 * p.edge.h);
  float highest = 0;
  int marks = 0;
  for (std::size_t i = 0; i < p.stations.size(); ++i) {
    const shore::RandomStation& s = p.stations[i];
    ASSERT_TRUE(s.state.ok());
    if (i > 0) {
      EXPECT_LT(s.x, p.stations[i - 1].x);
    }
    highest = std::max(highest, s.state.H13);
    if (s.mark == shore::Mark::Breaking) {
      ++marks;
      EXPECT_EQ(s.state.h, p.edge.h);
    }
    // Each station has its own depth's warnings: none in deep water, a
    // height above the depth only near the shoreline.
    EXPECT_EQ(s.state.warnings.has(shore::Warning::HeightAboveDepth),
              s.state.H13 > s.state.h || s.state.Hmax > s.state.h);

  }
  EXPECT_EQ(marks, 1);
  EXPECT_FALSE(p.stations.front().state.warnings.any());
  EXPECT_TRUE(p.stations.back().state.warnings.has(shore::Warning::HeightAboveDepth));
  EXPECT_NEAR(highest / p.edge.H13, 1, 2e-3);
  // Shoreward of the edge a breaking term governs, seaward Ks·H0′.
  EXPECT_NE(shore::randomWaves(2, kT, 100, 0.99 * p.edge.h).H13Term, RandomTerm::Shoaling);
  EXPECT_EQ(shore::randomWaves(2, kT, 100, 1.01 * p.edge.h).H13Term, RandomTerm::Shoaling);

  // Where the sea is still unbroken at h/L0 = 0.2, H1/3 has no step there.
  shore::ProfileOptions far;
  far.fromDepth = 0.25 * kL0;
  far.stations = 2000;
  const shore::RandomProfile deep = shore::randomProfile(2, kT, 100, far);
  ASSERT_TRUE(deep.ok());
  for (std::size_t i = 1; i < deep.stations.size(); ++i) {
    const shore::RandomState &a = deep.stations[i - 1].state, &b = deep.stations[i].state;
    if (a.h / kL0 >= 0.2 && b.h / kL0 < 0.2) {
      EXPECT_EQ(b.H13Term, RandomTerm::Shoaling);
      EXPECT_NEAR(a.H13 / b.H13, 1, 1e-3);
    }
  }
  shore::ProfileOptions badSpacing;
  badSpacing.spacing = -1;
  EXPECT_EQ(shore::randomProfile(2, kT, 100, badSpacing).error, Error::InvalidDepth);
}

}  // namespace
