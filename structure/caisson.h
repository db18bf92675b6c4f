// An upright breakwater (a caisson on a rubble mound, or on the seabed) in
// the waves: Goda's wave pressures (Goda 1974; Goda 2000, Random Seas and
// Design of Maritime Structures, 2nd ed., §4.2) with Takahashi's impulsive
// pressure coefficient (Takahashi, Tanimoto & Shimosako 1994), the forces and
// moments per metre of wall, and the caisson's stability against sliding and
// overturning with the bearing pressure at its heel.
//
// The section, from the sea:
//   h   the depth at the site, in front of the mound (m);
//   h′  the depth of the caisson's base below the still water (m);
//   d   the depth above the armour of the mound's berm (m), d ≤ h′ ≤ h;
//       d = h′ = h: a caisson standing on the seabed;
//   hc  the crest height of the caisson above the still water (m);
//   B   the caisson's width (m), BM the berm width in front of it (m);
//   the seabed slope 1/n, and the waves' angle β from the wall's normal.
//
// Goda's formulas, with β′ = max(|β| − 15°, 0) (Goda advises turning the
// principal direction by up to 15° toward the normal), L the linear
// wavelength at h for the period T (T1/3), H = Hmax:
//   η*  = 0.75·(1 + cos β′)·λ1·H                  (the height of the pressure's reach)
//   p1  = ½·(1 + cos β′)·(λ1·α1 + λ2·α2*·cos² β′)·ρ·g·H  (at the still water)
//   p2  = p1 / cosh(2πh/L)                        (at the seabed)
//   p3  = α3·p1                                   (at the caisson's base)
//   p4  = p1·(1 − hc/η*) where η* > hc, else 0    (at the crest)
//   pu  = ½·(1 + cos β′)·λ3·α1·α3·ρ·g·H           (uplift at the toe of the base)
//   α1  = 0.6 + ½·[(4πh/L) / sinh(4πh/L)]²
//   α2  = min{(hb − d)/(3·hb)·(H/d)², 2d/H},   hb = h + 5·H1/3/n
//   α3  = 1 − (h′/h)·[1 − 1/cosh(2πh/L)]
//   α2* = max(α2, αI) with Takahashi's αI (impulsive = true), else α2;
//   αI  = αI0·αI1,  αI0 = H/d (H ≤ 2d), 2 (H > 2d);
//   αI1 = cos δ2 / cosh δ1 (δ2 ≤ 0),  1/(cosh δ1·cosh^½ δ2) (δ2 > 0),
//         with cos δ2 taken as 0 below δ2 = −π/2 (αI1 ≥ 0: no mound, no
//         impulsive pressure);
//   δ1  = 20·δ11 (δ11 ≤ 0), 15·δ11 (δ11 > 0);  δ2 = 4.9·δ22 (δ22 ≤ 0), 3·δ22 (δ22 > 0);
//   δ11 = 0.93·(BM/L − 0.12) + 0.36·(0.4 − d/h);
//   δ22 = −0.36·(BM/L − 0.12) + 0.93·(0.4 − d/h).
// Forces and moments per metre of wall, with hc* = min(η*, hc):
//   P  = ½·(p1 + p3)·h′ + ½·(p1 + p4)·hc*
//   Mp = (2p1 + p3)·h′²/6 + ½·(p1 + p4)·h′·hc* + (p1 + 2p4)·hc*²/6   (about the heel)
//   U  = ½·pu·B,  Mu = (2/3)·U·B                                      (about the heel)
// Stability, W the caisson's weight per metre in still water (its weight
// less the buoyancy of its part below the still water), its centre of gravity
// at B/2 from the heel:
//   SF_sliding     = μ·(W − U)/P
//   SF_overturning = (W·B/2 − Mu)/Mp
//   heel pressure  (Goda 2000, eq. 4.14): Me = W·B/2 − Mu − Mp, We = W − U,
//     te = Me/We; pe = 2We/(3te) for te ≤ B/3, (2We/B)·(2 − 3te/B) for te > B/3.
//
// Conventions of shore/engine.h: inputs are the numbers the user types (SI,
// degrees, the slope denominator); results are single precision, NaN for a
// result not reached, failures as shore::Error codes and ranges as
// shore::Warning bits; nothing here throws, prints or knows any text.
// Pressures in Pa, forces in N per metre of wall, moments in N·m per metre
// about the heel, g = 9.81 m/s².
#pragma once

#include <limits>

#include "saiha/export.h"
#include "saiha/shore/engine.h"

