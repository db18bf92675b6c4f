// Wave runup and mean overtopping discharge at coastal structures by the
// EurOtop manual (EurOtop 2018: Van der Meer, Allsop, Bruce, De Rouck,
// Kortenhaus, Pullen, Schüttrumpf, Troch & Zanuttigh, Manual on wave
// overtopping of sea defences and related structures, 2nd ed., with its 2019
// errata): sloping structures (dikes, revetments, rubble mounds; chapters 5
// and 6), plain vertical walls and composite vertical walls (chapter 7).
//
// The wave at the toe of the structure: the spectral significant height Hm0
// (m) and the spectral period Tm−1,0 (s); Lm−1,0 = g·Tm−1,0²/(2π), the
// steepness sm−1,0 = Hm0/Lm−1,0 and the breaker parameter
// ξm−1,0 = tan α / √sm−1,0.  Rc (m) is the crest freeboard above the (mean)
// water level.
//
// Two approaches, as the manual gives them: the mean value approach (the
// fit through the data, for comparison with measurements and for
// probabilistic work) and the design or assessment approach (the mean plus
// about one standard deviation, which the manual advises for deterministic
// design and assessment: the default).  Their coefficients differ; results
// say which approach made them.
//
// Each formula's range of validity (slope, steepness, breaker parameter,
// relative freeboard, relative depth, obliquity) is checked: a value outside
// it still gives the formula's result, with a warning bit naming the range;
// nothing is extrapolated silently.  A discharge below kNegligibleDischarge
// is kept as computed and flagged NegligibleOvertopping: the formulas carry
// no information there (faces show it as negligible, "< 0.001 l/s per m").
//
// Conventions of shore/engine.h: SI units and degrees, single-precision
// results, NaN for a result not reached, failures as shore::Error codes,
// ranges as shore::Warning bits; nothing here throws, prints or knows any
// text.  q in m³/s per metre of crest, g = 9.81 m/s².
#pragma once

#include <cstdint>
#include <limits>

#include "saiha/export.h"
#include "saiha/shore/engine.h"

