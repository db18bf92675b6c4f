// The bisection and the two searches built on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <ostream>
#include <string>

#include "runtime/checked.h"
#include "wave/bisection.h"
#include "wave/errors.h"
#include "wave/formulas.h"
#include "wave/searches.h"

namespace {

namespace rt = saiha::rt;
namespace wave = saiha::wave;
using wave::bisectDepthRatio;
using wave::Failure;

constexpr float kLowerEnd = 0.001f;  // 0.0010000000474974513

TEST(Bisection, OneSignThroughoutClimbsToTheUpperEnd) {
  const auto r = bisectDepthRatio([](float) { return 1.0f; });
  EXPECT_EQ(r.probes, 11);  // the lower end, then 10 halvings
  EXPECT_FALSE(r.upperMoved);
  EXPECT_FALSE(r.zeroProduct);
  // Midpoint of the interval that ends at 1 and is 1/1024 of the first.
  EXPECT_FLOAT_EQ(r.ratio, 1.0f - (1.0f - kLowerEnd) / 2048);
}

TEST(Bisection, OppositeSignThroughoutFallsToTheLowerEnd) {
  bool first = true;
  const auto r = bisectDepthRatio([&](float) {
    const float f = first ? 1.0f : -1.0f;
    first = false;
    return f;
  });
  EXPECT_EQ(r.probes, 21);  // the lower end, then 20 halvings
  EXPECT_TRUE(r.upperMoved);
  EXPECT_FLOAT_EQ(r.ratio, kLowerEnd + (1.0f - kLowerEnd) / 2097152);
}

TEST(Bisection, FindsASignChangeToOneThousandth) {
  for (float root : {0.0015f, 0.013f, 0.3f, 0.97f}) {
    const auto r = bisectDepthRatio([&](float x) { return x - root; });
    EXPECT_TRUE(r.upperMoved);
    EXPECT_NEAR(r.ratio / root, 1.0, 1e-3) << root;
  }
}

TEST(Bisection, ZeroMismatchAtTheLowerEndStopsAtTheFirstMidpoint) {
  const auto r = bisectDepthRatio([](float x) { return x == kLowerEnd ? 0.0f : 5.0f; });
  EXPECT_TRUE(r.zeroProduct);
  EXPECT_EQ(r.probes, 2);
  EXPECT_EQ(r.ratio, rt::narrow((1.0 + double(kLowerEnd)) / 2));
}

TEST(Bisection, ZeroMismatchAtAMidpointEndsThere) {
  float probed = 0;
  const auto r = bisectDepthRatio([&](float x) {
    if (x < 0.3f) return 1.0f;
    probed = x;
    return x < 0.2f ? -1.0f : 0.0f;
  });
  EXPECT_TRUE(r.zeroProduct);
  EXPECT_EQ(r.ratio, probed);
}

TEST(Bisection, ProductUnderflowCountsAsZero) {
  const auto r = bisectDepthRatio([](float) { return 1e-30f; });
  EXPECT_TRUE(r.zeroProduct);
  EXPECT_EQ(r.probes, 2);
}

TEST(Bisection, ProductBeyondSingleRangeIsAnOverflow) {
  try {
    bisectDepthRatio([](float) { return 1e30f; });
    FAIL() << "no fault";
  } catch (const rt::ArithmeticFault& f) {
    EXPECT_EQ(f.fault(), rt::Fault::Overflow);
  }
}

// Onset and breaking points by their single-precision bit patterns, as an
// independent computation of the same formulas gives them: every narrowing
// of the searches shows in the last bits.
struct PointRow {
  const char* name;
  double Ho, T, degrees, n;  // as read from the boxes
  std::uint32_t hr50, Hr50, hbr, Hbr;

