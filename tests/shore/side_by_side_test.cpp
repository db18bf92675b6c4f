// The breaking points of many waves side by side against findBreaking one
// wave at a time, to the last bit, on the vector lanes and the portable ones.
// Rows from the ranges engineers use, their extremes and inputs that fault.
//
// SAIHA_SIDE_BY_SIDE_ROWS sets the number of generated rows (default 4000);
// scripts/check-side-by-side.sh runs millions.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <latch>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "shore/engine.h"
#include "shore/internal.h"
#include "wave/detail/batch.h"
#include "wave/formulas.h"

namespace {

namespace shore = saiha::shore;
using saiha::wave::detail::LanePath;

std::size_t rowCount() {
  const char* text = std::getenv("SAIHA_SIDE_BY_SIDE_ROWS");
  return text != nullptr ? std::strtoull(text, nullptr, 10) : 4000;
}

// Mostly the ranges of the command-line benchmark (Ho 0.2–6 m, T 4–16 s,
// αo −60…60°, n 10–200); one row in eight from wider ranges reaching very
// steep and very long waves, grazing angles and gentle and steep slopes; one
// in thirty-two an input that is refused or faults.
std::vector<shore::Wave> generatedWaves(std::size_t count, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  const auto uniform = [&](double a, double b) {
    return std::uniform_real_distribution<double>(a, b)(random);
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double awkward[] = {0, -1, nan, 1e-300, 1e300, 1e39, 1e-46, 89.9999, -90, 90};
  const double slopes[] = {10, 20, 30, 50, 80, 100, 200};
  std::vector<shore::Wave> waves(count);
  for (shore::Wave& w : waves) {
    const unsigned kind = random() % 32;
    if (kind < 28) {
      w = {uniform(0.2, 6), uniform(4, 16), uniform(-60, 60), slopes[random() % 7]};
    } else if (kind < 31) {
      w = {std::exp(uniform(std::log(0.01), std::log(60))),
           std::exp(uniform(std::log(0.5), std::log(60))), uniform(-89.99, 89.99),
           std::exp(uniform(std::log(0.5), std::log(5000)))};
    } else {
      w = {uniform(0.2, 6), uniform(4, 16), uniform(-60, 60), 50};
      double& field = (&w.Ho)[random() % 4];
      field = awkward[random() % std::size(awkward)];
    }
  }
  return waves;
}

// Every result and working quantity of b, as bits, for comparison.
std::vector<std::uint32_t> bitsOf(const shore::Breaking& b) {
  std::vector<std::uint32_t> bits = {std::uint32_t(b.error), std::uint32_t(b.reached)};
  for (float v : {b.Hb, b.hb, b.gamma, b.thetaB, b.Ho, b.T, b.ao, b.tanBeta, b.L0, b.Hr50, b.hr50,
                  b.Hr30, b.hr30, b.Hbr, b.hbr}) {
    bits.push_back(std::bit_cast<std::uint32_t>(v));
  }
  return bits;
}

struct PathRow {
  const char* name;
  LanePath path;
};

class SideBySide : public testing::TestWithParam<PathRow> {};

TEST_P(SideBySide, EveryRowAsFindBreakingGivesIt) {
  constexpr std::size_t kChunk = 1 << 16;  // rows generated at a time
  // Another model's rows all take findBreaking itself: a few thousand show it.
  for (const shore::Model& model :
       {shore::Model{}, shore::Model{shore::BreakerLimit::McCowan, shore::Shoaling::Shuto}}) {
    const std::size_t total =
        model.isDefault() ? rowCount() : std::min<std::size_t>(rowCount(), 4000);
    std::size_t failed = 0;
    for (std::size_t first = 0; first < total; first += kChunk) {
      const std::vector<shore::Wave> waves =
          generatedWaves(std::min(kChunk, total - first), 16 + first);
      std::vector<shore::Breaking> together(waves.size());
      shore::detail::findBreakingSideBySide(waves, together, model, GetParam().path);
      for (std::size_t i = 0; i < waves.size(); ++i) {
        const shore::Breaking alone = shore::findBreaking(waves[i], model);
        failed += !alone.ok();
        ASSERT_EQ(bitsOf(together[i]), bitsOf(alone))
            << "row " << first + i << ": Ho " << waves[i].Ho << ", T " << waves[i].T
            << ", alpha0 " << waves[i].alpha0 << ", n " << waves[i].n;
      }
    }
    // The rows reached the faults and failures, not only the usual course.
    EXPECT_GT(failed, total / 40);
    EXPECT_LT(failed, total / 4);
  }
}

// Rows whose onset searches come close to the bounds under which the lanes
// take the sign of a probe on the first halvings without running it: deep-
// water steepness Ho/L0 near the bounds of nodes 4 and 8 (about 0.125 and
// 0.0295 of the onset's L0 = 1.56·T²) and the refusal at 0.142, angles up to
// where 1.001·sin αo reaches √0.99 (84.3°) and beyond.
TEST_P(SideBySide, RowsNearTheSureSignsBoundsAsFindBreakingGivesThem) {
  std::vector<shore::Wave> waves;
  for (const double T : {4.5, 9.0, 14.0}) {
    const double L0 = 1.56 * T * T;
    for (const double steepness : {0.0290, 0.0295, 0.0300, 0.0325, 0.1240, 0.1250, 0.1260, 0.1370,
                                   0.1419, 0.1421}) {
      for (const double angle : {0.0, -30.0, 60.0, 84.2, -84.3, 84.4, 88.0, 89.95}) {
        for (const double n : {10.0, 100.0}) waves.push_back({steepness * L0, T, angle, n});
      }
    }
  }
  std::vector<shore::Breaking> together(waves.size());
  shore::detail::findBreakingSideBySide(waves, together, shore::Model{}, GetParam().path);
  std::size_t found = 0;
  for (std::size_t i = 0; i < waves.size(); ++i) {
    const shore::Breaking alone = shore::findBreaking(waves[i]);
    found += alone.ok();
    EXPECT_EQ(bitsOf(together[i]), bitsOf(alone))
        << "Ho " << waves[i].Ho << ", T " << waves[i].T << ", alpha0 " << waves[i].alpha0
        << ", n " << waves[i].n;
  }
  EXPECT_GT(found, waves.size() / 2);
}

// The lanes themselves find the great majority of the rows that
// findBreaking computes: the bit-for-bit comparison above is one of the
// lanes, not of rows handed back.
TEST_P(SideBySide, LanesFindTheUsualRows) {
  const std::vector<shore::Wave> waves = generatedWaves(2000, 7);
  std::vector<saiha::wave::detail::SearchRow> rows;
  std::size_t computed = 0;
  for (const shore::Wave& w : waves) {
    const shore::Breaking b = shore::findBreaking(w);
    if (!b.ok()) continue;
    ++computed;
    rows.push_back({b.Ho, b.T, b.ao, b.tanBeta});
  }
  saiha::wave::detail::findBreakingPoints(rows, GetParam().path);
  std::size_t found = 0;
  for (const auto& row : rows) found += row.found;
  EXPECT_GT(found, computed * 95 / 100);
}

TEST_P(SideBySide, ShortOutputAndEmptySpans) {
  const std::vector<shore::Wave> waves = generatedWaves(10, 3);
  std::vector<shore::Breaking> out(4);
  shore::detail::findBreakingSideBySide(waves, out, {}, GetParam().path);
  for (std::size_t i = 0; i < out.size(); ++i) {
    EXPECT_EQ(bitsOf(out[i]), bitsOf(shore::findBreaking(waves[i])));
  }
  shore::detail::findBreakingSideBySide({}, out, {}, GetParam().path);  // nothing to do
}

std::vector<std::uint32_t> bitsOf(const shore::State& s) {
  std::vector<std::uint32_t> bits = {std::uint32_t(s.error), std::uint32_t(s.reached),
                                     std::uint32_t(s.rule ? int(*s.rule) + 1 : 0)};
  bits.push_back(std::bit_cast<std::uint32_t>(s.h));
  for (float v : s.results()) bits.push_back(std::bit_cast<std::uint32_t>(v));
  return bits;
}

// States at depths in every zone (surf, nonlinear, Shuto's middle regime,
// linear), at the breaking depth as the window rounds it, and refused ones,
// side by side against stateAt one at a time; and the shoaling lanes find
// the usual nonlinear heights themselves.
TEST_P(SideBySide, EveryStateAsStateAtGivesIt) {
  std::mt19937_64 random(5);
  const auto unit = [&] { return std::uniform_real_distribution<double>(0, 1)(random); };
  const double awkward[] = {0, -1, std::numeric_limits<double>::quiet_NaN(), 1e39, 1e-46};
  for (const shore::Model& model :
       {shore::Model{}, shore::Model{shore::BreakerLimit::McCowan, shore::Shoaling::Shuto}}) {
    const std::vector<shore::Wave> waves = generatedWaves(2000, 11);
    std::vector<shore::Breaking> breakings;
    std::vector<double> depths;
    for (const shore::Wave& w : waves) {
      const shore::Breaking b = shore::findBreaking(w, model);
      const double hb = b.hb, onset = b.onsetDepth();
      const unsigned kind = random() % 8;
      breakings.push_back(b);
      depths.push_back(kind < 4   ? hb + unit() * (onset - hb)  // between breaking and onset
                       : kind < 5 ? std::round(hb * 100) / 100
                       : kind < 7 ? 0.5 + 29.5 * unit()
                                  : awkward[random() % std::size(awkward)]);
    }
    std::vector<shore::State> together(waves.size());
    shore::detail::stateAtSideBySide(breakings, depths, together, GetParam().path);
    std::size_t nonlinear = 0;
    for (std::size_t i = 0; i < waves.size(); ++i) {
      const shore::State alone = shore::stateAt(breakings[i], depths[i]);
      nonlinear += alone.rule == shore::HeightRule::Nonlinear;
      ASSERT_EQ(bitsOf(together[i]), bitsOf(alone)) << "row " << i << ", h " << depths[i];
    }
    EXPECT_GT(nonlinear, waves.size() / 4);
  }
  std::vector<saiha::wave::detail::ShoalingJob> jobs;
  for (const shore::Wave& w : generatedWaves(500, 13)) {
    const shore::Breaking b = shore::findBreaking(w);
    if (b.ok()) jobs.push_back({b.Hr50, b.hr50, b.hbr + 0.5f * (b.hr50 - b.hbr)});
  }
  saiha::wave::detail::nonlinearHeightRatios(jobs, GetParam().path);
  std::size_t found = 0;
  for (const auto& job : jobs) {
    float Hr1 = job.Hr1;
    if (!job.found) continue;
    ++found;
    EXPECT_EQ(job.H, saiha::wave::nonlinearHeightRatio(Hr1, job.hr1, job.hr));
  }
  EXPECT_GT(found, jobs.size() * 95 / 100);
}

// One wave's states at many depths (a profile's stations), through the
// public entry, against stateAt one depth at a time.
TEST(StatesOfOneWave, EveryDepthAsStateAtGivesIt) {
  const double awkward[] = {0, -2, std::numeric_limits<double>::quiet_NaN(), 1e39, 1e300};
  for (const shore::Wave& w : generatedWaves(60, 21)) {
    const shore::Breaking b = shore::findBreaking(w);
    std::vector<double> depths(awkward, awkward + std::size(awkward));
    for (int k = 0; k < 60; ++k) depths.push_back(0.01 * std::pow(1.2, k));  // 0.01 m to 470 m
    std::vector<shore::State> together(depths.size());
    shore::stateAt(b, depths, together);
    for (std::size_t i = 0; i < depths.size(); ++i) {
      ASSERT_EQ(bitsOf(together[i]), bitsOf(shore::stateAt(b, depths[i])))
          << "Ho " << w.Ho << ", T " << w.T << ", h " << depths[i];
    }
  }
}

// The breaking searches keep hr^(−5/2) of the bisection's nodes as they
// first reach them.  Several threads starting at once (under ctest this test
// runs in a process of its own, with nothing kept yet) reach the same nodes
// together, each claiming or reading them: every row still comes out as
// findBreaking gives it alone.
TEST_P(SideBySide, ThreadsStartingTogetherGiveEveryRowAsAlone) {
  constexpr int kThreads = 4;
  const std::vector<shore::Wave> waves = generatedWaves(1500, 61);
  std::vector<std::vector<shore::Breaking>> together(
      kThreads, std::vector<shore::Breaking>(waves.size()));
  std::latch start(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      start.arrive_and_wait();
      shore::detail::findBreakingSideBySide(waves, together[std::size_t(t)], shore::Model{},
                                            GetParam().path);
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t i = 0; i < waves.size(); ++i) {
    const std::vector<std::uint32_t> alone = bitsOf(shore::findBreaking(waves[i]));
    for (int t = 0; t < kThreads; ++t) {
      ASSERT_EQ(bitsOf(together[std::size_t(t)][i]), alone) << "thread " << t << ", row " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Lanes, SideBySide,
                         testing::Values(PathRow{"Best", LanePath::Best},
                                         PathRow{"Portable", LanePath::Portable}),
                         [](const testing::TestParamInfo<PathRow>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
