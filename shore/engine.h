// The numeric engine: a regular wave meeting a beach of uniform slope 1/n with
// straight, parallel depth contours.
//
// The breaking point is found once (two bisections over h/L0); the state at
// any depth then costs only that depth's own formulas.  Every front end (the
// calculation window, saiha-calc, the Python package) calls these functions,
// so they all give the same single-precision values, bit for bit.
//
// Inputs are the numbers a user types, in SI units and degrees: deep-water
// height Ho (m), period T (s), deep-water angle of incidence αo from the shore
// normal (degrees), slope denominator n.  Results are single-precision values;
// a result the calculation did not reach is NaN.  Nothing here throws, prints
// or knows any text: failures are the codes of `Error`, turned into words only
// by the front ends.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "saiha/export.h"
#include "saiha/shore/model_choice.h"

namespace saiha::shore {

// Why a calculation stopped.  The values are stable: saiha-calc, the Python
// package and the sheet's messages all key on them.
enum class Error : std::uint8_t {
  None = 0,
  InvalidHeight = 1,   // Ho not a finite number > 0 in single precision
  InvalidPeriod = 2,   // T not a finite number > 0 in single precision
  InvalidAngle = 3,    // αo not strictly between −90° and 90°
  InvalidSlope = 4,    // n not a finite number > 0
  InvalidDepth = 5,    // h not a finite number > 0 in single precision
  OnsetNotFound = 6,   // no onset of nonlinear shoaling on 0.001 ≤ h/L0 ≤ 1
  BreakingNotFound = 7,        // no breaking point on 0.00001 ≤ h/L0 ≤ 1
  NonlinearShoalingLimit = 8,  // the nonlinear shoaling iteration did not settle
  CoefficientDivisor = 9,      // zero divisor in a refraction or shoaling coefficient
  WaveLengthLimit = 10,        // the dispersion iteration did not settle
  DivisionByZero = 11,         // arithmetic fault
  InvalidOperation = 12,       // arithmetic fault
  Overflow = 13,               // arithmetic fault
  BreakingDepthTooSmall = 14,  // the breaking depth rounds to 0.00 m: no default depth
  IntermediateEndNotFound = 15,  // Shuto's H·h^(2/7) law reaches no U = 50 on 0.001 ≤ h/L0 ≤ 1
  EmpiricalNotSettled = 16,      // the empirical breaker height did not settle with refraction
  WeggelIndexNotPositive = 17,   // Weggel's breaker index ≤ 0: no breaking depth
  InvalidTransportCoefficient = 18,  // K not a finite number > 0
  InvalidWaterDensity = 19,          // ρ not a finite number > 0
  InvalidSedimentDensity = 20,       // ρs not a finite number > ρ
  InvalidPorosity = 21,              // p not a finite number with 0 ≤ p < 1
  InvalidBreakingPoint = 22,  // a transport's Hb or Hb/hb not finite > 0, or |θb| ≥ 90°
  SteepnessLimit = 23,  // Ho/L0 > 0.142: steeper than any deep-water wave can be
  InvalidRunupHeight = 24,     // the runup's H0 not a finite number > 0 in single precision
  InvalidRunupPeriod = 25,     // the runup's Tp not a finite number > 0 in single precision
  InvalidForeshoreSlope = 26,  // the foreshore slope βf not a finite number > 0
  // The radiation-stress setdown at breaking outweighs the rise across the
  // surf zone (γ > √(40/3) ≈ 3.65): a setup below the still-water level at
  // the shoreline, a mean shoreline seaward of the still-water one.  The
  // setup there, the shift and the maximum setup are not formed.
  NegativeSetup = 27,
  // Random waves across a measured profile (shore/transform.h).
  ProfileLengthMismatch = 28,  // the profile's x and z differ in length
  ProfileTooShort = 29,        // fewer than two profile points
  ProfileNotFinite = 30,       // an x or z that is not a finite number
  ProfileNotIncreasing = 31,   // x not strictly increasing onshore
  InvalidTransformOption = 32,  // a model parameter outside its domain
  InvalidTide = 33,            // the tide or the wind stress not a finite number
  // The boundary dry at this tide, or the wave given already at or above the
  // breaking height there: too shallow for the wave.
  BoundaryTooShallow = 34,
  TooFewWetPoints = 35,        // fewer than two wet profile points from the boundary
  MicheLimitAtBoundary = 36,   // Hm0 above Miche's limit 0.142·L·tanh(kh) at the boundary
  TransformNotSettled = 37,    // the setup did not settle, or a result is not finite
  // Structures in the waves (structure/): Goda's caisson, EurOtop's runup
  // and overtopping, rock armour, the hindcast chain at a toe.
  InvalidDesignHeight = 38,    // a structure's wave height (Hmax, H1/3, Hm0, Hs, H2%) not finite > 0
  InvalidDesignPeriod = 39,    // a structure's period (T1/3, Tm−1,0, Tm) not finite > 0
  InvalidStructureDepth = 40,  // h, h′, d or the mound top not a finite number > 0
  DepthOrder = 41,             // not d ≤ h′ ≤ h: the mound or the base above the seabed's depth
  InvalidCrestHeight = 42,     // hc not finite ≥ 0, or Rc or the crest level not finite
  NegativeFreeboard = 43,      // Rc < 0: the water above the crest overflows it
  InvalidStructureWidth = 44,  // B not finite > 0, or a berm or crest width not finite ≥ 0
  InvalidAttackAngle = 45,     // β not finite, or |β| ≥ 90°
  InvalidPressureFactor = 46,  // λ1, λ2 or λ3 not a finite number ≥ 0
  InvalidCaissonWeight = 47,   // the caisson's density or weight per metre not finite > 0
  InvalidFriction = 48,        // μ not a finite number > 0
  InvalidStructureSlope = 49,  // cot α not a finite number > 0
  InvalidInfluenceFactor = 50, // γf, γb or γv not finite in (0, 1]
  InvalidArmourParameter = 51, // P not in (0, 0.6], S not > 0, N not ≥ 1, or K_D not > 0
  InvalidRockDensity = 52,     // ρs not a finite number > ρ
  HeightOrder = 53,            // H1/3 > Hmax, or H2% < Hs
  HeightAboveDepthLimit = 54,  // Hmax > 2h: beyond any breaker at the site
  InvalidToe = 55,             // the toe not finite or outside the profile
  ToeNotReached = 56,          // the wet/dry edge seaward of the toe: no wave there
  InvalidStructureOption = 57, // a structure option outside its domain
  // Outside anything on Earth: a bed more than 11,000 m from the datum, a
  // profile spanning more than 1,000 km, or x farther than 10,000 km from 0.
  ProfileOutOfRange = 58,
  // The profile at this largest step implies more integration steps than
  // the limit (kMaxTransformSteps): too fine a step for too long a profile.
  TransformStepLimit = 59,
  PeriodOutOfRange = 60,      // Tp above 60 s: no wind sea or swell, beyond the models' waves
  TideOutOfRange = 61,        // |tide| above 30 m: no still-water level on Earth
  WindStressOutOfRange = 62,  // |wind stress| above 20 N/m²: beyond the strongest storms
};
// Whether a code says that the wave itself (Ho, T, αo or n, or its steepness)
// cannot be used, as opposed to a calculation that ran and failed.
constexpr bool isInvalidWave(Error code) {
  return (code >= Error::InvalidHeight && code <= Error::InvalidSlope) ||
         code == Error::SteepnessLimit;
}

// Every code is below kErrorCount.
inline constexpr std::size_t kErrorCount = 63;

// Miche's limit of deep-water steepness: no wave in deep water is steeper
// than Ho/L0 = 0.142.
inline constexpr double kMaxDeepWaterSteepness = 0.142;
// The steepest slope denominator n (slope 1/n) of the empirical formulas'
// fitted range; a smaller n is SteepSlope.
inline constexpr double kSteepestFittedSlope = 10;

// A formula used outside the range it was fitted on, or a result that the
// user should weigh before using it: the result stands (or is left empty with
// its own code where it cannot stand), and the bit says why.  Bits of a
// `Warnings` set; the values are stable (saiha-calc's warnings column and
// Python's `warning` carry them).  Bit 128 is saiha-calc's own (a number cell
// with text after it) and is never an engine warning.
enum class Warning : std::uint32_t {
  // A slope steeper than 1/10: Goda's breaker limit, Weggel's breaker index
  // and Goda's random-wave surf zone were fitted on slopes of about 1/10 to
  // 1/100.
  SteepSlope = 1,
  // Kamphuis's breaker index was fitted to irregular waves (the significant
  // height), and is applied here to a regular wave.
  IrregularWaveIndex = 2,
  // A slope gentler than the formula's fitted range (Goda's random-wave
  // formulas: 1/100).
  GentleSlope = 4,
  // A wave height above the local still-water depth: the height is the
  // formula's, but water that shallow carries no such wave.
  HeightAboveDepth = 8,
  // The 2 % runup lies below the wave setup it is added to.
  RunupBelowSetup = 16,
  // Stockdon's runup within a few per cent of its change of branch at
  // ξ0 = 0.3, where the two branches differ by up to a fifth.
  StockdonBranchChange = 32,
  // Goda's random-wave method at a relative depth h/H0′ below the range of
  // his diagrams.
  ShallowForRandomWaves = 64,
  // (128: saiha-calc's text-after-number flag.)
  // Komar and Gaughan's breaker height for a steepness Ho/L0 below its
  // fitted range (low swell).
  LowSteepness = 256,
  // The breaking point lies shoreward of h/L0 = 0.001, where the breaker
  // limits were never measured; it was found by the search continued there.
  BelowSearchFloor = 512,
  // Shuto's shoaling coefficient cannot be formed in water this shallow; the
  // random-wave height was decided by the other terms.
  ShoalingNotFormed = 1024,
  // Bits 2048 and up: the shoreline quantities' own (shore/shoreline.h).
  // A breaker index γ = Hb/hb above the largest a breaker reaches (1.56,
  // Weggel's index on the steepest slopes): the radiation-stress setup,
  // built on a saturated surf zone of such breakers, is formed with it all
  // the same.
  BreakerIndexAboveSetupRange = 2048,
  // Bits 4096 and up: random waves across a measured profile
  // (shore/transform.h).  A breaker parameter fit used outside the data it
  // was fitted on: Battjes & Stive's for a deep-water steepness outside
  // about 0.004–0.06, Ruessink et al.'s for kd at the breaking onset above
  // about 1.4.
  GammaFitRange = 4096,
  // The profile ends in water, or no foreshore rises above the mean water
  // level: no shoreline, no runup.
  ShorelineNotReached = 8192,
  // A point of the profile stands above the mean water level with water
  // again shoreward of it (a bar crest or a structure above water): the
  // calculation ends at the first dry point.
  DryBarCrest = 16384,
  // Bits 1<<20 and up: structures in the waves (structure/).
  // A caisson's safety factor against sliding below the one required (1.2).
  SlidingBelowRequired = 1u << 20,
  // A caisson's safety factor against overturning below the one required.
  OverturningBelowRequired = 1u << 21,
  // A wave steepness outside the data of the formula (EurOtop's sm−1,0,
  // Van der Meer's sm).
  SteepnessOutsideRange = 1u << 22,
  // A structure slope cot α outside the data of the formula.
  StructureSlopeOutsideRange = 1u << 23,
  // A relative freeboard Rc/Hm0 outside the data of the overtopping formula.
  FreeboardOutsideRange = 1u << 24,
  // A mean discharge below 1e−6 m³/s per m (0.001 l/s per m): the formulas
  // carry no information there; the value stands, to be shown as negligible.
  NegligibleOvertopping = 1u << 25,
  // Armour: P, S, N, Δ or the stability number Hs/(Δ·Dn50) outside the data
  // of the formula.
  ArmourOutsideRange = 1u << 26,
  // The depth at the toe outside the formula's range (deep-water armour in
  // shallow water, a wall's relative depth beyond the data).
  ToeDepthOutsideRange = 1u << 27,
  // An angle of wave attack beyond the obliquity of the data (γβ held at
  // its value at the data's limit).
  ObliqueOutsideRange = 1u << 28,
  // A breaker parameter ξ outside the data of the formula.
  BreakerParameterOutsideRange = 1u << 29,
  // Hrms above the mean depth h + η at a profile point: the phase-averaged
  // balance still gives a number there (on steep beaches the published
  // models do), but no such sea stands in water that shallow.
  HrmsAboveMeanDepth = 32768,
  // A longshore current faster than 2 m/s: beyond the currents the bed
  // friction law was fitted on (Duck and Egmond, up to about 1.5 m/s).
  CurrentAboveFittedRange = 65536,
  // The sea is breaking already at the offshore boundary (Qb ≥ 0.01 there):
  // the surf zone began seaward of the profile, whose roller, setup and
  // current start from nothing at the boundary.
  BoundaryInSurfZone = 131072,
};

// A set of warnings, as a bit field.
struct Warnings {
  std::uint32_t bits = 0;
  bool has(Warning w) const { return (bits & std::uint32_t(w)) != 0; }
  void add(Warning w) { bits |= std::uint32_t(w); }
  void add(Warnings other) { bits |= other.bits; }
  bool any() const { return bits != 0; }
  friend bool operator==(const Warnings&, const Warnings&) = default;
};

// The deep-water wave and the beach, as typed.
struct Wave {
  double Ho = 1;      // deep-water wave height (m), > 0
  double T = 10;      // period (s), > 0
  double alpha0 = 30; // angle of incidence from the shore normal (degrees), −90 < αo < 90
  double n = 60;      // bottom slope 1/n, n > 0
};

// Which formula gave the wave height at a depth.
enum class HeightRule : std::uint8_t {
  Linear,     // linear refraction and shoaling, seaward of the onset
  Nonlinear,  // H·h^(5/2)·(√U − 2√3) held constant, onset to breaking point
  Surf,       // the breaking-height limit, at or shoreward of the breaking point
  Intermediate,  // H·h^(2/7) held constant, 30 ≤ U < 50 (Shuto's shoaling only)
};

inline constexpr float kNotReached = std::numeric_limits<float>::quiet_NaN();

// The breaking point of a wave on its beach, and the working quantities that
// the state at any depth needs.  Found by `findBreaking`.
struct Breaking {
  Error error = Error::None;
  // How many of the four results below were reached, in their order
  // (Hb, hb, γ, θb); 4 when error is None.
  int reached = 0;

