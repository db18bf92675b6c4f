// Random waves across a measured profile by the wave energy balance.
//
// Along x (onshore), with the still-water depth h = tide − z and the mean
// depth d = h + η:
//
//   d(Ew·Cg·cosθ)/dx = −Dbr − Df                       wave energy flux
//   d(2·Er·c·cosθ)/dx = Dbr − Dr,  Dr = 2·g·β·Er/c      roller energy flux
//   ρ·g·d·dη/dx = −dSxx/dx                              cross-shore momentum
//   τb,y = (Dr + Df)·sinθ/c + τw,y                      alongshore momentum
//
// with Ew = ρ·g·Hrms²/8, linear dispersion ω² = g·k·tanh(kd) at the peak
// period, Snell's law sinθ/c = const on parallel contours, and
// Sxx = Ew·(n·(1 + cos²θ) − ½) + 2·Er·cos²θ (Longuet-Higgins & Stewart 1964;
// the roller's part Svendsen 1984).  Without the roller the current is
// driven by Dbr in place of Dr.  Each model's source and range of use is at
// its formula below; the scheme is described at `march`.
//
// Arithmetic is plain double precision: the model is an integration whose
// step error (below a millimetre of Hrms) far exceeds any rounding, so the
// engine's checked single-precision arithmetic would buy nothing; every
// result is tested finite before it is narrowed.
#include "shore/transform.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "shore/internal.h"
#include "shore/shoreline.h"

