// Heights above the still-water depth: the regular wave's state carries
// HeightAboveDepth exactly where its height exceeds the depth, at every
// station of every model across the range of waves and beaches the tool is
// used on, and the breaking point's own warnings stay where they were.
#include <gtest/gtest.h>

#include <cmath>

#include "shore/engine.h"
#include "shore/model_choice.h"

namespace saiha::shore {
namespace {

// A coarse grid over Ho 0.1–8 m, T 3–20 s, αo −80…80 and slopes 1/2–1/500.
constexpr double kHeights[] = {0.1, 0.5, 2, 8};
constexpr double kPeriods[] = {3, 6, 10, 20};
constexpr double kAngles[] = {-80, 0, 45};
constexpr double kSlopes[] = {2, 5, 10, 12, 20, 60, 500};

TEST(HeightAboveDepth, FlaggedExactlyWhereTheHeightExceedsTheDepth) {
  int flagged = 0, states = 0;
  for (BreakerLimit breaker : kBreakerLimits) {
    for (Shoaling shoaling : kShoalings) {
      const Model model{breaker, shoaling};
      for (double Ho : kHeights) {
        for (double T : kPeriods) {
          for (double alpha0 : kAngles) {
            for (double n : kSlopes) {
              ProfileOptions options;
              options.stations = 30;
              const Profile p = profile({Ho, T, alpha0, n}, options, model);
              if (!p.ok()) continue;
              for (const Station& station : p.stations) {
                const State& s = station.state;
                if (!s.ok()) continue;
                ++states;
                ASSERT_EQ(s.warnings.has(Warning::HeightAboveDepth), s.H > s.h)
                    << breakerName(breaker) << " Ho " << Ho << " T " << T << " n " << n
                    << " h " << s.h << " H " << s.H;
                // The state says what is its own; the model's range stays
                // with the breaking point.
                ASSERT_EQ(s.warnings.bits & ~std::uint32_t(Warning::HeightAboveDepth), 0u);
                flagged += s.warnings.any() ? 1 : 0;
              }
            }
          }
        }
      }
    }
  }
  // Both sides are met: steep beaches' surf zones rise above the depth,
  // gentle ones' never do.
  EXPECT_GT(flagged, 0);
  EXPECT_LT(flagged, states);
}

// The surf zone's height tends to 0.8·(1 + 15·tan^(4/3)β)·h near the
// shoreline: above the depth on 1/12 (1.24·h), below it on 1/60 (0.85·h).
TEST(HeightAboveDepth, NearTheShorelineOnSteepAndGentleBeaches) {
  const Breaking steep = findBreaking({1, 10, 0, 12});
  const Breaking gentle = findBreaking({1, 10, 0, 60});
  ASSERT_TRUE(steep.ok() && gentle.ok());
  const State nearSteep = stateAt(steep, 0.05);
  const State nearGentle = stateAt(gentle, 0.05);
  EXPECT_NEAR(nearSteep.H / nearSteep.h, 1.24, 0.02);
  EXPECT_TRUE(nearSteep.warnings.has(Warning::HeightAboveDepth));
  EXPECT_NEAR(nearGentle.H / nearGentle.h, 0.85, 0.02);
  EXPECT_FALSE(nearGentle.warnings.any());
  // Seaward of the breaking point the heights are far below the depth.
  EXPECT_FALSE(stateAt(steep, 3 * steep.hb).warnings.any());
}

}  // namespace
}  // namespace saiha::shore
