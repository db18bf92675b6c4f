// The searches' look-ahead: bisection several halvings a round and the
// lock-step lanes of the two iterations, each against the one-probe-at-a-time
// form it stands in for, to the last bit.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "runtime/checked.h"
#include "wave/bisection.h"
#include "wave/errors.h"
#include "wave/formulas.h"
#include "wave/searches.h"
#include "wave/detail/lanes.h"

namespace {

namespace rt = saiha::rt;
namespace wave = saiha::wave;
namespace detail = saiha::wave::detail;

std::uint64_t bitsOf(double x) { return std::bit_cast<std::uint64_t>(x); }

struct MismatchRow {
  const char* name;
  std::function<float(float)> mismatch;

  friend void PrintTo(const MismatchRow& row, std::ostream* os) { *os << row.name; }
};

const MismatchRow kMismatches[] = {
    {"RootNearLowerEnd", [](float x) { return x - 0.0015f; }},
    {"RootInTheMiddle", [](float x) { return 0.3f - x; }},
    {"RootNearUpperEnd", [](float x) { return x - 0.97f; }},
    {"OneSignThroughout", [](float) { return 1.0f; }},
    {"ZeroAtAMidpoint", [](float x) { return x < 0.3f ? 1.0f : (x < 0.6f ? 0.0f : -1.0f); }},
    {"ProductUnderflows", [](float x) { return x < 0.01f ? 1e-30f : -1e-30f; }},
    {"ProductOverflows", [](float x) { return x < 0.2f ? 1e30f : -1e30f; }},
};

// What a bisection probed, how it ended, or the fault that ended it.
struct Trace {
  std::vector<float> probed;
  wave::BisectionResult result{};
  std::optional<rt::Fault> fault;
};

template <class Run>
Trace traced(Run&& run) {
  Trace trace;
  try {
    trace.result = run(trace.probed);
  } catch (const rt::ArithmeticFault& f) {
    trace.fault = f.fault();
  }
  return trace;
}

class LookAheadBisection : public testing::TestWithParam<MismatchRow> {};

template <int Levels>
Trace aheadTrace(const MismatchRow& row) {
  return traced([&](std::vector<float>& probed) {
    return wave::bisectDepthRatioAhead<Levels>([](const auto&, std::optional<float>) {},
                                               [&](float r, int) {
                                                 probed.push_back(r);
                                                 return row.mismatch(r);
                                               });
  });
}

TEST_P(LookAheadBisection, ProbesAndEndsAsOneHalvingAtATime) {
  const MismatchRow& row = GetParam();
  const Trace plain = traced([&](std::vector<float>& probed) {
    return wave::bisectDepthRatio([&](float r) {
      probed.push_back(r);
      return row.mismatch(r);
    });
  });
  for (const Trace& ahead : {aheadTrace<2>(row), aheadTrace<3>(row)}) {
    EXPECT_EQ(ahead.probed, plain.probed);
    EXPECT_EQ(ahead.fault, plain.fault);
    EXPECT_EQ(ahead.result.ratio, plain.result.ratio);
    EXPECT_EQ(ahead.result.probes, plain.result.probes);
    EXPECT_EQ(ahead.result.zeroProduct, plain.result.zeroProduct);
    EXPECT_EQ(ahead.result.upperMoved, plain.result.upperMoved);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, LookAheadBisection, testing::ValuesIn(kMismatches),
                         [](const auto& info) { return std::string(info.param.name); });

// Onset pairs of ordinary waves, and of one too steep to shoal (its
// nonlinear iteration never settles at small depth ratios).
struct OnsetRow {
  const char* name;
  float Ho, T, ao;
};
const OnsetRow kOnsets[] = {
    {"DefaultCase", 1, 10, 0.5235988f},
    {"StormSwell", 4.7421f, 18.977f, -0.1884956f},
    {"ShortSteepWave", 9.2f, 6.0372f, 1.18524f},
    {"TooSteepToShoal", 3, 2, 0},
};

TEST(NonlinearLanes, GiveTheCheckedHeightOrNothing) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> ratio(0.001f, 1.0f);
  for (const OnsetRow& row : kOnsets) {
    float Hr50 = 0, hr50 = 0;
    wave::findNonlinearOnset(Hr50, hr50, row.Ho, row.T, row.ao);
    detail::NonlinearOrigin origin(Hr50, hr50);
    const detail::NonlinearStart terms = origin.terms();
    // Three lanes take the portable passes, eight the vector ones where the
    // processor has them.
    for (int count : {3, 8}) {
      int given = 0;
      for (int round = 0; round < 40; ++round) {
        std::array<float, 8> hr;
        for (float& r : hr) r = ratio(random);
        detail::NonlinearLanes lanes;
        lanes.start(terms, hr.data(), count);
        for (int i = count - 1; i >= 0; --i) {
          std::optional<double> checked;
          try {
            float copy = Hr50;
            checked = wave::nonlinearHeightRatio(copy, hr50, hr[std::size_t(i)]);
          } catch (const wave::WaveError&) {
          }
          const std::optional<double> lane = lanes.result(i);
          if (lane) {
            ++given;
            ASSERT_TRUE(checked) << row.name << " hr " << hr[std::size_t(i)];
            EXPECT_EQ(bitsOf(*lane), bitsOf(*checked)) << row.name << " hr " << hr[std::size_t(i)];
          }
        }
      }
      // Ordinary waves settle everywhere; the too steep one somewhere.
      EXPECT_GT(given, std::string(row.name) == "TooSteepToShoal" ? 0 : 40 * count - 1) << row.name;
    }
  }
}

TEST(WaveLengthLanes, GiveTheCheckedWavelengthOrNothing) {
  // Shallow, intermediate and deep water, beyond the overflow of e^(2kh),
  // and a zero depth, where the checked formula faults.
  for (float T : {2.0f, 10.0f, 25.0f}) {
    const std::array<float, 8> h = {0.01f, 1.5f, 40, 300, 1e5f, 3e7f, 0.0f, 7e-6f};
    detail::WaveLengthLanes lanes;
    lanes.start(detail::dispersionFactor(T), h.data(), 8);
    for (int i = 7; i >= 0; --i) {
      const float depth = h[std::size_t(i)];
      std::optional<float> checked;
      try {
        checked = rt::narrow(wave::waveLength(T, depth));
      } catch (const rt::ArithmeticFault&) {
      }
      const std::optional<float> lane = lanes.result(i);
      EXPECT_EQ(lane.has_value(), checked.has_value()) << "T " << T << " h " << depth;
      if (lane && checked) {
        EXPECT_EQ(std::bit_cast<std::uint32_t>(*lane), std::bit_cast<std::uint32_t>(*checked))
            << "T " << T << " h " << depth;
      }
    }
  }
}

TEST(LookAheadSearches, FirstProbeFaultsAsBefore) {
  // The look-ahead forms the first probe's terms before that probe: their
  // faults must still be the ones the first probe raises.
  float Hr50 = 0.01f, Hbr = -1, hbr = -1;
  try {
    wave::findBreakingPoint(Hr50, -0.02f, Hbr, hbr, 1.0f / 60);  // negative base to the 5/2
    FAIL() << "no fault";
  } catch (const rt::ArithmeticFault& f) {
    EXPECT_EQ(f.fault(), rt::Fault::InvalidOperation);
  }
  EXPECT_EQ(hbr, -1);
  try {
    wave::findBreakingPoint(Hr50, 0.02f, Hbr, hbr, -0.1f);  // negative base to the 4/3
    FAIL() << "no fault";
  } catch (const rt::ArithmeticFault& f) {
    EXPECT_EQ(f.fault(), rt::Fault::InvalidOperation);
  }
  EXPECT_EQ(hbr, -1);
}

}  // namespace