namespace saiha::structure {

using shore::Error;
using shore::kNotReached;
using shore::Warning;
using shore::Warnings;

// The manual's two sets of coefficients.
enum class Approach : std::uint8_t {
  Mean,    // mean value approach: the fit through the data
  Design,  // design or assessment approach: about one standard deviation safer
};

// The kind of structure the waves meet.
enum class Structure : std::uint8_t {
  Slope,      // a sloping dike, revetment or rubble mound (cot α, γf, γb, γv)
  Vertical,   // a plain vertical wall, its toe at depth h
  Composite,  // a vertical wall on a mound: h in front of the mound, d over it
};

// How the waves meet the structure: which formula gave q (and Ru2%).
enum class Regime : std::uint8_t {
  // Sloping structures.
  Breaking,      // breaking waves on the slope (ξm−1,0 small): the ξ-dependent formula
  NonBreaking,   // non-breaking waves: the maximum governs
  VeryShallow,   // ξm−1,0 > 7 on a smooth slope's very shallow foreshore (5 < ξ < 7: interpolated)
  // Vertical and composite walls.
  NoForeshore,   // no influential foreshore (deep water at the wall)
  NonImpulsive,  // an influential foreshore, waves not breaking on the wall
  Impulsive,     // waves breaking on the wall (violent, impulsive overtopping)
};

// The discharge below which the formulas carry no information (m³/s per m):
// 1e−6 m³/s per m, 0.001 l/s per m.  Below it q is flagged NegligibleOvertopping.
inline constexpr double kNegligibleDischarge = 1e-6;

// The wave at the toe and the structure.
struct OvertoppingInput {
  double Hm0 = 0;   // the spectral significant height at the toe (m), finite, > 0
  double Tm10 = 0;  // the spectral period Tm−1,0 at the toe (s), finite, > 0
  // The crest freeboard above the water level (m), finite, ≥ 0 (a crest
  // below the water overflows: NegativeFreeboard).  For runup, unused.
  double Rc = 0;
  Structure structure = Structure::Slope;
  double cotAlpha = 0;  // the slope's cot α (Slope only), finite, > 0
  // Influence factors, each finite in (0, 1]: roughness (γf, 1 smooth; a
  // rough slope has γf ≤ 0.6, rock 0.4 in two layers on a permeable core),
  // berm (γb), a wall on the slope (γv, also the manual's γ* of the
  // maximum).  Slope only.
  double gammaF = 1, gammaB = 1, gammaV = 1;
  // The waves' angle from the structure's normal (degrees), finite, |β| < 90:
  // γβ from it as the manual gives it for runup and for overtopping, smooth
  // (γf > 0.6) and rough (γf ≤ 0.6) slopes and walls apart.
  double beta = 0;
  // The depth at the toe (m): for Vertical and Composite walls the depth in
  // front of the wall (in front of the mound for Composite), finite, > 0;
  // for a Slope optional (NaN), used only for the range of relative depth.
  double h = std::numeric_limits<double>::quiet_NaN();
  // Composite only: the depth over the mound in front of the wall (m),
  // finite, 0 < d ≤ h.
  double d = std::numeric_limits<double>::quiet_NaN();
  // A rubble mound's armoured crest width Gc (m), finite, ≥ 0: the crest
  // reduction Cr = min(3.06·e^(−1.5·Gc/Hm0), 1) of the manual's chapter 6
  // (Slope with γf < 1 only); 0: none.
  double crestWidth = 0;
  // A rubble mound on a permeable core: the runup Ru2%/Hm0 is capped at 1.97.
  bool permeableCore = false;
  Approach approach = Approach::Design;
  // Vertical and Composite walls: whether a foreshore (or the mound) in front
  // of the wall influences the waves, so that they may break on it: the
  // regime is then decided by the impulsiveness parameter; false: the wall
  // stands in deep water (NoForeshore).
  bool foreshore = true;
};

// The mean overtopping discharge.
struct OvertoppingResult {
  Error error = Error::None;
  // StructureSlopeOutsideRange, SteepnessOutsideRange,
  // BreakerParameterOutsideRange, FreeboardOutsideRange,
  // ToeDepthOutsideRange, ObliqueOutsideRange, NegligibleOvertopping,
  // HeightAboveDepth (Hm0 > h).
  Warnings warnings;
  float q = kNotReached;      // the mean discharge (m³/s per m)
  float qStar = kNotReached;  // q/√(g·Hm0³), dimensionless
  float Lm10 = kNotReached;   // g·Tm−1,0²/(2π) (m)
  float steepness = kNotReached;  // sm−1,0 = Hm0/Lm−1,0
  float xi = kNotReached;     // ξm−1,0 (Slope), NaN for walls
  float gammaBeta = kNotReached;  // γβ for overtopping
  // The wall's impulsiveness parameter h²/(Hm0·Lm−1,0) (Vertical, and
  // Composite with d/h > 0.6: a mound too low to count), or h·d/(Hm0·Lm−1,0)
  // for a wall on a mound (impulsive at or below 0.65 instead of 0.23); NaN
  // for slopes.
  float impulsiveness = kNotReached;
  float Cr = kNotReached;     // the crest reduction applied (1 without one); Slope only
  Regime regime = Regime::Breaking;  // meaningful when ok()
  Approach approach = Approach::Design;  // the coefficients used
  bool ok() const { return error == Error::None; }
};

/**
 * The mean overtopping discharge q (m³/s per m) by the manual's formulas for
 * the structure kind.
 *
 * Errors (OvertoppingResult::error), in the order they are checked:
 * - InvalidDesignHeight: Hm0 not a finite number > 0 in single precision.
 * - InvalidDesignPeriod: Tm−1,0 not a finite number > 0 in single precision.
 * - InvalidCrestHeight: Rc not finite; NegativeFreeboard: Rc < 0.
 * - InvalidStructureOption: a Structure or Approach value that names none.
 * - InvalidStructureSlope: cot α not a finite number > 0 (Slope).
 * - InvalidInfluenceFactor: γf, γb or γv not finite in (0, 1] (Slope).
 * - InvalidAttackAngle: β not finite, or |β| ≥ 90°.
 * - InvalidStructureDepth: h not finite > 0 (Vertical, Composite; a Slope's
 *   h when given), d not finite > 0 (Composite); DepthOrder: d > h.
 * - InvalidStructureWidth: Gc not a finite number ≥ 0.
 * Never throws.
 */
SAIHA_API OvertoppingResult overtopping(const OvertoppingInput& in) noexcept;

// The wave at the toe and the slope, for the runup.
struct RunupInput {
  double Hm0 = 0;   // the spectral significant height at the toe (m), finite, > 0
  double Tm10 = 0;  // Tm−1,0 (s), finite, > 0
  double cotAlpha = 0;                 // cot α, finite, > 0
  double gammaF = 1, gammaB = 1;       // influence factors, finite in (0, 1]
  double beta = 0;                     // degrees, |β| < 90
  double h = std::numeric_limits<double>::quiet_NaN();  // toe depth (m), optional: ranges only
  bool permeableCore = false;          // Ru2%/Hm0 capped at 1.97
  Approach approach = Approach::Design;
};

// The 2 % runup on a slope.
struct RunupResult {
  Error error = Error::None;
  // StructureSlopeOutsideRange, SteepnessOutsideRange,
  // BreakerParameterOutsideRange, ToeDepthOutsideRange, ObliqueOutsideRange,
  // HeightAboveDepth.
  Warnings warnings;
  float Ru2 = kNotReached;    // the runup height exceeded by 2 % of the waves, above the water level (m)
  float Lm10 = kNotReached;   // (m)
  float steepness = kNotReached;  // sm−1,0
  float xi = kNotReached;     // ξm−1,0
  float gammaBeta = kNotReached;  // γβ for runup
  // γf,surging = γf + (ξ − 1.8)·(1 − γf)/8.2 for ξm−1,0 > 1.8 (1 from ξ = 10),
  // else γf: the roughness of the maximum.
  float gammaFSurging = kNotReached;
  Regime regime = Regime::Breaking;  // Breaking or NonBreaking (the maximum governs)
  Approach approach = Approach::Design;
  bool ok() const { return error == Error::None; }
};

/**
 * The 2 % runup Ru2% on a slope (the manual's eqs. 5.1–5.4, 6.1–6.2):
 *   Ru2%/Hm0 = c1·γb·γf·γβ·ξm−1,0, at most c2·γf,surging·γβ·(4 − 1.5/√(γb·ξm−1,0)),
 *   with the mean value approach's c1, c2 or the design approach's (the
 *   coefficients are given in docs/structure.md),
 * capped at 1.97·Hm0 on a permeable core.
 *
 * Errors: InvalidDesignHeight, InvalidDesignPeriod, InvalidStructureOption,
 * InvalidStructureSlope, InvalidInfluenceFactor, InvalidAttackAngle,
 * InvalidStructureDepth (h given and not finite > 0), as for overtopping.
 * Never throws.
 */
SAIHA_API RunupResult runup(const RunupInput& in) noexcept;

}  // namespace saiha::structure