  // Results.
  float Hb = kNotReached;      // breaker height (m)
  float hb = kNotReached;      // breaking depth (m)
  float gamma = kNotReached;   // Hb/hb, formed from the ratios Hbr/hbr
  float thetaB = kNotReached;  // direction at breaking (degrees from the shore normal)
  // The four results above in their order, for front ends that walk them.
  std::array<float, 4> results() const { return {Hb, hb, gamma, thetaB}; }

  Model model;  // the breaker limit and shoaling rule that found it
  // Where the model's formulas leave their fitted range (modelWarnings);
  // set once the inputs are read, whatever happens after.
  Warnings warnings;

  // Working quantities, single precision as the calculation keeps them.
  float Ho = 0, T = 0;
  float ao = 0;       // αo (rad)
  float tanBeta = 0;  // bottom slope 1/n
  double n = 0;       // slope denominator as given
  float L0 = 0;       // deep-water wavelength gT²/(2π) (m)
  // Onset of nonlinear shoaling: the Ursell-50 point, as ratios to the onset
  // search's own deep-water wavelength 1.56·T².  The height rule compares
  // h/L0 with hr50 as it stands.  Under Shuto's shoaling: where the H·h^(2/7)
  // law reaches U = 50, as ratios to L0.
  float Hr50 = 0, hr50 = 0;
  // Shuto's shoaling only: where the linear height reaches U = 30, as ratios
  // to L0; the onset of nonlinear shoaling for that rule.
  float Hr30 = 0, hr30 = 0;
  // Breaking point, as ratios to L0.
  float Hbr = 0, hbr = 0;

