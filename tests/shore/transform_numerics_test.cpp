// The numerics under the measured-profile transform: the Battjes–Janssen
// breaking fraction against reference roots and its own relation, and the
// linear dispersion solved from scratch, from a depth close by and carried
// along a profile, against the exact relation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "shore/internal.h"
#include "shore/transform.h"

namespace saiha::shore {
namespace {

constexpr double kG = 9.81;

TEST(TransformNumerics, BreakingFractionAgainstReferenceRoots) {
  // The root of (1 − Qb)/ln Qb = −b² at the double nearest each b, to 60
  // digits (bisection in multiple precision), with 1 − Qb; the tolerances
  // are the problem's own conditioning: ~1/b² where Qb = e^(−1/b²) is tiny,
  // ~1/(1 − b) for 1 − Qb where Qb nears 1.
  const struct {
    double b, Qb, oneMinusQb;
  } rows[] = {
      {0.05, 1.9151695967140907e-174, 1.0},
      {0.1, 3.7200759760208773e-44, 1.0},
      {0.19999, 1.3853264776120003e-11, 0.99999999998614674},  // below the table
      {0.2, 1.3887943869785934e-11, 0.99999999998611206},      // its first node
      {0.2005, 1.5729751576206795e-11, 0.99999999998427025},   // mid-interval
      {0.25, 1.1253537734645516e-7, 0.99999988746462265},
      {0.4, 0.0019541765099561256, 0.99804582349004387},
      {0.5, 0.019827401281778414, 0.98017259871822159},
      {0.6, 0.077005972165983263, 0.92299402783401674},
      {0.75, 0.276131903606474, 0.723868096393526},
      {0.9, 0.64574098172874951, 0.35425901827125049},
      {0.95, 0.81155334501989262, 0.18844665498010738},
      {0.99, 0.96046577434544884, 0.039534225654551164},
      {0.999, 0.99600466577743679, 0.0039953342225632136},
      {0.999999, 0.99999600000466655, 3.9999953334492446e-6},
  };
  for (const auto& row : rows) {
    const double Qb = breakingFraction(row.b);
    EXPECT_NEAR(Qb / row.Qb, 1, 1e-15 * (4 + 1 / (row.b * row.b))) << row.b;
    EXPECT_NEAR((1 - Qb) / row.oneMinusQb, 1, 1e-15 * (4 + 1 / (1 - row.b))) << row.b;
  }
}

TEST(TransformNumerics, BreakingFractionSolvesItsRelationAndRisesSmoothly) {
  // Densely over (0, 1), and on both sides of every node of the table it
  // is read from (0.2 to 1, 0.001 apart): the relation to rounding, Qb
  // rising with b, no step at a node.
  std::vector<double> bs;
  for (int i = 1; i < 20000; ++i) bs.push_back(i / 20000.0);
  for (int i = 0; i < 800; ++i) {
    const double node = 0.2 + i * 0.001;
    bs.insert(bs.end(), {std::nextafter(node, 0.0), node, std::nextafter(node, 1.0)});
  }
  std::sort(bs.begin(), bs.end());
  double before = 0;
  for (const double b : bs) {
    const double Qb = breakingFraction(b);
    ASSERT_TRUE(Qb >= before * (1 - 4e-16) && Qb < 1) << b;  // to rounding
    before = Qb;
    if (Qb < 1e-300) continue;  // e^(−1/b²) below the doubles' range
    // (1 − Qb)/(−ln Qb) = b², evaluated where it is well conditioned.
    EXPECT_NEAR((1 - Qb) / -std::log(Qb) / (b * b), 1, 2e-15 * (1 + 1 / (b * b))) << b;
  }
  for (int i = 0; i < 800; ++i) {
    const double node = 0.2 + i * 0.001;
    const double below = breakingFraction(std::nextafter(node, 0.0));
    const double above = breakingFraction(std::nextafter(node, 1.0));
    EXPECT_NEAR(above / below, 1, 1e-12) << node;
  }
}

// kd·tanh(kd) = ω²d/g and what follows from kd, each from the library.
void expectKinematics(const detail::TransformKinematics& q, double omega, double d,
                      const char* how) {
  const double kd = q.kd;
  EXPECT_NEAR(kd * std::tanh(kd) / (omega * omega * d / kG), 1, 1e-13) << how << " kd=" << kd;
  EXPECT_NEAR(q.k, kd / d, 1e-15 * q.k) << how;
  EXPECT_NEAR(q.c, omega / q.k, 1e-14 * q.c) << how;
  EXPECT_NEAR(q.E, std::exp(-2 * kd), 1e-13 * std::exp(-2 * kd) + 1e-300) << how << " kd=" << kd;
  const double n = 0.5 * (1 + (2 * kd < 700 ? 2 * kd / std::sinh(2 * kd) : 0));
  EXPECT_NEAR(q.n, n, 1e-13) << how << " kd=" << kd;
  EXPECT_NEAR(q.cg, q.n * q.c, 1e-14 * q.cg) << how;
  if (kd < 300) {
    EXPECT_NEAR(q.sinhkd / std::sinh(kd), 1, 1e-13 * (1 + 1 / kd)) << how << " kd=" << kd;
  }
}

TEST(TransformNumerics, DispersionAgainstTheExactRelation) {
  // From shallow water (kd = 0.005) to deep (kd = 400, e^(−2kd) below the
  // doubles' range), from scratch and started from depths close by and far.
  const double d = 5;
  for (const double kdTarget : {0.005, 0.05, 0.3, 1.0, 2.0, 5.0, 20.0, 200.0, 400.0}) {
    const double k = kdTarget / d;
    const double omega = std::sqrt(kG * k * std::tanh(kdTarget));
    detail::TransformKinematics fresh;
    detail::solveTransformKinematics(omega, d, nullptr, fresh);
    expectKinematics(fresh, omega, d, "fresh");
    EXPECT_NEAR(fresh.kd / kdTarget, 1, 1e-13) << kdTarget;
    for (const double ratio : {1 + 1e-7, 1 - 1e-5, 1.001, 0.98, 1.3, 0.5, 2.0}) {
      detail::TransformKinematics from;
      detail::solveTransformKinematics(omega, d * ratio, nullptr, from);
      detail::TransformKinematics near;
      detail::solveTransformKinematics(omega, d, &from, near);
      expectKinematics(near, omega, d, "near");
      // Solved in place from its own depth's kinematics, as a pass does.
      detail::TransformKinematics self = from;
      detail::solveTransformKinematics(omega, d, &self, self);
      expectKinematics(self, omega, d, "in place");
    }
  }
}

TEST(TransformNumerics, DispersionCarriedAlongAProfileKeepsItsAccuracy) {
  // A shoaling walk from 30 m to 5 cm of water, each depth started from
  // the last (its e^(−2kd) carried by series, never formed anew where the
  // steps are small), with the setup's small corrections between: the
  // accuracy must not drift.
  for (const double T : {4.0, 8.0, 14.0}) {
    const double omega = 2 * 3.14159265358979323846 / T;
    detail::TransformKinematics q;
    double d = 30;
    detail::solveTransformKinematics(omega, d, nullptr, q);
    for (int i = 0; i < 6000 && d > 0.05; ++i) {
      d *= 0.999;
      detail::solveTransformKinematics(omega, d, &q, q);
      for (const double nudge : {1 + 3e-6, 1 - 2e-6}) {
        detail::solveTransformKinematics(omega, d * nudge, &q, q);
      }
      detail::solveTransformKinematics(omega, d, &q, q);
      if (i % 50 == 0) expectKinematics(q, omega, d, "carried");
    }
    expectKinematics(q, omega, d, "carried to the end");
  }
}

}  // namespace
}  // namespace saiha::shore