  friend void PrintTo(const PointRow& row, std::ostream* os) { *os << row.name; }
};

const PointRow kPoints[] = {
    {"DefaultCase", 1, 10, 30, 60, 0x3cefc5ce, 0x3bdf634e, 0x3c591edc, 0x3c3307f4},
    {"LongSwellGentleSlope", 1.32, 17.4, 11.74, 66.7, 0x3ca8980c, 0x3b5ce398, 0x3bfaecb4, 0x3bd02cb7},
    {"HighWaveSteepBeach", 9.65, 9.96, 58.4154, 11, 0x3d9dd45e, 0x3d419538, 0x3d587228, 0x3d665b71},
    {"NegativeAngleFlatBeach", 0.9, 8.30, -9.5348, 392.75, 0x3d0ae608, 0x3c15edd5, 0x3c8d9ef6, 0x3c5b0029},
    {"ShortSteepWaveOblique", 9.2, 6.0372, 67.91, 410.01, 0x3dee7fb0, 0x3ddd0541, 0x3df7fd42, 0x3d97f0aa},
    {"StormSwell", 4.7421, 18.977, -10.8, 136.3757, 0x3d0b45f0, 0x3c16bd28, 0x3c8cff1e, 0x3c5d6f66},
    {"VerySteepSlope", 8.7, 23.40, -49.1, 6.2214, 0x3d0c25b6, 0x3c18a312, 0x3c382750, 0x3ca070ed},
    {"TinyAngle", 1.67, 16.08, 0.00412, 12.2, 0x3cca2f70, 0x3b9ed700, 0x3c089382, 0x3c22e3de},
    {"WindSeaObliqueSlope", 7.48, 9.73, 35.46, 30.4, 0x3d9af51a, 0x3d3a99fa, 0x3d7f7828, 0x3d48e38c},
    {"SwellLargeAngle", 9.55, 21.2, 68.4, 51.9, 0x3d0d6564, 0x3c1b5e82, 0x3c8c3f50, 0x3c67e44a},
};

class SearchPoints : public testing::TestWithParam<PointRow> {};

TEST_P(SearchPoints, MatchToTheLastBit) {
  const PointRow& row = GetParam();
  const float ao = rt::narrow(rt::Real(row.degrees) / 180 * wave::kPi);
  const float tanBeta = rt::narrow(rt::Real(1) / row.n);
  float Hr50 = -1, hr50 = -1, Hbr = -1, hbr = -1;
  wave::findNonlinearOnset(Hr50, hr50, static_cast<float>(row.Ho), static_cast<float>(row.T), ao);
  wave::findBreakingPoint(Hr50, hr50, Hbr, hbr, tanBeta);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(hr50), row.hr50);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(Hr50), row.Hr50);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(hbr), row.hbr);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(Hbr), row.Hbr);
  // The height ratios are the limits at the depth ratios found.
  EXPECT_EQ(Hr50, rt::narrow(wave::ursell50Height(hr50)));
  EXPECT_EQ(Hbr, rt::narrow(wave::breakingHeightRatio(hbr, tanBeta)));
}

INSTANTIATE_TEST_SUITE_P(Cases, SearchPoints, testing::ValuesIn(kPoints),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NonlinearOnset, RatiosReferToOnePointFiveSixTSquared) {
  // For T = 10 s the trial depth at ratio r is r·156 m: the linear height
  // meets the Ursell-50 line there, so the mismatch at 156·hr50 is small
  // against the mismatch one percent either side.
  float Hr50 = 0, hr50 = 0;
  const float ao = 0.5f;
  wave::findNonlinearOnset(Hr50, hr50, 1, 10, ao);
  const float L0 = 156;
  const auto mismatch = [&](double scale) {
    const float h = rt::narrow(hr50 * scale * L0);
    return wave::onsetMismatch(h, rt::narrow(wave::waveLength(10, h)), 1, L0, ao);
  };
  EXPECT_GT(mismatch(1.01), 0);
  EXPECT_LT(mismatch(0.99), 0);
}

TEST(Searches, ZeroPeriodFaultsAndWritesNothing) {
  float Hr50 = -1, hr50 = -1;
  try {
    wave::findNonlinearOnset(Hr50, hr50, 1, 0, 0);
    FAIL() << "no fault";
  } catch (const rt::ArithmeticFault& f) {
    EXPECT_EQ(f.fault(), rt::Fault::DivisionByZero);
  }
  EXPECT_EQ(Hr50, -1);
  EXPECT_EQ(hr50, -1);
}

struct FailureRow {
  const char* name;
  float Ho, T, ao, tanBeta;
  Failure expected;

  friend void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }
};

const FailureRow kFailures[] = {
    // Deep-water steepness far beyond breaking: nonlinear shoaling from the
    // onset does not settle at the first breaking probe.
    {"SteepWaveDoesNotShoal", 3, 2, 0, 1.0f / 60, Failure::NonlinearShoalingLimit},
    // A very low, long wave before a 100:1 wall: Goda's limit there stays
    // near 0.17, which the wave never reaches down to h/L0 = 1e-5.  (On 1/60
    // it breaks at h/L0 ≈ 0.00023, below the floor.)
    {"LowLongWaveNeverBreaks", 0.01f, 20, 0, 100, Failure::BreakingNotFound},
};