namespace saiha::shore {

namespace {

constexpr double kG = 9.81;      // m/s², as everywhere in the engine
constexpr double kRho = 1025;    // kg/m³, sea water
constexpr double kPi = 3.14159265358979323846;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kDeg = kPi / 180;

// Miche (1944): no wave is higher than 0.142·L·tanh(kh).
constexpr double kMiche = 0.142;
// Battjes & Janssen (1978): Hm = 0.88/k·tanh(γ·k·d/0.88), Miche's limit with
// γ·d in shallow water.
constexpr double kMicheBJ = 0.88;

// Battjes & Stive (1985) fitted γ on laboratory and field data of
// deep-water steepness about 0.004 to 0.06; Ruessink et al. (2003) on field
// data (Egmond, Terschelling, Duck) whose breaking took place at kd up to
// about 1.4.  Outside them: GammaFitRange.
constexpr double kBattjesStiveLow = 0.004, kBattjesStiveHigh = 0.06;
constexpr double kRuessinkHighKd = 1.4;

// Feddersen, Guza, Elgar & Herbers (2000), JGR 105(C4): the alongshore bed
// stress of random waves and a current, τ = ρ·cf·σu·V·√(a² + (V/σu)²) with
// σu the standard deviation of the near-bed orbital velocity and a = 1.16,
// as used by Ruessink, Miles, Feddersen, Guza & Elgar (2001), JGR 106(C10),
// with cf = 0.015·(ka/d)^(1/3) (Manning–Strickler) and the apparent
// roughness ka of the options.  Fitted at Duck and Egmond in 2–8 m of water.
constexpr double kFeddersenA = 1.16;
constexpr double kManningStrickler = 0.015;

// The setup at a step's end settles when it changes by less than this (m).
constexpr double kEtaTolerance = 1e-5;
constexpr int kEtaPasses = 50;
// The decay rate of the wave energy flux (1/m) above which the steps shorten
// in proportion (see `march`).
constexpr double kDecayRef = 0.01;
// The relative change of depth per metre, |dh/dx|/d (1/m), above which the
// steps shorten in proportion: in shallow water over a sloping bed the
// waves' kinematics, the breaker height and the setup change within a
// step, and the step error grows as (dx·|dh/dx|/d)³.
constexpr double kDepthRateRef = 0.015;

// E = e^(−2kd) with F = 1 − E beside it, each to its own relative
// precision: F is what tanh kd = F/(1 + E) and sinh kd need in shallow
// water, where E nears 1 and 1 − E would lose digits.
struct Decay {
  double E = 1, F = 0;
};

// The decay at kd, by one exponential: expm1 where E > 1/2, exp beyond.
Decay decayAt(double kd) {
  if (2 * kd < 0.6931471805599453) {
    const double F = -std::expm1(-2 * kd);
    return {1 - F, F};
  }
  const double E = std::exp(-2 * kd);
  return {E, 1 - E};
}

// The decay at kd + δ from that at kd: E·e^(−2δ) = E + E·m with m the series
// of e^(−2δ) − 1, to its second power where |δ| < 1e-6 and its fourth where
// |δ| < 5e-4 (the terms left are below 1e-17 of it), and F − E·m; else anew.
[[gnu::always_inline]] inline Decay decayShifted(Decay at, double kd, double delta) {
  const double a = -2 * delta;
  double m;
  if (std::abs(delta) < 1e-6) {
    m = a * (1 + a / 2);
  } else if (std::abs(delta) < 5e-4) {
    m = a * (1 + a / 2 * (1 + a / 3 * (1 + a / 4)));
  } else {
    return decayAt(kd + delta);
  }
  return {at.E + at.E * m, at.F - at.E * m};
}

// Linear dispersion at the mean depth d: kd from x = ω²d/g by Newton's
// method on kd·tanh(kd) = x (convex and rising: it converges from any start
// above the root, and from below in one step to above it), started from
// Guo's (2002) explicit kd = x·(1 − e^(−x^1.25))^(−0.4) (within 0.75 %) or,
// along a profile, from the kd of a depth close by carried to the new depth
// to first order, d ln(kd)/d ln(d) = 1/(2n) (so that the mean level's
// small corrections of a depth cost one Newton step, without an
// exponential).  Stops after a step that changes kd by less than 1e-7 of
// it, which leaves it within 1e-13.
using Kinematics = detail::TransformKinematics;

}  // namespace

void detail::solveTransformKinematics(double omega, double d, const Kinematics* near,
                                      Kinematics& q) noexcept {
  const double x = omega * omega * d * (1 / kG);
  double kd;
  Decay e;
  if (near && near->kd > 0) {
    kd = near->kd * (1 + (d / near->d - 1) / (2 * near->n));
    e = decayShifted({near->E, near->F}, near->kd, kd - near->kd);
  } else {
    kd = x / std::pow(-std::expm1(-std::pow(x, 1.25)), 0.4);
    e = decayAt(kd);
  }
  // tanh and sinh from e^(−2kd), at most one exponential per evaluation.
  for (int i = 0; i < 20; ++i) {
    const double t = e.F / (1 + e.E);
    const double step = (kd * t - x) / (t + kd * (1 - t * t));
    // Newton converges quadratically: after a step below 1e-7 of kd the
    // error left is of order step²/kd, below 1e-13 of kd.
    e = decayShifted(e, kd, -step);
    kd -= step;
    if (std::abs(step) <= 1e-7 * kd) break;
  }
  const double E = e.E;
  q.kd = kd;
  q.d = d;
  q.E = E;
  q.F = e.F;
  q.k = kd / d;
  q.c = omega / q.k;
  // 2kd/sinh(2kd) = 4kd·E/(1 − E²) vanishes in deep water (E underflows
  // from 2kd ≈ 745); sinh(kd) = (1/s − s)/2 = (1 − E)/(2s) with s =
  // e^(−kd) = √E.
  const double s = std::sqrt(E);
  q.sinhkd = E > 0 ? e.F / (2 * s) : std::numeric_limits<double>::infinity();
  q.n = 0.5 * (1 + (E > 0 ? 4 * kd * E / (e.F * (1 + E)) : 0));
  q.cg = q.n * q.c;
}

namespace {

Kinematics kinematics(double omega, double d) {
  Kinematics q;
  detail::solveTransformKinematics(omega, d, nullptr, q);
  return q;
}

}  // namespace

double gammaBattjesStive(double s0) noexcept {
  // Battjes & Stive (1985), JGR 90(C5): γ = 0.5 + 0.4·tanh(33·s0), s0 the
  // deep-water steepness Hrms,0/L0.
  return 0.5 + 0.4 * std::tanh(33 * s0);
}

double gammaRuessink(double kd) noexcept {
  // Ruessink, Walstra & Southgate (2003), Coastal Engineering 48: γ = 0.29 +
  // 0.76·kd, fitted with the Battjes–Janssen dissipation and a roller to
  // field data of barred beaches.
  return 0.29 + 0.76 * kd;
}

namespace {

// The breaking fraction of Battjes & Janssen (1978): the Rayleigh
// distribution truncated at Hm gives (1 − Qb)/ln Qb = −b², b = Hrms/Hm.  With
// u = ln Qb the root is that of H(u) = 1 − e^u + b²·u below u = ln b², where
// H is concave and rises.  H is evaluated through expm1 and its slope
// b² − e^u as −expm1(u) − (1 − b²), both accurate where Qb → 1 and the root
// nears the trivial one at u = 0 (b → 1).

// The root to full precision by Newton's method, for the table below: from
// u0 = −1/b² (e^u small), left of the root, Newton climbs to it without
// overshoot; near b = 1 the expansion 1 − Qb ≈ 2·(1 − b²)/b² starts closer
// (one step may cross the root, after which it climbs again).
double logBreakingFractionByNewton(double b) {
  const double b2 = b * b, eps = (1 - b) * (1 + b);
  const double top = std::log(b2);  // where H is largest
  double u = -1 / b2;
  if (b > 0.5) {
    const double q = 2 * eps / b2;
    if (q < 1) u = std::max(u, std::log1p(-q));
  }
  u = std::min(u, top * (1 + 1e-9));
  // Quadratic convergence: one more step after one below 1e-9 of u leaves
  // nothing but rounding.
  for (int i = 0, small = 0; i < 200 && small < 2; ++i) {
    const double e = std::expm1(u);
    const double slope = -e - eps;
    if (!(slope > 0)) break;
    const double step = (b2 * u - e) / slope;
    u = std::min(u - step, top * (1 + 1e-12));
    if (std::abs(step) <= 1e-9 * std::abs(u)) ++small;
  }
  return u;
}

// u = ln Qb on b = 0.2 … 1 at nodes 0.001 apart, with its derivative
// du/db = −2·b·u/(b² − e^u) (→ 4 as b → 1, where u ≈ −2·(1 − b²)/b²), as the
// cubic Hermite interpolant of each interval, u = c0 + s·(c1 + s·(c2 +
// s·c3)) for s = 0 … 1 across it: within about 5e-9 of the root at b = 0.2
// (where u ≈ −1/b² bends most), far closer towards b = 1.
constexpr double kBreakingTableLow = 0.2, kBreakingTableStep = 0.001;
constexpr int kBreakingTableIntervals = 800;

struct BreakingTable {
  std::array<std::array<double, 4>, kBreakingTableIntervals> cubic;
  BreakingTable() {
    std::array<double, kBreakingTableIntervals + 1> u, slope;
    for (int i = 0; i < kBreakingTableIntervals; ++i) {
      const double b = kBreakingTableLow + i * kBreakingTableStep;
      const double root = logBreakingFractionByNewton(b);
      const double eps = (1 - b) * (1 + b);
      u[std::size_t(i)] = root;
      slope[std::size_t(i)] = -2 * b * root / (-std::expm1(root) - eps) * kBreakingTableStep;
    }
    u.back() = 0;
    slope.back() = 4 * kBreakingTableStep;
    for (std::size_t i = 0; i < cubic.size(); ++i) {
      const double u0 = u[i], u1 = u[i + 1], m0 = slope[i], m1 = slope[i + 1];
      cubic[i] = {u0, m0, 3 * (u1 - u0) - 2 * m0 - m1, 2 * (u0 - u1) + m0 + m1};
    }
  }
};

// Built with the program, before any call.
const BreakingTable kBreakingTable;

}  // namespace

namespace {

// breakingFraction, inline where the integration asks for it.
[[gnu::always_inline]] inline double fractionBreaking(double b) {
  if (!(b > 0)) return 0;
  if (b >= 1) return 1;
  const double b2 = b * b;
  if (b < kBreakingTableLow) {
    // Qb = e^((Qb − 1)/b²) with Qb ≤ e^(−25): Qb = q0·e^(Qb/b²), q0 =
    // e^(−1/b²), is q0·(1 + q0/b²) to within (q0/b²)² < 1e-19 of it.
    const double q0 = std::exp(-1 / b2);
    return q0 * (1 + q0 / b2);
  }
  // u from the table, then one Newton step on H: the table's error (at most
  // about 5e-9) is squared by it, times e^u/(2·(b² − e^u)), to below the
  // rounding of H itself.
  const double pos = (b - kBreakingTableLow) * (1 / kBreakingTableStep);
  const auto i = std::min(static_cast<std::size_t>(pos), std::size_t{kBreakingTableIntervals - 1});
  const double s = pos - double(i);
  const std::array<double, 4>& c = kBreakingTable.cubic[i];
  const double u0 = c[0] + s * (c[1] + s * (c[2] + s * c[3]));
  // e^u − 1 and e^u, each from the call that keeps its precision: expm1
  // where Qb nears 1, exp where it is small.
  double e, E;
  if (u0 > -0.5) {
    e = std::expm1(u0);
    E = 1 + e;
  } else {
    E = std::exp(u0);
    e = E - 1;
  }
  const double slope = -e - (1 - b) * (1 + b);
  if (!(slope > 0)) return std::exp(logBreakingFractionByNewton(b));
  const double step = (b2 * u0 - e) / slope;
  // Qb = e^(u0 − step) = e^u0·e^(−step), the second factor by its series
  // (|step| ≤ 1e-8: the cubic term is below the rounding).
  return E * (1 - step * (1 - step / 2));
}

}  // namespace

double breakingFraction(double b) noexcept { return fractionBreaking(b); }

namespace {

// The breaker height Hm = 0.88/k·tanh(γ·kd/0.88) of bj78 and baldock98.
double breakerHeight(double k, double d, double gamma) {
  // tanh y = (1 − e^(−2y))/(1 + e^(−2y)), y = γ·kd/0.88 > 0: one exponential.
  const double e = std::exp(-2 * (gamma * k * d * (1 / kMicheBJ)));
  return kMicheBJ / k * ((1 - e) / (1 + e));
}

bool usesBreakerHeight(Dissipation model) {
  return model == Dissipation::BJ78 || model == Dissipation::Baldock98;
}

// The factor α/4·ρ·g·fp of the bj78 and baldock98 dissipations.
double bjScale(const TransformOptions& o, double fp) { return o.alpha / 4 * kRho * kG * fp; }

// breakingDissipation with the breaker height Hm given (read under bj78 and
// baldock98 only) and bjScale(o, fp): along a profile they are formed once
// per point and per condition, for the several heights tried there.
double dissipationWith(const TransformOptions& o, double Hrms, double d, double fp, double gamma,
                       double Hm, double scale, double* QbOut) {
  double Qb = 0, D = 0;
  if (Hrms > 1e-12) {
    switch (o.dissipation) {
      case Dissipation::BJ78: {
        // Battjes & Janssen (1978), Proc. 16th ICCE: D = α/4·ρ·g·fp·Qb·Hm²,
        // Hm = 0.88/k·tanh(γ·kd/0.88).  Laboratory and field surf zones on
        // plane and barred beaches.
        Qb = fractionBreaking(Hrms / Hm);
        D = scale * Qb * Hm * Hm;
        break;
      }
      case Dissipation::TG83: {
        // Thornton & Guza (1983), JGR 88(C10), the weighted Rayleigh form
        // (their weighting W = (Hrms/γd)²·(1 − e^(−(H/γd)²))):
        // D = 3√π/16·ρ·g·B³·fp·Hrms⁵/(γ²·d³)·(1 − (1 + (Hrms/γd)²)^(−5/2)),
        // Qb = r⁴/(1 + r²), r = Hrms/(γ·d), at most 1.  Fitted at Torrey Pines
        // (plane beach, about 1/50).
        const double r = Hrms / (gamma * d), r2 = r * r;
        D = 3 * std::sqrt(kPi) / 16 * kRho * kG * o.B * o.B * o.B * fp *
            std::pow(Hrms, 5) / (gamma * gamma * d * d * d) *
            (1 - std::pow(1 + r2, -2.5));
        Qb = std::min(1.0, r2 * r2 / (1 + r2));
        break;
      }
      case Dissipation::Baldock98: {
        // Baldock, Holmes, Bunker & van Weert (1998), Coastal Engineering 34:
        // the full Rayleigh distribution above Hb = 0.88/k·tanh(γ·kd/0.88),
        // D = α/4·ρ·g·fp·e^(−R²)·(Hb² + Hrms²), Qb = e^(−R²), R = Hb/Hrms.
        // Laboratory plane beaches, 1/10 to 1/40 (and steeper).
        const double Hb = Hm;
        const double R = Hb / Hrms;
        Qb = std::exp(-R * R);
        D = scale * Qb * (Hb * Hb + Hrms * Hrms);
        break;
      }
      case Dissipation::JB07: {
        // Janssen & Battjes (2007), Coastal Engineering 54: Baldock's
        // distribution with the bore of height H over the depth,
        // D = 3√π/16·B·ρ·g·fp·Hrms³/d·(1 + 4/(3√π)·(R³ + 3R/2)·e^(−R²) − erf R),
        // Hb = γ·d, R = Hb/Hrms, Qb = e^(−R²).  Laboratory and field data,
        // plane and barred, steep slopes included.
        const double R = gamma * d / Hrms;
        const double e = std::exp(-R * R);
        Qb = e;
        D = 3 * std::sqrt(kPi) / 16 * o.B * kRho * kG * fp * Hrms * Hrms * Hrms / d *
            (1 + 4 / (3 * std::sqrt(kPi)) * (R * R * R + 1.5 * R) * e - std::erf(R));
        break;
      }
      case Dissipation::None: break;
    }
  }
  if (QbOut) *QbOut = Qb;
  return D;
}

}  // namespace

double breakingDissipation(const TransformOptions& o, double Hrms, double d, double k,
                           double fp, double gamma, double* QbOut) noexcept {
  const double Hm = usesBreakerHeight(o.dissipation) ? breakerHeight(k, d, gamma) : 0;
  return dissipationWith(o, Hrms, d, fp, gamma, Hm, bjScale(o, fp), QbOut);
}

// ---------------------------------------------------------------------------
// Battjes & Groenendijk (2000), Coastal Engineering 40, 161–182: heights on
// shallow foreshores follow a Rayleigh distribution (exponent 2) below the
// transitional height Htr = (0.35 + 5.8·tanα)·d and a Weibull distribution of
// exponent 3.6 above it, continuous at Htr and with the Hrms of the sea.
// Fitted on laboratory foreshores of slopes 1/20 to 1/250.  The ratios to
// Hrms depend on Htr/Hrms alone; they are tabulated once, finely, and read by
// linear interpolation.

namespace {

constexpr double kK2 = 3.6;  // the Weibull exponent above Htr

// An order a of the incomplete gamma function with Γ(a) and ln Γ(a), which
// the distribution's table asks for at thousands of x and only three a.
struct GammaOrder {
  double a, gamma, lnGamma;
  explicit GammaOrder(double order)
      : a(order), gamma(std::tgamma(order)), lnGamma(std::lgamma(order)) {}
};

// The regularised upper incomplete gamma function Q(a, x), by its series
// for x < a + 1 and its continued fraction (modified Lentz) beyond.
double upperGammaQ(const GammaOrder& order, double x) {
  if (x <= 0) return 1;
  const double a = order.a;
  const double lnPrefix = -x + a * std::log(x) - order.lnGamma;
  if (x < a + 1) {
    double term = 1 / a, sum = term;
    for (int n = 1; n < 500; ++n) {
      term *= x / (a + n);
      sum += term;
      if (std::abs(term) < std::abs(sum) * 1e-16) break;
    }
    return 1 - sum * std::exp(lnPrefix);
  }
  const double tiny = 1e-300;
  double bb = x + 1 - a, c = 1 / tiny, dd = 1 / bb, h = dd;
  for (int i = 1; i < 500; ++i) {
    const double an = -i * (i - a);
    bb += 2;
    dd = an * dd + bb;
    if (std::abs(dd) < tiny) dd = tiny;
    c = bb + an / c;
    if (std::abs(c) < tiny) c = tiny;
    dd = 1 / dd;
    const double delta = dd * c;
    h *= delta;
    if (std::abs(delta - 1) < 1e-16) break;
  }
  return std::exp(lnPrefix) * h;
}
// Γ(a, x) = Γ(a)·Q(a, x).
double upperGamma(const GammaOrder& order, double x) { return order.gamma * upperGammaQ(order, x); }

// The composite distribution for a transition at Rayleigh exponent s
// (exceedance e^(−s) at Htr), as ratios to its Hrms.
struct CompositePoint {
  double HtrRatio;
  HeightRatios heights;
};
// The orders of the distribution's moments (1.5 and 1 + 1/3.6 for the mean
// heights, 1 + 2/3.6 for the second moment) and Γ(a, ln N) of the means of
// the highest third and tenth, the same at every transition.
struct CompositeConstants {
  GammaOrder rayleighMean{1.5};
  GammaOrder weibullMean{1 + 1 / kK2};
  GammaOrder weibullSquare{1 + 2 / kK2};
  double weibull3 = upperGamma(weibullMean, std::log(3.0));
  double weibull10 = upperGamma(weibullMean, std::log(10.0));
  double rayleigh3 = upperGamma(rayleighMean, std::log(3.0));
  double rayleigh10 = upperGamma(rayleighMean, std::log(10.0));
};

CompositePoint compositeAt(double s, const CompositeConstants& k) {
  // Heights in units of H1 (the Rayleigh scale): Htr = √s; H2 from
  // continuity, (Htr/H2)^3.6 = s.
  const double Htr = std::sqrt(s);
  const double H2s = Htr / std::pow(s, 1 / kK2);
  // Second moment: Rayleigh part γ(2, s) = 1 − e^(−s)·(1 + s), Weibull
  // part H2²·Γ(1 + 2/3.6, s).
  const double m2 = 1 - std::exp(-s) * (1 + s) + H2s * H2s * upperGamma(k.weibullSquare, s);
  const double Hrms = std::sqrt(m2);
  const double Ptr = std::exp(-s);
  // Γ(1.5, s) and Γ(1 + 1/3.6, s), formed once when a mean needs them.
  double rayleighS = kNaN, weibullS = kNaN;
  // Mean of the highest 1/N.
  auto meanHighest = [&](double N, double weibullLnN, double rayleighLnN) {
    if (1 / N <= Ptr) {
      // An exceedance 1/N at or below Ptr puts their lower edge HN at or
      // above Htr: all of them in the Weibull part, (HN/H2)^3.6 = ln N.
      return N * H2s * weibullLnN;
    }
    // Else they begin in the Rayleigh part, HN² = ln N, and run into the
    // Weibull part from Htr.
    if (std::isnan(rayleighS)) {
      rayleighS = upperGamma(k.rayleighMean, s);
      weibullS = upperGamma(k.weibullMean, s);
    }
    return N * (rayleighLnN - rayleighS + H2s * weibullS);
  };
  const double q = 0.02;
  const double H2pct = q <= Ptr ? H2s * std::pow(-std::log(q), 1 / kK2) : std::sqrt(-std::log(q));
  const double H13 = meanHighest(3, k.weibull3, k.rayleigh3);
  const double H110 = meanHighest(10, k.weibull10, k.rayleigh10);
  return {Htr / Hrms, {H13 / Hrms, H110 / Hrms, H2pct / Hrms}};
}

constexpr double kTableStep = 0.002;
constexpr int kTableSize = 3001;  // Htr/Hrms from 0 to 6; Rayleigh beyond

struct HeightTable {
  std::array<HeightRatios, kTableSize> at;
  HeightRatios rayleigh;
  HeightTable() {
    // Dense in s (logarithmic), then resampled on the even grid of Htr/Hrms,
    // which rises with s.
    constexpr int dense = 6000;
    std::vector<CompositePoint> pts;
    pts.reserve(dense);
    const CompositeConstants constants;
    for (int i = 0; i < dense; ++i) {
      const double s = 1e-8 * std::pow(50 / 1e-8, double(i) / (dense - 1));
      pts.push_back(compositeAt(s, constants));
    }
    rayleigh = pts.back().heights;
    std::size_t j = 0;
    for (int i = 0; i < kTableSize; ++i) {
      const double r = i * kTableStep;
      while (j + 1 < pts.size() && pts[j + 1].HtrRatio < r) ++j;
      if (r <= pts.front().HtrRatio) {
        at[std::size_t(i)] = pts.front().heights;
      } else if (j + 1 >= pts.size()) {
        at[std::size_t(i)] = rayleigh;
      } else {
        const CompositePoint& a = pts[j];
        const CompositePoint& b = pts[j + 1];
        const double w = (r - a.HtrRatio) / (b.HtrRatio - a.HtrRatio);
        at[std::size_t(i)] = {a.heights.H13 + w * (b.heights.H13 - a.heights.H13),
                              a.heights.H110 + w * (b.heights.H110 - a.heights.H110),
                              a.heights.H2 + w * (b.heights.H2 - a.heights.H2)};
      }
    }
  }
};

const HeightTable& heightTable() {
  static const HeightTable table;
  return table;
}

}  // namespace

HeightRatios battjesGroenendijk(double r) noexcept {
  const HeightTable& t = heightTable();
  if (!(r > 0)) return t.at[0];
  const double pos = r / kTableStep;
  if (pos >= kTableSize - 1) return t.rayleigh;
  const auto i = static_cast<std::size_t>(pos);
  const double w = pos - double(i);
  const HeightRatios& a = t.at[i];
  const HeightRatios& b = t.at[i + 1];
  return {a.H13 + w * (b.H13 - a.H13), a.H110 + w * (b.H110 - a.H110), a.H2 + w * (b.H2 - a.H2)};
}

// ---------------------------------------------------------------------------

namespace {

struct Rejected {
  Error error;
};

bool finite(double v) { return std::isfinite(v); }

Error checkProfile(const BedProfile& p) {
  if (p.x.size() != p.z.size()) return Error::ProfileLengthMismatch;
  if (p.x.size() < 2) return Error::ProfileTooShort;
  for (std::size_t i = 0; i < p.x.size(); ++i) {
    if (!finite(p.x[i]) || !finite(p.z[i])) return Error::ProfileNotFinite;
  }
  for (std::size_t i = 1; i < p.x.size(); ++i) {
    if (!(p.x[i] > p.x[i - 1])) return Error::ProfileNotIncreasing;
  }
  if (std::abs(p.x.front()) > kMaxProfileCoordinate ||
      std::abs(p.x.back()) > kMaxProfileCoordinate ||
      p.x.back() - p.x.front() > kMaxProfileSpan) {
    return Error::ProfileOutOfRange;
  }
  for (const double z : p.z) {
    if (std::abs(z) > kMaxBedElevation) return Error::ProfileOutOfRange;
  }
  return Error::None;
}

// The steps a checked profile implies at checked options (transformSteps).
double impliedSteps(const BedProfile& p, const TransformOptions& o) {
  double steps = 0;
  for (std::size_t i = 0; i + 1 < p.x.size(); ++i) {
    // Where |dh/dx|/d exceeds kDepthRateRef the steps shorten in proportion
    // to d: across an interval they number ∫|dh/dx|/(kDepthRateRef·maxStep·d)
    // dx = |ln(d_a/d_b)|/(kDepthRateRef·maxStep), at most (whatever the tide)
    // with the shallower end at the dry depth.
    steps += (p.x[i + 1] - p.x[i]) / o.maxStep + 1;
    steps += std::log1p(std::abs(p.z[i + 1] - p.z[i]) / o.dryDepth) / (kDepthRateRef * o.maxStep);
  }
  return steps;
}

Error checkOptions(const TransformOptions& o) {
  auto positive = [](double v) { return finite(v) && v > 0; };
  if (!positive(o.gammaConstant) || !positive(o.alpha) || !positive(o.B) ||
      !positive(o.rollerBeta) || !positive(o.roughness) || !positive(o.dryDepth) ||
      !positive(o.maxStep) || !(finite(o.waveFrictionFactor) && o.waveFrictionFactor >= 0) ||
      !(finite(o.mixingCoefficient) && o.mixingCoefficient >= 0)) {
    return Error::InvalidTransformOption;
  }
  switch (o.mixing) {
    case Mixing::None: case Mixing::Battjes1975: case Mixing::Constant: break;
    default: return Error::InvalidTransformOption;
  }
  switch (o.dissipation) {
    case Dissipation::BJ78: case Dissipation::TG83: case Dissipation::Baldock98:
    case Dissipation::JB07: case Dissipation::None: break;
    default: return Error::InvalidTransformOption;
  }
  switch (o.gamma) {
    case GammaRule::Constant: case GammaRule::BattjesStive1985: case GammaRule::Ruessink2003:
      break;
    default: return Error::InvalidTransformOption;
  }
  return Error::None;
}

// Working arrays shared by the conditions of one call.
struct Workspace {
  std::vector<double> eta, Hrms, Qb, theta, V, k;
  // The alongshore forcing (N/m²), the orbital velocity σu (m/s), the
  // friction coefficient cf, the mean depth (m) and the dissipation driving
  // the current (W/m²) at each point, for the lateral mixing.
  std::vector<double> force, sigmaU, cf, depth, drive;
  // The integration's last wet position (m), between profile points, and
  // the highest mean water level it reached (m), at every step.
  double edgeX = 0, topEta = 0;
};

// The breaking a pass found at a step's end: Hrms, the breaker height Hm
// and Qb there.
struct PassBreaking {
  double Hrms = 0, Hm = 0, Qb = 0;
};

// What the balance needs at one point: the waves' kinematics at the mean
// depth there and the sources of the two energy fluxes.
struct Local {
  Kinematics q;
  double d = 0, cosT = 1, sinT = 0, gamma = 0;
  double Hm = 0;  // the breaker height of bj78 and baldock98 (m)
  double Hrms = 0, Qb = 0;
  double Dbr = 0, Df = 0;
  double rollerRate = 0;  // Dr/(roller flux) = g·β/(c²·cosθ) (1/m)
  // The energy (J/m²) per unit of flux (W/m): 1/(cg·cosθ) of the waves,
  // 1/(2c·cosθ) of the roller.
  double perFlux = 0, perRollerFlux = 0;
  // Under bj78: the flux (W/m) of a sea of Hrms = Hm, which the truncated
  // distribution cannot exceed (Qb = 1: every wave broken at Hm).  Infinite
  // under the other models, whose dissipation grows with Hrms without bound.
  double saturated = std::numeric_limits<double>::infinity();
};

class Model {
 public:
  Model(const SeaCondition& c, const TransformOptions& o)
      : o_(o), omega_(2 * kPi / c.Tp), fp_(1 / c.Tp), bjScale_(bjScale(o, fp_)) {}

