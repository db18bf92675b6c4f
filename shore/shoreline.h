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

// Wave setdown and setup by the radiation stress (Longuet-Higgins and
// Stewart 1962, 1964; Bowen, Inman and Simmons 1968; Coastal Engineering
// Manual, Part II, Chapter 4, Equations II-4-21 to II-4-25), for a
// saturated surf zone where the height stays γ times the mean depth:
//   setdown at breaking     ηb = −γ·Hb/16            (shallow water at hb)
//   gradient in surf zone   dη/dx = K·tanβ,  K = 1/(1 + 8/(3γ²))
//   still-water shoreline   ηs = ηb + K·hb           (over n·hb of surf zone)
//   mean shoreline shift    Δx = ηs/((1 − K)·tanβ)   (landward of x = 0)
//   maximum setup           ηmax = ηs + K·tanβ·Δx = ηs/(1 − K)
// with γ = Hb/hb the breaker index of the model that found the breaking
// point.  x is measured seaward from the still-water shoreline, as in the
// profile; the mean water level is the straight line from (xBreaker, ηb) to
// (xMeanShoreline, ηmax).  Levels in metres above the still-water level.
// Errors: the breaking point's, or an arithmetic fault.
struct Setup {
  Error error = Error::None;
  float gamma = kNotReached;      // breaker index Hb/hb
  float K = kNotReached;          // 1/(1 + 8/(3γ²)), dimensionless
  float etaB = kNotReached;       // setdown at breaking (m), negative
  float gradient = kNotReached;   // dη/dx in the surf zone (m/m)
  float etaS = kNotReached;       // setup at the still-water shoreline (m)
  float shoreShift = kNotReached;  // landward shift of the mean shoreline Δx (m)
  float etaMax = kNotReached;     // setup at the mean shoreline (m)
  float xBreaker = kNotReached;   // breaker line n·hb (m from the shoreline)
  float xMeanShoreline = kNotReached;  // −Δx (m)
  bool ok() const { return error == Error::None; }
};
// From a breaking point of findBreaking under any model; one that was not
// found gives its error and NaN.  Never throws.
SAIHA_API Setup waveSetup(const Breaking& breaking) noexcept;

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
// On a dissipative beach, ξ0 = βf/√(H0/L0) < 0.3, infragravity swash
// dominates and the paper's own fit holds instead:
//   ⟨η⟩ = 0.016·√(H0·L0),  SIG = S = 0.046·√(H0·L0),  R2% = 0.043·√(H0·L0),
// with no separate incident swash (NaN).  Levels in metres above the
// still-water level.  Errors, in this order: the breaking point's when it is
// an invalid wave, InvalidRunupHeight, InvalidRunupPeriod,
// InvalidForeshoreSlope for a given value that is not a finite number > 0
// in single precision; else an arithmetic fault.  The runup does not need
// the breaking point itself: a breaking search that failed does not stop it.
struct Runup {
  Error error = Error::None;
  float H0 = kNotReached, Tp = kNotReached, betaF = kNotReached;  // as used
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
  bool ok() const { return error == Error::None; }
};
// Stockdon's limit of a dissipative beach.
inline constexpr float kXiDissipative = 0.3f;
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
// throws.
struct Shoreline {
  Breaking breaking;
  SurfSimilarity surf;
  Setup setup;
  Runup runup;
  LongshoreCurrent current;
};
SAIHA_API Shoreline shoreline(const Wave& wave, const Model& model = {},
                              const RunupInput& input = {}) noexcept;

}  // namespace saiha::shore