class SearchFailure : public testing::TestWithParam<FailureRow> {};

TEST_P(SearchFailure, IsAnErrorNotABogusPoint) {
  const FailureRow& row = GetParam();
  float Hr50 = -1, hr50 = -1, Hbr = -1, hbr = -1;
  try {
    wave::findNonlinearOnset(Hr50, hr50, row.Ho, row.T, row.ao);
    wave::findBreakingPoint(Hr50, hr50, Hbr, hbr, row.tanBeta);
    FAIL() << "breaking point returned: " << hbr;
  } catch (const wave::WaveError& e) {
    EXPECT_EQ(e.failure(), row.expected);
  }
  EXPECT_EQ(Hbr, -1);
  EXPECT_EQ(hbr, -1);
}

INSTANTIATE_TEST_SUITE_P(Cases, SearchFailure, testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

// The breaking search continued below the floor, on mismatches of known
// roots: negative seaward, positive shoreward.
TEST(BelowFloor, FindsTheFirstCrossingToOneThousandth) {
  for (float root : {0.00099f, 0.0004f, 0.000011f}) {
    const auto r = wave::crossingBelowFloor([&](float x) { return root - x; });
    ASSERT_TRUE(r) << root;
    EXPECT_LT(*r, wave::kSearchFloor);
    EXPECT_NEAR(*r / root, 1.0, 1e-3) << root;
  }
  // Two crossings: the one nearer deep water, where the wave first breaks.
  const auto r = wave::crossingBelowFloor(
      [](float x) { return x > 0.0005f ? 0.0005f - x : (x > 0.0001f ? 1.0f : -1.0f); });
  ASSERT_TRUE(r);
  EXPECT_NEAR(*r / 0.0005f, 1.0, 1e-3);
}

TEST(BelowFloor, ClaimsNoCrossingWithoutOne) {
  // Already broken at the floor: nothing below it is asked for.
  int probes = 0;
  EXPECT_FALSE(wave::crossingBelowFloor([&](float) { return ++probes, 1.0f; }));
  EXPECT_EQ(probes, 1);
  // Unbroken all the way down: the probes stop at 1e-5.
  float shallowest = 1;
  EXPECT_FALSE(wave::crossingBelowFloor([&](float x) {
    shallowest = std::min(shallowest, x);
    return -1.0f;
  }));
  EXPECT_EQ(shallowest, wave::kShallowestRatio);
  // A formula that faults before the wave breaks: no crossing is claimed.
  EXPECT_FALSE(wave::crossingBelowFloor([](float x) {
    if (x < 0.0005f) throw rt::ArithmeticFault(rt::Fault::Overflow);
    return 0.0001f - x;
  }));
}

TEST(BelowFloor, NeverProbesShorewardOfTheBracket) {
  // Faults shoreward of the crossing's bracket are never met.
  const auto r = wave::crossingBelowFloor([](float x) {
    if (x < 0.0002f) throw wave::WaveError(Failure::NonlinearShoalingLimit);
    return 0.0003f - x;
  });
  ASSERT_TRUE(r);
  EXPECT_NEAR(*r / 0.0003f, 1.0, 1e-3);
  // A zero at a step is the crossing itself.
  float zeroAt = 0;
  const auto z = wave::crossingBelowFloor([&](float x) {
    if (x < 0.0006f && zeroAt == 0) zeroAt = x;
    return x == zeroAt ? 0.0f : (x > 0.0006f ? -1.0f : 1.0f);
  });
  ASSERT_TRUE(z);
  EXPECT_EQ(*z, zeroAt);
}

TEST(OnsetSearch, NoCrossingIsAnError) {
  // Far too low a wave stays below the Ursell-50 line, far too high a one
  // above it, over the whole range of depth ratios.
  for (float Ho : {1e-30f, 2000.0f}) {
    float Hr50 = -1, hr50 = -1;
    try {
      wave::findNonlinearOnset(Hr50, hr50, Ho, 10, 0);
      ADD_FAILURE() << "onset returned for Ho=" << Ho << ": " << hr50;
    } catch (const wave::WaveError& e) {
      EXPECT_EQ(e.failure(), Failure::OnsetNotFound);
    }
    EXPECT_EQ(hr50, -1);
  }
}

}  // namespace
