// Wave formulas: published values, limits, and the faults and guards that
// bad arguments must raise.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <variant>

#include "runtime/checked.h"
#include "wave/errors.h"
#include "wave/formulas.h"

namespace {

namespace rt = saiha::rt;
namespace wave = saiha::wave;
using rt::Fault;
using wave::Failure;

// Linear-theory wavelength by Newton's method on ω²h/g = kh·tanh(kh), with
// this calculation's π and g, as an independent yardstick.
double dispersionWavelength(double T, double h) {
  const double y = std::pow(wave::kPi / T, 2.0) * 4 * h / wave::kGravity;
  double kh = std::sqrt(y);
  for (int i = 0; i < 100; ++i) {
    const double f = kh * std::tanh(kh) - y;
    const double df = std::tanh(kh) + kh / std::pow(std::cosh(kh), 2);
    kh -= f / df;
  }
  return wave::kTwoPi * h / kh;
}

TEST(WaveLength, MatchesPublishedExample) {
  // T = 10 s at h = 3 m: L ≈ 53.2 m and C ≈ 5.32 m/s (Coastal Engineering
  // Manual, Example II-1-1).
  const double L = wave::waveLength(10, 3);
  EXPECT_NEAR(L, 53.2, 0.05);
  EXPECT_NEAR(L / 10, 5.32, 0.005);
}

TEST(WaveLength, AgreesWithDispersionRelationWithinItsTolerance) {
  // The iteration stops when successive kh agree to 1e-4.
  for (float T : {2.0f, 6.0f, 10.0f, 20.0f}) {
    for (float h : {0.1f, 1.0f, 5.0f, 20.0f, 80.0f}) {
      const double expected = dispersionWavelength(T, h);
      EXPECT_NEAR(wave::waveLength(T, h) / expected, 1.0, 2e-4) << "T=" << T << " h=" << h;
    }
  }
}

TEST(WaveLength, DeepWaterGivesDeepWaterWavelength) {
  // Beyond h/L0 ≈ 0.79 one pass settles: L = g·T²/(2π) to within 1 − tanh(2π·h/L0).
  const double L0 = wave::kGravity * 100 / (2 * wave::kPi);
  EXPECT_NEAR(wave::waveLength(10, 130), L0, L0 * 1e-4);
  EXPECT_NEAR(wave::waveLength(10, 1000), L0, L0 * 1e-12);
  // Where e^(2kh) overflows (h/L0 ≈ 56 and beyond) the limit coth kh = 1
  // holds, exactly: L = 2π·h/kh with kh = ω²h/g.
  const double L0short = wave::kGravity * 4 / (2 * wave::kPi);
  EXPECT_NEAR(wave::waveLength(2, 350), L0short, L0short * 1e-12);
  EXPECT_NEAR(wave::waveLength(1, 1e5f), L0short / 4, L0short * 1e-12);
}

TEST(Hyperbolic, DeepWaterLimitsWhereTheExponentialOverflows) {
  EXPECT_EQ(wave::waveCosech(710), 0.0);
  EXPECT_TRUE(std::signbit(wave::waveCosech(-710)));
  EXPECT_EQ(wave::waveCoth(710), 1.0);
  EXPECT_EQ(wave::waveCoth(-710), -1.0);
  // Just inside the exponent range the formulas still run as written.
  EXPECT_GT(wave::waveCosech(709), 0.0);
  EXPECT_EQ(wave::groupRatio(1e4f, 1), 0.5);  // x = 4π·10⁴: x/sinh x → 0
}

TEST(RefractedAngle, FollowsSnellsLaw) {
  EXPECT_EQ(wave::refractedAngle(50, 100, 0), 0.0);
  const double a = wave::refractedAngle(50, 100, 0.5f);
  EXPECT_NEAR(std::sin(a) / 50, std::sin(0.5) / 100, 1e-8);
  EXPECT_EQ(wave::refractedAngle(50, 100, -0.5f), -a);
}

TEST(RefractedAngle, NoDirectionAtOrBeyondUnitSine) {
  const float rightAngle = 1.57079637f;  // sin narrows to exactly 1
  EXPECT_EQ(wave::refractedAngle(100, 100, rightAngle), 0.0);
  EXPECT_EQ(wave::refractedAngle(100, 100, -rightAngle), 0.0);
  EXPECT_EQ(wave::refractedAngle(200, 100, 0.8f), 0.0);
}

TEST(Coefficients, ExactWhereTheoryIsExact) {
  EXPECT_EQ(wave::refractionCoef(0, 0), 1.0);
  EXPECT_EQ(wave::shoalingCoef(156, 156, 0.5f), 1.0);
  // cos α is narrowed to single, so equal angles give 1 only up to that.
  const double k = wave::refractionCoef(0.3f, 0.3f);
  EXPECT_NE(k, 1.0);
  EXPECT_NEAR(k, 1.0, 3e-8);
}

TEST(GroupRatio, TendsToHalfInDeepAndOneInShallowWater) {
  EXPECT_NEAR(wave::groupRatio(100, 50), 0.5, 1e-9);
  EXPECT_NEAR(wave::groupRatio(0.001f, 100), 1.0, 1e-8);
  const double mid = wave::groupRatio(5, 50);
  EXPECT_GT(mid, 0.5);
  EXPECT_LT(mid, 1.0);
}

TEST(UrsellRoot, ZeroesANegativeHeightRatio) {
  float Hr = -0.01f;
  EXPECT_EQ(wave::ursellRoot(Hr, 0.05f), 0.0);
  EXPECT_EQ(Hr, 0.0f);
  float positive = 0.01f;
  EXPECT_NEAR(wave::ursellRoot(positive, 0.05f), std::sqrt(0.01 * 6.283184) / 0.05, 1e-6);
  EXPECT_EQ(positive, 0.01f);
  EXPECT_EQ(wave::ursell50Height(0), 0.0);
}

TEST(NonlinearHeightRatio, KnownPairReturnsItself) {
  float Hr1 = 0.01f;
  EXPECT_NEAR(wave::nonlinearHeightRatio(Hr1, 0.05f, 0.05f), 0.01f, 1e-15);
}

TEST(NonlinearHeightRatio, ZeroesANegativeKnownHeight) {
  float Hr1 = -0.01f;
  EXPECT_EQ(wave::nonlinearHeightRatio(Hr1, 0.05f, 0.03f), 0.0);
  EXPECT_EQ(Hr1, 0.0f);
}

TEST(NonlinearHeightRatio, GrowsShorewardAndConservesTheInvariant) {
  // H·h^(5/2)·(√U − 2√3) is the same at both depths, up to the iteration's
  // tolerance on √U.
  float Hr1 = 0.0068f;
  const float hr1 = 0.029f, hr = 0.015f;
  const double Hr = wave::nonlinearHeightRatio(Hr1, hr1, hr);
  EXPECT_GT(Hr, Hr1);
  const auto invariant = [](double H, double h) {
    return H * std::pow(h, 2.5) * (std::sqrt(H * 6.283184) / h - 2 * std::sqrt(3.0));
  };
  EXPECT_NEAR(invariant(Hr, hr) / invariant(Hr1, hr1), 1.0, 2e-3);
}

TEST(BreakingHeightRatio, LimitsAndFlatBottom) {
  EXPECT_EQ(wave::breakingHeightRatio(0, 0.02f), 0.0);
  EXPECT_NEAR(wave::breakingHeightRatio(2, 0.02f), 0.17, 2e-5);
  const float hr = 0.1f;
  EXPECT_EQ(wave::breakingHeightRatio(hr, 0),
            0.17 * (1 - std::exp(-4.712388000000001 * hr)));
  EXPECT_GT(wave::breakingHeightRatio(hr, 0.1f), wave::breakingHeightRatio(hr, 0.01f));
}

// What a call must end with: a value, a fault of a kind, or a guard.
using Outcome = std::variant<std::monostate, Fault, Failure>;

Outcome outcomeOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const rt::ArithmeticFault& f) {
    return f.fault();
  } catch (const wave::WaveError& e) {
    return e.failure();
  }
  return {};
}