  double omega() const { return omega_; }
  void setSnell(double s) { snell_ = s; }
  void setGammaDeep(double g) { gammaDeep_ = g; }

  double gammaAt(const Kinematics& q) const {
    switch (o_.gamma) {
      case GammaRule::Constant: return o_.gammaConstant;
      case GammaRule::BattjesStive1985: return gammaDeep_;
      case GammaRule::Ruessink2003: return gammaRuessink(q.kd);
    }
    return o_.gammaConstant;
  }

  // The waves' kinematics and direction at the mean depth d, into l (its
  // sources to follow); `near`, the kinematics of a depth close by to start
  // the dispersion from, may be l's own.
  void place(Local& l, double d, const Kinematics* near) const {
    l.d = d;
    detail::solveTransformKinematics(omega_, d, near, l.q);
    l.sinT = std::clamp(snell_ * l.q.c, -1.0, 1.0);
    l.cosT = std::sqrt(1 - l.sinT * l.sinT);
    l.gamma = gammaAt(l.q);
    l.rollerRate = kG * o_.rollerBeta / (l.q.c * l.q.c * l.cosT);
    l.perFlux = 1 / (l.q.cg * l.cosT);
    l.perRollerFlux = 1 / (2 * l.q.c * l.cosT);
    l.Hm = usesBreakerHeight(o_.dissipation) ? breakerHeight(l.q.k, l.d, l.gamma) : 0;
    l.saturated = o_.dissipation == Dissipation::BJ78
                      ? kRho * kG * l.Hm * l.Hm / 8 * l.q.cg * l.cosT
                      : std::numeric_limits<double>::infinity();
  }

