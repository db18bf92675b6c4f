// Breaker and shoaling models, the empirical breaking point and the longshore
// transport; the comparison rows as texts are in tests/report.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "shore/engine.h"
#include "shore/comparison.h"

namespace {

namespace shore = saiha::shore;
using shore::BreakerLimit;
using shore::Error;
using shore::Model;
using shore::Shoaling;

// CEM Example Problem II-4-1: 2 m, 10 s, normal incidence, slope 1/100.
constexpr shore::Wave kCemWave{2, 10, 0, 100};
// A steep wave on a steep slope: under some models it breaks while it still
// shoals linearly.
constexpr shore::Wave kSteepWave{3, 4, 45, 10};

Model modelNamed(std::string_view breaker, std::string_view shoaling) {
  return {shore::parseBreaker(breaker).value(), shore::parseShoaling(shoaling).value()};
}

TEST(ModelNames, RoundTripAndRefuseAnythingElse) {
  for (BreakerLimit b : shore::kBreakerLimits) EXPECT_EQ(shore::parseBreaker(shore::breakerName(b)), b);
  for (Shoaling s : shore::kShoalings) EXPECT_EQ(shore::parseShoaling(shore::shoalingName(s)), s);
  for (std::string_view bad : {"", "Goda1970", "goda", "mccowan ", "two_regime"}) {
    EXPECT_FALSE(shore::parseBreaker(bad)) << bad;
    EXPECT_FALSE(shore::parseShoaling(bad)) << bad;
  }
}

// In the surf zone the height is the model's limit.  Expected values, double
// precision in python3 with T = 10 s, h = 2 m, tanβ = 0.01, L0 = gT²/(2π):
//   goda: 0.17·L0·(1 − exp(−1.5π·h/L0·(1 + c·tanβ^(4/3)))), c = 15 or 11;
//   kamphuis: 0.56·e^0.035·h;  miche: 0.142·L·tanh(2πh/L), L(2 m) = 43.6995 m.
TEST(BreakerLimits, SurfZoneHeightAtTwoMetresMatchesTheFormula) {
  const struct {
    std::string_view breaker;
    double H;
  } rows[] = {{"goda1970", 1.6035097}, {"goda2010", 1.5905330}, {"mccowan", 1.56},
              {"kamphuis", 1.1598941}, {"miche", 1.7368127}};
  for (const auto& row : rows) {
    const shore::Breaking b = shore::findBreaking(kCemWave, modelNamed(row.breaker, "two-regime"));
    ASSERT_TRUE(b.ok()) << row.breaker;
    const shore::State s = shore::stateAt(b, 2.0);
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(s.rule, shore::HeightRule::Surf);
    EXPECT_NEAR(s.H / row.H, 1, 2e-6) << row.breaker;
  }
}

// Reference breaking points from scripts/model-reference.py: an independent
// double-precision solve (Newton for the dispersion relation, bisection to
// 1e-12, U = gHT²/h² throughout).  The engine's bisection stops at 0.1 % of
// h/L0 and its two-regime onset uses 1.56·T² for L0: 0.3 % covers both.
TEST(ModelBreakingPoint, AgreesWithAnIndependentDoublePrecisionSolve) {
  const struct {
    std::string_view breaker, shoaling;
    shore::Wave wave;
    double Hb, hb;
  } rows[] = {
      {"goda1970", "two-regime", kCemWave, 2.8575, 3.6558},
      {"goda1970", "shuto", kCemWave, 2.9081, 3.7245},
      {"goda2010", "two-regime", kCemWave, 2.8477, 3.6733},
      {"goda2010", "shuto", kCemWave, 2.8983, 3.7423},
      {"mccowan", "two-regime", kCemWave, 2.8550, 3.6602},
      {"mccowan", "shuto", kCemWave, 2.9069, 3.7267},
      {"kamphuis", "two-regime", kCemWave, 2.5351, 4.3712},
      {"kamphuis", "shuto", kCemWave, 2.5822, 4.4524},
      {"miche", "two-regime", kCemWave, 2.9615, 3.4802},
      {"miche", "shuto", kCemWave, 3.0139, 3.5449},
      {"goda1970", "two-regime", kSteepWave, 2.5265, 2.8241},
      {"goda1970", "shuto", kSteepWave, 2.6698, 3.0959},
      {"goda2010", "two-regime", kSteepWave, 2.5312, 3.1809},
      {"goda2010", "shuto", kSteepWave, 2.6108, 3.3476},
      {"mccowan", "two-regime", kSteepWave, 2.5328, 3.2472},
      {"mccowan", "shuto", kSteepWave, 2.6109, 3.3473},
      {"kamphuis", "two-regime", kSteepWave, 2.5313, 3.1853},
      {"kamphuis", "shuto", kSteepWave, 2.6217, 3.2991},
      {"miche", "two-regime", kSteepWave, 2.5805, 4.2954},
      {"miche", "shuto", kSteepWave, 2.5805, 4.2954},
  };
  for (const auto& row : rows) {
    const shore::Breaking b = shore::findBreaking(row.wave, modelNamed(row.breaker, row.shoaling));
    const std::string name = std::string(row.breaker) + "/" + std::string(row.shoaling);
    ASSERT_TRUE(b.ok()) << name;
    EXPECT_NEAR(b.Hb / row.Hb, 1, 3e-3) << name;
    EXPECT_NEAR(b.hb / row.hb, 1, 3e-3) << name;
    EXPECT_EQ(b.model, modelNamed(row.breaker, row.shoaling));
  }
}

TEST(ModelBreakingPoint, ASteepWaveMeetsMichesLimitWhileStillShoalingLinearly) {
  const shore::Breaking b = shore::findBreaking(kSteepWave, modelNamed("miche", "shuto"));
  ASSERT_TRUE(b.ok());
  EXPECT_TRUE(b.onsetShorewardOfBreaking());
  EXPECT_EQ(shore::stateAt(b, 1.01 * b.hb).rule, shore::HeightRule::Linear);
}

// Shuto's middle regime: H·h^(2/7) constant between the depth where the
// linear height reaches U = 30 and the one where the 2/7 law reaches U = 50,
// with U = gHT²/h².  Closed form of the second: U ∝ h^(−16/7) on the law.
TEST(ShutoShoaling, HoldsHTimesDepthToTheTwoSeventhsBetweenUrsell30And50) {
  const shore::Wave wave{1, 10, 30, 60};
  shore::ProfileOptions options;
  options.stations = 400;
  const shore::Profile p = shore::profile(wave, options, modelNamed("goda1970", "shuto"));
  ASSERT_TRUE(p.ok());
  const shore::Breaking& b = p.breaking;
  const auto ursell = [&](float H, float h) { return 9.81 * H * 100 / (double(h) * h); };
  const double h30 = double(b.hr30) * b.L0, h50 = double(b.hr50) * b.L0;
  EXPECT_NEAR(ursell(shore::stateAt(b, h30).H, float(h30)), 30, 0.1);
  EXPECT_NEAR(ursell(shore::stateAt(b, h50).H, float(h50)), 50, 0.2);
  EXPECT_NEAR(h50 / (h30 * std::pow(30.0 / 50.0, 7.0 / 16.0)), 1, 1e-3);

  const double invariant = b.Hr30 * b.L0 * std::pow(h30, 2.0 / 7.0);
  int intermediate = 0;
  for (const shore::Station& st : p.stations) {
    if (st.state.rule != shore::HeightRule::Intermediate) continue;
    ++intermediate;
    EXPECT_NEAR(st.state.H * std::pow(double(st.state.h), 2.0 / 7.0) / invariant, 1, 1e-6);
  }
  EXPECT_GT(intermediate, 5);
}

// CEM Example Problem II-4-1 gives Hb ≈ 2.7 m, hb ≈ 3.2 m (one decimal);
// by hand: Hb = 0.56·(2/156.131)^(−1/5)·2 = 2.67738 m, γb = 0.83512,
// hb = 3.20596 m.
TEST(EmpiricalBreaking, CemExampleII41) {
  const shore::EmpiricalBreaking e = shore::empiricalBreaking(kCemWave);
  ASSERT_TRUE(e.ok());
  EXPECT_NEAR(e.Hb, 2.7, 0.05);
  EXPECT_NEAR(e.hb, 3.2, 0.05);
  EXPECT_NEAR(e.Hb / 2.6773790, 1, 1e-6);
  EXPECT_NEAR(e.gamma / 0.8351245, 1, 1e-6);
  EXPECT_NEAR(e.hb / 3.2059637, 1, 1e-6);
  EXPECT_EQ(e.thetaB, 0);
  EXPECT_EQ(e.passes, 1);
}

TEST(EmpiricalBreaking, ObliqueWaveSettlesOnItsOwnRefractionCoefficient) {
  const shore::EmpiricalBreaking e = shore::empiricalBreaking({1, 10, 30, 60});
  ASSERT_TRUE(e.ok());
  EXPECT_GT(e.passes, 1);
  const double a0 = 30 * M_PI / 180, ab = e.thetaB * M_PI / 180;
  EXPECT_NEAR(e.Kr / std::sqrt(std::cos(a0) / std::cos(ab)), 1, 2e-6);
  const double L0 = 9.81 * 100 / (2 * M_PI);
  EXPECT_NEAR(e.Hb / (0.56 * std::pow(e.Kr * 1.0 / L0, -0.2) * e.Kr), 1, 2e-6);
}

TEST(EmpiricalBreaking, NoBreakingDepthWhereWeggelsIndexIsNotPositive) {
  // tanβ = 0.5: γb = 1.56 − 43.8·Hb/(gT²) < 0 once Hb/(gT²) > 0.036.
  const shore::EmpiricalBreaking e = shore::empiricalBreaking({5, 2, 0, 2});
  EXPECT_EQ(e.error, Error::WeggelIndexNotPositive);
  EXPECT_TRUE(std::isnan(e.Hb));
  EXPECT_EQ(shore::empiricalBreaking({-1, 10, 0, 100}).error, Error::InvalidHeight);
}

// By hand: 0.39·1025·√9.81 / (16·√0.78·1625·0.6) · 2^2.5 · sin 20°
// = 0.1758238 m³/s, × 365.25·86400 s = 5548578 m³/year.
TEST(LongshoreTransport, CercFormulaByHandAndItsSign) {
  const shore::Transport t = shore::longshoreTransport(2, 0.78f, 10);
  ASSERT_TRUE(t.ok());
  EXPECT_NEAR(t.perSecond / 0.17582384, 1, 1e-6);
  EXPECT_NEAR(t.perYear / 5548578.3, 1, 1e-6);
  EXPECT_EQ(shore::longshoreTransport(2, 0.78f, -10).perSecond, -t.perSecond);
}

TEST(LongshoreTransport, BreakerIndexIsGammaElseHbOverHb) {
  EXPECT_EQ(shore::breakerIndex(2, 2.5f, 0.7f), 0.7f);
  EXPECT_EQ(shore::breakerIndex(2, 2.5f), static_cast<float>(2.0 / static_cast<double>(2.5f)));
  EXPECT_EQ(shore::longshoreTransport(2, shore::breakerIndex(2, 0), 10).error,
            Error::InvalidBreakingPoint);
}

TEST(LongshoreTransport, BadParametersAndInputsAreTypedErrors) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    shore::TransportParams params;
    Error error;
  } rows[] = {
      {{.K = 0}, Error::InvalidTransportCoefficient},
      {{.K = INFINITY}, Error::InvalidTransportCoefficient},
      {{.rho = -1}, Error::InvalidWaterDensity},
      {{.rhoS = 1025}, Error::InvalidSedimentDensity},
      {{.porosity = 1}, Error::InvalidPorosity},
      {{.porosity = nan}, Error::InvalidPorosity},
      {{.porosity = 0}, Error::None},
  };
  for (const auto& row : rows) {
    const shore::Transport t = shore::longshoreTransport(2, 0.78f, 10, row.params);
    EXPECT_EQ(t.error, row.error);
    EXPECT_EQ(std::isnan(t.perSecond), row.error != Error::None);
  }
  EXPECT_EQ(shore::longshoreTransport(0, 0.78f, 10).error, Error::InvalidBreakingPoint);
  EXPECT_EQ(shore::longshoreTransport(2, NAN, 10).error, Error::InvalidBreakingPoint);
  EXPECT_EQ(shore::longshoreTransport(2, 0.78f, 90).error, Error::InvalidBreakingPoint);
}

}  // namespace