struct BadArgumentRow {
  const char* name;
  std::function<void()> call;
  Outcome expected;

  friend void PrintTo(const BadArgumentRow& row, std::ostream* os) { *os << row.name; }
};

float someHr = 0.01f;
float zeroHr = 0.0f;

const BadArgumentRow kBadArguments[] = {
    {"WaveLengthZeroPeriod", [] { wave::waveLength(0, 3); }, Fault::DivisionByZero},
    {"WaveLengthZeroDepth", [] { wave::waveLength(10, 0); }, Fault::InvalidOperation},
    // NaN never settles: the pass limit ends the iteration instead of a hang.
    {"WaveLengthNaNPeriodGivesUp", [] { wave::waveLength(std::nanf(""), 3); },
     Failure::WaveLengthLimit},
    {"CosechOfZero", [] { wave::waveCosech(0); }, Fault::DivisionByZero},
    {"CothOfZero", [] { wave::waveCoth(0); }, Fault::DivisionByZero},
    {"SinhBeyondExpRange", [] { wave::waveSinh(710); }, Fault::Overflow},
    {"RefractedAngleZeroDeepWavelength", [] { wave::refractedAngle(50, 0, 0.5f); },
     Fault::DivisionByZero},
    {"RefractedAngleBothWavelengthsZero", [] { wave::refractedAngle(0, 0, 0.5f); },
     Fault::InvalidOperation},
    {"RefractionNegativeCosineRatio", [] { wave::refractionCoef(3, 0); },
     Fault::InvalidOperation},
    {"GroupRatioZeroWavelength", [] { wave::groupRatio(5, 0); }, Fault::DivisionByZero},
    {"GroupRatioZeroDepth", [] { wave::groupRatio(0, 50); }, Fault::InvalidOperation},
    {"ShoalingNegativeQuotient", [] { wave::shoalingCoef(50, -100, 0.6f); },
     Fault::InvalidOperation},
    {"ShoalingZeroWavelength", [] { wave::shoalingCoef(0, 100, 0.6f); },
     Failure::CoefficientDivisor},
    {"ShoalingZeroGroupRatio", [] { wave::shoalingCoef(50, 100, 0); },
     Failure::CoefficientDivisor},
    {"ShoalingGuardsBeforeDividing", [] { wave::shoalingCoef(0, 0, 0); },
     Failure::CoefficientDivisor},
    {"UrsellRootZeroDepth", [] { wave::ursellRoot(someHr, 0); }, Fault::DivisionByZero},
    {"UrsellRootZeroHeightAndDepth", [] { wave::ursellRoot(zeroHr, 0); },
     Fault::InvalidOperation},
    {"NonlinearNegativeKnownDepth", [] { wave::nonlinearHeightRatio(someHr, -0.05f, 0.03f); },
     Fault::InvalidOperation},
    {"NonlinearZeroDepth", [] { wave::nonlinearHeightRatio(someHr, 0.05f, 0); },
     Fault::DivisionByZero},
    {"BreakingNegativeSlope", [] { wave::breakingHeightRatio(0.05f, -0.02f); },
     Fault::InvalidOperation},
};

class BadArgument : public testing::TestWithParam<BadArgumentRow> {};

TEST_P(BadArgument, EndsWithTheRightError) {
  EXPECT_EQ(outcomeOf(GetParam().call), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Formulas, BadArgument, testing::ValuesIn(kBadArguments),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