  // The sources at a placed point for the wave energy flux Fw (W/m).
  void sources(Local& l, double Fw) const {
    const double E = std::max(Fw, 0.0) * l.perFlux;
    l.Hrms = std::sqrt(E * (8 / (kRho * kG)));
    l.Dbr = dissipationWith(o_, l.Hrms, l.d, fp_, l.gamma, l.Hm, bjScale_, &l.Qb);
    friction(l);
  }

  // The sources for the predicted flux Fw (W/m) of a pass after the first:
  // the flux the last pass's sources were corrected to, `before`, at a depth
  // moved since by the setup alone.  Under bj78 Qb is carried from there
  // along ln Qb to the new b = Hrms/Hm, where that moves it by under 1 %
  // (the curvature of ln Qb left is below 1e-6 of it, and a prediction
  // enters the corrected flux only through a step's small share of its
  // sink): the heights move by under 0.02 mm.  Else, and under the other
  // models, the sources anew, as sources(l, Fw) gives them.
  void predictedSources(Local& l, double Fw, const PassBreaking& before) const {
    if (o_.dissipation != Dissipation::BJ78 || !(before.Qb > 0 && before.Hrms < before.Hm)) {
      sources(l, Fw);
      return;
    }
    const double b0 = before.Hrms / before.Hm, Q0 = before.Qb;
    // d ln Qb/db from (1 − Qb)/ln Qb = −b²: ln Qb = (Qb − 1)/b², and
    // d ln Qb/db = 2·(1 − Qb)/(b·(b² − Qb)).
    const double slope = 2 * (1 - Q0) / (b0 * (b0 * b0 - Q0));
    const double E = std::max(Fw, 0.0) * l.perFlux;
    const double Hrms = std::sqrt(E * (8 / (kRho * kG)));
    const double x = slope * (Hrms / l.Hm - b0);
    if (!(std::abs(x) < 0.01 && Hrms > 1e-12)) {
      sources(l, Fw);
      return;
    }
    l.Hrms = Hrms;
    l.Qb = Q0 * (1 + x * (1 + x / 2));
    l.Dbr = bjScale_ * l.Qb * l.Hm * l.Hm;
    friction(l);
  }

