// Goda's pressures on an upright breakwater with Takahashi's impulsive
// coefficient, its forces, moments and stability (Goda 2000, §4.2;
// Takahashi, Tanimoto & Shimosako 1994).
#include "structure/caisson.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "shore/random_waves.h"
#include "structure/common.h"
#include "wave/dispersion.h"

namespace saiha::structure {

namespace {

using std::numbers::pi;

// Goda's advice: the principal direction turned by up to 15° toward the
// wall's normal.
constexpr double kDirectionAllowance = 15;
// Takahashi's αI0 saturates at H = 2d.
constexpr double kImpulsiveHeightRatio = 2;

Error checkCaisson(const CaissonInput& in) {
  if (!positiveSingle(in.Hmax) || !positiveSingle(in.H13)) return Error::InvalidDesignHeight;
  if (in.H13 > in.Hmax) return Error::HeightOrder;
  if (!positiveSingle(in.T)) return Error::InvalidDesignPeriod;
  if (!positiveFinite(in.h) || !positiveFinite(in.hPrime) || !positiveFinite(in.d)) {
    return Error::InvalidStructureDepth;
  }
  if (in.d > in.hPrime || in.hPrime > in.h) return Error::DepthOrder;
  if (!nonNegativeFinite(in.hc)) return Error::InvalidCrestHeight;
  if (!positiveFinite(in.B) || !nonNegativeFinite(in.berm)) return Error::InvalidStructureWidth;
  if (!positiveFinite(in.n)) return Error::InvalidSlope;
  if (!std::isfinite(in.beta) || std::abs(in.beta) >= 90) return Error::InvalidAttackAngle;
  if (!nonNegativeFinite(in.lambda1) || !nonNegativeFinite(in.lambda2) ||
      !nonNegativeFinite(in.lambda3)) {
    return Error::InvalidPressureFactor;
  }
  if (!positiveFinite(in.rho)) return Error::InvalidWaterDensity;
  if (std::isnan(in.weight) ? !positiveFinite(in.density) : !positiveFinite(in.weight)) {
    return Error::InvalidCaissonWeight;
  }
  if (!positiveFinite(in.mu)) return Error::InvalidFriction;
  if (!positiveFinite(in.requiredSafety)) return Error::InvalidStructureOption;
  if (in.Hmax > 2 * in.h) return Error::HeightAboveDepthLimit;
  return Error::None;
}

// Takahashi, Tanimoto & Shimosako (1994): the impulsive pressure
// coefficient αI = αI0·αI1 of a wave of height H over a mound at depth d
// with a berm of width BM, at depth h, wavelength L.
double takahashiAlphaI(double H, double d, double h, double berm, double L) {
  const double alphaI0 = H <= kImpulsiveHeightRatio * d ? H / d : kImpulsiveHeightRatio;
  const double b = berm / L - 0.12;
  const double depth = 0.4 - d / h;
  const double delta11 = 0.93 * b + 0.36 * depth;
  const double delta22 = -0.36 * b + 0.93 * depth;
  const double delta1 = delta11 <= 0 ? 20 * delta11 : 15 * delta11;
  const double delta2 = delta22 <= 0 ? 4.9 * delta22 : 3 * delta22;
  // Below δ2 = −π/2 the cosine would turn negative: the mound is too low to
  // make the waves break impulsively, and αI1 stays at 0.
  const double alphaI1 = delta2 <= 0
                             ? std::max(std::cos(delta2), 0.0) / std::cosh(delta1)
                             : 1 / (std::cosh(delta1) * std::sqrt(std::cosh(delta2)));
  return alphaI0 * alphaI1;
}

}  // namespace

CaissonResult caisson(const CaissonInput& in) noexcept {
  CaissonResult r;
  r.error = checkCaisson(in);
  if (!r.ok()) return r;
  const std::optional<double> length = wave::linearWavelength(in.T, in.h);
  if (!length) {
    r.error = Error::WaveLengthLimit;
    return r;
  }
  const double g = kGravity, H = in.Hmax, h = in.h, hp = in.hPrime, d = in.d, L = *length;
  const double beta = std::max(std::abs(in.beta) - kDirectionAllowance, 0.0);
  const double cb = std::cos(beta * pi / 180);
  const double hb = h + 5 * in.H13 / in.n;

  const double kh2 = 4 * pi * h / L;
  const double ratio = kh2 / std::sinh(kh2);
  const double alpha1 = 0.6 + 0.5 * ratio * ratio;
  const double alpha2 = std::min((hb - d) / (3 * hb) * (H / d) * (H / d), 2 * d / H);
  const double coshKh = std::cosh(2 * pi * h / L);
  const double alpha3 = 1 - hp / h * (1 - 1 / coshKh);
  const double alphaI = takahashiAlphaI(H, d, h, in.berm, L);
  const double alpha2Used = in.impulsive ? std::max(alpha2, alphaI) : alpha2;

  const double etaStar = 0.75 * (1 + cb) * in.lambda1 * H;
  const double p1 =
      0.5 * (1 + cb) * (in.lambda1 * alpha1 + in.lambda2 * alpha2Used * cb * cb) * in.rho * g * H;
  const double p2 = p1 / coshKh;
  const double p3 = alpha3 * p1;
  const double p4 = etaStar > in.hc ? p1 * (1 - in.hc / etaStar) : 0.0;
  const double pu = 0.5 * (1 + cb) * in.lambda3 * alpha1 * alpha3 * in.rho * g * H;

  const double hcStar = std::min(etaStar, in.hc);
  const double P = 0.5 * (p1 + p3) * hp + 0.5 * (p1 + p4) * hcStar;
  const double Mp = (2 * p1 + p3) * hp * hp / 6 + 0.5 * (p1 + p4) * hp * hcStar +
                    (p1 + 2 * p4) * hcStar * hcStar / 6;
  const double U = 0.5 * pu * in.B;
  const double Mu = 2.0 / 3.0 * U * in.B;

  const double W = std::isnan(in.weight)
                       ? (in.density * (hp + in.hc) - in.rho * hp) * g * in.B
                       : in.weight;
  const double arm = in.B / 2;
  const double sliding = in.mu * (W - U) / P;
  const double overturning = (W * arm - Mu) / Mp;
  // Goda (2000, eq. 4.14): the resultant's distance te from the heel and the
  // heel's bearing pressure, triangular (te ≤ B/3) or trapezoidal.
  const double We = W - U;
  const double te = (W * arm - Mu - Mp) / We;
  double heel = std::numeric_limits<double>::quiet_NaN();
  if (We > 0 && te > 0) {
    heel = te <= in.B / 3 ? 2 * We / (3 * te) : 2 * We / in.B * (2 - 3 * te / in.B);
  }

  r.L = single(L);
  r.hb = single(hb);
  r.betaUsed = single(beta);
  r.eta_star = single(etaStar);
  r.alpha1 = single(alpha1);
  r.alpha2 = single(alpha2);
  r.alpha3 = single(alpha3);
  r.alphaI = single(alphaI);
  r.alpha2Used = single(alpha2Used);
  r.p1 = single(p1);
  r.p2 = single(p2);
  r.p3 = single(p3);
  r.p4 = single(p4);
  r.pu = single(pu);
  r.hcStar = single(hcStar);
  r.P = single(P);
  r.U = single(U);
  r.Mp = single(Mp);
  r.Mu = single(Mu);
  r.W = single(W);
  r.SF_sliding = single(sliding);
  r.SF_overturning = single(overturning);
  r.te = single(We != 0 ? te : std::numeric_limits<double>::quiet_NaN());
  r.heel_pressure = single(heel);
  if (H > h) r.warnings.add(Warning::HeightAboveDepth);
  if (!(sliding >= in.requiredSafety)) r.warnings.add(Warning::SlidingBelowRequired);
  if (!(overturning >= in.requiredSafety)) r.warnings.add(Warning::OverturningBelowRequired);
  return r;
}

DesignWave designWave(double H0p, double T13, double n, double h) noexcept {
  DesignWave r;
  const shore::RandomState site = shore::randomWaves(H0p, T13, n, h);
  r.warnings.add(site.warnings);
  if (!site.ok()) {
    r.error = site.error;
    return r;
  }
  r.H13_h = site.H13;
  r.Hmax_h = site.Hmax;
  const double hb = double(site.h) + 5 * double(site.H13) / n;
  r.hb = single(hb);
  const shore::RandomState seaward = shore::randomWaves(H0p, T13, n, hb);
  r.warnings.add(seaward.warnings);
  if (!seaward.ok()) {
    r.error = seaward.error;
    return r;
  }
  r.H13_hb = seaward.H13;
  r.Hmax_hb = seaward.Hmax;
  // Seaward of the surf zone (Hmax at the site still the shoaled 1.8·Ks·H0′)
  // the wave at the wall itself; within it the breaking wave at hb, which
  // grows seaward across the surf zone (the larger kept, should the cap
  // make them equal).
  const bool inSurf = site.HmaxTerm != shore::RandomTerm::Shoaling;
  r.atHb = inSurf && seaward.Hmax > site.Hmax;
  r.Hmax = r.atHb ? seaward.Hmax : site.Hmax;
  r.H13 = site.H13;
  r.T = single(T13);
  return r;
}

}  // namespace saiha::structure
