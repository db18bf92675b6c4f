// Rock armour: Hudson (1959), Van der Meer (1988), Van Gent et al. (2003).
// No published example was at hand to quote digit for digit; the expected
// values are the formulas evaluated independently in double precision.
#include <gtest/gtest.h>

#include <cmath>

#include "structure/armour.h"

namespace {

namespace st = saiha::structure;
using saiha::shore::Error;

struct Row {
  const char* name;
  st::ArmourInput in;
  double Dn50, M50;
  st::ArmourBreaker breaker;
};

TEST(Armour, AgainstTheFormulasByHand) {
  const Row rows[] = {
      {"hudson", {.method = st::ArmourMethod::Hudson, .Hs = 3, .cotAlpha = 2, .KD = 4},
       0.9461538461538461, 2244.5596495220752, st::ArmourBreaker::None},
      {"van der meer, plunging", {.Hs = 3, .T = 7, .cotAlpha = 3}, 0.9053484385896134,
       1966.4963502038229, st::ArmourBreaker::Plunging},
      {"van der meer, surging", {.Hs = 3, .T = 12, .cotAlpha = 1.5}, 1.3188957804638202,
       6079.6322544218065, st::ArmourBreaker::Surging},
      {"van gent", {.method = st::ArmourMethod::VanGent2003, .Hs = 3, .T = 9, .cotAlpha = 3},
       1.0607875909918747, 3163.232879604958, st::ArmourBreaker::Plunging},
  };
  for (const Row& row : rows) {
    const st::ArmourResult r = st::armour(row.in);
    ASSERT_TRUE(r.ok()) << row.name;
    EXPECT_NEAR(r.Dn50, row.Dn50, 2e-6 * row.Dn50) << row.name;
    EXPECT_NEAR(r.M50, row.M50, 5e-6 * row.M50) << row.name;
    EXPECT_EQ(r.breaker, row.breaker) << row.name;
  }
}

// Hudson: M50 ∝ H³; on slopes of 1:4 and gentler Van der Meer's plunging
// formula alone.
TEST(Armour, Limits) {
  st::ArmourInput in{.method = st::ArmourMethod::Hudson, .Hs = 2, .cotAlpha = 2};
  const float m2 = st::armour(in).M50;
  in.Hs = 4;
  EXPECT_NEAR(st::armour(in).M50 / m2, 8.0f, 1e-5f);
  st::ArmourInput gentle{.Hs = 2, .T = 16, .cotAlpha = 4};
  const st::ArmourResult r = st::armour(gentle);
  EXPECT_GT(r.xi, r.xiCritical);
  EXPECT_EQ(r.breaker, st::ArmourBreaker::Plunging);
}

TEST(Armour, BadInputsAreErrors) {
  struct Bad {
    const char* name;
    st::ArmourInput in;
    Error error;
  };
  const Bad rows[] = {
      {"Hs zero", {.Hs = 0, .T = 8, .cotAlpha = 2}, Error::InvalidDesignHeight},
      {"T zero", {.Hs = 2, .T = 0, .cotAlpha = 2}, Error::InvalidDesignPeriod},
      {"cot negative", {.Hs = 2, .T = 8, .cotAlpha = -2}, Error::InvalidStructureSlope},
      {"P above 0.6", {.Hs = 2, .T = 8, .cotAlpha = 2, .P = 0.7}, Error::InvalidArmourParameter},
      {"N below 1", {.Hs = 2, .T = 8, .cotAlpha = 2, .N = 0.5}, Error::InvalidArmourParameter},
      {"KD zero", {.method = st::ArmourMethod::Hudson, .Hs = 2, .cotAlpha = 2, .KD = 0},
       Error::InvalidArmourParameter},
      {"rock lighter than water", {.Hs = 2, .T = 8, .cotAlpha = 2, .rhoS = 1000},
       Error::InvalidRockDensity},
      {"H2 below Hs", {.method = st::ArmourMethod::VanGent2003, .Hs = 2, .T = 8, .cotAlpha = 2,
                       .H2 = 1.5},
       Error::HeightOrder},
  };
  for (const Bad& row : rows) {
    const st::ArmourResult r = st::armour(row.in);
    EXPECT_EQ(r.error, row.error) << row.name;
    EXPECT_TRUE(std::isnan(r.Dn50)) << row.name;
  }
}

}  // namespace