  // Thornton & Guza (1983): Df = ρ·cf/(16√π)·(2π·fp·Hrms/sinh kd)³.
  void friction(Local& l) const {
    l.Df = 0;
    if (o_.bottomFriction && l.q.kd < 350) {
      const double u = 2 * kPi * fp_ * l.Hrms / l.q.sinhkd;
      l.Df = kRho * o_.waveFrictionFactor / (16 * std::sqrt(kPi)) * u * u * u;
    }
  }

  // Sxx of the waves and the roller (N/m).
  static double sxx(const Local& l, double Fw, double Fr) {
    const double E = std::max(Fw, 0.0) * l.perFlux;
    const double Er = std::max(Fr, 0.0) * l.perRollerFlux;  // roller energy (J/m²)
    const double c2 = l.cosT * l.cosT;
    return E * (l.q.n * (1 + c2) - 0.5) + 2 * Er * c2;
  }

 private:
  const TransformOptions& o_;
  double omega_, fp_, bjScale_;
  double snell_ = 0, gammaDeep_ = 0;
};

float single(double v) { return static_cast<float>(v); }

void prepare(TransformResult& r, std::size_t n) {
  const float nan = kNotReached;
  for (auto* v : {&r.h, &r.eta, &r.Hrms, &r.Hm0, &r.H13, &r.H110, &r.H2, &r.Qb, &r.theta, &r.V}) {
    v->resize(n);
    std::fill_n(v->data(), n, nan);
  }
  r.pointWarnings.resize(n);
  std::fill_n(r.pointWarnings.data(), n, 0u);
  r.error = Error::None;
  r.warnings = {};
  r.lastWet = -1;
  r.xBreaking = r.hBreaking = r.etaMax = r.xShoreline = nan;
  r.runupH0 = r.foreshoreSlope = r.R2 = nan;
}

// Where the bed first rises to `level` going shoreward from index `from`
// (linear between points); NaN where it never does.
double crossing(const BedProfile& p, std::size_t from, double level) {
  for (std::size_t i = from; i + 1 < p.x.size(); ++i) {
    if (p.z[i] < level && p.z[i + 1] >= level) {
      return p.x[i] + (level - p.z[i]) / (p.z[i + 1] - p.z[i]) * (p.x[i + 1] - p.x[i]);
    }
    if (p.z[i] >= level) return p.x[i];
  }
  return p.z.back() >= level ? p.x.back() : kNaN;
}

// Where the bed first rises to `level` going shoreward from the position x0
// (linear between points); NaN where it never does.
double crossingFrom(const BedProfile& p, double x0, double level) {
  const auto it = std::upper_bound(p.x.begin(), p.x.end(), x0);
  if (it == p.x.end()) return p.z.back() >= level ? p.x.back() : kNaN;
  const std::size_t i = std::size_t(it - p.x.begin());  // the first point beyond x0
  const double z0 = i == 0 ? p.z.front()
                           : p.z[i - 1] + (x0 - p.x[i - 1]) / (p.x[i] - p.x[i - 1]) *
                                              (p.z[i] - p.z[i - 1]);
  if (z0 >= level) return x0;
  if (p.z[i] >= level) return x0 + (level - z0) / (p.z[i] - z0) * (p.x[i] - x0);
  return crossing(p, i, level);
}

// The bed at x on the chord of interval i (x[i] <= x <= x[i + 1]).
double chordAt(const BedProfile& p, std::size_t i, double x) {
  return p.z[i] + (x - p.x[i]) / (p.x[i + 1] - p.x[i]) * (p.z[i + 1] - p.z[i]);
}

// The bed elevation at x (linear; the ends held).
double bedAt(const BedProfile& p, double x) {
  if (x <= p.x.front()) return p.z.front();
  if (x >= p.x.back()) return p.z.back();
  const auto it = std::upper_bound(p.x.begin(), p.x.end(), x);
  return chordAt(p, std::size_t(it - p.x.begin()) - 1, x);
}

// bedAt with the interval walked to from `at`, the one found last (the
// chords of neighbouring points end in the same or nearby intervals).
double bedAt(const BedProfile& p, double x, std::size_t& at) {
  if (x <= p.x.front()) return p.z.front();
  if (x >= p.x.back()) return p.z.back();
  std::size_t i = std::min(at, p.x.size() - 2);
  while (x >= p.x[i + 1]) ++i;
  while (x < p.x[i]) --i;
  at = i;
  return chordAt(p, i, x);
}

// The foreshore slope over the band of levels centre ± half about the mean
// water line, from the first rise of the bed to centre − half shoreward of
// index `from` to its first rise to centre + half (the profile's last point
// when the bed never rises that high).  NaN where it cannot be formed.
double foreshoreSlope(const BedProfile& p, std::size_t from, double centre, double half) {
  const double xLow = crossing(p, from, centre - half);
  if (!finite(xLow)) return kNaN;
  double xHigh = crossing(p, from, centre + half);
  if (!finite(xHigh)) xHigh = p.x.back();
  if (!(xHigh > xLow)) return kNaN;
  return (bedAt(p, xHigh) - bedAt(p, xLow)) / (xHigh - xLow);
}

// One condition on a checked profile with checked options.
//
// The scheme: the balance is integrated from the boundary shoreward, within
// each profile interval in steps of options.maxStep, shortened in
// proportion where the energy flux decays faster than 1 % per metre (the
// saturated surf zone of shallow water), so that the sink stays resolved and
// halving maxStep halves every step; the still-water depth is interpolated
// linearly between the profile points.  Each step is Heun's
// predictor–corrector (second order) for the wave energy flux; the roller's
// linear decay Dr = (g·β/(c²·cosθ))·(roller flux) is taken by the
// trapezoidal rule, implicitly (A-stable: a roller in very shallow water,
// decaying over centimetres, cannot make the step unstable).  The mean
// water level at the step's end enters the depth of the step's end, at
// which the waves are evaluated; it is iterated with the waves there until
// it changes by less than 1e-6 m, so waves and setup are solved together
// on h + η.  The bed is dry where d falls below options.dryDepth; the
// integration stops there, and also where the mean level finds no settled
// value in still water shallower than Hrms (the swash).
void march(const BedProfile& p, const SeaCondition& c, const TransformOptions& o,
           TransformResult& r, Workspace& w) {
  const std::size_t n = p.x.size();
  for (std::size_t i = 0; i < n; ++i) r.h[i] = single(c.tide - p.z[i]);

  const double h0 = c.tide - p.z[0];
  if (!(h0 > o.dryDepth)) throw Rejected{Error::BoundaryTooShallow};
  if (!(c.tide - p.z[1] > o.dryDepth)) throw Rejected{Error::TooFewWetPoints};

  Model m(c, o);
  const Kinematics q0 = kinematics(m.omega(), h0);
  // Miche's limit at the boundary on the spectral height Hm0 = √2·Hrms.
  const double Hm0 = std::sqrt(2.0) * c.Hrms0;
  const double L0here = 2 * kPi / q0.k;
  if (Hm0 > kMiche * L0here * std::tanh(q0.kd)) throw Rejected{Error::MicheLimitAtBoundary};

  // Deep water, by linear shoaling backwards without refraction: Cg∞ = gT/(4π).
  const double cgDeep = kG * c.Tp / (4 * kPi);
  const double Ldeep = kG * c.Tp * c.Tp / (2 * kPi);
  const double HrmsDeep = c.Hrms0 * std::sqrt(q0.cg / cgDeep);
  const double s0 = HrmsDeep / Ldeep;
  m.setGammaDeep(gammaBattjesStive(s0));
  if (o.gamma == GammaRule::BattjesStive1985 && o.dissipation != Dissipation::None &&
      (s0 < kBattjesStiveLow || s0 > kBattjesStiveHigh)) {
    r.warnings.add(Warning::GammaFitRange);
  }
  m.setSnell(std::sin(c.theta0 * kDeg) / q0.c);

  const double cos0 = std::cos(c.theta0 * kDeg);
  double Fw = kRho * kG * c.Hrms0 * c.Hrms0 / 8 * q0.cg * cos0;
  double Fr = 0;
  double eta = 0;
  Local la;
  m.place(la, h0, &q0);
  if (Fw > la.saturated) throw Rejected{Error::BoundaryTooShallow};
  m.sources(la, Fw);
  if (o.dissipation != Dissipation::None) {
    const double gamma = m.gammaAt(q0);
    const double Hm = kMicheBJ / q0.k * std::tanh(gamma * q0.kd / kMicheBJ);
    const double Hb = (o.dissipation == Dissipation::TG83 || o.dissipation == Dissipation::JB07)
                          ? gamma * h0 : Hm;
    if (c.Hrms0 >= Hb) throw Rejected{Error::BoundaryTooShallow};
  }
  double Sa = Model::sxx(la, Fw, Fr);

  auto record = [&](std::size_t i, const Local& l, double Frl) {
    w.eta[i] = eta;
    w.Hrms[i] = l.Hrms;
    w.Qb[i] = l.Qb;
    w.k[i] = l.q.k;
    w.theta[i] = std::asin(l.sinT) / kDeg;
    // The alongshore forcing: −dSxy/dx = (Dr + Df)·sinθ/c with the roller
    // (Dbr in place of Dr without it), since sinθ/c is constant.
    const double Dr = o.roller ? l.rollerRate * std::max(Frl, 0.0) : l.Dbr;
    const double F = (Dr + l.Df) * l.sinT / l.q.c + c.windStressY;
    // The bed stress of Feddersen et al. (2000) balances it:
    // cf·σu²·v·√(a² + v²) = F/ρ with v = V/σu, solved for v² in closed form.
    // (σu vanishes in deep water, where sinh kd is infinite.)
    const double sigmaU = kPi * l.Hrms / (std::sqrt(2.0) * c.Tp * l.q.sinhkd);
    const double cf = kManningStrickler * std::cbrt(o.roughness / l.d);
    w.force[i] = F;
    w.sigmaU[i] = sigmaU;
    w.cf[i] = cf;
    w.depth[i] = l.d;
    w.drive[i] = Dr + l.Df;
    double V = 0;
    if (sigmaU > 1e-12) {
      const double G = std::abs(F) / (kRho * cf * sigmaU * sigmaU);
      const double a2 = kFeddersenA * kFeddersenA;
      const double v2 = 2 * G * G / (a2 + std::sqrt(a2 * a2 + 4 * G * G));
      V = std::copysign(std::sqrt(v2) * sigmaU, F);
    } else if (F != 0) {
      // No waves: the current of the wind alone under quadratic friction.
      V = std::copysign(std::sqrt(std::abs(F) / (kRho * cf)), F);
    }
    w.V[i] = V;
  };
  record(0, la, Fr);
  std::size_t last = 0;
  Local lb;  // the end of the step being taken, every field set as it is placed
  double dEta = 0;  // the last step's rise of the mean level, to start the next
  double xLa = p.x[0];  // where `la` stands
  double etaTop = 0;  // the highest mean water level of any step
  // The steps taken, every retried one counted: a bound on the work
  // whatever the refinements do.
  double steps = 0;
  const double stepBudget = 2 * kMaxTransformSteps;
  // How fast the energy decays (1/m), for the step control: the wave
  // flux's sink relative to it, and the roller's own decay rate where the
  // roller carries a share of the energy (behind a bar crest it decays over
  // a few metres while the waves, no longer breaking, hardly change).
  const auto decayOf = [&o](const Local& l, double fw, double fr) {
    double rate = fw > 0 ? (l.Dbr + l.Df) / fw : 0;
    if (o.roller && fr > 0 && fw + fr > 0) {
      rate = std::max(rate, l.rollerRate * fr / (fw + fr));
    }
    return rate;
  };

  for (std::size_t i = 0; i + 1 < n; ++i) {
    const double xa = p.x[i], xb = p.x[i + 1];
    const double ha = c.tide - p.z[i], hb = c.tide - p.z[i + 1];
    bool dry = false;
    for (double xNow = xa; xNow < xb;) {
      // The step: maxStep, shortened in proportion where the energy flux
      // decays faster than kDecayRef per metre, at the step's start or (the
      // step then taken again, shorter) at its end.
      const double decay = decayOf(la, Fw, Fr);
      double dx = decay > kDecayRef ? o.maxStep * kDecayRef / decay : o.maxStep;
      const double depthRate = std::abs(hb - ha) / ((xb - xa) * la.d);
      if (depthRate > kDepthRateRef) dx = std::min(dx, o.maxStep * kDepthRateRef / depthRate);
      const double left = xb - xNow;
      // Sources at the step's start.
      const double fwA = -(la.Dbr + la.Df);
      const double drA = la.rollerRate;
      double etaB = 0, hEnd = 0, xEnd = 0;
      double FwB = 0, FrB = 0;
      bool settled = false;
      for (int attempt = 0;; ++attempt) {
        if (++steps > stepBudget) throw Rejected{Error::TransformStepLimit};
        if (left <= dx * (1 + 1e-9)) {
          dx = left;
        } else if (left < 1.5 * dx) {
          dx = left / 2;  // no sliver of a last step
        }
        xEnd = dx == left ? xb : xNow + dx;
        hEnd = ha + (hb - ha) * (xEnd - xa) / (xb - xa);
        etaB = o.setup ? eta + dEta : 0;
        settled = !o.setup;
        for (int pass = 0; pass < kEtaPasses; ++pass) {
          const double dB = hEnd + etaB;
          if (!(dB > o.dryDepth)) {
            dry = true;
            break;
          }
          const PassBreaking before{lb.Hrms, lb.Hm, lb.Qb};  // the last pass's end
          m.place(lb, dB, pass == 0 ? &la.q : &lb.q);
          // Heun: the sources at the predicted end, then the mean of both
          // ends.  A later pass, at a depth moved by the setup alone,
          // predicts from the last pass's corrected flux (one more step of
          // the trapezoidal rule's fixed point, which Heun's predictor starts).
          if (pass == 0) {
            m.sources(lb, std::max(Fw + dx * fwA, 0.0));
          } else {
            m.predictedSources(lb, FwB, before);
          }
          FwB = std::max(Fw + dx / 2 * (fwA - (lb.Dbr + lb.Df)), 0.0);
          m.sources(lb, FwB);
          if (o.roller) {
            // Trapezoidal rule on dFr/dx = Dbr − λ·Fr, λ = rollerRate.
            FrB = (Fr * (1 - dx / 2 * drA) + dx / 2 * (la.Dbr + lb.Dbr)) /
                  (1 + dx / 2 * lb.rollerRate);
            FrB = std::max(FrB, 0.0);
          }
          if (!o.setup) break;
          const double Sb = Model::sxx(lb, FwB, FrB);
          const double next = eta - (Sb - Sa) / (kRho * kG * 0.5 * (la.d + dB));
          if (!finite(next)) break;
          const double change = next - etaB;
          etaB = next;
          if (std::abs(change) < kEtaTolerance) {
            settled = true;
            break;
          }
        }
        if (dry || attempt >= 8) break;
        const double decayEnd = decayOf(lb, FwB, FrB);
        const double limit = decayEnd > kDecayRef ? o.maxStep * kDecayRef / decayEnd : o.maxStep;
        if (dx <= 1.5 * limit) break;
        dx = limit;
      }
      xNow = xEnd;
      if (dry) break;
      if (!settled) {
        // No settled mean level: in water shallower than the waves are high
        // (the swash, where the phase-averaged balance no longer holds) that
        // is the wet/dry edge; anywhere else a failure.
        if (hEnd < la.Hrms) {
          dry = true;
          break;
        }
        throw Rejected{Error::TransformNotSettled};
      }
      // The waves stand at the last pass's depth, within kEtaTolerance of
      // the settled h + η.
      dEta = etaB - eta;
      eta = etaB;
      Fw = FwB;
      Fr = FrB;
      la = lb;
      xLa = xEnd;
      etaTop = std::max(etaTop, eta);
      Sa = Model::sxx(la, Fw, Fr);
    }
    if (dry) break;
    last = i + 1;
    record(last, la, Fr);
  }
  r.lastWet = int(last);
  w.edgeX = xLa;
  w.topEta = etaTop;
  // Water again shoreward of the first dry profile point: a crest above
  // the mean water level.
  bool dryPoint = false;
  for (std::size_t j = last + 1; j < n; ++j) {
    const bool wet = c.tide + eta - p.z[j] > o.dryDepth;
    if (!wet) dryPoint = true;
    if (wet && dryPoint) {
      r.warnings.add(Warning::DryBarCrest);
      break;
    }
  }
  if (last + 1 < 2) throw Rejected{Error::TooFewWetPoints};
}

// The longshore current with lateral mixing over the wet points 0..last:
//   τb(V) − d/dx(ρ·d·ν·dV/dx) = F,
// τb of Feddersen et al. (2000) as in the local balance, ν Battjes's (1975)
// M·d·(D/ρ)^(1/3) or a constant, no flux of alongshore momentum through the
// two ends (the forcing is all taken by the bed).  Finite volumes on the
// profile's points; the friction linearised about the last iterate
// (τb = K(V)·V) and the tridiagonal system solved again until V changes by
// less than 1e-7 m/s, starting from the local balance's V.
void mixCurrent(const BedProfile& p, const TransformOptions& o, std::size_t last,
                Workspace& w) {
  const std::size_t n = last + 1;
  if (n < 2) return;
  std::vector<double> nu(n), K(n), a(n), b(n), cc(n), rhs(n), V(w.V.begin(), w.V.begin() + long(n));
  for (std::size_t i = 0; i < n; ++i) {
    nu[i] = o.mixing == Mixing::Constant
                ? o.mixingCoefficient
                : o.mixingCoefficient * w.depth[i] * std::cbrt(std::max(w.drive[i], 0.0) / kRho);
  }
  // The momentum exchange through the face between points i and i + 1 per
  // unit of V's difference: ρ·d·ν/Δx, the face's d·ν the mean of its points'.
  std::vector<double> face(n - 1);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    face[i] = kRho * 0.5 * (w.depth[i] * nu[i] + w.depth[i + 1] * nu[i + 1]) /
              (p.x[i + 1] - p.x[i]);
  }
  const double a2 = kFeddersenA * kFeddersenA;
  for (int pass = 0; pass < 200; ++pass) {
    for (std::size_t i = 0; i < n; ++i) {
      // The cell's width: half of each neighbouring interval.
      const double width = 0.5 * ((i + 1 < n ? p.x[i + 1] - p.x[i] : 0) +
                                  (i > 0 ? p.x[i] - p.x[i - 1] : 0));
      const double s = w.sigmaU[i];
      const double speed = s > 1e-12 ? s * std::sqrt(a2 + (V[i] / s) * (V[i] / s)) : std::abs(V[i]);
      // A floor of 1 mm/s keeps the system regular where neither waves nor
      // current are.
      K[i] = kRho * w.cf[i] * std::max(speed, 1e-3);
      const double west = i > 0 ? face[i - 1] : 0, east = i + 1 < n ? face[i] : 0;
      a[i] = -west;
      cc[i] = -east;
      b[i] = K[i] * width + west + east;
      rhs[i] = w.force[i] * width;
    }
    // Thomas's algorithm (the matrix is diagonally dominant).
    for (std::size_t i = 1; i < n; ++i) {
      const double m = a[i] / b[i - 1];
      b[i] -= m * cc[i - 1];
      rhs[i] -= m * rhs[i - 1];
    }
    double change = 0;
    double next = rhs[n - 1] / b[n - 1];
    change = std::abs(next - V[n - 1]);
    V[n - 1] = next;
    for (std::size_t i = n - 1; i-- > 0;) {
      next = (rhs[i] - cc[i] * V[i + 1]) / b[i];
      change = std::max(change, std::abs(next - V[i]));
      V[i] = next;
    }
    if (!(change >= 1e-7)) break;
  }
  std::copy(V.begin(), V.end(), w.V.begin());
}

void finish(const BedProfile& p, const SeaCondition& c, const TransformOptions& o,
            TransformResult& r, Workspace& w) {
  const std::size_t last = std::size_t(r.lastWet);
  if (o.mixing != Mixing::None) mixCurrent(p, o, last, w);
  double etaMax = -std::numeric_limits<double>::infinity();
  const double omega = 2 * kPi / c.Tp;
  bool onsetFound = false;
  std::size_t left = 0, right = 0;  // the intervals of the last chord's ends
  for (std::size_t i = 0; i <= last; ++i) {
    const double h = c.tide - p.z[i];
    const double Hrms = w.Hrms[i];
    if (!finite(w.eta[i]) || !finite(Hrms) || !finite(w.V[i]) || !finite(w.theta[i])) {
      throw Rejected{Error::TransformNotSettled};
    }
    etaMax = std::max(etaMax, w.eta[i]);
    // The local slope of Battjes & Groenendijk: the chord of the bed over one
    // local wavelength centred on the point (clipped to the profile), its
    // seaward-facing part only (a bed deepening shoreward counts as level).
    const double half = kPi / w.k[i];
    const double xl = std::max(p.x.front(), p.x[i] - half);
    const double xr = std::min(p.x.back(), p.x[i] + half);
    const double tanA = std::max(0.0, (bedAt(p, xr, right) - bedAt(p, xl, left)) / (xr - xl));
    const double Htr = (0.35 + 5.8 * tanA) * (h + w.eta[i]);
    const HeightRatios ratio = Hrms > 0 ? battjesGroenendijk(Htr / Hrms) : HeightRatios{};
    r.eta[i] = single(w.eta[i]);
    r.Hrms[i] = single(Hrms);
    r.Hm0[i] = single(std::sqrt(2.0) * Hrms);
    r.H13[i] = single(ratio.H13 * Hrms);
    r.H110[i] = single(ratio.H110 * Hrms);
    r.H2[i] = single(ratio.H2 * Hrms);
    r.Qb[i] = single(w.Qb[i]);
    r.theta[i] = single(w.theta[i]);
    r.V[i] = single(w.V[i]);
    Warnings here;
    if (Hrms > h + w.eta[i]) here.add(Warning::HrmsAboveMeanDepth);
    if (std::abs(w.V[i]) > kMaxFittedCurrent) here.add(Warning::CurrentAboveFittedRange);
    r.pointWarnings[i] = here.bits;
    r.warnings.add(here);
    if (i == 0 && w.Qb[0] >= kBreakingOnsetQb) r.warnings.add(Warning::BoundaryInSurfZone);
    if (!onsetFound && w.Qb[i] >= kBreakingOnsetQb) {
      onsetFound = true;
      r.xBreaking = single(p.x[i]);
      r.hBreaking = single(h);
      if (o.gamma == GammaRule::Ruessink2003 && o.dissipation != Dissipation::None &&
          w.k[i] * (h + w.eta[i]) > kRuessinkHighKd) {
        r.warnings.add(Warning::GammaFitRange);
      }
    }
  }
  r.etaMax = single(etaMax);

  // The mean shoreline: where the bed rises to the mean water level at the
  // shoreline, going shoreward from the integration's wet/dry edge (between
  // profile points, where d fell below dryDepth or the swash began).  That
  // level is the highest the integration reached, at any step: the setup
  // grows to the shoreline, and in the last metres, where the still water
  // is shallower than Hrms, the phase-averaged level falls away (the
  // balance no longer holds in the swash) by amounts that depend on where
  // between points the integration stopped.  So the shoreline moves
  // landward as the setup or the tide raises the level, whatever the
  // profile's spacing.
  const double level = c.tide + w.topEta;
  const double xs = last + 1 < p.x.size() ? crossingFrom(p, w.edgeX, level) : kNaN;
  if (!finite(xs)) {
    r.warnings.add(Warning::ShorelineNotReached);
    return;
  }
  r.xShoreline = single(xs);

  // Stockdon, Holman, Howd & Sallenger (2006), Coastal Engineering 53: the
  // 2 % runup from the deep-water significant height H0 (here Hm0 at the
  // boundary shoaled back to deep water by linear theory without
  // refraction, as Stockdon et al. did with their 8 m to 17 m gauges) and
  // the foreshore slope βf, the mean bed slope over ±2σ of the swash about
  // the setup (σ = S/4 with S their swash height): first over the band
  // ±S/2 of the dissipative swash S = 0.046·√(H0·L0) about the mean water
  // line at the edge, then once more with the swash that slope gives.
  const Kinematics q0 = kinematics(omega, c.tide - p.z[0]);
  const double H0 = std::sqrt(2.0) * c.Hrms0 * std::sqrt(q0.cg / (kG * c.Tp / (4 * kPi)));
  const double L0 = kG * c.Tp * c.Tp / (2 * kPi);
  double half = 0.046 * std::sqrt(H0 * L0) / 2;
  Breaking none;  // every runup input is given: the breaking point is not read
  Runup run;
  double betaF = kNaN;
  for (int pass = 0; pass < 2; ++pass) {
    betaF = foreshoreSlope(p, last, level, half);
    if (!(finite(betaF) && betaF > 0)) {
      r.warnings.add(Warning::ShorelineNotReached);
      return;
    }
    run = runup(none, RunupInput{H0, c.Tp, betaF});
    if (!run.ok()) {
      r.warnings.add(Warning::ShorelineNotReached);
      return;
    }
    half = double(run.swash) / 2;
  }
  r.runupH0 = single(H0);
  r.foreshoreSlope = single(betaF);
  r.R2 = run.R2;
  r.warnings.add(run.warnings);
}

void one(const BedProfile& p, const SeaCondition& c, const TransformOptions& o,
         TransformResult& r, Workspace& w) {
  prepare(r, p.x.size());
  if (!(finite(c.Hrms0) && c.Hrms0 > 0)) { r.error = Error::InvalidHeight; return; }
  if (!(finite(c.Tp) && c.Tp > 0)) { r.error = Error::InvalidPeriod; return; }
  if (!(finite(c.theta0) && c.theta0 > -90 && c.theta0 < 90)) {
    r.error = Error::InvalidAngle;
    return;
  }
  if (!finite(c.tide) || !finite(c.windStressY)) { r.error = Error::InvalidTide; return; }
  if (c.Tp > kMaxPeakPeriod) { r.error = Error::PeriodOutOfRange; return; }
  if (std::abs(c.tide) > kMaxTide) { r.error = Error::TideOutOfRange; return; }
  if (std::abs(c.windStressY) > kMaxWindStress) { r.error = Error::WindStressOutOfRange; return; }
  const std::size_t n = p.x.size();
  // (Every value read back, at the points up to the last wet one, is
  // written first by this condition: the arrays need only their size.)
  for (auto* v : {&w.eta, &w.Hrms, &w.Qb, &w.theta, &w.V, &w.k, &w.force, &w.sigmaU, &w.cf,
                  &w.depth, &w.drive}) {
    if (v->size() != n) v->assign(n, kNaN);
  }
  try {
    march(p, c, o, r, w);
    finish(p, c, o, r, w);
  } catch (const Rejected& e) {
    const Warnings keep = r.warnings;
    std::vector<float> h = std::move(r.h);
    prepare(r, n);
    r.h = std::move(h);
    r.warnings = keep;
    r.error = e.error;
  }
}

}  // namespace

