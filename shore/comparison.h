// Models side by side: the empirical breaker height, the longshore transport
// each breaking point implies, and the comparison of every model on one wave.
//
// Conventions of shore/engine.h: SI units and degrees in, single-precision
// results out, NaN for a result not reached, failures as `Error` codes.
#pragma once

#include <optional>
#include <vector>

#include "saiha/export.h"
#include "saiha/shore/engine.h"
#include "saiha/shore/model_choice.h"
#include "saiha/shore/shoreline.h"

namespace saiha::shore {

// The breaking point by Komar and Gaughan's (1972) breaker height and
// Weggel's (1972) breaker index, as the Coastal Engineering Manual combines
// them (Part II, Chapter 4):
//   Hb = 0.56·(H0′/L0)^(−1/5)·H0′,  H0′ = Kr·Ho the unrefracted deep-water
//   height, Kr = √(cos αo / cos θb) the refraction coefficient at breaking;
//   γb = b − a·Hb/(gT²), a = 43.8·(1 − e^(−19·tanβ)),
//   b = 1.56/(1 + e^(−19.5·tanβ));  hb = Hb/γb;
//   θb from Snell's law with the wavelength at hb.
// Kr depends on hb, so the three are iterated from Kr = 1 until Kr changes by
// less than 1e-6 (one pass at normal incidence); at most 50 passes, else
// EmpiricalNotSettled.  γb ≤ 0 (a very steep wave on a steep slope) is
// WeggelIndexNotPositive.  Input errors as findBreaking, in its order
// (InvalidHeight, InvalidPeriod, InvalidAngle, InvalidSlope,
// SteepnessLimit); a faulting formula is DivisionByZero, InvalidOperation or
// Overflow, a dispersion iteration that does not settle WaveLengthLimit.
// Warnings: SteepSlope for n < 10 (Weggel's index was fitted on slopes of
// 1/10 to 1/100 or so); LowSteepness for H0′/L0 < kKomarGaughanMinSteepness.
// Never throws.
struct EmpiricalBreaking {
  Error error = Error::None;
  int reached = 0;  // 4 when error is None, else 0
  float Hb = kNotReached;      // breaker height (m)
  float hb = kNotReached;      // breaking depth (m)
  float gamma = kNotReached;   // Weggel's γb = Hb/hb
  float thetaB = kNotReached;  // direction at breaking (degrees from the shore normal)
  float H0prime = kNotReached;  // unrefracted deep-water height Kr·Ho (m)
  float Kr = kNotReached;       // refraction coefficient at breaking
  int passes = 0;               // passes of the refraction iteration
  Warnings warnings{};          // SteepSlope once n is read; LowSteepness once settled
  bool ok() const { return error == Error::None; }
};
SAIHA_API EmpiricalBreaking empiricalBreaking(const Wave& wave) noexcept;

// The gentlest deep-water steepness H0′/L0 taken as fitted for Komar and
// Gaughan's breaker height (Komar and Gaughan 1972, "Airy wave theory and
// breaker height prediction", Proc. 13th ICCE): its coefficient 0.56 was
// fitted to laboratory breakers, and the breaker-height diagrams that the
// Coastal Engineering Manual draws over such data (Part II, Chapter 4,
// Figure II-4-2, against H0′/gT²) reach down to about H0′/L0 = 0.001.
// Gentler swell (Ho/L0 of a few 10⁻⁴) lies beyond the data: LowSteepness.
inline constexpr double kKomarGaughanMinSteepness = 0.001;

// Parameters of the CERC formula.  Defaults: K = 0.39 (with the significant
// height; a regular wave's Hb stands in for it here), sea water
// ρ = 1025 kg/m³, quartz sand ρs = 2650 kg/m³, porosity p = 0.4.
struct TransportParams {
  double K = 0.39;         // transport coefficient, > 0
  double rho = 1025;       // water density (kg/m³), > 0
  double rhoS = 2650;      // sediment density (kg/m³), > ρ
  double porosity = 0.4;   // 0 ≤ p < 1
};

// The first parameter that fails its check, in the order K, ρ, ρs, p
// (InvalidTransportCoefficient, InvalidWaterDensity, InvalidSedimentDensity,
// InvalidPorosity), or None.  Every value must be finite.
SAIHA_API Error checkTransport(const TransportParams& params) noexcept;

// Seconds in a year of 365.25 days.
inline constexpr double kSecondsPerYear = 365.25 * 86400;

// Whether parameters that pass checkTransport still make the yearly
// transport of every breaker of 1 cm or more overflow single precision
// (K = 1e37): Q = K·ρ·√g / (16·√κ·(ρs − ρ)·(1 − p)) · Hb^(5/2) · sin(2θb) taken
// with κ = 1 and sin = 1, its largest for a given Hb.  Such parameters are
// refused as a bad option by every face, not computed into overflow rows.
SAIHA_API bool transportAlwaysOverflows(const TransportParams& params) noexcept;

struct Transport {
  Error error = Error::None;
  float perSecond = kNotReached;  // Q (m³/s), solid volume
  float perYear = kNotReached;    // Q·365.25·86400 (m³/year)
  bool ok() const { return error == Error::None; }
};

/**
 * The potential longshore sand transport by the CERC formula (Coastal
 * Engineering Manual, Part III, Chapter 2):
 *   Q = K·ρ·√g / (16·√κ·(ρs − ρ)·(1 − p)) · Hb^(5/2) · sin(2θb),  g = 9.81 m/s².
 * Q takes the sign of θb: the sand moves alongshore the way the waves travel.
 *
 * @param[in] Hb the breaker height (m), finite and > 0.
 * @param[in] kappa the breaker index κ = Hb/hb, finite and > 0 (breakerIndex).
 * @param[in] thetaB the direction at breaking (degrees from the shore normal),
 *   strictly between −90 and 90.
 * @param[in] params K, ρ (kg/m³), ρs (kg/m³), p, as checkTransport checks them.
 * @return Q (m³/s, solid volume) and Q over a year of 365.25 days (m³/year);
 *   NaN when not reached.
 *
 * Errors (Transport::error): InvalidTransportCoefficient,
 * InvalidWaterDensity, InvalidSedimentDensity, InvalidPorosity for the first
 * parameter outside its domain; then InvalidBreakingPoint for Hb, κ or θb
 * outside theirs.  Never throws.
 */
SAIHA_API Transport longshoreTransport(float Hb, float kappa, float thetaB,
                                       const TransportParams& params = {}) noexcept;

// The breaker index κ a transport takes for a breaking point Hb (m), hb (m):
// γ itself when it is a number, else Hb/hb formed in double precision from
// the singles and narrowed, as findBreaking forms γ from its ratios.  A zero
// or NaN hb gives a κ that is not finite, which longshoreTransport refuses as
// InvalidBreakingPoint.
SAIHA_API float breakerIndex(float Hb, float hb, float gamma = kNotReached) noexcept;

// One row of the comparison.
struct ComparisonRow {
  std::optional<Model> model;  // empty for the empirical row
  float Hb = kNotReached, hb = kNotReached, gamma = kNotReached, thetaB = kNotReached;
  float Q = kNotReached;      // m³/s
  float Qyear = kNotReached;  // m³/year (365.25 days)
  // The breaking point's error, or else the transport's; None when every
  // value was reached.
  Error error = Error::None;
  // The breaking point's, with HeightAboveDepth where Hb > hb; under
  // HeightBasis::Significant the sea's at hb instead of that bit.
  Warnings warnings{};
  // The wave's surf similarity ξ0 and Battjes' breaker type by it
  // (shore/shoreline.h): the same in every row, reached whenever the wave's
  // inputs are valid.
  float xi0 = kNotReached;
  std::optional<BreakerType> breakerType = std::nullopt;
};

/**
 * Every model on one wave: each breaker limit with each shoaling rule, in the
 * order of kBreakerLimits and, within each, kShoalings (10 rows), then the
 * empirical row (empiricalBreaking).  Each row's transport uses its own γ as κ;
 * each row carries the wave's ξ0 and Battjes' breaker type (surfSimilarity).
 *
 * @param[in] wave the deep-water wave and the beach, as for findBreaking.
 * @param[in] params the transport parameters, as for longshoreTransport.
 * @return 11 rows: Hb (m), hb (m), γ, θb (degrees), Q (m³/s), Q (m³/year),
 *         ξ0 and the breaker type.
 *
 * Errors (ComparisonRow::error, row by row): a row whose breaking point was
 * not found carries that error (as findBreaking or empiricalBreaking) and
 * NaN; with parameters outside their domain every row keeps its breaking
 * point and carries the parameter's error instead of Q; InvalidBreakingPoint
 * where a row's breaking point gives the transport no valid input.  Never
 * throws.
 */
SAIHA_API std::vector<ComparisonRow> compare(const Wave& wave,
                                             const TransportParams& params = {}) noexcept;

// The breaker height that feeds the transport of a comparison row.
enum class HeightBasis : std::uint8_t {
  Regular,      // the row's regular-wave Hb (and γ = Hb/hb)
  Significant,  // Goda's H1/3 at the row's breaking depth
};

/**
 * compare with the transport fed by Goda's significant height: each row
 * keeps its breaking depth hb and direction θb, and its Hb becomes H1/3 at
 * hb (shore/random_waves.h) for the sea H0′ = Kr·Ho, Kr = √(cos αo / cos θb)
 * the refraction coefficient to the row's breaking point, T1/3 = T, on the
 * same slope; γ becomes H1/3/hb, the κ of the transport.  hb is taken
 * because it is where the row's model puts the breaker line: the same depth
 * then carries the regular and the significant height, and each row keeps
 * its own breaking point.  Errors: as compare, then those of randomWaves
 * for the row's sea.  Regular gives compare's rows bit for bit.
 */
SAIHA_API std::vector<ComparisonRow> compare(const Wave& wave, const TransportParams& params,
                                             HeightBasis basis) noexcept;

}  // namespace saiha::shore
