// The double-precision linear dispersion relation: wavelengths from shallow
// water to deep against an independent 40-digit bisection of
// ω² = g·k·tanh(kh), the two limits, and nothing but nullopt outside the
// domain.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "wave/dispersion.h"

namespace saiha::wave {
namespace {

struct Length {
  const char* name;
  double T, h;  // s, m
  double L;     // m, the bisection's
};
void PrintTo(const Length& c, std::ostream* os) { *os << c.name; }

class DispersionTest : public testing::TestWithParam<Length> {};

TEST_P(DispersionTest, AgreesWithTheBisectionToTwelveDigits) {
  const Length& c = GetParam();
  const std::optional<double> L = linearWavelength(c.T, c.h);
  ASSERT_TRUE(L.has_value());
  EXPECT_NEAR(*L, c.L, 1e-12 * c.L);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, DispersionTest,
    testing::Values(Length{"ShelfSwell_T10_h10", 10, 10, 92.373872711764},
                    Length{"Intermediate_T8_h2", 8, 2, 34.691452547718},
                    Length{"Offshore_T12_h50", 12, 50, 204.832754639642},
                    Length{"DeepWater_T5_h200", 5, 200, 39.032749793287},
                    Length{"Shallow_T16_h0_5", 16, 0.5, 35.389148887476},
                    Length{"VeryShallow_T4_h0_01", 4, 0.01, 1.252311572068}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Dispersion, TendsToItsDeepAndShallowLimits) {
  // Deep water: L0 = g·T²/(2π); shallow: T·√(g·h).
  const double g = 9.81, T = 10;
  EXPECT_NEAR(*linearWavelength(T, 2000), g * T * T / (2 * std::numbers::pi), 1e-9);
  const double h = 1e-4;
  EXPECT_NEAR(*linearWavelength(T, h) / (T * std::sqrt(g * h)), 1, 1e-6);
}

TEST(Dispersion, OutsideTheDomainGivesNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const auto& [T, h] : {std::pair{0.0, 10.0}, {-8.0, 10.0}, {8.0, 0.0}, {8.0, -1.0},
                             {nan, 10.0}, {8.0, nan}, {inf, 10.0}, {8.0, inf}}) {
    EXPECT_FALSE(linearWavelength(T, h).has_value()) << "T " << T << ", h " << h;
  }
}

}  // namespace
}  // namespace saiha::wave