double transformSteps(const BedProfile& profile, const TransformOptions& options) noexcept {
  if (checkProfile(profile) != Error::None || checkOptions(options) != Error::None) {
    return std::numeric_limits<double>::infinity();
  }
  return impliedSteps(profile, options);
}

Error checkTransformSetup(const BedProfile& profile, const TransformOptions& options) noexcept {
  Error shared = checkProfile(profile);
  if (shared == Error::None) shared = checkOptions(options);
  if (shared == Error::None && !(impliedSteps(profile, options) <= kMaxTransformSteps)) {
    shared = Error::TransformStepLimit;
  }
  return shared;
}

TransformResult transform(const BedProfile& profile, const SeaCondition& condition,
                          const TransformOptions& options) noexcept {
  TransformResult r;
  transform(profile, std::span<const SeaCondition>(&condition, 1), std::span<TransformResult>(&r, 1),
            options);
  return r;
}

void transform(const BedProfile& profile, std::span<const SeaCondition> conditions,
               std::span<TransformResult> out, const TransformOptions& options) noexcept {
  const std::size_t count = std::min(conditions.size(), out.size());
  const Error shared = checkTransformSetup(profile, options);
  try {
    Workspace w;
    for (std::size_t i = 0; i < count; ++i) {
      if (shared != Error::None) {
        prepare(out[i], shared == Error::ProfileLengthMismatch ? 0 : profile.x.size());
        out[i].error = shared;
        continue;
      }
      one(profile, conditions[i], options, out[i], w);
    }
  } catch (...) {
    // Only an allocation can fail here: every remaining result says so.
    for (std::size_t i = 0; i < count; ++i) {
      if (out[i].error == Error::None && out[i].lastWet < 0) out[i].error = Error::InvalidOperation;
    }
  }
}

}  // namespace saiha::shore