  bool ok() const { return error == Error::None; }
  // The depth (m) where the height rule turns from linear to nonlinear
  // shoaling: hr50·L0 (hr30·L0 under Shuto's shoaling), single.  Meaningful
  // when ok().
  SAIHA_API float onsetDepth() const;
  // The onset as a ratio to L0, as the height rule compares it.
  float onsetRatio() const { return model.shoaling == Shoaling::Shuto ? hr30 : hr50; }
  // Whether the onset of nonlinear shoaling lies shoreward of the breaking
  // point (a very steep wave): its height then jumps at breaking.
  bool onsetShorewardOfBreaking() const { return onsetRatio() <= hbr; }
};

// The warnings of a model's formulas on the slope 1/n: SteepSlope for n < 10
// (kSteepestFittedSlope) under Goda's limits (goda1970, goda2010),
// IrregularWaveIndex for kamphuis.  Domain: any n (a NaN n warns of no
// slope; findBreaking refuses it).  Never fails or throws.
SAIHA_API Warnings modelWarnings(const Model& model, double n);

/**
 * Finds the breaking point of a wave on its beach under a model.
 *
 * The default model finds where the nonlinear law from the onset meets
 * Goda's limit, as it always has.  When that onset lies shoreward of the
 * point so found and the linear height there exceeds the limit (a steep
 * wave), the wave broke further offshore: the breaking point is then, as
 * under every other model, where the height that applies at each depth
 * (linear, Shuto's middle regime, nonlinear) first meets the limit coming
 * from deep water, so a steep wave may break while it still shoals linearly.
 *
 * @param[in] wave the deep-water wave and the beach: Ho (m) and T (s) finite
 *   and > 0 in single precision, αo (degrees) strictly between −90 and 90,
 *   the slope denominator n finite and > 0, and Ho/L0 ≤ 0.142 with
 *   L0 = gT²/(2π) in single precision.
 * @param[in] model the breaker limit and shoaling rule (shore/model_choice.h).
 * @return the breaking point: Hb (m), hb (m), γ = Hb/hb, θb (degrees), and
 *   the working quantities stateAt needs; results not reached are NaN and
 *   `reached` counts those that were.  `warnings` holds modelWarnings once
 *   the inputs are read.
 *
 * Errors, in the order they are checked (Breaking::error):
 * - InvalidHeight, InvalidPeriod, InvalidAngle, InvalidSlope: that input is
 *   outside its domain; nothing is computed.
 * - SteepnessLimit: Ho/L0 > 0.142, steeper than Miche's limit in deep water;
 *   nothing is computed.
 * - OnsetNotFound (IntermediateEndNotFound under Shuto's shoaling): the
 *   onset of nonlinear shoaling lies nowhere on 0.001 ≤ h/L0 ≤ 1.
 * - BreakingNotFound: the height meets its limit nowhere on 0.00001 ≤ h/L0
 *   ≤ 1.  The search runs on 0.001..1 and, only for a wave that has not
 *   broken by 0.001, goes on shoreward to 0.00001; a breaking point found
 *   there carries Warning::BelowSearchFloor.
 * - NonlinearShoalingLimit, WaveLengthLimit: an iteration did not settle.
 * - CoefficientDivisor: a refraction or shoaling coefficient divides by zero.
 * - DivisionByZero, InvalidOperation, Overflow: an arithmetic fault of the
 *   single-precision formulas.
 * Never throws.
 */
SAIHA_API Breaking findBreaking(const Wave& wave, const Model& model = {}) noexcept;

/**
 * Finds the breaking points of many waves under one model, bit for bit as
 * findBreaking(waves[i], model) finds each, but faster: the default model's
 * searches run for many waves side by side (several waves' iterations in
 * flight at once, in AVX2 vector lanes where the processor has them).  A wave
 * whose searches fault, fail or reach an iteration's pass limit there is
 * computed by findBreaking itself; other models take findBreaking wave by
 * wave.  For front ends with many rows; one wave costs what findBreaking
 * costs.
 *
 * @param[in] waves the waves, each as for findBreaking.
 * @param[out] out out[i] = findBreaking(waves[i], model) for every i below
 *   the shorter span's size; nothing else is written.
 * @param[in] model the breaker limit and shoaling rule of every wave.
 *
 * Errors: each Breaking carries its own, as findBreaking gives it.  Never
 * throws.
 */
SAIHA_API void findBreaking(std::span<const Wave> waves, std::span<Breaking> out,
                            const Model& model = {}) noexcept;

// The state of the wave at one depth.
struct State {
  Error error = Error::None;
  // How many of the eight results below were reached, in their order
  // (L, θ, C, H, a_bottom, u_bottom, a_surface, u_surface); 8 when error is None.
  int reached = 0;

