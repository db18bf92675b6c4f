// At the shoreline: how a wave breaks, where the mean water stands across the
// surf zone, how far up the beach it runs and how fast the current along the
// shore flows, from a breaking point found under any model.
//
// Conventions of shore/engine.h: SI units and degrees, single-precision
// results, NaN for a result not reached, failures as `Error` codes and never
// text or exceptions.  Arithmetic runs in checked double precision and each
// result is narrowed once; g = 9.81 m/s² and π = 3.141592, as the breaking
// point was formed.  The formulas are those of a plane beach of slope
// tanβ = 1/n with straight, parallel contours.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "saiha/export.h"
#include "saiha/shore/engine.h"
#include "saiha/shore/model_choice.h"

namespace saiha::shore {

// How a wave breaks on its beach (Battjes 1974).
enum class BreakerType : std::uint8_t {
  Spilling,  // foam spills down the front over a wide surf zone
  Plunging,  // the crest curls over and plunges
  Surging,   // collapsing or surging: the front rushes up the beach face
};
inline constexpr std::array<BreakerType, 3> kBreakerTypes = {
    BreakerType::Spilling, BreakerType::Plunging, BreakerType::Surging};

// Battjes' (1974) limits of the breaker types, as the Coastal Engineering
// Manual (Part II, Chapter 4) quotes them: spilling below the lower limit,
// collapsing or surging above the upper one, plunging from the lower to the
// upper limit inclusive.  On the deep-water surf similarity ξ0 and on the
// one at breaking ξb.
inline constexpr float kXi0Plunging = 0.5f, kXi0Surging = 3.3f;
inline constexpr float kXibPlunging = 0.4f, kXibSurging = 2.0f;

// The breaker type of a surf similarity (dimensionless, any value), by ξ0's
// limits or by ξb's.  A NaN ξ has no type.  Never fails.
SAIHA_API std::optional<BreakerType> breakerTypeOfXi0(float xi0) noexcept;
SAIHA_API std::optional<BreakerType> breakerTypeOfXib(float xib) noexcept;

// The surf similarity (Iribarren) parameters (Battjes 1974):
//   ξ0 = tanβ/√(Ho/L0),  ξb = tanβ/√(Hb/L0),
// with the deep-water height Ho (m), the breaker height Hb (m), the
// deep-water wavelength L0 = gT²/(2π) (m) and the beach slope tanβ = 1/n.
// Dimensionless.  ξ0 needs only the wave, so it is reached whenever the
// inputs were valid, also when the breaking search failed; ξb needs the
// breaking point.  `error` is the breaking point's.
struct SurfSimilarity {
  Error error = Error::None;
  float xi0 = kNotReached;
  float xib = kNotReached;
  std::optional<BreakerType> type;      // by ξ0
  std::optional<BreakerType> typeAtBreaking;  // by ξb
  bool ok() const { return error == Error::None; }
};
// From a breaking point of findBreaking under any model, found or not.
// Never throws.
SAIHA_API SurfSimilarity surfSimilarity(const Breaking& breaking) noexcept;

// Which depth the breaking depth hb of a breaking point is: where the surf
// zone of the setup begins.
enum class BreakerDepth : std::uint8_t {
  // The still-water depth at the breaker line: the breaker-limit models find
  // hb on the still-water depths of their shoaling, and the profile puts the
  // breaking station at x = n·hb.  The surf zone spans hb.
  StillWater,
  // The mean depth at the breaker line, setdown included, as the Coastal
  // Engineering Manual takes Weggel's hb = Hb/γb in Example Problem II-4-2:
  // the still-water depth there is hb − ηb, which the surf zone spans.
  Mean,
};

// The largest breaker index a breaker reaches: Weggel's (1972) index on the
// steepest slopes, b = 1.56/(1 + e^(−19.5·tanβ)) → 1.56.  The setup theory
// takes a saturated surf zone of breakers with H = γ·(depth); a γ beyond any
// breaker's is kept with the warning BreakerIndexAboveSetupRange.
inline constexpr float kMaxSetupBreakerIndex = 1.56f;

// Wave setdown and setup by the radiation stress (Longuet-Higgins and
// Stewart 1962, 1964; Bowen, Inman and Simmons 1968; Coastal Engineering
// Manual, Part II, Chapter 4, Equations II-4-21 to II-4-25), for a
// saturated surf zone where the height stays γ times the mean depth:
//   setdown at breaking     ηb = −γ·Hb/16            (shallow water at hb)
//   gradient in surf zone   dη/dx = K·tanβ,  K = 1/(1 + 8/(3γ²))
//   still-water shoreline   ηs = ηb + K·hs           (over n·hs of surf zone)
//   mean shoreline shift    Δx = ηs/((1 − K)·tanβ)   (landward of x = 0)
//   maximum setup           ηmax = ηs + K·tanβ·Δx = ηs/(1 − K)
// with γ = Hb/hb the breaker index of the model that found the breaking
// point and hs the still-water depth at the breaker line: hb itself, or
// hb − ηb where hb is the mean depth (BreakerDepth).  x is measured seaward
// from the still-water shoreline, as in the profile; the mean water level is
// the straight line from (xBreaker, ηb) to (xMeanShoreline, ηmax).  Levels
// in metres above the still-water level.
//
// What cannot stand is not given as a result:
// - With hs = hb, ηs < 0 where γ > √(40/3) ≈ 3.65 (K·hb < γ²·hb/16): the
//   setdown at breaking would outweigh the whole rise across the surf zone,
//   the mean shoreline lie seaward of the still-water one and the "maximum"
//   setup lie below the still-water level, none of which a saturated surf
//   zone allows (the theory's setup rises monotonically shoreward from a
//   setdown of a few per cent of Hb).  ηs, Δx, ηmax and xMeanShoreline are
//   then NaN and the error is NegativeSetup; γ, K, ηb, the gradient and the
//   breaker line stay, with the warning below.  With hs = hb − ηb the setup
//   is never negative.
// - γ > kMaxSetupBreakerIndex: the warning BreakerIndexAboveSetupRange.
// Errors: the breaking point's, NegativeSetup, or an arithmetic fault.
struct Setup {
  Error error = Error::None;
  float gamma = kNotReached;      // breaker index Hb/hb
  float K = kNotReached;          // 1/(1 + 8/(3γ²)), dimensionless
  float etaB = kNotReached;       // setdown at breaking (m), negative
  float gradient = kNotReached;   // dη/dx in the surf zone (m/m)
  float surfDepth = kNotReached;  // still-water depth at the breaker line hs (m)
  float etaS = kNotReached;       // setup at the still-water shoreline (m)
  float shoreShift = kNotReached;  // landward shift of the mean shoreline Δx (m)
  float etaMax = kNotReached;     // setup at the mean shoreline (m)
  float xBreaker = kNotReached;   // breaker line n·hs (m from the shoreline)
  float xMeanShoreline = kNotReached;  // −Δx (m)
  BreakerDepth depth = BreakerDepth::StillWater;  // what hb was taken as
  Warnings warnings;  // BreakerIndexAboveSetupRange (the breaking point's are its own)
  bool ok() const { return error == Error::None; }
};
// From a breaking point of findBreaking under any model; one that was not
// found gives its error and NaN.  Never throws.
SAIHA_API Setup waveSetup(const Breaking& breaking,
                          BreakerDepth depth = BreakerDepth::StillWater) noexcept;

// The deep-water wave and foreshore slope of the runup formula; each left
// empty takes the breaking point's own: H0 = Ho, Tp = T, βf = 1/n.
struct RunupInput {
  std::optional<double> H0 = std::nullopt;     // deep-water significant height (m), > 0
  std::optional<double> Tp = std::nullopt;     // peak period (s), > 0
  std::optional<double> betaF = std::nullopt;  // foreshore slope tanβf, > 0
};

// The 2 % exceedance runup on a natural sandy beach (Stockdon, Holman,
// Howd and Sallenger 2006, "Empirical parameterization of setup, swash, and
// runup", Coastal Engineering 53, 573–588), a formula for random waves
// fitted to field data from ten experiments on natural sandy beaches (not
// for structures): H0 is the
// deep-water significant height and L0 = g·Tp²/(2π) belongs to the peak
// period.  A regular wave's Ho and T stand in for them by default.
//   setup          ⟨η⟩ = 0.35·βf·√(H0·L0)
//   incident swash Sinc = 0.75·βf·√(H0·L0)
//   infragravity   SIG = 0.06·√(H0·L0)
//   swash          S = √(H0·L0·(0.563·βf² + 0.004))
//   runup          R2% = 1.1·(⟨η⟩ + S/2)
// S is the paper's Equation 19 as published, the rounded fit that R2% is
// formed with; it is not the root-sum-square of Sinc and SIG, √(H0·L0·
// (0.5625·βf² + 0.0036)), which lies up to 5 % below it (at βf → 0).
// On a dissipative beach, ξ0 = βf/√(H0/L0) < 0.3, infragravity swash
// dominates and the paper's own fit (Equation 18) holds instead:
//   ⟨η⟩ = 0.016·√(H0·L0),  SIG = S = 0.046·√(H0·L0),  R2% = 0.043·√(H0·L0),
// with no separate incident swash: Sinc is NaN there by definition, not for
// a failure (no error).  The two branches differ by up to a fifth at
// ξ0 = 0.3; a ξ0 within kStockdonBranchBand of it carries the warning
// StockdonBranchChange, and `dissipative` says which branch was used.  Levels in metres above the
// still-water level.  Errors, in this order: the breaking point's when it is
// an invalid wave, InvalidRunupHeight, InvalidRunupPeriod,
// InvalidForeshoreSlope for a given value that is not a finite number > 0
// in single precision; else an arithmetic fault.  The runup does not need
// the breaking point itself: a breaking search that failed does not stop it.
struct Runup {
  Error error = Error::None;
  float H0 = kNotReached, Tp = kNotReached, betaF = kNotReached;  // as used
  // Whether each was given (RunupInput) rather than the breaking point's own.
  bool H0Given = false, TpGiven = false, betaFGiven = false;
  float L0 = kNotReached;  // g·Tp²/(2π) (m)
  float xi0 = kNotReached;  // βf/√(H0/L0)
  bool dissipative = false;  // ξ0 < 0.3: the dissipative fit was used
  float setup = kNotReached;     // ⟨η⟩ (m)
  float swashIncident = kNotReached;      // Sinc (m)
  float swashInfragravity = kNotReached;  // SIG (m)
  float swash = kNotReached;     // S (m)
  float R2 = kNotReached;        // R2% (m)
  // Where the runup level meets the beach of slope 1/n, −n·R2 (m, negative:
  // landward of the still-water shoreline, as x in the profile).
  float xOnBeach = kNotReached;
  // StockdonBranchChange; RunupBelowSetup once shoreline() has the setup.
  Warnings warnings;
  bool ok() const { return error == Error::None; }
};
// Stockdon's limit of a dissipative beach.
inline constexpr float kXiDissipative = 0.3f;
// How close to kXiDissipative, as a fraction of it, ξ0 carries the warning
// StockdonBranchChange: |ξ0/0.3 − 1| ≤ 5 %, where the runup of a wave a few
// per cent away on the other side differs by up to a fifth.
inline constexpr double kStockdonBranchBand = 0.05;
// From a breaking point of findBreaking under any model, with `input`
// overriding its H0 (m), Tp (s) and βf; errors as above.  Never throws.
SAIHA_API Runup runup(const Breaking& breaking, const RunupInput& input = {}) noexcept;

// The longshore current at mid surf zone (Komar and Inman 1970; Komar 1979;
// Coastal Engineering Manual, Part II, Chapter 4, Equation II-4-40):
//   V = 1.17·√(g·Hb,rms)·sin θb·cos θb,
// fitted to field data with the root-mean-square height at breaking Hb,rms;
// a regular wave's heights are all Hb, so Hb,rms = Hb.  V (m/s) takes the
// sign of θb: the current runs alongshore the way the waves travel.
// Errors: the breaking point's, or an arithmetic fault.
struct LongshoreCurrent {
  Error error = Error::None;
  float HbRms = kNotReached;  // m
  float V = kNotReached;      // m/s
  bool ok() const { return error == Error::None; }
};
// From a breaking point of findBreaking under any model; one that was not
// found gives its error and NaN.  Never throws.
SAIHA_API LongshoreCurrent longshoreCurrent(const Breaking& breaking) noexcept;

// Everything above for one wave under one model: findBreaking(wave, model)
// (inputs and errors as there), then each quantity from that breaking
// point, the runup with `input`.  Each part carries its own error and NaN
// for what it did not reach (report::firstError names the first).  Never
// throws.  The runup carries
// RunupBelowSetup where its R2% lies below the setup at the mean shoreline
// ηmax: the water runs up no lower than the mean level it runs up from, so
// the two formulas disagree there (Stockdon's is fitted to random waves on
// natural beaches, the radiation stress to a saturated regular surf zone).
struct Shoreline {
  Breaking breaking;
  SurfSimilarity surf;
  Setup setup;
  Runup runup;
  LongshoreCurrent current;
  // Whether the breaking point is the empirical one (empiricalShoreline):
  // breaking.model then names no model, and hb is a mean depth.
  bool empirical = false;
  // Every warning of the parts: the breaking point's, the setup's, the runup's.
  SAIHA_API Warnings warnings() const;
};
SAIHA_API Shoreline shoreline(const Wave& wave, const Model& model = {},
                              const RunupInput& input = {}) noexcept;

// The same from the empirical breaking point (shore/comparison.h,
// empiricalBreaking: Komar and Gaughan's breaker height with Weggel's
// breaker index), with the setup's hb as the mean depth at the breaker line
// (BreakerDepth::Mean), as the Coastal Engineering Manual's Example Problem
// II-4-2 combines them.  `breaking` holds the empirical Hb, hb, γ, θb with
// the wave's working quantities and the empirical warnings (SteepSlope,
// LowSteepness); its model, onset and ratios are not the empirical search's
// and are left as they are.  Errors: the empirical breaking point's, then
// as shoreline.
SAIHA_API Shoreline empiricalShoreline(const Wave& wave, const RunupInput& input = {}) noexcept;

}  // namespace saiha::shore
