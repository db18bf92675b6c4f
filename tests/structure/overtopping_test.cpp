// EurOtop (2018) runup and overtopping.  No example of the manual's was at
// hand to quote digit for digit; the expected values are the manual's
// formulas (eqs. 5.1–5.5, 5.10–5.13, 5.28–5.29, 6.9 for slopes; 7.1, 7.5,
// 7.7–7.8 for walls) evaluated independently in double precision.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "structure/overtopping.h"

namespace {

namespace st = saiha::structure;
using saiha::shore::Error;
using saiha::shore::Warning;

st::OvertoppingInput slope(double Hm0, double T, double Rc, double cot) {
  st::OvertoppingInput in;
  in.Hm0 = Hm0;
  in.Tm10 = T;
  in.Rc = Rc;
  in.cotAlpha = cot;
  return in;
}

struct SlopeRow {
  const char* name;
  st::OvertoppingInput in;
  double xi, q;
  st::Regime regime;
};

TEST(Overtopping, SlopesAgainstTheFormulasByHand) {
  st::OvertoppingInput mean = slope(2, 6, 3, 3);
  mean.approach = st::Approach::Mean;
  st::OvertoppingInput rough = slope(3, 8, 4, 1.5);
  rough.gammaF = 0.4;
  rough.beta = 30;
  st::OvertoppingInput shallowMean = slope(1, 12, 1, 2);
  shallowMean.approach = st::Approach::Mean;
  st::OvertoppingInput longRock = slope(2, 12, 2, 1.5);
  longRock.gammaF = 0.5;
  const SlopeRow rows[] = {
      {"smooth 1:3, design", slope(2, 6, 3, 3), 1.7670936544119515, 0.049335361258025276,
       st::Regime::Breaking},
      {"smooth 1:3, mean", mean, 1.7670936544119515, 0.0329895081640175, st::Regime::Breaking},
      {"rock 1:1.5, 30 degrees", rough, 3.847535805350505, 0.00015744210132592252,
       st::Regime::NonBreaking},
      // A very shallow foreshore (ξ > 7): 0.21·exp(−Rc/(Hm0·(0.33 + 0.022·ξ)))
      // by design, 10^−0.92 for the mean (EurOtop 2007 eqs. 5.12–5.13).
      {"very shallow, design", slope(1, 12, 1, 2), 7.497143436158452, 0.08721271488054175,
       st::Regime::VeryShallow},
      {"very shallow, mean", shallowMean, 7.497143436158452, 0.049929878736811505,
       st::Regime::VeryShallow},
      // 5 < ξ < 7: log q between the pair and the very shallow formula.
      {"between, design", slope(1, 10, 1, 2), 6.247619530132043, 0.0761296133429642,
       st::Regime::VeryShallow},
      // Rock under long waves (ξ > 5): γf grows toward 1 at ξ = 10 (EurOtop
      // 2018 eq. 6.7), 0.5 → 0.707 here; no very shallow formula on rock.
      {"rock, long waves", longRock, 7.068374617647806, 0.09018822514695908,
       st::Regime::NonBreaking},
  };
  for (const SlopeRow& row : rows) {
    const st::OvertoppingResult r = st::overtopping(row.in);
    ASSERT_TRUE(r.ok()) << row.name;
    EXPECT_NEAR(r.xi, row.xi, 1e-6 * row.xi) << row.name;
    EXPECT_NEAR(r.q, row.q, 2e-6 * row.q) << row.name;
    EXPECT_EQ(r.regime, row.regime) << row.name;
    EXPECT_EQ(r.approach, row.in.approach) << row.name;
  }
}

// q falls as the freeboard rises, is largest at Rc = 0, and vanishes as
// Rc → ∞ (flagged negligible, and outside the data, long before).
TEST(Overtopping, LimitsOfTheFreeboard) {
  for (st::Structure kind : {st::Structure::Slope, st::Structure::Vertical}) {
    st::OvertoppingInput in = slope(2, 7, 0, 2.5);
    in.structure = kind;
    in.h = 6;
    float last = st::overtopping(in).q;
    EXPECT_GT(last, 0.0f);
    for (double Rc : {0.5, 1.0, 2.0, 4.0, 8.0, 16.0}) {
      in.Rc = Rc;
      const st::OvertoppingResult r = st::overtopping(in);
      ASSERT_TRUE(r.ok());
      EXPECT_LT(r.q, last) << Rc;
      last = r.q;
    }
    in.Rc = 40;
    const st::OvertoppingResult far = st::overtopping(in);
    EXPECT_LT(far.q, 1e-9f);
    EXPECT_TRUE(far.warnings.has(Warning::NegligibleOvertopping));
    EXPECT_TRUE(far.warnings.has(Warning::FreeboardOutsideRange));
  }
}

struct WallRow {
  const char* name;
  double Hm0, T, Rc, h;
  bool foreshore;
  double qMean, qDesign;  // EurOtop 2018 eqs. 7.1, 7.5, 7.7, 7.8: mean, and mean + σ
  st::Regime regime;
};

TEST(Overtopping, VerticalWallRegimes) {
  const WallRow rows[] = {
      {"deep water", 2, 8, 3, 10, false, 0.00242904858595929, 0.00531747836447783,
       st::Regime::NoForeshore},
      {"non-impulsive", 2, 8, 3, 10, true, 0.006844496598306727, 0.010952374616144253,
       st::Regime::NonImpulsive},
      {"impulsive, low crest", 2, 10, 2, 3, true, 0.07789476372196011, 0.10976080342639832,
       st::Regime::Impulsive},
      {"impulsive, high crest", 2, 10, 3, 3, true, 0.026510486512492652, 0.03787212358927522,
       st::Regime::Impulsive},
  };
  for (const WallRow& row : rows) {
    for (st::Approach approach : {st::Approach::Mean, st::Approach::Design}) {
      st::OvertoppingInput in;
      in.structure = st::Structure::Vertical;
      in.Hm0 = row.Hm0;
      in.Tm10 = row.T;
      in.Rc = row.Rc;
      in.h = row.h;
      in.foreshore = row.foreshore;
      in.approach = approach;
      const double want = approach == st::Approach::Mean ? row.qMean : row.qDesign;
      const st::OvertoppingResult r = st::overtopping(in);
      ASSERT_TRUE(r.ok()) << row.name;
      EXPECT_NEAR(r.q, want, 2e-6 * want) << row.name;
      EXPECT_EQ(r.regime, row.regime) << row.name;
      EXPECT_EQ(r.approach, approach) << row.name;
    }
  }
}

// A wall on a mound (EurOtop 2018 eqs. 7.14–7.15): impulsive at or below
// h·d/(Hm0·Lm−1,0) = 0.65, the plain wall's discharge (with h) times
// 1.3·√(d/h); a mound with d/h > 0.6 leaves a plain wall.
TEST(Overtopping, CompositeWallOnItsMound) {
  st::OvertoppingInput c;
  c.structure = st::Structure::Composite;
  c.Hm0 = 2;
  c.Tm10 = 10;
  c.Rc = 2;
  c.h = 10;
  c.d = 3;
  c.approach = st::Approach::Mean;
  const st::OvertoppingResult r = st::overtopping(c);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.regime, st::Regime::Impulsive);
  EXPECT_NEAR(r.impulsiveness, 0.09607316983455023, 1e-7);
  EXPECT_NEAR(r.q, 0.03037895785156444, 1e-7);
  c.approach = st::Approach::Design;
  EXPECT_NEAR(st::overtopping(c).q, 0.042806713336295356, 1e-7);
  // d/h = 3/3.5: the mound hardly counts; the plain wall at h = 3.5.
  c.approach = st::Approach::Mean;
  c.h = 3.5;
  st::OvertoppingInput plain = c;
  plain.structure = st::Structure::Vertical;
  const st::OvertoppingResult low = st::overtopping(c);
  EXPECT_EQ(low.regime, st::Regime::Impulsive);
  EXPECT_FLOAT_EQ(low.q, st::overtopping(plain).q);
  EXPECT_NEAR(low.q, 0.07211653792082443, 1e-7);
}

