// Random waves across a measured profile at the edges of what it may be
// given: inputs that once ran without end or meant nothing are refused
// before any work, results that no sea could have are flagged, the mean
// shoreline follows the mean water level, the step control resolves the
// roller behind a bar, and the lateral mixing spreads the current.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "shore/transform.h"

namespace saiha::shore {
namespace {

struct Profile {
  std::vector<double> x, z;
  BedProfile bed() const { return {x, z}; }
};

// A plane slope 1/n from depth h0 up to 2 m above the datum, every dx.
Profile plane(double h0, double n, double dx = 5) {
  Profile p;
  for (double xi = 0;; xi += dx) {
    p.x.push_back(xi);
    p.z.push_back(-h0 + xi / n);
    if (p.z.back() > 2) break;
  }
  return p;
}

// A barred beach: 1/80 from 8 m depth with a bar 2 m high at x = 450 m (its
// crest 0.4 m deep), a trough behind it, every dx.
Profile barred(double dx = 5) {
  Profile p;
  for (double xi = 0;; xi += dx) {
    p.x.push_back(xi);
    p.z.push_back(-8 + xi / 80 + 2 * std::exp(-std::pow((xi - 450) / 25, 2)));
    if (p.z.back() > 2) break;
  }
  return p;
}

// Each refused before any work, in far less than a second (each of these
// ran for minutes or without end).
TEST(TransformBounds, RefusedBeforeAnyWork) {
  const Profile good = plane(6, 50);
  TransformOptions tiny;
  tiny.maxStep = 1e-300;
  TransformOptions fine;
  fine.maxStep = 1e-3;  // about 4.7 million steps on this profile
  const struct {
    const char* name;
    std::vector<double> x, z;
    TransformOptions options;
    Error error;
  } rows[] = {
      {"span of 1e12 m", {0, 1e12}, {-5, -5}, {}, Error::ProfileOutOfRange},
      {"span of 1e7 m", {0, 1e7}, {-5, -4}, {}, Error::ProfileOutOfRange},
      {"bed at 1e20 m", {0, 100, 200}, {-1e20, -4, 1}, {}, Error::ProfileOutOfRange},
      {"bed at 1e39 m", {0, 100, 200}, {-5, 1e39, 1}, {}, Error::ProfileOutOfRange},
      {"bed 11,001 m deep", {0, 100, 200}, {-11001, -4, 1}, {}, Error::ProfileOutOfRange},
      {"x far from 0", {1e15, 1e15 + 100}, {-5, 1}, {}, Error::ProfileOutOfRange},
      {"max step 1e-300", good.x, good.z, tiny, Error::TransformStepLimit},
      {"max step 1 mm", good.x, good.z, fine, Error::TransformStepLimit},
  };
  for (const auto& row : rows) {
    const auto start = std::chrono::steady_clock::now();
    const TransformResult r = transform({row.x, row.z}, SeaCondition{1, 8, 10, 0}, row.options);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(r.error, row.error) << row.name;
    EXPECT_EQ(checkTransformSetup({row.x, row.z}, row.options), row.error) << row.name;
    EXPECT_LT(seconds, 0.1) << row.name;
  }
  // At the limits: a bed 10,900 m deep, a span of 1,000 km, a 1 cm step.
  EXPECT_EQ(checkTransformSetup(Profile{{0, 1e6}, {-10900, -5}}.bed()), Error::None);
  EXPECT_EQ(checkTransformSetup(Profile{{0, 100}, {-10900, 1}}.bed()), Error::None);
  TransformOptions centimetre;
  centimetre.maxStep = 0.01;
  EXPECT_EQ(checkTransformSetup(good.bed(), centimetre), Error::None);
  EXPECT_TRUE(transform(good.bed(), SeaCondition{1, 8, 10, 0}, centimetre).ok());
}

TEST(TransformBounds, StepsImpliedByTheProfile) {
  // 300 m at 5 m steps, 60 intervals each rising 0.1 m: 60 steps, one more
  // an interval, and 60·ln(1 + 0.1/0.05)/(0.015·5) on the steps shortened
  // in shallow water.
  const Profile p = plane(4, 50);
  const double span = p.x.back(), n = double(p.x.size() - 1);
  const double expected = span / 5 + n + n * std::log(3.0) / (0.015 * 5);
  EXPECT_NEAR(transformSteps(p.bed()), expected, 1e-6 * expected);
  TransformOptions bad;
  bad.maxStep = -1;
  EXPECT_TRUE(std::isinf(transformSteps(p.bed(), bad)));
}

// Inputs outside what the formulas were derived for: each refused with its
// own code, per condition (the others compute).
TEST(TransformBounds, ConditionsOutsideTheModelsRange) {
  const Profile p = plane(6, 50);
  const struct {
    const char* name;
    SeaCondition sea;
    Error error;
  } rows[] = {
      {"Tp of 1e6 s (a runup of 3,853 m once)", {1, 1e6, 10, 0}, Error::PeriodOutOfRange},
      {"Tp of 1e12 s", {1, 1e12, 10, 0}, Error::PeriodOutOfRange},
      {"Tp of 60 s", {1, 60, 10, 0}, Error::None},
      {"tide of 1e5 m", {1, 8, 10, 1e5}, Error::TideOutOfRange},
      {"tide of -31 m", {1, 8, 10, -31}, Error::TideOutOfRange},
      {"wind stress of 1e30 N/m2", {1, 8, 10, 0, 1e30}, Error::WindStressOutOfRange},
      {"wind stress of -21 N/m2", {1, 8, 10, 0, -21}, Error::WindStressOutOfRange},
      {"wind stress of 5 N/m2", {1, 8, 10, 0, 5}, Error::None},
  };
  std::vector<SeaCondition> seas;
  for (const auto& row : rows) seas.push_back(row.sea);
  std::vector<TransformResult> out(seas.size());
  transform(p.bed(), seas, out);
  for (std::size_t i = 0; i < seas.size(); ++i) {
    EXPECT_EQ(out[i].error, rows[i].error) << rows[i].name;
    if (out[i].ok()) {
      for (std::size_t j = 0; j <= std::size_t(out[i].lastWet); ++j) {
        EXPECT_LT(std::abs(out[i].V[j]), 3) << rows[i].name;
      }
    }
  }
}

// Every point where Hrms exceeds the mean depth is flagged, and only those;
// on a 1/10 slope with the defaults most conditions have some.
TEST(TransformBounds, HrmsAboveTheMeanDepthIsFlaggedPointByPoint) {
  int flagged = 0, conditions = 0;
  for (const double n : {10.0, 20.0, 50.0}) {
    const Profile p = plane(6, n, n / 10);
    for (const double H : {0.5, 1.0, 1.5}) {
      const TransformResult r = transform(p.bed(), SeaCondition{H, 9, 15, 0});
      ASSERT_TRUE(r.ok()) << n << " " << H;
      ++conditions;
      bool any = false;
      for (std::size_t i = 0; i <= std::size_t(r.lastWet); ++i) {
        const bool above = r.Hrms[i] > r.h[i] + r.eta[i];
        const bool bit = (r.pointWarnings[i] & std::uint32_t(Warning::HrmsAboveMeanDepth)) != 0;
        // Narrowed values may tie where the doubles did not.
        if (std::abs(r.Hrms[i] - (r.h[i] + r.eta[i])) > 1e-5f) {
          EXPECT_EQ(bit, above) << "1/" << n << " Hrms0 " << H << " point " << i;
        }
        any = any || bit;
      }
      EXPECT_EQ(r.warnings.has(Warning::HrmsAboveMeanDepth), any);
      if (n == 10 && any) ++flagged;
      for (std::size_t i = std::size_t(r.lastWet) + 1; i < p.x.size(); ++i) {
        EXPECT_EQ(r.pointWarnings[i], 0u);
      }
    }
  }
  EXPECT_EQ(flagged, 3);  // every sea on 1/10
  EXPECT_EQ(conditions, 9);
}

// A high sea at a shallow boundary: breaking there already, a current far
// above anything the friction was fitted on; both said.
TEST(TransformBounds, ASurfZoneAtTheBoundaryIsFlagged) {
  const Profile p = plane(8, 60);
  const TransformResult r = transform(p.bed(), SeaCondition{4, 12, 30, 0});
  ASSERT_TRUE(r.ok());
  EXPECT_TRUE(r.warnings.has(Warning::BoundaryInSurfZone));
  float fastest = 0;
  for (std::size_t i = 0; i <= std::size_t(r.lastWet); ++i) {
    fastest = std::max(fastest, std::abs(r.V[i]));
    const bool bit = (r.pointWarnings[i] & std::uint32_t(Warning::CurrentAboveFittedRange)) != 0;
    EXPECT_EQ(bit, std::abs(r.V[i]) > kMaxFittedCurrent) << i;
  }
  EXPECT_EQ(r.warnings.has(Warning::CurrentAboveFittedRange), fastest > kMaxFittedCurrent);
  const TransformResult calm = transform(p.bed(), SeaCondition{0.8, 8, 10, 0});
  EXPECT_FALSE(calm.warnings.has(Warning::BoundaryInSurfZone));
  EXPECT_FALSE(calm.warnings.has(Warning::CurrentAboveFittedRange));
}

// The mean shoreline moves landward as the waves grow and as the tide
// rises, and hardly depends on the profile's spacing.
TEST(TransformBounds, TheMeanShorelineFollowsTheMeanWaterLevel) {
  for (const Profile& p : {plane(6, 50), plane(6, 30, 2), barred()}) {
    double before = -1e9;
    for (double H = 0.2; H <= 2.0; H += 0.05) {
      const TransformResult r = transform(p.bed(), SeaCondition{H, 9, 10, 0});
      ASSERT_TRUE(r.ok()) << H;
      EXPECT_GE(r.xShoreline, before) << "Hrms0 " << H << " of " << p.x.size() << " points";
      before = r.xShoreline;
    }
    before = -1e9;
    for (double tide = 0; tide <= 1.0; tide += 0.02) {
      const TransformResult r = transform(p.bed(), SeaCondition{1.0, 9, 10, tide});
      ASSERT_TRUE(r.ok()) << tide;
      EXPECT_GT(r.xShoreline, before) << "tide " << tide << " of " << p.x.size() << " points";
      before = r.xShoreline;
    }
  }
  const TransformResult coarse = transform(plane(6, 50, 10).bed(), SeaCondition{1, 9, 10, 0.3});
  const TransformResult dense = transform(plane(6, 50, 1).bed(), SeaCondition{1, 9, 10, 0.3});
  EXPECT_NEAR(coarse.xShoreline, dense.xShoreline, 0.5);
}

// Behind the bar crest the roller decays over a few metres while the
// waves, no longer breaking, hardly change: the default step resolves it
// (without watching the roller's decay it left V off by 3–6 cm/s there).
TEST(TransformBounds, TheRollersDecayIsResolvedAtTheDefaultStep) {
  const Profile p = barred();
  TransformOptions fine;
  fine.maxStep = 0.25;
  for (const SeaCondition sea :
       {SeaCondition{0.8, 9, 30, 0}, SeaCondition{1.2, 9, -15, 0}, SeaCondition{1.8, 9, 30, 0}}) {
    const TransformResult a = transform(p.bed(), sea), b = transform(p.bed(), sea, fine);
    ASSERT_TRUE(a.ok() && b.ok());
    const int last = std::min(a.lastWet, b.lastWet);
    for (int i = 0; i <= last; ++i) {
      EXPECT_NEAR(a.V[std::size_t(i)], b.V[std::size_t(i)], 0.005)
          << "Hrms0 " << sea.Hrms0 << " x = " << p.x[std::size_t(i)];
    }
  }
}

// Lateral mixing spreads the current into the trough and lowers its peak,
// and with no viscosity is the local balance.
TEST(TransformBounds, LateralMixing) {
  const Profile p = barred();
  const SeaCondition sea{1.2, 9, 20, 0};
  const TransformResult local = transform(p.bed(), sea);
  TransformOptions none, battjes, constant;
  none.mixing = Mixing::Constant;
  none.mixingCoefficient = 0;
  battjes.mixing = Mixing::Battjes1975;
  constant.mixing = Mixing::Constant;
  constant.mixingCoefficient = 1;
  const TransformResult zero = transform(p.bed(), sea, none);
  ASSERT_TRUE(local.ok() && zero.ok());
  for (std::size_t i = 0; i <= std::size_t(local.lastWet); ++i) {
    EXPECT_NEAR(zero.V[i], local.V[i], 1e-6) << i;
  }
  // The trough's point: the deepest behind the crest.
  std::size_t trough = 0;
  for (std::size_t i = 0; i <= std::size_t(local.lastWet); ++i) {
    if (p.x[i] > 450 && p.x[i] < 700 && (trough == 0 || p.z[i] < p.z[trough])) trough = i;
  }
  ASSERT_GT(trough, 0u);
  for (const TransformOptions& o : {battjes, constant}) {
    const TransformResult m = transform(p.bed(), sea, o);
    ASSERT_TRUE(m.ok());
    ASSERT_EQ(m.lastWet, local.lastWet);
    float peakLocal = 0, peakMixed = 0;
    for (std::size_t i = 0; i <= std::size_t(m.lastWet); ++i) {
      peakLocal = std::max(peakLocal, std::abs(local.V[i]));
      peakMixed = std::max(peakMixed, std::abs(m.V[i]));
      EXPECT_GE(m.V[i], -1e-4) << i;  // θ0 > 0: no current against the waves
    }
    EXPECT_LT(peakMixed, peakLocal);
    EXPECT_GT(m.V[trough], local.V[trough]);
  }
}

}  // namespace
}  // namespace saiha::shore