namespace saiha::structure {

using shore::Error;
using shore::kNotReached;
using shore::Warning;
using shore::Warnings;

// The acceleration of gravity of every structure formula (m/s²).
inline constexpr double kGravity = 9.81;
// The safety factor against sliding and against overturning that design
// practice requires of an upright breakwater (Goda 2000, §4.2.5).
inline constexpr double kRequiredSafetyFactor = 1.2;

// The caisson, its mound and its design wave, as typed.
struct CaissonInput {
  double Hmax = 0;    // the design wave height (m), finite, > 0
  double H13 = 0;     // the significant height (m) of hb = h + 5·H1/3/n, finite, 0 < H1/3 ≤ Hmax
  double T = 0;       // the design period, T1/3 (s), finite, > 0
  double h = 0;       // the depth at the site (m), finite, > 0
  double hPrime = 0;  // h′: the depth of the caisson's base (m), finite, 0 < h′ ≤ h
  double d = 0;       // the depth over the mound's armour (m), finite, 0 < d ≤ h′
  double hc = 0;      // the crest height above the still water (m), finite, ≥ 0
  double B = 0;       // the caisson's width (m), finite, > 0
  double n = 0;       // the seabed slope 1/n in front of the site, finite, > 0
  double beta = 0;    // the waves' angle from the wall's normal (degrees), |β| < 90
  double berm = 0;    // BM: the berm width in front of the caisson (m), finite, ≥ 0
  // Takahashi's impulsive coefficient: α2* = max(α2, αI).  false: Goda's
  // original formulas (α2* = α2).
  bool impulsive = true;
  // Goda's modification factors of η* and p1 (λ1), of the α2 term (λ2) and
  // of the uplift (λ3); 1 for a plain upright wall.  Finite, ≥ 0.
  double lambda1 = 1, lambda2 = 1, lambda3 = 1;
  double rho = 1030;  // the density of sea water (kg/m³), finite, > 0
  // The caisson's mean density (kg/m³), above and below the still water
  // alike, finite, > 0; used when `weight` is not given (NaN).
  double density = 2100;
  // The caisson's weight per metre of wall in still water (N/m): its weight
  // less the buoyancy of its part below the still water.  NaN: from
  // `density`, W = (density·(h′ + hc) − ρ·h′)·g·B.  Otherwise finite, > 0.
  double weight = std::numeric_limits<double>::quiet_NaN();
  double mu = 0.6;  // the friction coefficient between caisson and mound, finite, > 0
  // The safety factor the design requires (SlidingBelowRequired,
  // OverturningBelowRequired below it), finite, > 0.
  double requiredSafety = kRequiredSafetyFactor;
};

// The pressures, the forces and the stability of one caisson.
struct CaissonResult {
  Error error = Error::None;
  // HeightAboveDepth (Hmax > h: a breaking wave, still within Goda's
  // formula), SlidingBelowRequired and OverturningBelowRequired (a factor
  // below requiredSafety).
  Warnings warnings;
  float L = kNotReached;         // the linear wavelength at h for T (m)
  float hb = kNotReached;        // h + 5·H1/3/n (m)
  float betaUsed = kNotReached;  // β′ = max(|β| − 15°, 0) (degrees)
  float eta_star = kNotReached;  // η*: the height above the still water where the pressure vanishes (m)
  float alpha1 = kNotReached, alpha2 = kNotReached, alpha3 = kNotReached;
  // Takahashi's αI = αI0·αI1 (computed even when `impulsive` is false, for
  // display); α2* = max(α2, αI) entered p1 when `impulsive`.
  float alphaI = kNotReached;
  float alpha2Used = kNotReached;  // α2*: the coefficient p1 was formed with
  float p1 = kNotReached;  // at the still-water level (Pa)
  float p2 = kNotReached;  // at the seabed, depth h (Pa)
  float p3 = kNotReached;  // at the caisson's base, depth h′ (Pa)
  float p4 = kNotReached;  // at the crest, hc above the still water (Pa); 0 where η* ≤ hc
  float pu = kNotReached;  // the uplift at the seaward edge of the base (Pa)
  float hcStar = kNotReached;  // hc* = min(η*, hc) (m)
  float P = kNotReached;   // the horizontal force (N/m)
  float U = kNotReached;   // the uplift force (N/m)
  float Mp = kNotReached;  // the moment of P about the heel (N·m/m)
  float Mu = kNotReached;  // the moment of U about the heel (N·m/m)
  float W = kNotReached;   // the weight in still water (N/m), given or from the density
  float SF_sliding = kNotReached;      // μ·(W − U)/P
  float SF_overturning = kNotReached;  // (W·B/2 − Mu)/Mp
  // The bearing pressure at the heel (Pa); NaN where W − U ≤ 0 (the
  // caisson lifts off: no bearing) or the resultant falls outside the base
  // (te ≤ 0: it overturns).
  float heel_pressure = kNotReached;
  float te = kNotReached;  // the resultant's distance from the heel, Me/We (m)
  bool ok() const { return error == Error::None; }
};

/**
 * Goda's wave pressures on an upright breakwater, Takahashi's impulsive
 * coefficient, the forces, the moments and the stability.
 *
 * @param[in] in the caisson, its mound and its design wave (CaissonInput).
 * @return every result of CaissonResult; on an error, NaN throughout.
 *
 * Errors (CaissonResult::error), in the order they are checked:
 * - InvalidDesignHeight: Hmax or H1/3 not a finite number > 0 in single
 *   precision; HeightOrder: H1/3 > Hmax.
 * - InvalidDesignPeriod: T not a finite number > 0 in single precision.
 * - InvalidStructureDepth: h, h′ or d not a finite number > 0;
 *   DepthOrder: not d ≤ h′ ≤ h.
 * - InvalidCrestHeight: hc not a finite number ≥ 0.
 * - InvalidStructureWidth: B not finite > 0, or BM not finite ≥ 0.
 * - InvalidSlope: n not a finite number > 0.
 * - InvalidAttackAngle: β not finite, or |β| ≥ 90°.
 * - InvalidPressureFactor: λ1, λ2 or λ3 not a finite number ≥ 0.
 * - InvalidWaterDensity: ρ not a finite number > 0.
 * - InvalidCaissonWeight: the density not finite > 0 (when the weight is
 *   not given), or the weight given and not finite > 0.
 * - InvalidFriction: μ not a finite number > 0.
 * - InvalidStructureOption: the required safety factor not finite > 0.
 * - HeightAboveDepthLimit: Hmax > 2h, beyond any breaker at the site (the
 *   largest breaker index is about 1.6): no such wave reaches the wall.
 * - WaveLengthLimit: the dispersion relation did not settle.
 * Never throws.
 */
SAIHA_API CaissonResult caisson(const CaissonInput& in) noexcept;

/**
 * The design wave of an upright breakwater from the offshore sea, by Goda's
 * random-wave method (shore::randomWaves): the equivalent deep-water
 * significant height H0′ (m), the significant period T1/3 (s), the seabed
 * slope 1/n and the depth at the site h (m).
 *
 * Goda (2000, §4.2.1): the design height is the highest wave Hmax, taken
 * at the site where the site lies seaward of the surf zone, and within the
 * surf zone the highest of the random breaking waves at a distance 5·H1/3
 * seaward of the breakwater, where the depth is hb = h + 5·H1/3/n with H1/3
 * the significant height at the site.  The site lies seaward of the surf
 * zone where Goda's Hmax there is still the shoaled 1.8·Ks·H0′: the design
 * takes Hmax at h.  Within the surf zone (the breaking term or the cap
 * gives Hmax at h) it takes Hmax at hb, the larger of the two should they
 * differ the other way.  The period is T1/3 throughout.
 */
struct DesignWave {
  Error error = Error::None;
  // randomWaves' warnings at h and at hb (SteepSlope, GentleSlope,
  // ShallowForRandomWaves, HeightAboveDepth, ShoalingNotFormed, ...).
  Warnings warnings;
  float H13_h = kNotReached;   // H1/3 at the site (m)
  float Hmax_h = kNotReached;  // Hmax at the site (m)
  float hb = kNotReached;      // h + 5·H1/3/n (m), H1/3 at the site
  float H13_hb = kNotReached;  // H1/3 at hb (m)
  float Hmax_hb = kNotReached; // Hmax at hb (m)
  // The design wave the caisson takes: Hmax at h seaward of the surf zone,
  // max(Hmax at h, Hmax at hb) within it; H1/3 = H1/3 at the site (the one
  // that gave hb), T = T1/3.
  float Hmax = kNotReached, H13 = kNotReached, T = kNotReached;
  bool atHb = false;  // whether Hmax is the one at hb
  bool ok() const { return error == Error::None; }
};

// Errors: randomWaves' own (InvalidHeight for H0′, InvalidPeriod,
// InvalidSlope, SteepnessLimit, InvalidDepth, OnsetNotFound, ...) at h, then
// at hb.  Never throws.
SAIHA_API DesignWave designWave(double H0p, double T13, double n, double h) noexcept;

}  // namespace saiha::structure