TEST(Runup, AgainstTheFormulasByHand) {
  struct Row {
    const char* name;
    st::RunupInput in;
    double Ru2;
  };
  st::RunupInput design{.Hm0 = 2, .Tm10 = 6, .cotAlpha = 3};
  st::RunupInput mean = design;
  mean.approach = st::Approach::Mean;
  st::RunupInput rough{.Hm0 = 3, .Tm10 = 12, .cotAlpha = 1.5, .gammaF = 0.55};
  const Row rows[] = {{"design", design, 6.145232908018602},
                      {"mean", mean, 5.743208325251029},
                      {"rough, surging", rough, 8.321151318502594}};
  for (const Row& row : rows) {
    const st::RunupResult r = st::runup(row.in);
    ASSERT_TRUE(r.ok()) << row.name;
    EXPECT_NEAR(r.Ru2, row.Ru2, 2e-6 * row.Ru2) << row.name;
  }
  rough.permeableCore = true;
  EXPECT_FLOAT_EQ(st::runup(rough).Ru2, 3 * 1.97f);
}

TEST(Overtopping, BadInputsAreErrors) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Row {
    const char* name;
    st::OvertoppingInput in;
    Error error;
  };
  st::OvertoppingInput wall = slope(2, 8, 2, 0);
  wall.structure = st::Structure::Composite;
  wall.h = 5;
  wall.d = 6;
  st::OvertoppingInput factor = slope(2, 8, 2, 2);
  factor.gammaF = 1.2;
  st::OvertoppingInput angle = slope(2, 8, 2, 2);
  angle.beta = -95;
  const Row rows[] = {
      {"Hm0 zero", slope(0, 8, 2, 2), Error::InvalidDesignHeight},
      {"Tm10 NaN", slope(2, nan, 2, 2), Error::InvalidDesignPeriod},
      {"Rc NaN", slope(2, 8, nan, 2), Error::InvalidCrestHeight},
      {"Rc negative", slope(2, 8, -0.5, 2), Error::NegativeFreeboard},
      {"cot zero", slope(2, 8, 2, 0), Error::InvalidStructureSlope},
      {"gamma above 1", factor, Error::InvalidInfluenceFactor},
      {"beta beyond 90", angle, Error::InvalidAttackAngle},
      {"d above h", wall, Error::DepthOrder},
  };
  for (const Row& row : rows) {
    const st::OvertoppingResult r = st::overtopping(row.in);
    EXPECT_EQ(r.error, row.error) << row.name;
    EXPECT_TRUE(std::isnan(r.q)) << row.name;
  }
  EXPECT_EQ(st::runup({.Hm0 = 2, .Tm10 = 0, .cotAlpha = 2}).error, Error::InvalidDesignPeriod);
}

}  // namespace