  float h = kNotReached;         // depth (m), the single-precision value used
  float L = kNotReached;         // wavelength (m), linear dispersion relation
  float theta = kNotReached;     // direction (degrees from the shore normal)
  float C = kNotReached;         // celerity L/T (m/s)
  float H = kNotReached;         // wave height (m)
  float aBottom = kNotReached;   // orbit semi-amplitude at the bottom (m)
  float uBottom = kNotReached;   // maximum orbital speed at the bottom (m/s)
  float aSurface = kNotReached;  // orbit semi-amplitude at the surface (m)
  float uSurface = kNotReached;  // maximum orbital speed at the surface (m/s)
  std::optional<HeightRule> rule;  // set once H is reached
  // HeightAboveDepth where H > h: inside the surf zone the breaker limit of
  // a steep beach gives H/h → γ·(1 + 15·tan^(4/3)β) near the shoreline
  // (above 1 from about 1/20), a height the water there cannot carry.  The
  // number stands, as the limit gives it.  The breaking point's own
  // warnings are in Breaking::warnings, not repeated here.
  Warnings warnings;

  bool ok() const { return error == Error::None; }
  // The eight results in the order above, for front ends that walk them.
  std::array<float, 8> results() const {
    return {L, theta, C, H, aBottom, uBottom, aSurface, uSurface};
  }
};

/**
 * The state of the wave at one depth.
 *
 * A depth at or shoreward of the breaking point (h/L0 ≤ hbr) takes the
 * model's breaker limit; seaward of it, the model's shoaling rule: a depth
 * beyond the onset (h/L0 > hr50, or hr30 under Shuto's shoaling) the linear
 * rule, else Shuto's middle regime down to hr50, else the nonlinear one.
 * Where the exponentials of deep water overflow, their deep-water limits are
 * used.
 *
 * @param[in] breaking a breaking point that was found (ok()); the model that
 *   found it is the model used.
 * @param[in] h the depth (m), narrowed to single first without a fault test;
 *   finite and > 0 there, any size.
 * @return L (m), θ (degrees), C (m/s), H (m), the orbit's semi-amplitude (m)
 *   and maximum speed (m/s) at the bottom and at the surface, and the height
 *   rule used; results not reached are NaN.
 *
 * Errors (State::error): InvalidDepth for h outside its domain;
 * WaveLengthLimit when the dispersion iteration does not settle;
 * CoefficientDivisor, DivisionByZero, InvalidOperation, Overflow for a
 * faulting formula.  Never throws.
 */
SAIHA_API State stateAt(const Breaking& breaking, double h) noexcept;

/**
 * The states at many depths: out[i] = stateAt(breakings[i], depths[i]) for
 * every i below the shortest span's size, bit for bit, but faster: the
 * wavelengths and the nonlinear shoalings the states need run side by side
 * in the lanes of the breaking search.  For front ends with many rows.
 *
 * Errors: each State carries its own, as stateAt gives it.  Never throws.
 */
SAIHA_API void stateAt(std::span<const Breaking> breakings, std::span<const double> depths,
                       std::span<State> out) noexcept;

/**
 * The states of one wave at many depths (a profile's stations):
 * out[i] = stateAt(breaking, depths[i]), side by side as above.
 */
SAIHA_API void stateAt(const Breaking& breaking, std::span<const double> depths,
                       std::span<State> out) noexcept;

// The cross-shore profile.
enum class Mark : std::uint8_t { None, Onset, Breaking };

struct Station {
  float x = 0;  // distance from the still-water shoreline, n·h (m)
  State state;  // state.h is the station's depth
  Mark mark = Mark::None;
};

struct ProfileOptions {
  // Seaward end (m).  Default: twice the onset depth, at least twice the
  // breaking depth.
  std::optional<double> fromDepth;
  // Number of evenly spaced stations (marks not counted), ≥ 1.
  int stations = 200;
  // Spacing in x (m), > 0; when set, the stations lie at exactly x = S, 2S, …
  // from the shoreline up to the seaward end, instead of `stations` of them.
  std::optional<double> spacing;
};

struct Profile {
  Breaking breaking;              // its error ends the profile (no stations)
  Error error = Error::None;      // breaking.error, or InvalidDepth for bad options
  std::vector<Station> stations;  // seaward end first; each state may carry its own error
  bool ok() const { return error == Error::None; }
};

// Upper bound on the stations of one profile, a guard against a spacing that
// would ask for millions.
inline constexpr int kMaxStations = 100000;

/**
 * The cross-shore profile from the seaward depth to the shoreline.
 *
 * Evenly spaced stations in x, the last one short of x = 0, with the onset
 * and breaking stations inserted in their places (when they lie within the
 * range); a regular station at a marked depth carries the mark itself.
 *
 * @param[in] wave the deep-water wave and the beach, as for findBreaking.
 * @param[in] options the seaward depth (m, finite > 0; default twice the
 *   onset depth, at least twice the breaking depth), the number of stations
 *   (≥ 1) or their spacing S in x (m, finite > 0: stations at exactly
 *   x = S, 2S, … from the shoreline up to the seaward end), at most
 *   kMaxStations.
 * @param[in] model the breaker limit and shoaling rule.
 * @return the breaking point and the stations, seaward end first.
 *
 * Errors: Profile::error is the breaking point's error (as findBreaking; no
 * stations then), or InvalidDepth for options outside their domain, a
 * seaward end whose x = n·h overflows single precision or that leaves no
 * station with depth.  A
 * station the formulas cannot compute carries its own error (as stateAt) and
 * the profile goes on.  Never throws.
 */
SAIHA_API Profile profile(const Wave& wave, const ProfileOptions& options = {},
                          const Model& model = {}) noexcept;

}  // namespace saiha::shore
