// Random waves across a measured profile by the wave energy balance.
//
// A cross-shore profile of any shape (bars, troughs, terraces, a structure's
// toe) with straight, parallel depth contours alongshore: the random sea
// given at the first profile point (its root-mean-square height, peak period,
// direction and the tide) is carried shoreward by the balance of wave energy
// flux (Battjes & Janssen 1978 and its successors), with the surface roller,
// the wave setup from the cross-shore momentum balance and the longshore
// current from the alongshore one, to the wet/dry edge.
//
// Conventions of shore/engine.h: SI units and degrees, results narrowed once
// to single precision, NaN for a result not reached, failures as `Error`
// codes and warnings as `Warnings` bits; nothing here throws, prints or knows
// any text.  Unlike the plane-beach calculation the model integrates an
// ordinary differential equation in plain double precision (no fault traps):
// its results are reproducible on one machine and compiler but are not bit
// for bit those of an independent implementation; every result is tested
// finite before it is given.
//
// Units: x, z, h, η, heights in m; Tp in s; θ in degrees from the shore
// normal; V in m/s; wind stress in N/m²; ρ = 1025 kg/m³, g = 9.81 m/s².
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "saiha/export.h"
#include "saiha/shore/engine.h"

namespace saiha::shore {

// A measured profile: x (m) strictly increasing onshore, the offshore
// boundary at x[0]; z (m) the bed elevation at each x, negative below the
// still-water datum.  The spans are read, never kept.
struct BedProfile {
  std::span<const double> x;
  std::span<const double> z;
};

// One sea state at the offshore boundary (x[0]).
struct SeaCondition {
  double Hrms0 = 1;   // root-mean-square wave height (m), finite, > 0
  double Tp = 8;      // peak period (s), finite, > 0
  double theta0 = 0;  // direction (degrees from the shore normal), −90 < θ0 < 90
  double tide = 0;    // still-water level above the datum (m), finite: h = tide − z
  // Alongshore wind stress on the water surface (N/m²), positive in the
  // direction of positive V; finite.  0 when not known.
  double windStressY = 0;
};

// The breaking dissipation of a random sea.
enum class Dissipation : std::uint8_t {
  BJ78,       // Battjes & Janssen (1978): truncated Rayleigh, bore of height Hm
  TG83,       // Thornton & Guza (1983): weighted Rayleigh, bore of height H
  Baldock98,  // Baldock, Holmes, Bunker & van Weert (1998): full Rayleigh above Hb
  JB07,       // Janssen & Battjes (2007): Baldock's form with the bore of height H
  None,       // no breaking (refraction, shoaling, friction only)
};

// The breaker parameter γ of the dissipation.
enum class GammaRule : std::uint8_t {
  Constant,          // TransformOptions::gammaConstant
  BattjesStive1985,  // γ = 0.5 + 0.4·tanh(33·s0), s0 the deep-water steepness
  Ruessink2003,      // γ = 0.29 + 0.76·kd, local
};

// The lateral mixing of the longshore current.
enum class Mixing : std::uint8_t {
  None,         // V from the local balance of forcing and bed stress
  Battjes1975,  // ν = M·d·(D/ρ)^(1/3), Battjes (1975)
  Constant,     // ν given (m²/s)
};

// The apparent bed roughness fitted by Ruessink et al. (2001), JGR 106(C10),
// at Duck (DUCK94) and at Egmond (m).
inline constexpr double kDuckRoughness = 0.0125;
inline constexpr double kEgmondRoughness = 0.022;

struct TransformOptions {
  Dissipation dissipation = Dissipation::BJ78;
  GammaRule gamma = GammaRule::Ruessink2003;
  double gammaConstant = 0.73;  // γ under GammaRule::Constant, finite > 0
  double alpha = 1;  // α of bj78 and baldock98, finite > 0
  double B = 1;      // B of tg83 and jb07, finite > 0
  bool roller = true;      // the surface roller (Nairn et al. 1990; Reniers & Battjes 1997)
  double rollerBeta = 0.1;  // roller front slope β, finite > 0
  bool setup = true;       // the mean water level from the momentum balance
  // Bottom friction of the waves (Thornton & Guza 1983), off by default.
  bool bottomFriction = false;
  double waveFrictionFactor = 0.01;  // c_f of the wave friction, finite ≥ 0
  // Apparent bed roughness k_a (m) of the current's friction coefficient
  // c_f = 0.015·(k_a/d)^(1/3), finite > 0: Ruessink, Miles, Feddersen, Guza
  // & Elgar (2001) fitted k_a ≈ 0.0125 m at Duck (kDuckRoughness, the
  // default) and 0.022 m at Egmond (kEgmondRoughness).
  double roughness = 0.0125;
  // Lateral mixing of the longshore current by an eddy viscosity ν (m²/s):
  // none (the local balance, the default), Battjes (1975)'s
  // ν = M·d·(D/ρ)^(1/3) with M = mixingCoefficient and D the dissipation
  // driving the current, or ν = mixingCoefficient everywhere.
  Mixing mixing = Mixing::None;
  double mixingCoefficient = 1;  // M, or ν (m²/s); finite ≥ 0
  // Where the mean depth d = h + η falls below this (m), the bed is dry.
  double dryDepth = 0.05;
  // Largest step (m) of the integration within a profile interval, finite > 0;
  // steps are also kept below a quarter of Tp·√(g·d).
  double maxStep = 5;
};

// The sea at every profile point, and what it does at the shoreline.
struct TransformResult {
  Error error = Error::None;
  Warnings warnings;
  // One value per profile point, NaN where not reached (dry, or the
  // condition failed).  h is the still-water depth tide − z; every other
  // quantity stops at the wet/dry edge.
  std::vector<float> h;      // still-water depth (m)
  std::vector<float> eta;    // mean water level above the still-water level (m)
  std::vector<float> Hrms;   // root-mean-square height (m)
  std::vector<float> Hm0;    // √2·Hrms (m)
  std::vector<float> H13;    // significant height H1/3, Battjes & Groenendijk 2000 (m)
  std::vector<float> H110;   // H1/10 (m)
  std::vector<float> H2;     // H2%, exceeded by 2 % of the waves (m)
  std::vector<float> Qb;     // fraction of breaking waves
  std::vector<float> theta;  // direction (degrees from the shore normal)
  std::vector<float> V;      // depth-averaged longshore current (m/s), signed as θ0
  // The warnings of each point that concern a point (HrmsAboveMeanDepth,
  // CurrentAboveFittedRange), 0 where not reached; `warnings` holds their
  // union with the condition's own.
  std::vector<std::uint32_t> pointWarnings;
  // The last wet profile point (index), −1 when none was reached.
  int lastWet = -1;
  // Where breaking sets in: the first point with Qb ≥ kBreakingOnsetQb.
  float xBreaking = kNotReached, hBreaking = kNotReached;
  float etaMax = kNotReached;     // largest mean water level over the wet points (m)
  // The mean shoreline: where the mean water level at the wet/dry edge of
  // the integration (between profile points) meets the bed, walking
  // shoreward from that edge (m).
  float xShoreline = kNotReached;
  // Stockdon et al. (2006) at the mean shoreline: the deep-water H0 and the
  // foreshore slope used, the 2 % runup above the still-water level (m).
  float runupH0 = kNotReached, foreshoreSlope = kNotReached, R2 = kNotReached;
  bool ok() const { return error == Error::None; }
};

// The fraction of breaking waves taken as the onset of breaking.
inline constexpr double kBreakingOnsetQb = 0.01;

// What the calculation takes as a profile and a sea on Earth.  Beyond them a
// result would take unbounded time or mean nothing:
// - a bed elevation within ±11,000 m of the datum (the Challenger Deep is
//   10,935 m deep), a profile spanning at most 1,000 km (wider than any
//   shelf a cross-shore transformation is run across) and x within
//   ±10,000 km of 0 (so that a step of a millimetre still moves x);
inline constexpr double kMaxBedElevation = 11000;
inline constexpr double kMaxProfileSpan = 1e6;
inline constexpr double kMaxProfileCoordinate = 1e7;
// - at most this many integration steps implied by the profile and the
//   largest step (transformSteps), about a second or two of one core per
//   condition; a condition whose steps, refined where the energy decays,
//   pass twice this fails with TransformStepLimit;
inline constexpr double kMaxTransformSteps = 2e6;
// - Tp up to 60 s (wind seas and swell: the dissipation models, the
//   roller and Stockdon's runup were fitted on periods of about 2 to 20 s);
inline constexpr double kMaxPeakPeriod = 60;
// - a still-water level within ±30 m of the datum (the largest tidal
//   ranges are about 16 m, the highest storm surges under 10 m);
inline constexpr double kMaxTide = 30;
// - an alongshore wind stress within ±20 N/m² (a 70 m/s wind gives about
//   10 N/m² with a saturated drag coefficient);
inline constexpr double kMaxWindStress = 20;
// - a longshore current above this (m/s) is flagged CurrentAboveFittedRange.
inline constexpr double kMaxFittedCurrent = 2;

// The number of integration steps the profile implies at the options'
// largest step, before any condition: Σ (Δx/maxStep + 1) over the intervals
// plus, for the steps shortened where the depth changes fast (|dh/dx|/d
// above 0.015 per metre), Σ ln(1 + |Δz|/dryDepth)/(0.015·maxStep), their
// bound for any tide.  Infinite for a profile or options that cannot be
// used.
SAIHA_API double transformSteps(const BedProfile& profile,
                                const TransformOptions& options = {}) noexcept;

// The profile's and the options' own error, which every condition of a call
// would carry (a face refuses the call rather than its rows), in the order
// `transform` checks them: ProfileLengthMismatch, ProfileTooShort,
// ProfileNotFinite, ProfileNotIncreasing, ProfileOutOfRange,
// InvalidTransformOption, TransformStepLimit; None when they can be used.
SAIHA_API Error checkTransformSetup(const BedProfile& profile,
                                    const TransformOptions& options = {}) noexcept;

/**
 * Random waves across a measured profile, one condition.
 *
 * @param[in] profile x strictly increasing (m), z (m), as many of each, at
 *   least two points, all finite.
 * @param[in] condition the sea at x[0].
 * @param[in] options the model.
 * @return heights, setup, direction, fraction breaking and longshore current
 *   at every profile point, and the breaking onset, maximum setup, shoreline
 *   and runup.
 *
 * Errors (TransformResult::error), in the order they are checked:
 * ProfileLengthMismatch, ProfileTooShort, ProfileNotFinite,
 * ProfileNotIncreasing, ProfileOutOfRange, InvalidTransformOption,
 * TransformStepLimit (the profile's and options' apply to every condition);
 * then InvalidHeight (Hrms0), InvalidPeriod (Tp), InvalidAngle (θ0),
 * InvalidTide (tide or wind stress), PeriodOutOfRange, TideOutOfRange,
 * WindStressOutOfRange, BoundaryTooShallow
 * (dry boundary), TooFewWetPoints, MicheLimitAtBoundary (Hm0 above
 * 0.142·L·tanh(kh) at the boundary), BoundaryTooShallow (Hrms0 at or above
 * the breaking height Hm there), TransformNotSettled (the setup did not
 * settle or a result is not finite), TransformStepLimit (the refined steps
 * passed twice kMaxTransformSteps).
 * Warnings: GammaFitRange, ShorelineNotReached, DryBarCrest,
 * HrmsAboveMeanDepth, CurrentAboveFittedRange, BoundaryInSurfZone, and
 * Stockdon's StockdonBranchChange.  Never throws.
 */
SAIHA_API TransformResult transform(const BedProfile& profile, const SeaCondition& condition,
                                    const TransformOptions& options = {}) noexcept;

/**
 * Many conditions on one profile (the hindcast case): out[i] as
 * transform(profile, conditions[i], options) gives it, for every i below the
 * shorter span's size.  The profile is checked once; each result's arrays
 * keep their storage when they are large enough, and the working arrays are
 * allocated once for all conditions.  A condition that cannot be computed
 * keeps its error; the others compute.  Never throws.
 */
SAIHA_API void transform(const BedProfile& profile, std::span<const SeaCondition> conditions,
                         std::span<TransformResult> out,
                         const TransformOptions& options = {}) noexcept;

// The breaker parameter of each rule (dimensionless): Battjes & Stive (1985)
// from the deep-water steepness s0 = Hrms,0/L0; Ruessink et al. (2003) from
// the local kd.  For tests and front ends that show γ.
SAIHA_API double gammaBattjesStive(double s0) noexcept;
SAIHA_API double gammaRuessink(double kd) noexcept;

// The fraction of breaking waves of Battjes & Janssen (1978): the root of
// (1 − Qb)/ln Qb = −b², b = Hrms/Hm, solved to full double precision;
// 0 for b ≤ 0, 1 for b ≥ 1.
SAIHA_API double breakingFraction(double b) noexcept;

// The breaking dissipation (W/m²) of a model at one point, for the root-mean-
// square height Hrms (m), the depth d (m), the wavenumber k (1/m), the peak
// frequency fp (1/s) and γ; Qb, when not null, receives the fraction of
// breaking waves.  α and B from `options`.
SAIHA_API double breakingDissipation(const TransformOptions& options, double Hrms, double d,
                                     double k, double fp, double gamma,
                                     double* Qb = nullptr) noexcept;

// The characteristic heights of Battjes & Groenendijk's (2000) composite
// Weibull distribution, as ratios to Hrms, for a transitional height ratio
// Htr/Hrms (Htr = (0.35 + 5.8·tanα)·d): H1/3, H1/10, H2%.
struct HeightRatios {
  double H13 = 0, H110 = 0, H2 = 0;
};
SAIHA_API HeightRatios battjesGroenendijk(double HtrOverHrms) noexcept;

}  // namespace saiha::shore
