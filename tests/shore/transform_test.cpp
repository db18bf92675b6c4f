// Random waves across a measured profile: the balance against linear theory
// where nothing dissipates, each dissipation against its formula, the
// breaking fraction at its limits, the edges of the calculation and its
// errors.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "shore/transform.h"

namespace saiha::shore {
namespace {

constexpr double kG = 9.81, kRho = 1025, kPi = 3.14159265358979323846;

// A plane slope 1/n from depth h0 at x = 0 up to `top` m above the datum,
// points every dx.
struct Plane {
  std::vector<double> x, z;
  Plane(double h0, double n, double dx = 5, double top = 1) {
    for (double xi = 0;; xi += dx) {
      x.push_back(xi);
      z.push_back(-h0 + xi / n);
      if (z.back() > top) break;
    }
  }
  BedProfile bed() const { return {x, z}; }
};

// Linear dispersion solved by bisection, independently of the engine.
double wavenumber(double T, double d) {
  const double w = 2 * kPi / T;
  double lo = 1e-9, hi = 100;
  for (int i = 0; i < 200; ++i) {
    const double k = (lo + hi) / 2;
    (kG * k * std::tanh(k * d) < w * w ? lo : hi) = k;
  }
  return (lo + hi) / 2;
}
double groupVelocity(double T, double d) {
  const double k = wavenumber(T, d);
  return 2 * kPi / T / k * 0.5 * (1 + 2 * k * d / std::sinh(2 * k * d));
}

TransformOptions conservative() {
  TransformOptions o;
  o.dissipation = Dissipation::None;
  o.roller = false;
  return o;
}

TEST(Transform, WithoutDissipationShoalsAndRefractsAsLinearTheory) {
  const Plane p(10, 50);
  const SeaCondition sea{0.3, 8, 30, 0};
  TransformOptions o = conservative();
  o.setup = false;
  const TransformResult r = transform(p.bed(), sea, o);
  ASSERT_TRUE(r.ok());
  const double k0 = wavenumber(8, 10), c0 = 2 * kPi / 8 / k0;
  int checked = 0;
  for (std::size_t i = 0; i <= std::size_t(r.lastWet); ++i) {
    const double h = -p.z[i];
    if (h < 0.3) continue;
    const double c = 2 * kPi / 8 / wavenumber(8, h);
    const double sinT = std::sin(30 * kPi / 180) * c / c0;
    const double Ks = std::sqrt(groupVelocity(8, 10) / groupVelocity(8, h));
    const double Kr = std::sqrt(std::cos(30 * kPi / 180) / std::sqrt(1 - sinT * sinT));
    EXPECT_NEAR(r.Hrms[i] / 0.3, Ks * Kr, 1e-3 * Ks * Kr) << "h = " << h;
    EXPECT_NEAR(r.theta[i], std::asin(sinT) * 180 / kPi, 1e-3);
    EXPECT_FLOAT_EQ(r.Hm0[i], float(std::sqrt(2.0) * r.Hrms[i]));
    ++checked;
  }
  EXPECT_GT(checked, 90);
}

TEST(Transform, SetdownWithoutBreakingIsLonguetHigginsAndStewarts) {
  const Plane p(10, 50);
  const double H0 = 0.3, T = 8;
  const TransformResult r = transform(p.bed(), SeaCondition{H0, T, 0, 0}, conservative());
  ASSERT_TRUE(r.ok());
  auto theory = [&](double h, double H) {
    const double k = wavenumber(T, h);
    return -H * H * k / (8 * std::sinh(2 * k * h));
  };
  const double atBoundary = theory(10, H0);
  int checked = 0;
  for (std::size_t i = 1; i <= std::size_t(r.lastWet); ++i) {
    const double h = -p.z[i];
    if (h < 2) continue;  // η/h of 1 %: the theory's ρ·g·h in place of ρ·g·(h + η)
    const double expected = theory(h, r.Hrms[i]) - atBoundary;
    EXPECT_NEAR(r.eta[i], expected, 0.01 * std::abs(expected)) << "h = " << h;
    ++checked;
  }
  EXPECT_GT(checked, 50);
}

TEST(Transform, EachDissipationAgainstItsFormula) {
  const double H = 0.8, d = 1.5, fp = 0.1, gamma = 0.7;
  const double k = wavenumber(10, d);
  TransformOptions o;
  double Qb = -1;

  o.dissipation = Dissipation::BJ78;
  const double Hm = 0.88 / k * std::tanh(gamma * k * d / 0.88);
  const double D1 = breakingDissipation(o, H, d, k, fp, gamma, &Qb);
  EXPECT_NEAR((1 - Qb) / std::log(Qb), -(H / Hm) * (H / Hm), 1e-12);
  EXPECT_NEAR(D1, 0.25 * kRho * kG * fp * Qb * Hm * Hm, 1e-9 * D1);

  o.dissipation = Dissipation::TG83;
  const double r = H / (gamma * d);
  const double D2 = breakingDissipation(o, H, d, k, fp, gamma, &Qb);
  EXPECT_NEAR(D2, 3 * std::sqrt(kPi) / 16 * kRho * kG * fp * std::pow(H, 5) /
                      (gamma * gamma * d * d * d) * (1 - std::pow(1 + r * r, -2.5)),
              1e-9 * D2);

  o.dissipation = Dissipation::Baldock98;
  const double R3 = Hm / H;
  const double D3 = breakingDissipation(o, H, d, k, fp, gamma, &Qb);
  EXPECT_NEAR(Qb, std::exp(-R3 * R3), 1e-12);
  EXPECT_NEAR(D3, 0.25 * kRho * kG * fp * std::exp(-R3 * R3) * (Hm * Hm + H * H), 1e-9 * D3);

  o.dissipation = Dissipation::JB07;
  const double R4 = gamma * d / H;
  const double D4 = breakingDissipation(o, H, d, k, fp, gamma, &Qb);
  EXPECT_NEAR(D4, 3 * std::sqrt(kPi) / 16 * kRho * kG * fp * H * H * H / d *
                      (1 + 4 / (3 * std::sqrt(kPi)) * (R4 * R4 * R4 + 1.5 * R4) *
                               std::exp(-R4 * R4) -
                       std::erf(R4)),
              1e-9 * D4);

  // α and B scale the dissipations they belong to.
  o.dissipation = Dissipation::BJ78;
  o.alpha = 2;
  EXPECT_NEAR(breakingDissipation(o, H, d, k, fp, gamma), 2 * D1, 1e-9 * D1);
  o.dissipation = Dissipation::TG83;
  o.B = 2;
  EXPECT_NEAR(breakingDissipation(o, H, d, k, fp, gamma), 8 * D2, 1e-9 * D2);
}

TEST(Transform, BreakingFractionAtItsLimits) {
  // Hrms/Hm → 0: Qb → e^(−1/b²) (relative to it).
  for (double b : {0.1, 0.2, 0.3}) {
    const double Qb = breakingFraction(b);
    EXPECT_NEAR(Qb / std::exp(-1 / (b * b)), 1, 0.02) << b;
  }
  // Hrms/Hm → 1: 1 − Qb → 2·(1 − b²)/b².
  for (double b : {0.999, 0.9999}) {
    const double q = 1 - breakingFraction(b);
    EXPECT_NEAR(q / (2 * (1 - b * b) / (b * b)), 1, 0.01) << b;
  }
  // The root, not the trivial Qb = 1, in between; and the ends.
  for (double b = 0.05; b < 1; b += 0.05) {
    const double Qb = breakingFraction(b);
    ASSERT_LT(Qb, 1) << b;
    EXPECT_NEAR((1 - Qb) / std::log(Qb) / (-b * b), 1, 1e-10) << b;
  }
  EXPECT_EQ(breakingFraction(0), 0);
  EXPECT_EQ(breakingFraction(1), 1);
  EXPECT_EQ(breakingFraction(1.5), 1);
}

TEST(Transform, GammaRules) {
  EXPECT_DOUBLE_EQ(gammaRuessink(0.5), 0.29 + 0.76 * 0.5);
  EXPECT_DOUBLE_EQ(gammaBattjesStive(0.02), 0.5 + 0.4 * std::tanh(33 * 0.02));
  // A larger γ breaks later: less dissipated at the same point.
  const Plane p(6, 60);
  const SeaCondition sea{1.0, 8, 0, 0};
  TransformOptions low, high;
  low.gamma = high.gamma = GammaRule::Constant;
  low.gammaConstant = 0.5;
  high.gammaConstant = 0.9;
  const TransformResult a = transform(p.bed(), sea, low), b = transform(p.bed(), sea, high);
  ASSERT_TRUE(a.ok() && b.ok());
  EXPECT_GT(b.hBreaking, 0);
  EXPECT_LT(b.hBreaking, a.hBreaking);
  const std::size_t mid = std::size_t(a.lastWet) / 2 + std::size_t(a.lastWet) / 4;
  EXPECT_GT(b.Hrms[mid], a.Hrms[mid]);
  // Battjes & Stive outside its steepness data warns; a plain γ does not.
  TransformOptions bs;
  bs.gamma = GammaRule::BattjesStive1985;
  EXPECT_TRUE(transform(p.bed(), SeaCondition{0.1, 16, 0, 0}, bs)
                  .warnings.has(Warning::GammaFitRange));
  EXPECT_FALSE(a.warnings.has(Warning::GammaFitRange));
}

TEST(Transform, LongshoreCurrentFollowsTheWaves) {
  const Plane p(6, 60);
  for (double theta : {20.0, -20.0}) {
    const TransformResult r = transform(p.bed(), SeaCondition{1.0, 8, theta, 0});
    ASSERT_TRUE(r.ok());
    float peak = 0;
    for (std::size_t i = 0; i <= std::size_t(r.lastWet); ++i) {
      EXPECT_GE(r.V[i] * float(theta), 0) << i;
      if (std::abs(r.V[i]) > std::abs(peak)) peak = r.V[i];
    }
    EXPECT_GT(std::abs(peak), 0.2) << theta;
  }
  // Normal incidence drives none.
  const TransformResult n = transform(p.bed(), SeaCondition{1.0, 8, 0, 0});
  for (std::size_t i = 0; i <= std::size_t(n.lastWet); ++i) EXPECT_EQ(n.V[i], 0);
}

// A terrace at 1/100 ending in a steep beach face at 1/10, points every
// 5 m: the waves break over the last few points, where a step of the
// profile's spacing crosses a large part of the depth.
struct SteepFace {
  std::vector<double> x, z;
  SteepFace() {
    for (double xi = 0;; xi += 5) {
      x.push_back(xi);
      z.push_back(xi <= 400 ? -6 + xi / 100 : -2 + (xi - 400) / 10);
      if (z.back() > 1) break;
    }
  }
  BedProfile bed() const { return {x, z}; }
};

TEST(Transform, HalvingTheStepMovesHrmsByLessThanAMillimetre) {
  const Plane plane(8, 40);
  const SteepFace face;
  const struct {
    BedProfile bed;
    SeaCondition sea;
    int wet;
  } cases[] = {{plane.bed(), {1.2, 10, 15, 0.5}, 50}, {face.bed(), {0.45, 11, -12, 0.3}, 80}};
  for (const auto& c : cases) {
    for (Dissipation dis :
         {Dissipation::BJ78, Dissipation::TG83, Dissipation::Baldock98, Dissipation::JB07}) {
      TransformOptions coarse, fine;
      coarse.dissipation = fine.dissipation = dis;
      fine.maxStep = coarse.maxStep / 2;
      const TransformResult a = transform(c.bed, c.sea, coarse), b = transform(c.bed, c.sea, fine);
      ASSERT_TRUE(a.ok() && b.ok());
      const int last = std::min(a.lastWet, b.lastWet);
      ASSERT_GT(last, c.wet);
      for (int i = 0; i <= last; ++i) {
        EXPECT_NEAR(a.Hrms[std::size_t(i)], b.Hrms[std::size_t(i)], 1e-3)
            << int(dis) << " " << i << " h=" << a.h[std::size_t(i)];
      }
    }
  }
}

TEST(Transform, TheWetDryEdgeAndTheShoreline) {
  const Plane p(6, 50, 5, 2);
  const TransformResult r = transform(p.bed(), SeaCondition{0.8, 8, 0, 0.5});
  ASSERT_TRUE(r.ok());
  ASSERT_GT(r.lastWet, 0);
  const std::size_t last = std::size_t(r.lastWet);
  // Wet up to the edge, NaN beyond, the still-water depth everywhere.
  EXPECT_GT(r.h[last] + r.eta[last], 0.05f);
  for (std::size_t i = last + 1; i < p.x.size(); ++i) {
    EXPECT_TRUE(std::isnan(r.Hrms[i]));
    EXPECT_FLOAT_EQ(r.h[i], float(0.5 - p.z[i]));
  }
  // The mean shoreline lies landward of the still-water one, at the setup.
  const double xStill = (6 + 0.5) * 50;
  EXPECT_GT(r.xShoreline, xStill);
  EXPECT_GT(r.etaMax, 0);
  EXPECT_NEAR(r.foreshoreSlope, 1.0 / 50, 1e-6);
  EXPECT_GT(r.R2, 0);
  EXPECT_GT(r.H2[last / 2], r.H13[last / 2]);
  // A profile that ends in water has no shoreline.
  const Plane deep(6, 50, 5, -2);
  const TransformResult w = transform(deep.bed(), SeaCondition{0.8, 8, 0, 0});
  ASSERT_TRUE(w.ok());
  EXPECT_TRUE(w.warnings.has(Warning::ShorelineNotReached));
  EXPECT_TRUE(std::isnan(w.xShoreline));
}

TEST(Transform, HeightDistributionTendsToRayleighInDeepWater) {
  const HeightRatios deep = battjesGroenendijk(10);
  EXPECT_NEAR(deep.H13, 1.416, 0.002);
  EXPECT_NEAR(deep.H2, std::sqrt(std::log(50.0)), 0.002);
  // Shallow: the tail shortens below Rayleigh's.
  const HeightRatios shallow = battjesGroenendijk(1.2);
  EXPECT_LT(shallow.H2, deep.H2);
  EXPECT_LT(shallow.H13, shallow.H110);
  EXPECT_LT(shallow.H110, shallow.H2 + 0.2);
}

TEST(Transform, ProfileAndConditionErrors) {
  const Plane p(6, 50);
  const SeaCondition sea{0.8, 8, 0, 0};
  std::vector<double> x = p.x, z = p.z;
  std::swap(x[3], x[4]);
  EXPECT_EQ(transform({x, z}, sea).error, Error::ProfileNotIncreasing);
  x = p.x;
  x[2] = x[1];
  EXPECT_EQ(transform({x, z}, sea).error, Error::ProfileNotIncreasing);
  x = p.x;
  z[5] = std::nan("");
  EXPECT_EQ(transform({x, z}, sea).error, Error::ProfileNotFinite);
  z = p.z;
  const std::vector<double> one{0};
  EXPECT_EQ(transform({one, one}, sea).error, Error::ProfileTooShort);
  EXPECT_EQ(transform({x, std::span<const double>(z).first(4)}, sea).error,
            Error::ProfileLengthMismatch);
  // Only the boundary under water.
  const std::vector<double> x2{0, 10, 20}, z2{-1, 0.5, 1};
  EXPECT_EQ(transform({x2, z2}, SeaCondition{0.1, 8, 0, 0}).error, Error::TooFewWetPoints);
  // A dry boundary, and a wave already breaking there.
  EXPECT_EQ(transform(p.bed(), SeaCondition{0.8, 8, 0, -7}).error, Error::BoundaryTooShallow);
  TransformOptions lowGamma;
  lowGamma.gamma = GammaRule::Constant;
  lowGamma.gammaConstant = 0.4;
  EXPECT_EQ(transform(p.bed(), SeaCondition{2.5, 12, 0, 0}, lowGamma).error,
            Error::BoundaryTooShallow);
  EXPECT_TRUE(transform(p.bed(), SeaCondition{2.0, 12, 0, 0}, lowGamma).ok());
  // Steeper than Miche's limit at the boundary (short, high waves).
  EXPECT_EQ(transform(p.bed(), SeaCondition{2.5, 2.5, 0, 0}).error, Error::MicheLimitAtBoundary);
  EXPECT_EQ(transform(p.bed(), SeaCondition{0, 8, 0, 0}).error, Error::InvalidHeight);
  EXPECT_EQ(transform(p.bed(), SeaCondition{0.8, -1, 0, 0}).error, Error::InvalidPeriod);
  EXPECT_EQ(transform(p.bed(), SeaCondition{0.8, 8, 90, 0}).error, Error::InvalidAngle);
  EXPECT_EQ(transform(p.bed(), SeaCondition{0.8, 8, 0, INFINITY}).error, Error::InvalidTide);
  TransformOptions bad;
  bad.rollerBeta = 0;
  EXPECT_EQ(transform(p.bed(), sea, bad).error, Error::InvalidTransformOption);
}

TEST(Transform, ManyConditionsAsOneByOne) {
  const Plane p(6, 50);
  const std::vector<SeaCondition> seas{{0.8, 8, 10, 0}, {0, 8, 0, 0}, {1.1, 11, -25, 0.4}};
  std::vector<TransformResult> out(seas.size());
  // Results reused from a larger profile keep nothing of it.
  out[2].Hrms.assign(1000, 7);
  transform(p.bed(), seas, out);
  EXPECT_EQ(out[1].error, Error::InvalidHeight);
  for (std::size_t c : {0u, 2u}) {
    const TransformResult one = transform(p.bed(), seas[c]);
    ASSERT_TRUE(out[c].ok());
    ASSERT_EQ(out[c].Hrms.size(), p.x.size());
    for (std::size_t i = 0; i < p.x.size(); ++i) {
      EXPECT_TRUE(out[c].Hrms[i] == one.Hrms[i] ||
                  (std::isnan(out[c].Hrms[i]) && std::isnan(one.Hrms[i])));
      EXPECT_TRUE(out[c].V[i] == one.V[i] || (std::isnan(out[c].V[i]) && std::isnan(one.V[i])));
    }
    EXPECT_EQ(out[c].R2, one.R2);
  }
}

}  // namespace
}  // namespace saiha::shore
