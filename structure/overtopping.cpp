// EurOtop (2018) runup and mean overtopping: slopes (chapters 5 and 6),
// plain and composite vertical walls (chapter 7).
#include "structure/overtopping.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "structure/caisson.h"
#include "structure/common.h"

namespace saiha::structure {

namespace {

using std::numbers::pi;

// The ranges of the data behind the formulas, as adopted here (EurOtop 2018,
// §§5.3, 6.3, 7.3): outside them a result carries a warning bit.
constexpr double kSteepestSlope = 1, kGentlestSlope = 8;         // cot α
constexpr double kLowestSteepness = 0.004, kHighestSteepness = 0.07;  // sm−1,0
constexpr double kHighestFreeboard = 4;                          // Rc/Hm0
constexpr double kLargestObliquity = 80;                         // degrees, slopes
constexpr double kLargestWallObliquity = 60;                     // degrees, walls
// ξm−1,0 of the slope formulas: the breaking/non-breaking pair up to 5, the
// very shallow foreshore formula from 7, log q interpolated between; the
// very shallow data reach ξ ≈ 10.
constexpr double kShallowFrom = 5, kVeryShallowFrom = 7, kLargestXi = 10;
// Rough and smooth slopes apart for γβ.
constexpr double kRoughSlope = 0.6;
// The wall's impulsiveness parameter h²/(Hm0·Lm−1,0) at the regime change;
// on a mound h·d/(Hm0·Lm−1,0) at 0.65, with the mound's factor 1.3·√(d/h) on
// the impulsive discharge; a mound with d/h above 0.6 leaves a plain wall.
constexpr double kImpulsiveParameter = 0.23, kImpulsiveMound = 0.65;
constexpr double kMoundFactor = 1.3, kLowMound = 0.6;
// Impulsive overtopping: the exponential branch below Rc/Hm0 = 1.35, the
// power law above.
constexpr double kImpulsiveFreeboard = 1.35;
// The largest runup on a rock slope with a permeable core (Ru2%/Hm0).
constexpr double kPermeableCoreRunup = 1.97;

struct Coefficients {
  double a, b, c, d;  // breaking: a, b; non-breaking maximum: c, d
};
// Eqs. 5.10–5.11 (mean) and 5.12–5.13 (design): q/√(gHm0³) =
// a/√tan α·γb·ξ·exp(−(b·Rc/(ξ·Hm0·γb·γf·γβ·γv))^1.3), at most
// c·exp(−(d·Rc/(Hm0·γf·γβ·γ*))^1.3).
constexpr Coefficients kOvertoppingMean{0.023, 2.7, 0.09, 1.5};
constexpr Coefficients kOvertoppingDesign{0.026, 2.5, 0.1035, 1.35};
// Eqs. 5.1–5.2 (mean), 5.4–5.5 (design): Ru2%/Hm0 = a·γb·γf·γβ·ξ, at most
// c·γf,surging·γβ·(4 − 1.5/√(γb·ξ)).
constexpr Coefficients kRunupMean{1.65, 0, 1.0, 0};
constexpr Coefficients kRunupDesign{1.75, 0, 1.07, 0};
// A very shallow foreshore, ξ > 7, with ξ on the structure's own slope
// (EurOtop 2007 eqs. 5.12–5.13; TAW 2002 eqs. 25–26):
// q/√(gHm0³) = a·exp(−Rc/(γf·γβ·Hm0·(0.33 + 0.022·ξ))), a = 10^−0.92 for
// the mean (σ of the exponent 0.24) and 0.21 (10^(−0.92 + 0.24)) for design.
// (EurOtop 2018 recasts the formula on an equivalent slope of foreshore and
// dike, after Altomare et al. 2016, with 10^−0.791 as its mean.)
constexpr double kVeryShallowMeanExponent = -0.92, kVeryShallowDesign = 0.21;

// Vertical walls (EurOtop 2018 eqs. 7.1, 7.5, 7.7, 7.8): the mean values and
// the design values, one standard deviation safer (σ 0.007 and 0.23 for
// eq. 7.1, 0.012 and 0.17 for eq. 7.5, 0.0045 for eq. 7.7, 0.0006 for
// eq. 7.8):
//   no foreshore  q/√(gHm0³) = deepA·exp(−(deepB·Rc/Hm0)^1.3)
//   non-impulsive q/√(gHm0³) = calmA·exp(−calmB·Rc/Hm0)
//   impulsive     q/√(gHm0³) = lowA·√(Hm0/(h·s))·exp(−2.2·Rc/Hm0)   (Rc/Hm0 < 1.35)
//                            = highA·√(Hm0/(h·s))·(Rc/Hm0)^−3        (above)
struct WallCoefficients {
  double deepA, deepB, calmA, calmB, lowA, highA;
};
constexpr WallCoefficients kWallMean{0.047, 2.35, 0.05, 2.78, 0.011, 0.0014};
constexpr WallCoefficients kWallDesign{0.054, 2.12, 0.062, 2.61, 0.0155, 0.0020};

bool factorOk(double x) { return std::isfinite(x) && x > 0 && x <= 1; }

// γβ for overtopping (runup = false) or runup, smooth and rough apart
// (EurOtop 2018 eqs. 5.28, 5.29 and 6.9), held at 80°.
double obliquity(double beta, double gammaF, bool runup, Warnings& w) {
  double angle = std::abs(beta);
  if (angle > kLargestObliquity) {
    angle = kLargestObliquity;
    w.add(Warning::ObliqueOutsideRange);
  }
  const double c = gammaF <= kRoughSlope ? 0.0063 : runup ? 0.0022 : 0.0033;
  return 1 - c * angle;
}

struct Wave {
  double Lm10, s;
};
Wave waveAtToe(double Hm0, double Tm10, Warnings& w) {
  const double L = kGravity * Tm10 * Tm10 / (2 * pi);
  const double s = Hm0 / L;
  if (s < kLowestSteepness || s > kHighestSteepness) w.add(Warning::SteepnessOutsideRange);
  return {L, s};
}

Error checkSlope(double cotAlpha, double gammaF, double gammaB, double gammaV, double beta,
                 double h) {
  if (!positiveFinite(cotAlpha)) return Error::InvalidStructureSlope;
  if (!factorOk(gammaF) || !factorOk(gammaB) || !factorOk(gammaV)) {
    return Error::InvalidInfluenceFactor;
  }
  if (!std::isfinite(beta) || std::abs(beta) >= 90) return Error::InvalidAttackAngle;
  if (!std::isnan(h) && !positiveFinite(h)) return Error::InvalidStructureDepth;
  return Error::None;
}

void slopeRanges(double cotAlpha, Warnings& w) {
  if (cotAlpha < kSteepestSlope || cotAlpha > kGentlestSlope) {
    w.add(Warning::StructureSlopeOutsideRange);
  }
}

// γf,surging (eq. 5.5): the roughness grows toward a smooth slope's 1 as the
// waves surge up the slope.
double surgingRoughness(double gammaF, double xi) {
  if (xi <= 1.8) return gammaF;
  return std::min(gammaF + (xi - 1.8) * (1 - gammaF) / 8.2, 1.0);
}

void slopeOvertopping(const OvertoppingInput& in, OvertoppingResult& r, double& qStar) {
  const Wave wave = waveAtToe(in.Hm0, in.Tm10, r.warnings);
  slopeRanges(in.cotAlpha, r.warnings);
  const double tanA = 1 / in.cotAlpha;
  const double xi = tanA / std::sqrt(wave.s);
  const double gb = obliquity(in.beta, in.gammaF, false, r.warnings);
  const double rel = in.Rc / in.Hm0;
  const bool design = in.approach == Approach::Design;
  const Coefficients& c = design ? kOvertoppingDesign : kOvertoppingMean;
  // A rough slope (rubble mound) under long waves: its roughness fades
  // toward a smooth slope's from ξ = 5 to ξ = 10 (EurOtop 2018 eq. 6.7), and
  // the very shallow foreshore formula, fitted to smooth dikes, is not used.
  const bool rough = in.gammaF <= kRoughSlope;
  const double gf = rough && xi > kShallowFrom
                        ? std::min(in.gammaF + (xi - kShallowFrom) * (1 - in.gammaF) /
                                                   (kLargestXi - kShallowFrom),
                                   1.0)
                        : in.gammaF;
  const double breaking = c.a / std::sqrt(tanA) * in.gammaB * xi *
                          std::exp(-std::pow(c.b * rel / (xi * in.gammaB * gf * gb * in.gammaV), 1.3));
  const double maximum = c.c * std::exp(-std::pow(c.d * rel / (gf * gb * in.gammaV), 1.3));
  double q = std::min(breaking, maximum);
  r.regime = breaking < maximum ? Regime::Breaking : Regime::NonBreaking;
  if (!rough && xi > kShallowFrom) {
    const double a = design ? kVeryShallowDesign : std::pow(10.0, kVeryShallowMeanExponent);
    const double shallow = a * std::exp(-rel / (in.gammaF * gb * (0.33 + 0.022 * xi)));
    if (xi >= kVeryShallowFrom) {
      q = shallow;
    } else {
      // Between ξ = 5 and 7: log q linear in ξ.
      const double t = (xi - kShallowFrom) / (kVeryShallowFrom - kShallowFrom);
      q = std::exp((1 - t) * std::log(q) + t * std::log(shallow));
    }
    r.regime = Regime::VeryShallow;
  }
  if (xi > kLargestXi) r.warnings.add(Warning::BreakerParameterOutsideRange);
  // The armoured crest of a rubble mound (eq. 6.8).
  double Cr = 1;
  if (in.gammaF < 1 && in.crestWidth > 0) Cr = std::min(3.06 * std::exp(-1.5 * in.crestWidth / in.Hm0), 1.0);
  qStar = q * Cr;
  r.xi = single(xi);
  r.gammaBeta = single(gb);
  r.Cr = single(Cr);
  r.Lm10 = single(wave.Lm10);
  r.steepness = single(wave.s);
  r.approach = in.approach;
}

// Plain and composite vertical walls (EurOtop 2018, §7.3 and its decision
// chart, Fig. 7.2), h the depth in front of the wall (in front of the mound
// for a composite wall), d the depth over the mound.  A mound with d/h > 0.6
// hardly changes the waves: the wall counts as a plain one.
void wallOvertopping(const OvertoppingInput& in, OvertoppingResult& r, double& qStar) {
  const Wave wave = waveAtToe(in.Hm0, in.Tm10, r.warnings);
  const bool design = in.approach == Approach::Design;
  const WallCoefficients& c = design ? kWallDesign : kWallMean;
  // Oblique waves on a wall, non-impulsive: γβ = 1 − 0.0062·β up to 45°,
  // 0.72 beyond (EurOtop 2007, §7.3.6), dividing the freeboard; the data
  // reach 60°.
  const double angle = std::abs(in.beta);
  if (angle > kLargestWallObliquity) r.warnings.add(Warning::ObliqueOutsideRange);
  const double gb = angle < 45 ? 1 - 0.0062 * angle : 0.72;
  const double rel = in.Rc / in.Hm0;
  const double h = in.h;
  const bool onMound = in.structure == Structure::Composite && in.d / h <= kLowMound;
  // The impulsiveness: h²/(Hm0·Lm−1,0) at a plain wall, h·d/(Hm0·Lm−1,0) at
  // a wall on a mound, each with its own limit.
  const double parameter = (onMound ? h * in.d : h * h) / (in.Hm0 * wave.Lm10);
  const double limit = onMound ? kImpulsiveMound : kImpulsiveParameter;
  if (!in.foreshore) {
    // Eq. 7.1: no influential foreshore.
    qStar = c.deepA * std::exp(-std::pow(c.deepB * rel / gb, 1.3));
    r.regime = Regime::NoForeshore;
  } else if (parameter > limit) {
    // Eq. 7.5: non-impulsive overtopping over an influential foreshore.
    qStar = c.calmA * std::exp(-c.calmB * rel / gb);
    r.regime = Regime::NonImpulsive;
  } else {
    // Eqs. 7.7 and 7.8 (plain wall), 7.14 and 7.15 (on a mound, the plain
    // wall's discharge times 1.3·√(d/h)): impulsive overtopping, normal
    // incidence.
    double factor = std::sqrt(in.Hm0 / (h * wave.s));
    if (onMound) factor *= kMoundFactor * std::sqrt(in.d / h);
    qStar = rel < kImpulsiveFreeboard ? c.lowA * factor * std::exp(-2.2 * rel)
                                      : c.highA * factor * std::pow(rel, -3.0);
    r.regime = Regime::Impulsive;
  }
  if ((onMound ? in.d : h) / in.Hm0 < 1) r.warnings.add(Warning::ToeDepthOutsideRange);
  r.gammaBeta = single(r.regime == Regime::Impulsive ? 1.0 : gb);
  r.impulsiveness = single(parameter);
  r.Lm10 = single(wave.Lm10);
  r.steepness = single(wave.s);
  r.approach = in.approach;
}

// The wave at the toe, as typed.
Error checkWave(double Hm0, double Tm10) {
  if (!positiveSingle(Hm0)) return Error::InvalidDesignHeight;
  if (!positiveSingle(Tm10)) return Error::InvalidDesignPeriod;
  return Error::None;
}

}  // namespace

OvertoppingResult overtopping(const OvertoppingInput& in) noexcept {
  OvertoppingResult r;
  r.approach = in.approach;
  const auto fail = [&r](Error e) {
    r.error = e;
    return r;
  };
  if (const Error e = checkWave(in.Hm0, in.Tm10); e != Error::None) return fail(e);
  if (!std::isfinite(in.Rc)) return fail(Error::InvalidCrestHeight);
  if (in.Rc < 0) return fail(Error::NegativeFreeboard);
  if (in.structure > Structure::Composite || in.approach > Approach::Design) {
    return fail(Error::InvalidStructureOption);
  }
  if (in.structure == Structure::Slope) {
    if (const Error e = checkSlope(in.cotAlpha, in.gammaF, in.gammaB, in.gammaV, in.beta, in.h);
        e != Error::None) {
      return fail(e);
    }
  } else {
    if (!std::isfinite(in.beta) || std::abs(in.beta) >= 90) return fail(Error::InvalidAttackAngle);
    if (!positiveFinite(in.h)) return fail(Error::InvalidStructureDepth);
    if (in.structure == Structure::Composite) {
      if (!positiveFinite(in.d)) return fail(Error::InvalidStructureDepth);
      if (in.d > in.h) return fail(Error::DepthOrder);
    }
  }
  if (!nonNegativeFinite(in.crestWidth)) return fail(Error::InvalidStructureWidth);

  double qStar = 0;
  if (in.structure == Structure::Slope) {
    slopeOvertopping(in, r, qStar);
  } else {
    wallOvertopping(in, r, qStar);
  }
  if (in.Rc / in.Hm0 > kHighestFreeboard) r.warnings.add(Warning::FreeboardOutsideRange);
  if (!std::isnan(in.h) && in.Hm0 > in.h) r.warnings.add(Warning::HeightAboveDepth);
  const double q = qStar * std::sqrt(kGravity * in.Hm0 * in.Hm0 * in.Hm0);
  if (q < kNegligibleDischarge) r.warnings.add(Warning::NegligibleOvertopping);
  r.qStar = single(qStar);
  r.q = single(q);
  return r;
}

RunupResult runup(const RunupInput& in) noexcept {
  RunupResult r;
  r.approach = in.approach;
  const auto fail = [&r](Error e) {
    r.error = e;
    return r;
  };
  if (const Error e = checkWave(in.Hm0, in.Tm10); e != Error::None) return fail(e);
  if (in.approach > Approach::Design) return fail(Error::InvalidStructureOption);
  if (const Error e = checkSlope(in.cotAlpha, in.gammaF, in.gammaB, 1, in.beta, in.h);
      e != Error::None) {
    return fail(e);
  }
  const Wave wave = waveAtToe(in.Hm0, in.Tm10, r.warnings);
  slopeRanges(in.cotAlpha, r.warnings);
  const double xi = 1 / in.cotAlpha / std::sqrt(wave.s);
  if (xi > kLargestXi) r.warnings.add(Warning::BreakerParameterOutsideRange);
  const double gb = obliquity(in.beta, in.gammaF, true, r.warnings);
  const double surging = surgingRoughness(in.gammaF, xi);
  const Coefficients& c = in.approach == Approach::Design ? kRunupDesign : kRunupMean;
  const double breaking = c.a * in.gammaB * in.gammaF * gb * xi;
  const double maximum = c.c * surging * gb * (4 - 1.5 / std::sqrt(in.gammaB * xi));
  double rel = std::min(breaking, maximum);
  r.regime = breaking < maximum ? Regime::Breaking : Regime::NonBreaking;
  if (in.permeableCore) rel = std::min(rel, kPermeableCoreRunup);
  if (!std::isnan(in.h) && in.Hm0 > in.h) r.warnings.add(Warning::HeightAboveDepth);
  r.Ru2 = single(rel * in.Hm0);
  r.Lm10 = single(wave.Lm10);
  r.steepness = single(wave.s);
  r.xi = single(xi);
  r.gammaBeta = single(gb);
  r.gammaFSurging = single(surging);
  return r;
}

}  // namespace saiha::structure
