// The iterations of many states in the lanes, and four onset mismatches at
// once, against the checked formulas: where a lane gives a result it has the
// formula's bits; where the formula faults or fails, the lane gives nothing
// (or hands the probe back), so the caller raises the fault as always.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "runtime/checked.h"
#include "wave/detail/batch.h"
#include "wave/detail/probe_lanes.h"
#include "wave/detail/terms.h"
#include "wave/formulas.h"

namespace {

namespace wave = saiha::wave;
using wave::detail::LanePath;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// The formula's result, or nothing where it raises.
template <class Formula>
auto checked(Formula&& formula) -> std::optional<decltype(formula())> {
  try {
    return formula();
  } catch (...) {
    return std::nullopt;
  }
}

class Lanes : public testing::TestWithParam<LanePath> {};

// Periods and depths from the shallowest probe to far beyond deep water
// (where the relation takes its deep-water limit), zero, negative and not
// numbers.
TEST_P(Lanes, WaveLengthsAsTheFormulaGivesThem) {
  const float periods[] = {0.5f, 4, 10, 20, 1000, 0, -3};
  const float depths[] = {1e-4f, 0.01f, 1, 7.5f, 100, 1e4f, 1e7f, 3e38f, 0, -1, float(kNaN)};
  std::vector<wave::detail::LengthJob> jobs;
  for (float T : periods) {
    for (float h : depths) jobs.push_back({T, h});
  }
  wave::detail::waveLengths(jobs, GetParam());
  std::size_t found = 0;
  for (const auto& job : jobs) {
    const auto formula = checked([&] { return saiha::rt::narrow(saiha::rt::Real(wave::waveLength(job.T, job.h))); });
    if (!job.found) continue;
    ++found;
    ASSERT_TRUE(formula) << "T " << job.T << ", h " << job.h << ": the formula raises";
    EXPECT_EQ(std::bit_cast<std::uint32_t>(job.L), std::bit_cast<std::uint32_t>(*formula))
        << "T " << job.T << ", h " << job.h;
  }
  EXPECT_GE(found, 30u);  // every positive period at every positive depth
}

// Known pairs from onsets of varied waves to depth ratios across the
// nonlinear regime and its ends, a negative pair (the formula zeroes its
// copy) and a pair that is not finite.
TEST_P(Lanes, NonlinearHeightsAsTheFormulaGivesThem) {
  std::vector<wave::detail::ShoalingJob> jobs;
  for (float Hr1 : {0.002f, 0.02f, 0.08f, -0.01f, float(kNaN)}) {
    for (float hr1 : {0.03f, 0.12f, 0.5f}) {
      for (float hr : {0.001f, 0.004f, 0.02f, 0.1f, 0.3f, 1.0f}) jobs.push_back({Hr1, hr1, hr});
    }
  }
  wave::detail::nonlinearHeightRatios(jobs, GetParam());
  std::size_t found = 0;
  for (const auto& job : jobs) {
    float Hr1 = job.Hr1;
    const auto formula = checked([&] { return wave::nonlinearHeightRatio(Hr1, job.hr1, job.hr); });
    if (!job.found) continue;
    ++found;
    ASSERT_TRUE(formula) << "Hr1 " << job.Hr1 << ", hr1 " << job.hr1 << ", hr " << job.hr;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(job.H), std::bit_cast<std::uint64_t>(*formula))
        << "Hr1 " << job.Hr1 << ", hr1 " << job.hr1 << ", hr " << job.hr;
  }
  EXPECT_GE(found, jobs.size() / 2);
}

INSTANTIATE_TEST_SUITE_P(Paths, Lanes, testing::Values(LanePath::Best, LanePath::Portable),
                         [](const testing::TestParamInfo<LanePath>& info) {
                           return std::string(info.param == LanePath::Best ? "Best" : "Portable");
                         });

#ifdef SAIHA_WIDE_LANES
// Probes of the onset search and beyond it: every depth ratio of the
// bisection's range and deeper, grazing angles (a refracted sine that
// rounds to 1), depths where e^(4πh/L) leaves the vector exponential's range
// or overflows, and heights up to the steepest.  A lane not handed back has
// the formula's bits; a lane where the formula raises is handed back.
TEST(OnsetProbes, FourAtATimeAsTheFormulaGivesThem) {
  if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("fma") ||
      !wave::detail::expWideAgrees()) {
    GTEST_SKIP() << "no vector lanes here";
  }
  std::mt19937_64 random(9);
  const auto uniform = [&](double a, double b) {
    return std::uniform_real_distribution<double>(a, b)(random);
  };
  std::size_t handedBack = 0;
  for (int round = 0; round < 20000; ++round) {
    wave::detail::OnsetProbes p;
    for (int k = 0; k < 4; ++k) {
      const float T = float(uniform(2, 20));
      const float L0 = wave::detail::onsetDeepWaterLength(T);
      const float ratio = float(std::exp(uniform(std::log(0.001), std::log(200))));
      const float h = float(double(ratio) * L0);
      const float ao = float(uniform(-1.5707, 1.5707));
      p.h[k] = h;
      p.L[k] = float(wave::waveLength(T, h) * (round % 50 == 0 ? 1.5 : 1.0));
      p.Ho[k] = float(uniform(0.01, 0.142) * L0);
      p.L0[k] = L0;
      p.sinAo[k] = wave::detail::singleSine(ao);
      p.cosAo[k] = saiha::rt::cos(ao).value();
    }
    float f[4];
    unsigned scalar;
    wave::detail::onsetProbeWide(p, f, scalar);
    for (int k = 0; k < 4; ++k) {
      const auto formula = checked([&] {
        return wave::detail::onsetProbe(
            float(p.h[k]), float(p.L[k]), float(p.Ho[k]), float(p.L0[k]),
            [&] { return float(p.sinAo[k]); }, [&] { return saiha::rt::Real(p.cosAo[k]); });
      });
      if ((scalar >> k) & 1) {
        ++handedBack;
        continue;
      }
      ASSERT_TRUE(formula) << "round " << round << " lane " << k << ": the formula raises";
      ASSERT_EQ(std::bit_cast<std::uint32_t>(f[k]), std::bit_cast<std::uint32_t>(*formula))
          << "round " << round << " lane " << k << ": h " << p.h[k] << ", L " << p.L[k];
    }
  }
  // The deep probes reach the lanes handed back, but most probes stay.
  EXPECT_GT(handedBack, 0u);
  EXPECT_LT(handedBack, 80000u / 4);
}
#endif

}  // namespace
