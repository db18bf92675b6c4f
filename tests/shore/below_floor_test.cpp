// Breaking points shoreward of h/L0 = 0.001: low swell on steep beaches or
// at grazing incidence, which the search on 0.001..1 cannot find, against the
// first crossing of each model's limit found here independently, and the
// waves just seaward of that floor, whose results stay as they were.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "shore/engine.h"
#include "shore/internal.h"
#include "wave/detail/batch.h"
#include "first_crossing.h"

namespace {

namespace shore = saiha::shore;
using saiha::testing::CrossingScan;
using saiha::wave::detail::LanePath;
using shore::BreakerLimit;
using shore::Error;
using shore::Model;
using shore::Shoaling;
using shore::Warning;

constexpr double kFloor = 0.001;

std::vector<Model> everyModel() {
  std::vector<Model> models;
  for (BreakerLimit breaker : shore::kBreakerLimits) {
    for (Shoaling shoaling : shore::kShoalings) models.push_back({breaker, shoaling});
  }
  return models;
}

std::string nameOf(const Model& m) {
  return std::string(shore::breakerName(m.breaker)) + "/" + std::string(shore::shoalingName(m.shoaling));
}

// Low swell that found no breaking point on 0.001..1 under every model.
const shore::Wave kLowSwell[] = {{0.1, 20, 80, 2}, {0.1, 18, -80, 10}, {0.1, 20, 80, 100}};

TEST(BelowTheFloor, EveryModelBreaksWhereItsLimitIsFirstMet) {
  for (const Model& model : everyModel()) {
    std::vector<shore::Wave> waves(std::begin(kLowSwell), std::end(kLowSwell));
    if (model.isDefault()) waves.push_back({0.1, 15, 0, 5});  // hb ≈ 0.35 m on 1/5
    for (const shore::Wave& w : waves) {
      SCOPED_TRACE(nameOf(model) + " Ho " + std::to_string(w.Ho) + " T " + std::to_string(w.T) +
                   " αo " + std::to_string(w.alpha0) + " n " + std::to_string(w.n));
      const shore::Breaking b = shore::findBreaking(w, model);
      ASSERT_TRUE(b.ok()) << int(b.error);
      EXPECT_EQ(b.reached, 4);
      EXPECT_LT(b.hbr, kFloor);
      EXPECT_TRUE(b.warnings.has(Warning::BelowSearchFloor));
      CrossingScan reference(w, model);
      const auto crossing = reference.firstCrossing();
      ASSERT_TRUE(crossing);
      EXPECT_LT(crossing->second, kFloor);
      EXPECT_NEAR(b.Hb / (crossing->first * reference.L0()), 1, 0.005);
      EXPECT_NEAR(b.hb / (crossing->second * reference.L0()), 1, 0.005);
    }
  }
}

// Neighbouring waves on both sides of the floor under each model: the one
// that broke at h/L0 just above 0.001 keeps its results and warnings as they
// were (hard-coded), the next, a tenth of a second longer, now breaks just
// below it with the warning and a breaker height close to its neighbour's.
struct Neighbours {
  Model model;
  shore::Wave above;
  float Hb, hb, gamma, thetaB;
  shore::Wave below;
};
const Neighbours kNeighbours[] = {
    {{}, {0.1, 13.5, 80, 40}, 0.25288814f, 0.28522652f, 0.8866221f, 4.477822f, {0.1, 13.6, 80, 40}},
    {{BreakerLimit::Goda1970, Shoaling::Shuto}, {0.1, 13.6, 80, 40},
     0.25616193f, 0.2889175f, 0.8866265f, 4.4735637f, {0.1, 13.7, 80, 40}},
    {{BreakerLimit::Goda2010, Shoaling::TwoRegime}, {0.1, 13.6, 80, 40},
     0.25085056f, 0.29056832f, 0.8633101f, 4.4863253f, {0.1, 13.7, 80, 40}},
    {{BreakerLimit::Goda2010, Shoaling::Shuto}, {0.1, 13.7, 80, 40},
     0.25407225f, 0.29429868f, 0.8633143f, 4.482075f, {0.1, 13.8, 80, 40}},
    {{BreakerLimit::McCowan, Shoaling::TwoRegime}, {0.1, 14.1, 80, 40},
     0.2443066f, 0.3132136f, 0.78000003f, 4.492692f, {0.1, 14.2, 80, 40}},
    {{BreakerLimit::McCowan, Shoaling::Shuto}, {0.1, 14.2, 80, 40},
     0.2473163f, 0.31707215f, 0.78000003f, 4.488448f, {0.1, 14.3, 80, 40}},
    {{BreakerLimit::Kamphuis, Shoaling::TwoRegime}, {0.1, 14, 80, 10},
     0.24538584f, 0.30878657f, 0.7946778f, 4.492692f, {0.1, 14.1, 80, 10}},
    {{BreakerLimit::Kamphuis, Shoaling::Shuto}, {0.1, 14.1, 80, 10},
     0.24843386f, 0.3126221f, 0.79467785f, 4.4884486f, {0.1, 14.2, 80, 10}},
    {{BreakerLimit::Miche, Shoaling::TwoRegime}, {0.1, 13.4, 80, 40},
     0.25209874f, 0.2831534f, 0.8903256f, 4.494812f, {0.1, 13.5, 80, 40}},
    {{BreakerLimit::Miche, Shoaling::Shuto}, {0.1, 13.5, 80, 40},
     0.2553937f, 0.28685313f, 0.8903291f, 4.4905705f, {0.1, 13.6, 80, 40}},
};

TEST(BelowTheFloor, WavesJustAboveKeepTheirBitsAndTheNextOnesBreakJustBelow) {
  for (const Neighbours& row : kNeighbours) {
    SCOPED_TRACE(nameOf(row.model));
    const shore::Breaking above = shore::findBreaking(row.above, row.model);
    ASSERT_TRUE(above.ok());
    EXPECT_EQ(above.Hb, row.Hb);
    EXPECT_EQ(above.hb, row.hb);
    EXPECT_EQ(above.gamma, row.gamma);
    EXPECT_EQ(above.thetaB, row.thetaB);
    EXPECT_EQ(above.warnings, shore::modelWarnings(row.model, row.above.n));
    EXPECT_GT(above.hbr, kFloor);
    EXPECT_LT(above.hbr, 1.02 * kFloor);

    const shore::Breaking below = shore::findBreaking(row.below, row.model);
    ASSERT_TRUE(below.ok()) << int(below.error);
    EXPECT_LT(below.hbr, kFloor);
    EXPECT_GT(below.hbr, 0.99 * kFloor);
    shore::Warnings expected = shore::modelWarnings(row.model, row.below.n);
    expected.add(Warning::BelowSearchFloor);
    EXPECT_EQ(below.warnings, expected);
    EXPECT_NEAR(below.Hb / above.Hb, 1, 0.02);
  }
}

// The many-wave path, whose lanes search 0.001..1 only, hands such a wave to
// findBreaking itself; states between the breaking point and the floor are
// formed as stateAt forms them one by one.
TEST(BelowTheFloor, ManyWavesAndManyDepthsGiveTheSameBits) {
  std::vector<shore::Wave> waves(std::begin(kLowSwell), std::end(kLowSwell));
  for (const Neighbours& row : kNeighbours) waves.push_back(row.below);
  for (const Model& model : everyModel()) {
    for (const LanePath path : {LanePath::Best, LanePath::Portable}) {
      std::vector<shore::Breaking> many(waves.size());
      shore::detail::findBreakingSideBySide(waves, many, model, path);
      std::vector<shore::Breaking> breakings;
      std::vector<double> depths;
      for (std::size_t i = 0; i < waves.size(); ++i) {
        const shore::Breaking one = shore::findBreaking(waves[i], model);
        ASSERT_EQ(many[i].error, one.error);
        EXPECT_EQ(many[i].Hb, one.Hb);
        EXPECT_EQ(many[i].hbr, one.hbr);
        EXPECT_EQ(many[i].thetaB, one.thetaB);
        EXPECT_EQ(many[i].warnings, one.warnings);
        if (!one.ok()) continue;
        // Shoreward of the breaking point, at it, between it and the floor,
        // at the floor and seaward of the onset.
        for (double f : {0.5, 1.0, 1.0001, 1.004, 1.03, kFloor / one.hbr, 10.0}) {
          breakings.push_back(one);
          depths.push_back(f * one.hb);
        }
      }
      std::vector<shore::State> states(depths.size());
      shore::detail::stateAtSideBySide(breakings, depths, states, path);
      for (std::size_t i = 0; i < depths.size(); ++i) {
        const shore::State s = shore::stateAt(breakings[i], depths[i]);
        ASSERT_EQ(states[i].error, s.error);
        EXPECT_EQ(states[i].H, s.H);
        EXPECT_EQ(states[i].uBottom, s.uBottom);
        EXPECT_EQ(states[i].rule, s.rule);
      }
    }
  }
}

// The state across a breaking point found below the floor: the limit at and
// shoreward of it, the shoaled height seaward of it meeting that limit, and
// at depths too small for the formulas a code, never a number that is not.
TEST(BelowTheFloor, StatesAcrossTheBreakingPoint) {
  for (const Model& model : everyModel()) {
    SCOPED_TRACE(nameOf(model));
    const shore::Breaking b = shore::findBreaking(kLowSwell[0], model);
    ASSERT_TRUE(b.ok());
    const shore::State at = shore::stateAt(b, b.hb);
    ASSERT_TRUE(at.ok());
    EXPECT_EQ(at.rule, shore::HeightRule::Surf);
    EXPECT_NEAR(at.H / b.Hb, 1, 1e-6);
    const shore::State seaward = shore::stateAt(b, 1.003 * b.hb);
    ASSERT_TRUE(seaward.ok());
    EXPECT_NE(seaward.rule, shore::HeightRule::Surf);
    EXPECT_NEAR(seaward.H / b.Hb, 1, 0.01);
    for (double h : {1e-3, 1e-6, 1e-12, 1e-30, 1e-44}) {
      const shore::State s = shore::stateAt(b, h);
      if (s.ok()) {
        for (float v : s.results()) EXPECT_TRUE(std::isfinite(v) && v >= 0) << h;
      } else {
        EXPECT_NE(s.error, Error::None);
        EXPECT_LT(s.reached, 8);
        EXPECT_TRUE(std::isnan(s.results()[std::size_t(s.reached)])) << h;
      }
    }
  }
}

// Where the height meets the limit nowhere down to 1e-5 (Goda's limit on a
// 100:1 wall stays near 0.17·L0), the search still says so, with nothing
// reached.
TEST(BelowTheFloor, NoCrossingDownToTheShallowestRatioIsStillNotFound) {
  const shore::Wave wall{0.01, 20, 0, 0.01};
  const shore::Breaking b = shore::findBreaking(wall);
  EXPECT_EQ(b.error, Error::BreakingNotFound);
  EXPECT_EQ(b.reached, 0);
  EXPECT_TRUE(std::isnan(b.Hb));
  EXPECT_FALSE(b.warnings.has(Warning::BelowSearchFloor));
  EXPECT_FALSE(CrossingScan(wall, {}).firstCrossing());
}

// A coarse sweep of the ranges engineers use (Ho 0.1–8 m, T 3–20 s,
// αo −80…80°, n 2–500) under every model: no wave is left without a
// breaking point while its height meets its limit above 1e-5, and the
// warning is set exactly where hb/L0 < 0.001.
TEST(BelowTheFloor, SweepLeavesNoBreakingPointUnfound) {
  std::vector<shore::Wave> waves;
  for (double Ho : {0.1, 0.2, 0.5, 1.0, 3.0, 8.0}) {
    for (double T : {3.0, 6.0, 10.0, 14.0, 17.0, 20.0}) {
      for (double a : {-80.0, -45.0, 0.0, 30.0, 80.0}) {
        for (double n : {2.0, 5.0, 20.0, 100.0, 500.0}) waves.push_back({Ho, T, a, n});
      }
    }
  }
  for (const Model& model : everyModel()) {
    SCOPED_TRACE(nameOf(model));
    std::vector<shore::Breaking> out(waves.size());
    shore::findBreaking(waves, out, model);
    int below = 0, above = 0;
    for (std::size_t i = 0; i < waves.size(); ++i) {
      const shore::Breaking& b = out[i];
      if (b.error == Error::BreakingNotFound) {
        EXPECT_FALSE(CrossingScan(waves[i], model).firstCrossing()) << i;
        continue;
      }
      if (b.error == Error::SteepnessLimit) continue;
      ASSERT_TRUE(b.ok()) << i << " error " << int(b.error);
      const bool shallow = double(b.hb) / double(b.L0) < kFloor;
      EXPECT_EQ(b.warnings.has(Warning::BelowSearchFloor), shallow) << i;
      ++(shallow ? below : above);
    }
    EXPECT_GT(below, 0);
    EXPECT_GT(above, 0);
  }
}

}  // namespace
